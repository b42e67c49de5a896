// Remote templates under Wine against a hostile server of the host's Python
// on 127.0.0.1 (tests/document/template_hostile_server.py), which this test
// starts and ends (its "/quit" request, which also ends every connection it
// still holds): a server that never answers, one that answers a byte every
// two seconds, one that redirects to itself and one that sends without end.
// Each download fails within its bounds, leaves no file in the cache and
// changes nothing shown.
#include "cells/InPlaceEditHooks.h"
#include "document/TemplateRemote.h"
#include "grid/GridCtrl.h"
#include "platform/Http.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

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

class TemplateHostileHttpWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallInPlaceEditHooks();
        if (!UnixFileExists(kPython))
            GTEST_SKIP() << "no python3 on the host";
        dir = "/tmp/kivo_hostile_wine_" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(("Z:" + dir).c_str(), nullptr);
        const char* source = std::getenv("KIVO_SOURCE_DIR");
        ASSERT_NE(nullptr, source);
        std::string command = std::string(kPython) + " " + source + "/tests/document/template_hostile_server.py " + dir;
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                     nullptr, &si, &pi));
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        for (int i = 0; i < 200 && !UnixFileExists(dir + "/port.txt"); ++i)
            ::Sleep(50);
        const std::string port = ReadAll("Z:" + dir + "/port.txt");
        ASSERT_FALSE(port.empty());
        base = "http://127.0.0.1:" + port;
    }
    void TearDown() override
    {
        if (!base.empty())
            Get("/quit");
        ::DeleteFileA(("Z:" + dir + "/port.txt").c_str());
        ::RemoveDirectoryA(("Z:" + dir).c_str());
    }
    std::string Get(const std::string& path)
    {
        PlatformHttpRequest request;
        request.strVerb = "GET";
        request.strUrl = (base + path).c_str();
        PlatformHttpResponse response;
        if (!PlatformHttpSend(request, response))
            return std::string();
        return std::string(response.body.begin(), response.body.end());
    }
    CString Cached(const char* name) { return PlatformInternetCacheFolder() + "\\" + name; }

    std::string dir;
    std::string base;
};

}  // namespace

TEST_F(TemplateHostileHttpWine, EveryDownloadEndsWithinItsBounds)
{
    CGridCtrl shown(3, 3, 1, 1);
    shown.SetCellText(1, 1, "keep");
    const PlatformHttpRequest bounds;
    struct Case {
        const char* name;
        DWORD limitMs;   // when the download must have failed by
    } cases[] = {
        {"huge.kvx", 30000},   // stopped at the size bound
        {"loop.kvx", 30000},   // stopped at the redirect bound
        // Wine's WinINet does not apply the step time-outs to a GET it opens
        // in one call: the whole request's deadline ends these two (the
        // caller gives up on the request's thread 1 s after it, and waits 5 s
        // more for the thread to notice).
        {"silent.kvx", bounds.dwTotalTimeoutMs + 10000},
        {"drip.kvx", bounds.dwTotalTimeoutMs + 10000},
    };
    for (const Case& c : cases) {
        ::DeleteFileA(Cached(c.name));
        const DWORD start = ::GetTickCount();
        EXPECT_EQ(0, OpenRemoteFile(shown, (base + "/" + c.name).c_str(), "")) << c.name;
        const DWORD took = ::GetTickCount() - start;
        EXPECT_LT(took, c.limitMs) << c.name;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(Cached(c.name))) << c.name;
        EXPECT_STREQ("keep", shown.GetCellText(1, 1)) << c.name;
        std::printf("%s failed after %lu ms\n", c.name, static_cast<unsigned long>(took));
    }
    // The loop was followed at most the redirect bound's number of times.
    const int loops = std::atoi(Get("/count").c_str());
    EXPECT_GE(loops, 1);
    EXPECT_LE(loops, bounds.nMaxRedirects + 1);
}
