// The database managers: a hosted control used as a read-only list of the
// template's connections, data sets or bindings, and their add, change and
// delete commands, which open the single-object dialogs and act on the
// view's control at once. The query condition dialog's work is here too.
#pragma once

#include "designer/dialogs/DbObjectSaves.h"

#include <vector>

class IDesignerUi;

// Header texts and widths in row 0 of a list, display style 1, no editing or
// tips, whole-row selection.
void SetUpManagerList(IGridControl& list, LONG rows, const std::vector<const char*>& headers,
                      const std::vector<LONG>& widths);
// A check-box cell showing a flag.
void SetManagerCheckCell(IGridControl& list, LONG row, LONG col, bool checked);

class CConnectionManagerModel {
public:
    CConnectionManagerModel(IGridControl* grid, IGridControl& list, IDesignerUi& ui);
    void Init();
    void Add();
    void Change();   // also the list's double click
    void Delete();

private:
    void WriteRow(LONG row, const CConnectionFields& c);
    IGridControl* m_grid;
    IGridControl& m_list;
    IDesignerUi& m_ui;
};

class CBindManagerModel {
public:
    CBindManagerModel(IGridControl* grid, IGridControl& list, IDesignerUi& ui);
    void Init();
    void Add();
    void Change();
    void Delete();

private:
    void WriteRow(LONG row, const CString& name);
    IGridControl* m_grid;
    IGridControl& m_list;
    IDesignerUi& m_ui;
};

class CDataSetManagerModel {
public:
    CDataSetManagerModel(IGridControl* grid, IGridControl& list, IDesignerUi& ui);
    void Init();
    void Add();
    void Change();
    void Delete();
    void DoubleClick();

private:
    void WriteRow(LONG row, const CDataSetDlg& ds);
    IGridControl* m_grid;
    IGridControl& m_list;
    IDesignerUi& m_ui;
};

// The bound-field list: a row tree of bindings (under the root "所有绑定")
// and their fields. A row is a field's when its node hangs under a
// binding's node, whatever its cells hold.
class CBindFieldManagerModel {
public:
    CBindFieldManagerModel(IGridControl* grid, IGridControl& list, IDesignerUi& ui);
    void Init();
    void Add();
    void Change();
    void Delete();
    void DoubleClick();

private:
    enum RowKind { NoRow, RootRow, BindRow, FieldRow };
    RowKind KindOf(LONG row);
    void WriteRow(LONG row, const CFieldFields& f);
    IGridControl* m_grid;
    IGridControl& m_list;
    IDesignerUi& m_ui;
};

class CQueryConditionModel {
public:
    CQueryConditionModel(IGridControl* grid, IDesignerUi& ui);
    std::vector<CString> connections, dataSets;
    int connIndex = -1, dataSetIndex = -1;
    CString sql;
    void Init();
    void ChooseConnection(int index);
    void ChooseDataSet(int index);   // also "恢复"
    // "确定": replaces the data set's SQL; "设置成功!" when it took.
    void Apply();

private:
    IGridControl* m_grid;
    IDesignerUi& m_ui;
};
