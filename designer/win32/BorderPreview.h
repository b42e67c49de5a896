// CBorderPreview: a static control of a dialog that paints a sample cell
// with up to eight border lines on white, with light grey corner marks and
// the text "文本" in the middle. The records and geometry are
// CBorderPreviewState's (designer/BorderPreview.h).
#pragma once

#include "designer/BorderPreview.h"

#include <windows.h>

class CBorderPreview {
public:
    CBorderPreview() = default;
    ~CBorderPreview();
    CBorderPreview(const CBorderPreview&) = delete;
    CBorderPreview& operator=(const CBorderPreview&) = delete;

    // Takes over the dialog's static `id`; FALSE when there is none.
    BOOL SubclassDlgItem(int id, HWND dialog);
    HWND Hwnd() const { return m_hwnd; }

    void SetBorderLine(int i, int flag, int style, int width, COLORREF colour)
    {
        m_state.SetBorderLine(i, flag, style, width, colour);
    }
    void SetBorderLineAndRedraw(int i, int flag, int style, int width, COLORREF colour);
    void ClearBorderLine(int i);
    BorderPreviewLine GetBorderLine(int i) const { return m_state.GetBorderLine(i); }
    void Redraw();

    // Paints the preview into a client area of w x h.
    void Paint(HDC dc, int w, int h) const;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    CBorderPreviewState m_state;
    HWND m_hwnd = nullptr;
};
