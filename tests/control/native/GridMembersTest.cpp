// The Grid members through the generated dispatcher, over the control's own
// grid: what each answers (its checks, failure values and J selectors), what
// it stores, its redraw marks, and the member decisions: a selection range
// applied only inside the scrollable part, the visible range and top-left
// cell only with a window, an unknown selection mode refused, the display
// style read from the window it changes, the frame width, the freeze limits,
// the default-setting record taken and handed out through copies, and the
// default border sides added to those already set.
#include "control/DispInvoke.h"
#include "control/KivoSheetCtrl.h"
#include "control/KivoValueObjects.h"
#include "grid/GridCtrl.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Answer {
    std::string text;          // "-1"/"0" for bool members, "null"/"object", "void"
    std::vector<LONG> refs;    // the by-reference values the member wrote
    CKivoObjectPtr obj;
};

Answer CallFull(CKivoSheetDispatch& target, const std::string& name, const std::vector<long>& values,
                CKivoObject* object = nullptr)
{
    Answer out;
    const CMemberInfo* m = FindKivoSheetMemberByName(name.c_str());
    if (m == nullptr) {
        ADD_FAILURE() << "no member " << name;
        return out;
    }
    std::vector<CDispArg> args(static_cast<size_t>(m->argc > 0 ? m->argc : 1));
    for (int i = 0; i < m->argc; ++i) {
        CDispArg& a = args[static_cast<size_t>(i)];
        a.type = m->args[i];
        const long v = static_cast<size_t>(i) < values.size() ? values[static_cast<size_t>(i)] : 0;
        a.l = static_cast<LONG>(v);
        a.s = static_cast<SHORT>(v);
        a.obj = object;
    }
    CDispResult r;
    EXPECT_TRUE(InvokeKivoSheetMember(target, *m, DispCall::Method, args.data(), r)) << name;
    for (int i = 0; i < m->argc; ++i)
        if (m->args[i] == DispType::RefLong)
            out.refs.push_back(args[static_cast<size_t>(i)].l);
    switch (r.type) {
    case DispType::Bool:
    case DispType::Short:
        out.text = std::to_string(r.s);
        break;
    case DispType::Long:
        out.text = std::to_string(r.l);
        break;
    case DispType::String:
        out.text = std::string("\"") + r.str.GetString() + "\"";
        break;
    case DispType::Object:
        out.text = r.obj ? "object" : "null";
        out.obj = std::move(r.obj);
        break;
    default:
        out.text = "void";
    }
    return out;
}

std::string Call(CKivoSheetDispatch& target, const std::string& name, const std::vector<long>& values = {})
{
    return CallFull(target, name, values).text;
}

struct Step {
    const char* member;
    std::vector<long> args;
    std::string answer;
};

void RunSteps(CKivoSheetDispatch& ctl, const std::vector<Step>& steps)
{
    for (const Step& s : steps) {
        std::string where = s.member;
        for (long v : s.args)
            where += " " + std::to_string(v);
        EXPECT_EQ(s.answer, Call(ctl, s.member, s.args)) << where;
    }
}

std::string N(long v) { return std::to_string(v); }

const char kParentClass[] = "KivoGridMembersTestHost";

// A sheet of 8 rows and 6 columns, one of each fixed, without windows.
class GridMembers : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_EQ("-1", Call(ctl, "RowSetCount", {8}));
        ASSERT_EQ("-1", Call(ctl, "ColumnSetCount", {6}));
        ASSERT_EQ("-1", Call(ctl, "RowSetFixedCount", {1}));
        ASSERT_EQ("-1", Call(ctl, "ColumnSetFixedCount", {1}));
        grid = ctl.GetGrid()->GetGridCtrl();
        ASSERT_NE(nullptr, grid);
    }

    CKivoSheetCtrl ctl;
    CGridCtrl* grid = nullptr;
};

