// Workbooks exported from the grid, read back by independent readers
// (tests/document/xls_reader_check.py: xlrd with formatting info, olefile).
#include "grid/GridCellBase.h"
#include "grid/GridCtrl.h"

#include "base/WinConstants.h"
#include "document/CompoundFile.h"
#include "document/GridXlsExport.h"
#include "document/XlsWorkbook.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

std::string ScriptPath()
{
    std::string here = __FILE__;
    return here.substr(0, here.rfind('/')) + "/../xls_reader_check.py";
}

class XlsReadBack : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/kivo_xls_XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(tmpl));
        m_dir = tmpl;
        if (std::system("/usr/bin/python3 -c 'import xlrd, olefile' >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "python3-xlrd and python3-olefile are not installed (scripts/setup)";
    }
    void TearDown() override
    {
        if (!m_dir.empty())
            std::system(("rm -rf '" + m_dir + "'").c_str());
    }
    std::string Path(const char* name) const { return m_dir + "/" + name; }
    // Runs the reader script; its output goes to the test log.
    int Check(const char* mode, const std::string& path)
    {
        std::string cmd = "/usr/bin/python3 '" + ScriptPath() + "' " + mode + " '" + path + "'";
        int rc = std::system(cmd.c_str());
        return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    }

    std::string m_dir;
};

std::unique_ptr<CGridCtrl> MakeSheet(int rows, int cols, int fixedRows, int fixedCols)
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(fixedRows);
    grid->SetFixedColumnCount(fixedCols);
    grid->SetRowCount(rows);
    grid->SetColumnCount(cols);
    return grid;
}

LOGFONT Font(int pixels, const char* face, bool bold = false)
{
    LOGFONT lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = -pixels;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

// One fixed row and column; the data area holds each formatting case.
std::unique_ptr<CGridCtrl> MakeFormattedGrid()
{
    auto grid = MakeSheet(6, 5, 1, 1);
    grid->GetCell(1, 1)->SetText("\xD6\xD0\xCE\xC4");   // Chinese, code page 936
    grid->GetCell(1, 2)->SetText("a&b");
    grid->GetCell(1, 2)->SetAlign(DT_CENTER | DT_VCENTER);
    grid->GetCell(1, 3)->SetText("=SUM(A1)");
    grid->GetCell(1, 4)->SetValue(42.5);

    LOGFONT bold = Font(16, "Arial", true);
    grid->GetCell(2, 1)->SetFont(&bold);
    LOGFONT f13 = Font(13, "Tahoma");
    f13.lfItalic = 1;
    f13.lfUnderline = 1;
    grid->GetCell(2, 2)->SetFont(&f13);
    grid->GetCell(2, 2)->SetTextColor(RGB(255, 0, 0));
    LOGFONT f14 = Font(14, "Tahoma");
    grid->GetCell(2, 3)->SetFont(&f14);
    for (int c = 1; c <= 3; ++c)
        grid->GetCell(2, c)->SetText("font");

    grid->GetCell(3, 1)->SetBackColor(0xFFFFFF);
    grid->GetCell(3, 2)->SetBackColor(0xFFFFFE);
    grid->SetCellBorder(3, 3, 8, PS_SOLID, RGB(0, 0, 0), 3);
    grid->SetCellBorder(3, 3, 1, PS_DASH, RGB(0, 0, 255), 1);
    grid->GetCell(3, 4)->SetAlign(DT_RIGHT | DT_BOTTOM);
    grid->GetCell(3, 4)->SetWrapText(TRUE);
    for (int c = 1; c <= 4; ++c)
        grid->GetCell(3, c)->SetText("cell");

    grid->GetCell(4, 1)->SetText("merged");
    grid->MergeCells(4, 1, 5, 2);
    grid->SetColumnWidth(2, 64);
    grid->SetRowHeight(2, 20);
    return grid;
}

TEST_F(XlsReadBack, FormattedSheetReadsBackWithValuesFontsFillsBordersMergesAndSizes)
{
    auto grid = MakeFormattedGrid();
    const std::string path = Path("sheet.xls");
    ASSERT_EQ(1, SaveExcelFile(*grid, path.c_str(), ""));
    EXPECT_EQ(0, Check("grid", path));
}

TEST_F(XlsReadBack, SeventyThousandDistinctTextsReadBackWhole)
{
    auto grid = MakeSheet(70000 / 4, 4, 0, 0);
    for (int r = 0; r < 70000 / 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            int n = r * 4 + c;
            std::string text = "text " + std::to_string(n);
            if (n % 7 == 0)
                text += " \xCE\xC4";   // some in UTF-16
            grid->GetCell(r, c)->SetText(text.c_str());
        }
    }
    const std::string path = Path("large.xls");
    ASSERT_EQ(1, SaveExcelFile(*grid, path.c_str(), ""));
    EXPECT_EQ(0, Check("large", path));
}

