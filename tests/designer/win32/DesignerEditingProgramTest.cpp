// KivoDesigner.exe formatting a sheet as a new user would: cells selected
// with the mouse, toolbar buttons clicked, the line-style box and the formula
// drop-down used with real input (SendInput), the row-height dialog answered
// by keyboard; the saved template is read back by a control of the test's
// own.
#include "designer/FontSizeBox.h"
#include "designer/win32/DesignerDriver.h"
#include "designer/win32/ScreenPicture.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

using namespace designerwine;

namespace {

// A click with a key held down (Shift to extend a selection).
void ClickHolding(HWND hwnd, POINT client, WORD key)
{
    POINT screen = client;
    ::ClientToScreen(hwnd, &screen);
    PointerTo(screen);
    Key(key, false);
    INPUT input[2] = {};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input[0], sizeof(INPUT));
    Pump(80);
    ::SendInput(1, &input[1], sizeof(INPUT));
    Pump(150);
    Key(key, true);
}

void TypeDigits(const char* text)
{
    for (const char* p = text; *p != '\0'; ++p)
        Press(static_cast<WORD>(*p));
}

// The colour on the screen at a client point of a window.
COLORREF ScreenPixel(HWND hwnd, POINT client)
{
    POINT screen = client;
    ::ClientToScreen(hwnd, &screen);
    HDC dc = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(dc, screen.x, screen.y);
    ::ReleaseDC(nullptr, dc);
    return c;
}

bool Dark(COLORREF c)
{
    return GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80;
}

class DesignerEditingProgram : public DesignerProgramBase {};

