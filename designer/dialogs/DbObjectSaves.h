// What the database dialogs do to the template: connections, data sets,
// bindings and bound fields created or changed through the automation
// objects the view's control hands out, each property set in the order the
// dialogs have always used; the markers written into bound cells; and the
// dialogs' fields read back from the objects for a change.
#pragma once

#include "designer/GridControl.gen.h"
#include "designer/dialogs/BindDlg.h"
#include "designer/dialogs/ConnectionDlg.h"
#include "designer/dialogs/DataSetDlg.h"

#include <vector>

class IDesignerUi;

// Connection dialog: a new connection is added, a changed one looked up by
// name; an object that does not come back under the name shows
// "链接添加不成功!". The report wizard's data-source page (findExisting)
// updates a connection of that name instead of adding a second one.
bool SaveConnection(IGridControl* grid, IDesignerUi& ui, const CConnectionFields& data, bool isNew,
                    bool findExisting = false);
bool LoadConnection(IGridControl& grid, const CString& name, CConnectionFields& data);

// Data-set dialog (add or change by name) and the wizard's data-set page
// (an existing name is updated; type "查询", opened and closed
// automatically).
bool SaveDataSet(IGridControl* grid, IDesignerUi& ui, const CDataSetDlg& data);
bool WizardCreateDataSet(IGridControl* grid, IDesignerUi& ui, const CString& connName, const CString& name,
                         const CString& sql);
bool LoadDataSet(IGridControl& grid, const CString& connName, const CString& name, CDataSetDlg& data);

// Binding dialog (new or change) and the wizard's binding page (found by
// name or added; automatic columns off, rows on, filled after loading).
enum class BindSave { New, Change, Wizard };
bool SaveBind(IGridControl* grid, IDesignerUi& ui, const CBindFields& data, BindSave mode);
bool LoadBind(IGridControl& grid, const CString& name, CBindFields& data);

// Bound-field dialog (new refuses a cell that has a field; change works on
// the field at the cell) and the wizard's field page (a field at the cell
// is changed, otherwise one is added; fewer settings).
enum class FieldSave { New, Change, Wizard };
bool SaveField(IGridControl* grid, IDesignerUi& ui, const CFieldFields& data, FieldSave mode);
bool LoadField(IGridControl& grid, const CString& bindName, LONG row, LONG col, CFieldFields& data);

// The columns of a binding's data set, read from the database, for the
// field-name lists; a database failure shows "无法取得绑定字段列表! ..."
// (caption "错误") and answers none.
class IDesignerDatabase;
std::vector<CString> BindColumnNames(IGridControl& grid, IDesignerDatabase& db, IDesignerUi& ui, const CString& bindName);

// Writes the marker of every field of every binding into its cell.
void WriteFieldMarkers(IGridControl& grid, bool afterWizard);
