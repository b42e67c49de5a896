// How the selected cells look: font name and size from the frame's boxes,
// bold, italic, underline and strike-out, alignment, colours, borders in the
// line style and colour of the frame's line-style box, word wrap, read-only
// marking and tips.
#include "designer/commands/EditingFamily.h"

#include "designer/DesignerCommands.h"
#include "designer/DesignerUi.h"
#include "designer/LineStyles.h"
#include "designer/dialogs/CellToolDialogs.h"

using namespace designer_cmd;

namespace {

// Ids of the formatting commands.
const UINT kFontNameBox = 5420, kFontSizeBox = 5421;
const UINT kBold = 32808, kItalic = 32809, kUnderline = 32810, kStrikeOut = 32811;
const UINT kAlignLeft = 32812, kAlignCentre = 32813, kAlignRight = 32814;
const UINT kAlignTop = 32850, kAlignMiddle = 32851, kAlignBottom = 32852;
const UINT kTextColour = 32806, kBackColour = 32807;
const UINT kBorderLeft = 32823, kBorderTop = 32825, kBorderRight = 32842, kBorderBottom = 32826;
const UINT kBorderAll = 32827, kBorderClear = 32884, kBorderOuter = 32908, kBorderInner = 32909;
const UINT kLineColour = 32886, kWrap = 32927, kReadOnly = 32846, kWritable = 32849;
const UINT kDeleteTip = 32832;

// The read-only marking's background (red 212, green 208, blue 200).
const COLORREF kReadOnlyBack = 0xC8D0D4;
const COLORREF kWhite = 0xFFFFFF;

// Whether the frame's toolbar shows the button checked (the command's own
// update state when the frame has no such button).
bool ShownChecked(CDesignerContext& ctx, UINT id)
{
    const int shown = ctx.ui.ToolbarChecked(id);
    if (shown >= 0)
        return shown != 0;
    CCmdState state;
    CDesignerCommands::Instance().Update(id, ctx, state);
    return state.checked != FALSE;
}

void Walk(CDesignerContext& ctx, const std::function<void(IGridControl&, LONG, LONG)>& fn)
{
    IGridControl& g = ctx.Grid();
    bool any = false;
    WalkSelection(g, [&](LONG r, LONG c) {
        fn(g, r, c);
        any = true;
        return true;
    });
    if (any)
        ctx.Changed();
}

// A font attribute switched by its button: set when the button is checked
// after the click (it was shown unchecked), removed otherwise.
void FontSwitch(CDesignerContext& ctx, UINT id, const char* name, const char* value)
{
    const bool on = !ShownChecked(ctx, id);
    const CString property(name), text(value);
    Walk(ctx, [&](IGridControl& g, LONG r, LONG c) {
        if (on)
            g.CellSetTextFontProperty(r, c, property, text);
        else
            g.CellDelTextFontProperty(r, c, property);
    });
}

void FontFromBox(CDesignerContext& ctx, const char* name, const CString& text)
{
    if (text.IsEmpty())
        return;
    const CString property(name);
    Walk(ctx, [&](IGridControl& g, LONG r, LONG c) { g.CellSetTextFontProperty(r, c, property, text); });
}

LONG ShownVertical(CDesignerContext& ctx)
{
    return ShownChecked(ctx, kAlignBottom) ? 8 : ShownChecked(ctx, kAlignMiddle) ? 4 : 0;
}

LONG ShownHorizontal(CDesignerContext& ctx)
{
    return ShownChecked(ctx, kAlignRight) ? 2 : ShownChecked(ctx, kAlignCentre) ? 1 : 0;
}

void Align(CDesignerContext& ctx, bool horizontal, LONG part)
{
    if (!Selection(ctx).AnySelected())
        return;
    const LONG align = horizontal ? ShownVertical(ctx) + part : ShownHorizontal(ctx) + part;
    Walk(ctx, [align](IGridControl& g, LONG r, LONG c) { g.CellSetAlign(r, c, align); });
}

void Colour(CDesignerContext& ctx, bool text)
{
    IGridControl& g = ctx.Grid();
    LONG row = 0, col = 0;
    if (!GetValidFocus(g, row, col))
        return;
    COLORREF colour = static_cast<COLORREF>(text ? g.CellGetTextColor(row, col) : g.CellGetBackColor(row, col));
    if (!ctx.ui.PickColor(colour))
        return;
    Walk(ctx, [&](IGridControl& grid, LONG r, LONG c) {
        if (text)
            grid.CellSetTextColor(r, c, static_cast<LONG>(colour));
        else
            grid.CellSetBackColor(r, c, static_cast<LONG>(colour));
    });
}

// The pen of the line-style box's entry and its colour; false when the box
// has no entry chosen.
struct Pen {
    LONG style = 0, colour = 0, width = 1;
};
bool ChosenPen(CDesignerContext& ctx, Pen& pen)
{
    int style = 0, width = 1;
    if (!CComboBoxLine::StyleToPen(ctx.ui.LineStyleIndex(), &style, &width))
        return false;
    pen.style = style;
    pen.width = width;
    pen.colour = static_cast<LONG>(ctx.ui.LineColor());
    return true;
}

void SideBorder(CDesignerContext& ctx, UINT id, LONG flag)
{
    Pen pen;
    if (!ChosenPen(ctx, pen))
        return;
    const bool on = !ShownChecked(ctx, id);
    Walk(ctx, [&](IGridControl& g, LONG r, LONG c) {
        if (on)
            g.CellSetBorder(r, c, flag, pen.style, pen.colour, pen.width);
        else
            g.CellDelBorder(r, c, flag);
    });
    ctx.Grid().GridRefresh();
}

void AllBorders(CDesignerContext& ctx)
{
    Pen pen;
    if (!ChosenPen(ctx, pen))
        return;
    Walk(ctx, [&](IGridControl& g, LONG r, LONG c) { g.CellSetBorder(r, c, 15, pen.style, pen.colour, pen.width); });
    ctx.Grid().GridRefresh();
}

void OuterBorder(CDesignerContext& ctx)
{
    Pen pen;
    IGridControl& g = ctx.Grid();
    const CSelRange r = GetSelRange(g);
    if (!ChosenPen(ctx, pen) || !r.ok)
        return;
    auto set = [&](LONG row, LONG col, LONG flag) { g.CellSetBorder(row, col, flag, pen.style, pen.colour, pen.width); };
    for (LONG row = r.r1; row <= r.r2; ++row) {
        set(row, r.c1, 1);
        set(row, r.c2, 4);
    }
    for (LONG col = r.c1; col <= r.c2; ++col) {
        set(r.r1, col, 2);
        set(r.r2, col, 8);
    }
    ctx.Changed();
}

// Every line inside the range: the cells strictly inside get all four sides,
// the first and last column the lines between rows, the first and last row
// the lines between columns, and a range only two rows high (or two columns
// wide) also the segments between its inner columns (rows), which no inner
// cell carries.
void InnerBorders(CDesignerContext& ctx)
{
    Pen pen;
    IGridControl& g = ctx.Grid();
    const CSelRange r = GetSelRange(g);
    if (!ChosenPen(ctx, pen) || !r.ok)
        return;
    auto set = [&](LONG row, LONG col, LONG flag) { g.CellSetBorder(row, col, flag, pen.style, pen.colour, pen.width); };
    for (LONG row = r.r1 + 1; row < r.r2; ++row)
        for (LONG col = r.c1 + 1; col < r.c2; ++col)
            set(row, col, 15);
    for (LONG row = r.r1; row < r.r2; ++row) {
        set(row, r.c1, 8);
        set(row, r.c2, 8);
    }
    for (LONG col = r.c1; col < r.c2; ++col) {
        set(r.r1, col, 4);
        set(r.r2, col, 4);
    }
    if (r.r2 == r.r1 + 1)
        for (LONG col = r.c1 + 1; col < r.c2; ++col)
            set(r.r1, col, 8);
    if (r.c2 == r.c1 + 1)
        for (LONG row = r.r1 + 1; row < r.r2; ++row)
            set(row, r.c1, 4);
    ctx.Changed();
}

// "插入提示": the first selected cell's tip in the footnote dialog.
void InsertTip(CDesignerContext& ctx)
{
    IGridControl& g = ctx.Grid();
    LONG row = 0, col = 0;
    if (g.GridGetSelectedCount() <= 0 || !g.GridGetSelectedCell(0, row, col))
        return;
    g.CellSetFocus(row, col);
    CFootnoteDlg dlg;
    dlg.m_strText = g.CellGetTipText(row, col);
    if (ctx.ui.DoModal(dlg) != IDOK)
        return;
    g.CellSetTipText(row, col, dlg.m_strText);
    g.GridRefresh();
    ctx.Changed();
}

void DeleteTip(CDesignerContext& ctx)
{
    IGridControl& g = ctx.Grid();
    if (g.GridGetCurSelectType() == 0) {
        LONG row = 0, col = 0;
        if (g.GridGetSelectedCount() <= 0 || !g.GridGetSelectedCell(0, row, col))
            return;
        g.CellSetFocus(row, col);
        g.CellSetTipText(row, col, CString());
        ctx.Changed();
        return;
    }
    const CSelRange r = GetSelRange(g);
    if (!r.ok)
        return;
    for (LONG row = r.r1; row <= r.r2; ++row)
        for (LONG col = r.c1; col <= r.c2; ++col)
            g.CellSetTipText(row, col, CString());
    ctx.Changed();
}

// An update handler: enabled with a selection, checked when every readable
// selected cell satisfies cond.
CDesignerCommands::Updater CheckedWhenAll(UINT id, std::function<bool(IGridControl&, LONG, LONG)> cond)
{
    return [id, cond](CDesignerContext& ctx, CCmdState& s) {
        CSelectionState& sel = Selection(ctx);
        s.enabled = sel.AnySelected();
        IGridControl& g = ctx.Grid();
        s.checked = s.enabled && sel.All(static_cast<int>(id), [&](LONG r, LONG c) { return cond(g, r, c); });
    };
}

CDesignerCommands::Updater FontChecked(UINT id, const char* name, const char* value)
{
    const CString property(name), text(value);
    return CheckedWhenAll(id, [property, text](IGridControl& g, LONG r, LONG c) {
        return g.CellGetTextFontProperty(r, c, property).Compare(text) == 0;
    });
}

CDesignerCommands::Updater AlignChecked(UINT id, bool (*test)(LONG))
{
    return CheckedWhenAll(id, [test](IGridControl& g, LONG r, LONG c) { return test(g.CellGetAlign(r, c)); });
}

CDesignerCommands::Updater BorderChecked(UINT id, LONG flag)
{
    return CheckedWhenAll(id, [flag](IGridControl& g, LONG r, LONG c) { return (g.CellGetBorderFlags(r, c) & flag) != 0; });
}

}  // namespace

