// The designer's toolbars dock and float as a user drags them by their
// grippers with the mouse: released at the frame's left edge a bar stands
// there upright, released over the documents it floats in a tool window of
// its own where its buttons still work, and closing that window docks it
// again where it was.
#include "designer/win32/DesignerDriver.h"

#include <commctrl.h>

#include <string>
#include <vector>

using namespace designerwine;

namespace {

class DesignerDocking : public DesignerProgramBase {};

// The bar window holding the toolbar whose first button has the command id
// (asked by command: the toolbar's structures do not cross processes).
HWND BarOf(HWND frame, int firstCommand)
{
    for (HWND tb : Children(frame, "ToolbarWindow32"))
        if (::SendMessageA(tb, TB_COMMANDTOINDEX, firstCommand, 0) == 0)
            return ::GetParent(tb);
    return nullptr;
}

// Presses the left button on the bar's gripper, moves to a screen point and
// releases there.
void DragGripper(HWND bar, POINT to)
{
    RECT r;
    ::GetWindowRect(bar, &r);
    PointerTo(POINT{r.left + 3, r.top + 6});
    Pump(100);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &in, sizeof(in));
    Pump(150);
    POINT mid = {(r.left + to.x) / 2, (r.top + to.y) / 2};
    PointerTo(mid);
    Pump(100);
    PointerTo(to);
    Pump(150);
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &in, sizeof(in));
    Pump(300);
}

TEST_F(DesignerDocking, BarsDockOnTheSidesAndFloat)
{
    Designer d;
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Frame());
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    d.Foreground();
    HWND frame = d.Frame();
    HWND mdi = nullptr;
    for (HWND h = ::GetWindow(frame, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
        if (ClassOf(h) == "MDIClient")
            mdi = h;
    ASSERT_NE(nullptr, mdi);

    // The row-tree bar (first button "添加树", 32776) to the left edge.
    HWND treeBar = BarOf(frame, 32776);
    ASSERT_NE(nullptr, treeBar);
    RECT client;
    ::GetClientRect(frame, &client);
    POINT leftEdge = {5, (client.bottom) / 2};
    ::ClientToScreen(frame, &leftEdge);
    DragGripper(treeBar, leftEdge);
    RECT bar, docs;
    ASSERT_TRUE(WaitFor([&] {
        ::GetWindowRect(treeBar, &bar);
        POINT tl = {bar.left, bar.top};
        ::ScreenToClient(frame, &tl);
        return tl.x == 0 && bar.bottom - bar.top > bar.right - bar.left;
    }));
    ::GetWindowRect(mdi, &docs);
    EXPECT_GE(docs.left, bar.right);   // the documents start right of it

    // The standard bar (first button "新建", 57600) over the documents floats.
    HWND standard = BarOf(frame, 57600);
    ASSERT_NE(nullptr, standard);
    POINT middle = {(docs.left + docs.right) / 2, (docs.top + docs.bottom) / 2};
    DragGripper(standard, middle);
    HWND floating = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<HWND> f = TopWindows(d.pi.dwProcessId, "KivoDesignerFloatBar");
        floating = f.empty() ? nullptr : f[0];
        return floating != nullptr && ::GetParent(standard) == floating;
    }));
    // Its "新建" button still makes a document.
    HWND tb = ChildById(standard, 0xE800);
    ASSERT_NE(nullptr, tb);
    Click(tb, POINT{11, 10});   // the first button
    EXPECT_TRUE(WaitFor([&] { return d.Documents().size() == 2; }));

    // Its close box docks it at the top again.
    ::PostMessageA(floating, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] {
        ::GetWindowRect(standard, &bar);
        ::GetWindowRect(mdi, &docs);
        return ::GetParent(standard) == frame && !::IsWindow(floating) && bar.bottom <= docs.top;
    }));
    EXPECT_GT(bar.right - bar.left, bar.bottom - bar.top);
    EXPECT_EQ(0, d.Close());
}

}  // namespace
