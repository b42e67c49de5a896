// The base level of the tagged cell record (end tag 1999).
#include "grid/GridCellBase.h"
#include "grid/CellValueFieldChange.h"

#include "grid/CellRecordIO.h"
#include "grid/GridCtrl.h"

#include <cstring>

namespace {

// Items of the base level, in writing order.
enum BaseRecordTag {
    TAG_BORDER_LEFT = 1001,
    TAG_BORDER_TOP = 1002,
    TAG_BORDER_RIGHT = 1003,
    TAG_BORDER_BOTTOM = 1004,
    TAG_BORDER_MASK = 1005,
    TAG_DISPLAY_ELLIPSIS = 1006,
    TAG_DISPLAY_TIP = 1007,
    TAG_MERGE_OWNER_FLAG = 1008,
    TAG_OWN_SEL_BACK = 1009,
    TAG_SEL_BACK_COLOUR = 1010,
    TAG_OLD_COLOUR = 1011,          // read and without effect
    TAG_HIDDEN = 1012,
    TAG_MERGED = 1013,
    TAG_MERGE_OWNER = 1014,         // column, row
    TAG_MERGE_RANGE = 1015,         // min row, min column, max row, max column
    TAG_NUMBER = 1016,
    TAG_STATE = 1017,               // read only: the whole state word
    TAG_FONT_TEXT = 1018,
    TAG_FORMAT_TEXT = 1019,
    TAG_FORMATTED_TEXT = 1020,
    TAG_ID = 1021,
    TAG_MEMO = 1022,
    TAG_TIP_TEXT = 1023,
    TAG_READ_ONLY = 1024,
    TAG_BORDER_DIAGONAL_DOWN = 1025,
    TAG_BORDER_DIAGONAL_UP = 1026,
    TAG_BORDER_FAN_TOPLEFT = 1027,
    TAG_BORDER_FAN_BOTTOMRIGHT = 1028,
};

// The tag of border block i (bit 1 << i).
int BorderTag(int i)
{
    return i < 4 ? TAG_BORDER_LEFT + i : TAG_BORDER_DIAGONAL_DOWN + (i - 4);
}

// The block index of a border tag, -1 for another tag.
int BorderIndex(int nTag)
{
    if (nTag >= TAG_BORDER_LEFT && nTag <= TAG_BORDER_BOTTOM)
        return nTag - TAG_BORDER_LEFT;
    if (nTag >= TAG_BORDER_DIAGONAL_DOWN && nTag <= TAG_BORDER_FAN_BOTTOMRIGHT)
        return 4 + (nTag - TAG_BORDER_DIAGONAL_DOWN);
    return -1;
}

}  // namespace

// Walks the base level's items with a counting or a writing writer.
class CGridCellRecordAccess {
public:
    static void WriteBaseItems(CGridCellBase& cell, CCellRecordWriter& w)
    {
        const CGridCellExtra* x = cell.ExtraOrNull();
        UINT mask = x ? x->nBorderMask : 0;
        if (mask != 0)
            w.Int(TAG_BORDER_MASK, static_cast<int>(mask));
        for (int i = 0; i < CELL_BORDER_BLOCK_COUNT; ++i) {
            if ((mask & (1u << i)) == 0)
                continue;
            const CBorderBlock& b = x->borders[i];
            int block[3] = {b.colour, b.lineStyle, b.lineWidth};
            w.Ints(BorderTag(i), block, 3);
        }
        const CGridCellBase::Bits& bits = cell.m_bits;
        if (bits.displayEllipsis)
            w.Int(TAG_DISPLAY_ELLIPSIS, 1);
        if (!bits.displayTip)
            w.Int(TAG_DISPLAY_TIP, 0);
        if (bits.mergeOwner)
            w.Int(TAG_MERGE_OWNER_FLAG, 1);
        if (bits.ownSelBack)
            w.Int(TAG_OWN_SEL_BACK, 1);
        if (x && x->crSelBack != GRID_DEFAULT_SEL_BACK_COLOUR)
            w.Int(TAG_SEL_BACK_COLOUR, static_cast<int>(x->crSelBack));
        if (bits.hidden)
            w.Int(TAG_HIDDEN, 1);
        if (bits.merged)
            w.Int(TAG_MERGED, 1);
        if (x && x->mergeOwner != CGridCellPos()) {
            int owner[2] = {x->mergeOwner.col, x->mergeOwner.row};
            w.Ints(TAG_MERGE_OWNER, owner, 2);
        }
        if (x && !x->mergeRange.IsNone()) {
            const CGridCellRange& r = x->mergeRange;
            int range[4] = {r.GetMinRow(), r.GetMinCol(), r.GetMaxRow(), r.GetMaxCol()};
            w.Ints(TAG_MERGE_RANGE, range, 4);
        }
        if (bits.number)
            w.Int(TAG_NUMBER, cell.GetDataType());
        if ((cell.m_nState & GCS_READONLY) != 0)
            w.Int(TAG_READ_ONLY, 1);
        if (x == nullptr)
            return;
        if (!x->strFontXml.IsEmpty())
            w.Text(TAG_FONT_TEXT, x->strFontXml);
        if (!x->strFormatXml.IsEmpty())
            w.Text(TAG_FORMAT_TEXT, x->strFormatXml);
        if (!x->strFormattedText.IsEmpty())
            w.Text(TAG_FORMATTED_TEXT, x->strFormattedText);
        if (x->szId[0] != '\0')
            w.Bytes(TAG_ID, x->szId, static_cast<int>(std::strlen(x->szId)));
        if (!x->strMemo.IsEmpty())
            w.Text(TAG_MEMO, x->strMemo);
        if (!x->strTipText.IsEmpty())
            w.Text(TAG_TIP_TEXT, x->strTipText);
    }

