// The view's own File and Edit commands: Save and Open work directly on the
// view's control and its path, printing and the clipboard are the control's.
#include "designer/DesignerCommand.h"
#include "designer/DesignerCommands.h"
#include "designer/DesignerUi.h"
#include "designer/GridControl.gen.h"
#include "designer/KivoSheetDesignerDoc.h"
#include "designer/KivoSheetDesignerView.h"
#include "designer/commands/CellControlFamily.h"

using namespace designer_cmd;

namespace {

// Ctrl+S: saves to the view's path, asking for one the first time. A failed
// save says so (the file may be read-only or in use) and keeps the old path;
// a good one names the window after the file and clears the modified mark,
// so the document and the view agree on the file.
void Save(CDesignerContext& ctx)
{
    CKivoSheetDesignerView& view = ctx.view;
    CString path = view.m_strFilePath;
    if (path.IsEmpty()) {
        CString suggested = ctx.doc != nullptr ? ctx.doc->GetTitle() : CString();
        if (!suggested.IsEmpty())
            suggested += ".kvx";
        path = ctx.ui.AskSavePath(suggested);
    }
    if (path.IsEmpty())
        return;
    if (view.Grid().GridSaveFile(path, CString()) <= 0) {
        ctx.ui.MessageBox(CString(CKivoSheetDesignerDoc::kSaveFailed), CString("提示"), MB_OK);
        return;
    }
    view.ShowsFileAsStored(path);
}

// Ctrl+O with a window active: asks about unsaved changes, then loads the
// chosen file into this window. When the file opened, the window (view and
// document) names that file: a later save or the close prompt writes there.
void Open(CDesignerContext& ctx)
{
    if (ctx.doc != nullptr && !ctx.doc->SaveModified())
        return;
    const CString path = ctx.ui.AskOpenPath();
    if (path.IsEmpty())
        return;
    const LONG result = ctx.Grid().GridOpenFile(path, CString());
    if (result != 1) {
        CKivoSheetDesignerDoc::ExplainOpenResult(ctx.ui, result, "提示");
        return;
    }
    ctx.view.ShowsFileAsStored(path);
}

void EnabledWithSelection(CDesignerContext& ctx, CCmdState& state)
{
    state.enabled = ctx.Grid().GridGetSelectedCount() > 0;
}

}  // namespace

void RegisterViewFileCommands(CDesignerCommands& table)
{
    table.Add(kFileSave, Save);
    table.Add(kFileOpen, Open);
    table.Add(kFilePrint, [](CDesignerContext& ctx) { ctx.Grid().PRTPrint(); });
    table.Add(kFilePrintPreview, [](CDesignerContext& ctx) { ctx.Grid().PRTPreview(); });
    table.Add(kFilePrintSetup, [](CDesignerContext& ctx) { ctx.Grid().PRTPageSetup(); });
    table.Add(
        kEditCut,
        [](CDesignerContext& ctx) {
            ctx.Grid().GridCut();
            ctx.Changed();
        },
        EnabledWithSelection);
    table.Add(kEditCopy, [](CDesignerContext& ctx) { ctx.Grid().GridCopy(); }, EnabledWithSelection);
    table.Add(
        kEditPaste,
        [](CDesignerContext& ctx) {
            ctx.Grid().GridPaste();
            ctx.Changed();
        },
        EnabledWithSelection);
}
