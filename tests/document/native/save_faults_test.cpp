// Every save on a failing disk: a write the disk no longer takes, a flush or
// close that reports lost bytes, a rename that fails, and a read-only target.
// Each save answers its failure value, leaves the old file byte for byte and
// no temporary file beside it.
#include "document/XlsGridFixture.h"

#include "base/CFile.h"
#include "base/FileReplace.h"
#include "document/GridXlsExport.h"
#include "document/TemplateFile.h"
#include "grid/GridCtrl.h"
#include "grid/GridPictureList.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The files in folder other than the one named.
std::vector<std::string> Others(const fs::path& folder, const std::string& name)
{
    std::vector<std::string> out;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != name)
            out.push_back(entry.path().filename().string());
    }
    return out;
}

struct Saver {
    const char* name;
    int success;
    int failure;
    std::function<int(CGridCtrl&, const std::string&)> save;
};

std::vector<Saver> Savers()
{
    return {
        {"template", 1, -1, [](CGridCtrl& g, const std::string& p) { return SaveTemplateFile(g, p.c_str(), ""); }},
        {"csv", 1, 0, [](CGridCtrl& g, const std::string& p) { return g.SaveCSVFile(p.c_str(), ',') ? 1 : 0; }},
        {"xls", 1, 0, [](CGridCtrl& g, const std::string& p) { return static_cast<int>(SaveExcelFile(g, p.c_str(), "")); }},
        {"picture", 1, 0,
         [](CGridCtrl& g, const std::string& p) {
             CGridPictureList& list = g.GetPictureList();
             return list.GetCount() > 0 && list.SavePictureFile(list.GetPictureId(0), p.c_str()) ? 1 : 0;
         }},
    };
}

class SaveFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("kivo_save_faults_" + std::to_string(::getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        Headless::Reset();
        m_grid = xlsgrid::MakeFormattedGrid();
        // A picture big enough to span several writes of every saver's size.
        std::vector<BYTE> picture(20000);
        for (size_t i = 0; i < picture.size(); ++i)
            picture[i] = static_cast<BYTE>(i * 7);
        m_grid->GetPictureList().AddPictureData(picture.data(), static_cast<int>(picture.size()));
    }
    void TearDown() override
    {
        CFile::SetFaultPlan(nullptr);
        std::error_code ec;
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add, ec);
        for (const auto& entry : fs::directory_iterator(m_folder, ec))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_folder, ec);
    }

    fs::path m_folder;
    std::unique_ptr<CGridCtrl> m_grid;
};

TEST_F(SaveFaults, AFailingDiskKeepsTheOldFileAndAnswersFailure)
{
    const std::string old = std::string("old bytes, kept byte for byte\r\n") + std::string(5000, 'x');
    struct Fault {
        const char* what;
        CFile::FaultPlan plan;
    };
    std::vector<Fault> faults;
    {
        CFile::FaultPlan plan;
        plan.bFailFlush = TRUE;
        faults.push_back({"flush fails", plan});
    }
    {
        CFile::FaultPlan plan;
        plan.bFailClose = TRUE;
        faults.push_back({"close fails", plan});
    }
    {
        CFile::FaultPlan plan;
        plan.bFailRename = TRUE;
        faults.push_back({"rename fails", plan});
    }
    for (const Saver& saver : Savers()) {
        const fs::path target = m_folder / (std::string("t.") + saver.name);
        ASSERT_EQ(saver.success, saver.save(*m_grid, target.string())) << saver.name;
        const LONGLONG size = static_cast<LONGLONG>(ReadAll(target).size());
        // A full disk: the bytes past the budget are lost in the stream's
        // buffer and only its flush or close says so.
        std::vector<Fault> cases = faults;
        for (LONGLONG budget : std::vector<LONGLONG>{0, 1, size / 2, size - 1}) {
            CFile::FaultPlan plan;
            plan.nWriteBudget = budget;
            cases.push_back({"full disk", plan});
        }
        for (const Fault& fault : cases) {
            WriteAll(target, old);
            CFile::FaultPlan plan = fault.plan;
            CFile::SetFaultPlan(&plan);
            const int answer = saver.save(*m_grid, target.string());
            CFile::SetFaultPlan(nullptr);
            EXPECT_EQ(saver.failure, answer) << saver.name << ": " << fault.what;
            EXPECT_EQ(old, ReadAll(target)) << saver.name << ": " << fault.what;
            EXPECT_TRUE(Others(m_folder, target.filename().string()).empty()) << saver.name << ": " << fault.what;
        }
        fs::remove(target);
    }
    // The CSV save says why, in its own words.
    bool told = false;
    for (const auto& box : Headless::MessageBoxes())
        told = told || box.text == "Unable to save grid list";
    EXPECT_TRUE(told);
}

TEST_F(SaveFaults, AReadOnlyTargetIsRefusedNotReplaced)
{
    const std::string old = "read-only bytes";
    for (const Saver& saver : Savers()) {
        const fs::path target = m_folder / (std::string("ro.") + saver.name);
        WriteAll(target, old);
        fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        EXPECT_EQ(saver.failure, saver.save(*m_grid, target.string())) << saver.name;
        EXPECT_EQ(old, ReadAll(target)) << saver.name;
        EXPECT_TRUE(Others(m_folder, target.filename().string()).empty()) << saver.name;
        fs::permissions(target, fs::perms::owner_all);
        fs::remove(target);
    }
}

TEST(FileLayer, FlushAndCloseReportBytesTheDiskLost)
{
    const fs::path path = fs::temp_directory_path() / ("kivo_file_layer_" + std::to_string(::getpid()));
    CFile::FaultPlan plan;
    plan.nWriteBudget = 3;
    CFile::SetFaultPlan(&plan);
    CFile file;
    ASSERT_TRUE(file.Open(path.string().c_str(), CFile::modeCreate | CFile::modeWrite));
    EXPECT_TRUE(file.Write("abcdef", 6));   // taken into the buffer, as a stream does
    EXPECT_FALSE(file.Flush());
    EXPECT_FALSE(file.Close());
    CFile::SetFaultPlan(nullptr);
    EXPECT_EQ("abc", ReadAll(path));
    ASSERT_TRUE(file.Open(path.string().c_str(), CFile::modeCreate | CFile::modeWrite));
    EXPECT_TRUE(file.Write("abcdef", 6));
    EXPECT_TRUE(file.Flush());
    EXPECT_TRUE(file.Close());
    EXPECT_EQ("abcdef", ReadAll(path));
    fs::remove(path);
}

}  // namespace
