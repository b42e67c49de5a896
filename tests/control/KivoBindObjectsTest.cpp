// KivoBind, KivoBindField and KivoBindGroupRowInfo through the portable
// control core, and the control's bind members: building a bind from value
// objects, filling it from a host's recordset, and objects whose bind is gone.
#include "binding/MemoryRecordset.h"
#include "control/HostObject.h"
#include "control/KivoBindObjects.h"
#include "control/KivoObjectFactory.h"
#include "control/KivoSheetCtrl.h"
#include "control/KivoValueObjects.h"
#include "grid/GridCtrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct Sheet {
    Sheet()
    {
        ctl.RowSetCount(2);
        ctl.ColumnSetCount(4);
        ctl.RowSetFixedCount(1);
        ctl.ColumnSetFixedCount(1);
    }
    CGridCtrl& grid() { return *ctl.GetGrid()->GetGridCtrl(); }
    CKivoSheetCtrl ctl;
};

CKivoBind* AsBind(const CKivoObjectPtr& p)
{
    return dynamic_cast<CKivoBind*>(p.get());
}

CKivoBindField* AsField(const CKivoObjectPtr& p)
{
    return dynamic_cast<CKivoBindField*>(p.get());
}

// A host's recordset as the COM layer hands it over.
class TestHostRecordset : public CHostObject {
public:
    explicit TestHostRecordset(std::shared_ptr<CMemoryRecordset> rs) : m_rs(std::move(rs)) {}
    std::shared_ptr<IBindRecordset> AsRecordset() override { return m_rs; }

private:
    std::shared_ptr<CMemoryRecordset> m_rs;
};

std::string CellText(CGridCtrl& grid, int row, int col)
{
    CGridCellBase* cell = grid.GetCell(row, col);
    if (cell == nullptr)
        return "<none>";
    if (cell->IsNumber())
        return std::to_string(static_cast<long long>(cell->GetValue()));
    return cell->GetText() != nullptr ? cell->GetText() : "";
}

}  // namespace

TEST(KivoBindObjects, BuildAndFillThroughMembers)
{
    Sheet s;
    EXPECT_EQ(nullptr, s.ctl.DBAddBind(""));
    CKivoObjectPtr object = s.ctl.DBAddBind("body");
    CKivoBind* bind = AsBind(object);
    ASSERT_NE(nullptr, bind);
    EXPECT_EQ(nullptr, s.ctl.DBAddBind("body"));
    EXPECT_EQ(0, s.ctl.DBFindBind("body"));
    EXPECT_EQ(1, s.ctl.DBGetBindCount());

    CKivoBindField field;
    field.put_sFieldName("name");
    field.put_nCol(1);
    SHORT index = -5;
    bind->AddField(&field, index);
    EXPECT_EQ(0, index);
    CKivoBindField amount;
    amount.put_sFieldName("amount");
    amount.put_nCol(2);
    amount.put_emStatisticsType(ST_SUM);
    bind->AddField(&amount, index);
    EXPECT_EQ(1, index);
    // A second field for an occupied cell answers the existing index and adds nothing.
    CKivoBindField again;
    again.put_sFieldName("other");
    again.put_nCol(1);
    bind->AddField(&again, index);
    EXPECT_EQ(0, index);
    LONG count = 0;
    bind->get_nFieldCount(count);
    EXPECT_EQ(2, count);
    CKivoObjectPtr first;
    bind->GetFieldEx(-1, 1, first);
    ASSERT_NE(nullptr, AsField(first));
    CString name;
    AsField(first)->get_sFieldName(name);
    EXPECT_EQ(CString("name"), name);
    LONG found = 7;
    bind->FindField(3, 3, found);
    EXPECT_EQ(-1, found);
    CKivoObjectPtr none;
    bind->GetFieldEx(3, 3, none);
    EXPECT_EQ(nullptr, none);

    TestHostRecordset host(std::make_shared<CMemoryRecordset>(
        std::vector<CMemoryRecordset::Column>{{"name", 200}, {"amount", 3}},
        std::vector<std::vector<CBindValue>>{{CBindValue::MakeText("a"), CBindValue::MakeInteger(5000000000LL)},
                                             {CBindValue::MakeText("b"), CBindValue::MakeInteger(2)}}));
    bind->BindSource(&host);
    LONG filled = 0;
    bind->FillData(filled);
    EXPECT_EQ(3, filled);
    EXPECT_EQ("a", CellText(s.grid(), 1, 1));
    EXPECT_EQ("5000000000", CellText(s.grid(), 1, 2));
    EXPECT_EQ("5000000002", CellText(s.grid(), 3, 2));

    CKivoObjectPtr header = s.ctl.DBAddBind("head");
    CKivoBindField title;
    title.put_sFieldName("title");
    title.put_nRow(0);
    title.put_nCol(1);
    AsBind(header)->AddField(&title, index);
    CKivoObjectPtr bound = s.ctl.DBGetBindField("head", 0, 1);
    ASSERT_NE(nullptr, AsField(bound));
    AsField(bound)->get_sFieldName(name);
    EXPECT_EQ(CString("title"), name);
    EXPECT_EQ(nullptr, s.ctl.DBGetBindField("body", -1, 2));      // not a cell
    EXPECT_EQ(nullptr, s.ctl.DBGetBindField("body", 9, 9));
    EXPECT_EQ(nullptr, s.ctl.DBGetBindField("", -1, 2));
}