TEST_F(GridMembers, SelectionRangesCellsAndTheirJSelectors)
{
    RunSteps(ctl, {
                      {"GridSetSelectRange", {1, 1, 2, 3}, "-1"},
                      {"GridGetSelectRangeJ", {0}, "1"},
                      {"GridGetSelectRangeJ", {1}, "1"},
                      {"GridGetSelectRangeJ", {2}, "2"},
                      {"GridGetSelectRangeJ", {3}, "3"},
                      {"GridGetSelectRangeJ", {4}, "-1"},
                      // Outside the scrollable part or unordered: nothing applied, 0.
                      {"GridSetSelectRange", {0, 1, 2, 3}, "0"},
                      {"GridSetSelectRange", {1, 0, 2, 3}, "0"},
                      {"GridSetSelectRange", {2, 1, 1, 3}, "0"},
                      {"GridSetSelectRange", {1, 3, 2, 1}, "0"},
                      {"GridSetSelectRange", {1, 1, 8, 3}, "0"},
                      {"GridSetSelectRange", {1, 1, 2, 6}, "0"},
                      {"GridGetSelectRangeJ", {2}, "2"},
                      {"GridGetSelectedCount", {}, "6"},
                      // Selected cells in row order.
                      {"GridGetSelectedCellJ", {0, 0}, "1"},
                      {"GridGetSelectedCellJ", {0, 1}, "1"},
                      {"GridGetSelectedCellJ", {5, 0}, "2"},
                      {"GridGetSelectedCellJ", {5, 1}, "3"},
                      {"GridGetSelectedCellJ", {6, 0}, "-1"},
                      {"GridGetSelectedCellJ", {-1, 0}, "-1"},
                      {"GridGetSelectedCellJ", {0, 2}, "-1"},
                      {"GridClearSelection", {}, "void"},
                      {"GridGetSelectedCount", {}, "0"},
                      {"GridGetSelectRangeJ", {0}, "-1"},
                      {"GridGetCurSelectType", {}, "0"},
                      {"GridSelectAllCells", {}, "void"},
                      {"GridGetCurSelectType", {}, "3"},
                      // Whole lines: the scroll checks come first.
                      {"GridSelectRow", {0}, "0"},
                      {"GridSelectRow", {8}, "0"},
                      {"GridSelectRow", {3}, "-1"},
                      {"GridSelectCol", {0}, "0"},
                      {"GridSelectCol", {6}, "0"},
                      {"GridSelectCol", {2}, "-1"},
                      {"GridRangeIsValid", {0, 0, 7, 5}, "-1"},
                      {"GridRangeIsValid", {0, 0, 8, 5}, "0"},
                      {"GridRangeIsValid", {3, 0, 2, 5}, "0"},
                  });
    const Answer past = CallFull(ctl, "GridGetSelectedCell", {99});
    EXPECT_EQ("0", past.text);
    EXPECT_EQ((std::vector<LONG>{-1, -1}), past.refs);
    ASSERT_EQ("void", Call(ctl, "GridClearSelection"));
    const Answer none = CallFull(ctl, "GridGetSelectRange", {});
    EXPECT_EQ("0", none.text);
    EXPECT_EQ((std::vector<LONG>{-1, -1, -1, -1}), none.refs);
}

TEST_F(GridMembers, SelectModesAndAnUnknownModeChangesNothing)
{
    RunSteps(ctl, {
                      {"GridGetSelectMode", {}, "1"},
                      {"GridSetSelectMode", {2}, "-1"},
                      {"GridGetSelectMode", {}, "2"},
                  });
    EXPECT_TRUE(grid->GetListMode());
    RunSteps(ctl, {
                      {"GridSetSelectMode", {4}, "0"},
                      {"GridSetSelectMode", {-1}, "0"},
                      {"GridGetSelectMode", {}, "2"},
                      {"GridSetSelectMode", {0}, "-1"},
                      {"GridGetSelectMode", {}, "0"},
                  });
    EXPECT_FALSE(grid->GetListMode());
    EXPECT_EQ("0", Call(ctl, "GridSetSelectMode", {7}));
    EXPECT_FALSE(grid->GetListMode());   // an unknown mode leaves whole-row marking off
}