TEST_F(XlsReadBack, ManyCellsInFewFormatsHoldOneXfPerFormat)
{
    auto grid = MakeSheet(300, 20, 0, 0);
    for (int r = 0; r < 300; ++r) {
        for (int c = 0; c < 20; ++c) {
            CGridCellBase* cell = grid->GetCell(r, c);
            cell->SetValue(r * 20 + c);
            if (c % 3 == 1)
                cell->SetBackColor(RGB(255, 0, 0));
            else if (c % 3 == 2)
                cell->SetAlign(DT_RIGHT);
        }
    }
    const std::string path = Path("formats.xls");
    ASSERT_EQ(1, SaveExcelFile(*grid, path.c_str(), ""));
    EXPECT_EQ(0, Check("formats", path));
}

TEST_F(XlsReadBack, SmallAndLargeContainersReadBack)
{
    for (size_t size : {size_t(0), size_t(3), size_t(4095), size_t(4096), size_t(70000), size_t(8 * 1024 * 1024)}) {
        SCOPED_TRACE(size);
        std::vector<uint8_t> data(size);
        for (size_t i = 0; i < size; ++i)
            data[i] = static_cast<uint8_t>(i * 7 + 1);
        if (size >= 4) {
            const uint8_t bof[4] = {0x09, 0x08, 0x10, 0x00};
            std::memcpy(data.data(), bof, 4);
        }
        const std::string path = Path("c.bin");
        ASSERT_TRUE(WriteFileReplacing(path.c_str(), BuildCompoundFile("Workbook", data)));
        std::string cmd = "/usr/bin/python3 -c \"import olefile,sys; o=olefile.OleFileIO(sys.argv[1], "
                          "raise_defects=olefile.DEFECT_INCORRECT); d=o.openstream('Workbook').read(); "
                          "sys.exit(0 if d==open(sys.argv[2],'rb').read() else 1)\" '" +
                          path + "' '" + Path("raw.bin") + "'";
        std::ofstream(Path("raw.bin"), std::ios::binary).write(reinterpret_cast<const char*>(data.data()),
                                                               static_cast<std::streamsize>(data.size()));
        EXPECT_EQ(0, std::system(cmd.c_str()));
    }
}

TEST_F(XlsReadBack, FailedSaveAnswersZeroAndKeepsTheOldWorkbook)
{
    auto grid = MakeFormattedGrid();
    EXPECT_EQ(0, SaveExcelFile(*grid, Path("missing/sheet.xls").c_str(), ""));
    EXPECT_NE(0, access(Path("missing").c_str(), F_OK)) << "nothing created";

    const std::string path = Path("keep.xls");
    { std::ofstream(path) << "old"; }
    // A read-only folder (not read-only for root, who skips this case).
    const std::string ro = Path("ro");
    ASSERT_EQ(0, std::system(("mkdir '" + ro + "' && cp '" + path + "' '" + ro + "/keep.xls' && chmod 555 '" + ro + "'").c_str()));
    if (access(ro.c_str(), W_OK) != 0) {
        EXPECT_EQ(0, SaveExcelFile(*grid, (ro + "/keep.xls").c_str(), ""));
        std::ifstream in(ro + "/keep.xls");
        std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ("old", content);
    }
    std::system(("chmod 755 '" + ro + "'").c_str());

    // A successful save replaces the old file whole.
    ASSERT_EQ(1, SaveExcelFile(*grid, path.c_str(), ""));
    EXPECT_EQ(0, Check("grid", path));
    EXPECT_NE(0, access((path + ".kivo-tmp").c_str(), F_OK)) << "no temporary file left";
}

}  // namespace
