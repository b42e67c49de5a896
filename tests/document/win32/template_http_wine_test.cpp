// Remote templates under Wine through WinINet, against a raw-socket server
// of the host's Python on 127.0.0.1 (tests/document/template_http_server.py),
// which this test starts and ends (its "/quit" request).
#include "base/CFile.h"
#include "cells/InPlaceEditHooks.h"
#include "document/TemplateFile.h"
#include "document/TemplateRemote.h"
#include "grid/GridCtrl.h"
#include "platform/Http.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char kPython[] = "/usr/bin/python3";

bool UnixFileExists(const std::string& unixPath)
{
    return ::GetFileAttributesA(("Z:" + unixPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const CString& path)
{
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

class TemplateHttpWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallInPlaceEditHooks();
        if (!UnixFileExists(kPython))
            GTEST_SKIP() << "no python3 on the host";
        dir = "/tmp/kivo_http_wine_" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(("Z:" + dir).c_str(), nullptr);
        const char* source = std::getenv("KIVO_SOURCE_DIR");
        ASSERT_NE(nullptr, source);
        std::string command = std::string(kPython) + " " + source + "/tests/document/template_http_server.py " + dir;
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                     nullptr, &si, &pi));
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        for (int i = 0; i < 200 && !UnixFileExists(dir + "/port.txt"); ++i)
            ::Sleep(50);
        port = ReadAll("Z:" + dir + "/port.txt");
        ASSERT_FALSE(port.empty());
        base = "http://127.0.0.1:" + port;
    }
    void TearDown() override
    {
        if (!base.empty()) {
            PlatformHttpRequest quit;
            quit.strVerb = "GET";
            quit.strUrl = (base + "/quit").c_str();
            PlatformHttpResponse response;
            PlatformHttpSend(quit, response);
        }
        WIN32_FIND_DATAA found;
        HANDLE h = ::FindFirstFileA(("Z:" + dir + "/*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                ::DeleteFileA(("Z:" + dir + "/" + found.cFileName).c_str());
            } while (::FindNextFileA(h, &found));
            ::FindClose(h);
        }
        ::RemoveDirectoryA(("Z:" + dir).c_str());
    }
    CString Cached(const char* name) { return PlatformInternetCacheFolder() + "\\" + name; }

    std::string dir;
    std::string port;
    std::string base;
};

}  // namespace

TEST_F(TemplateHttpWine, DownloadOpenAndFailures)
{
    CGridCtrl source(5, 5, 1, 1);
    source.SetCellText(2, 3, "served");
    ASSERT_EQ(1, SaveTemplateFile(source, ("Z:" + dir + "/sheet.kvx").c_str(), ""));

    CGridCtrl shown(3, 3, 1, 1);
    shown.SetCellText(1, 1, "keep");
    ::DeleteFileA(Cached("sheet.kvx"));
    EXPECT_EQ(1, OpenRemoteFile(shown, (base + "/t/sheet.kvx").c_str(), ""));
    EXPECT_STREQ("served", shown.GetCellText(2, 3));

    shown.SetCellText(1, 1, "keep");
    for (const char* name : {"404.kvx", "cut.kvx"}) {
        ::DeleteFileA(Cached(name));
        EXPECT_EQ(0, OpenRemoteFile(shown, (base + "/" + name).c_str(), "")) << name;
        EXPECT_FALSE(FileExists(Cached(name))) << name;
        EXPECT_STREQ("keep", shown.GetCellText(1, 1)) << name;
    }
    ::DeleteFileA(Cached("refused.kvx"));
    EXPECT_EQ(0, OpenRemoteFile(shown, "http://127.0.0.1:1/refused.kvx", ""));
    EXPECT_FALSE(FileExists(Cached("refused.kvx")));
    for (const char* name : {"nostatus.kvx", "noise.kvx"}) {
        EXPECT_NE(1, OpenRemoteFile(shown, (base + "/" + name).c_str(), "")) << name;
        EXPECT_STREQ("keep", shown.GetCellText(1, 1)) << name;
        ::DeleteFileA(Cached(name));
    }
    // A name that climbs out of the folder stays in it.
    const CString name = RemoteTemplateFileName((base + "/t/..\\..\\sheet.kvx").c_str());
    EXPECT_LT(name.Find('\\'), 0);
    EXPECT_LT(name.Find(".."), 0);
}

TEST_F(TemplateHttpWine, UploadIsRecordedByTheServer)
{
    CGridCtrl grid(4, 4, 1, 1);
    grid.SetCellText(1, 1, "up");
    const std::string local = "Z:" + dir + "/local.kvx";
    ASSERT_EQ(1, SaveTemplateFile(grid, local.c_str(), ""));
    EXPECT_EQ(1, UploadFile(grid, (base + "/up.asp").c_str(), local.c_str(), "a&b#c.kvx"));
    EXPECT_EQ(500, UploadFile(grid, (base + "/up500?x=1").c_str(), local.c_str(), "n.kvx"));

    const std::string first = ReadAll("Z:" + dir + "/upload1.bin");
    const size_t end = first.find("\r\n\r\n");
    ASSERT_NE(std::string::npos, end);
    const std::string head = first.substr(0, end);
    EXPECT_EQ(0u, head.find("POST /up.asp?kivouploadfilename=a%26b%23c.kvx HTTP/1.1\r\n")) << head;
    size_t hosts = 0;
    for (size_t at = head.find("\r\nHost:"); at != std::string::npos; at = head.find("\r\nHost:", at + 1))
        ++hosts;
    EXPECT_EQ(1u, hosts) << head;
    // Our headers keep their order.
    const size_t accept = head.find("Accept: */*");
    const size_t referer = head.find("Referer: ");
    const size_t type = head.find("Content-Type: multipart/form-data");
    EXPECT_LT(accept, referer) << head;
    EXPECT_LT(referer, type) << head;
    EXPECT_EQ(ReadAll(local), first.substr(end + 4));
    const std::string second = ReadAll("Z:" + dir + "/upload2.bin");
    EXPECT_EQ(0u, second.find("POST /up500?x=1&kivouploadfilename=n.kvx ")) << second.substr(0, 80);
}
