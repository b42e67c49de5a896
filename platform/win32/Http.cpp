// HTTP through WinINet.
#include "platform/Http.h"

#include <windows.h>
#include <shlobj.h>
#include <wininet.h>

#include <cstring>
#include <string>

namespace {

struct InternetHandle {
    HINTERNET h = nullptr;
    explicit InternetHandle(HINTERNET handle) : h(handle) {}
    ~InternetHandle()
    {
        if (h != nullptr)
            InternetCloseHandle(h);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
};

HINTERNET OpenSession()
{
    char agent[32];
    wsprintfA(agent, "Agent%ld", static_cast<long>(GetTickCount()));
    DWORD state = 0;
    InternetGetConnectedState(&state, 0);
    const DWORD access = (state & INTERNET_CONNECTION_PROXY) ? INTERNET_OPEN_TYPE_PRECONFIG
                                                             : INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY;
    return InternetOpenA(agent, access, nullptr, nullptr, 0);
}

BOOL ReadReply(HINTERNET request, PlatformHttpResponse& response)
{
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        response.nStatus = static_cast<int>(status);
    else
        response.nStatus = 200;
    char length[32] = {};
    size = sizeof(length) - 1;
    if (HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, length, &size, nullptr))
        response.nContentLength = _atoi64(length);
    char buffer[20480];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request, buffer, sizeof(buffer), &read)) {
            response.dwError = GetLastError();
            return FALSE;
        }
        if (read == 0)
            break;
        response.body.insert(response.body.end(), buffer, buffer + read);
    }
    return TRUE;
}

}  // namespace

BOOL PlatformSystemHttpSend(const PlatformHttpRequest& request, PlatformHttpResponse& response)
{
    InternetHandle session(OpenSession());
    if (session.h == nullptr) {
        response.dwError = GetLastError();
        return FALSE;
    }
    const std::string headers(static_cast<LPCTSTR>(request.strHeaders));
    if (request.strVerb != "POST") {
        InternetHandle url(InternetOpenUrlA(session.h, request.strUrl, headers.empty() ? nullptr : headers.c_str(),
                                            static_cast<DWORD>(headers.size()),
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                                INTERNET_FLAG_PRAGMA_NOCACHE,
                                            0));
        if (url.h == nullptr) {
            response.dwError = GetLastError();
            return FALSE;
        }
        return ReadReply(url.h, response);
    }
    char host[256] = {};
    char path[2048] = {};
    URL_COMPONENTSA parts;
    std::memset(&parts, 0, sizeof(parts));
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof(host);
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = sizeof(path);
    char extra[2048] = {};
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = sizeof(extra);
    if (!InternetCrackUrlA(request.strUrl, 0, 0, &parts)) {
        response.dwError = GetLastError();
        return FALSE;
    }
    const std::string object = std::string(path) + extra;
    InternetHandle connection(
        InternetConnectA(session.h, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (connection.h == nullptr) {
        response.dwError = GetLastError();
        return FALSE;
    }
    InternetHandle post(HttpOpenRequestA(connection.h, "POST", object.c_str(), nullptr, nullptr, nullptr,
                                         INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_RELOAD |
                                             INTERNET_FLAG_NO_CACHE_WRITE,
                                         0));
    if (post.h == nullptr) {
        response.dwError = GetLastError();
        return FALSE;
    }
    // Added one by one, each replacing what the library would send itself,
    // so the request carries every header once (Host included).
    size_t start = 0;
    while (start < headers.size()) {
        size_t end = headers.find("\r\n", start);
        if (end == std::string::npos)
            end = headers.size();
        if (end > start) {
            const std::string line = headers.substr(start, end - start);
            HttpAddRequestHeadersA(post.h, line.c_str(), static_cast<DWORD>(line.size()),
                                   HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE);
        }
        start = end + 2;
    }
    if (!HttpSendRequestA(post.h, nullptr, 0, request.body.empty() ? nullptr : const_cast<BYTE*>(request.body.data()),
                          static_cast<DWORD>(request.body.size()))) {
        response.dwError = GetLastError();
        return FALSE;
    }
    return ReadReply(post.h, response);
}

CString PlatformInternetCacheFolder()
{
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_INTERNET_CACHE, FALSE))
        return PlatformTempFolder();
    CString folder(path);
    while (folder.GetLength() > 3 && (folder.Right(1) == "\\" || folder.Right(1) == "/"))
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}

CString PlatformTempFolder()
{
    char path[MAX_PATH] = {};
    const DWORD n = GetTempPathA(sizeof(path), path);
    if (n == 0 || n >= sizeof(path))
        return CString(".");
    CString folder(path);
    while (folder.GetLength() > 3 && (folder.Right(1) == "\\" || folder.Right(1) == "/"))
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}
