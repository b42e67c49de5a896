#include "grid/GridDefaultCell.h"

#include "grid/CellRecordIO.h"
#include "grid/GridCtrl.h"
#include "grid/GridSysColours.h"
#include "grid/LogFontUtil.h"
#include "platform/DC.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CGridDefaultCell, CGridCell)

namespace {

// The run of capital X whose width gives the default column width.
const char kSampleText[] = "XXXXXXXX";

}  // namespace

void GetDefaultCellLogFont(LOGFONT* plf)
{
    // The message font of a Chinese system: normal weight, the GB2312
    // character set (so Chinese text finds its glyphs), default precision and
    // quality; the face and the height are replaced as the grid wants them.
    std::memset(plf, 0, sizeof(LOGFONT));
    plf->lfWeight = FW_NORMAL;
    plf->lfCharSet = GB2312_CHARSET;
    plf->lfHeight = -12;
    std::strcpy(plf->lfFaceName, "Arial");
}

CGridDefaultCell::CGridDefaultCell()
{
    m_nAlign = GRID_DEFAULT_ALIGN;
    m_crText = GetDefaultTextColour();
    m_crBack = GetDefaultBackColour();
    LOGFONT lf;
    GetDefaultCellLogFont(&lf);
    SetFont(&lf);
}

CGridDefaultCell::~CGridDefaultCell() = default;

void CGridDefaultCell::SetTextColor(COLORREF clr)
{
    m_crText = clr;
}

void CGridDefaultCell::SetBackColor(COLORREF clr)
{
    m_crBack = clr;
}

void CGridDefaultCell::SetFont(const LOGFONT* plf)
{
    if (plf == nullptr)
        return;
    CGridCell::SetFont(plf);
    m_nMargin = 3;
    CFont* pFont = GetPooledFontObject(m_pFont);
    CDC dc;
    if (pFont == nullptr || pFont->GetSafeHandle() == nullptr || !dc.CreateCompatibleDC(nullptr)) {
        m_nWidth = 40;
        m_nHeight = 16;
        return;
    }
    CFont* pOld = dc.SelectObject(pFont);
    CSize size = dc.GetTextExtent(kSampleText, static_cast<int>(sizeof(kSampleText) - 1));
    dc.SelectObject(pOld);
    m_nWidth = size.cx;
    m_nHeight = size.cx / 4;
}

CFont* CGridDefaultCell::GetFontObject()
{
    return GetPooledFontObject(m_pFont);
}

int CGridDefaultCell::GetWidth()
{
    if (m_pGrid != nullptr && m_pGrid->GetDefaultSettingRecord().m_nColWidth >= 0)
        return m_pGrid->GetDefaultSettingRecord().m_nColWidth;
    return m_nWidth;
}

int CGridDefaultCell::GetHeight()
{
    if (m_pGrid != nullptr && m_pGrid->GetDefaultSettingRecord().m_nRowHeight >= 0)
        return m_pGrid->GetDefaultSettingRecord().m_nRowHeight;
    return m_nHeight;
}

int CGridDefaultCell::GetRecordSize()
{
    return CGridCell::GetRecordSize() + 76;
}

void CGridDefaultCell::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    if (ar.IsStoring()) {
        ar << CGridDefaultCell::GetRecordSize();
        CGridCell::SerializeRecord(ar, nullptr);
        LOGFONT lf;
        std::memset(&lf, 0, sizeof(lf));
        if (m_pFont != nullptr)
            lf = *m_pFont;
        ar << m_nStyle;
        SerializeLogFont(ar, &lf);
        ar << m_nWidth << m_nHeight;
        return;
    }

    CCellRecordReader rd(ar, pnRunningSize);
    CGridCell::SerializeRecord(ar, rd.Counter());
    if (rd.GetLevelSize() < 5 || ar.IsFailed())
        return;
    int style = 0;
    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    int width = 0;
    int height = 0;
    ar >> style;
    SerializeLogFont(ar, &lf);
    ar >> width >> height;
    rd.CountRead(4 + LOGFONT_ARCHIVE_SIZE + 8);
    if (ar.IsFailed())
        return;
    m_nStyle = style;
    SetFont(&lf);
    // A size can never be negative: a damaged record gives 0, not a huge width.
    m_nWidth = std::max(0, width);
    m_nHeight = std::max(0, height);
    rd.SkipRestOfLevel();
}
