// The ordinary cell's level of the tagged cell record (end tag 2999).
#include "grid/GridCell.h"
#include "grid/CellValueFieldChange.h"

#include "grid/CellRecordIO.h"
#include "grid/GridCellTypes.h"
#include "grid/GridDefaultCell.h"
#include "grid/GridSysColours.h"
#include "grid/LogFontUtil.h"

namespace {

enum CellRecordTag {
    TAG_LIMIT = 2001,
    TAG_MAXIMUM = 2002,
    TAG_MINIMUM = 2003,
    TAG_OWN_BACK_FLAG = 2004,     // read only
    TAG_OWN_TEXT_FLAG = 2005,     // read only
    TAG_WRAP = 2006,
    TAG_BACK_COLOUR = 2007,
    TAG_TEXT_COLOUR = 2008,
    TAG_FIXED_BACK_COLOUR = 2009,
    TAG_TEXT = 2010,
    TAG_VALUE = 2011,
    TAG_ITEM_DATA = 2012,
    TAG_ALIGN = 2013,
    TAG_IMAGE = 2014,
    TAG_INPUT_TYPE = 2015,
    TAG_MARGIN = 2016,
    TAG_FONT = 2017,
};

}  // namespace

void CGridCell::WriteCellItems(CCellRecordWriter& w)
{
    if (m_bits.limit) {
        w.Int(TAG_LIMIT, 1);
        w.Double(TAG_MAXIMUM, m_pExtra ? m_pExtra->dMax : 0.0);
        w.Double(TAG_MINIMUM, m_pExtra ? m_pExtra->dMin : 0.0);
    }
    if (m_bits.wrap)
        w.Int(TAG_WRAP, 1);
    // A colour item marks the colour as the cell's own when it is read back,
    // so only a colour the cell owns is written: a cell that follows the
    // grid's default colours keeps following them after a reopen, whatever
    // stale value its field holds. The grid's default cells hold colours
    // without owning them; theirs are written whenever they differ.
    const bool bDefaultCell = IsKindOf(RUNTIME_CLASS(CGridDefaultCell)) != FALSE;
    if ((bDefaultCell || m_bits.ownBackColour) && m_crBack != GetDefaultBackColour())
        w.Int(TAG_BACK_COLOUR, static_cast<int>(m_crBack));
    CGridCellBase* pDefault = GetDefaultCell();
    // A grid's default cell is its own default: measured against itself its
    // text colour and alignment would never be written, and a reopened
    // sheet would lose them. It is measured against what a new default cell
    // holds instead.
    const bool bIsDefault = pDefault == this;
    CGridCell* pDefaultCell = !bIsDefault && pDefault && pDefault->IsKindOf(RUNTIME_CLASS(CGridCell))
                                  ? static_cast<CGridCell*>(pDefault)
                                  : nullptr;
    COLORREF defaultText = pDefaultCell ? pDefaultCell->GetStoredTextColor() : GetDefaultTextColour();
    if ((bDefaultCell || m_bits.ownTextColour) && m_crText != defaultText)
        w.Int(TAG_TEXT_COLOUR, static_cast<int>(m_crText));
    COLORREF fixedBack = GetFixedBackColor();
    if (fixedBack != static_cast<COLORREF>(-1))
        w.Int(TAG_FIXED_BACK_COLOUR, static_cast<int>(fixedBack));
    if (IsNumber())
        w.Double(TAG_VALUE, m_dValue);
    else if (!m_strText.IsEmpty())
        w.Text(TAG_TEXT, m_strText.ToString());
    if (m_nItemData != 0)
        w.Int(TAG_ITEM_DATA, m_nItemData);
    UINT defaultAlign = pDefaultCell ? pDefaultCell->GetStoredAlign()
                        : bIsDefault  ? GRID_DEFAULT_ALIGN
                                      : static_cast<UINT>(-1);
    if (m_nAlign != defaultAlign)
        w.Int(TAG_ALIGN, static_cast<int>(m_nAlign));
    if (m_nImage != -1)
        w.Int(TAG_IMAGE, m_nImage);
    int inputType = GetInputType();
    if (inputType != 0)
        w.Int(TAG_INPUT_TYPE, inputType);
    if (m_nMargin != -1)
        w.Int(TAG_MARGIN, m_nMargin);
    if (!IsFixed() && m_pFont != nullptr) {
        const LOGFONT* pDefaultFont = pDefault ? pDefault->GetFont() : nullptr;
        if (pDefaultFont == nullptr || !IsSameLogFontFields(*m_pFont, *pDefaultFont))
            w.LogFont(TAG_FONT, *m_pFont);
    }
}

