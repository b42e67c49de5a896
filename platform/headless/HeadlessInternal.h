// State of the in-process stand-ins, shared by the files of platform/headless.
#pragma once

#include "base/WinTypes.h"
#include "base/WinConstants.h"
#include "platform/PlatformTypes.h"
#include "platform/headless/Headless.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace headless {

using Headless::DrawKind;
using Headless::DrawOp;

// ---------------------------------------------------------------- pixels

// A pixel buffer: COLORREF values, top-down rows. A monochrome surface holds
// only black and white.
struct Surface {
    int width = 0;
    int height = 0;
    bool mono = false;
    std::vector<COLORREF> pixels;

    void Resize(int w, int h);
    COLORREF* Row(int y) { return pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width); }
    COLORREF Store(COLORREF c) const;  // what a write of c leaves (monochrome rounds)
};

// ---------------------------------------------------------- GDI objects

enum class ObjKind { Pen, Brush, Font, Bitmap, Region };

struct GdiObj {
    ObjKind kind = ObjKind::Pen;
    bool stock = false;
    int refs = 0;                 // selections into DCs (current and saved states)
    bool deletePending = false;
    // pen
    int penStyle = PS_SOLID;
    int penWidth = 1;
    COLORREF penColor = 0;
    int penType = 0;              // extended pens: type, end-cap and join bits
    std::vector<int> userStyle;   // PS_USERSTYLE: dash and gap lengths
    // brush
    int brushStyle = BS_SOLID;
    COLORREF brushColor = 0;
    int hatch = 0;
    std::shared_ptr<Surface> pattern;
    // font
    LOGFONT font = {};
    // bitmap
    Surface bitmap;
    int bitsPixel = 32;
    // region
    RECT region = {0, 0, 0, 0};
};

GdiObj* NewObject(ObjKind kind);
GdiObj* ToObject(HGDIOBJ handle);          // NULL for a handle that is not a live object
GdiObj* StockObject(int index);            // NULL for an unknown index
GdiObj* DefaultBitmap();                   // the 1 x 1 monochrome bitmap of a new memory DC
void AddRef(GdiObj* obj);
void Release(GdiObj* obj);                 // frees a pending deletion when the last selection goes
BOOL DeleteGdiObject(HGDIOBJ handle);
GdiObj* SysColorBrush(int index);

// ---------------------------------------------------------------- DCs

struct DCAttributes {
    GdiObj* pen = nullptr;
    GdiObj* brush = nullptr;
    GdiObj* font = nullptr;
    COLORREF textColor = 0;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int rop2 = R2_COPYPEN;
    int stretchMode = BLACKONWHITE;
    int mapMode = MM_TEXT;
    POINT position = {0, 0};
    POINT windowOrg = {0, 0};
    POINT viewportOrg = {0, 0};
    bool hasClip = false;
    RECT clip = {0, 0, 0, 0};     // device coordinates
};

struct DCImpl {
    enum class Kind { Window, Memory };
    Kind kind = Kind::Memory;
    HWND hwnd = nullptr;
    RECT base = {0, 0, 0, 0};     // device rectangle that can be drawn (before the clip region)
    GdiObj* bitmap = nullptr;     // memory DC: the selected bitmap
    DCAttributes attr;
    std::vector<DCAttributes> saved;
    bool printing = false;
};

DCImpl* NewDC(DCImpl::Kind kind, HWND hwnd, const RECT& base);
void FreeDC(DCImpl* dc);
size_t LiveDCCount();
Surface* TargetSurface(DCImpl* dc);        // NULL when the target keeps no pixels
const void* RecordTarget(DCImpl* dc);      // the window or the bitmap drawn into
RECT ClipRect(DCImpl* dc);                 // device coordinates, base intersected with the clip region

// Painting of device rectangles (clipped to the DC), shared by the text code.
void FillDeviceRect(DCImpl* dc, const RECT& device, COLORREF color);
POINT ToDevice(const DCImpl* dc, int x, int y);
RECT ToDevice(const DCImpl* dc, const RECT& logical);

bool DecodeBmpFile(const std::vector<BYTE>& data, int* width, int* height, std::vector<COLORREF>* pixels);

