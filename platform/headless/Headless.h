// Test access to the host build's stand-ins for the window system.
//
// Only tests and benchmarks of the host build include this header. It lets a
// test read what the code under test did (the drawing record, invalid areas,
// timers, message boxes, the cursor) and set what the system would answer
// (time, keys, colours, metrics, the wheel setting, message-box answers).
#pragma once

#include "base/WinTypes.h"
#include "base/WinConstants.h"
#include "platform/PlatformTypes.h"
#include "platform/DragDrop.h"

#include <string>
#include <vector>

namespace Headless {

typedef DragFormats DragFormatsRecord;

// Back to the start: empties the drawing record, the message queue, the logs
// and the answers, releases keys and cursor, restores the default colours,
// metrics, wheel setting and time. Windows still alive stay alive.
void Reset();

// ------------------------------------------------------------------ time
DWORD Now();                               // what GetTickCount answers
void SetTime(DWORD now);
// Moves the clock forward, sending WM_TIMER for every timer that falls due on
// the way, in time order (a timer of 100 ms fires at +100, +200, ...).
void AdvanceTime(DWORD milliseconds);
BOOL FireTimer(HWND hwnd, UINT_PTR id);    // WM_TIMER now, when the timer exists
struct TimerInfo {
    HWND hwnd;
    UINT_PTR id;
    UINT elapse;
    DWORD due;
};
std::vector<TimerInfo> Timers();
bool HasTimer(HWND hwnd, UINT_PTR id);

// ---------------------------------------------------------------- input
void SetKeyDown(int vk, bool down);        // GetKeyState/GetAsyncKeyState answer pressed
void SetKeyToggled(int vk, bool toggled);
void ReleaseAllKeys();
UINT_PTR CursorId();                       // IDC_* of the cursor last set, 0 for none
bool CursorClip(RECT* rect);               // whether ClipCursor confines the cursor (and where)
std::vector<TRACKMOUSEEVENT> TrackMouseRequests();
void SetDoubleClickTime(UINT ms);

// --------------------------------------------------------------- system
void SetSysColor(int index, COLORREF color);
void SetSystemMetric(int index, int value);
void SetWheelScrollLines(UINT lines);
void SetLogPixels(int dpi);                // GetDeviceCaps(LOGPIXELSX/Y), 96 at first

// ---------------------------------------------------------- message boxes
struct MessageBoxRecord {
    std::string text;
    std::string caption;
    UINT type;
    int answer;
};
const std::vector<MessageBoxRecord>& MessageBoxes();
void QueueMessageBoxAnswer(int answer);    // answers are used in order

// ------------------------------------------------------------- messages
std::vector<MSG> QueuedMessages();         // posted and not yet delivered
bool QuitPosted(int* exitCode);

// -------------------------------------------------------------- windows
struct InvalidateRecord {
    RECT rect;                             // client coordinates, clipped to the client area
    bool erase;
};
// Every InvalidateRect/Invalidate/RedrawWindow request, in order, including
// the ones a hidden window or SetRedraw(FALSE) ignores.
std::vector<InvalidateRecord> Invalidations(HWND hwnd);
void ClearInvalidations(HWND hwnd);
bool UpdateArea(HWND hwnd, RECT* rect, bool* erase);  // the area waiting for WM_PAINT
int PaintCount(HWND hwnd);                 // WM_PAINT messages delivered
bool ScrollBarShown(HWND hwnd, int bar);
UINT ScrollBarArrows(HWND hwnd, int bar);  // ESB_* state
void SetScrollTrackPos(HWND hwnd, int bar, int pos);  // what SIF_TRACKPOS answers (else the position)
// Keeps a pixel buffer for the window's client area, so drawing into its DCs
// is painted and can be read back with WindowPixel.
void KeepWindowPixels(HWND hwnd);
COLORREF WindowPixel(HWND hwnd, int x, int y);  // CLR_INVALID outside or when not kept
size_t WindowCount();
int ClassRegistrations(LPCTSTR className);

// ------------------------------------------------------- drawing record
enum class DrawKind {
    FillRect,         // FillRect / FillSolidRect: rect, color (brush colour), brushStyle
    FrameRect,        // rect, color
    InvertRect,       // rect
    Rectangle,        // rect; pen and brush
    Ellipse,          // rect; pen and brush
    Polygon,          // points; pen and brush
    Line,             // from -> to (end point excluded); pen. Polyline gives one per segment
    SetPixel,         // from, color
    TextOut,          // TextOut: from (as given), rect/textRect the box of the text
    ExtTextOut,       // rect (the option rectangle, or the text box), textRect, flags (ETO_*)
    DrawText,         // rect (formatting rectangle), textRect (laid-out lines), flags (DT_*), shown
    Draw3dRect,       // rect, color (top-left), color2 (bottom-right)
    DrawEdge,         // rect, param (edge), flags (BF_*)
    DrawFrameControl, // rect, param (DFC_*), flags (DFCS_*)
    DrawFocusRect,    // rect
    DragRect,         // rect, from (size), rect2 (last rect), to (last size)
    PatBlt,           // rect, flags (ROP), color (brush colour)
    BitBlt,           // rect (destination), source (source rect), flags (ROP), sourceTarget
    StretchBlt,       // the same
    AlphaBlend,       // the same, param (constant alpha)
    TransparentBlt,   // the same, color (transparent colour)
};

// One drawing operation. All coordinates are device coordinates of the target
// (the window's client area or the bitmap), after the DC's origins.
struct DrawOp {
    DrawKind kind;
    const void* target;        // HWND of a window DC, HBITMAP of a memory DC
    RECT rect;
    RECT rect2;
    RECT textRect;
    RECT source;
    POINT from;
    POINT to;
    std::vector<POINT> points;
    COLORREF color;
    COLORREF color2;
    COLORREF textColor;
    COLORREF bkColor;
    int bkMode;
    int penStyle;              // PS_* (PS_NULL when the null pen is selected)
    int penWidth;
    COLORREF penColor;
    int penType;               // extended pens: PS_GEOMETRIC, end-cap and join bits (0 otherwise)
    std::vector<int> penUserStyle;  // PS_USERSTYLE pens: the dash and gap lengths
    int brushStyle;            // BS_* of the selected (or given) brush
    COLORREF brushColor;
    int rop2;
    UINT flags;
    UINT param;
    LOGFONT font;              // the selected font (text operations)
    std::string text;          // the text as given
    std::string shown;         // DrawText: the lines shown, joined by '\n' (prefixes and ellipses applied)
    RECT clip;                 // the DC's clip rectangle at the time (device coordinates)
    const void* sourceTarget;  // block transfers: the source's window or bitmap
};

const std::vector<DrawOp>& DrawLog();
void ClearDrawLog();
void SetRecording(bool on);                // on at first
size_t GdiObjectCount();                   // live pens, brushes, fonts, bitmaps, regions (not stock)
size_t DCCount();                          // live device contexts
COLORREF BitmapPixel(HBITMAP bitmap, int x, int y);  // CLR_INVALID outside
// Makes CBitmap::LoadBitmap(id) find a bitmap (top-down COLORREF rows).
void AddBitmapResource(UINT id, int width, int height, const COLORREF* pixels);

// ------------------------------------------------------------ clipboard
// The in-process clipboard: its formats in the order they were put. Reset()
// empties it, frees it and forgets the failures below; registered format
// numbers stay (0xC000 on, in the order of first registration).
struct ClipboardEntry {
    UINT format;
    std::vector<BYTE> bytes;
};
std::vector<ClipboardEntry> ClipboardEntries();
// Puts the entries as another program would (the clipboard then has no owner).
void SetClipboardEntries(const std::vector<ClipboardEntry>& entries);
// The text of CF_TEXT up to its NUL ("" when absent).
std::string ClipboardText();
HWND ClipboardOwner();
// Makes GetData of the format fail (as when the owner cannot render it).
void FailClipboardData(UINT format);
// While busy, opening the clipboard fails (another program holds it).
void SetClipboardBusy(bool busy);
bool ClipboardIsOpen();

// ----------------------------------------------------- drag and drop
// One step of a scripted drag: the pointer over a window's client point
// (NULL: over no drop target) with a key state (MK_*).
struct DragStep {
    HWND hwnd;
    POINT point;
    DWORD keys;
};
// The next PlatformDoDragDrop plays these steps in order and then drops at
// the last one (or, with drop false, cancels). Without a script a drag is
// cancelled at once.
void ScriptDrag(const std::vector<DragStep>& steps, bool drop = true);
// The formats the last drag offered and its answer; the drags started.
DragFormatsRecord LastDragFormats();
DWORD LastDragEffect();
int DragCount();
// The handler registered for a window (NULL: none), so a test can drag its
// own data over it.
CDropTargetHandler* DropTargetOf(HWND hwnd);
size_t DropTargetCount();
// Without OLE (as on a thread that never initialised it) registration and
// dragging fail; on at first and after Reset().
void SetOleInitialised(bool on);

// ---------------------------------------------------------- popup menus
struct MenuShown {
    HWND owner;
    POINT screen;
    std::vector<std::string> texts;
    std::vector<UINT_PTR> ids;
    UINT answer;
};
// Every menu tracked since Reset(), oldest first.
std::vector<MenuShown> MenusShown();
// The next tracked menu answers this command (0: none); used in order.
void QueueMenuChoice(UINT id);

// ---------------------------------------------------------------- shell
// The targets handed to the "open" verb (platform/Shell.h), oldest first.
// Reset() does not clear them; ClearOpenedLinks() does.
std::vector<std::string> OpenedLinks();
void ClearOpenedLinks();

}  // namespace Headless
