#include "designer/win32/dialogs/DatabasePictureButtons.h"

CDatabasePictureButtons::~CDatabasePictureButtons()
{
    for (const Entry& e : m_entries)
        if (e.images != nullptr)
            ImageList_Destroy(e.images);
}

BOOL CDatabasePictureButtons::Add(HWND button, UINT bitmapId, COLORREF transparent, bool withText)
{
    if (button == nullptr)
        return FALSE;
    Entry entry{button, nullptr, 0, 0, withText};
    HBITMAP bmp = static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, 0));
    BITMAP info = {};
    if (bmp != nullptr && ::GetObjectA(bmp, sizeof(info), &info) == sizeof(info) && info.bmWidth > 0 &&
        info.bmHeight > 0) {
        entry.images = ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
        if (entry.images != nullptr && ImageList_AddMasked(entry.images, bmp, transparent) < 0) {
            ImageList_Destroy(entry.images);
            entry.images = nullptr;
        }
        entry.width = info.bmWidth;
        entry.height = info.bmHeight;
    }
    if (bmp != nullptr)
        ::DeleteObject(bmp);
    m_entries.push_back(entry);
    ::InvalidateRect(button, nullptr, TRUE);
    return entry.images != nullptr;
}

BOOL CDatabasePictureButtons::DrawItem(const DRAWITEMSTRUCT* item) const
{
    if (item == nullptr || item->CtlType != ODT_BUTTON)
        return FALSE;
    const Entry* entry = nullptr;
    for (const Entry& e : m_entries)
        if (e.hwnd == item->hwndItem)
            entry = &e;
    if (entry == nullptr)
        return FALSE;

    HDC dc = item->hDC;
    RECT rc = item->rcItem;
    const bool pushed = (item->itemState & ODS_SELECTED) != 0;
    const bool disabled = (item->itemState & ODS_DISABLED) != 0;
    ::DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const int shift = pushed ? 1 : 0;

    char text[128] = {};
    if (entry->text || entry->images == nullptr)
        ::GetWindowTextA(entry->hwnd, text, sizeof(text));
    const int height = rc.bottom - rc.top;
    int x = rc.left + ((rc.right - rc.left) - entry->width) / 2;
    if (entry->text && text[0] != '\0')
        x = rc.left + 4;
    if (entry->images != nullptr) {
        const int y = rc.top + (height - entry->height) / 2;
        ImageList_DrawEx(entry->images, 0, dc, x + shift, y + shift, 0, 0, CLR_NONE, CLR_DEFAULT,
                         disabled ? ILD_BLEND50 : ILD_NORMAL);
    }
    if (text[0] != '\0') {
        RECT area = rc;
        if (entry->images != nullptr)
            area.left = x + entry->width + 4;
        ::OffsetRect(&area, shift, shift);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(entry->hwnd, WM_GETFONT, 0, 0));
        HGDIOBJ oldFont = font != nullptr ? ::SelectObject(dc, font) : nullptr;
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        const UINT align = entry->images != nullptr ? DT_LEFT : DT_CENTER;
        ::DrawTextA(dc, text, -1, &area, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (oldFont != nullptr)
            ::SelectObject(dc, oldFont);
    }
    if ((item->itemState & ODS_FOCUS) != 0) {
        RECT focus = rc;
        ::InflateRect(&focus, -3, -3);
        ::DrawFocusRect(dc, &focus);
    }
    return TRUE;
}