    static void ReadBaseItem(CGridCellBase& cell, CCellRecordReader& rd, int nTag, int nLength)
    {
        // An item without data leaves its field unchanged.
        if (nLength == 0)
            return;
        cellvalue::NoteFieldChange();
        CGridCellBase::Bits& bits = cell.m_bits;
        int value = 0;
        int index = BorderIndex(nTag);
        if (index >= 0) {
            int block[3];
            if (rd.ReadInts(block, 3)) {
                CGridCellExtra& x = cell.Extra();
                x.borders[index].colour = block[0];
                x.borders[index].lineStyle = block[1];
                x.borders[index].lineWidth = block[2];
            }
            return;
        }
        switch (nTag) {
        case TAG_BORDER_MASK:
            if (rd.ReadInt(value) && (value != 0 || cell.ExtraOrNull() != nullptr))
                cell.Extra().nBorderMask = static_cast<UINT>(value) & CBF_ALL;
            break;
        case TAG_DISPLAY_ELLIPSIS:
            if (rd.ReadInt(value))
                bits.displayEllipsis = value != 0;
            break;
        case TAG_DISPLAY_TIP:
            if (rd.ReadInt(value))
                bits.displayTip = value != 0;
            break;
        case TAG_MERGE_OWNER_FLAG:
            if (rd.ReadInt(value))
                bits.mergeOwner = value != 0;
            break;
        case TAG_OWN_SEL_BACK:
            if (rd.ReadInt(value))
                bits.ownSelBack = value != 0;
            break;
        case TAG_SEL_BACK_COLOUR:
            if (rd.ReadInt(value))
                cell.Extra().crSelBack = static_cast<COLORREF>(value);
            break;
        case TAG_HIDDEN:
            if (rd.ReadInt(value))
                bits.hidden = value != 0;
            break;
        case TAG_MERGED:
            if (rd.ReadInt(value))
                bits.merged = value != 0;
            break;
        case TAG_MERGE_OWNER: {
            int owner[2];
            if (rd.ReadInts(owner, 2)) {
                cell.Extra().mergeOwner.Set(owner[1], owner[0]);
                CGridCtrl* pGrid = cell.GetGrid();
                if (bits.mergeOwner && pGrid != nullptr)
                    pGrid->AddMergeOwner(CGridCellPos(owner[1], owner[0]));
            }
            break;
        }
        case TAG_MERGE_RANGE: {
            int range[4];
            cellvalue::NoteFieldChange();
            if (rd.ReadInts(range, 4))
                cell.Extra().mergeRange.Set(range[0], range[1], range[2], range[3]);
            break;
        }
        case TAG_NUMBER:
            if (rd.ReadInt(value))
                cell.SetDataType(value);
            break;
        case TAG_STATE:
            if (rd.ReadInt(value))
                cell.m_nState = static_cast<UINT>(value);
            break;
        case TAG_READ_ONLY:
            if (rd.ReadInt(value) && value == 1)
                cell.m_nState |= GCS_READONLY;
            break;
        case TAG_FONT_TEXT:
            rd.ReadText(cell.Extra().strFontXml);
            break;
        case TAG_FORMAT_TEXT:
            rd.ReadText(cell.Extra().strFormatXml);
            break;
        case TAG_FORMATTED_TEXT:
            rd.ReadText(cell.Extra().strFormattedText);
            break;
        case TAG_ID: {
            CString id;
            if (rd.ReadText(id))
                cell.SetId(id);
            break;
        }
        case TAG_MEMO:
            rd.ReadText(cell.Extra().strMemo);
            break;
        case TAG_TIP_TEXT:
            rd.ReadText(cell.Extra().strTipText);
            break;
        default:   // TAG_OLD_COLOUR and tags of newer writers
            rd.SkipItem();
            break;
        }
    }
};

int CGridCellBase::GetRecordSize()
{
    CCellRecordWriter counter(nullptr);
    CGridCellRecordAccess::WriteBaseItems(*this, counter);
    return CellRecordLevelSize(0, counter.GetItemBytes());
}

void CGridCellBase::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    if (ar.IsStoring()) {
        ar << CGridCellBase::GetRecordSize();
        CCellRecordWriter writer(&ar);
        CGridCellRecordAccess::WriteBaseItems(*this, writer);
        ar << CELL_RECORD_BASE_END;
        return;
    }
    CCellRecordReader rd(ar, pnRunningSize);
    if (rd.ReadEndOfEmptyLevel())
        return;
    int tag = 0;
    int length = 0;
    while (rd.NextItem(CELL_RECORD_BASE_END, tag, length))
        CGridCellRecordAccess::ReadBaseItem(*this, rd, tag, length);
}