TEST_F(GridMembers, FreezeCountsAreRefusedWhenTheyReachTheLineCount)
{
    RunSteps(ctl, {
                      {"GridSetFreezeTopRows", {8}, "0"},
                      {"GridSetFreezeTopRows", {-1}, "0"},   // compared unsigned
                      {"GridSetFreezeTopRows", {2}, "1"},
                      {"GridSetFreezeBottomRows", {6}, "0"},   // 6 + 2 = 8 rows
                      {"GridSetFreezeBottomRows", {5}, "1"},
                      {"GridSetFreezeTopRows", {3}, "0"},
                      {"GridGetFreezeTopRows", {}, "2"},
                      {"GridGetFreezeBottomRows", {}, "5"},
                      {"GridSetFreezeRightCols", {6}, "0"},
                      {"GridSetFreezeRightCols", {2}, "1"},
                      {"GridSetFreezeLeftCols", {4}, "0"},
                      {"GridSetFreezeLeftCols", {3}, "1"},
                      {"GridSetFreezeRightCols", {3}, "0"},
                      {"GridSetFreezeRightCols", {1}, "1"},   // right columns already exist
                      {"GridGetFreezeLeftCols", {}, "3"},
                      {"GridGetFreezeRightCols", {}, "1"},
                  });
}

TEST_F(GridMembers, StoredSettingsReadBack)
{
    struct RoundTrip {
        const char* setter;
        const char* getter;
        long value;
        std::string setAnswer;
        std::string readBack;
    };
    const std::vector<RoundTrip> cases = {
        {"GridSetBackColor", "GridGetBackColor", 0x112233, "-1", N(0x112233)},
        {"GridSetFixedBkColor", "GridGetFixedBkColor", 0x010203, "-1", N(0x010203)},
        {"GridSetFixedTextColor", "GridGetFixedTextColor", 0x0A0B0C, "-1", N(0x0A0B0C)},
        {"GridSetTextColor", "GridGetTextColor", 0x202122, "-1", N(0x202122)},
        {"GridSetTextBkColor", "GridGetTextBkColor", 0x303132, "-1", N(0x303132)},
        {"GridSetSelBkColor", "GridGetSelBkColor", 0x404142, "void", N(0x404142)},
        {"GridSetVirtualLineColor", "GridGetVirtualLineColor", 0x505152, "-1", N(0x505152)},
        {"GridSetVirtualLineShowStyle", "GridGetVirtualLineShowStyle", 2, "-1", "2"},
        {"GridSetFixedLineColor", "GridGetFixedLineColor", 0x606162, "void", N(0x606162)},
        {"GridSetFixedSelLineColor", "GridGetFixedSelLineColor", 0x707172, "void", N(0x707172)},
        {"GridSetFixedColBgColor", "GridGetFixedColBgColor", 0x808182, "void", N(0x808182)},
        {"GridSetFixedColSelColor", "GridGetFixedColSelColor", 0x909192, "void", N(0x909192)},
        {"GridSetClickHeaderSort", "GridGetClickHeaderSort", 1, "1", "1"},
        {"GridSetRowResize", "GridGetRowResize", 0, "1", "0"},
        {"GridSetColumnResize", "GridGetColumnResize", 0, "1", "0"},
        {"GridSetAllowDraw", "GridGetAllowDraw", 0, "void", "0"},
        {"GridSetAllowDraw", "GridGetAllowDraw", 1, "void", "1"},
        {"GridSetDrawTopLeftMost", "GridGetDrawTopLeftMost", 1, "void", "1"},
        {"GridSetAllowAutoSizeRow", "GridGetAllowAutoSizeRow", 0, "void", "0"},
        {"GridSetDrawFreezeLine", "GridGetDrawFreezeLine", 0, "void", "0"},
        {"GridSetDrawFreezeBlankLine", "GridGetDrawFreezeBlankLine", 0, "void", "0"},
        {"GridSetEnterDirection", "GridGetEnterDirection", 1, "void", "1"},
        {"GridSetEnterDirection", "GridGetEnterDirection", 0x101, "void", "1"},   // 8-bit
        {"GridSetSaveExcelFlags", "GridGetSaveExcelFlags", 0x1234, "void", N(0x1234)},
        {"GridSetAllowDragCol", "GridGetAllowDragCol", 1, "void", "1"},
        {"GridSetAllowDragRow", "GridGetAllowDragRow", 1, "void", "1"},
        // The draw-zero switch answers that it was stored.
        {"GridSetDrawNumZero", "GridGetDrawNumZero", 1, "1", "1"},
        // The selection frame: above 3 is 3, 1 is 2, a negative width 0.
        {"GridSetSelBoxLineWidth", "GridGetSelBoxLineWidth", 9, "void", "3"},
        {"GridSetSelBoxLineWidth", "GridGetSelBoxLineWidth", 1, "void", "2"},
        {"GridSetSelBoxLineWidth", "GridGetSelBoxLineWidth", 2, "void", "2"},
        {"GridSetSelBoxLineWidth", "GridGetSelBoxLineWidth", 0, "void", "0"},
        {"GridSetSelBoxLineWidth", "GridGetSelBoxLineWidth", -5, "void", "0"},
    };
    for (const RoundTrip& c : cases) {
        EXPECT_EQ(c.setAnswer, Call(ctl, c.setter, {c.value})) << c.setter << " " << c.value;
        EXPECT_EQ(c.readBack, Call(ctl, c.getter)) << c.getter << " " << c.value;
    }
    // The fixed colours reach all three fixed default cells; the record
    // holds the selection colour and the resize switches the mouse obeys.
    for (BOOL fixedRow : {FALSE, TRUE})
        EXPECT_EQ(grid->GetDefaultCell(fixedRow, !fixedRow)->GetBackColor(), 0x010203u);
    EXPECT_EQ(grid->GetDefaultCell(TRUE, TRUE)->GetTextColor(), 0x0A0B0Cu);
    EXPECT_EQ(grid->GetDefaultSettingRecord().m_crSelColor, 0x404142);
    EXPECT_EQ(grid->GetDefaultSettingRecord().m_bAllowResizeRow, 0);
    EXPECT_EQ(Call(ctl, "GridRGB", {300, 2, 3}), N(0x03022C));
}

