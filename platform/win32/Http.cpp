// HTTP through WinINet.
#include "platform/Http.h"

#include <windows.h>
#include <shlobj.h>
#include <wininet.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// One request, shared by the caller and the thread that makes it: the caller
// gives up at the request's deadline (closing the session, which ends what
// the thread waits for) and the thread finishes on its own.
struct HttpCall {
    PlatformHttpRequest request;
    PlatformHttpResponse response;
    BOOL ok = FALSE;
    DWORD dwDeadline = 0;              // GetTickCount() value
    CRITICAL_SECTION lock;
    HINTERNET session = nullptr;
    bool abandoned = false;            // the caller gave up and closed the session
    HttpCall() { InitializeCriticalSection(&lock); }
    ~HttpCall() { DeleteCriticalSection(&lock); }
    HttpCall(const HttpCall&) = delete;
    HttpCall& operator=(const HttpCall&) = delete;

    bool Abandoned()
    {
        EnterCriticalSection(&lock);
        const bool gone = abandoned;
        LeaveCriticalSection(&lock);
        return gone;
    }
    bool PastDeadline() const { return static_cast<LONG>(GetTickCount() - dwDeadline) >= 0; }
};

// A handle under the session: closed when done, unless the caller closed the
// session (and with it every handle under it) first.
struct InternetHandle {
    HttpCall& call;
    HINTERNET h = nullptr;
    InternetHandle(HttpCall& c, HINTERNET handle) : call(c), h(handle) {}
    ~InternetHandle()
    {
        if (h != nullptr && !call.Abandoned())
            InternetCloseHandle(h);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
};

HINTERNET OpenSession(DWORD stepMs)
{
    char agent[32];
    wsprintfA(agent, "Agent%ld", static_cast<long>(GetTickCount()));
    DWORD state = 0;
    InternetGetConnectedState(&state, 0);
    const DWORD access = (state & INTERNET_CONNECTION_PROXY) ? INTERNET_OPEN_TYPE_PRECONFIG
                                                             : INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY;
    HINTERNET session = InternetOpenA(agent, access, nullptr, nullptr, 0);
    if (session != nullptr) {
        DWORD retries = 1;
        InternetSetOptionA(session, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries);
        for (DWORD option : {static_cast<DWORD>(INTERNET_OPTION_CONNECT_TIMEOUT),
                             static_cast<DWORD>(INTERNET_OPTION_SEND_TIMEOUT),
                             static_cast<DWORD>(INTERNET_OPTION_RECEIVE_TIMEOUT),
                             static_cast<DWORD>(INTERNET_OPTION_DATA_SEND_TIMEOUT),
                             static_cast<DWORD>(INTERNET_OPTION_DATA_RECEIVE_TIMEOUT)})
            InternetSetOptionA(session, option, &stepMs, sizeof stepMs);
    }
    return session;
}

BOOL Fail(HttpCall& call, DWORD error)
{
    call.response.dwError = error != 0 ? error : kHttpErrorTimeout;
    return FALSE;
}

BOOL ReadReply(HttpCall& call, HINTERNET request)
{
    PlatformHttpResponse& response = call.response;
    const long long limit = call.request.nMaxBodyBytes;
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
    if (limit >= 0 && response.nContentLength > limit)
        return Fail(call, kHttpErrorTooLarge);
    char buffer[20480];
    for (;;) {
        if (call.PastDeadline() || call.Abandoned())
            return Fail(call, kHttpErrorTimeout);
        DWORD read = 0;
        if (!InternetReadFile(request, buffer, sizeof(buffer), &read))
            return Fail(call, GetLastError());
        if (read == 0)
            break;
        if (limit >= 0 && static_cast<long long>(response.body.size()) + read > limit) {
            response.body.clear();
            return Fail(call, kHttpErrorTooLarge);
        }
        response.body.insert(response.body.end(), buffer, buffer + read);
    }
    return TRUE;
}

bool IsRedirect(int status) { return status == 301 || status == 302 || status == 303 || status == 307 || status == 308; }

// A GET, following at most the request's number of redirects itself.
BOOL SendGet(HttpCall& call, HINTERNET session)
{
    const std::string headers(static_cast<LPCTSTR>(call.request.strHeaders));
    std::string url(static_cast<LPCTSTR>(call.request.strUrl));
    for (int redirects = 0;; ++redirects) {
        if (call.PastDeadline() || call.Abandoned())
            return Fail(call, kHttpErrorTimeout);
        InternetHandle reply(call, InternetOpenUrlA(session, url.c_str(), headers.empty() ? nullptr : headers.c_str(),
                                                    static_cast<DWORD>(headers.size()),
                                                    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                                        INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_AUTO_REDIRECT,
                                                    0));
        if (reply.h == nullptr)
            return Fail(call, GetLastError());
        DWORD status = 0;
        DWORD size = sizeof(status);
        if (!HttpQueryInfoA(reply.h, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) ||
            !IsRedirect(static_cast<int>(status)))
            return ReadReply(call, reply.h);
        if (redirects >= call.request.nMaxRedirects)
            return Fail(call, kHttpErrorRedirects);
        char location[2048] = {};
        size = sizeof(location) - 1;
        if (!HttpQueryInfoA(reply.h, HTTP_QUERY_LOCATION, location, &size, nullptr))
            return ReadReply(call, reply.h);   // a redirect with nowhere to go is the reply
        char next[4096] = {};
        DWORD nextSize = sizeof(next);
        if (!InternetCombineUrlA(url.c_str(), location, next, &nextSize, ICU_NO_ENCODE))
            return Fail(call, kHttpErrorRedirects);
        url = next;
    }
}

BOOL SendPost(HttpCall& call, HINTERNET session)
{
    const PlatformHttpRequest& request = call.request;
    const std::string headers(static_cast<LPCTSTR>(request.strHeaders));
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
    if (!InternetCrackUrlA(request.strUrl, 0, 0, &parts))
        return Fail(call, GetLastError());
    const std::string object = std::string(path) + extra;
    InternetHandle connection(
        call, InternetConnectA(session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (connection.h == nullptr)
        return Fail(call, GetLastError());
    // A redirect is the reply: the body is not sent on to another place.
    InternetHandle post(call, HttpOpenRequestA(connection.h, "POST", object.c_str(), nullptr, nullptr, nullptr,
                                               INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_RELOAD |
                                                   INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT,
                                               0));
    if (post.h == nullptr)
        return Fail(call, GetLastError());
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
                          static_cast<DWORD>(request.body.size())))
        return Fail(call, GetLastError());
    return ReadReply(call, post.h);
}

DWORD WINAPI RunCall(LPVOID parameter)
{
    std::unique_ptr<std::shared_ptr<HttpCall>> owner(static_cast<std::shared_ptr<HttpCall>*>(parameter));
    HttpCall& call = **owner;
    try {
        HINTERNET session = OpenSession(call.request.dwStepTimeoutMs);
        if (session == nullptr) {
            Fail(call, GetLastError());
            return 0;
        }
        EnterCriticalSection(&call.lock);
        const bool gone = call.abandoned;
        if (!gone)
            call.session = session;
        LeaveCriticalSection(&call.lock);
        if (gone) {
            InternetCloseHandle(session);
            return 0;
        }
        call.ok = call.request.strVerb != "POST" ? SendGet(call, session) : SendPost(call, session);
        EnterCriticalSection(&call.lock);
        if (call.session != nullptr) {
            InternetCloseHandle(call.session);
            call.session = nullptr;
        }
        LeaveCriticalSection(&call.lock);
    } catch (...) {
        // Out of memory for the reply: a failed request, never an exception
        // leaving the thread.
        call.ok = FALSE;
        call.response.body.clear();
        call.response.dwError = ERROR_NOT_ENOUGH_MEMORY;
    }
    return 0;
}

}  // namespace