// A title merged and centred in bold over three columns, an outer border in
// the chosen line style around three numbers, their sum from the formula
// drop-down, a row height typed into its dialog and another from the
// right-click menu: the saved template holds each of them.
TEST_F(DesignerEditingProgram, FormattingThroughTheToolbarsAndDialogs)
{
    const std::string path = TempFile("kivo_designer_editing.kvx");
    Reader layout;
    ASSERT_TRUE(layout.created);
    layout.grid.ColumnSetCount(8);
    layout.grid.RowSetCount(10);
    layout.grid.CellSetValue(1, 1, CString("Title"));
    layout.grid.CellSetValue(2, 2, CString("1"));
    layout.grid.CellSetValue(3, 2, CString("2"));
    layout.grid.CellSetValue(4, 2, CString("3"));
    ASSERT_EQ(1, layout.grid.GridSaveFile(CString(path.c_str()), CString()));

    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Frame());
    std::vector<HWND> docs;
    ASSERT_TRUE(WaitFor([&] {
        docs = Children(d.Frame(), "KivoDesignerChildFrame");
        return docs.size() == 1;
    }));
    HWND doc = docs[0];
    HWND control = ChildById(doc, 923);
    HWND grid = ChildById(control, 81220);
    ASSERT_NE(nullptr, grid);
    d.Foreground();

    // The title: a click and a shift-click select three cells; merge and
    // centre, then bold.
    // (The first click may only bring the grid the focus.)
    Click(grid, CellPoint(layout.grid, 1, 1));
    Pump(300);
    Click(grid, CellPoint(layout.grid, 1, 1));
    ClickHolding(grid, CellPoint(layout.grid, 1, 3), VK_SHIFT);
    ASSERT_TRUE(ClickToolbarButton(d, 32853));
    ASSERT_TRUE(WaitFor([&] { return TextOf(doc).find('*') != std::string::npos; }));
    Click(grid, CellPoint(layout.grid, 1, 1));
    ASSERT_TRUE(ClickToolbarButton(d, 32808));

    // The line-style box: the second style (solid, two pixels wide), chosen
    // with the keyboard; then the outer border round the numbers.
    HWND box = ChildById(d.Frame(), 5422);
    ASSERT_NE(nullptr, box);
    RECT boxRect;
    ::GetClientRect(box, &boxRect);
    Click(box, POINT{boxRect.right / 2, boxRect.bottom / 2});
    HWND drop = WaitForTop(d, "ComboLBox", 3000);
    ASSERT_NE(nullptr, drop);
    RECT dropRect;
    ::GetClientRect(drop, &dropRect);
    Click(drop, POINT{dropRect.right / 2, 30});   // items are 20 pixels high
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(box, CB_GETCURSEL, 0, 0) == 1; }, 3000));
    d.Foreground();
    Click(grid, CellPoint(layout.grid, 2, 2));
    ClickHolding(grid, CellPoint(layout.grid, 4, 2), VK_SHIFT);
    ASSERT_TRUE(ClickToolbarButton(d, 32908));

    // On the screen: the outer border's line (solid, two pixels) is dark at
    // the left edge of the numbers where an unbordered row shows the light
    // grid line; inside the merged title no grid line divides its columns.
    Click(grid, CellPoint(layout.grid, 8, 5));
    d.Foreground();
    Pump(500);
    // KIVO_DESIGNER_EDITING_SHOT names a host file for a picture of the
    // designer's window, for people to look at.
    SaveShotIfAsked("KIVO_DESIGNER_EDITING_SHOT", d.Frame());
    {
        LONG left = 0, top1 = 0;
        for (LONG c = 0; c < 2; ++c)
            left += layout.grid.ColumnGetWidth(c);
        top1 = layout.grid.RowGetHeight(0);
        const POINT numbers = CellPoint(layout.grid, 3, 2), bare = CellPoint(layout.grid, 7, 2);
        bool dark = false, bareDark = false;
        for (LONG x = left - 2; x <= left + 1; ++x) {
            dark = dark || Dark(ScreenPixel(grid, POINT{x, numbers.y}));
            bareDark = bareDark || Dark(ScreenPixel(grid, POINT{x, bare.y}));
        }
        EXPECT_TRUE(dark);
        EXPECT_FALSE(bareDark);
        // Where columns 1 and 2 meet: the grid line of an unmerged row, and
        // the same place inside the title, near its top, shows the cell's
        // white instead.
        LONG lineX = -1;
        for (LONG x = left - 2; x <= left + 1 && lineX < 0; ++x)
            if (ScreenPixel(grid, POINT{x, bare.y}) != RGB(255, 255, 255))
                lineX = x;
        ASSERT_GE(lineX, 0);
        EXPECT_EQ(RGB(255, 255, 255), ScreenPixel(grid, POINT{lineX, top1 + 3}));
    }

    // The sum: the formula button's drop-down lists the common functions,
    // "Sum" first; Enter ends the opened editor.
    Click(grid, CellPoint(layout.grid, 5, 2));
    ASSERT_TRUE(ClickToolbarButton(d, 32959, true));
    ASSERT_NE(nullptr, WaitForTop(d, "#32768"));
    Press(VK_DOWN);
    Press(VK_RETURN);
    Pump(500);
    Press(VK_RETURN);
    Pump(300);

    // The row-height dialog by keyboard: 40 for row 3.
    Click(grid, CellPoint(layout.grid, 3, 3));
    ASSERT_TRUE(ClickToolbarButton(d, 32855));
    HWND dialog = WaitForTop(d, "#32770");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("设置行高", TextOf(dialog));
    TypeDigits("40");
    Press(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    layout.grid.RowSetHeight(3, 40);   // the rows below moved down

    // A right click on a row header selects that row and offers the row
    // items: "行高..." is the ninth (cut, copy, the two paste items, insert
    // and delete row, the two clearing items, then the sizes); 25 for it.
    Click(grid, CellPoint(layout.grid, 8, 0), true);
    ASSERT_NE(nullptr, WaitForTop(d, "#32768"));
    for (int i = 0; i < 9; ++i)
        Press(VK_DOWN);
    Press(VK_RETURN);
    dialog = WaitForTop(d, "#32770");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("设置行高", TextOf(dialog));
    TypeDigits("25");
    Press(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));

    // Save with the frame's save command and read back.
    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(57603, 0), 0);
    ASSERT_TRUE(WaitFor([&] { return TextOf(doc) == "kivo_designer_editing.kvx"; }));
    EXPECT_EQ(0, d.Close());

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    LONG r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    ASSERT_TRUE(reader.grid.CellGetMergeRange(1, 1, r1, c1, r2, c2));
    EXPECT_EQ(1, r1);
    EXPECT_EQ(1, c1);
    EXPECT_EQ(1, r2);
    EXPECT_EQ(3, c2);
    EXPECT_EQ(1, reader.grid.CellGetAlign(1, 1) & 3);
    EXPECT_EQ("FW_BOLD", std::string(reader.grid.CellGetTextFontProperty(1, 1, CString("weight")).Str()));
    for (LONG r = 2; r <= 4; ++r) {
        const LONG flags = reader.grid.CellGetBorderFlags(r, 2);
        EXPECT_EQ(5, flags & 5) << r;   // left and right
        LONG style = 0, colour = 0, width = 0;
        EXPECT_TRUE(reader.grid.CellGetBorder(r, 2, 1, style, colour, width)) << r;
        EXPECT_EQ(2, width) << r;
    }
    EXPECT_EQ(2, reader.grid.CellGetBorderFlags(2, 2) & 2);
    EXPECT_EQ(8, reader.grid.CellGetBorderFlags(4, 2) & 8);
    EXPECT_EQ("6", std::string(reader.grid.CellGetValue(5, 2).Str()));
    EXPECT_EQ(40, reader.grid.RowGetHeight(3));
    EXPECT_EQ(25, reader.grid.RowGetHeight(8));
    EXPECT_NE(25, reader.grid.RowGetHeight(7));
    ::DeleteFileA(path.c_str());
}

