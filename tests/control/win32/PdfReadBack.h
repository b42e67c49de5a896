// Reading back what the CUPS PDF printer made (print_cups.sh starts it and
// sets KIVO_CUPS_PDF and KIVO_PDF_DIR): the new PDF of a print run, and the
// output of poppler's readers run through the shell.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace pdfreadback {

inline bool CupsRun()
{
    const char* flag = std::getenv("KIVO_CUPS_PDF");
    return flag != nullptr && *flag == '1';
}

inline std::string PdfDir()
{
    const char* dir = std::getenv("KIVO_PDF_DIR");
    return dir != nullptr ? dir : "";
}

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs a host program through the shell, its output into a file of dir, and
// answers that output.
inline std::string RunHost(const std::string& dir, const std::string& command)
{
    const std::string out = dir + "/host_out.txt";
    ::DeleteFileA(("Z:" + out).c_str());
    std::string line = "/bin/sh -c \"" + command + " > " + out + " 2>&1\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return "<not started>";
    ::WaitForSingleObject(pi.hProcess, 60000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    for (int i = 0; i < 50 && ::GetFileAttributesA(("Z:" + out).c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        ::Sleep(100);
    ::Sleep(200);
    return ReadAll("Z:" + out);
}

// The PDF files of the printer's output folder, each as its name and its
// last write time ("name|time"): the printer names a file after the document
// and the job number, which starts again with each scheduler, so a later run
// can write over an earlier run's file of the same name. A file written over
// is new by its time.
inline std::vector<std::string> PdfFiles()
{
    std::vector<std::string> keys;
    WIN32_FIND_DATAA data;
    HANDLE h = ::FindFirstFileA(("Z:" + PdfDir() + "/*.pdf").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE)
        return keys;
    do {
        keys.push_back(std::string(data.cFileName) + "|" + std::to_string(data.ftLastWriteTime.dwHighDateTime) + ":" +
                       std::to_string(data.ftLastWriteTime.dwLowDateTime));
    } while (::FindNextFileA(h, &data));
    ::FindClose(h);
    return keys;
}

// The PDF the printer made after `before` was taken: its Unix path once its
// size stopped growing; "" after the time.
inline std::string WaitForPdf(const std::vector<std::string>& before)
{
    std::string found;
    DWORD lastSize = 0;
    for (int i = 0; i < 600; ++i) {
        for (const std::string& key : PdfFiles()) {
            if (std::find(before.begin(), before.end(), key) != before.end())
                continue;
            WIN32_FILE_ATTRIBUTE_DATA attrs;
            const std::string path = PdfDir() + "/" + key.substr(0, key.rfind('|'));
            if (!::GetFileAttributesExA(("Z:" + path).c_str(), GetFileExInfoStandard, &attrs))
                continue;
            if (path == found && attrs.nFileSizeLow > 0 && attrs.nFileSizeLow == lastSize)
                return found;
            found = path;
            lastSize = attrs.nFileSizeLow;
        }
        ::Sleep(200);
    }
    return "";
}

}  // namespace pdfreadback
