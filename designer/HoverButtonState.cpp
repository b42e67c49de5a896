#include "designer/HoverButtonState.h"

#include <algorithm>

namespace {

const unsigned kDlgcUndefPush = 0x0020;
const unsigned kDlgcDefPush = 0x0010;
const unsigned kDlgcRadio = 0x0040;
const unsigned kDlgcButton = 0x2000;

}  // namespace

void COwnerDrawButtonState::TakeType(unsigned long style)
{
    m_nButtonType = static_cast<int>(style & 0x1F);
    m_bDefault = FALSE;
    if (m_nButtonType == kDefPush) {
        m_nButtonType = kPush;
        m_bDefault = TRUE;
    }
}

unsigned COwnerDrawButtonState::DialogCode() const
{
    if (IsRadioType())
        return kDlgcButton | kDlgcRadio;
    if (!m_bCanBeDefault || IsCheckType())
        return kDlgcButton;
    return kDlgcButton | (m_bDefault ? kDlgcDefPush : kDlgcUndefPush);
}

void COwnerDrawButtonState::StyleSet(int type)
{
    type &= 0x1F;
    if (type == kPush || type == kDefPush)
        m_bDefault = type == kDefPush ? TRUE : FALSE;
}

CHoverButtonState::Effect CHoverButtonState::MouseMove(bool leftDown, bool hasCapture, bool overSelf)
{
    Effect e;
    if (leftDown && !m_bHover)
        return e;
    if (!hasCapture) {
        m_bHover = TRUE;
        e.startTimer = e.takeCapture = e.repaint = true;
        return e;
    }
    if (!overSelf) {
        if (m_bHover) {
            m_bHover = FALSE;
            e.repaint = true;
        }
        e.releaseCapture = !leftDown;
    }
    return e;
}

CHoverButtonState::Effect CHoverButtonState::Timer(bool cursorInside)
{
    Effect e;
    if (!cursorInside) {
        m_bHover = FALSE;
        e.killTimer = e.repaint = true;
    }
    return e;
}

CHoverButtonState::Effect CHoverButtonState::LButtonDown(bool onArrow)
{
    Effect e;
    e.repaint = true;
    if (m_bArrowPressed) {
        // A second press while the menu is up only lets the arrow go.
        m_bArrowPressed = FALSE;
        return e;
    }
    if (onArrow && HasArrow()) {
        m_bArrowPressed = TRUE;
        e.showMenu = true;
        return e;
    }
    if (IsPushType())
        m_bPressed = TRUE;
    e.defaultHandling = true;
    return e;
}

CHoverButtonState::Effect CHoverButtonState::MenuClosed()
{
    Effect e;
    m_bArrowPressed = FALSE;
    e.repaint = true;
    return e;
}

CHoverButtonState::Effect CHoverButtonState::LButtonUp()
{
    Effect e;
    if (IsPushType() && m_bPressed) {
        m_bPressed = FALSE;
        e.releaseCapture = e.repaint = true;
    }
    return e;
}

CHoverButtonState::Effect CHoverButtonState::Clicked(const CString& url)
{
    Effect e;
    if (IsCheckType()) {
        m_bChecked = m_bPressed = m_bChecked ? FALSE : TRUE;
        e.repaint = true;
    } else if (IsRadioType()) {
        m_bChecked = m_bPressed = TRUE;
        e.checkGroup = e.repaint = true;
    } else if (!url.IsEmpty()) {
        e.openLink = true;
    }
    return e;
}

CHoverButtonState::Effect CHoverButtonState::SetCheck(bool on)
{
    Effect e;
    m_bChecked = m_bPressed = on ? TRUE : FALSE;
    e.repaint = true;
    return e;
}

CHoverButtonState::Border CHoverButtonState::BorderKind() const
{
    if (m_bPressed)
        return Border::Sunken;
    if ((m_dwStyle & kFlat) == 0)
        return Border::PushFrame;
    return m_bHover ? Border::Raised : Border::None;
}

HoverRect CHoverButtonState::ArrowRect(const HoverRect& client)
{
    HoverRect r = client;
    r.left = std::max(client.left, client.right - kArrowWidth);
    return r;
}

bool CHoverButtonState::HitsArrow(const HoverRect& client, int x, int y) const
{
    if (!HasArrow())
        return false;
    const HoverRect r = ArrowRect(client);
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

void CHoverButtonState::ImagePosition(const HoverRect& client, int imageW, int imageH, DWORD align, bool arrow,
                                      int* x, int* y)
{
    const int right = arrow ? client.right - kArrowWidth : client.right;
    const int width = right - client.left;
    if ((align & kImageCentre) != 0)
        *x = client.left + (width - imageW) / 2;
    else if ((align & kImageRight) != 0)
        *x = right - kMargin - imageW;
    else
        *x = client.left + kMargin;
    if ((align & kImageMiddle) != 0)
        *y = client.top + (client.Height() - imageH) / 2;
    else if ((align & kImageBottom) != 0)
        *y = client.bottom - kMargin - imageH;
    else
        *y = client.top + kMargin;
}

void CHoverButtonState::AutoSize(int imageW, int imageH, int captionW, int captionH, bool arrow, int* cx, int* cy)
{
    *cx = std::max(imageW, captionW) + 2 * kMargin + 6 + (arrow ? kArrowWidth : 0);
    *cy = std::max(imageH, captionH) + 2 * kMargin + 6;
}

std::vector<CHoverButtonState::Row> CHoverButtonState::Triangle(const HoverRect& client)
{
    const HoverRect arrow = ArrowRect(client);
    const int centre = arrow.left + arrow.Width() / 2;
    const int top = client.top + (client.Height() - 4) / 2;
    std::vector<Row> rows;
    for (int i = 0; i < 4; ++i) {
        const int half = 3 - i;
        rows.push_back({centre - half, top + i, 2 * half + 1});
    }
    return rows;
}
