// The host build's clipboard: one in-process clipboard, formats in the order
// they were put.
#include "platform/Clipboard.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessInternal.h"

#include <map>
#include <set>
#include <string>

namespace {

struct ClipState {
    std::vector<Headless::ClipboardEntry> entries;
    std::map<std::string, UINT> names;
    std::set<UINT> failing;
    bool open = false;
    bool busy = false;
    HWND owner = nullptr;
    HWND openFor = nullptr;
};

ClipState& C()
{
    static ClipState state;
    return state;
}

}  // namespace

namespace headless {

void ResetClipboard()
{
    ClipState& c = C();
    c.entries.clear();
    c.failing.clear();
    c.open = false;
    c.busy = false;
    c.owner = nullptr;
    c.openFor = nullptr;
}

}  // namespace headless

UINT PlatformRegisterClipboardFormat(LPCTSTR szName)
{
    if (szName == nullptr || *szName == '\0')
        return 0;
    ClipState& c = C();
    auto found = c.names.find(szName);
    if (found != c.names.end())
        return found->second;
    const UINT number = 0xC000 + static_cast<UINT>(c.names.size());
    c.names[szName] = number;
    return number;
}

CClipboard::CClipboard(HWND hOwner)
{
    ClipState& c = C();
    if (c.open || c.busy)
        return;
    c.open = true;
    c.openFor = hOwner;
    m_bOpen = true;
}

CClipboard::~CClipboard()
{
    Close();
}

BOOL CClipboard::Close()
{
    if (!m_bOpen)
        return FALSE;
    m_bOpen = false;
    C().open = false;
    return TRUE;
}

BOOL CClipboard::Empty()
{
    if (!m_bOpen)
        return FALSE;
    ClipState& c = C();
    c.entries.clear();
    c.owner = c.openFor;
    return TRUE;
}

BOOL CClipboard::SetData(UINT nFormat, const void* pData, size_t nLength)
{
    if (!m_bOpen || nFormat == 0 || (pData == nullptr && nLength != 0))
        return FALSE;
    const BYTE* bytes = static_cast<const BYTE*>(pData);
    ClipState& c = C();
    for (Headless::ClipboardEntry& entry : c.entries) {
        if (entry.format == nFormat) {
            entry.bytes.assign(bytes, bytes + nLength);
            return TRUE;
        }
    }
    c.entries.push_back({nFormat, std::vector<BYTE>(bytes, bytes + nLength)});
    return TRUE;
}

UINT CClipboard::EnumFormats(UINT nAfter) const
{
    if (!m_bOpen)
        return 0;
    const std::vector<Headless::ClipboardEntry>& entries = C().entries;
    if (nAfter == 0)
        return entries.empty() ? 0 : entries.front().format;
    for (size_t i = 0; i + 1 < entries.size(); ++i)
        if (entries[i].format == nAfter)
            return entries[i + 1].format;
    return 0;
}

BOOL CClipboard::IsFormatAvailable(UINT nFormat) const
{
    for (const Headless::ClipboardEntry& entry : C().entries)
        if (entry.format == nFormat)
            return TRUE;
    return FALSE;
}

BOOL CClipboard::GetData(UINT nFormat, std::vector<BYTE>& bytes) const
{
    bytes.clear();
    ClipState& c = C();
    if (!m_bOpen || c.failing.count(nFormat) != 0)
        return FALSE;
    for (const Headless::ClipboardEntry& entry : c.entries) {
        if (entry.format == nFormat) {
            bytes = entry.bytes;
            return TRUE;
        }
    }
    return FALSE;
}

namespace Headless {

std::vector<ClipboardEntry> ClipboardEntries()
{
    return C().entries;
}

void SetClipboardEntries(const std::vector<ClipboardEntry>& entries)
{
    C().entries = entries;
    C().owner = nullptr;
}

std::string ClipboardText()
{
    for (const ClipboardEntry& entry : C().entries) {
        if (entry.format == CF_TEXT) {
            std::string text(entry.bytes.begin(), entry.bytes.end());
            const size_t nul = text.find('\0');
            return nul == std::string::npos ? text : text.substr(0, nul);
        }
    }
    return std::string();
}

HWND ClipboardOwner()
{
    return C().owner;
}

void FailClipboardData(UINT format)
{
    C().failing.insert(format);
}

void SetClipboardBusy(bool busy)
{
    C().busy = busy;
}

bool ClipboardIsOpen()
{
    return C().open;
}

}  // namespace Headless