TEST_F(GridMembers, MergingSortingAndClearing)
{
    RunSteps(ctl, {
                      {"GridMergeCells", {-1, 1, 2, 2}, "0"},
                      {"GridMergeCells", {2, 2, 1, 3}, "0"},
                      {"GridMergeCells", {1, 1, 2, 6}, "0"},
                      {"GridMergeCells", {1, 1, 8, 2}, "0"},
                      {"GridMergeCells", {1, 1, 2, 2}, "-1"},
                  });
    EXPECT_TRUE(grid->IsCellMerged(2, 2));
    RunSteps(ctl, {
                      {"GridUnMergeCellsEx", {2, 2}, "-1"},
                      {"GridUnMergeCellsEx", {2, 2}, "0"},
                      {"GridMergeCells", {3, 3, 4, 4}, "-1"},
                      {"GridUnMergeCells", {0, 0, 7, 5}, "-1"},
                  });
    EXPECT_FALSE(grid->IsCellMerged(4, 4));

    const char* texts[] = {"pear", "apple", "fig"};
    for (int i = 0; i < 3; ++i)
        grid->SetCellText(5 + i, 2, texts[i]);
    for (int r = 1; r < 5; ++r)
        grid->SetCellText(r, 2, "zz");
    EXPECT_EQ("-1", Call(ctl, "GridSortColumn", {2, 1}));
    EXPECT_STREQ(grid->GetCellText(1, 2).GetString(), "apple");
    EXPECT_STREQ(grid->GetCellText(3, 2).GetString(), "pear");
    EXPECT_EQ("0", Call(ctl, "GridSortColumn", {9, 1}));
    RunSteps(ctl, {
                      {"GridSetColumnSortType", {2, 1}, "-1"},
                      {"GridSetColumnSortType", {6, 1}, "0"},
                      {"GridClearRangeDatas", {3, 3, 2, 2}, "0"},   // the range check
                      {"GridClearRangeDatas", {1, 2, 2, 2}, "2"},
                  });
    EXPECT_STREQ(grid->GetCellText(1, 2).GetString(), "");
    EXPECT_STREQ(grid->GetCellText(3, 2).GetString(), "pear");
}

