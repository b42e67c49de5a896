// The designer's control site: creates the grid control by its class
// identifier as a child of a window, activates it in place, answers its
// questions (ambient user mode, the window it lives in), receives its events
// through a sink on the event interface, and offers it the keys that reach
// the program's message loop first. Nothing is shared with the control but
// COM interfaces; once Destroy ran (or creation failed) every call answers
// that there is no control.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <functional>
#include <memory>
#include <vector>

class CControlSite {
public:
    // An event: its dispatch identifier and its numeric arguments in
    // declaration order (texts and objects as 0).
    typedef std::function<void(int, const std::vector<long>&)> EventHandler;

    CControlSite();
    virtual ~CControlSite();
    CControlSite(const CControlSite&) = delete;
    CControlSite& operator=(const CControlSite&) = delete;

    // Creates the control (class identifier clsid) in parent at rect with the
    // child identifier id; FALSE, leaving no window, when it cannot.
    BOOL Create(const CLSID& clsid, HWND parent, const RECT& rect, UINT id);
    void Destroy();
    void SetEventHandler(EventHandler handler) { m_onEvent = std::move(handler); }

    IDispatch* Dispatch() const { return m_dispatch; }
    // Expires when the control goes (Destroy, a failed or a new Create):
    // drivers of the objects it handed out watch it and refuse from then on.
    std::weak_ptr<const void> Liveness() const { return m_alive; }
    HWND GetSafeHwnd() const;
    void MoveWindow(const RECT& rect);
    // Offers a key message to the control; TRUE when it used it.
    BOOL PreTranslateMessage(MSG* msg);
    // Gives the keyboard focus to the control.
    void Focus();

    // Used by the site's COM objects.
    HWND ParentWindow() const { return m_parent; }
    const RECT& Rect() const { return m_rect; }
    void FireEvent(int dispid, const std::vector<long>& args);

private:
    class Site;
    class Sink;
    Site* m_site = nullptr;
    Sink* m_sink = nullptr;
    IUnknown* m_control = nullptr;
    IDispatch* m_dispatch = nullptr;
    IOleObject* m_ole = nullptr;
    IConnectionPoint* m_point = nullptr;
    DWORD m_cookie = 0;
    HWND m_parent = nullptr;
    RECT m_rect = {0, 0, 0, 0};
    UINT m_id = 0;
    EventHandler m_onEvent;
    std::shared_ptr<const void> m_alive;
};
