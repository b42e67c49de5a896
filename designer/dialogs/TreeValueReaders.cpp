#include "designer/dialogs/TreeValueReaders.h"

namespace {

// The leading integer of [p, end) in the manner of atol, clamped instead of
// overflowing.
long long LeadingNumber(const char* p, const char* end)
{
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n'))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    long long value = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        if (value < 10000000000LL)
            value = value * 10 + (*p - '0');
    }
    return negative ? -value : value;
}

// Numbers of the control are 32-bit on every platform.
long ClampLong(long long v)
{
    if (v > 2147483647LL)
        return 2147483647L;
    if (v < -2147483647LL - 1)
        return -2147483647L - 1;
    return static_cast<long>(v);
}

}  // namespace

long ReadTreeNumber(const CString& text)
{
    const char* p = text.GetString();
    return ClampLong(LeadingNumber(p, p + text.GetLength()));
}

COLORREF ReadTreeColour(const CString& text)
{
    const char* p = text.GetString();
    const int n = text.GetLength();
    if (n >= 3 && text.Left(3).CompareNoCase("rgb") == 0) {
        long long part[3] = {0, 0, 0};
        int index = 0;
        const char* end = p + n;
        const char* start = n > 4 ? p + 4 : end;
        while (index < 3 && start <= end) {
            const char* stop = start;
            while (stop < end && *stop != ',')
                ++stop;
            part[index++] = LeadingNumber(start, stop);
            start = stop + 1;
        }
        auto byte = [](long long v) { return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v); };
        return RGB(byte(part[0]), byte(part[1]), byte(part[2]));
    }
    const long long v = LeadingNumber(p, p + n);
    if (v < 0)
        return static_cast<COLORREF>(static_cast<unsigned long>(ClampLong(v)));
    return static_cast<COLORREF>(v > 0xFFFFFFFFLL ? 0xFFFFFFFFLL : v);
}
