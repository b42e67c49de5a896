// Helpers of the Windows tests of the COM server: paths, child processes and
// registry reads.
#pragma once

#include <windows.h>

#include "common/win32/ProcessWindows.h"

#include <functional>
#include <string>
#include <vector>

namespace comtest {

// A Unix path of the build as Wine sees it ("/a/b" -> "Z:\a\b").
inline std::wstring WinePath(const char* unixPath)
{
    std::wstring w = unixPath[0] == '/' ? L"Z:" : L"";
    for (const char* p = unixPath; *p != '\0'; ++p)
        w.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p)));
    return w;
}

inline std::wstring DllPath()
{
    return WinePath(KIVO_CONTROL_DLL);
}

inline std::wstring TestFile(const char* name)
{
    return WinePath((std::string(KIVO_CONTROL_TEST_DIR) + "/win32/" + name).c_str());
}

// A job that ends every process in it when it is closed: a child a test
// starts (and whatever that child starts) does not outlive the test's wait.
class KillOnCloseJob {
public:
    KillOnCloseJob() : m_job(::CreateJobObjectW(nullptr, nullptr))
    {
        if (m_job == nullptr)
            return;
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION info = {};
        info.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        ::SetInformationJobObject(m_job, JobObjectExtendedLimitInformation, &info, sizeof info);
    }
    ~KillOnCloseJob()
    {
        if (m_job != nullptr) {
            ::TerminateJobObject(m_job, 1);
            ::CloseHandle(m_job);
        }
    }
    KillOnCloseJob(const KillOnCloseJob&) = delete;
    KillOnCloseJob& operator=(const KillOnCloseJob&) = delete;
    // Puts a process (started suspended) in the job.
    bool Add(HANDLE process) { return m_job != nullptr && ::AssignProcessToJobObject(m_job, process); }

private:
    HANDLE m_job;
};

// How long a message box of a child may stand before the child is taken as
// stuck on it: tests that expect a box close it within a fraction of this.
const DWORD kStuckBoxMs = 5000;

// Shown every message box of the child as it appears; answers true when it
// took care of the box (read it and closed it, as a user would).
using BoxHandler = std::function<bool(HWND)>;

// Runs a command line, collects what it prints and answers its exit code:
// -1 when it could not start or did not end within the time, -2 when it sat
// on a message box nobody closed. In both cases the child (with everything
// it started) is ended, and *output ends with what was on its screen.
inline int Run(const std::wstring& commandLine, std::string* output = nullptr, DWORD timeoutMs = 120000,
               const BoxHandler& onBox = nullptr)
{
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return -1;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::wstring cmd = commandLine;
    BOOL started = ::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW | CREATE_SUSPENDED,
                                    nullptr, nullptr, &si, &pi);
    ::CloseHandle(writeEnd);
    if (!started) {
        ::CloseHandle(readEnd);
        return -1;
    }
    KillOnCloseJob job;
    job.Add(pi.hProcess);
    ::ResumeThread(pi.hThread);
    // Read while the child runs and drain the pipe once it has ended. The end
    // of the pipe is not waited for: a process the child starts on its behalf
    // (the desktop process, when the child is the first to need a screen)
    // inherits the pipe and keeps it open.
    std::string text;
    auto drain = [&]() {
        char buffer[4096];
        DWORD avail = 0, got = 0;
        while (::PeekNamedPipe(readEnd, nullptr, 0, nullptr, &avail, nullptr) && avail > 0 &&
               ::ReadFile(readEnd, buffer, avail < sizeof(buffer) ? avail : sizeof(buffer), &got, nullptr) &&
               got > 0)
            text.append(buffer, got);
    };
    DWORD code = static_cast<DWORD>(-1);
    const DWORD start = ::GetTickCount();
    DWORD wait = WAIT_TIMEOUT;
    HWND box = nullptr;
    DWORD boxSince = 0;
    DWORD lastLook = start;
    std::string stuck;
    bool satOnBox = false;
    while ((wait = ::WaitForSingleObject(pi.hProcess, 20)) == WAIT_TIMEOUT) {
        drain();
        const DWORD now = ::GetTickCount();
        if (now - start >= timeoutMs) {
            stuck = "timed out after " + std::to_string(timeoutMs) + " ms; its windows: " +
                    testproc::DescribeAll(testproc::VisibleTopWindows(pi.dwProcessId));
            break;
        }
        // The screen is looked at four times a second.
        if (now - lastLook < 250)
            continue;
        lastLook = now;
        HWND current = nullptr;
        for (HWND window : testproc::VisibleTopWindows(pi.dwProcessId))
            if (testproc::IsMessageBox(window) && !(onBox && onBox(window)))
                current = window;
        if (current != box) {
            box = current;
            boxSince = now;
        } else if (box != nullptr && now - boxSince >= kStuckBoxMs) {
            stuck = "sat on a message box nobody closed: " + testproc::Describe(box);
            satOnBox = true;
            break;
        }
    }
    if (wait != WAIT_OBJECT_0) {
        ::TerminateProcess(pi.hProcess, 1);
        ::WaitForSingleObject(pi.hProcess, 5000);
    }
    drain();
    ::CloseHandle(readEnd);
    if (wait == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &code);
    else if (satOnBox)
        code = static_cast<DWORD>(-2);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    if (!stuck.empty())
        text += "\n[" + stuck + "]\n";
    if (output != nullptr)
        *output = text;
    return static_cast<int>(code);
}

