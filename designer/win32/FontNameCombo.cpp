#include "designer/win32/FontNameCombo.h"

BOOL CFontNameCombo::Attach(int id, HWND dialog)
{
    m_hwnd = ::GetDlgItem(dialog, id);
    return m_hwnd != nullptr;
}

int CALLBACK CFontNameCombo::Collect(const LOGFONTA* lf, const TEXTMETRICA* tm, DWORD type, LPARAM param)
{
    auto* self = reinterpret_cast<CFontNameCombo*>(param);
    const auto* ex = reinterpret_cast<const ENUMLOGFONTEXA*>(lf);
    EnumeratedFont font;
    font.face = lf->lfFaceName;
    font.style = reinterpret_cast<const char*>(ex->elfStyle);
    font.script = reinterpret_cast<const char*>(ex->elfScript);
    font.height = lf->lfHeight;
    font.emSize = (type & TRUETYPE_FONTTYPE) != 0
                      ? static_cast<int>(reinterpret_cast<const NEWTEXTMETRICA*>(tm)->ntmSizeEM)
                      : static_cast<int>(tm->tmHeight - tm->tmInternalLeading);
    font.pixelsPerInch = self->m_pixelsPerInch;
    font.weight = lf->lfWeight;
    font.italic = lf->lfItalic != 0;
    font.charset = lf->lfCharSet;
    self->m_list.Add(font);
    return 1;
}

void CFontNameCombo::Fill(const CString& face, int charset)
{
    if (m_hwnd == nullptr)
        return;
    m_list.Clear();
    LOGFONTA lf = {};
    lf.lfCharSet = static_cast<BYTE>(charset);
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    HDC dc = ::GetDC(m_hwnd);
    m_pixelsPerInch = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::EnumFontFamiliesExA(dc, &lf, Collect, reinterpret_cast<LPARAM>(this), 0);
    ::ReleaseDC(m_hwnd, dc);
    ::SendMessageA(m_hwnd, CB_RESETCONTENT, 0, 0);
    for (const FontListEntry& e : m_list.Entries()) {
        // A sorted box places names itself; sizes keep their numeric order.
        const LRESULT at = ::SendMessageA(m_hwnd, m_list.GetMode() == CFontNameList::kSizes ? CB_INSERTSTRING
                                                                                             : CB_ADDSTRING,
                                          static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(e.text.GetString()));
        if (at >= 0)
            ::SendMessageA(m_hwnd, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(e.data));
    }
}

BOOL CFontNameCombo::SelectData(long data)
{
    const LRESULT n = ::SendMessageA(m_hwnd, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        if (::SendMessageA(m_hwnd, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) {
            ::SendMessageA(m_hwnd, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return TRUE;
        }
    }
    return FALSE;
}

void CFontNameCombo::SelectText(const CString& text)
{
    const LRESULT at = ::SendMessageA(m_hwnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text.GetString()));
    ::SendMessageA(m_hwnd, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
}

int PointSizeToHeight(int points)
{
    HDC dc = ::GetDC(nullptr);
    const int height = -::MulDiv(points, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, dc);
    return height;
}
