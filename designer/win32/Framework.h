// The designer's own small application framework on the system's windows:
// the application (start-up, message loop with accelerators and idle update,
// shutdown), the MDI main frame with its toolbars, boxes and status bar, the
// MDI child frames each holding one document and its view, and the user
// interface the portable view and document ask.
#pragma once

#include "base/CString.h"
#include "designer/DesignerUi.h"
#include "designer/KivoSheetDesignerDoc.h"
#include "designer/KivoSheetDesignerView.h"
#include "designer/RecentFileList.h"
#include "designer/GridControlWnd.gen.h"
#include "designer/win32/DockManager.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <vector>

class CMainFrame;

// Child identifiers and messages of the designer's windows.
const UINT kControlId = 923;
const UINT kViewId = 0xE900;
const UINT kMdiClientId = 0xE900 + 0xFF;
const UINT kFirstMdiChild = 0xFF00;

// The process-wide identifier of the clipboard format "KivoSheetClip".
extern UINT g_nKivoSheetClipFormat;

// The answers of the user interface: real message boxes, the clipboard, the
// frame's boxes and the save dialog.
class CWin32Ui : public IDesignerUi {
public:
    explicit CWin32Ui(CMainFrame* frame) : m_frame(frame) {}
    int MessageBox(const CString& text, const CString& caption, UINT type) override;
    bool CanPaste() override;
    void SelectFontName(const CString& name) override;
    void SelectFontSize(const CString& size) override;
    void SelectFirstInsertReferences() override;
    CString AskSavePath(const CString& suggestedName) override;
    int DoModal(CDesignerDialog& dialog) override;
    BOOL PickColor(COLORREF& color) override;
    // The open dialog for templates; empty when cancelled.
    CString AskOpenPath() override;

    // ---- File, table and help menus and the tools ----
    CString AskOpenFile(const CString& filter, const CString& defaultExt) override;
    CString AskSaveFile(const CString& filter, const CString& defaultExt) override;
    IRegistryRoot* ClassesRoot() override;
    CString ProgramPath() override;
    void AssociationsChanged() override;
    IDesignerFiles* Files() override;
    void PumpMessages() override;
    // ---- Editing commands: the frame's toolbar state ----
    int ToolbarChecked(UINT id) override;
    int LineStyleIndex() override;
    COLORREF LineColor() override;
    void SetLineColor(COLORREF color) override;
    CString ChosenFontName() override;
    CString ChosenFontSize() override;

private:
    CMainFrame* m_frame;
};

// One document window: the MDI child, its view window and, inside that, the
// hosted control; the portable document and view over the control.
class CChildFrame {
public:
    static const char* const kClassName;
    static const char* const kViewClassName;
    static bool RegisterClasses(HINSTANCE instance);

    // Creates a maximised child of the frame's MDI client with a new control;
    // null (no window left) when the control cannot be created.
    static CChildFrame* Create(CMainFrame* frame);
    static CChildFrame* FromHwnd(HWND hwnd);

    HWND Hwnd() const { return m_hwnd; }
    CKivoSheetDesignerDoc& Doc() { return *m_doc; }
    CKivoSheetDesignerView& View() { return *m_view; }
    CGridControlWnd& Control() { return m_control; }
    void UpdateCaption();
    // Asks to save when modified; TRUE when the window may close.
    BOOL CanClose();

private:
    explicit CChildFrame(CMainFrame* frame);
    static LRESULT CALLBACK ChildProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK ViewProc(HWND, UINT, WPARAM, LPARAM);

    CMainFrame* m_frame;
    HWND m_hwnd = nullptr;
    HWND m_view_hwnd = nullptr;
    CGridControlWnd m_control;
    std::unique_ptr<CKivoSheetDesignerView> m_view;
    std::unique_ptr<CKivoSheetDesignerDoc> m_doc;
    bool m_controlFailed = false;
};

class CMainFrame {
public:
    static const char* const kClassName;

    explicit CMainFrame(HINSTANCE instance);
    ~CMainFrame();
    BOOL LoadFrame();
    HWND Hwnd() const { return m_hwnd; }
    HWND MdiClient() const { return m_mdiClient; }
    HINSTANCE Instance() const { return m_instance; }
    CWin32Ui& Ui() { return m_ui; }

    // The active document window; null when there is none.
    CChildFrame* ActiveChild() const;
    CKivoSheetDesignerView* ActiveView() const;

    // Documents.
    CChildFrame* NewDocument();
    CChildFrame* OpenDocument(const CString& path);
    // Routes a command; FALSE when nobody handles it.
    BOOL OnCommand(UINT id);
    // Whether a command has a handler now (menus and buttons of the others
    // are greyed).
    BOOL IsCommandEnabled(UINT id) const;
    // The state of a command of the command table for the active document;
    // false when there is no document or the table has no such command.
    bool TableCommandState(UINT id, struct CCmdState& state) const;
    // Idle work: toolbar buttons follow the command states.
    void OnIdle();
    // Keyboard routing of the message loop; TRUE when the message was used.
    BOOL PreTranslateMessage(MSG* msg);

    // The boxes.
    void SelectFontName(const CString& name);
    void SelectFontSize(const CString& size);
    void SelectFirstInsertReferences();

    // ---- Editing commands: the frame's toolbar state ----
    // 1 or 0 for a toolbar button's checked state, -1 for no such button.
    int ToolbarChecked(UINT id) const;
    int LineStyleIndex() const;
    COLORREF LineColor() const { return m_lineColor; }
    void SetLineColor(COLORREF color);
    CString ChosenFontName() const;
    CString ChosenFontSize() const;

    CRecentFileList& RecentFiles() { return m_recent; }
    void LoadRecentFiles();
    void SaveRecentFiles();
    void RebuildRecentMenu();
    void ShowStatusText(const CString& text);
    int NextDocumentNumber() { return ++m_untitled; }
    // The menu shown: 128 without documents, 129 with.
    void UpdateMenu();

private:
    static LRESULT CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateBars();
    void LayOut();
    void OnDropFiles(HDROP drop);
    void OnNotify(NMHDR* hdr);
    void OnFontBoxChosen(HWND box, bool name);
    bool CloseAll();

    HINSTANCE m_instance;
    HWND m_hwnd = nullptr;
    HWND m_mdiClient = nullptr;
    HWND m_status = nullptr;
    HMENU m_menuNoDoc = nullptr;
    HMENU m_menuDoc = nullptr;
    HACCEL m_accel = nullptr;
    struct Bar {
        UINT resource;
        HWND hwnd;
        HIMAGELIST images;
        int row;
    };
    std::vector<Bar> m_bars;
    CDockManager m_dock;
    HWND m_fontName = nullptr, m_fontSize = nullptr, m_lineStyle = nullptr, m_rowRef = nullptr, m_colRef = nullptr;
    HFONT m_refFont = nullptr;
    bool m_showToolbars = true, m_showStatus = true;
    CRecentFileList m_recent{4};
    CWin32Ui m_ui{this};
    int m_untitled = 0;
    COLORREF m_lineColor = 0;   // the line-style box's colour (editing commands)
};

// Loads a string resource as code page 936 text.
CString LoadResourceString(UINT id);
