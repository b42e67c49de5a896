// The designer's view and document on the control core in process: a control
// window in a host window, the generated interface over it, a user interface
// that answers from a script and records what it was asked, and the
// control's events handed to the view as the Windows view hands them.
#pragma once

#include "control/KivoSheetCtrl.h"
#include "designer/DesignerCommand.h"
#include "designer/DesignerDialog.h"
#include "designer/DesignerUi.h"
#include "designer/GridControlOver.gen.h"
#include "designer/KivoSheetDesignerDoc.h"
#include "designer/KivoSheetDesignerView.h"
#include "grid/GridCtrl.h"
#include "platform/Wnd.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace designertest {

struct ScriptedUi : IDesignerUi {
    struct Box {
        std::string caption, text;
        UINT type;
    };
    std::vector<Box> boxes;
    std::deque<int> answers;          // answers of the message boxes, in order (IDOK when none)
    bool canPaste = false;
    std::vector<std::string> fontNames, fontSizes;   // every selection asked, in order
    int firstReferences = 0;
    std::deque<std::string> savePaths; // answers of the save dialog ("" cancels)
    std::vector<std::string> saveSuggestions;
    // Answers of dialogs: called with the model, fills its fields and answers
    // IDOK or IDCANCEL; IDCANCEL when none is left. Every dialog shown is
    // recorded by its identifier.
    std::deque<std::function<int(CDesignerDialog&)>> dialogs;
    std::vector<UINT> dialogsShown;
    // Answers of the colour dialog (a cancel when none is left).
    std::deque<COLORREF> colors;

