// Value types shared by every layer: integral aliases, handles, RECT/POINT/SIZE,
// COLORREF, LOGFONT and the few macros that build and take apart 32-bit words.
//
// On Windows they come from the system headers so that they are the very types
// the API takes. On the host build this header defines them itself with the same
// sizes, values and layout (LONG and DWORD are 32 bits, LOGFONT is 60 bytes).
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#else  // host build

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef std::uint32_t ULONG;
typedef unsigned int UINT;
typedef int INT;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef char TCHAR;
typedef std::int64_t LONGLONG;
typedef std::uint64_t ULONGLONG;
typedef std::uintptr_t UINT_PTR;
typedef std::intptr_t INT_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::uintptr_t ULONG_PTR;
typedef std::uintptr_t DWORD_PTR;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef char* LPTSTR;
typedef const char* LPCTSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BYTE* LPBYTE;
typedef DWORD COLORREF;
typedef std::int32_t HRESULT;

// Opaque handles: distinct pointer types, never dereferenced by portable code.
#define KIVO_DECLARE_HANDLE(name) struct name##__ { int unused; }; typedef struct name##__* name
KIVO_DECLARE_HANDLE(HWND);
KIVO_DECLARE_HANDLE(HDC);
KIVO_DECLARE_HANDLE(HFONT);
KIVO_DECLARE_HANDLE(HBITMAP);
KIVO_DECLARE_HANDLE(HBRUSH);
KIVO_DECLARE_HANDLE(HPEN);
KIVO_DECLARE_HANDLE(HRGN);
KIVO_DECLARE_HANDLE(HMENU);
KIVO_DECLARE_HANDLE(HICON);
KIVO_DECLARE_HANDLE(HINSTANCE);
KIVO_DECLARE_HANDLE(HPALETTE);
#undef KIVO_DECLARE_HANDLE
typedef HICON HCURSOR;
typedef HINSTANCE HMODULE;
typedef void* HANDLE;
typedef void* HGDIOBJ;
typedef void* HGLOBAL;

#define TRUE 1
#define FALSE 0
#ifndef MAX_PATH
#define MAX_PATH 260
#endif

struct tagRECT { LONG left; LONG top; LONG right; LONG bottom; };
typedef tagRECT RECT;
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;

struct tagPOINT { LONG x; LONG y; };
typedef tagPOINT POINT;
typedef POINT* LPPOINT;

struct tagSIZE { LONG cx; LONG cy; };
typedef tagSIZE SIZE;
typedef SIZE* LPSIZE;

#define LF_FACESIZE 32
struct tagLOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};
typedef tagLOGFONTA LOGFONTA;
typedef LOGFONTA LOGFONT;
typedef LOGFONT* LPLOGFONT;

struct tagNMHDR { HWND hwndFrom; UINT_PTR idFrom; UINT code; };
typedef tagNMHDR NMHDR;

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))

#define MAKEWORD(a, b) ((WORD)(((BYTE)(((DWORD_PTR)(a)) & 0xff)) | ((WORD)((BYTE)(((DWORD_PTR)(b)) & 0xff))) << 8))
#define MAKELONG(a, b) ((LONG)(((WORD)(((DWORD_PTR)(a)) & 0xffff)) | ((DWORD)((WORD)(((DWORD_PTR)(b)) & 0xffff))) << 16))
#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define LOBYTE(w) ((BYTE)(((DWORD_PTR)(w)) & 0xff))
#define HIBYTE(w) ((BYTE)((((DWORD_PTR)(w)) >> 8) & 0xff))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define MAKELRESULT(l, h) ((LRESULT)(DWORD)MAKELONG(l, h))

// Font weights and character sets.
#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_EXTRALIGHT 200
#define FW_ULTRALIGHT 200
#define FW_LIGHT 300
#define FW_NORMAL 400
#define FW_REGULAR 400
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_DEMIBOLD 600
#define FW_BOLD 700
#define FW_EXTRABOLD 800
#define FW_ULTRABOLD 800
#define FW_HEAVY 900
#define FW_BLACK 900

#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SYMBOL_CHARSET 2
#define GB2312_CHARSET 134
#define CHINESEBIG5_CHARSET 136
#define OEM_CHARSET 255

#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define DEFAULT_PITCH 0
#define FF_DONTCARE 0

#define LOGPIXELSX 88
#define LOGPIXELSY 90

#endif  // _WIN32

// Signed coordinates out of an lParam (mouse positions left of or above a window are negative).
#ifndef GET_X_LPARAM
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#endif

static_assert(sizeof(LOGFONTA) == 60, "LOGFONT must keep its 60-byte layout");
static_assert(sizeof(RECT) == 16, "RECT is four 32-bit values");
static_assert(sizeof(DWORD) == 4 && sizeof(LONG) == 4, "DWORD and LONG are 32 bits");