TEST_F(GridMembers, RangeSizeAndPicturesAnswerTheirFailureValues)
{
    grid->SetColumnWidth(2, 41);
    grid->SetRowHeight(3, 21);
    const Answer size = CallFull(ctl, "GridGetRangeSize", {3, 2, 3, 2});
    EXPECT_EQ("1", size.text);
    EXPECT_EQ((std::vector<LONG>{40, 20}), size.refs);
    const Answer bad = CallFull(ctl, "GridGetRangeSize", {3, 2, 2, 2});
    EXPECT_EQ("0", bad.text);
    EXPECT_EQ((std::vector<LONG>{0, 0}), bad.refs);

    RunSteps(ctl, {
                      {"GridGetImageCount", {}, "0"},
                      {"GridGetImageIndex", {0}, "-1"},
                      {"GridDeleteImage", {5}, "-1"},
                      {"GridAddImageEx", {0}, "-1"},
                      {"GridAddImageEx", {-4}, "-1"},
                      {"GridAddImageEx", {10}, "-1"},   // the array holds no bytes
                      {"GridGetImageCount", {}, "0"},
                      // Drawing needs a device context and a valid range.
                      {"GridDrawToBmp", {0, 0, 0, 100, 100, 1, 1, 2, 2, 0}, "0"},
                      {"GridDrawToBmp", {1, 0, 0, 100, 100, 2, 2, 1, 1, 0}, "0"},
                  });
}

// A 2 x 2 24-bit bottom-up BMP file.
std::vector<BYTE> SmallBmp()
{
    std::vector<BYTE> b;
    auto u16 = [&b](int v) { b.push_back(BYTE(v & 0xFF)); b.push_back(BYTE((v >> 8) & 0xFF)); };
    auto u32 = [&u16](int v) { u16(v & 0xFFFF); u16((v >> 16) & 0xFFFF); };
    b.push_back('B');
    b.push_back('M');
    for (int v : {14 + 40 + 16, 0, 14 + 40, 40, 2, 2})
        u32(v);
    u16(1);
    u16(24);
    for (int v : {0, 16, 2835, 2835, 0, 0})
        u32(v);
    for (int row = 0; row < 2; ++row) {
        for (BYTE v : {0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00})
            b.push_back(v);
        b.push_back(0);
        b.push_back(0);
    }
    return b;
}

std::string WritePictureFile(const char* name, const std::vector<BYTE>& bytes)
{
    const std::string path = std::string("kivo_grid_members_") + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(nullptr, f);
    if (f != nullptr) {
        EXPECT_EQ(bytes.size(), std::fwrite(bytes.data(), 1, bytes.size(), f));
        EXPECT_EQ(0, std::fclose(f));
    }
    return path;
}

// A file that looks like a picture but does not decode is refused and the
// list stays as it was: no entry and no id spent.
TEST_F(GridMembers, GridAddImageTakesOnlyPicturesThatDecode)
{
    const std::vector<BYTE> bmp = SmallBmp();
    const std::vector<BYTE> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    const std::string good = WritePictureFile("good.bmp", bmp);
    const std::string cut = WritePictureFile("cut.bmp", std::vector<BYTE>(bmp.begin(), bmp.begin() + 30));
    const std::string cutPng = WritePictureFile("cut.png", png);
    EXPECT_EQ(0, ctl.GridAddImage(good.c_str()));
    for (const std::string& path : {cut, cutPng}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(-1, ctl.GridAddImage(path.c_str()));
        EXPECT_EQ(1, ctl.GridGetImageCount());
        EXPECT_EQ(0, ctl.GridGetImageIndex(0));
    }
    EXPECT_EQ(1, ctl.GridAddImage(good.c_str()));
    EXPECT_EQ(2, ctl.GridGetImageCount());
    EXPECT_NE(nullptr, grid->GetPictureList().GetBitmap(1));
    for (const std::string& path : {good, cut, cutPng})
        std::remove(path.c_str());
}

