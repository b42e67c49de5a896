#include "control/EventTranslation.h"

#include "base/Cp936.h"
#include "control/GridNotify.h"

#include <cstring>

using namespace gridnotify;

namespace {

LONG Lo(WPARAM v) { return static_cast<LONG>(LOWORD(v)); }
LONG Hi(WPARAM v) { return static_cast<LONG>(HIWORD(v)); }
LONG LoL(LPARAM v) { return static_cast<LONG>(LOWORD(v)); }
LONG HiL(LPARAM v) { return static_cast<LONG>(HIWORD(v)); }
SHORT Signed16(WPARAM v) { return static_cast<SHORT>(LOWORD(v)); }

// A by-reference flag of the grid (a 32-bit BOOL) seen as the event's short.
class CFlagRef {
public:
    explicit CFlagRef(BOOL* flag) : m_flag(flag), m_value(flag ? static_cast<SHORT>(*flag) : 0) {}
    ~CFlagRef()
    {
        if (m_flag != nullptr)
            *m_flag = m_value;
    }
    SHORT& Value() { return m_value; }

private:
    BOOL* m_flag;
    SHORT m_value;
};

// A by-reference 32-bit value of the grid seen as the event's long.
template <class T>
class CLongRef {
public:
    explicit CLongRef(T* value) : m_ptr(value), m_value(value ? static_cast<LONG>(*value) : 0) {}
    ~CLongRef()
    {
        if (m_ptr != nullptr)
            *m_ptr = static_cast<T>(m_value);
    }
    LONG& Value() { return m_value; }

private:
    T* m_ptr;
    LONG m_value;
};

// The rows and columns of a message that packs them: the packed halves
// (row, col) and, for 1027, (row2, col2), unless the grid kept whole ones.
GridEventLines Lines(UINT message, WPARAM w, LPARAM l, CEventContext& ctx, LONG row, LONG col, LONG row2 = 0,
                     LONG col2 = 0)
{
    GridEventLines lines;
    lines.row = row;
    lines.col = col;
    lines.row2 = row2;
    lines.col2 = col2;
    GridEventLines whole;
    if (ctx.TakeEventLines(message, w, l, whole))
        lines = whole;
    return lines;
}

void FireMouse(UINT message, WPARAM w, LPARAM l, CEventContext& ctx, CKivoSheetEvents& ev)
{
    POINT pt;
    pt.x = GET_X_LPARAM(l);
    pt.y = GET_Y_LPARAM(l);
    LONG row = -1, col = -1;
    ctx.CellFromPoint(pt, row, col);
    ctx.ClientToScreenPoint(pt);
    const LONG flags = Lo(w);
    switch (message) {
    case kMouseMove: ev.FireGridMouseMove(flags, pt.x, pt.y, row, col); break;
    case kDragOver: ev.FireGridDragOver(flags, pt.x, pt.y, row, col); break;
    case kLClickUp: ev.FireGridLClickUp(flags, pt.x, pt.y, row, col); break;
    case kDblClick: ev.FireGridDblClick(flags, pt.x, pt.y, row, col); break;
    case kRClickUp: ev.FireGridRClickUp(flags, pt.x, pt.y, row, col); break;
    default: break;
    }
}

// Copies the host's answer into the formula engine's buffer: at most size - 1
// bytes, never half a two-byte character, always terminated.
void CopyResult(const CString& text, char* buffer, int size)
{
    int n = text.GetLength();
    if (n > size - 1) {
        n = size - 1;
        if (!cp936::IsCharBoundary(text.GetString(), text.GetLength(), n))
            n = cp936::PrevChar(text.GetString(), text.GetLength(), n);
    }
    std::memcpy(buffer, text.GetString(), static_cast<size_t>(n));
    buffer[n] = '\0';
}

}  // namespace

bool IsGridEventMessage(UINT message)
{
    switch (message) {
    case kMouseMove: case kDragOver: case kSelectRange: case kLClickUp: case kDblClick: case kKeyPress:
    case kColumnResize: case kRowResize: case kMouseWheel: case kRClickUp: case kCellStartEdit:
    case kCellEndEdit: case kTreeExpand: case kTreeCollapse: case kCellBtnLClickUp: case kCellBtnLClickDown:
    case kVScroll: case kHScroll: case kComboSelChange: case kCalcUserFunction: case kBeginPrint:
    case kBeginPreview: case kFinishPrint: case kFinishPreview: case kCheckBoxChecked: case kOnChar:
    case kMenuStart: case kMenuCommand:
        return true;
    default:
        return false;
    }
}

