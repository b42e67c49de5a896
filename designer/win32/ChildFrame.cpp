// The MDI child frame of a document: a maximised child window of the MDI
// client whose client area is the view window, which hosts the control.
#include "designer/win32/Framework.h"

#include "control/KivoGuids.gen.h"

#include <cstring>

const char* const CChildFrame::kClassName = "KivoDesignerChildFrame";
const char* const CChildFrame::kViewClassName = "KivoDesignerView";

namespace {

CLSID ControlClassId()
{
    CLSID id;
    std::memcpy(&id, kGuid_KivoSheet.bytes, sizeof(id));
    return id;
}

CChildFrame* g_creating = nullptr;

}  // namespace

bool CChildFrame::RegisterClasses(HINSTANCE instance)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ChildProc;
    wc.hInstance = instance;
    wc.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(129));
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    wc.cbWndExtra = sizeof(void*);
    if (!::RegisterClassExA(&wc))
        return false;
    WNDCLASSEXA vc = {};
    vc.cbSize = sizeof(vc);
    vc.lpfnWndProc = ViewProc;
    vc.hInstance = instance;
    vc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    vc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    vc.lpszClassName = kViewClassName;
    vc.cbWndExtra = sizeof(void*);
    return ::RegisterClassExA(&vc) != 0;
}

CChildFrame::CChildFrame(CMainFrame* frame) : m_frame(frame)
{
    m_view.reset(new CKivoSheetDesignerView(m_control, frame->Ui()));
    m_doc.reset(new CKivoSheetDesignerDoc(frame->Ui()));
    m_doc->SetView(m_view.get());
    m_doc->SetTitleChangeHandler([](void* self) { static_cast<CChildFrame*>(self)->UpdateCaption(); }, this);
    m_control.SetEventHandler([this](int id, const std::vector<long>& args) { m_view->OnGridEvent(id, args); });
}

CChildFrame* CChildFrame::FromHwnd(HWND hwnd)
{
    if (hwnd == nullptr)
        return nullptr;
    char name[64] = {0};
    if (::GetClassNameA(hwnd, name, sizeof(name)) == 0 || std::strcmp(name, kClassName) != 0)
        return nullptr;
    return reinterpret_cast<CChildFrame*>(::GetWindowLongPtrA(hwnd, 0));
}

CChildFrame* CChildFrame::Create(CMainFrame* frame)
{
    CChildFrame* child = new CChildFrame(frame);
    g_creating = child;
    MDICREATESTRUCTA mcs = {};
    mcs.szClass = kClassName;
    mcs.szTitle = "";
    mcs.hOwner = frame->Instance();
    mcs.x = mcs.y = mcs.cx = mcs.cy = static_cast<int>(CW_USEDEFAULT);
    mcs.style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_MAXIMIZE | WS_CLIPCHILDREN;
    HWND hwnd = reinterpret_cast<HWND>(
        ::SendMessageA(frame->MdiClient(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    g_creating = nullptr;
    if (hwnd == nullptr) {
        // The window procedure deleted nothing: creation failed before or in
        // WM_CREATE, and the window (if any) is gone.
        delete child;
        return nullptr;
    }
    return child;
}

void CChildFrame::UpdateCaption()
{
    if (m_hwnd == nullptr)
        return;
    ::SetWindowTextA(m_hwnd, m_doc->GetCaption());
    // A maximised child's caption shows in the frame's title; let the MDI
    // client repaint the frame's caption.
    ::SendMessageA(m_frame->MdiClient(), WM_MDIREFRESHMENU, 0, 0);
    ::DrawMenuBar(m_frame->Hwnd());
}

BOOL CChildFrame::CanClose()
{
    return m_doc->SaveModified();
}

LRESULT CALLBACK CChildFrame::ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CChildFrame* self = reinterpret_cast<CChildFrame*>(::GetWindowLongPtrA(hwnd, 0));
    switch (message) {
    case WM_NCCREATE:
        self = g_creating;
        if (self == nullptr)
            return FALSE;
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(self));
        // No client edge inside the frame.
        ::SetWindowLongPtrA(hwnd, GWL_EXSTYLE, ::GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
        break;
    case WM_CREATE: {
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        g_creating = self;
        self->m_view_hwnd = ::CreateWindowExA(0, kViewClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                              rc.right, rc.bottom, hwnd, reinterpret_cast<HMENU>(kViewId),
                                              self->m_frame->Instance(), self);
        if (self->m_view_hwnd == nullptr || self->m_controlFailed)
            return -1;
        break;
    }
    case WM_SIZE:
        if (self != nullptr && self->m_view_hwnd != nullptr)
            ::MoveWindow(self->m_view_hwnd, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        break;
    case WM_SETFOCUS:
        if (self != nullptr)
            self->m_control.Focus();
        return 0;
    case WM_CLOSE:
        if (self != nullptr && !self->CanClose())
            return 0;
        break;
    case WM_MDIACTIVATE:
        if (self != nullptr)
            self->m_frame->UpdateMenu();
        break;
    case WM_DESTROY:
        if (self != nullptr)
            self->m_control.Destroy();
        break;
    case WM_NCDESTROY: {
        LRESULT r = ::DefMDIChildProcA(hwnd, message, wParam, lParam);
        ::SetWindowLongPtrA(hwnd, 0, 0);
        if (self != nullptr) {
            CMainFrame* frame = self->m_frame;
            self->m_hwnd = nullptr;
            // Only a window whose creation was completed owns its object;
            // a failed creation is cleaned up by Create.
            if (!self->m_controlFailed && self->m_view_hwnd != nullptr)
                delete self;
            frame->UpdateMenu();
        }
        return r;
    }
    default:
        break;
    }
    return ::DefMDIChildProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CChildFrame::ViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CChildFrame* self = reinterpret_cast<CChildFrame*>(::GetWindowLongPtrA(hwnd, 0));
    switch (message) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        self = static_cast<CChildFrame*>(cs->lpCreateParams);
        ::SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(self));
        ::SetWindowLongPtrA(hwnd, GWL_EXSTYLE, ::GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
        break;
    }
    case WM_CREATE: {
        RECT rc = {0, 0, 100, 100};
        if (!self->m_control.Create(ControlClassId(), hwnd, rc, kControlId)) {
            self->m_controlFailed = true;
            self->m_frame->Ui().MessageBox(
                CString("无法创建表格控件! 请确定 KivoSheet.dll 已经注册 (regsvr32 KivoSheet.dll)."),
                LoadResourceString(0xE000), MB_OK | MB_ICONSTOP);
            return -1;
        }
        self->m_view->OnCreate();
        break;
    }
    case WM_SIZE:
        if (self != nullptr) {
            RECT rc = {0, 0, LOWORD(lParam), HIWORD(lParam)};
            self->m_control.MoveWindow(rc);
            if (HWND control = self->m_control.GetSafeHwnd())
                ::InvalidateRect(control, nullptr, TRUE);
        }
        break;
    case WM_SETFOCUS:
        if (self != nullptr)
            self->m_control.Focus();
        return 0;
    case WM_ERASEBKGND:
        // The control covers the whole view: nothing to erase beneath it.
        return 1;
    case WM_PAINT: {
        // Nothing of the view's own shows; the paint only validates.
        PAINTSTRUCT ps;
        ::BeginPaint(hwnd, &ps);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}
