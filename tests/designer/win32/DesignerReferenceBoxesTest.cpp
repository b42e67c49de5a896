// The font toolbar's insert-row and insert-column reference boxes, chosen
// with the real mouse and keys: the active document's grid takes the choice
// (its template keeps it, read back by a second control), a new document
// view starts from the first entries again, and with no document open the
// boxes are greyed.
#include "designer/win32/DesignerDriver.h"

#include <string>
#include <vector>

using namespace designerwine;

namespace {

class DesignerReferenceBoxes : public DesignerProgramBase {};

// Opens the box's list with a click and clicks the entry at index.
bool Choose(Designer& d, HWND box, int index)
{
    d.Foreground();
    RECT rc;
    ::GetClientRect(box, &rc);
    Click(box, POINT{rc.right / 2, rc.bottom / 2});
    HWND drop = nullptr;
    WaitFor(
        [&] {
            const std::vector<HWND> lists = TopWindows(d.pi.dwProcessId, "ComboLBox");
            drop = lists.empty() ? nullptr : lists[0];
            return drop != nullptr;
        },
        3000);
    if (drop == nullptr)
        return false;
    const int itemHeight = static_cast<int>(::SendMessageA(box, CB_GETITEMHEIGHT, 0, 0));
    RECT dropRect;
    ::GetClientRect(drop, &dropRect);
    Click(drop, POINT{dropRect.right / 2, index * itemHeight + itemHeight / 2});
    Pump(300);
    return true;
}

// "文件(&F)" then "关闭(&C)" with the keyboard.
void CloseDocument(Designer& d)
{
    d.Foreground();
    Key(VK_MENU, false);
    Press('F');
    Key(VK_MENU, true);
    WaitFor([&] { return !TopWindows(d.pi.dwProcessId, "#32768").empty(); }, 3000);
    Press('C');
    Pump(300);
}

TEST_F(DesignerReferenceBoxes, ChoicesReachTheActiveGridNewViewsStartFromTheFirstEntriesNoViewGreysThem)
{
    const std::string path = TempFile("kivo_designer_refs.kvx");
    ::DeleteFileA(path.c_str());
    Designer d;
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Frame());
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    HWND rows = ChildById(d.Frame(), 5423);
    HWND cols = ChildById(d.Frame(), 5424);
    ASSERT_NE(nullptr, rows);
    ASSERT_NE(nullptr, cols);
    EXPECT_EQ("插行无任何参照", ControlTextOf(rows));
    EXPECT_EQ("插列无任何参照", ControlTextOf(cols));

    ASSERT_TRUE(Choose(d, rows, 1));
    ASSERT_TRUE(Choose(d, cols, 2));
    ASSERT_TRUE(WaitFor([&] { return ControlTextOf(rows) == "参照上行格式"; }, 3000));
    ASSERT_TRUE(WaitFor([&] { return ControlTextOf(cols) == "参照右列格式"; }, 3000));

    // The grid keeps them: saved into the template.
    HWND control = ChildById(d.Documents()[0], 923);
    ASSERT_NE(nullptr, control);
    ASSERT_TRUE(ClickIntoGrid(d, control, POINT{120, 60}));
    CtrlKey('S');
    HWND dialog = d.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(AnswerFileDialog(dialog, path));
    ASSERT_TRUE(WaitFor([&] { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    Pump(500);

    // A new document view starts from the first entries.
    d.Foreground();
    CtrlKey('N');
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 2; }));
    EXPECT_TRUE(WaitFor([&] { return ControlTextOf(rows) == "插行无任何参照"; }, 3000));
    EXPECT_TRUE(WaitFor([&] { return ControlTextOf(cols) == "插列无任何参照"; }, 3000));

    // With no document open the boxes are greyed: a click opens no list and
    // changes nothing.
    CloseDocument(d);
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    CloseDocument(d);
    ASSERT_TRUE(WaitFor([&] { return d.Documents().empty(); }));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowEnabled(rows) && !::IsWindowEnabled(cols); }, 3000));
    EXPECT_FALSE(Choose(d, rows, 2));
    EXPECT_EQ("插行无任何参照", ControlTextOf(rows));
    EXPECT_TRUE(d.Documents().empty());
    EXPECT_TRUE(TopWindows(d.pi.dwProcessId, "#32770").empty());
    d.Foreground();
    CtrlKey('N');
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowEnabled(rows) && ::IsWindowEnabled(cols); }, 3000));
    EXPECT_EQ(0, d.Close());

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    EXPECT_EQ(1, reader.grid.RowGetRefFlags());
    EXPECT_EQ(2, reader.grid.ColumnGetRefFlags());
}

}  // namespace
