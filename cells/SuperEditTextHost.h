// CSuperEditTextHost: the windowless host a rich-text cell opens while its
// content is locked outside editing.
//
// It wraps a host from the installed factory (grid/RichTextHostBase.h) and
// adds the text commands the cell's SE operations use. The cell owns it for
// the time of the lock.
#pragma once

#include "grid/RichTextHostBase.h"

#include <memory>

class CSuperEditTextHost {
public:
    // A host whose text services started; NULL without a factory or when
    // they cannot start.
    static std::unique_ptr<CSuperEditTextHost> Create();

    explicit CSuperEditTextHost(std::unique_ptr<CRichTextHostBase> pHost);

    CRichTextHostBase* Host() { return m_pHost.get(); }
    BOOL IsInUse() const { return m_bInUse; }
    void SetInUse(BOOL bInUse) { m_bInUse = bInUse; }

    // Replaces the selection by the ANSI text (with undo). 1.
    int InsertText(LPCTSTR szText);
    // Caret to nPos, then as InsertText. 1.
    int InsertTextAt(LONG nPos, LPCTSTR szText);
    // WM_CLEAR on the selection. 1.
    int ClearSelection();
    // Selects start..end, then WM_CLEAR. 1.
    int DeleteRange(LONG nStart, LONG nEnd);

private:
    std::unique_ptr<CRichTextHostBase> m_pHost;
    BOOL m_bInUse = FALSE;
};
