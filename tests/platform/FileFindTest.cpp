// File search by path and wildcard pattern, on the real file system of each
// build (POSIX on the host, the Windows search under Wine).
#include "platform/FileFind.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class FileFindTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("kivo_filefind_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        fs::remove_all(root);
        fs::create_directories(root / "sub");
        fs::create_directories(root / "Sub2");
        std::ofstream(root / "Report.kvx") << "x";
        std::ofstream(root / "notes.txt") << "x";
        std::ofstream(root / "Sub2" / "inner.dat") << "x";
        std::ofstream(root / "locked.txt") << "x";
        fs::permissions(root / "locked.txt",
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        base = root.string();
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(root / "locked.txt", fs::perms::owner_write, fs::perm_options::add, ignored);
        fs::remove_all(root, ignored);
    }
    // The path of a name below the test folder, written with backslashes.
    std::string Path(const std::string& relative) const { return base + "\\" + relative; }

    fs::path root;
    std::string base;
};

TEST_F(FileFindTest, PatternsFindFilesAndFoldersWithTheirAttributes)
{
    const DWORD none = 0xDEADBEEF;
    struct Case {
        const char* relative;
        bool found;
        DWORD mustHave;
        DWORD mustLack;
    };
    const Case cases[] = {
        {"Report.kvx", true, FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_DIRECTORY},
        {"report.KVX", true, FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_DIRECTORY},   // case does not matter
        {"*.kvx", true, FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_DIRECTORY},
        {"Rep?rt.kvx", true, FILE_ATTRIBUTE_ARCHIVE, 0},
        {"R*t.k?x", true, FILE_ATTRIBUTE_ARCHIVE, 0},
        {"Report.kvx?", false, 0, 0},                                             // '?' needs a character here
        {"*.doc", false, 0, 0},
        {"sub", true, FILE_ATTRIBUTE_DIRECTORY, 0},
        {"SUB2", true, FILE_ATTRIBUTE_DIRECTORY, 0},
        {"sub\\*", true, FILE_ATTRIBUTE_DIRECTORY, 0},                             // "." of an empty folder
        {"sub\\", false, 0, 0},
        {"Sub2\\inner.dat", true, FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_DIRECTORY},
        {"sub2\\INNER.DAT", true, FILE_ATTRIBUTE_ARCHIVE, 0},
        {"Sub2/inner.dat", true, FILE_ATTRIBUTE_ARCHIVE, 0},                       // either separator
        {"Sub2\\*.dat", true, FILE_ATTRIBUTE_ARCHIVE, 0},
        {"missing\\inner.dat", false, 0, 0},
        {"S*2\\inner.dat", false, 0, 0},                                           // wildcards only at the end
        {"locked.txt", true, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, 0},
        {"notes.txt", true, FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_READONLY},
    };
    for (const Case& c : cases) {
        DWORD attributes = none;
        std::string path = Path(c.relative);
        BOOL found = PlatformFindFile(path.c_str(), &attributes);
        EXPECT_EQ(found != FALSE, c.found) << c.relative;
        if (!c.found) {
            EXPECT_EQ(attributes, none) << c.relative;  // untouched when nothing is found
            continue;
        }
        EXPECT_EQ(attributes & c.mustHave, c.mustHave) << c.relative << " attributes " << attributes;
        EXPECT_EQ(attributes & c.mustLack, 0u) << c.relative << " attributes " << attributes;
        EXPECT_TRUE(PlatformFindFile(path.c_str(), nullptr)) << c.relative;
    }
}

TEST_F(FileFindTest, EmptyAndMissingPathsFindNothing)
{
    DWORD attributes = 7;
    EXPECT_FALSE(PlatformFindFile(nullptr, &attributes));
    EXPECT_FALSE(PlatformFindFile("", &attributes));
    EXPECT_EQ(attributes, 7u);
    std::string longName = Path(std::string(300, 'a'));
    EXPECT_FALSE(PlatformFindFile(longName.c_str(), &attributes));
    EXPECT_TRUE(PlatformFindFile(base.c_str(), &attributes));
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
