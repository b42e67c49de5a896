// The designer's command table: every menu item, toolbar button and
// right-click item that works on a document is a handler here, with an update
// handler that answers whether it is enabled and checked for the selection.
// Handlers are portable and reach the sheet only through the view's control
// interface, so native tests run them on the control core in process; the
// Windows frame routes its WM_COMMAND, menu pop-ups and idle updates to the
// same table.
#pragma once

#include "base/WinTypes.h"

#include <functional>
#include <map>
#include <vector>

class CKivoSheetDesignerView;
class CKivoSheetDesignerDoc;
class IDesignerUi;
class IGridControl;

// What a command works on: the active view (and its control), the user
// interface around it and the view's document (null when the view has none,
// as in some tests).
struct CDesignerContext {
    CKivoSheetDesignerView& view;
    IDesignerUi& ui;
    CKivoSheetDesignerDoc* doc = nullptr;

    IGridControl& Grid() const;
    // The command changed the sheet: the document is marked modified.
    void Changed() const;
};

// An update handler's answer.
struct CCmdState {
    BOOL enabled = TRUE;
    BOOL checked = FALSE;
};

class CDesignerCommands {
public:
    using Handler = std::function<void(CDesignerContext&)>;
    using Updater = std::function<void(CDesignerContext&, CCmdState&)>;

    // The one table of the program, filled once by every command family.
    static CDesignerCommands& Instance();

    // Adds the handler of a command; without an update handler the command
    // is always enabled and never checked. A second handler for an id
    // replaces the first and the id is remembered as added twice.
    void Add(UINT id, Handler run, Updater update = Updater());
    const std::vector<UINT>& AddedTwice() const { return m_twice; }
    bool Has(UINT id) const;
    // Runs the command when it has a handler and its update handler enables
    // it; false otherwise.
    bool Run(UINT id, CDesignerContext& ctx) const;
    // The command's state; false (and a disabled state) when it has no
    // handler.
    bool Update(UINT id, CDesignerContext& ctx, CCmdState& state) const;

private:
    struct Entry {
        Handler run;
        Updater update;
    };
    std::map<UINT, Entry> m_entries;
    std::vector<UINT> m_twice;
};
