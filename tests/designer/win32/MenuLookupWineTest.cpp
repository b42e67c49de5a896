// Finding the File menu of an MDI frame by its commands: with a maximised
// document window the system puts that window's system menu first in the
// frame's menu bar, so the first pop-up is no longer the File menu.
#include "designer/DesignerCommands.h"
#include "designer/win32/MenuLookup.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace designer_cmd;

namespace {

LRESULT CALLBACK FrameProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    HWND client = ::GetWindow(h, GW_CHILD);
    return ::DefFrameProcA(h, client, m, w, l);
}

LRESULT CALLBACK ChildProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return ::DefMDIChildProcA(h, m, w, l);
}

HMENU MenuBar()
{
    HMENU bar = ::CreateMenu();
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuA(file, MF_STRING, 57600, "New");
    ::AppendMenuA(file, MF_STRING, kFileMruFirst, "1 a.kvx");
    ::AppendMenuA(file, MF_STRING, kFileMruFirst + 1, "2 b.kvx");
    HMENU window = ::CreatePopupMenu();
    ::AppendMenuA(window, MF_STRING, 57650, "Cascade");
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "File");
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(window), "Window");
    return bar;
}

TEST(MenuLookup, FileMenuFoundWithAMaximisedDocument)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA fc = {};
    fc.lpfnWndProc = FrameProc;
    fc.hInstance = instance;
    fc.lpszClassName = "KivoMenuLookupFrame";
    ::RegisterClassA(&fc);
    WNDCLASSA cc = fc;
    cc.lpfnWndProc = ChildProc;
    cc.lpszClassName = "KivoMenuLookupChild";
    ::RegisterClassA(&cc);

    HMENU bar = MenuBar();
    HWND frame = ::CreateWindowExA(0, fc.lpszClassName, "frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 600,
                                   400, nullptr, bar, instance, nullptr);
    ASSERT_NE(nullptr, frame);
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = ::GetSubMenu(bar, 1);
    ccs.idFirstChild = 0xFF00;
    HWND client = ::CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600, 380,
                                    frame, nullptr, instance, &ccs);
    ASSERT_NE(nullptr, client);
    ::ShowWindow(frame, SW_SHOW);

    // Before a document is maximised the File menu is the first pop-up.
    EXPECT_EQ(::GetSubMenu(bar, 0), PopupHoldingCommand(::GetMenu(frame), kFileMruFirst, kFileMruLast));
    HMENU file = ::GetSubMenu(bar, 0);

    MDICREATESTRUCTA mcs = {};
    mcs.szClass = cc.lpszClassName;
    mcs.szTitle = "doc";
    mcs.hOwner = instance;
    mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
    mcs.style = WS_MAXIMIZE;
    HWND child = reinterpret_cast<HWND>(::SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    ASSERT_NE(nullptr, child);
    ::SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);

    // Maximised: the first pop-up of the bar is no longer the File menu, and
    // the lookup by command still finds it.
    EXPECT_NE(file, ::GetSubMenu(::GetMenu(frame), 0));
    EXPECT_EQ(file, PopupHoldingCommand(::GetMenu(frame), kFileMruFirst, kFileMruLast));
    EXPECT_EQ(::GetSubMenu(bar, 2), PopupHoldingCommand(::GetMenu(frame), 57650, 57650));
    EXPECT_EQ(nullptr, PopupHoldingCommand(::GetMenu(frame), 1, 2));
    EXPECT_EQ(nullptr, PopupHoldingCommand(nullptr, kFileMruFirst, kFileMruLast));

    ::DestroyWindow(frame);
    ::UnregisterClassA(fc.lpszClassName, instance);
    ::UnregisterClassA(cc.lpszClassName, instance);
}

}  // namespace
