// What the designer's portable logic asks of the user interface around it:
// message boxes, the clipboard, the main frame's toolbar boxes and the file
// dialog. The Windows program answers with real windows; tests answer with a
// script of their own.
#pragma once

#include "base/CString.h"
#include "base/WinConstants.h"
#include "base/WinTypes.h"

class CDesignerDialog;
class IDesignerFiles;
class IRegistryRoot;

class IDesignerUi {
public:
    virtual ~IDesignerUi() = default;

    // A modal message box; answers IDOK, IDYES, IDNO or IDCANCEL.
    virtual int MessageBox(const CString& text, const CString& caption, UINT type) = 0;
    // Whether the clipboard holds the private format or plain text.
    virtual bool CanPaste() = 0;
    // The main frame's font boxes: select the entry equal to the text; an
    // empty text, or one the box does not list, clears the box.
    virtual void SelectFontName(const CString& name) = 0;
    virtual void SelectFontSize(const CString& size) = 0;
    // Selects the first entry of the insert-row and insert-column reference
    // boxes.
    virtual void SelectFirstInsertReferences() = 0;
    // The save dialog; an empty answer is a cancel.
    virtual CString AskSavePath(const CString& suggestedName) = 0;

    // Shows a dialog model modally; answers IDOK or IDCANCEL (IDCANCEL when
    // there is no window for it).
    virtual int DoModal(CDesignerDialog& dialog)
    {
        (void)dialog;
        return IDCANCEL;
    }
    // The platform's colour dialog with its custom area open, starting at
    // colour; TRUE and the chosen colour on OK.
    virtual BOOL PickColor(COLORREF& color)
    {
        (void)color;
        return FALSE;
    }

    // ---- File, table and help menus and the tools ----
    // The system's open and save dialogs with a filter in the form
    // "text|pattern|...||" and a default extension (the save dialog asks
    // before replacing a file); empty when cancelled.
    virtual CString AskOpenFile(const CString& filter, const CString& defaultExt)
    {
        (void)filter;
        (void)defaultExt;
        return CString();
    }
    virtual CString AskSaveFile(const CString& filter, const CString& defaultExt)
    {
        (void)filter;
        (void)defaultExt;
        return CString();
    }
    // The registry's classes root (null when it cannot be reached), the
    // program's own path, and telling the shell that associations changed.
    virtual IRegistryRoot* ClassesRoot() { return nullptr; }
    virtual CString ProgramPath() { return CString(); }
    virtual void AssociationsChanged() {}
    // The files and folders the batch tools walk (null: none).
    virtual IDesignerFiles* Files() { return nullptr; }
    // Dispatches pending window messages, so that a long batch run keeps its
    // window responsive.
    virtual void PumpMessages() {}
    // --- cell controls, borders and the view's file commands ---
    // The open dialog for templates; an empty answer is a cancel.
    virtual CString AskOpenPath() { return CString(); }
    // ---- Editing commands: the frame's toolbar state ----
    // Whether the frame's toolbar shows a button checked now: 1 or 0; -1
    // when the frame has no such button (callers use the command's own
    // update state then).
    virtual int ToolbarChecked(UINT id)
    {
        (void)id;
        return -1;
    }
    // The line-style box: the index of its chosen entry (-1 when none) and
    // the colour its lines are drawn in; SetLineColor repaints its samples.
    virtual int LineStyleIndex() { return -1; }
    virtual COLORREF LineColor() { return 0; }
    virtual void SetLineColor(COLORREF color) { (void)color; }
    // The entry chosen in the font-name and font-size boxes; empty for none.
    virtual CString ChosenFontName() { return CString(); }
    virtual CString ChosenFontSize() { return CString(); }
};
