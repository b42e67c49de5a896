// Linked into every Windows test program: a message box that stands on the
// screen of the test program for half a minute has nobody to close it (the
// tests that expect a box close it within a second), so the program would
// wait until ctest's time limit. The watchdog names the box and the test
// that met it and ends the program at once instead.
#include "common/win32/ProcessWindows.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// KIVO_BOX_WATCH_SECONDS shortens the wait for the test of the watchdog itself.
DWORD StandingMs()
{
    char text[16] = {};
    const DWORD got = ::GetEnvironmentVariableA("KIVO_BOX_WATCH_SECONDS", text, sizeof text);
    const long seconds = got > 0 && got < sizeof text ? std::strtol(text, nullptr, 10) : 0;
    return seconds > 0 && seconds <= 3600 ? static_cast<DWORD>(seconds) * 1000 : 30000;
}

std::string CurrentTest()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (info == nullptr)
        return "outside any test";
    return std::string(info->test_suite_name()) + "." + info->name();
}

DWORD WINAPI Watch(void*)
{
    const DWORD standingMs = StandingMs();
    HWND box = nullptr;
    DWORD since = 0;
    for (;;) {
        ::Sleep(500);
        HWND current = nullptr;
        for (HWND window : testproc::VisibleTopWindows(::GetCurrentProcessId()))
            if (testproc::IsMessageBox(window))
                current = window;
        const DWORD now = ::GetTickCount();
        if (current != box) {
            box = current;
            since = now;
            continue;
        }
        if (box != nullptr && now - since >= standingMs) {
            std::fprintf(stderr, "\n[%s] a message box stood %lu s with nobody to close it: %s\n",
                         CurrentTest().c_str(), static_cast<unsigned long>(standingMs / 1000),
                         testproc::Describe(box).c_str());
            std::fflush(stderr);
            std::fflush(stdout);
            ::TerminateProcess(::GetCurrentProcess(), 3);
        }
    }
}

struct StartWatchdog {
    StartWatchdog()
    {
        if (HANDLE thread = ::CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr))
            ::CloseHandle(thread);
    }
} g_startWatchdog;

}  // namespace