TEST_F(GridMembers, WithoutAWindowNothingIsVisibleAndNoStyleIsSet)
{
    RunSteps(ctl, {
                      {"GridGetVisibleRangeJ", {0}, "-1"},
                      {"GridGetVisibleRangeJ", {3}, "-1"},
                      {"GridGetTopLeftJ", {0}, "-1"},
                      {"GridGetDisplayStyle", {}, "0"},
                      {"GridSetDisplayStyle", {1}, "0"},
                  });
    EXPECT_EQ("0", CallFull(ctl, "GridGetVisibleRange", {}).text);
    EXPECT_EQ("0", CallFull(ctl, "GridGetTopLeft", {}).text);
}

// ---- the default-setting record ---------------------------------------------------------

TEST_F(GridMembers, DefaultSettingGoesInAndOutAsCopies)
{
    Answer out = CallFull(ctl, "GridGetDefaultSetting", {});
    ASSERT_EQ("object", out.text);
    CGridDefaultSetting record;
    ASSERT_TRUE(GetKivoDefaultSetting(out.obj.get(), record));
    EXPECT_EQ(record.m_crSelColor, grid->GetDefaultSettingRecord().m_crSelColor);

    // A changed copy changes nothing until it is handed back.
    record.m_bEditable = 0;
    record.m_bIMResetInitRowHeight = 1;
    record.m_nRowHeight = 33;
    record.m_bIMResetInitColWidth = 1;
    record.m_nColWidth = 71;
    record.m_strFontXml = "<font fontname = \"Arial\" fontsize = \"11\" ></font>";
    record.m_strSecondText = "second";
    EXPECT_EQ(grid->GetDefaultSettingRecord().m_bEditable, 1);
    CKivoObjectPtr in = CreateKivoDefaultSettingObject(record);
    EXPECT_EQ("void", CallFull(ctl, "GridSetDefautSetting", {}, in.get()).text);
    EXPECT_EQ(grid->GetDefaultSettingRecord().m_bEditable, 0);
    EXPECT_STREQ(grid->GetDefaultSettingRecord().m_strSecondText.GetString(), "second");
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(grid->GetRowHeight(r), 33) << r;
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(grid->GetColumnWidth(c), 71) << c;
    EXPECT_STREQ(grid->GetGridLogFont()->lfFaceName, "Arial");

    // The object handed out before keeps its own copy.
    CGridDefaultSetting first;
    ASSERT_TRUE(GetKivoDefaultSetting(out.obj.get(), first));
    EXPECT_EQ(first.m_bEditable, 1);

    // No object, or an object of another kind, changes nothing.
    CKivoObjectPtr font = CreateKivoFontObject("");
    CallFull(ctl, "GridSetDefautSetting", {}, nullptr);
    CallFull(ctl, "GridSetDefautSetting", {}, font.get());
    EXPECT_EQ(grid->GetDefaultSettingRecord().m_bEditable, 0);
    EXPECT_EQ(grid->GetRowHeight(2), 33);
}

TEST_F(GridMembers, DefaultBorderSidesAreAddedToThoseAlreadySet)
{
    struct Case {
        long pos, style, width, colour;
        unsigned flags;   // the record's border flags afterwards
    };
    const Case cases[] = {
        {2, 1, 3, 0xFF00, 2},
        {1, 0, 2, 0xFF, 3},         // the left side keeps the top side
        {12, 2, 1, 0xAB, 15},
        {1, 3, 4, 0xCD, 15},
        {16, 0, 9, 1, 15},          // not a side mask: nothing
        {-1, 0, 9, 1, 15},
    };
    for (const Case& c : cases) {
        Call(ctl, "GridSetDefCellBorder", {c.pos, c.style, c.width, c.colour});
        EXPECT_EQ(grid->GetDefaultSettingRecord().m_wBorderFlags, c.flags) << c.pos;
    }
    const CGridDefaultSetting& record = grid->GetDefaultSettingRecord();
    EXPECT_EQ(record.m_borders[BorderEdgeLeft].colour, 0xCD);
    EXPECT_EQ(record.m_borders[BorderEdgeLeft].lineWidth, 4);
    EXPECT_EQ(record.m_borders[BorderEdgeTop].colour, 0xFF00);
    EXPECT_EQ(record.m_borders[BorderEdgeTop].lineStyle, 1);
    EXPECT_EQ(record.m_borders[BorderEdgeRight].colour, 0xAB);
    EXPECT_EQ(record.m_borders[BorderEdgeBottom].lineStyle, 2);
}