// A row tree built from the keyboard through the "表格(&T)" menu's tree
// submenu (a tree, two child nodes), folded and unfolded with the tree
// toolbar, and a font size chosen in the size box: the saved template holds
// the tree with its nodes and the size.
TEST_F(DesignerEditingProgram, TreeMenuByKeyboardAndTheFontSizeBox)
{
    const std::string path = TempFile("kivo_designer_tree.kvx");
    Reader layout;
    ASSERT_TRUE(layout.created);
    layout.grid.ColumnSetCount(6);
    layout.grid.RowSetCount(12);
    ASSERT_EQ(1, layout.grid.GridSaveFile(CString(path.c_str()), CString()));

    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Frame());
    std::vector<HWND> docs;
    ASSERT_TRUE(WaitFor([&] {
        docs = Children(d.Frame(), "KivoDesignerChildFrame");
        return docs.size() == 1;
    }));
    HWND doc = docs[0];
    HWND control = ChildById(doc, 923);
    HWND grid = ChildById(control, 81220);
    ASSERT_NE(nullptr, grid);
    d.Foreground();
    Click(grid, CellPoint(layout.grid, 2, 1));
    Pump(300);
    Click(grid, CellPoint(layout.grid, 2, 1));

    // Alt+T opens "表格(&T)"; the fifth item is the tree submenu, whose items
    // are 添加树, 删除树, then (past a separator) 添加子节点.
    auto treeItem = [&](int downs) {
        d.Foreground();
        Key(VK_MENU, false);
        Press('T');
        Key(VK_MENU, true);
        Pump(300);
        for (int i = 0; i < 4; ++i)
            Press(VK_DOWN);
        Press(VK_RIGHT);
        for (int i = 0; i < downs; ++i)
            Press(VK_DOWN);
        Press(VK_RETURN);
        Pump(300);
    };
    treeItem(0);   // 添加树
    ASSERT_TRUE(WaitFor([&] { return TextOf(doc).find('*') != std::string::npos; }));
    treeItem(2);   // 添加子节点
    treeItem(2);

    // Fold the root with the toolbar, then unfold it.
    ASSERT_TRUE(ClickToolbarButton(d, 32779));
    ASSERT_TRUE(ClickToolbarButton(d, 32778));

    // The size box: its list opened and the entry "14" clicked.
    d.Foreground();
    Click(grid, CellPoint(layout.grid, 5, 3));
    Pump(300);
    Click(grid, CellPoint(layout.grid, 5, 3));
    HWND sizeBox = ChildById(d.Frame(), 5421);
    ASSERT_NE(nullptr, sizeBox);
    int index = -1;
    for (size_t i = 0; i < FontSizeBoxEntries().size(); ++i)
        if (std::string(FontSizeBoxEntries()[i]) == "14")
            index = static_cast<int>(i);
    ASSERT_GE(index, 0);
    RECT boxRect;
    ::GetClientRect(sizeBox, &boxRect);
    Click(sizeBox, POINT{boxRect.right / 2, boxRect.bottom / 2});
    HWND drop = WaitForTop(d, "ComboLBox", 3000);
    ASSERT_NE(nullptr, drop);
    const int itemHeight = static_cast<int>(::SendMessageA(sizeBox, CB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(itemHeight, 0);
    RECT dropRect;
    ::GetClientRect(drop, &dropRect);
    Click(drop, POINT{dropRect.right / 2, index * itemHeight + itemHeight / 2});
    Pump(300);

    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(57603, 0), 0);
    ASSERT_TRUE(WaitFor([&] { return TextOf(doc) == "kivo_designer_tree.kvx"; }));
    EXPECT_EQ(0, d.Close());

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    ASSERT_EQ(1, reader.grid.GridGetColumnTreeCount());
    LONG treeRow = 0, treeCol = 0;
    ASSERT_TRUE(reader.grid.GridGetColumnTreeStart(0, treeRow, treeCol));
    EXPECT_EQ(2, treeRow);
    EXPECT_EQ(1, treeCol);
    EXPECT_EQ("5", std::string(reader.grid.ColumnGetControlTreeProperty(2, 1, CString("getrowcount")).Str()));
    EXPECT_EQ("0", std::string(reader.grid.ColumnGetControlTreeProperty(2, 1, CString("getstate(2)")).Str()));
    EXPECT_GT(reader.grid.RowGetHeight(3), 0);
    EXPECT_EQ("14", std::string(reader.grid.CellGetTextFontProperty(5, 3, CString("fontsize")).Str()));
    ::DeleteFileA(path.c_str());
}

}  // namespace
