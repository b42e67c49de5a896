#include "control/ControlPersist.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A decimal integer with optional blanks around it and an optional sign;
// FALSE for anything else, or for a value outside 32 bits.
bool ParseDecimal(const CString& text, long long& value)
{
    const char* p = text.GetString();
    const char* end = p + text.GetLength();
    while (p < end && IsBlank(*p))
        ++p;
    while (end > p && IsBlank(end[-1]))
        --end;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    if (p == end)
        return false;
    long long v = 0;
    for (; p < end; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        v = v * 10 + (*p - '0');
        if (v > 0xFFFFFFFFLL)
            return false;
    }
    value = negative ? -v : v;
    return value >= -0x80000000LL && value <= 0xFFFFFFFFLL;
}

}  // namespace

PersistStatus CControlPersist::Take(DWORD version)
{
    if (version != kVersion)
        return PersistStatus::WrongVersion;
    m_loadedVersion = version;
    return PersistStatus::Loaded;
}

PersistStatus CControlPersist::TakeNothing()
{
    m_loadedVersion = 0;
    return PersistStatus::Nothing;
}

PersistStatus CControlPersist::LoadStream(const BYTE* data, size_t size)
{
    if (data == nullptr || size == 0)
        return TakeNothing();
    if (size < kStreamSize)
        return PersistStatus::Truncated;
    const DWORD version = static_cast<DWORD>(data[0]) | (static_cast<DWORD>(data[1]) << 8) |
                          (static_cast<DWORD>(data[2]) << 16) | (static_cast<DWORD>(data[3]) << 24);
    return Take(version);
}

void CControlPersist::SaveStream(BYTE out[kStreamSize])
{
    out[0] = static_cast<BYTE>(kVersion & 0xFF);
    out[1] = static_cast<BYTE>((kVersion >> 8) & 0xFF);
    out[2] = static_cast<BYTE>((kVersion >> 16) & 0xFF);
    out[3] = static_cast<BYTE>((kVersion >> 24) & 0xFF);
}

PersistStatus CControlPersist::LoadBag(const CPersistBagValue& value)
{
    switch (value.kind) {
    case CPersistBagValue::Missing:
        return TakeNothing();
    case CPersistBagValue::Number:
        return Take(static_cast<DWORD>(value.number));
    case CPersistBagValue::Text: {
        long long number = 0;
        if (!ParseDecimal(value.text, number))
            return PersistStatus::NotANumber;
        return Take(static_cast<DWORD>(number));
    }
    default:
        return PersistStatus::NotANumber;
    }
}
