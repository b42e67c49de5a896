// File search rules of the host build beyond the shared ones: a drive prefix,
// dot files, and links that lead nowhere.
#include "platform/FileFind.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(HostFileFindTest, DrivesDotFilesAndDanglingLinks)
{
    fs::path root = fs::temp_directory_path() / "kivo_hostfind";
    fs::remove_all(root);
    fs::create_directories(root);
    std::ofstream(root / ".hidden") << "x";
    std::ofstream(root / "plain") << "x";
    fs::create_symlink(root / "gone", root / "dangling");
    const std::string base = root.string();
    struct Case {
        std::string path;
        bool found;
        DWORD attributes;
    };
    const Case cases[] = {
        {"C:" + base + "\\plain", true, FILE_ATTRIBUTE_ARCHIVE},  // the one root, whatever the drive
        {"z:" + base + "/plain", true, FILE_ATTRIBUTE_ARCHIVE},
        {base + "/.hidden", true, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN},
        {base + "/dangling", false, 0},
        {base + "/./plain", true, FILE_ATTRIBUTE_ARCHIVE},
        {base + "/../" + root.filename().string() + "/plain", true, FILE_ATTRIBUTE_ARCHIVE},
        {base + "/.", true, FILE_ATTRIBUTE_DIRECTORY},
        {"C:", false, 0},
        {"C:\\", false, 0},
    };
    for (const Case& c : cases) {
        DWORD attributes = 0;
        EXPECT_EQ(PlatformFindFile(c.path.c_str(), &attributes) != FALSE, c.found) << c.path;
        if (c.found) {
            EXPECT_EQ(attributes, c.attributes) << c.path;
        }
    }
    fs::remove_all(root);
}

}  // namespace
