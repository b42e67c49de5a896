// Typing into KivoDesigner.exe's cells with real input (SendInput): Tab
// between two typed texts ends the first edit and moves right, and Chinese
// characters typed on a cell arrive whole, the first one included. The
// template saved with Ctrl+S is read back by a control of the test's own.
#include "designer/win32/DesignerDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace designerwine;

namespace {

class DesignerTyping : public DesignerProgramBase {};

// Characters typed as the keyboard layer sends text it has no key for.
void TypeUnicode(const wchar_t* text)
{
    for (const wchar_t* p = text; *p != L'\0'; ++p) {
        INPUT input[2] = {};
        for (int i = 0; i < 2; ++i) {
            input[i].type = INPUT_KEYBOARD;
            input[i].ki.wScan = static_cast<WORD>(*p);
            input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
        }
        ::SendInput(2, input, sizeof(INPUT));
        Pump(80);
    }
}

std::vector<std::string> TextsOf(const std::string& path)
{
    Reader reader;
    if (!reader.created || reader.grid.GridOpenFile(CString(path.c_str()), CString()) != 1)
        return {"(unreadable)"};
    return reader.Texts();
}

// A designer on an empty template with the keyboard focus in cell (2, 2);
// the reader knows the layout.
std::string EmptyTemplate(const char* name)
{
    const std::string path = TempFile(name);
    Reader writer;
    if (!writer.created)
        return std::string();
    return writer.grid.GridSaveFile(CString(path.c_str()), CString()) == 1 ? path : std::string();
}

// Ctrl+S, then the designer is closed; true when the save cleared the mark.
bool SaveAndClose(Designer& d)
{
    HWND doc = d.Documents()[0];
    CtrlKey('S');
    const bool saved = WaitFor([&] {
        const std::string t = TextOf(doc);
        return !t.empty() && t.back() != '*';
    });
    d.Close();
    return saved;
}

TEST_F(DesignerTyping, TabEndsTheEditAndMovesRight)
{
    const std::string path = EmptyTemplate("kivo_typing_tab.kvx");
    ASSERT_FALSE(path.empty());
    Reader layout;
    ASSERT_TRUE(layout.created);
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    HWND control = ChildById(d.Documents()[0], 923);
    ASSERT_NE(nullptr, control);
    ASSERT_TRUE(ClickIntoGrid(d, control, CellPoint(layout.grid, 2, 2)));
    TypeText("x");
    Press(VK_TAB);
    TypeText("y");
    Press(VK_RETURN);
    ASSERT_TRUE(SaveAndClose(d));
    EXPECT_EQ((std::vector<std::string>{"2,2=x", "2,3=y"}), TextsOf(path));
}

TEST_F(DesignerTyping, ChineseTypedOnACellArrivesWhole)
{
    const std::string path = EmptyTemplate("kivo_typing_chinese.kvx");
    ASSERT_FALSE(path.empty());
    Reader layout;
    ASSERT_TRUE(layout.created);
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    HWND control = ChildById(d.Documents()[0], 923);
    ASSERT_NE(nullptr, control);
    ASSERT_TRUE(ClickIntoGrid(d, control, CellPoint(layout.grid, 2, 2)));
    TypeUnicode(L"\x9500\x552E\x62A5\x8868");   // 销售报表
    Press(VK_RETURN);
    ASSERT_TRUE(SaveAndClose(d));
    EXPECT_EQ(std::vector<std::string>{"2,2=销售报表"}, TextsOf(path));
}

}  // namespace
