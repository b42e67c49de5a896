// The designer's File menu dropped by real input: Alt+F on the frame in front
// opens "文件(&F)" as a pop-up menu window (class "#32768"), and its pixels are
// read back through the screen as Wine composes it. Wine draws its pop-up
// menus into the screen it keeps itself, not into windows of the X display,
// so a picture of the X root never shows an open menu: with
// KIVO_DESIGNER_MENU_SHOT naming a host file the test saves the whole screen
// with the menu open there as a bitmap (.bmp).
#include "designer/win32/DesignerDriver.h"
#include "designer/win32/ScreenPicture.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

using namespace designerwine;

namespace {

class DesignerMenuShot : public DesignerProgramBase {};

HWND OpenMenuWindow(Designer& d)
{
    for (HWND h : TopWindows(d.pi.dwProcessId, "#32768"))
        if (::IsWindowVisible(h))
            return h;
    return nullptr;
}

TEST_F(DesignerMenuShot, AltFDropsTheFileMenuDrawnOverTheFrame)
{
    Designer d;
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Frame());
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    Pump(500);

    HWND menu = nullptr;
    for (int attempt = 0; attempt < 3 && menu == nullptr; ++attempt) {
        d.Foreground();
        WaitFor([&] { return ::GetForegroundWindow() == d.Frame(); }, 2000);
        Key(VK_MENU, false);
        Press('F');
        Key(VK_MENU, true);
        WaitFor([&] { return (menu = OpenMenuWindow(d)) != nullptr; }, 3000);
    }
    ASSERT_NE(nullptr, menu);

    // The pop-up hangs below "文件(&F)" at the frame's left, tall enough for
    // its twenty-odd items.
    RECT mr, fr;
    ::GetWindowRect(menu, &mr);
    ::GetWindowRect(d.Frame(), &fr);
    EXPECT_GT(mr.right - mr.left, 100);
    EXPECT_GT(mr.bottom - mr.top, 200);
    EXPECT_LT(mr.left - fr.left, 80);
    EXPECT_GT(mr.top, fr.top);
    Pump(500);
    const Picture open = Capture(mr);
    SaveShotIfAsked("KIVO_DESIGNER_MENU_SHOT");

    Press(VK_ESCAPE);
    Press(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return OpenMenuWindow(d) == nullptr; }, 5000));
    Pump(500);
    const Picture closed = Capture(mr);

    // Drawn, not blank: the menu's face covers most of its window, the
    // keyboard-opened menu shows its first item in the highlight colour,
    // and the captions are darker than the face. Closed, the frame shows
    // there again.
    const int area = open.width * open.height;
    ASSERT_GT(area, 0);
    EXPECT_GT(open.Count(::GetSysColor(COLOR_MENU)), area / 2);
    EXPECT_GT(open.Count(::GetSysColor(COLOR_HIGHLIGHT)), 500);
    EXPECT_GT(open.Dark(), 300);
    ASSERT_EQ(open.bits.size(), closed.bits.size());
    size_t differing = 0;
    for (size_t i = 0; i < open.bits.size(); ++i)
        differing += open.bits[i] != closed.bits[i] ? 1 : 0;
    EXPECT_GT(differing, open.bits.size() / 4);
    EXPECT_EQ(0, d.Close());
}

// The top row of the highlighted item in a picture of a menu, -1 for none.
int HighlightRow(const Picture& p)
{
    const DWORD rgb = Picture::Rgb(::GetSysColor(COLOR_HIGHLIGHT));
    for (int y = 0; y < p.height; ++y) {
        int n = 0;
        for (int x = 0; x < p.width; ++x)
            n += (p.bits[static_cast<size_t>(y) * p.width + x] & 0xFFFFFF) == rgb ? 1 : 0;
        if (n > p.width / 2)
            return y;
    }
    return -1;
}

// The arrow of "设置公式" drops the common formulas under the button: its
// left edge and bottom, seven entries (Down walks seven highlighted rows
// top to bottom, past the separator, and the eighth comes back to the top).
TEST_F(DesignerMenuShot, FormulaButtonArrowDropsTheSevenCommonFormulasUnderIt)
{
    Designer d;
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Frame());
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    HWND control = ChildById(d.Documents()[0], 923);
    ASSERT_NE(nullptr, control);
    ASSERT_TRUE(ClickIntoGrid(d, control, POINT{120, 60}));
    HWND bar = nullptr;
    RECT button = {};
    ASSERT_TRUE(ToolbarButtonRect(d, 32959, bar, button));
    d.Foreground();
    Click(bar, POINT{button.right - 4, (button.top + button.bottom) / 2});
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = OpenMenuWindow(d)) != nullptr; }, 5000));

    POINT under = {button.left, button.bottom};
    ::ClientToScreen(bar, &under);
    RECT mr;
    ::GetWindowRect(menu, &mr);
    EXPECT_EQ(under.x, mr.left);
    EXPECT_EQ(under.y, mr.top);

    std::vector<int> rows;
    for (int i = 0; i < 8; ++i) {
        Press(VK_DOWN);
        Pump(200);
        rows.push_back(HighlightRow(Capture(mr)));
    }
    SaveShotIfAsked("KIVO_DESIGNER_FORMULA_SHOT");
    for (int i = 1; i < 7; ++i)
        EXPECT_GT(rows[i], rows[i - 1]) << i;
    EXPECT_GE(rows[0], 0);
    EXPECT_EQ(rows[0], rows[7]);

    Press(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return OpenMenuWindow(d) == nullptr; }, 5000));
    EXPECT_EQ(0, d.Close());
}

}  // namespace

