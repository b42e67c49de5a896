#include "document/TemplateBase64.h"

#include <cstring>

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const signed char kSkip = -2;
const signed char kInvalid = -1;

struct DecodeTable {
    signed char value[256];
    DecodeTable()
    {
        std::memset(value, kInvalid, sizeof(value));
        for (int i = 0; i < 64; ++i)
            value[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
        value[static_cast<unsigned char>('=')] = kSkip;
    }
};

const DecodeTable& Table()
{
    static const DecodeTable table;
    return table;
}

}  // namespace

std::string CBase64::Encode(const BYTE* pData, size_t nLength)
{
    std::string out;
    out.reserve((nLength + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= nLength; i += 3) {
        const unsigned v = (unsigned(pData[i]) << 16) | (unsigned(pData[i + 1]) << 8) | pData[i + 2];
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    const size_t rest = nLength - i;
    if (rest > 0) {
        unsigned v = unsigned(pData[i]) << 16;
        if (rest == 2)
            v |= unsigned(pData[i + 1]) << 8;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

BOOL CBase64::Decode(const char* pText, size_t nLength, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (pText == nullptr)
        return FALSE;
    const DecodeTable& table = Table();
    bytes.reserve(nLength / 4 * 3 + 3);
    unsigned buffer = 0;
    int bits = 0;
    for (size_t i = 0; i < nLength; ++i) {
        const signed char v = table.value[static_cast<unsigned char>(pText[i])];
        if (v == kSkip)
            continue;
        if (v == kInvalid) {
            bytes.clear();
            return FALSE;
        }
        buffer = (buffer << 6) | static_cast<unsigned>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<BYTE>((buffer >> bits) & 0xFF));
        }
    }
    return TRUE;
}

BOOL CBase64::Decode(LPCTSTR szText, std::vector<BYTE>& bytes)
{
    return Decode(szText, szText != nullptr ? std::strlen(szText) : 0, bytes);
}