void RegisterFormatCommands(CDesignerCommands& t)
{
    using Ctx = CDesignerContext;
    t.Add(kFontNameBox, [](Ctx& c) { FontFromBox(c, "fontname", c.ui.ChosenFontName()); });
    t.Add(kFontSizeBox, [](Ctx& c) { FontFromBox(c, "fontsize", c.ui.ChosenFontSize()); });

    t.Add(kBold, [](Ctx& c) { FontSwitch(c, kBold, "weight", "FW_BOLD"); }, FontChecked(kBold, "weight", "FW_BOLD"));
    t.Add(kItalic, [](Ctx& c) { FontSwitch(c, kItalic, "italic", "1"); }, FontChecked(kItalic, "italic", "1"));
    t.Add(kUnderline, [](Ctx& c) { FontSwitch(c, kUnderline, "underline", "1"); },
          FontChecked(kUnderline, "underline", "1"));
    t.Add(kStrikeOut, [](Ctx& c) { FontSwitch(c, kStrikeOut, "strikeout", "1"); },
          FontChecked(kStrikeOut, "strikeout", "1"));

    t.Add(kAlignLeft, [](Ctx& c) { Align(c, true, 0); },
          AlignChecked(kAlignLeft, [](LONG a) { return a == 0 || a == 4 || a == 8; }));
    t.Add(kAlignCentre, [](Ctx& c) { Align(c, true, 1); }, AlignChecked(kAlignCentre, [](LONG a) { return (a & 1) != 0; }));
    t.Add(kAlignRight, [](Ctx& c) { Align(c, true, 2); }, AlignChecked(kAlignRight, [](LONG a) { return (a & 2) != 0; }));
    t.Add(kAlignTop, [](Ctx& c) { Align(c, false, 0); },
          AlignChecked(kAlignTop, [](LONG a) { return a == 0 || a == 1 || a == 2; }));
    t.Add(kAlignMiddle, [](Ctx& c) { Align(c, false, 4); },
          AlignChecked(kAlignMiddle, [](LONG a) { return (a & 4) != 0; }));
    t.Add(kAlignBottom, [](Ctx& c) { Align(c, false, 8); },
          AlignChecked(kAlignBottom, [](LONG a) { return (a & 8) != 0; }));

    t.Add(kTextColour, [](Ctx& c) { Colour(c, true); }, EnableWhenSelected);
    t.Add(kBackColour, [](Ctx& c) { Colour(c, false); }, EnableWhenSelected);

    t.Add(kBorderLeft, [](Ctx& c) { SideBorder(c, kBorderLeft, 1); }, BorderChecked(kBorderLeft, 1));
    t.Add(kBorderTop, [](Ctx& c) { SideBorder(c, kBorderTop, 2); }, BorderChecked(kBorderTop, 2));
    t.Add(kBorderRight, [](Ctx& c) { SideBorder(c, kBorderRight, 4); }, BorderChecked(kBorderRight, 4));
    t.Add(kBorderBottom, [](Ctx& c) { SideBorder(c, kBorderBottom, 8); }, BorderChecked(kBorderBottom, 8));
    t.Add(kBorderAll, AllBorders, EnableWhenSelected);
    t.Add(
        kBorderClear,
        [](Ctx& c) {
            Walk(c, [](IGridControl& g, LONG r, LONG col) { g.CellDelBorder(r, col, 255); });
            c.Grid().GridRefresh();
        },
        EnableWhenSelected);
    t.Add(kBorderOuter, OuterBorder, EnableWhenSelected);
    t.Add(kBorderInner, InnerBorders, EnableWhenSelected);
    t.Add(kLineColour, [](Ctx& c) {
        COLORREF colour = c.ui.LineColor();
        if (c.ui.PickColor(colour))
            c.ui.SetLineColor(colour);
    });

    t.Add(kWrap, [](Ctx& c) {
        const SHORT on = ShownChecked(c, kWrap) ? 0 : 1;
        Walk(c, [on](IGridControl& g, LONG r, LONG col) { g.CellSetTextWrap(r, col, on); });
    }, CheckedWhenAll(kWrap, [](IGridControl& g, LONG r, LONG c) { return g.CellIsTextWrap(r, c) != 0; }));

    auto readOnly = [](Ctx& c) {
        Walk(c, [](IGridControl& g, LONG r, LONG col) {
            g.CellSetBackColor(r, col, static_cast<LONG>(kReadOnlyBack));
            g.CellSetReadOnly(r, col, 1);
        });
    };
    auto writable = [](Ctx& c) {
        Walk(c, [](IGridControl& g, LONG r, LONG col) {
            g.CellSetReadOnly(r, col, 0);
            g.CellSetBackColor(r, col, static_cast<LONG>(kWhite));
        });
    };
    t.Add(kReadOnly, readOnly);
    t.Add(kWritable, writable);
    t.Add(kMenuReadOnly, readOnly);
    t.Add(kMenuWritable, writable);

    t.Add(32830, InsertTip);
    t.Add(kMenuInsertTip, InsertTip);
    t.Add(kDeleteTip, DeleteTip);
    t.Add(kMenuDeleteTip, DeleteTip);
}
