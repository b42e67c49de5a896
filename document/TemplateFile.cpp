#include "document/TemplateFile.h"

#include "base/CArchive.h"
#include "base/CFile.h"
#include "base/CMemFile.h"
#include "base/FileReplace.h"
#include "document/TemplateArchive.h"
#include "document/TemplateBase64.h"
#include "document/TemplateGridBody.h"
#include "grid/GridCtrl.h"
#include "platform/MessageBox.h"

#include <cstdlib>
#include <cstring>
#include <memory>

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

// An append-only file over the caller's vector: a template is written into
// the memory that receives it.
class CVectorSink : public CFile {
public:
    explicit CVectorSink(std::vector<BYTE>& bytes) : m_bytes(bytes) {}
    BOOL IsOpen() const override { return TRUE; }
    UINT Read(void*, UINT) override { return 0; }
    BOOL Write(const void* lpBuf, UINT nCount) override
    {
        if (nCount == 0)
            return TRUE;
        if (lpBuf == nullptr || nCount > 0x7FFFFFFFu - m_bytes.size())
            return FALSE;
        const BYTE* p = static_cast<const BYTE*>(lpBuf);
        m_bytes.insert(m_bytes.end(), p, p + nCount);
        return TRUE;
    }
    LONGLONG Seek(LONGLONG, UINT) override { return -1; }
    ULONGLONG GetLength() const override { return m_bytes.size(); }
    ULONGLONG GetPosition() const override { return m_bytes.size(); }
    BOOL SetLength(ULONGLONG) override { return FALSE; }
    BOOL Flush() override { return TRUE; }
    BOOL Close() override { return TRUE; }

private:
    std::vector<BYTE>& m_bytes;
};

// The whole template through one buffered archive onto the file.
BOOL WriteTemplateTo(CGridCtrl& grid, CFile& file, LPCTSTR szPassword)
{
    CArchive ar(&file, CArchive::store | CArchive::bBuffered, 256 * 1024);
    BOOL ok = WriteTemplateArchive(grid, ar, szPassword);
    ar.Close();
    return ok && !ar.IsFailed();
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
    CVectorSink file(bytes);
    if (!WriteTemplateTo(grid, file, szPassword)) {
        bytes.clear();
        return FALSE;
    }
    grid.GetTemplateState().strPassword = szPassword != nullptr ? szPassword : "";
    return TRUE;
}

int OpenTemplateBytes(CGridCtrl& grid, const BYTE* pBytes, size_t nLength, LPCTSTR szPassword)
{
    if (nLength > 0x7FFFFFFF || (pBytes == nullptr && nLength > 0))
        return TRR_FORMAT_ERROR;
    BYTE dummy = 0;
    BYTE* data = pBytes != nullptr ? const_cast<BYTE*>(pBytes) : &dummy;
    // The whole template into a sheet of its own, read once: nothing shown
    // changes unless every part of it reads, and then the shown sheet takes
    // the new one over.
    std::unique_ptr<CGridCtrl> scratch(new CGridCtrl);
    if (grid.GetDefaultCellType() != nullptr)
        scratch->SetDefaultCellType(grid.GetDefaultCellType());
    {
        CMemFile file(data, static_cast<UINT>(nLength));
        CArchive ar(&file, CArchive::load | CArchive::bBuffered, 64 * 1024);
        const int result = ReadTemplateArchive(*scratch, ar, szPassword);
        if (result != TRR_OK)
            return result;
    }
    grid.EndEditing();
    const BOOL bDraw = grid.IsDrawingAllowed();
    grid.SetAllowDraw(FALSE);
    grid.RemoveAllFormulaCells();
    ForgetTemplateContent(grid);
    TakeTemplateSheet(grid, *scratch);
    grid.SetAllowDraw(bDraw);
    return TRR_OK;
}

short SaveTemplateFile(CGridCtrl& grid, LPCTSTR szPath, LPCTSTR szPassword)
{
    if (szPath == nullptr || *szPath == '\0')
        return -1;
    grid.EndEditing();
    // Written straight into a temporary file that replaces the target only
    // once every byte is on the disk.
    const FileWriteResult result =
        WriteFileReplacing(szPath, [&](CFile& file) { return WriteTemplateTo(grid, file, szPassword) != FALSE; });
    if (result != FileWriteResult::ok)
        return -1;
    grid.GetTemplateState().strPassword = szPassword != nullptr ? szPassword : "";
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
    const size_t length = CBase64::EncodedLength(bytes.size());
    if (length > 0x7FFFFFF0u)
        return CString();
    CString text;
    if (length > 0)
        CBase64::EncodeTo(bytes.data(), bytes.size(), text.GetBufferSetLength(static_cast<int>(length)));
    return text;
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