int CGridCell::GetRecordSize()
{
    CCellRecordWriter counter(nullptr);
    WriteCellItems(counter);
    return CellRecordLevelSize(CGridCellBase::GetRecordSize(), counter.GetItemBytes());
}

void CGridCell::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    if (ar.IsStoring()) {
        ar << CGridCell::GetRecordSize();
        CGridCellBase::SerializeRecord(ar, nullptr);
        CCellRecordWriter writer(&ar);
        WriteCellItems(writer);
        ar << CELL_RECORD_CELL_END;
        return;
    }

    CCellRecordReader rd(ar, pnRunningSize);
    CGridCellBase::SerializeRecord(ar, rd.Counter());
    if (rd.ReadEndOfEmptyLevel())
        return;
    int tag = 0;
    int length = 0;
    while (rd.NextItem(CELL_RECORD_CELL_END, tag, length)) {
        int value = 0;
        double number = 0.0;
        switch (tag) {
        case TAG_LIMIT:
            if (rd.ReadInt(value))
                m_bits.limit = value != 0;
            break;
        case TAG_MAXIMUM:
            if (rd.ReadDouble(number))
                Extra().dMax = number;
            break;
        case TAG_MINIMUM:
            if (rd.ReadDouble(number))
                Extra().dMin = number;
            break;
        case TAG_OWN_BACK_FLAG:
            if (rd.ReadInt(value))
                m_bits.ownBackColour = value != 0;
            break;
        case TAG_OWN_TEXT_FLAG:
            if (rd.ReadInt(value))
                m_bits.ownTextColour = value != 0;
            break;
        case TAG_WRAP:
            if (rd.ReadInt(value))
                m_bits.wrap = value != 0;
            break;
        case TAG_BACK_COLOUR:
            if (rd.ReadInt(value)) {
                m_crBack = static_cast<COLORREF>(value);
                m_bits.ownBackColour = 1;
            }
            break;
        case TAG_TEXT_COLOUR:
            if (rd.ReadInt(value)) {
                m_crText = static_cast<COLORREF>(value);
                m_bits.ownTextColour = 1;
            }
            break;
        case TAG_FIXED_BACK_COLOUR:
            if (rd.ReadInt(value))
                SetFixedBackColor(static_cast<COLORREF>(value));
            break;
        case TAG_TEXT: {
            CString text;
            if (rd.ReadText(text)) {
                m_strText.Set(text);
                EmptyFormattedText();
            }
            break;
        }
        case TAG_VALUE:
            if (rd.ReadDouble(number)) {
                cellvalue::NoteFieldChange();
                m_dValue = number;
                EmptyFormattedText();
            }
            break;
        case TAG_ITEM_DATA:
            rd.ReadInt(value);
            m_nItemData = 0;
            break;
        case TAG_ALIGN:
            if (rd.ReadInt(value))
                m_nAlign = static_cast<UINT>(value);
            break;
        case TAG_IMAGE:
            if (rd.ReadInt(value))
                m_nImage = value;
            break;
        case TAG_INPUT_TYPE:
            if (rd.ReadInt(value))
                SetInputType(value);
            break;
        case TAG_MARGIN:
            if (rd.ReadInt(value))
                m_nMargin = value;
            break;
        case TAG_FONT: {
            LOGFONT lf;
            if (rd.ReadLogFont(lf))
                SetFont(&lf);
            break;
        }
        default:
            rd.SkipItem();
            break;
        }
    }
}