BOOL PlatformSystemHttpSend(const PlatformHttpRequest& request, PlatformHttpResponse& response)
{
    std::shared_ptr<HttpCall> call;
    try {
        call = std::make_shared<HttpCall>();
        call->request = request;
    } catch (...) {
        response.dwError = ERROR_NOT_ENOUGH_MEMORY;
        return FALSE;
    }
    call->dwDeadline = GetTickCount() + request.dwTotalTimeoutMs;
    auto* parameter = new std::shared_ptr<HttpCall>(call);
    HANDLE thread = CreateThread(nullptr, 0, RunCall, parameter, 0, nullptr);
    if (thread == nullptr) {
        delete parameter;
        response.dwError = GetLastError();
        return FALSE;
    }
    DWORD waited = WaitForSingleObject(thread, request.dwTotalTimeoutMs + 1000);
    if (waited != WAIT_OBJECT_0) {
        // Past the deadline: closing the session ends every wait under it.
        EnterCriticalSection(&call->lock);
        call->abandoned = true;
        HINTERNET session = call->session;
        call->session = nullptr;
        LeaveCriticalSection(&call->lock);
        if (session != nullptr)
            InternetCloseHandle(session);
        waited = WaitForSingleObject(thread, 5000);
    }
    CloseHandle(thread);
    if (waited != WAIT_OBJECT_0 || call->Abandoned()) {
        // The thread keeps the call alive until it ends on its own.
        response = PlatformHttpResponse();
        response.dwError = kHttpErrorTimeout;
        return FALSE;
    }
    response = std::move(call->response);
    return call->ok;
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
