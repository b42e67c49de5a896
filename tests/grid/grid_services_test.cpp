// The grid's cell factory and lookup, cell types, ids, virtual mode, the
// owned services (bindings, connections, print settings, file information)
// and the page header and footer fonts.
#include "cellcontent/FontElement.h"
#include "document/TemplateVersion.h"
#include "grid/LogFontUtil.h"

#include "GridTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>

using gridtest::MakeSheet;
using gridtest::Text;

namespace {

TEST(GridCells, CreateCellMarksFixedCellsAndTakesTheAreaDefaults)
{
    auto grid = MakeSheet(4, 4, 1, 1);
    struct Case {
        int row;
        int col;
        UINT bits;
    } cases[] = {{0, 0, 0x70}, {0, 2, 0x30}, {2, 0, 0x50}, {2, 2, 0}};
    for (const Case& c : cases) {
        std::unique_ptr<CGridCellBase> cell(grid->CreateCell(c.row, c.col));
        ASSERT_NE(nullptr, cell);
        EXPECT_EQ(c.bits, cell->GetState()) << c.row << "," << c.col;
        EXPECT_EQ(grid.get(), cell->GetGrid());
        EXPECT_EQ(GRID_DEFAULT_ALIGN, static_cast<CGridCell*>(cell.get())->GetStoredAlign());
        if (c.bits == 0) {
            EXPECT_FALSE(cell->IsDefaultFont());      // a data cell holds the normal default font
        } else {
            EXPECT_TRUE(static_cast<CGridCell*>(cell.get())->HasOwnTextColor());
        }
    }
    grid->SetDefaultCellType(RUNTIME_CLASS(CGridCellBase));   // not creatable
    EXPECT_EQ(nullptr, grid->CreateCell(2, 2));
    grid->SetDefaultCellType(nullptr);
    EXPECT_EQ(nullptr, grid->CreateCell(2, 2));
}

TEST(GridCells, LookupPutAndDestroy)
{
    auto grid = MakeSheet(3, 3, 1, 1);
    EXPECT_EQ(nullptr, grid->GetCell(-1, 0));
    EXPECT_EQ(nullptr, grid->GetCell(3, 0));
    EXPECT_EQ(nullptr, grid->GetCell(0, 3));

    CGridCellBase* old = grid->GetCell(1, 1);
    CGridCell* replacement = new CGridCell;
    CGridCellBase* handedBack = nullptr;
    ASSERT_TRUE(grid->PutCell(1, 1, replacement, &handedBack));
    EXPECT_EQ(old, handedBack);                  // the caller owns the old cell now
    delete handedBack;
    EXPECT_EQ(replacement, grid->GetCell(1, 1));
    EXPECT_EQ(1, replacement->GetRow());

    CGridCell* refused = new CGridCell;
    EXPECT_FALSE(grid->PutCell(5, 1, refused));
    delete refused;

    grid->DestroyCell(1, 1);
    EXPECT_EQ(nullptr, grid->GetCell(1, 1));
    EXPECT_EQ(0, grid->GetCellType(1, 1));       // no cell there
    EXPECT_EQ(-1, grid->GetCellType(3, 3));
}

TEST(GridCells, CellTypeByClassAndNumber)
{
    auto grid = MakeSheet(3, 3, 1, 1);
    grid->GetCell(1, 1)->SetText("keep");
    EXPECT_TRUE(grid->SetCellType(1, 1, RUNTIME_CLASS(CGridDefaultCell)));
    EXPECT_EQ("keep", Text(*grid, 1, 1));        // the content comes along
    EXPECT_EQ(-1, grid->GetCellType(1, 1));      // a class outside the table
    EXPECT_TRUE(grid->SetCellType(1, 1, GCT_EDIT));
    EXPECT_EQ(GCT_EDIT, grid->GetCellType(1, 1));
    EXPECT_EQ("keep", Text(*grid, 1, 1));

    EXPECT_FALSE(grid->SetCellType(1, 1, GCT_RADIO));
    EXPECT_FALSE(grid->SetCellType(1, 1, 13));
    EXPECT_FALSE(grid->SetCellType(1, 1, -1));
    EXPECT_FALSE(grid->SetCellType(9, 9, RUNTIME_CLASS(CGridCell)));
    EXPECT_FALSE(grid->SetCellType(1, 1, &CObject::classCObject));

    struct Case {
        const char* name;
        int type;
    } names[] = {{"CGridCell", 0},         {"CGridCellCombo", 1},     {"CGridCellCheck", 2},
                 {"CGridCellCheckCombo", 3}, {"CGridCellDateTime", 4}, {"CGridCellNumeric", 5},
                 {"CGridCellButton", 6},    {"CGridTreeCell", 7},      {"CGridURLCell", 9},
                 {"CGridCellSuperEdit", 10}, {"CGridCellFormula", 11}, {"CGridCellImage", 12},
                 {"cgridcell", -1},         {"CTreeColumn", -1},       {"", -1}};
    for (const Case& c : names)
        EXPECT_EQ(c.type, CGridCtrl::GetCellTypeFromClassName(c.name)) << c.name;
    EXPECT_EQ(RUNTIME_CLASS(CGridCell), CRuntimeClass::FromName("CGridCell"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CGridCellBase"));   // not creatable by name
}

TEST(GridCells, CellIdsStayUnique)
{
    auto grid = MakeSheet(4, 4, 1, 1);
    EXPECT_TRUE(grid->SetCellId(1, 1, "a"));
    EXPECT_FALSE(grid->SetCellId(1, 1, "a"));    // the same cell's own id counts too
    EXPECT_FALSE(grid->SetCellId(2, 2, "a"));
    EXPECT_TRUE(grid->SetCellId(1, 1, "b"));
    ASSERT_EQ(1u, grid->GetCellIdTable().size());
    EXPECT_STREQ("b", grid->GetCellIdTable()[0].szId);
    EXPECT_TRUE(grid->SetCellId(1, 1, ""));
    EXPECT_TRUE(grid->GetCellIdTable().empty());
    EXPECT_EQ(CString(), grid->GetCellId(1, 1));
    EXPECT_FALSE(grid->SetCellId(7, 7, "x"));

    // Two ids that agree in their first 31 bytes are one id.
    std::string longA = std::string(31, 'q') + "A";
    std::string longB = std::string(31, 'q') + "B";
    EXPECT_TRUE(grid->SetCellId(2, 1, longA.c_str()));
    EXPECT_FALSE(grid->SetCellId(2, 2, longB.c_str()));
    EXPECT_EQ(CString(std::string(31, 'q').c_str()), grid->GetCellId(2, 1));
}

TEST(GridCells, MarkModifiedClearsEveryCellWhenTheGridIsClean)
{
    auto grid = MakeSheet(3, 3, 1, 1);
    grid->MarkModified(TRUE, 2, 2);
    EXPECT_TRUE(grid->GetCell(2, 2)->IsModified());
    EXPECT_TRUE(grid->GetModified());
    grid->MarkModified(FALSE, 2, 2);
    EXPECT_FALSE(grid->GetCell(2, 2)->IsModified());
    grid->GetCell(1, 1)->SetText("typed");
    grid->SetSortColumn(1);
    grid->SetModified(FALSE, -1, -1);
    EXPECT_FALSE(grid->GetCell(1, 1)->IsModified());
    EXPECT_FALSE(grid->GetCell(1, 0)->IsModified());
    EXPECT_EQ(-1, grid->GetSortColumn());
}

BOOL FillVirtualCell(GridDisplayInfo* info, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    info->strText.Format("%d:%d", info->row, info->col);
    info->crFgClr = RGB(1, 2, 3);
    return TRUE;
}

TEST(GridCells, VirtualModeAsksTheOwnerThroughTheCallback)
{
    CGridCtrl grid;
    grid.SetVirtualMode(TRUE);
    grid.SetRowCount(100);
    grid.SetColumnCount(10);
    grid.SetFixedRowCount(1);
    int calls = 0;
    grid.SetCallbackFunc(FillVirtualCell, reinterpret_cast<LPARAM>(&calls));
    CGridCellBase* cell = grid.GetCell(50, 3);
    ASSERT_NE(nullptr, cell);
    EXPECT_EQ(1, calls);
    EXPECT_STREQ("50:3", cell->GetText());
    EXPECT_EQ(RGB(1, 2, 3), cell->GetTextColor());
    EXPECT_EQ(0u, cell->GetState() & GCS_FIXED);
    EXPECT_TRUE(grid.GetCell(0, 3)->IsFixedRow());
    EXPECT_EQ(nullptr, grid.GetCell(100, 0));
    // Nothing is stored: setting a cell type or putting a cell is refused.
    EXPECT_FALSE(grid.SetCellType(5, 5, RUNTIME_CLASS(CGridCell)));
    EXPECT_FALSE(grid.SetCellId(5, 5, "v"));
    EXPECT_EQ(-1, grid.GetRowHeight(100));
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE)->GetHeight(), grid.GetRowHeight(99));
}

TEST(GridServices, HeaderAndFooterFonts)
{
    CGridCtrl grid;
    CString gridFont = CFontElement(*grid.GetGridLogFont()).GetText();
    typedef void (CGridCtrl::*Setter)(LPCTSTR);
    typedef CString (CGridCtrl::*Getter)();
    struct Slot {
        Setter set;
        Getter get;
    } slots[] = {
        {&CGridCtrl::SetHeaderLeftFont, &CGridCtrl::GetHeaderLeftFont},
        {&CGridCtrl::SetHeaderCenterFont, &CGridCtrl::GetHeaderCenterFont},
        {&CGridCtrl::SetHeaderRightFont, &CGridCtrl::GetHeaderRightFont},
        {&CGridCtrl::SetFooterLeftFont, &CGridCtrl::GetFooterLeftFont},
        {&CGridCtrl::SetFooterCenterFont, &CGridCtrl::GetFooterCenterFont},
        {&CGridCtrl::SetFooterRightFont, &CGridCtrl::GetFooterRightFont},
    };
    const char* bold = "<font fontname = \"黑体\" weight = \"FW_BOLD\" fontsize = \"14\" ></font>";
    for (size_t i = 0; i < sizeof(slots) / sizeof(slots[0]); ++i) {
        EXPECT_EQ(gridFont, (grid.*slots[i].get)()) << i;   // starts as the grid's font
        (grid.*slots[i].set)("");
        EXPECT_EQ(gridFont, (grid.*slots[i].get)()) << i;   // an empty text changes nothing
        (grid.*slots[i].set)(bold);
        CString written = (grid.*slots[i].get)();
        EXPECT_NE(gridFont, written) << i;
        EXPECT_EQ(CFontElement(CFontElement(bold).GetLogFontRef()).GetText(), written) << i;
        for (size_t j = i + 1; j < sizeof(slots) / sizeof(slots[0]); ++j)
            EXPECT_EQ(gridFont, (grid.*slots[j].get)()) << i << " touched " << j;
    }
}

TEST(GridServices, PrintSettingsAndFileInfoDefaults)
{
    CGridCtrl grid;
    CGridPrintSettings& print = grid.GetPrintSettings();
    ASSERT_NE(nullptr, print.m_pDevMode);
    EXPECT_EQ(1, print.m_pDevMode->dmCollate);
    EXPECT_EQ(-1, print.m_pDevMode->dmPaperSize);
    EXPECT_EQ(-1, print.m_pDevMode->dmOrientation);
    EXPECT_EQ(-1, print.m_pDevMode->dmCopies);
    EXPECT_EQ(0u, print.m_pDevMode->dmFields);
    EXPECT_EQ('\0', print.m_pDevMode->dmDeviceName[0]);
    EXPECT_EQ(20, print.m_layout.nMarginLeft);
    EXPECT_EQ(20, print.m_layout.nMarginBottom);
    EXPECT_EQ(12, print.m_layout.nHeaderDistance);
    EXPECT_EQ(12, print.m_layout.nFooterDistance);
    EXPECT_EQ(0, print.m_nPrintOptions[0]);
    EXPECT_EQ(1, print.m_nPrintOptions[1]);
    EXPECT_EQ(1, print.m_nPrintOptions[2]);
    EXPECT_EQ(0, print.m_nPrintOptions[3]);
    EXPECT_EQ(1, print.m_nAfterPortB);
    EXPECT_EQ(1.0, print.m_dPrintScale);
    EXPECT_EQ(CString("04.01"), print.m_strFileVersion);
    EXPECT_TRUE(print.m_strPrinterName.IsEmpty());

    print.m_strPrintTexts[2] = "A1:B2";
    print.m_layout.nMarginLeft = 5;
    grid.InitPrintSettings();
    grid.InitPrintMargins();
    EXPECT_TRUE(print.m_strPrintTexts[2].IsEmpty());
    EXPECT_EQ(20, print.m_layout.nMarginLeft);

    const TemplateFileInfo& info = grid.GetFileInfo();
    EXPECT_EQ(39649.0, info.dtDate);             // 2008-07-20
    EXPECT_FALSE(info.strProduct.IsEmpty());
    EXPECT_TRUE(info.strDescription.IsEmpty());

    EXPECT_EQ(CString("abc"), CGridPrintSettings::CutToField("abcdef", 4));
    EXPECT_EQ(CString("ab"), CGridPrintSettings::CutToField("ab中", 4));
}

TEST(GridServices, TemplateVersion)
{
    struct Case {
        const char bytes[6];
        const char* version;
        BOOL above;
    } cases[] = {
        {"03.82", "03.81", TRUE}, {"03.82", "03.91", FALSE}, {"03.81", "03.81", FALSE},
        {"04.01", "03.51", TRUE}, {{0, 0, 0, 0, 0, 0}, "03.61", FALSE},
        {{'0', '4', '.', '0', '1', '9'}, "04.01", TRUE},   // all six bytes, no NUL needed
    };
    CGridCtrl grid;
    for (const Case& c : cases) {
        SetTemplateVersionBytes(c.bytes);
        EXPECT_EQ(c.above, grid.IsTemplateVersionAbove(c.version)) << c.version;
    }
    SetTemplateVersionBytes(nullptr);
    EXPECT_EQ(CString(), GetTemplateVersionText());
}

TEST(GridServices, BindingAndConnectionLists)
{
    CGridCtrl grid;
    CBindInfoList& binds = grid.GetBindList();
    EXPECT_EQ(&grid, binds.GetGrid());
    CBindInfo* first = binds.AddBind("body", &grid);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(&grid, first->GetGrid());
    EXPECT_EQ(nullptr, binds.AddBind("body", &grid));
    EXPECT_EQ(nullptr, binds.AddBind("", &grid));
    CBindInfo* longName = binds.AddBind("a_name_longer_than_fifteen", &grid);
    ASSERT_NE(nullptr, longName);
    EXPECT_EQ(CString("a_name_longer_t"), longName->GetName());
    EXPECT_EQ(1, binds.FindBind("a_name_longer_t"));
    EXPECT_EQ(-1, binds.FindBind(""));
    EXPECT_EQ(-1, binds.FindBind("Body"));       // names compare exactly
    EXPECT_EQ(first, binds.GetBind("body"));
    EXPECT_EQ(nullptr, binds.GetBindAt(2));
    EXPECT_EQ(-1, first->FindField(1, 1));

    EXPECT_TRUE(binds.SetBindAt(0, std::make_unique<CBindInfo>("header")));
    EXPECT_EQ(CString("header"), binds.GetBindAt(0)->GetName());
    EXPECT_FALSE(binds.SetBind("missing", std::make_unique<CBindInfo>("x")));
    EXPECT_FALSE(binds.DeleteBind("missing"));
    EXPECT_TRUE(binds.DeleteBind("header"));
    EXPECT_EQ(0, binds.FillAllBinds());
    EXPECT_EQ(0, binds.FillAutoBinds());
    EXPECT_EQ(1, binds.DeleteAllBinds());
    EXPECT_EQ(0, binds.GetCount());

    CConnectionDefList& connections = grid.GetConnectionList();
    EXPECT_EQ(0, connections.AddConnection("db"));
    EXPECT_EQ(-1, connections.AddConnection("db"));
    EXPECT_EQ(-1, connections.AddConnection(""));
    EXPECT_EQ(1, connections.AddConnection("other"));
    EXPECT_EQ(&grid, connections.GetConnection("db")->GetGrid());
    EXPECT_EQ(nullptr, connections.GetConnection(""));
    EXPECT_EQ(nullptr, connections.GetConnectionAt(2));
    CConnectionDef* db = connections.GetConnection("db");
    EXPECT_EQ(nullptr, db->GetDataSet("q"));
    EXPECT_EQ(0, db->NewDataSet("q"));
    EXPECT_EQ(-1, db->NewDataSet("q"));
    EXPECT_EQ(db, db->GetDataSet("q")->GetConnection());
    EXPECT_EQ(0, db->DeleteDataSet("q"));
    EXPECT_EQ(0, connections.OpenAutoConnections());
    EXPECT_EQ(0, connections.DeleteConnection("db"));
    EXPECT_EQ(-1, connections.DeleteConnection("db"));
    EXPECT_EQ(0, connections.FindConnection("other"));
    connections.DeleteAll();
    EXPECT_EQ(0, connections.GetCount());
}

TEST(GridServices, RuntimeClassRecords)
{
    CGridCell cell;
    CGridDefaultCell defaultCell;
    EXPECT_TRUE(cell.IsKindOf(RUNTIME_CLASS(CGridCellBase)));
    EXPECT_TRUE(cell.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(cell.IsKindOf(RUNTIME_CLASS(CGridDefaultCell)));
    EXPECT_TRUE(defaultCell.IsKindOf(RUNTIME_CLASS(CGridCell)));
    EXPECT_STREQ("CGridDefaultCell", defaultCell.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(0xFFFFu, RUNTIME_CLASS(CGridCell)->m_wSchema);
    std::unique_ptr<CObject> made(RUNTIME_CLASS(CGridCell)->CreateObject());
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CGridCell)));
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CGridCellBase)->CreateObject());
}

}  // namespace
