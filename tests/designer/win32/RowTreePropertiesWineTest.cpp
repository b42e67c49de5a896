// The row-tree properties dialog of KivoDesigner.exe used with the real
// mouse: the size stepped with its spin button, the tree-line colour chosen
// from the colour picker's palette, a check cleared, OK; the saved template
// read back by a control of the test's own holds the three.
#include "designer/win32/DesignerDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace designerwine;

namespace {

void ClickMiddle(HWND hwnd)
{
    RECT rc;
    ::GetWindowRect(hwnd, &rc);
    ClickScreen(POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

class RowTreePropertiesWine : public DesignerProgramBase {};

}  // namespace

TEST_F(RowTreePropertiesWine, SpinPaletteAndCheckReachTheTree)
{
    const std::string path = TempFile("kivo_designer_tree_props.kvx");
    Reader layout;
    ASSERT_TRUE(layout.created);
    layout.grid.ColumnSetCount(6);
    layout.grid.RowSetCount(12);
    ASSERT_TRUE(layout.grid.GridAddTree(2, 1));
    ASSERT_EQ(1, layout.grid.GridSaveFile(CString(path.c_str()), CString()));
    ASSERT_EQ("13", std::string(layout.grid.ColumnGetControlTreeProperty(2, 1, CString("boxsize")).Str()));

    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    std::vector<HWND> docs;
    ASSERT_TRUE(WaitFor([&] {
        docs = d.Documents();
        return docs.size() == 1;
    }));
    HWND doc = docs[0];
    HWND control = ChildById(doc, 923);
    // The tree's root takes the focus (the first click may only have
    // brought the window forward).
    ASSERT_TRUE(ClickIntoGrid(d, control, CellPoint(layout.grid, 2, 1)));
    Click(control, CellPoint(layout.grid, 2, 1));
    Pump(300);
    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(32915, 0), 0);   // 表行树 "属性..."
    HWND dialog = d.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    ASSERT_EQ("表行树属性", TextOf(dialog));
    Pump(300);
    EXPECT_EQ("13", ControlTextOf(::GetDlgItem(dialog, 1042)));

    // The spin's upper arrow: one step up.
    HWND spin = ::GetDlgItem(dialog, 1119);
    ASSERT_NE(nullptr, spin);
    RECT sr;
    ::GetWindowRect(spin, &sr);
    ClickScreen(POINT{(sr.left + sr.right) / 2, sr.top + (sr.bottom - sr.top) / 4});
    EXPECT_TRUE(WaitFor([&] { return ControlTextOf(::GetDlgItem(dialog, 1042)) == "14"; }, 3000))
        << ControlTextOf(::GetDlgItem(dialog, 1042));

    // The tree-line picker opens its palette; "Red" is the third entry of
    // its first row (18-pixel cells inside the frame).
    ClickMiddle(::GetDlgItem(dialog, 1041));
    std::vector<HWND> popup;
    ASSERT_TRUE(WaitFor([&] {
        popup = TopWindows(d.pi.dwProcessId, "KivoColourPopup");
        return !popup.empty();
    }, 5000));
    const int margin = ::GetSystemMetrics(SM_CXEDGE) > 0 ? ::GetSystemMetrics(SM_CXEDGE) : 1;
    POINT red = {2 * 18 + 9 + margin + 2, 9 + margin + 2};
    ::ClientToScreen(popup[0], &red);
    ClickScreen(red);
    ASSERT_TRUE(WaitFor([&] { return TopWindows(d.pi.dwProcessId, "KivoColourPopup").empty(); }, 5000));

    // "显示树线" cleared, then OK.
    ClickMiddle(::GetDlgItem(dialog, 1045));
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(::GetDlgItem(dialog, 1045), BM_GETCHECK, 0, 0));
    ClickMiddle(::GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    ASSERT_TRUE(WaitFor([&] { return TextOf(doc).find('*') != std::string::npos; }));

    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(57603, 0), 0);
    ASSERT_TRUE(WaitFor([&] { return TextOf(doc) == "kivo_designer_tree_props.kvx"; }));
    EXPECT_EQ(0, d.Close());

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    auto prop = [&](const char* name) {
        return std::string(reader.grid.ColumnGetControlTreeProperty(2, 1, CString(name)).Str());
    };
    EXPECT_EQ("14", prop("boxsize"));
    EXPECT_EQ("255", prop("linecolor"));   // RGB(255, 0, 0)
    EXPECT_EQ("0", prop("showline"));
    EXPECT_EQ("1", prop("showrectangle"));
    ::DeleteFileA(path.c_str());
}
