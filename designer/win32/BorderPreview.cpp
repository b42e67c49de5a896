#include "designer/win32/BorderPreview.h"

#include <commctrl.h>

namespace {

const UINT_PTR kSubclassId = 0x4B50;  // "KP"

void Stroke(HDC dc, HPEN pen, const PreviewSegment& s)
{
    HGDIOBJ old = ::SelectObject(dc, pen);
    ::MoveToEx(dc, s.x1, s.y1, nullptr);
    ::LineTo(dc, s.x2, s.y2);
    ::SelectObject(dc, old);
}

}  // namespace

CBorderPreview::~CBorderPreview()
{
    if (m_hwnd != nullptr && ::IsWindow(m_hwnd))
        ::RemoveWindowSubclass(m_hwnd, Proc, kSubclassId);
}

BOOL CBorderPreview::SubclassDlgItem(int id, HWND dialog)
{
    HWND hwnd = ::GetDlgItem(dialog, id);
    if (hwnd == nullptr || m_hwnd != nullptr)
        return FALSE;
    m_hwnd = hwnd;
    ::SetWindowSubclass(hwnd, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    Redraw();
    return TRUE;
}

void CBorderPreview::SetBorderLineAndRedraw(int i, int flag, int style, int width, COLORREF colour)
{
    m_state.SetBorderLine(i, flag, style, width, colour);
    Redraw();
}

void CBorderPreview::ClearBorderLine(int i)
{
    m_state.ClearBorderLine(i);
    Redraw();
}

void CBorderPreview::Redraw()
{
    if (m_hwnd != nullptr)
        ::InvalidateRect(m_hwnd, nullptr, TRUE);
}

void CBorderPreview::Paint(HDC dc, int w, int h) const
{
    RECT rc = {0, 0, w, h};
    ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    HPEN grey = ::CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
    for (const PreviewSegment& m : CBorderPreviewState::CornerMarks(w, h))
        Stroke(dc, grey, m);
    ::DeleteObject(grey);

    ::InflateRect(&rc, -CBorderPreviewState::kInset, -CBorderPreviewState::kInset);
    LOGFONTA lf = {};
    lf.lfHeight = -::MulDiv(9, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, "宋体", LF_FACESIZE);
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::DrawTextA(dc, "文本", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);

    const auto segments = CBorderPreviewState::Segments(w, h);
    for (const auto& stroke : m_state.Strokes()) {
        const BorderPreviewLine l = m_state.GetBorderLine(stroke.first);
        HPEN pen = ::CreatePen(l.style, l.width > 0 ? l.width : 1, l.colour);
        Stroke(dc, pen, segments[static_cast<size_t>(stroke.second)]);
        ::DeleteObject(pen);
    }
}

LRESULT CALLBACK CBorderPreview::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data)
{
    auto* self = reinterpret_cast<CBorderPreview*>(data);
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        // Drawn off screen, then copied, so a repaint does not flicker.
        HDC mem = ::CreateCompatibleDC(dc);
        HBITMAP bitmap = ::CreateCompatibleBitmap(dc, rc.right, rc.bottom);
        HGDIOBJ old = ::SelectObject(mem, bitmap);
        self->Paint(mem, rc.right, rc.bottom);
        ::BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
        ::SelectObject(mem, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(mem);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(hwnd, Proc, kSubclassId);
        self->m_hwnd = nullptr;
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    default:
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    }
}
