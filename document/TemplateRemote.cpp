#include "document/TemplateRemote.h"

#include "base/CFile.h"
#include "base/FileReplace.h"
#include "document/TemplateArchive.h"
#include "document/TemplateFile.h"
#include "grid/GridCtrl.h"
#include "platform/Http.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

#ifdef _WIN32
const char kSeparator[] = "\\";
#else
const char kSeparator[] = "/";
#endif

bool ReadLocalFile(LPCTSTR szPath, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (szPath == nullptr || *szPath == '\0')
        return false;
    CFile file;
    if (!file.Open(szPath, CFile::modeRead | CFile::typeBinary))
        return false;
    const ULONGLONG length = file.GetLength();
    if (length == 0 || length > 0x7FFFFFFF)
        return false;
    bytes.resize(static_cast<size_t>(length));
    return file.Read(bytes.data(), static_cast<UINT>(length)) == length;
}

// The last part of a path (after "\" or "/").
CString LastPart(const CString& path)
{
    int cut = -1;
    for (int i = 0; i < path.GetLength(); ++i) {
        if (path[i] == '\\' || path[i] == '/')
            cut = i;
    }
    return path.Mid(cut + 1);
}

// Server and port of an http URL; FALSE when it has none.
bool SplitServer(const CString& url, CString& server, int& port)
{
    std::string u(static_cast<LPCTSTR>(url));
    size_t at = u.find("://");
    if (at == std::string::npos)
        return false;
    const std::string scheme = u.substr(0, at);
    port = (scheme == "https" || scheme == "HTTPS") ? 443 : 80;
    at += 3;
    size_t end = u.find_first_of("/?#", at);
    std::string hostPort = u.substr(at, end == std::string::npos ? std::string::npos : end - at);
    const size_t colon = hostPort.rfind(':');
    if (colon != std::string::npos) {
        const std::string digits = hostPort.substr(colon + 1);
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 5)
            return false;
        port = std::atoi(digits.c_str());
        hostPort = hostPort.substr(0, colon);
    }
    if (hostPort.empty())
        return false;
    server = hostPort.c_str();
    return true;
}

// A name the system keeps for a device ("CON", "nul.kvx", "COM1 .txt"),
// whatever follows its first dot and however it is written.
bool IsReservedDeviceName(const CString& name)
{
    std::string stem(static_cast<LPCTSTR>(name));
    stem = stem.substr(0, stem.find('.'));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.'))
        stem.pop_back();
    for (char& c : stem)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || stem == "CONIN$" || stem == "CONOUT$")
        return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) && stem[3] >= '0' &&
           stem[3] <= '9';
}

}  // namespace

