// Structures the window and drawing services exchange with their callers:
// scroll information, text metrics, paint and creation records, bitmap and
// brush descriptions, messages.
//
// On Windows they are the system's own (through base/WinTypes.h); on the host
// build this header defines them with the same members and layout.
#pragma once

#include "base/WinTypes.h"
#include "base/WinConstants.h"

#ifndef _WIN32

typedef int* LPINT;

struct tagSCROLLINFO {
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
};
typedef tagSCROLLINFO SCROLLINFO;
typedef SCROLLINFO* LPSCROLLINFO;
typedef const SCROLLINFO* LPCSCROLLINFO;

struct tagTEXTMETRICA {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
typedef tagTEXTMETRICA TEXTMETRICA;
typedef TEXTMETRICA TEXTMETRIC;
typedef TEXTMETRIC* LPTEXTMETRIC;

struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};
typedef tagPAINTSTRUCT PAINTSTRUCT;
typedef PAINTSTRUCT* LPPAINTSTRUCT;

struct tagCREATESTRUCTA {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
};
typedef tagCREATESTRUCTA CREATESTRUCTA;
typedef CREATESTRUCTA CREATESTRUCT;
typedef CREATESTRUCT* LPCREATESTRUCT;

struct tagBITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};
typedef tagBITMAP BITMAP;
typedef BITMAP* LPBITMAP;

struct tagLOGPEN {
    UINT lopnStyle;
    POINT lopnWidth;
    COLORREF lopnColor;
};
typedef tagLOGPEN LOGPEN;
typedef LOGPEN* LPLOGPEN;

struct tagLOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    ULONG_PTR lbHatch;
};
typedef tagLOGBRUSH LOGBRUSH;
typedef LOGBRUSH* LPLOGBRUSH;

struct tagTRACKMOUSEEVENT {
    DWORD cbSize;
    DWORD dwFlags;
    HWND hwndTrack;
    DWORD dwHoverTime;
};
typedef tagTRACKMOUSEEVENT TRACKMOUSEEVENT;
typedef TRACKMOUSEEVENT* LPTRACKMOUSEEVENT;

struct _BLENDFUNCTION {
    BYTE BlendOp;
    BYTE BlendFlags;
    BYTE SourceConstantAlpha;
    BYTE AlphaFormat;
};
typedef _BLENDFUNCTION BLENDFUNCTION;

struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
typedef tagMSG MSG;
typedef MSG* LPMSG;

#endif  // !_WIN32
