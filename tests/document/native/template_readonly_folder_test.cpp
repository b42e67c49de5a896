// A template saved into a folder its user may not write: the save answers -1
// and the file already there stays byte for byte. Root may write anywhere, so
// under root the save runs in a child process that has given up root for an
// unprivileged user first.
#include "cells/InPlaceEditHooks.h"
#include "document/TemplateFile.h"
#include "grid/GridCtrl.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <dirent.h>
#include <grp.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string ReadAll(const std::string& path)
{
    std::string bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return "<missing>";
    int ch;
    while ((ch = std::fgetc(f)) != EOF)
        bytes += static_cast<char>(ch);
    std::fclose(f);
    return bytes;
}

std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(dir);
    }
    return names;
}

// The save's result, run as a user who may not write the folder.
int SaveWithoutWriteAccess(const std::string& target)
{
    auto save = [&]() {
        InstallInPlaceEditHooks();
        CGridCtrl grid(5, 5, 1, 1);
        grid.SetCellText(1, 1, "new content");
        return static_cast<int>(SaveTemplateFile(grid, target.c_str(), ""));
    };
    if (geteuid() != 0)
        return save();
    const pid_t child = fork();
    if (child == 0) {
        // nobody / nogroup, without the supplementary groups of root.
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0 || geteuid() == 0)
            _exit(100);
        const int result = save();
        _exit(result == -1 ? 1 : result == 1 ? 2 : 3);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return 99;
    switch (WEXITSTATUS(status)) {
    case 1:
        return -1;
    case 2:
        return 1;
    case 100:
        return 100;   // could not give up root
    default:
        return 98;
    }
}

}  // namespace

TEST(TemplateReadOnlyFolder, SaveFailsAndTheOldFileStays)
{
    char folderName[] = "/tmp/kivo_readonly_XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(folderName));
    const std::string folder = folderName;
    const std::string target = folder + "/sheet.kvx";
    const std::string old = "old template bytes";
    {
        std::FILE* f = std::fopen(target.c_str(), "wb");
        ASSERT_NE(nullptr, f);
        std::fwrite(old.data(), 1, old.size(), f);
        std::fclose(f);
    }
    // Anyone may look in, only the owner may write.
    ASSERT_EQ(0, chmod(target.c_str(), 0644));
    ASSERT_EQ(0, chmod(folder.c_str(), geteuid() == 0 ? 0755 : 0555));

    EXPECT_EQ(-1, SaveWithoutWriteAccess(target));
    EXPECT_EQ(old, ReadAll(target));
    // No temporary file was left beside it.
    EXPECT_EQ(std::vector<std::string>{"sheet.kvx"}, Entries(folder));

    chmod(folder.c_str(), 0755);
    std::remove(target.c_str());
    rmdir(folder.c_str());
}
