#include "document/TemplateArchive.h"

#include "base/CMemFile.h"
#include "base/NumberText.h"
#include "document/GridPrintSettings.h"
#include "document/PrintSettingsArchive.h"
#include "document/TemplateGridBody.h"
#include "document/TemplatePassword.h"
#include "document/TemplateVersion.h"
#include "grid/GridCtrl.h"

#include <cstring>
#include <vector>

namespace {

const char kMagic[5] = {'K', 'I', 'V', 'O', '\0'};

void WriteHeader(CArchive& ar, const TemplateHeaderFields& h)
{
    ar.Write(kMagic, 5);
    ar.WritePaddedText(GetTemplateWriterVersion(), 6);
    ar << kTemplateFormatNumber;
    ar << h.nValueA << h.nValueB << AToF(h.strSerial) << h.nValueC << static_cast<signed char>(h.nValueD)
       << static_cast<short>(h.nValueE) << h.nValueF << h.nValueG << h.dValueH;
    ar.Write(h.reserved1, sizeof(h.reserved1));
    ar.Write(h.reserved2, sizeof(h.reserved2));
    ar.Write(h.reserved3, sizeof(h.reserved3));
}

void WriteFileInfo(CArchive& ar, const TemplateFileInfo& info)
{
    ar.WriteCountedText(info.strCompany);
    ar.WriteCountedText(info.strProduct);
    ar.WriteCountedText(info.strAuthor);
    ar << info.dtDate;
    ar.WriteCountedText(info.strDescription);
    ar << info.nInfoValue1;
    ar.WriteCountedText(info.strFlagText);
    ar << info.nInfoValue2;
    ar.WriteCountedText(info.strTailText);
}

CString Cut(const CString& text, int capacity)
{
    return CGridPrintSettings::CutToField(text, capacity);
}

bool ReadFileInfo(CArchive& ar, TemplateFileInfo& out)
{
    TemplateFileInfo info;
    ar.ReadCountedText(info.strCompany);
    ar.ReadCountedText(info.strProduct);
    ar.ReadCountedText(info.strAuthor);
    ar >> info.dtDate;
    ar.ReadCountedText(info.strDescription);
    ar >> info.nInfoValue1;
    ar.ReadCountedText(info.strFlagText);
    ar >> info.nInfoValue2;
    ar.ReadCountedText(info.strTailText);
    if (ar.IsFailed())
        return false;
    info.strCompany = Cut(info.strCompany, TemplateFileInfo::kCompanySize);
    info.strProduct = Cut(info.strProduct, TemplateFileInfo::kProductSize);
    info.strAuthor = Cut(info.strAuthor, TemplateFileInfo::kAuthorSize);
    info.strDescription = Cut(info.strDescription, TemplateFileInfo::kDescriptionSize);
    info.strFlagText = Cut(info.strFlagText, TemplateFileInfo::kFlagTextSize);
    info.strTailText = Cut(info.strTailText, TemplateFileInfo::kTailTextSize);
    out = info;
    return true;
}

bool ReadMarker(CArchive& ar, BYTE expected)
{
    BYTE marker = 0;
    ar >> marker;
    if (ar.IsFailed())
        return false;
    if (marker != expected) {
        ar.SetFailed(CArchive::statusBadCount);
        return false;
    }
    return true;
}

}  // namespace

BOOL WriteTemplateArchive(CGridCtrl& grid, CArchive& ar, LPCTSTR szPassword)
{
    char check[kTemplatePasswordCheckSize];
    MakePasswordCheck(szPassword, check);
    WriteHeader(ar, grid.GetTemplateState().header);

    CMemFile bodyFile(64 * 1024);
    {
        CArchive body(&bodyFile, CArchive::store);
        WriteTemplateGridBody(grid, body, check);
        if (body.IsFailed())
            return FALSE;
    }
    const int bodySize = static_cast<int>(bodyFile.GetLength());
    const int printSize = GetPrintSettingsSectionSize(grid.GetPrintSettings());
    ar << static_cast<BYTE>(1) << bodySize + printSize;
    ar << static_cast<BYTE>(2) << bodySize;
    if (bodySize > 0)
        ar.Write(bodyFile.GetBufferPtr(), static_cast<UINT>(bodySize));
    ar << static_cast<BYTE>(3);
    WritePrintSettingsSection(ar, grid.GetPrintSettings());
    ar << static_cast<BYTE>(4);
    WriteTemplateCellList(grid, ar);
    ar << static_cast<BYTE>(5);
    WriteFileInfo(ar, grid.GetFileInfo());
    ar.Flush();
    return ar.IsFailed() ? FALSE : TRUE;
}

int ReadTemplateArchive(CGridCtrl& grid, CArchive& ar, LPCTSTR szPassword)
{
    char magic[5] = {};
    if (ar.Read(magic, 5) != 5)
        return TRR_FORMAT_ERROR;
    if (std::memcmp(magic, kMagic, 5) != 0)
        return TRR_WRONG_MAGIC;
    char version[6] = {};
    ar.Read(version, 6);
    int format = 0;
    ar >> format;
    if (ar.IsFailed())
        return TRR_FORMAT_ERROR;
    if (format < kTemplateFormatNumber)
        return TRR_TOO_OLD;
    TemplateHeaderFields h;
    double serial = 0.0;
    signed char d = 0;
    short e = 0;
    ar >> h.nValueA >> h.nValueB >> serial >> h.nValueC >> d >> e >> h.nValueF >> h.nValueG >> h.dValueH;
    ar.Read(h.reserved1, sizeof(h.reserved1));
    ar.Read(h.reserved2, sizeof(h.reserved2));
    ar.Read(h.reserved3, sizeof(h.reserved3));
    if (ar.IsFailed())
        return TRR_FORMAT_ERROR;
    h.nValueD = d;
    h.nValueE = e;
    // A whole number of up to 14 digits; anything else is not one.
    if (serial >= 0.0 && serial < 1e14)
        h.strSerial.Format("%.0f", serial);
    SetTemplateVersionBytes(version);

    char check[kTemplatePasswordCheckSize];
    MakePasswordCheck(szPassword, check);
    grid.DeleteAllCells();
    int combined = 0;
    if (!ReadMarker(ar, 1))
        return TRR_FORMAT_ERROR;
    ar >> combined;
    int bodySize = 0;
    if (ar.IsFailed() || !ReadMarker(ar, 2))
        return TRR_FORMAT_ERROR;
    ar >> bodySize;
    if (ar.IsFailed())
        return TRR_FORMAT_ERROR;
    std::vector<TemplateTreeRecord> trees;
    const int body = ReadTemplateGridBody(grid, ar, bodySize, check, trees);
    if (body != TRR_OK)
        return body;
    if (!ReadMarker(ar, 3) || !ReadPrintSettingsSection(ar, grid.GetPrintSettings()))
        return TRR_FORMAT_ERROR;
    if (!ReadMarker(ar, 4))
        return TRR_FORMAT_ERROR;
    const int cells = ReadTemplateCellList(grid, ar);
    if (cells != TRR_OK)
        return cells;
    if (!ReadMarker(ar, 5) || !ReadFileInfo(ar, grid.GetFileInfo()))
        return TRR_FORMAT_ERROR;
    // The trees go on the sheet once its cells are there.
    if (!AttachTemplateTrees(grid, trees))
        return TRR_FORMAT_ERROR;
    grid.GetTemplateState().header = h;
    grid.GetTemplateState().strPassword = szPassword != nullptr ? szPassword : "";
    return TRR_OK;
}
