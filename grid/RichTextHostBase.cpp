#include "grid/RichTextHostBase.h"

namespace {
RichTextHostFactory g_pfnFactory = nullptr;
}

void SetRichTextHostFactory(RichTextHostFactory pfn)
{
    g_pfnFactory = pfn;
}

RichTextHostFactory GetRichTextHostFactory()
{
    return g_pfnFactory;
}

CRichTextHostBase* CreateRichTextHost()
{
    return g_pfnFactory != nullptr ? g_pfnFactory() : nullptr;
}
