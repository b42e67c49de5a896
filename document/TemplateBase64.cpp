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
    std::string out(EncodedLength(nLength), '\0');
    if (nLength > 0)
        EncodeTo(pData, nLength, &out[0]);
    return out;
}

void CBase64::EncodeTo(const BYTE* pData, size_t nLength, char* pOut)
{
    size_t i = 0;
    char* o = pOut;
    for (; i + 3 <= nLength; i += 3) {
        const unsigned v = (unsigned(pData[i]) << 16) | (unsigned(pData[i + 1]) << 8) | pData[i + 2];
        o[0] = kAlphabet[(v >> 18) & 63];
        o[1] = kAlphabet[(v >> 12) & 63];
        o[2] = kAlphabet[(v >> 6) & 63];
        o[3] = kAlphabet[v & 63];
        o += 4;
    }
    const size_t rest = nLength - i;
    if (rest > 0) {
        unsigned v = unsigned(pData[i]) << 16;
        if (rest == 2)
            v |= unsigned(pData[i + 1]) << 8;
        o[0] = kAlphabet[(v >> 18) & 63];
        o[1] = kAlphabet[(v >> 12) & 63];
        o[2] = rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        o[3] = '=';
    }
}

BOOL CBase64::Decode(const char* pText, size_t nLength, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (pText == nullptr)
        return FALSE;
    const DecodeTable& table = Table();
    bytes.resize(nLength / 4 * 3 + 3);
    BYTE* out = bytes.data();
    size_t n = 0;
    unsigned buffer = 0;
    int bits = 0;
    const unsigned char* text = reinterpret_cast<const unsigned char*>(pText);
    for (size_t i = 0; i < nLength; ++i) {
        // Whole groups of four alphabet characters while no bits are pending.
        if (bits == 0) {
            while (i + 4 <= nLength) {
                const signed char a = table.value[text[i]];
                const signed char b = table.value[text[i + 1]];
                const signed char c = table.value[text[i + 2]];
                const signed char d = table.value[text[i + 3]];
                if ((a | b | c | d) < 0)
                    break;
                const unsigned v = (unsigned(a) << 18) | (unsigned(b) << 12) | (unsigned(c) << 6) | unsigned(d);
                out[n] = static_cast<BYTE>(v >> 16);
                out[n + 1] = static_cast<BYTE>(v >> 8);
                out[n + 2] = static_cast<BYTE>(v);
                n += 3;
                i += 4;
            }
            if (i >= nLength)
                break;
        }
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
            out[n++] = static_cast<BYTE>((buffer >> bits) & 0xFF);
            // Only the bits still pending stay in the buffer.
            buffer &= (1u << bits) - 1;
        }
    }
    bytes.resize(n);
    return TRUE;
}

BOOL CBase64::Decode(LPCTSTR szText, std::vector<BYTE>& bytes)
{
    return Decode(szText, szText != nullptr ? std::strlen(szText) : 0, bytes);
}