CString PercentEncode(LPCTSTR szText)
{
    CString out;
    if (szText == nullptr)
        return out;
    static const char kHex[] = "0123456789ABCDEF";
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(szText); *p != 0; ++p) {
        const unsigned char c = *p;
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

short DownloadToFile(LPCTSTR szUrl, LPCTSTR szLocalPath)
{
    if (szUrl == nullptr || *szUrl == '\0' || szLocalPath == nullptr || *szLocalPath == '\0')
        return -1;
    PlatformHttpRequest request;
    request.strVerb = "GET";
    request.strUrl = szUrl;
    request.strHeaders = "Accept: */*\r\n\r\n";
    request.nMaxBodyBytes = kMaxTemplateDownloadBytes;
    PlatformHttpResponse response;
    try {
        if (!PlatformHttpSend(request, response))
            return -1;
    } catch (const std::bad_alloc&) {
        return -1;
    }
    if (static_cast<long long>(response.body.size()) > kMaxTemplateDownloadBytes)
        return -1;
    // A reply without a status line reads as 200 and a cut body as a whole
    // one: only a declared length read in full counts.
    if (response.nStatus != 200)
        return -1;
    if (response.nContentLength >= 0 && static_cast<long long>(response.body.size()) != response.nContentLength)
        return -1;
    const FileWriteResult result = WriteFileReplacing(szLocalPath, [&](CFile& file) {
        return response.body.empty() ||
               file.Write(response.body.data(), static_cast<UINT>(response.body.size())) != FALSE;
    });
    if (result != FileWriteResult::ok)
        return -1;
    return 0;
}

CString RemoteTemplateFileName(LPCTSTR szUrl)
{
    if (szUrl == nullptr)
        return CString();
    const CString url(szUrl);
    const int query = url.Find('?');
    const CString head = query >= 0 ? url.Left(query) : url;
    int slash = -1;
    for (int i = 0; i < head.GetLength(); ++i) {
        if (head[i] == '/')
            slash = i;
    }
    if (slash < 1)
        return CString();
    CString name = head.Mid(slash + 1);
    if (query >= 0)
        name += ".kvx";
    // Nothing that names another folder, a drive or a device part survives:
    // a lead byte passes only with a trail byte that completes a character.
    CString safe;
    for (int i = 0; i < name.GetLength(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        const unsigned char next = i + 1 < name.GetLength() ? static_cast<unsigned char>(name[i + 1]) : 0;
        if (c >= 0x81 && c <= 0xFE && next >= 0x40 && next <= 0xFE && next != 0x7F) {
            safe += name[i];
            safe += name[i + 1];
            ++i;
            continue;
        }
        if (c < 0x20 || c == 0x7F || c >= 0x80 || std::strchr("\\/:*?\"<>|", c) != nullptr)
            safe += '_';
        else
            safe += static_cast<char>(c);
    }
    while (safe.Find("..") >= 0)
        safe.Replace("..", "_");
    if (safe.IsEmpty() || safe == "." || IsReservedDeviceName(safe))
        return CString();
    return safe;
}

int OpenRemoteFile(CGridCtrl& grid, LPCTSTR szUrl, LPCTSTR szPassword)
{
    if (szUrl == nullptr || *szUrl == '\0')
        return 0;
    const CString name = RemoteTemplateFileName(szUrl);
    if (name.IsEmpty())
        return 0;
    const CString path = PlatformInternetCacheFolder() + kSeparator + name;
    // A cache folder that is not there yet is made; the download says whether
    // the file could be written.
    grid.EnsureFolder(path);
    if (DownloadToFile(szUrl, path) != 0)
        return 0;
    int result = TRR_FORMAT_ERROR;
    try {
        result = OpenTemplateFile(grid, path, szPassword);
    } catch (const std::bad_alloc&) {
        result = TRR_FORMAT_ERROR;
    }
    // A download that does not open as a template is not kept in the cache.
    if (result != TRR_OK)
        CFile::Remove(path);
    return result;
}

short UploadFile(CGridCtrl& grid, LPCTSTR szUrl, LPCTSTR szLocalPath, LPCTSTR szUploadName)
{
    CString server;
    int port = 0;
    const CString url(szUrl != nullptr ? szUrl : "");
    if (!SplitServer(url, server, port))
        return 0;
    CString name;
    TemplateGridState& state = grid.GetTemplateState();
    if (szUploadName != nullptr && *szUploadName != '\0') {
        name = szUploadName;
        state.strFileName = szUploadName;
    } else if (!state.strFileName.IsEmpty()) {
        name = LastPart(state.strFileName);
    }
    CString target = url;
    if (!name.IsEmpty()) {
        target += url.Find('?') >= 0 ? "&" : "?";
        target += "kivouploadfilename=";
        target += PercentEncode(name);
    }
    std::vector<BYTE> bytes;
    if (!ReadLocalFile(szLocalPath, bytes))
        return 0;
    PlatformHttpRequest request;
    request.strVerb = "POST";
    request.strUrl = target;
    CString length;
    length.Format("Content-Length: %d\r\n", static_cast<int>(bytes.size()));
    request.strHeaders = CString("Accept: */*\r\n") + "Referer: " + url + "\r\n" + "Accept-Language: zh-cn\r\n" +
                         "Content-Type: multipart/form-data; boundary=---------------------------7d9242ca09c6\r\n" +
                         "Accept-Encoding: gzip, deflate\r\n" +
                         "User-Agent:Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)\r\n" + "Host: " + server +
                         "\r\n" + length + "Connection: Keep-Alive\r\n" + "Cache-Control: no-cache\r\n";
    request.body = std::move(bytes);
    PlatformHttpResponse response;
    if (!PlatformHttpSend(request, response))
        return 0;
    return response.nStatus == 200 ? 1 : static_cast<short>(response.nStatus);
}

short SaveRemoteFile(CGridCtrl& grid, LPCTSTR szUrl, LPCTSTR szPassword, LPCTSTR szUploadName)
{
    CString temp;
    const CString folder = PlatformTempFolder();
    for (int n = 0; n < 10000 && temp.IsEmpty(); ++n) {
        CString candidate;
        candidate.Format("%s%sKIVOWEB%04X.tmp", static_cast<LPCTSTR>(folder), kSeparator, n);
        CFile probe;
        if (!probe.Open(candidate, CFile::modeRead | CFile::typeBinary))
            temp = candidate;
    }
    if (temp.IsEmpty())
        return -1;
    const CString current = grid.GetTemplateState().strFileName;
    const short saved = SaveTemplateFile(grid, temp, szPassword);
    if (saved != 1)
        return saved;
    // The upload names the sheet's own file, not the temporary one.
    grid.GetTemplateState().strFileName = current;
    const short result = UploadFile(grid, szUrl, temp, szUploadName);
    if (result == 1)
        CFile::Remove(temp);
    return result;
}
