#include "designer/CommandLine.h"

#include "base/Cp936.h"

#include <cstring>

std::vector<CString> SplitCommandLine(const char* text)
{
    std::vector<CString> args;
    if (text == nullptr)
        return args;
    const char* p = text;
    for (;;) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (*p == '\0')
            break;
        std::string arg;
        bool quoted = false;
        while (*p != '\0' && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '\\') {
                size_t n = 0;
                while (*p == '\\') {
                    ++n;
                    ++p;
                }
                if (*p == '"') {
                    arg.append(n / 2, '\\');
                    if (n % 2 == 1) {
                        arg += '"';
                        ++p;
                    }
                } else {
                    arg.append(n, '\\');
                }
                continue;
            }
            if (*p == '"') {
                // Inside quotes, two quotes give one literal quote.
                if (quoted && p[1] == '"') {
                    arg += '"';
                    p += 2;
                    continue;
                }
                quoted = !quoted;
                ++p;
                continue;
            }
            if (cp936::IsLeadByte(*p) && p[1] != '\0') {
                arg += p[0];
                arg += p[1];
                p += 2;
                continue;
            }
            arg += *p++;
        }
        args.push_back(CString(arg));
    }
    return args;
}

CDesignerCommandInfo ParseDesignerCommandLine(const std::vector<CString>& args)
{
    CDesignerCommandInfo info;
    size_t printToLeft = 0;   // arguments of "/pt" still expected
    bool shellOpen = false;
    for (const CString& a : args) {
        const bool flag = a.GetLength() > 1 && (a[0] == '/' || a[0] == '-');
        if (flag && printToLeft == 0) {
            const CString name = a.Mid(1);
            if (name.CompareNoCase("p") == 0) {
                info.kind = CDesignerCommandInfo::FilePrint;
            } else if (name.CompareNoCase("pt") == 0) {
                info.kind = CDesignerCommandInfo::FilePrintTo;
                printToLeft = 3;
            } else if (name.CompareNoCase("dde") == 0) {
                info.kind = CDesignerCommandInfo::FileDDE;
                shellOpen = true;
            } else if (name.CompareNoCase("unregister") == 0 || name.CompareNoCase("unregserver") == 0) {
                info.kind = CDesignerCommandInfo::AppUnregister;
            } else if (name.CompareNoCase("embedding") == 0 || name.CompareNoCase("automation") == 0) {
                info.kind = CDesignerCommandInfo::FileNothing;
            }
            continue;
        }
        if (info.fileName.IsEmpty()) {
            info.fileName = a;
            if (info.kind == CDesignerCommandInfo::FileNew)
                info.kind = CDesignerCommandInfo::FileOpen;
            continue;
        }
        if (printToLeft == 3) {
            info.printerName = a;
            --printToLeft;
        } else if (printToLeft == 2) {
            info.driverName = a;
            --printToLeft;
        } else if (printToLeft == 1) {
            info.portName = a;
            --printToLeft;
        }
    }
    if (shellOpen)
        info.kind = CDesignerCommandInfo::FileDDE;
    else if ((info.kind == CDesignerCommandInfo::FilePrint || info.kind == CDesignerCommandInfo::FilePrintTo) &&
             info.fileName.IsEmpty())
        info.kind = CDesignerCommandInfo::FileNew;
    return info;
}

std::vector<CString> ParseOpenRequest(const char* text, int length)
{
    std::vector<CString> paths;
    if (text == nullptr || length <= 0)
        return paths;
    int i = 0;
    auto blanks = [&] {
        while (i < length && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
            ++i;
    };
    auto take = [&](const char* word) {
        const int n = static_cast<int>(std::strlen(word));
        if (length - i < n)
            return false;
        for (int k = 0; k < n; ++k) {
            char c = text[i + k];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != word[k])
                return false;
        }
        i += n;
        return true;
    };
    for (;;) {
        blanks();
        if (i >= length || !take("["))
            break;
        blanks();
        if (!take("open"))
            break;
        blanks();
        if (!take("("))
            break;
        blanks();
        if (!take("\""))
            break;
        const int start = i;
        bool nul = false;
        while (i < length && text[i] != '"') {
            if (text[i] == '\0')
                nul = true;
            if (cp936::IsLeadByte(text[i]) && i + 1 < length)
                ++i;
            ++i;
        }
        // A path holding a NUL names no file: the request ends there.
        if (i >= length || nul)
            break;
        for (int k = start; k < i; ++k)
            nul = nul || text[k] == '\0';
        if (nul)
            break;
        const CString path(text + start, i - start);
        ++i;
        blanks();
        if (!take(")"))
            break;
        blanks();
        if (!take("]"))
            break;
        if (!path.IsEmpty())
            paths.push_back(path);
    }
    return paths;
}

CString MakeOpenRequest(const CString& path)
{
    return CString("[open(\"") + path + "\")]";
}