// Text measures of the fixed host metrics.
int FontHeight(const GdiObj* font);
int SingleCharWidth(int height);
bool IsLeadByte(unsigned char c);
int MeasureText(const char* text, int count, int height);

// --------------------------------------------------------------- windows

struct ScrollBarState {
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_ALL, 0, 100, 0, 0, 0};
    bool trackSet = false;
    UINT arrows = ESB_ENABLE_BOTH;
};

struct TimerState {
    UINT_PTR id = 0;
    UINT elapse = 0;
    DWORD due = 0;
    unsigned long long order = 0;  // setting order, for ties
};

struct ClassInfo {
    std::string name;
    UINT style = 0;
    HCURSOR cursor = nullptr;
    int background = 0;            // COLOR_* + 1, or 0
};

struct Window {
    HWND handle = nullptr;
    const ClassInfo* cls = nullptr;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT id = 0;
    HWND parent = nullptr;         // children only
    HWND owner = nullptr;          // top-level windows only
    std::vector<HWND> children;    // front first
    RECT rect = {0, 0, 0, 0};      // parent client coordinates, or screen for top-level windows
    bool redraw = true;
    bool hasUpdate = false;
    bool updateErase = false;
    RECT update = {0, 0, 0, 0};
    ScrollBarState bars[2];
    std::vector<TimerState> timers;
    bool destroying = false;
    bool keepPixels = false;
    Surface pixels;
    std::vector<Headless::InvalidateRecord> invalidations;
    int paints = 0;
    unsigned long long serial = 0;  // creation order
};

struct State {
    std::map<unsigned long long, std::unique_ptr<Window>> windows;  // by serial
    std::unordered_map<HWND, Window*> byHandle;
    std::vector<HWND> topLevel;    // front first
    std::map<std::string, std::unique_ptr<ClassInfo>> classes;  // by lower-case name
    std::map<std::string, int> classRegistrations;
    unsigned long long nextSerial = 1;
    unsigned long long nextTimerOrder = 1;
    std::deque<MSG> queue;
    bool quit = false;
    int quitCode = 0;
    HWND focus = nullptr;
    HWND capture = nullptr;

    DWORD now = 1000000;
    POINT cursorPos = {0, 0};
    HCURSOR cursor = nullptr;
    bool clipCursor = false;
    RECT cursorClip = {0, 0, 0, 0};
    UINT doubleClickTime = 500;
    std::vector<TRACKMOUSEEVENT> trackRequests;
    BYTE keys[256] = {};           // 0x80 pressed, 0x01 toggled
    COLORREF sysColors[31] = {};
    std::map<int, int> metrics;
    UINT wheelLines = 3;
    int logPixels = 96;

    std::string messageBoxCaption = "KivoSheet";
    std::vector<Headless::MessageBoxRecord> messageBoxes;
    std::deque<int> messageBoxAnswers;

    bool recording = true;
    std::vector<Headless::DrawOp> drawLog;
    std::map<UINT, std::vector<COLORREF>> bitmapResources;
    std::map<UINT, SIZE> bitmapResourceSizes;
};

State& S();
void ResetSystemSettings(State& s);

Window* FindWindow(HWND hwnd);
LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL Destroy(HWND hwnd, bool sendDestroy = true);  // false: only WM_NCDESTROY (a refused creation)
RECT ClientRectOf(const Window* w);          // (0, 0, width, height)
POINT ClientOriginOnScreen(const Window* w);
bool IsShown(const Window* w);               // the window and its ancestors are visible
void Invalidate(Window* w, const RECT* rect, bool erase);
void PaintNow(Window* w);                    // WM_PAINT when the window has an update area
HDC BeginPaintDC(HWND hwnd, PAINTSTRUCT* ps);
void EndPaintDC(HWND hwnd, const PAINTSTRUCT* ps);
Surface* WindowSurface(Window* w);           // NULL unless the window keeps its pixels

// Recording.
Headless::DrawOp& Record(DCImpl* dc, Headless::DrawKind kind);

// The clipboard, drag and drop, and popup menus back to their start (Reset).
void ResetClipboard();
void ResetDragDrop();
void ResetPopupMenus();
void ResetPrinter();

}  // namespace headless
