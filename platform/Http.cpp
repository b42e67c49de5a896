#include "platform/Http.h"

namespace {

PlatformHttpHandler g_handler = nullptr;

}  // namespace

BOOL PlatformHttpSend(const PlatformHttpRequest& request, PlatformHttpResponse& response)
{
    response = PlatformHttpResponse();
    return g_handler != nullptr ? g_handler(request, response) : PlatformSystemHttpSend(request, response);
}

PlatformHttpHandler SetPlatformHttpHandler(PlatformHttpHandler pfnHandler)
{
    PlatformHttpHandler old = g_handler;
    g_handler = pfnHandler;
    return old;
}
