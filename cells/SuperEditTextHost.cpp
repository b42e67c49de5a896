#include "cells/SuperEditTextHost.h"

#include "base/Cp936.h"
#include "base/WinConstants.h"

std::unique_ptr<CSuperEditTextHost> CSuperEditTextHost::Create()
{
    std::unique_ptr<CRichTextHostBase> host(CreateRichTextHost());
    if (!host || host->Init() != 0 || !host->HasTextServices())
        return nullptr;
    return std::unique_ptr<CSuperEditTextHost>(new CSuperEditTextHost(std::move(host)));
}

CSuperEditTextHost::CSuperEditTextHost(std::unique_ptr<CRichTextHostBase> pHost) : m_pHost(std::move(pHost)) {}

int CSuperEditTextHost::InsertText(LPCTSTR szText)
{
    m_pHost->ReplaceSel(cp936::ToUtf16(szText != nullptr ? szText : ""), TRUE);
    return 1;
}

int CSuperEditTextHost::InsertTextAt(LONG nPos, LPCTSTR szText)
{
    m_pHost->SetSel(nPos, nPos);
    return InsertText(szText);
}

int CSuperEditTextHost::ClearSelection()
{
    m_pHost->Send(WM_CLEAR, 0, 0);
    return 1;
}

int CSuperEditTextHost::DeleteRange(LONG nStart, LONG nEnd)
{
    m_pHost->SetSel(nStart, nEnd);
    return ClearSelection();
}