// ---- with windows ---------------------------------------------------------------------------

class GridMembersInWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_TRUE(parent.CreateEx(0, kParentClass, "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                    CRect(0, 0, 640, 480), nullptr, 0));
        ASSERT_EQ("-1", Call(ctl, "RowSetCount", {100}));
        ASSERT_EQ("-1", Call(ctl, "ColumnSetCount", {30}));
        ASSERT_EQ("-1", Call(ctl, "RowSetFixedCount", {1}));
        ASSERT_EQ("-1", Call(ctl, "ColumnSetFixedCount", {1}));
        ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 400, 300)));
        PlatformPumpMessages();
        grid = ctl.GetGrid()->GetGridCtrl();
        gridWindow = ctl.GetGrid()->GetGridWindow()->GetSafeHwnd();
    }
    void TearDown() override
    {
        ctl.DestroyWindow();
        parent.DestroyWindow();
    }
    static bool Erased(HWND window)
    {
        for (const Headless::InvalidateRecord& r : Headless::Invalidations(window))
            if (r.erase)
                return true;
        return false;
    }

    CWnd parent;
    CKivoSheetCtrl ctl;
    CGridCtrl* grid = nullptr;
    HWND gridWindow = nullptr;
};

TEST_F(GridMembersInWindow, VisibleRangeAndTopLeft)
{
    RunSteps(ctl, {
                      {"GridGetTopLeftJ", {0}, "1"},
                      {"GridGetTopLeftJ", {1}, "1"},
                      {"GridGetTopLeftJ", {2}, "-1"},
                      {"GridGetVisibleRangeJ", {0}, "1"},
                      {"GridGetVisibleRangeJ", {1}, "1"},
                      {"GridGetVisibleRangeJ", {4}, "-1"},
                      {"GridSetTopLeft", {0, 3}, "0"},    // the scroll checks
                      {"GridSetTopLeft", {5, 30}, "0"},
                      {"GridSetCellEdit", {2, 2}, "-1"},
                      {"GridEndCellEdit", {}, "-1"},
                  });
    grid->SetFocusCell(2, 2);
    EXPECT_EQ("-1", Call(ctl, "GridSetTopLeft", {20, 4}));
    EXPECT_EQ("20", Call(ctl, "GridGetTopLeftJ", {0}));
    EXPECT_EQ("4", Call(ctl, "GridGetTopLeftJ", {1}));
    EXPECT_EQ("20", Call(ctl, "GridGetVisibleRangeJ", {0}));
    // The focus cell stays, selected alone.
    EXPECT_EQ(grid->GetFocusCell(), CGridCellPos(2, 2));
    EXPECT_EQ("1", Call(ctl, "GridGetSelectedCount"));
    // The same top-left cell again only reselects the focus cell.
    EXPECT_EQ("-1", Call(ctl, "GridSetTopLeft", {20, 4}));
    EXPECT_EQ("20", Call(ctl, "GridGetTopLeftJ", {0}));
}

TEST_F(GridMembersInWindow, DisplayStyleIsReadFromTheWindowItChanges)
{
    RunSteps(ctl, {
                      {"GridGetDisplayStyle", {}, "1"},   // the grid window starts with the edge
                      {"GridSetDisplayStyle", {0}, "1"},
                      {"GridGetDisplayStyle", {}, "0"},
                      {"GridSetDisplayStyle", {1}, "1"},
                      {"GridGetDisplayStyle", {}, "1"},
                      {"GridSetDisplayStyle", {1}, "0"},   // no change
                      {"GridSetDisplayStyle", {2}, "1"},   // any other value removes the edge
                      {"GridGetDisplayStyle", {}, "0"},
                  });
}

