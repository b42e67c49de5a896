// The right-click menu of KivoDesigner.exe over a selection of several rows:
// rows chosen by dragging over their headers with the real mouse, a right
// click on a header inside them and "行高..." from the menu size every one of
// them; the saved template is read back by a control of the test's own.
#include "designer/win32/DesignerDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace designerwine;

namespace {

// A drag with the left button from one client point to another, moving in
// small steps as a hand would.
void Drag(HWND hwnd, POINT from, POINT to)
{
    POINT a = from, b = to;
    ::ClientToScreen(hwnd, &a);
    ::ClientToScreen(hwnd, &b);
    PointerTo(a);
    INPUT down = {};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &down, sizeof(INPUT));
    Pump(100);
    const int steps = 6;
    for (int i = 1; i <= steps; ++i)
        PointerTo(POINT{a.x + (b.x - a.x) * i / steps, a.y + (b.y - a.y) * i / steps});
    Pump(100);
    INPUT up = {};
    up.type = INPUT_MOUSE;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &up, sizeof(INPUT));
    Pump(200);
}

class DesignerRightClickRows : public DesignerProgramBase {};

}  // namespace

TEST_F(DesignerRightClickRows, RowHeightFromTheMenuSizesEverySelectedRow)
{
    const std::string path = TempFile("kivo_designer_rclick_rows.kvx");
    Reader layout;
    ASSERT_TRUE(layout.created);
    layout.grid.RowSetCount(12);
    layout.grid.ColumnSetCount(6);
    layout.grid.CellSetValue(4, 2, CString("middle"));
    ASSERT_EQ(1, layout.grid.GridSaveFile(CString(path.c_str()), CString()));
    const LONG before = layout.grid.RowGetHeight(2);
    ASSERT_NE(37, before);

    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    std::vector<HWND> docs;
    ASSERT_TRUE(WaitFor([&] {
        docs = d.Documents();
        return docs.size() == 1;
    }));
    HWND doc = docs[0];
    HWND control = ChildById(doc, 923);
    HWND grid = ChildById(control, 81220);
    ASSERT_NE(nullptr, grid);
    ASSERT_TRUE(ClickIntoGrid(d, control, CellPoint(layout.grid, 8, 3)));

    // Rows 3 to 5 by dragging over their headers; the right click falls on
    // the header of row 4, inside them.
    Drag(grid, CellPoint(layout.grid, 3, 0), CellPoint(layout.grid, 5, 0));
    Click(grid, CellPoint(layout.grid, 4, 0), true);
    ASSERT_NE(nullptr, WaitForTop(d, "#32768"));
    // The row header's menu: cut, copy, the two paste items, insert and
    // delete row, the two clearing items, then "行高...".
    for (int i = 0; i < 9; ++i)
        Press(VK_DOWN);
    Press(VK_RETURN);
    HWND dialog = WaitForTop(d, "#32770");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("设置行高", TextOf(dialog));
    for (const char* p = "37"; *p != '\0'; ++p)
        Press(static_cast<WORD>(*p));
    Press(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    ASSERT_TRUE(WaitFor([&] { return TextOf(doc).find('*') != std::string::npos; }));

    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(57603, 0), 0);
    ASSERT_TRUE(WaitFor([&] { return TextOf(doc) == "kivo_designer_rclick_rows.kvx"; }));
    EXPECT_EQ(0, d.Close());

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    for (LONG r = 3; r <= 5; ++r)
        EXPECT_EQ(37, reader.grid.RowGetHeight(r)) << "row " << r;
    EXPECT_EQ(before, reader.grid.RowGetHeight(2));
    EXPECT_EQ(before, reader.grid.RowGetHeight(6));
    EXPECT_EQ("middle", std::string(reader.grid.CellGetValue(4, 2).Str()));
    ::DeleteFileA(path.c_str());
}