    int MessageBox(const CString& text, const CString& caption, UINT type) override
    {
        boxes.push_back({caption.Str(), text.Str(), type});
        if (answers.empty())
            return IDOK;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    bool CanPaste() override { return canPaste; }
    void SelectFontName(const CString& name) override { fontNames.push_back(name.Str()); }
    void SelectFontSize(const CString& size) override { fontSizes.push_back(size.Str()); }
    void SelectFirstInsertReferences() override { ++firstReferences; }
    int DoModal(CDesignerDialog& dialog) override
    {
        dialogsShown.push_back(dialog.DialogId());
        if (dialogs.empty())
            return IDCANCEL;
        auto answer = std::move(dialogs.front());
        dialogs.pop_front();
        return answer(dialog);
    }
    BOOL PickColor(COLORREF& color) override
    {
        if (colors.empty())
            return FALSE;
        color = colors.front();
        colors.pop_front();
        return TRUE;
    }
    CString AskSavePath(const CString& suggested) override
    {
        saveSuggestions.push_back(suggested.Str());
        if (savePaths.empty())
            return CString();
        const std::string p = savePaths.front();
        savePaths.pop_front();
        return CString(p.c_str());
    }

    // ---- File, table and help menus and the tools ----
    // Answers of the filtered open and save dialogs ("" cancels; a cancel
    // when none is left); every filter asked, in order.
    std::deque<std::string> openFiles, saveFiles;
    std::vector<std::string> fileFilters;
    CString AskOpenFile(const CString& filter, const CString&) override { return Next(openFiles, filter); }
    CString AskSaveFile(const CString& filter, const CString&) override { return Next(saveFiles, filter); }
    CString Next(std::deque<std::string>& q, const CString& filter)
    {
        fileFilters.push_back(filter.Str());
        if (q.empty())
            return CString();
        const std::string p = q.front();
        q.pop_front();
        return CString(p.c_str());
    }
    IRegistryRoot* registry = nullptr;
    std::string programPath;
    int associationNotices = 0;
    IDesignerFiles* files = nullptr;
    int pumps = 0;
    IRegistryRoot* ClassesRoot() override { return registry; }
    CString ProgramPath() override { return CString(programPath.c_str()); }
    void AssociationsChanged() override { ++associationNotices; }
    IDesignerFiles* Files() override { return files; }
    void PumpMessages() override { ++pumps; }
    // --- cell controls, borders and the view's file commands ---
    std::deque<std::string> openPaths; // answers of the open dialog ("" cancels)
    CString AskOpenPath() override
    {
        if (openPaths.empty())
            return CString();
        const std::string p = openPaths.front();
        openPaths.pop_front();
        return CString(p.c_str());
    }
    // ---- Editing commands: the frame's toolbar state ----
    std::map<UINT, int> toolbarChecks;   // buttons the toolbar shows checked (1) or not (0)
    int lineStyle = 0;                   // the line-style box's entry (-1: none)
    COLORREF lineColor = 0;
    std::string chosenFontName, chosenFontSize;
    int ToolbarChecked(UINT id) override
    {
        const auto it = toolbarChecks.find(id);
        return it == toolbarChecks.end() ? -1 : it->second;
    }
    int LineStyleIndex() override { return lineStyle; }
    COLORREF LineColor() override { return lineColor; }
    void SetLineColor(COLORREF color) override { lineColor = color; }
    CString ChosenFontName() override { return CString(chosenFontName.c_str()); }
    CString ChosenFontSize() override { return CString(chosenFontSize.c_str()); }
};

// The interface over the control core, recording the right-click items the
// view adds (style, id, text) before they reach the control.
class RecordingGrid : public TGridControlOver<CKivoSheetCtrl> {
public:
    using TGridControlOver<CKivoSheetCtrl>::TGridControlOver;
    struct Item {
        LONG style, id;
        std::string text;
    };
    std::vector<Item> items;
    int GridAddPopuMenu(LONG style, LONG id, const CString& text) override
    {
        items.push_back({style, id, text.Str()});
        return TGridControlOver<CKivoSheetCtrl>::GridAddPopuMenu(style, id, text);
    }
};

// Hands every event of the control to the view with its numeric arguments.
class ViewSink : public CKivoSheetEventSink {
public:
    explicit ViewSink(CKivoSheetDesignerView& view) : m_view(view) {}
    void FireEvent(const CMemberInfo& event, CDispArg* args) override
    {
        std::vector<long> values;
        for (int i = 0; i < event.argc; ++i) {
            const CDispArg& a = args[i];
            switch (a.type) {
            case DispType::Short:
            case DispType::RefShort: values.push_back(a.s); break;
            case DispType::Long:
            case DispType::RefLong: values.push_back(a.l); break;
            default: values.push_back(0); break;
            }
        }
        m_view.OnGridEvent(static_cast<int>(event.dispid), values);
    }

private:
    CKivoSheetDesignerView& m_view;
};

struct Designer {
    CWnd host;
    CKivoSheetCtrl ctl;
    RecordingGrid grid{ctl};
    ScriptedUi ui;
    CKivoSheetDesignerView view{grid, ui};
    CKivoSheetDesignerDoc doc{ui};
    ViewSink sink{view};

    Designer()
    {
        host.CreateEx(0, "KivoDesignerTestHost", "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                      CRect(0, 0, 800, 600), nullptr, 0);
        ctl.CreateControl(host.GetSafeHwnd(), CRect(0, 0, 800, 600));
        ctl.Events().SetSink(&sink);
        doc.SetView(&view);
        view.OnCreate();
        doc.OnNewDocument(1);
        PlatformPumpMessages();
    }
    ~Designer()
    {
        ctl.Events().SetSink(nullptr);
        if (ctl.GetSafeHwnd() != nullptr)
            ctl.DestroyWindow();
        host.DestroyWindow();
    }
    CGridCtrl& Engine() { return *ctl.GetGrid()->GetGridCtrl(); }

    // Runs a command of the command table on this view and document as the
    // frame does; false when it has no handler or is disabled.
    bool Run(UINT id)
    {
        CDesignerContext ctx{view, ui, &doc};
        const bool ran = CDesignerCommands::Instance().Run(id, ctx);
        PlatformPumpMessages();
        return ran;
    }
    // A command's enabled and checked state.
    CCmdState State(UINT id)
    {
        CDesignerContext ctx{view, ui, &doc};
        CCmdState state;
        CDesignerCommands::Instance().Update(id, ctx, state);
        return state;
    }
};

}  // namespace designertest
