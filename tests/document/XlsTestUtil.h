// Helpers of the workbook writer tests: hex texts and a record walker.
#pragma once

#include "document/XlsRecords.h"

#include <cstdint>
#include <string>
#include <vector>

namespace xlstest {

inline XlsBytes Hex(const std::string& spaced)
{
    std::string hex;
    for (char c : spaced)
        if (c != ' ' && c != '\n')
            hex += c;
    XlsBytes b;
    HexToBytes(hex.c_str(), b);
    return b;
}

inline std::string ToHex(const XlsBytes& b)
{
    static const char* digits = "0123456789ABCDEF";
    std::string s;
    for (size_t i = 0; i < b.size(); ++i) {
        if (i)
            s += ' ';
        s += digits[b[i] >> 4];
        s += digits[b[i] & 15];
    }
    return s;
}

inline std::string ToHex(const XlsRecord& r)
{
    XlsBytes b;
    r.Write(b);
    return ToHex(b);
}

struct Rec {
    uint16_t type;
    size_t pos;
    XlsBytes data;
};

// The records of a stream from pos up to and including the next EOF.
inline std::vector<Rec> Walk(const XlsBytes& s, size_t pos = 0)
{
    std::vector<Rec> out;
    while (pos + 4 <= s.size()) {
        uint16_t type = static_cast<uint16_t>(s[pos] | (s[pos + 1] << 8));
        size_t len = static_cast<size_t>(s[pos + 2] | (s[pos + 3] << 8));
        if (pos + 4 + len > s.size())
            break;
        out.push_back(Rec{type, pos, XlsBytes(s.begin() + pos + 4, s.begin() + pos + 4 + len)});
        pos += 4 + len;
        if (type == XLS_EOF)
            break;
    }
    return out;
}

inline uint32_t U32(const XlsBytes& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

inline uint16_t U16(const XlsBytes& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

}  // namespace xlstest
