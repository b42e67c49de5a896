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

struct PlatformHttpRequest {
    CString strVerb;                 // "GET" or "POST"
    CString strUrl;
    CString strHeaders;              // "Name: value\r\n" lines
    std::vector<BYTE> body;          // POST only
};

struct PlatformHttpResponse {
    int nStatus = 0;                 // 0 until a reply arrived
    long long nContentLength = -1;   // the declared length; -1 when none was declared
    std::vector<BYTE> body;
    DWORD dwError = 0;               // the system's error when the request failed
};

// Error of a connection the server refused.
const DWORD kHttpErrorCannotConnect = 12029;

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
