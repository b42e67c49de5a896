// A window that writes down every handler call with its decoded arguments, and
// answers private messages (WM_USER and above) with a set value.
#pragma once

#include "platform/DC.h"
#include "platform/System.h"
#include "platform/Wnd.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

struct PrivateMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class RecordingWnd : public CWnd {
public:
    std::vector<std::string> calls;
    std::vector<PrivateMessage> privateMessages;
    LRESULT privateAnswer = 0;
    int createAnswer = 0;
    int postNcDestroys = 0;
    BOOL notifyHandled = FALSE;
    LRESULT notifyResult = 0;

    bool Called(const std::string& call) const
    {
        for (const std::string& c : calls) {
            if (c == call)
                return true;
        }
        return false;
    }
    // The text a handler call with a window argument is written as.
    static std::string WindowCall(const char* name, HWND hwnd)
    {
        char text[128];
        std::snprintf(text, sizeof(text), "%s %p", name, static_cast<void*>(hwnd));
        return text;
    }
    std::string Last() const { return calls.empty() ? std::string() : calls.back(); }
    // The last call whose text starts with prefix.
    std::string LastOf(const std::string& prefix) const
    {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
            if (it->compare(0, prefix.size(), prefix) == 0)
                return *it;
        }
        return std::string();
    }

protected:
    void Add(const char* format, ...)
    {
        char text[256];
        va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof(text), format, args);
        va_end(args);
        calls.emplace_back(text);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_USER && message < 0xC000) {
            privateMessages.push_back({message, wParam, lParam});
            return privateAnswer;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int OnCreate(LPCREATESTRUCT cs) override
    {
        Add("OnCreate %s", cs && cs->lpszName ? cs->lpszName : "");
        return createAnswer;
    }
    void OnDestroy() override
    {
        Add("OnDestroy");
        CWnd::OnDestroy();
    }
    void PostNcDestroy() override { ++postNcDestroys; }
    void OnSize(UINT type, int cx, int cy) override
    {
        Add("OnSize %u %d %d", type, cx, cy);
        CWnd::OnSize(type, cx, cy);
    }
    void OnSetFocus(CWnd* old) override
    {
        Add("OnSetFocus %p", static_cast<void*>(old ? old->m_hWnd : nullptr));
        CWnd::OnSetFocus(old);
    }
    void OnKillFocus(CWnd* next) override
    {
        Add("OnKillFocus %p", static_cast<void*>(next ? next->m_hWnd : nullptr));
        CWnd::OnKillFocus(next);
    }
    void OnKeyDown(UINT c, UINT r, UINT f) override { Add("OnKeyDown %u %u %u", c, r, f); }
    void OnKeyUp(UINT c, UINT r, UINT f) override { Add("OnKeyUp %u %u %u", c, r, f); }
    void OnChar(UINT c, UINT r, UINT f) override { Add("OnChar %u %u %u", c, r, f); }
    void OnSysKeyDown(UINT c, UINT r, UINT f) override { Add("OnSysKeyDown %u %u %u", c, r, f); }
    LRESULT OnImeChar(WPARAM w, LPARAM l) override
    {
        Add("OnImeChar %u %ld", static_cast<unsigned>(w), static_cast<long>(l));
        return 1;
    }
    void OnMouseMove(UINT f, CPoint p) override { Add("OnMouseMove %u %ld %ld", f, (long)p.x, (long)p.y); }
    void OnLButtonDown(UINT f, CPoint p) override { Add("OnLButtonDown %u %ld %ld", f, (long)p.x, (long)p.y); }
    void OnLButtonUp(UINT f, CPoint p) override { Add("OnLButtonUp %u %ld %ld", f, (long)p.x, (long)p.y); }
    void OnLButtonDblClk(UINT f, CPoint p) override { Add("OnLButtonDblClk %u %ld %ld", f, (long)p.x, (long)p.y); }
    void OnRButtonDown(UINT f, CPoint p) override { Add("OnRButtonDown %u %ld %ld", f, (long)p.x, (long)p.y); }
    void OnRButtonUp(UINT f, CPoint p) override { Add("OnRButtonUp %u %ld %ld", f, (long)p.x, (long)p.y); }
    BOOL OnMouseWheel(UINT f, short d, CPoint p) override
    {
        Add("OnMouseWheel %u %d %ld %ld", f, d, (long)p.x, (long)p.y);
        return TRUE;
    }
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override
    {
        Add("OnHScroll %u %u %s", code, pos, bar ? "bar" : "none");
    }
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override
    {
        Add("OnVScroll %u %u %s", code, pos, bar ? "bar" : "none");
    }
    void OnTimer(UINT_PTR id) override { Add("OnTimer %u", static_cast<unsigned>(id)); }
    void OnCaptureChanged(CWnd* w) override
    {
        Add("OnCaptureChanged %p", static_cast<void*>(w ? w->m_hWnd : nullptr));
        CWnd::OnCaptureChanged(w);
    }
    UINT OnGetDlgCode() override
    {
        Add("OnGetDlgCode");
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    }
    BOOL OnNotify(WPARAM w, LPARAM l, LRESULT* result) override
    {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(l);
        Add("OnNotify %u %d", static_cast<unsigned>(w), header ? static_cast<int>(header->code) : 0);
        *result = notifyResult;
        return notifyHandled;
    }
    BOOL OnCommand(WPARAM w, LPARAM l) override
    {
        Add("OnCommand %u %u", LOWORD(w), HIWORD(w));
        return TRUE;
    }
    void OnSysColorChange() override { Add("OnSysColorChange"); }
    void OnContextMenu(CWnd*, CPoint p) override { Add("OnContextMenu %ld %ld", (long)p.x, (long)p.y); }
    LRESULT OnSetFont(WPARAM w, LPARAM l) override
    {
        font = reinterpret_cast<HFONT>(w);
        Add("OnSetFont %ld", static_cast<long>(l));
        return 0;
    }
    LRESULT OnGetFont(WPARAM, LPARAM) override { return reinterpret_cast<LRESULT>(font); }

public:
    HFONT font = nullptr;
};