TEST_F(GridMembersInWindow, DisplayModesSetTheirLineColours)
{
    grid->GetDefaultSettingRecord().m_crSelColor = 0x123;
    EXPECT_EQ("void", Call(ctl, "GridSetDisplayMode", {0}));
    EXPECT_EQ("0", Call(ctl, "GridGetDisplayMode"));
    EXPECT_EQ(N(0x808080), Call(ctl, "GridGetFixedLineColor"));
    EXPECT_EQ(N(0x6B2708), Call(ctl, "GridGetFixedSelLineColor"));
    EXPECT_EQ(grid->GetDefaultSettingRecord().m_crSelColor, 0xF5ECEA);
    // The grid fills the control's client area.
    CRect client;
    ctl.GetClientRect(&client);
    CRect gridRect;
    CWnd::FromHandle(gridWindow)->GetWindowRect(&gridRect);
    EXPECT_EQ(gridRect.Width(), client.Width());
    EXPECT_EQ("void", Call(ctl, "GridSetDisplayMode", {1}));
    EXPECT_EQ("1", Call(ctl, "GridGetDisplayMode"));
    EXPECT_EQ(N(0xCEB69E), Call(ctl, "GridGetFixedLineColor"));
    EXPECT_EQ(N(0x3196F7), Call(ctl, "GridGetFixedSelLineColor"));
}

TEST_F(GridMembersInWindow, RedrawMarks)
{
    struct Case {
        const char* name;
        std::vector<long> args;
        bool gridErased;
        bool ctlErased;
    };
    const std::vector<Case> cases = {
        {"GridAutoSizeAll", {}, true, true},
        {"GridAutoSizeCol", {2}, true, true},
        {"GridAutoSizeRow", {2}, true, true},
        {"GridAutoSizeRows", {}, true, true},
        {"GridAutoSizeCols", {}, true, true},
        {"GridSetFixedTextColor", {5}, true, true},
        {"GridSetTextBkColor", {5}, true, true},
        {"GridSetRowEvenBkColor", {5}, true, false},
        {"GridCancelRowOddBkColor", {}, true, false},
        {"GridSetTopLeft", {3, 3}, true, false},
        {"GridSetFixedBkColor", {5}, true, true},
        {"GridSetTextColor", {5}, true, true},
        {"GridSortColumn", {2, 1}, true, true},
        {"GridRefresh", {}, true, true},
        {"GridSetRowOddBkColor", {5}, true, false},
        {"GridCancelRowEvenBkColor", {}, true, false},
        {"GridSetAllowDraw", {1}, true, false},
        {"GridSetDisplayMode", {1}, true, false},
        {"GridSetBackColor", {5}, false, false},
        {"GridSetFreezeTopRows", {1}, false, false},
        {"GridGetSelectMode", {}, false, false},
        {"GridSetSelBoxLineWidth", {2}, false, false},
    };
    for (const Case& c : cases) {
        PlatformPumpMessages();
        Headless::ClearInvalidations(ctl.GetSafeHwnd());
        Headless::ClearInvalidations(gridWindow);
        Call(ctl, c.name, c.args);
        EXPECT_EQ(Erased(gridWindow), c.gridErased) << c.name;
        EXPECT_EQ(Erased(ctl.GetSafeHwnd()), c.ctlErased) << c.name;
    }
}

TEST_F(GridMembersInWindow, RangeObjectCoversItsRange)
{
    EXPECT_EQ("null", Call(ctl, "GridGetRangeObject", {3, 3, 2, 2}));
    EXPECT_EQ("null", Call(ctl, "GridGetRangeObject", {1, 1, 100, 2}));
    Answer range = CallFull(ctl, "GridGetRangeObject", {1, 1, 2, 3});
    ASSERT_EQ("object", range.text);
}

}  // namespace
