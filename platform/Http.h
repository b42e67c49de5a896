// HTTP requests: a GET with extra headers and no caching, a POST with added
// headers and a raw body, the status code and the body.
//
// PlatformHttpSend calls the current handler: WinINet on Windows; on the
// headless platform there is no network (every request fails as a refused
// connection, 12029) until a test puts in its own handler, usually a table
// of responses.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <vector>

// Every request is bounded: a server that does not answer, answers slowly or
// without end, or sends the client round in redirects makes the request fail
// (FALSE) instead of holding the caller.
struct PlatformHttpRequest {
    CString strVerb;                 // "GET" or "POST"
    CString strUrl;
    CString strHeaders;              // "Name: value\r\n" lines
    std::vector<BYTE> body;          // POST only
    long long nMaxBodyBytes = -1;    // a longer reply body fails the request (kHttpErrorTooLarge); -1 no limit
    DWORD dwStepTimeoutMs = 20000;   // connecting, sending, and each wait for reply bytes
    DWORD dwTotalTimeoutMs = 60000;  // the whole request, redirects included (kHttpErrorTimeout)
    int nMaxRedirects = 5;           // one more fails the request (kHttpErrorRedirects)
};

struct PlatformHttpResponse {
    int nStatus = 0;                 // 0 until a reply arrived
    long long nContentLength = -1;   // the declared length; -1 when none was declared
    std::vector<BYTE> body;
    DWORD dwError = 0;               // the system's error when the request failed
};

// Error of a connection the server refused.
const DWORD kHttpErrorCannotConnect = 12029;
// A time-out (the system's own value), too many redirects, and a reply body
// longer than the request allows.
const DWORD kHttpErrorTimeout = 12002;
const DWORD kHttpErrorRedirects = 12156;
const DWORD kHttpErrorTooLarge = 223;

// TRUE when a reply arrived (whatever its status); FALSE with dwError set
// when the request could not be made or its reply not read.
typedef BOOL (*PlatformHttpHandler)(const PlatformHttpRequest& request, PlatformHttpResponse& response);

BOOL PlatformHttpSend(const PlatformHttpRequest& request, PlatformHttpResponse& response);
PlatformHttpHandler SetPlatformHttpHandler(PlatformHttpHandler pfnHandler);
BOOL PlatformSystemHttpSend(const PlatformHttpRequest& request, PlatformHttpResponse& response);

// The folder of downloaded internet files (not created when missing) and
// the folder for temporary files; each ends without a separator.
CString PlatformInternetCacheFolder();
CString PlatformTempFolder();