// The texts of a box's static children: its message.
inline std::wstring BoxText(HWND box)
{
    std::wstring text;
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        if (testproc::ClassOf(child) == L"Static")
            text += testproc::TextOf(child);
    return text;
}

// Runs a command line as Run does, reading and closing with OK every error
// box ("错误") it shows; the boxes' messages land in *boxes in order.
inline int RunClosingErrorBoxes(const std::wstring& commandLine, std::string* output,
                                std::vector<std::wstring>* boxes, DWORD timeoutMs = 60000)
{
    return Run(commandLine, output, timeoutMs, [boxes](HWND box) {
        if (testproc::TextOf(box) != L"\u9519\u8bef")
            return false;
        boxes->push_back(BoxText(box));
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        // The script goes on only when the box is gone.
        const DWORD closing = ::GetTickCount();
        while (::IsWindow(box) && ::GetTickCount() - closing < 5000)
            ::Sleep(20);
        return true;
    });
}

// Runs one of the test scripts (tests/control/win32/<name>) under Wine's
// script host and answers its exit code; what it prints goes to *output.
inline int RunScript(const char* name, std::string* output)
{
    return Run(L"cscript.exe //nologo \"" + TestFile(name) + L"\"", output);
}

inline int Regsvr32(bool unregister)
{
    std::wstring cmd = L"regsvr32.exe /s ";
    if (unregister)
        cmd += L"/u ";
    return Run(cmd + L"\"" + DllPath() + L"\"");
}

inline bool KeyExists(const std::wstring& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

// A string value of HKCR\path ("" = the default value); "<missing>" when absent.
inline std::wstring ReadValue(const std::wstring& path, const wchar_t* name = L"")
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return L"<missing>";
    wchar_t data[1024] = {};
    DWORD size = sizeof(data) - sizeof(wchar_t);
    DWORD type = 0;
    LONG rc = ::RegQueryValueExW(key, (name && *name) ? name : nullptr, nullptr, &type,
                                 reinterpret_cast<BYTE*>(data), &size);
    ::RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ)
        return L"<missing>";
    return data;
}

inline std::string Narrow(const std::wstring& w)
{
    std::string s;
    for (wchar_t c : w)
        s.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return s;
}

// Registers the server for one test and unregisters it at the end.
class ScopedRegistration {
public:
    ScopedRegistration() : m_ok(Regsvr32(false) == 0) {}
    ~ScopedRegistration() { Regsvr32(true); }
    bool ok() const { return m_ok; }

private:
    bool m_ok;
};

}  // namespace comtest
