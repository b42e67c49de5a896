// The database dialogs' work on the control's objects, in process: the
// order of property sets (through recording stand-ins of the objects), the
// values that arrive, the refusals with their messages, the dialogs' fields
// read back for a change, and the field markers.
#include "designer/dialogs/DbObjectSaves.h"

#include "tests/designer/DesignerFixture.h"
#include "tests/designer/native/RecordingObjects.h"

#include <gtest/gtest.h>

using namespace designertest;

namespace {

// The control with every database object it hands out recorded.
class RecordingObjectsGrid : public RecordingGrid {
public:
    using RecordingGrid::RecordingGrid;
    CallLog log;

    std::unique_ptr<IKivoObject> CreateKivoObject(const CString& progId) override
    {
        auto object = RecordingGrid::CreateKivoObject(progId);
        if (!object)
            return nullptr;
        switch (object->GetKivoKind()) {
        case IKivoDatabase::kKind: return RecordObject(KivoObjectAs<IKivoDatabase>(std::move(object)), log);
        case IKivoDataSet::kKind: return RecordObject(KivoObjectAs<IKivoDataSet>(std::move(object)), log);
        case IKivoBind::kKind: return RecordObject(KivoObjectAs<IKivoBind>(std::move(object)), log);
        case IKivoBindField::kKind: return RecordObject(KivoObjectAs<IKivoBindField>(std::move(object)), log);
        case IKivoBindGroupRowInfo::kKind:
            return RecordObject(KivoObjectAs<IKivoBindGroupRowInfo>(std::move(object)), log);
        case IKivoCellBorder::kKind: return RecordObject(KivoObjectAs<IKivoCellBorder>(std::move(object)), log);
        default: return object;
        }
    }
    std::unique_ptr<IKivoDatabase> DBAddConnection(const CString& n) override
    {
        return RecordObject(RecordingGrid::DBAddConnection(n), log);
    }
    std::unique_ptr<IKivoDatabase> DBGetConnection(const CString& n) override
    {
        return RecordObject(RecordingGrid::DBGetConnection(n), log);
    }
    std::unique_ptr<IKivoBind> DBAddBind(const CString& n) override { return RecordObject(RecordingGrid::DBAddBind(n), log); }
    std::unique_ptr<IKivoBind> DBGetBind(const CString& n) override { return RecordObject(RecordingGrid::DBGetBind(n), log); }
};

struct ObjectsDesigner {
    CWnd host;
    CKivoSheetCtrl ctl;
    RecordingObjectsGrid grid{ctl};
    ScriptedUi ui;
    ObjectsDesigner()
    {
        host.CreateEx(0, "KivoDesignerTestHost", "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400), nullptr, 0);
        ctl.CreateControl(host.GetSafeHwnd(), CRect(0, 0, 600, 400));
    }
    ~ObjectsDesigner()
    {
        if (ctl.GetSafeHwnd() != nullptr)
            ctl.DestroyWindow();
        host.DestroyWindow();
    }
    std::vector<std::string> Sets(const char* prefix)
    {
        std::vector<std::string> out;
        for (const auto& s : grid.log)
            if (s.rfind(prefix, 0) == 0)
                out.push_back(s);
        return out;
    }
    std::string LastBox() const { return ui.boxes.empty() ? std::string() : ui.boxes.back().text; }
};

CConnectionFields Connection(const char* name)
{
    CConnectionFields c;
    c.strName = name;
    c.strConnectionString = "Driver={SQLite3};Database=/tmp/x.db;";
    c.strUsername = "sa";
    c.strPwd = " p ";
    c.nTimeOut = 2000;
    c.bAutoClose = FALSE;
    return c;
}

TEST(DatabaseObjectSaves, ConnectionSetsItsPropertiesInOrder)
{
    ObjectsDesigner d;
    ASSERT_TRUE(SaveConnection(&d.grid, d.ui, Connection("c1"), true));
    EXPECT_EQ((std::vector<std::string>{"Database.SetstrConnectionString", "Database.SetstrUsername",
                                        "Database.SetstrPwd", "Database.SetnTimeOut", "Database.SetiCloseType",
                                        "Database.SetiOpenType"}),
              d.Sets("Database.Set"));
    CConnectionFields back;
    ASSERT_TRUE(LoadConnection(d.grid, "c1", back));
    EXPECT_EQ(" p ", back.strPwd.Str());     // as typed
    EXPECT_EQ(2000, back.nTimeOut);            // outside the spin's range, as typed
    EXPECT_FALSE(back.bAutoClose);
    EXPECT_TRUE(back.bAutoOpen);

    // Changing a name that is not there, and the wizard's page updating the
    // connection of that name instead of adding a second one.
    EXPECT_FALSE(SaveConnection(&d.grid, d.ui, Connection("nope"), false));
    EXPECT_EQ("链接添加不成功!", d.LastBox());
    CConnectionFields changed = Connection("c1");
    changed.strUsername = "other";
    ASSERT_TRUE(SaveConnection(&d.grid, d.ui, changed, true, true));
    EXPECT_EQ(1, d.grid.DBGetConnectionCount());
    ASSERT_TRUE(LoadConnection(d.grid, "c1", back));
    EXPECT_EQ("other", back.strUsername.Str());

    // A failed check stops before any object is touched; no control fails
    // silently.
    d.grid.log.clear();
    d.ui.boxes.clear();
    EXPECT_FALSE(SaveConnection(&d.grid, d.ui, Connection(""), true));
    EXPECT_EQ("链接名称不能为空!", d.LastBox());
    EXPECT_TRUE(d.grid.log.empty());
    EXPECT_FALSE(SaveConnection(nullptr, d.ui, Connection("c2"), true));
    EXPECT_EQ(1u, d.ui.boxes.size());
}

TEST(DatabaseObjectSaves, DataSetSetsItsPropertiesInOrderAndUpdatesByName)
{
    ObjectsDesigner d;
    ASSERT_TRUE(SaveConnection(&d.grid, d.ui, Connection("c1"), true));
    CDataSetDlg ds;
    ds.m_strConnName = "c1";
    ds.m_strName = "DataSet1";
    ds.m_nSqlType = 2;
    ds.m_strSql = "Emp";
    ds.m_bAutoClose = FALSE;
    d.grid.log.clear();
    ASSERT_TRUE(SaveDataSet(&d.grid, d.ui, ds));
    EXPECT_EQ((std::vector<std::string>{"DataSet.SetCommandType", "DataSet.SetstrSql", "DataSet.SetiOpenType",
                                        "DataSet.SetiCloseType"}),
              d.Sets("DataSet.Set"));
    CDataSetDlg back;
    ASSERT_TRUE(LoadDataSet(d.grid, "c1", "DataSet1", back));
    EXPECT_EQ(2, back.m_nSqlType);
    EXPECT_EQ("Emp", back.m_strSql.Str());
    EXPECT_FALSE(back.m_bAutoClose);

    // The wizard's page replaces the SQL of a data set of that name.
    ASSERT_TRUE(WizardCreateDataSet(&d.grid, d.ui, "c1", "DataSet1", "select 1"));
    auto conn = d.grid.DBGetConnection("c1");
    ASSERT_TRUE(conn);
    EXPECT_EQ(1, conn->GetDataSetCount());
    ASSERT_TRUE(LoadDataSet(d.grid, "c1", "DataSet1", back));
    EXPECT_EQ("select 1", back.m_strSql.Str());
    EXPECT_EQ(1, back.m_nSqlType);

    ds.m_strConnName = "missing";
    EXPECT_FALSE(SaveDataSet(&d.grid, d.ui, ds));
    EXPECT_EQ("链接添加不成功!", d.LastBox());
}

CBindFields Bind(const char* name)
{
    CBindFields b;
    b.strName = name;
    b.nFillType = 1;
    b.nStartRow = 3;
    b.nStartCol = 1;
    b.group.strFormat = "<format/>";
    b.group.bBackColor = TRUE;
    b.group.crBack = RGB(1, 2, 3);
    b.group.borders.nFlags = 1 | 8;
    b.group.borders.sides[0] = {2, 1, 2, RGB(9, 9, 9)};
    b.group.borders.sides[3] = {1, 3, 1, RGB(7, 7, 7)};
    b.group.nNameCol = 2;
    return b;
}

TEST(DatabaseObjectSaves, BindingAndGroupRowsInOrder)
{
    ObjectsDesigner d;
    ASSERT_TRUE(SaveConnection(&d.grid, d.ui, Connection("c1"), true));
    ASSERT_TRUE(WizardCreateDataSet(&d.grid, d.ui, "c1", "DataSet1", "select 1"));
    CBindFields b = Bind("b1");
    b.strConnName = "c1";
    b.strDataSetName = "DataSet1";
    d.grid.log.clear();
    ASSERT_TRUE(SaveBind(&d.grid, d.ui, b, BindSave::New));
    EXPECT_EQ((std::vector<std::string>{"Bind.SetFillType", "Bind.SetKivoSource", "Bind.SetnFillStartRow",
                                        "Bind.SetnFillStartCol", "Bind.SetbAutoCol", "Bind.SetbAutoRow",
                                        "Bind.SetiOpenType", "Bind.SetGroupRowInfo"}),
              d.Sets("Bind."));
    EXPECT_EQ((std::vector<std::string>{"BindGroupRowInfo.SetsGroupDefaultName", "BindGroupRowInfo.SetbGroupAddColValue",
                                        "BindGroupRowInfo.SetbGroupRowReadOnly", "BindGroupRowInfo.SetcrGroupRowBgColor",
                                        "BindGroupRowInfo.SetcrGroupRowTextColor",
                                        "BindGroupRowInfo.SetstrGroupRowFormatXml",
                                        "BindGroupRowInfo.SetstrGroupRowFontXml", "BindGroupRowInfo.SetarCellBorder",
                                        "BindGroupRowInfo.SetarCellBorder", "BindGroupRowInfo.SetnGroupNameDefCol"}),
              d.Sets("BindGroupRowInfo."));

    CBindFields back;
    ASSERT_TRUE(LoadBind(d.grid, "b1", back));
    EXPECT_EQ("c1", back.strConnName.Str());
    EXPECT_EQ("DataSet1", back.strDataSetName.Str());
    EXPECT_EQ(3, back.nStartRow);
    EXPECT_TRUE(back.group.bBackColor);
    EXPECT_EQ(RGB(1, 2, 3), back.group.crBack);
    EXPECT_FALSE(back.group.bTextColor);   // written as -1
    EXPECT_EQ(9, back.group.borders.nFlags);
    EXPECT_EQ(RGB(9, 9, 9), back.group.borders.sides[0].crColor);
    EXPECT_EQ(3, back.group.borders.sides[3].nStyle);
    EXPECT_EQ(2, back.group.nNameCol);

    // Change mode looks the binding up by name; the wizard updates a
    // binding of that name in place with its fixed settings.
    EXPECT_FALSE(SaveBind(&d.grid, d.ui, Bind("nope"), BindSave::Change));
    CBindFields header = Bind("b1");
    header.nFillType = 0;
    header.bAutoRow = FALSE;
    ASSERT_TRUE(SaveBind(&d.grid, d.ui, header, BindSave::Wizard));
    EXPECT_EQ(1, d.grid.DBGetBindCount());
    ASSERT_TRUE(LoadBind(d.grid, "b1", back));
    EXPECT_EQ(0, back.nFillType);
    EXPECT_TRUE(back.bAutoRow);
}

CFieldFields Field(LONG row, LONG col, const char* name, int type = 2)
{
    CFieldFields f;
    f.strBindName = "b1";
    f.nRow = row;
    f.nCol = col;
    f.strFieldName = name;
    f.nBindType = type;
    return f;
}

TEST(DatabaseObjectSaves, FieldsInOrderRefusedOnAnOccupiedCellAndChanged)
{
    ObjectsDesigner d;
    ASSERT_TRUE(SaveBind(&d.grid, d.ui, Bind("b1"), BindSave::New));
    CFieldFields f = Field(3, 2, "NAME");
    f.nHAlign = 1;
    f.nVAlign = 2;
    f.nDefType = 1;
    f.strDefValue = "none";
    f.bTextColor = TRUE;
    f.crText = RGB(4, 5, 6);
    d.grid.log.clear();
    ASSERT_TRUE(SaveField(&d.grid, d.ui, f, FieldSave::New));
    EXPECT_EQ((std::vector<std::string>{
                  "BindField.SetnRow", "BindField.SetnCol", "BindField.SetsFieldName", "BindField.SetemFieldBindType",
                  "BindField.SetnColWidth", "BindField.SetemStatisticsType", "BindField.SetstrFormatXml",
                  "BindField.SetstrFontXml", "BindField.SetstrControlXml", "BindField.SetcrBgColor",
                  "BindField.SetcrTextColor", "BindField.SetnAlign", "BindField.SetnDefDataType",
                  "BindField.SetstrDefValue", "BindField.SetdbDefValue", "BindField.SetKivoSource",
                  "BindField.SetbEllipsis", "BindField.SetbMergeData", "BindField.SetbReadOnly", "BindField.SetbWrap",
                  "BindField.SetiGroup"}),
              d.Sets("BindField.Set"));
    EXPECT_EQ("Bind.AddField", d.Sets("Bind.").back());

    CFieldFields back;
    ASSERT_TRUE(LoadField(d.grid, "b1", 3, 2, back));
    EXPECT_EQ(1, back.nHAlign);
    EXPECT_EQ(2, back.nVAlign);
    EXPECT_EQ(1, back.nDefType);             // text stays text
    EXPECT_EQ("none", back.strDefValue.Str());
    EXPECT_FALSE(back.bBackColor);
    EXPECT_EQ(RGB(4, 5, 6), back.crText);

    // A new field on a cell that has one is refused; a change of it works,
    // also for a field at row 0 and column 0, and may move it.
    EXPECT_FALSE(SaveField(&d.grid, d.ui, Field(3, 2, "ID"), FieldSave::New));
    EXPECT_EQ("该单元格已经存在绑定信息,不能再添加.您可以退出对话框,选择修改操作.", d.LastBox());
    ASSERT_TRUE(SaveField(&d.grid, d.ui, Field(0, 0, "", 1), FieldSave::New));
    CFieldFields moved;
    ASSERT_TRUE(LoadField(d.grid, "b1", 0, 0, moved));
    moved.nRow = 4;
    moved.nCol = 1;
    ASSERT_TRUE(SaveField(&d.grid, d.ui, moved, FieldSave::Change));
    auto bind = d.grid.DBGetBind("b1");
    ASSERT_TRUE(bind);
    EXPECT_EQ(2, bind->GetnFieldCount());
    EXPECT_LT(bind->FindField(0, 0), 0);
    EXPECT_GE(bind->FindField(4, 1), 0);
    // Moving onto the other field's cell is refused.
    moved.nOrigRow = 4;
    moved.nOrigCol = 1;
    moved.nRow = 3;
    moved.nCol = 2;
    EXPECT_FALSE(SaveField(&d.grid, d.ui, moved, FieldSave::Change));
    EXPECT_EQ(2, bind->GetnFieldCount());
}

TEST(DatabaseObjectSaves, MarkersOfEveryBindingInBindOrder)
{
    ObjectsDesigner d;
    ASSERT_TRUE(SaveBind(&d.grid, d.ui, Bind("b1"), BindSave::New));
    ASSERT_TRUE(SaveField(&d.grid, d.ui, Field(3, 1, "", 1), FieldSave::New));
    ASSERT_TRUE(SaveField(&d.grid, d.ui, Field(3, 2, "NAME"), FieldSave::New));
    ASSERT_TRUE(SaveField(&d.grid, d.ui, Field(3, 3, "", 0), FieldSave::New));
    ASSERT_TRUE(SaveBind(&d.grid, d.ui, Bind("b2"), BindSave::New));
    CFieldFields later = Field(3, 2, "ID");
    later.strBindName = "b2";
    ASSERT_TRUE(SaveField(&d.grid, d.ui, later, FieldSave::New));
    d.grid.CellSetValue(5, 5, "kept");
    WriteFieldMarkers(d.grid, false);
    EXPECT_EQ("[填充序列]", d.grid.CellGetValue(3, 1).Str());
    EXPECT_EQ("[ID]", d.grid.CellGetValue(3, 2).Str());   // the later binding's field wins
    EXPECT_EQ("[空绑定]", d.grid.CellGetValue(3, 3).Str());
    EXPECT_EQ("kept", d.grid.CellGetValue(5, 5).Str());
}

}  // namespace
