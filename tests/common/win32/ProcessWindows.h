// What a process shows on the screen, for tests that run programs or may
// meet a message box: the visible top-level windows of a process, whether a
// window is a message box (a dialog of static texts and buttons only), and
// a one-line description of a window to put in a failure message.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testproc {

inline std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(size > 0 ? size : 0, '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr,
                              nullptr);
    return out;
}

inline std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

inline std::wstring TextOf(HWND window)
{
    wchar_t text[1024] = {};
    ::GetWindowTextW(window, text, 1024);
    return text;
}

struct TopWindowSearch {
    DWORD process;
    std::vector<HWND> found;
};

inline BOOL CALLBACK CollectTopWindow(HWND window, LPARAM l)
{
    auto* search = reinterpret_cast<TopWindowSearch*>(l);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if ((search->process == 0 || owner == search->process) && ::IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

// The visible top-level windows of a process (0: of every process).
inline std::vector<HWND> VisibleTopWindows(DWORD process)
{
    TopWindowSearch search = {process, {}};
    ::EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A message box: a dialog whose children are static texts (and icons) and
// buttons only.
inline bool IsMessageBox(HWND window)
{
    if (ClassOf(window) != L"#32770")
        return false;
    bool any = false;
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring cls = ClassOf(child);
        if (cls != L"Static" && cls != L"Button")
            return false;
        any = true;
    }
    return any;
}

// "[caption] text | button | button" of a dialog, or "<class> [caption]" of
// another window.
inline std::string Describe(HWND window)
{
    std::wstring line = L"[" + TextOf(window) + L"]";
    if (ClassOf(window) != L"#32770")
        return Utf8(ClassOf(window) + L" " + line);
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring text = TextOf(child);
        if (!text.empty())
            line += L" " + text + L" |";
    }
    return Utf8(line);
}

inline std::string DescribeAll(const std::vector<HWND>& windows)
{
    std::string out;
    for (HWND window : windows)
        out += (out.empty() ? "" : "; ") + Describe(window);
    return out.empty() ? "none" : out;
}

}  // namespace testproc
