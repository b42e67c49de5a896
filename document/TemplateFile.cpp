#include "document/TemplateFile.h"

#include "base/CArchive.h"
#include "base/CFile.h"
#include "base/CMemFile.h"
#include "base/FileReplace.h"
#include "document/TemplateArchive.h"
#include "document/TemplateBase64.h"
#include "grid/GridCtrl.h"
#include "platform/MessageBox.h"

#include <cstdlib>
#include <cstring>

namespace {

const char kFormatMessage[] = "文件格式不正确";

void ShowFormatError()
{
    PlatformMessageBox(nullptr, kFormatMessage, "tip", MB_OK | MB_ICONSTOP);
}

bool ReadWholeFile(LPCTSTR szPath, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (szPath == nullptr || *szPath == '\0')
        return false;
    CFile file;
    if (!file.Open(szPath, CFile::modeRead | CFile::typeBinary))
        return false;
    const ULONGLONG length = file.GetLength();
    if (length > 0x7FFFFFFF)
        return false;
    bytes.resize(static_cast<size_t>(length));
    if (length > 0 && file.Read(bytes.data(), static_cast<UINT>(length)) != length)
        return false;
    return true;
}

// Things a template replaces only when it carries them; emptied so that the
// shown sheet ends up as the sheet of the first read.
void ForgetTemplateContent(CGridCtrl& grid)
{
    grid.GetPictureList().DeleteAll();
    CMemFile empty;
    CArchive ar(&empty, CArchive::load);
    int none = 0;
    grid.GetFormulaEngine().SerializeUserFunctions(ar, &none);
    grid.GetFormulaEngine().SerializeUserConstants(ar, &none);
    if (grid.GetVirtualMode())
        grid.SetVirtualMode(FALSE);
}

void AfterOpen(CGridCtrl& grid)
{
    grid.UpdateScrollBars();
    if (grid.IsValid(2, 2)) {
        grid.SetFocusCell(2, 2);
        grid.SetSelectedRange(2, 2, 2, 2);
    }
    grid.Refresh();
}

}  // namespace

BOOL SaveTemplateBytes(CGridCtrl& grid, LPCTSTR szPassword, std::vector<BYTE>& bytes)
{
    bytes.clear();
    grid.EndEditing();
    CMemFile file(1024 * 1024);
    {
        CArchive ar(&file, CArchive::store);
        if (!WriteTemplateArchive(grid, ar, szPassword))
            return FALSE;
    }
    const BYTE* p = file.GetBufferPtr();
    bytes.assign(p, p + file.GetLength());
    grid.GetTemplateState().strPassword = szPassword != nullptr ? szPassword : "";
    return TRUE;
}

int OpenTemplateBytes(CGridCtrl& grid, const BYTE* pBytes, size_t nLength, LPCTSTR szPassword)
{
    if (nLength > 0x7FFFFFFF || (pBytes == nullptr && nLength > 0))
        return TRR_FORMAT_ERROR;
    BYTE dummy = 0;
    BYTE* data = pBytes != nullptr ? const_cast<BYTE*>(pBytes) : &dummy;
    {
        // The whole template into a sheet of its own: nothing shown changes
        // unless every part of it reads.
        CGridCtrl scratch;
        CMemFile file(data, static_cast<UINT>(nLength));
        CArchive ar(&file, CArchive::load);
        const int result = ReadTemplateArchive(scratch, ar, szPassword);
        if (result != TRR_OK)
            return result;
    }
    grid.EndEditing();
    const BOOL bDraw = grid.IsDrawingAllowed();
    grid.SetAllowDraw(FALSE);
    grid.RemoveAllFormulaCells();
    ForgetTemplateContent(grid);
    CMemFile file(data, static_cast<UINT>(nLength));
    CArchive ar(&file, CArchive::load);
    int result = ReadTemplateArchive(grid, ar, szPassword);
    if (result != TRR_OK) {
        // The same bytes read once already; should the second read still
        // fail, the sheet is left empty rather than half read.
        grid.DeleteAllCells();
        result = TRR_FORMAT_ERROR;
    }
    grid.SetAllowDraw(bDraw);
    return result;
}

short SaveTemplateFile(CGridCtrl& grid, LPCTSTR szPath, LPCTSTR szPassword)
{
    if (szPath == nullptr || *szPath == '\0')
        return -1;
    std::vector<BYTE> bytes;
    if (!SaveTemplateBytes(grid, szPassword, bytes))
        return -1;
    const CString temp = TemporarySiblingPath(szPath);
    if (temp.IsEmpty())
        return -1;
    {
        CFile file;
        if (!file.Open(temp, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
            return -1;
        const bool written = file.Write(bytes.data(), static_cast<UINT>(bytes.size())) != FALSE;
        file.Close();
        if (!written) {
            CFile::Remove(temp);
            return -1;
        }
    }
    if (!ReplaceFileWith(temp, szPath)) {
        CFile::Remove(temp);
        return -1;
    }
    return 1;
}

int OpenTemplateFile(CGridCtrl& grid, LPCTSTR szPath, LPCTSTR szPassword)
{
    std::vector<BYTE> bytes;
    if (!ReadWholeFile(szPath, bytes)) {
        ShowFormatError();
        return TRR_FORMAT_ERROR;
    }
    const int result = OpenTemplateBytes(grid, bytes.data(), bytes.size(), szPassword);
    if (result == TRR_FORMAT_ERROR)
        ShowFormatError();
    if (result == TRR_OK) {
        grid.GetTemplateState().strFileName = szPath;
        AfterOpen(grid);
    }
    return result;
}

int OpenTemplateAndFill(CGridCtrl& grid, LPCTSTR szPath, LPCTSTR szPassword)
{
    grid.GetConnectionList().SetGrid(&grid);
    grid.GetBindList().SetGrid(&grid);
    TemplateGridState& state = grid.GetTemplateState();
    state.bOpeningTemplate = TRUE;
    int result = OpenTemplateFile(grid, szPath, szPassword);
    if (result == TRR_OK) {
        if (grid.GetConnectionList().OpenAutoConnections() < 1)
            result = -9;
        else if (grid.GetBindList().FillAutoBinds() < 1)
            result = -10;
    }
    state.bOpeningTemplate = FALSE;
    return result;
}

CString SaveTemplateToBase64(CGridCtrl& grid, LPCTSTR szPassword)
{
    std::vector<BYTE> bytes;
    if (!SaveTemplateBytes(grid, szPassword, bytes))
        return CString();
    const std::string text = CBase64::Encode(bytes.data(), bytes.size());
    return CString(text.c_str(), static_cast<int>(text.size()));
}

int OpenTemplateFromBase64(CGridCtrl& grid, LPCTSTR szText, LPCTSTR szPassword)
{
    std::vector<BYTE> bytes;
    int result = TRR_FORMAT_ERROR;
    if (CBase64::Decode(szText, bytes) && !bytes.empty())
        result = OpenTemplateBytes(grid, bytes.data(), bytes.size(), szPassword);
    if (result == TRR_FORMAT_ERROR)
        ShowFormatError();
    if (result == TRR_OK)
        AfterOpen(grid);
    return result;
}
