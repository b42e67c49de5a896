// CKivoSheetDesignerView: the designer's view of one document. It holds the
// hosted control through IGridControl and does everything to the sheet by
// calling the control's members: the new sheet's set-up, the selection walk
// that cell commands share, the grid's right-click menu and its commands, and
// keeping the main frame's font boxes in step with the clicked cells. The
// Windows view window (designer/win32) owns one and hands it the control's
// events; native tests run it on the control core in process.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "designer/GridControl.gen.h"

#include <functional>
#include <memory>
#include <vector>

class IDesignerUi;
class CSelectionState;

class CKivoSheetDesignerView {
public:
    CKivoSheetDesignerView(IGridControl& grid, IDesignerUi& ui);
    ~CKivoSheetDesignerView();

    IGridControl& Grid() { return m_grid; }
    IDesignerUi& Ui() { return m_ui; }

    // The new sheet: 20 columns, the flat display style, and the first entries
    // of the main frame's insert reference boxes.
    void OnCreate();

    // One event of the control, its arguments in declaration order (texts as
    // 0); by-reference arguments are read as their current values.
    void OnGridEvent(int dispid, const std::vector<long>& args);

    // Called whenever the user changed the sheet (an edit, a check, a combo
    // choice, a resized line, a changing command).
    void SetChangeHandler(std::function<void()> handler) { m_onChange = std::move(handler); }
    // A command changed the sheet.
    void NotifyChanged() { Changed(); }
    // The document the view shows (null until set); commands mark it.
    void SetDocument(class CKivoSheetDesignerDoc* doc) { m_doc = doc; }
    class CKivoSheetDesignerDoc* Document() const { return m_doc; }

    // Applies fn(row, col) to each selected cell: the cells of the selected
    // range row by row when the selection is a range, otherwise each cell of
    // the list of selected cells.
    void ForEachSelectedCell(const std::function<void(LONG, LONG)>& fn);

    // The right-click menu (event GridMenuStart) and its commands.
    void OnGridMenuStart(LONG nRow, LONG nCol, SHORT iSelection);
    void OnGridMenuCommand(LONG nRow, LONG nCol, LONG nMenuID);
    // Whether a right-click command is built (the others are shown greyed):
    // the view's own ones and those of the command table.
    static bool IsMenuCommandBuilt(LONG nMenuID);

    // Shows the font of the selected cells in the main frame's font boxes
    // after a click on (nRow, nCol) (event GridLClickUp).
    void SyncToolbar(LONG nRow, LONG nCol);

    // The main frame's reference boxes: the chosen entry's index becomes the
    // grid's row or column reference flags (how inserted lines take their
    // neighbours' format).
    void SetRowRefFlags(SHORT flags) { m_grid.RowSetRefFlags(flags); }
    void SetColumnRefFlags(SHORT flags) { m_grid.ColumnSetRefFlags(flags); }
    // What the update handlers learnt about the selected cells
    // (designer/commands/SelectionState.h), kept until the selection or the
    // sheet may have changed: every event of the control and every command
    // forgets it.
    CSelectionState& SelectionState();
    void ForgetSelectionState();

    // Path of the template shown in this view; empty until opened or saved.
    // Commands change it only through SetFilePath, so the document (whose
    // path the close prompt saves to) always names the same file.
    CString m_strFilePath;
    // The view shows the template at path (empty: no file): the view and its
    // document take the path together.
    void SetFilePath(const CString& path);
    // The sheet now matches what path holds (a template opened, run or saved
    // there): SetFilePath and the document's modified mark cleared.
    void ShowsFileAsStored(const CString& path);

private:
    void AddItem(LONG style, LONG id, const char* text);
    void AddSeparator();
    void Changed();

    IGridControl& m_grid;
    IDesignerUi& m_ui;
    std::function<void()> m_onChange;
    class CKivoSheetDesignerDoc* m_doc = nullptr;
    std::unique_ptr<CSelectionState> m_selection;
};
