// Shared colour and path routines.
#include "cellcontent/ColourUtil.h"
#include "cellcontent/PathUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

TEST(MixColours, AveragesEachChannel)
{
    EXPECT_EQ(MixColours(RGB(255, 255, 255), RGB(0, 0, 0)), 0x7F7F7Fu);
    EXPECT_EQ(MixColours(RGB(10, 20, 30), RGB(20, 30, 41)), RGB(15, 25, 35));
    EXPECT_EQ(MixColours(0xFF123456, 0xFF123456), 0x123456u);  // the top byte is dropped
    EXPECT_EQ(MixColours(RGB(1, 0, 255), RGB(0, 1, 254)), RGB(0, 0, 254));
}

TEST(PathParts, SplitAtTheLastBackslash)
{
    struct Case {
        const char* path;
        int nameLength;
        const char* name;
        int directoryLength;
        const char* directory;
    };
    const Case cases[] = {
        {"C:\\a\\b.bmp", 5, "b.bmp", 4, "C:\\a"},
        {"b.bmp", -1, "", -1, ""},
        {"C:\\a\\", 0, "", 4, "C:\\a"},
        {"\\b", 1, "b", 0, ""},
        {"C:\\表格\\图.bmp", 6, "图.bmp", 7, "C:\\表格"},
        // The second byte of "\xB6\x5C" is not a separator.
        {"C:\\d\\\xB6\x5C.bmp", 6, "\xB6\x5C.bmp", 4, "C:\\d"},
        {"\xB6\x5C.bmp", -1, "", -1, ""},
        {"", -1, "", -1, ""},
    };
    for (const Case& c : cases) {
        CString name("untouched");
        EXPECT_EQ(GetFileNamePart(c.path, name), c.nameLength) << c.path;
        EXPECT_EQ(name, c.nameLength < 0 ? "untouched" : c.name) << c.path;
        CString directory("untouched");
        EXPECT_EQ(GetDirectoryPart(c.path, directory), c.directoryLength) << c.path;
        EXPECT_EQ(directory, c.directoryLength < 0 ? "untouched" : c.directory) << c.path;

        char buffer[64];
        std::memset(buffer, 'x', sizeof(buffer));
        EXPECT_EQ(GetFileNamePart(c.path, buffer, sizeof(buffer)), c.nameLength) << c.path;
        if (c.nameLength >= 0) {
            EXPECT_STREQ(buffer, c.name) << c.path;
        } else {
            EXPECT_EQ(buffer[0], 'x') << "untouched";
        }
        std::memset(buffer, 'x', sizeof(buffer));
        EXPECT_EQ(GetDirectoryPart(c.path, buffer, sizeof(buffer)), c.directoryLength) << c.path;
        if (c.directoryLength >= 0) {
            EXPECT_STREQ(buffer, c.directory) << c.path;
        }
    }
    CString unused;
    EXPECT_EQ(GetFileNamePart(nullptr, unused), -1);
    EXPECT_EQ(GetDirectoryPart(nullptr, unused), -1);
}

TEST(PathParts, SizedBuffersNeverOverflow)
{
    const std::string longName(1000, 'n');
    const std::string path = "C:\\dir\\" + longName;
    char small[8];
    std::memset(small, 'x', sizeof(small));
    EXPECT_EQ(GetFileNamePart(path.c_str(), small, sizeof(small)), 7);
    EXPECT_STREQ(small, "nnnnnnn");

    // Two-byte characters are never cut in half.
    char four[4];
    EXPECT_EQ(GetFileNamePart("C:\\表格图", four, sizeof(four)), 2);
    EXPECT_STREQ(four, "表");
    EXPECT_EQ(GetDirectoryPart("表格图\\a", four, sizeof(four)), 2);
    EXPECT_STREQ(four, "表");

    char one[1];
    EXPECT_EQ(GetFileNamePart("C:\\a", one, 1), 0);
    EXPECT_EQ(one[0], '\0');
    EXPECT_EQ(GetFileNamePart("C:\\a", nullptr, 10), -1);
    EXPECT_EQ(GetDirectoryPart("C:\\a", one, 0), -1);
}

TEST(ResolveRelativePath, JoinsRelativePathsToTheBase)
{
    const struct {
        const char* base;
        const char* relative;
        const char* expected;
    } cases[] = {
        {"C:\\x\\y", "..\\skin\\a.bmp", "C:\\x\\skin\\a.bmp"},
        {"C:\\x\\y", ".\\a.bmp", "C:\\x\\y\\a.bmp"},
        {"C:\\x\\y", "a.bmp", "a.bmp"},
        {"C:\\x\\y\\", "..\\..\\a.bmp", "C:\\a.bmp"},
        {"C:\\x\\y", "\\a.bmp", "C:\\x\\y\\a.bmp"},
        {"C:\\x\\y", "D:\\a.bmp", "D:\\a.bmp"},
        {"C:\\x\\y", "..\\..\\..\\..\\a.bmp", "a.bmp"},  // the base runs out of components
        {"C:\\x\\y", "..\\", "..\\"},                  // no more than 3 bytes: not a step up
        {"C:\\x\\y", "..\\.\\a", "C:\\x\\a"},
        {"", "..\\a.bmp", ""},
        {"\\\\", "a.bmp", ""},
        {"C:\\表\\格", "..\\图.bmp", "C:\\表\\图.bmp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveRelativePath(c.base, c.relative), c.expected) << c.base << " + " << c.relative;
    EXPECT_EQ(ResolveRelativePath(nullptr, "a"), "");
    EXPECT_EQ(ResolveRelativePath("C:\\x", nullptr), "");
}

class FileSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() / "kivo_cellcontent_paths";
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir / "sub");
        std::ofstream(m_dir / "file.txt") << "x";
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string Path(const char* relative) const { return (m_dir / relative).string(); }
    std::string Dir() const { return m_dir.string(); }

    std::filesystem::path m_dir;
};

TEST_F(FileSearchTest, FindsFilesAndFolders)
{
    const char sep = std::filesystem::path::preferred_separator == '\\' ? '\\' : '/';
    EXPECT_TRUE(FileExists(Path("file.txt").c_str()));
    EXPECT_TRUE(FileExists(Path("sub").c_str()));
    EXPECT_TRUE(FileExists(Path("*.txt").c_str()));
    EXPECT_FALSE(FileExists(Path("missing.txt").c_str()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(nullptr));

    EXPECT_TRUE(PathExists(Dir().c_str()));
    EXPECT_TRUE(PathExists((Dir() + sep).c_str()));
    EXPECT_TRUE(PathExists((Path("sub") + sep).c_str()));
    EXPECT_TRUE(PathExists(Path("file.txt").c_str()));
    EXPECT_FALSE(PathExists(Path("missing").c_str()));
    EXPECT_FALSE(PathExists(""));
    // Any length is accepted.
    EXPECT_FALSE(PathExists((Dir() + sep + std::string(5000, 'a')).c_str()));
}

}  // namespace