TEST(KivoBindObjects, BodyBindsGroupRowsAndBorders)
{
    Sheet s;
    CKivoObjectPtr bodyObject = s.ctl.DBAddBind("body");
    CKivoObjectPtr bottomObject = s.ctl.DBAddBind("bottom");
    CKivoBind* body = AsBind(bodyObject);
    CKivoBind* bottom = AsBind(bottomObject);
    SHORT result = 9;
    body->SetBodyBind(bottom, result);           // a body bind takes no body
    EXPECT_EQ(0, result);
    CString text;
    body->GetBodyBindEx(text);
    EXPECT_EQ(CString(), text);
    bottom->put_FillType(BFT_BOTTOM);
    bottom->SetBodyBind(body, result);
    EXPECT_EQ(1, result);
    bottom->GetBodyBindEx(text);
    EXPECT_EQ(CString("body"), text);

    CKivoObjectPtr groupObject;
    body->GetGroupRowInfo(groupObject);
    auto* group = dynamic_cast<CKivoBindGroupRowInfo*>(groupObject.get());
    ASSERT_NE(nullptr, group);
    group->get_sGroupDefaultName(text);
    EXPECT_EQ(CString(" 分组合计 "), text);
    group->put_sGroupDefaultName("小计");
    group->put_nGroupNameDefCol(2);
    body->SetGroupRowInfo(group, result);
    EXPECT_EQ(1, result);
    EXPECT_EQ(CString("小计"), s.grid().GetBindList().GetBind("body")->GetGroupRowInfo().sGroupDefaultName);

    CKivoBindField field;
    CBorderBlock block{0x112233, 1, 1};
    CKivoObjectPtr border = CreateKivoCellBorderObject(block);
    field.put_arCellBorder(5, border.get());
    LONG flags = 0;
    field.get_emCellBorderFlags(flags);
    EXPECT_EQ(5, flags);
    field.put_arCellBorder(16, border.get());
    field.get_emCellBorderFlags(flags);
    EXPECT_EQ(5, flags);
    CKivoObjectPtr got;
    field.get_arCellBorder(2, got);
    CBorderBlock back;
    ASSERT_TRUE(GetKivoBorderBlock(got.get(), back));
    EXPECT_EQ(0x112233, back.colour);
    field.get_arCellBorder(4, got);
    EXPECT_EQ(nullptr, got);

    field.put_sFieldName(CString(std::string(70, 'f').c_str()));
    field.get_sFieldName(text);
    EXPECT_EQ(59, text.GetLength());
    EXPECT_EQ(kKivoOk, body->Merge());
}

TEST(KivoBindObjects, ReplacingAndDeletingBinds)
{
    Sheet s;
    CKivoObjectPtr a = s.ctl.DBAddBind("a");
    CKivoObjectPtr b = s.ctl.DBAddBind("b");
    AsBind(b)->put_nFillStartRow(5);
    EXPECT_EQ(-1, s.ctl.DBSetBind("", b.get()));
    EXPECT_EQ(-1, s.ctl.DBDelBind(""));

    struct Case {
        LONG index;
        LONG result;
    };
    const Case cases[] = {{-1, -1}, {2, -1}, {0, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(c.result, s.ctl.DBSetBindEx(c.index, b.get())) << c.index;
    // The first bind now has the second's settings and keeps its own name.
    CBindInfo* first = s.grid().GetBindList().GetBindAt(0);
    EXPECT_EQ(5, first->nFillStartRow);
    EXPECT_EQ(CString("a"), first->GetName());

    // The object of the replaced bind and the object of a deleted bind act
    // like objects made by their ProgID.
    EXPECT_EQ(1, s.ctl.DBDelBind("b"));
    EXPECT_EQ(0, s.ctl.DBDelBind("b"));
    for (CKivoObjectPtr* stale : {&a, &b}) {
        CKivoBind* bind = AsBind(*stale);
        CString name("unchanged");
        bind->get_strName(name);
        EXPECT_EQ(CString("unchanged"), name);
        LONG filled = -7;
        bind->FillData(filled);
        EXPECT_EQ(-7, filled);
        CKivoBindField field;
        SHORT result = -7;
        bind->AddField(&field, result);
        EXPECT_EQ(-7, result);
        bind->put_nFillStartRow(3);
    }
    EXPECT_EQ(1, s.ctl.DBGetBindCount());
    CKivoObjectPtr fresh = s.ctl.DBGetBindEx(0);
    ASSERT_NE(nullptr, AsBind(fresh));
    LONG row = 0;
    AsBind(fresh)->get_nFillStartRow(row);
    EXPECT_EQ(5, row);
    EXPECT_EQ(nullptr, s.ctl.DBGetBindEx(1));

    // Objects made by their ProgID.
    CKivoObjectPtr empty = CreateKivoObjectOfClass(KivoClass_KivoBind);
    ASSERT_NE(nullptr, AsBind(empty));
    LONG count = -3;
    AsBind(empty)->get_nFieldCount(count);
    EXPECT_EQ(-3, count);
    EXPECT_EQ(0, s.ctl.DBSetBind("a", empty.get()));
    EXPECT_EQ(1, s.ctl.DBDeleteAllBind());
    EXPECT_EQ(nullptr, s.ctl.DBGetBind("a"));
}