namespace {

// The rows of a picture of a menu read as its entries, top to bottom: a band
// of rows holding anything but the face is a separator when it is at most
// three rows high ('-'), else a caption, enabled when drawn dark ('E') and
// greyed when drawn only in lighter colours ('G'). The menu's border (a few
// pixels at each edge) is left out.
std::string MenuEntries(const Picture& p)
{
    const DWORD face = Picture::Rgb(::GetSysColor(COLOR_MENU));
    const int edge = 4;
    std::string entries;
    int top = -1;
    bool dark = false;
    for (int y = edge; y <= p.height - edge; ++y) {
        bool ink = false, inkDark = false;
        if (y < p.height - edge) {
            for (int x = edge; x < p.width - edge; ++x) {
                const DWORD px = p.bits[static_cast<size_t>(y) * p.width + x] & 0xFFFFFF;
                if (px == face)
                    continue;
                ink = true;
                inkDark = inkDark || ((px & 0xFF) + ((px >> 8) & 0xFF) + ((px >> 16) & 0xFF)) < 3 * 96;
            }
        }
        if (ink) {
            if (top < 0) {
                top = y;
                dark = false;
            }
            dark = dark || inkDark;
        } else if (top >= 0) {
            entries += y - top <= 3 ? '-' : (dark ? 'E' : 'G');
            top = -1;
        }
    }
    return entries;
}

// Puts text on the clipboard, or empties it for nullptr.
void SetClipboardText(const char* text)
{
    if (!::OpenClipboard(nullptr))
        return;
    ::EmptyClipboard();
    if (text != nullptr) {
        const size_t size = std::strlen(text) + 1;
        HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, size);
        if (mem != nullptr) {
            std::memcpy(::GlobalLock(mem), text, size);
            ::GlobalUnlock(mem);
            if (::SetClipboardData(CF_TEXT, mem) == nullptr)
                ::GlobalFree(mem);
        }
    }
    ::CloseClipboard();
}

// A right click on the selected cell drops the grid's menu at the pointer,
// drawn on the menu's face with the designer's cell items: cut and copy,
// the two paste items (greyed while the clipboard holds nothing to paste),
// then the clearing, read-only, tip, link and properties groups.
TEST_F(DesignerMenuShot, RightClickOnACellDropsTheCellMenuAtThePointer)
{
    struct Case {
        const char* clipboard;
        const char* entries;
        const char* shot;
    };
    const Case cases[] = {
        {nullptr, "EEGG-EE-EE-EE-EE", "KIVO_DESIGNER_CELL_MENU_SHOT"},
        {"pasted", "EEEE-EE-EE-EE-EE", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entries);
        SetClipboardText(c.clipboard);
        Designer d;
        ASSERT_TRUE(d.started);
        ASSERT_NE(nullptr, d.Frame());
        ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
        HWND control = ChildById(d.Documents()[0], 923);
        ASSERT_NE(nullptr, control);
        const POINT at = {120, 60};
        ASSERT_TRUE(ClickIntoGrid(d, control, at));
        Click(control, at, true);
        HWND menu = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (menu = OpenMenuWindow(d)) != nullptr; }, 5000));

        // The pop-up hangs from the pointer, down and to the right.
        POINT pointer = at;
        ::ClientToScreen(control, &pointer);
        RECT mr;
        ::GetWindowRect(menu, &mr);
        EXPECT_LE(std::abs(mr.left - pointer.x), 2);
        EXPECT_LE(std::abs(mr.top - pointer.y), 2);
        Pump(500);
        const Picture open = Capture(mr);
        if (c.shot != nullptr)
            SaveShotIfAsked(c.shot);
        const int area = open.width * open.height;
        ASSERT_GT(area, 0);
        EXPECT_GT(open.Count(::GetSysColor(COLOR_MENU)), area / 2);
        EXPECT_GT(open.Dark(), 300);
        EXPECT_EQ(c.entries, MenuEntries(open));

        Press(VK_ESCAPE);
        EXPECT_TRUE(WaitFor([&] { return OpenMenuWindow(d) == nullptr; }, 5000));
        EXPECT_EQ(0, d.Close());
    }
    SetClipboardText(nullptr);
}

}  // namespace
