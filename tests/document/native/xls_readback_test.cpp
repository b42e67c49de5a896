// Workbooks exported from the grid, read back by independent readers
// (tests/document/xls_reader_check.py: xlrd with formatting info, olefile).
#include "../XlsGridFixture.h"

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

using xlsgrid::MakeFormattedGrid;
using xlsgrid::MakeSheet;

namespace {

// The checker script beside these tests. The test run names the source tree
// (__FILE__ may be relative to wherever the compiler ran, as with ccache).
std::string ScriptPath()
{
    if (const char* root = std::getenv("KIVO_SOURCE_DIR"))
        return std::string(root) + "/tests/document/xls_reader_check.py";
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
