// The report wizard's four working pages as one model: the data source, the
// data set (connections, tables, columns, condition), the binding and the
// bound fields (automatic or custom). The wizard's windows show these
// fields; the work is done here on the view's control and the designer's
// database road.
#pragma once

#include "designer/dialogs/DbObjectSaves.h"

#include "designer/DesignerDatabase.h"
#include "designer/dialogs/ReportWizard.h"

#include <vector>

class CWizardPagesModel : public IWizardPages {
public:
    CWizardPagesModel(IGridControl* grid, IDesignerUi& ui, IDesignerDatabase& db);

    // Data-source page ("创建" and "测试" are the window's, through the
    // picker and TestConnection).
    CConnectionFields conn;
    // The control that gets the focus after a failed check on any page.
    UINT failedFocus = 0;
    // "链接成功!" or "链接失败!" (caption "提示").
    void TestConnection();

    // Data-set page.
    std::vector<CString> connections;   // the control's connection names
    int connIndex = -1;
    CString dataSetName = "DataSet1";
    std::vector<CString> tables;
    int tableIndex = -1;
    CColumnPicker columns;
    CString condition;
    // A table was chosen: its columns become the available list.
    void ChooseTable(int index);

    // Binding page.
    CBindFields bind;
    std::vector<CString> bindConnections;   // "无" first
    int bindConnIndex = -1;
    std::vector<CString> bindDataSets;
    int bindDataSetIndex = -1;
    std::vector<CString> bodyBinds;
    int bodyIndex = -1;
    // The connection was changed: its data sets are listed, so that a
    // binding never gets the data set of another connection.
    void ChooseBindConnection(int index);
    // The page was shown: fills the lists still empty.
    void ShowBindPage();
    // "边框" (1148): the group rows' sides through the border popup; TRUE
    // when its OK changed them.
    BOOL EditBindBorders();

    // Bound-field page.
    bool custom = false;
    std::vector<CString> binds;
    int bindIndex = -1;
    std::vector<CString> fieldNames;          // the data set's columns
    std::vector<CString> fieldEntries;        // "字段[%d,%d]"
    std::vector<LONG> fieldRows, fieldCols;
    int fieldIndex = -1;
    CFieldFields field;
    BOOL makeMarkers = TRUE;
    void ShowFieldPage();
    void ChooseBind(int index);
    // "自动绑定" in custom mode: after the warning, deletes every field of
    // the chosen binding; answers whether the automatic mode holds.
    bool ChooseAutomatic();
    void ChooseCustom();
    void ChooseField(int index);
    // "边框" (1148): the field's sides through the border popup.
    BOOL EditFieldBorders();
    // "保存" (add) and "修改" (change); "删除".
    bool SaveField(bool add);
    bool DeleteField();

    // IWizardPages
    bool CreateConnection(CString& connName) override;
    void SetConnection(const CString& connName) override;
    bool CreateDataSet(CString& connName, CString& dataSetName) override;
    void LoadBindConnections(const CString& connName, const CString& dataSetName) override;
    bool CreateBind(CString& bindName) override;
    void SetBind(const CString& bindName) override;
    bool MarkersChecked() override { return makeMarkers != FALSE; }
    void WriteMarkers() override;

private:
    void ListTables(const CString& connName);
    void ListBindDataSets(const CString& connName, const CString& select);
    void LoadFields();
    void ResetField();

    IGridControl* m_grid;
    IDesignerUi& m_ui;
    IDesignerDatabase& m_db;
    CDesignerDbLogin m_login;        // of the connection whose tables were listed last
    CString m_handedConn, m_handedDataSet;
};