bool TranslateGridMessage(UINT message, WPARAM w, LPARAM l, CEventContext& ctx, CKivoSheetEvents& ev)
{
    switch (message) {
    case kMouseMove:
    case kDragOver:
    case kLClickUp:
    case kDblClick:
    case kRClickUp:
        FireMouse(message, w, l, ctx, ev);
        return true;
    case kSelectRange: {
        const GridEventLines r = Lines(message, w, l, ctx, Lo(w), LoL(l), Hi(w), HiL(l));
        ev.FireGridSelectRange(r.row, r.col, r.row2, r.col2);
        return true;
    }
    case kKeyPress: {
        CLongRef<UINT> key(reinterpret_cast<UINT*>(w));
        ev.FireGridKeyPress(key.Value(), static_cast<LONG>(l));
        return true;
    }
    case kOnChar: {
        CLongRef<UINT> key(reinterpret_cast<UINT*>(w));
        ev.FireGridOnChar(key.Value(), static_cast<LONG>(l));
        return true;
    }
    case kColumnResize: {
        CFlagRef flag(reinterpret_cast<BOOL*>(l));
        ev.FireGridColumnResize(static_cast<LONG>(w), flag.Value());
        return true;
    }
    case kRowResize: {
        CFlagRef flag(reinterpret_cast<BOOL*>(l));
        ev.FireGridRowResize(static_cast<LONG>(w), flag.Value());
        return true;
    }
    case kMouseWheel:
        ev.FireGridMouseWheel(static_cast<LONG>(w), static_cast<SHORT>(LOWORD(l)));
        return true;
    case kCellStartEdit: {
        auto* rec = reinterpret_cast<CStartEditRecord*>(w);
        if (rec == nullptr)
            return true;
        CFlagRef flag(rec->pAllow);
        ev.FireGridCellStartEdit(rec->row, rec->col, rec->type, flag.Value());
        return true;
    }
    case kCellEndEdit: {
        const GridEventLines r = Lines(message, w, l, ctx, Lo(w), Hi(w));
        ev.FireGridCellEndEdit(r.row, r.col, static_cast<LONG>(l));
        return true;
    }
    case kTreeExpand: {
        auto* rec = reinterpret_cast<CTreeExpandRecord*>(l);
        if (rec == nullptr)
            return true;
        CFlagRef may(rec->pMayExpand);
        CLongRef<std::int32_t> flags(rec->pExpandFlags);
        ev.FireGridTreeExpand(rec->row, may.Value(), flags.Value());
        return true;
    }
    case kTreeCollapse: {
        CFlagRef flag(reinterpret_cast<BOOL*>(l));
        ev.FireGridTreeCollapse(static_cast<LONG>(w), flag.Value());
        return true;
    }
    case kCellBtnLClickUp: {
        const GridEventLines r = Lines(message, w, l, ctx, Lo(w), Hi(w));
        ev.FireGridCellBtnLClickUp(r.row, r.col, LoL(l), HiL(l));
        return true;
    }
    case kCellBtnLClickDown: {
        const GridEventLines r = Lines(message, w, l, ctx, Lo(w), Hi(w));
        ev.FireGridCellBtnLClickDown(r.row, r.col, LoL(l), HiL(l));
        return true;
    }
    case kVScroll: {
        const GridEventLines r = Lines(message, w, l, ctx, Lo(w), Hi(w));
        ev.FireGridVScroll(r.row, r.col, static_cast<LONG>(l));
        return true;
    }
    case kHScroll: {
        const GridEventLines r = Lines(message, w, l, ctx, Lo(w), Hi(w));
        ev.FireGridHScroll(r.row, r.col, static_cast<LONG>(l));
        return true;
    }
    case kComboSelChange: {
        auto* rec = reinterpret_cast<const CComboSelRecord*>(l);
        if (rec == nullptr)
            return true;
        ev.FireGridCellComboSelChange(rec->row, rec->col, rec->index, CString(rec->text));
        return true;
    }
    case kCalcUserFunction: {
        auto* rec = reinterpret_cast<CUserFunctionRecord*>(w);
        if (rec == nullptr || rec->result == nullptr)
            return true;
        CString result(rec->result, static_cast<int>(strnlen(rec->result, kUserFunctionResultSize)));
        ev.FireGridCalcUserFunction(CString(rec->name), CString(rec->params), result);
        CopyResult(result, rec->result, kUserFunctionResultSize);
        return true;
    }
    case kBeginPrint:
        ev.FireGridBeginPrint();
        return true;
    case kBeginPreview:
        ev.FireGridBeginPreview(Signed16(w));
        return true;
    case kFinishPrint:
        ev.FireGridFinishPrint();
        return true;
    case kFinishPreview:
        ev.FireGridFinishPreview(Signed16(w));
        return true;
    case kCheckBoxChecked: {
        const GridEventLines r = Lines(message, w, l, ctx, Lo(w), Hi(w));
        ev.FireGridCellCheckBoxChecked(r.row, r.col, static_cast<SHORT>(LOWORD(l)));
        return true;
    }
    case kMenuStart: {
        const GridEventLines r = Lines(message, w, l, ctx, Lo(w), Hi(w));
        ev.FireGridMenuStart(r.row, r.col, static_cast<SHORT>(LOWORD(l)));
        return true;
    }
    case kMenuCommand: {
        const GridEventLines r = Lines(message, w, l, ctx, Lo(w), Hi(w));
        ev.FireGridMenuCommand(r.row, r.col, static_cast<LONG>(l));
        return true;
    }
    default:
        return false;
    }
}
