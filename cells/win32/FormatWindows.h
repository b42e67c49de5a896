// The rich-text editor's format windows on Windows: the colour palette
// popup, the floating format toolbar and the properties dialog. The models
// they show are portable (cells/ColourPalette.h, cells/FormatToolBarModel.h,
// cells/FormatDialogPages.h).
#pragma once

#include "grid/RichTextHostBase.h"

#include <windows.h>

#include <memory>
#include <string>

class CRichFormatOps;

// Opens the palette popup at topLeft (screen) for the owner; the popup sends
// the owner 2025 while the current entry moves and, when it ends, 2028
// (wParam the chosen colour, lParam 1 for the default box) or 2029 (wParam the
// initial colour), then destroys itself. Texts are code page 936; an empty
// text leaves its box out. The popup's window, or NULL.
HWND OpenColourPopup(POINT topLeft, COLORREF initial, HWND owner, COLORREF defaultValue,
                     const std::string& defaultText, const std::string& customText);
// The window class of the popup.
extern const char kColourPopupClass[];

// What the toolbar asks of its editor.
class CFormatToolBarSite {
public:
    virtual ~CFormatToolBarSite() = default;
    virtual CRichFormatOps& FormatOps() = 0;
    // The focus goes back to the editor's rich edit.
    virtual void ReturnFocus() = 0;
    // The focus left one of the toolbar's boxes: the editor ends the edit
    // unless the focus went to one of its own windows.
    virtual void CheckFocus() = 0;
};

class CFormatToolBarWnd;

struct FormatToolBarDeleter {
    void operator()(CFormatToolBarWnd* p) const;
};
typedef std::unique_ptr<CFormatToolBarWnd, FormatToolBarDeleter> FormatToolBarPtr;

// The floating toolbar window (caption "工具栏") at the screen position,
// owned by the owner window; NULL when it cannot be made. Deleting it
// destroys its window and with it an open palette. The window takes message
// 1048 (wParam RichCharFormat*, lParam RichParaFormat*).
FormatToolBarPtr CreateFormatToolBar(CFormatToolBarSite* pSite, HWND hwndOwner, POINT pos, bool bShow);
HWND FormatToolBarHwnd(const CFormatToolBarWnd* p);

namespace proppages {
struct FontInput;
struct FontResult;
}

// Runs the properties dialog (template 214 of the module holding this code)
// on a character and a paragraph format; TRUE with the pages' results when
// the user accepted, FALSE on Cancel or when the dialog cannot be made.
BOOL RunPropertiesDialog(HWND hwndOwner, const proppages::FontInput& fontIn, const RichParaFormat& pfIn,
                         proppages::FontResult& fontOut, RichParaFormat& pfOut);
