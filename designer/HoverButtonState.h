// The hover button's portable half: the kind of button it was made from, its
// hover, pressed, checked and arrow states and how mouse, timer and click
// events change them, and the geometry of its picture, drop-down arrow and
// automatic size. The Windows widget (designer/win32/HoverButton.*) feeds its
// messages through here, so the rules are tested natively.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <vector>

struct HoverRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// The kind a button had before it became owner-drawn.
class COwnerDrawButtonState {
public:
    // Low five style bits of a button window.
    enum Type {
        kPush = 0, kDefPush = 1, kCheck = 2, kAutoCheck = 3, kRadio = 4, kThreeState = 5, kAutoThreeState = 6,
        kAutoRadio = 9, kOwnerDraw = 11
    };
    // Remembers the kind from the window's style; a default push button is
    // kept as a push button that is the default.
    void TakeType(unsigned long style);
    int GetButtonType() const { return m_nButtonType; }
    BOOL IsDefault() const { return m_bDefault; }
    bool IsCheckType() const { return m_nButtonType == kCheck || m_nButtonType == kAutoCheck; }
    bool IsRadioType() const { return m_nButtonType == kRadio || m_nButtonType == kAutoRadio; }
    bool IsPushType() const { return !IsCheckType() && !IsRadioType(); }
    // The answer to WM_GETDLGCODE.
    unsigned DialogCode() const;
    // BM_SETSTYLE asked for style `type`: a push type decides the default.
    void StyleSet(int type);

    int m_nButtonType = kPush;
    BOOL m_bCanBeDefault = TRUE;
    BOOL m_bDefault = FALSE;
};

class CHoverButtonState : public COwnerDrawButtonState {
public:
    // m_dwStyle bits.
    static const DWORD kFlat = 1;
    static const DWORD kDropDown = 2;
    static const DWORD kAutoSize = 4;
    // m_dwImageAlign bits.
    static const DWORD kImageCentre = 1, kImageRight = 2, kImageMiddle = 4, kImageBottom = 8;
    static const int kArrowWidth = 16;   // the drop-down part on the right
    static const int kMargin = 3;        // around the picture

    // What the widget does after an event.
    struct Effect {
        bool repaint = false;
        bool takeCapture = false;
        bool releaseCapture = false;
        bool startTimer = false;
        bool killTimer = false;
        bool showMenu = false;
        bool checkGroup = false;   // check this radio and clear the rest of its group
        bool openLink = false;
        bool defaultHandling = false;
    };

    // Mouse moved over (or, with the capture, anywhere) the button.
    Effect MouseMove(bool leftDown, bool hasCapture, bool overSelf);
    // Timer 1 ticked.
    Effect Timer(bool cursorInside);
    // The left button went down; onArrow when it is over the arrow part.
    Effect LButtonDown(bool onArrow);
    // The arrow's menu closed.
    Effect MenuClosed();
    Effect LButtonUp();
    // The button was clicked (the parent hears of it after this).
    Effect Clicked(const CString& url);
    Effect SetCheck(bool on);
    int GetCheck() const { return (IsCheckType() || IsRadioType()) && m_bChecked ? 1 : 0; }
    // The colour pair in use: 2 pressed, 1 hovering, 0 normal.
    int ColourState() const { return m_bPressed ? 2 : m_bHover ? 1 : 0; }

    enum class Border { None, Sunken, PushFrame, Raised };
    Border BorderKind() const;

    bool HasArrow() const { return (m_dwStyle & kDropDown) != 0; }
    // The arrow part of a client rectangle, and whether a point hits it.
    static HoverRect ArrowRect(const HoverRect& client);
    bool HitsArrow(const HoverRect& client, int x, int y) const;
    // Top-left corner of a picture of the given size.
    static void ImagePosition(const HoverRect& client, int imageW, int imageH, DWORD align, bool arrow, int* x,
                              int* y);
    // The window size that fits picture and caption.
    static void AutoSize(int imageW, int imageH, int captionW, int captionH, bool arrow, int* cx, int* cy);
    // The drop-down triangle: rows (x, y, length) from the top, widest first,
    // centred in the arrow part.
    struct Row {
        int x, y, length;
    };
    static std::vector<Row> Triangle(const HoverRect& client);

    BOOL m_bHover = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bChecked = FALSE;
    BOOL m_bArrowPressed = FALSE;
    DWORD m_dwStyle = kFlat;
};
