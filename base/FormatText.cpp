// The printf-style engine: specifications are parsed by hand, integers and
// strings are written here, doubles go through the number text routines.
#include "base/FormatText.h"

#include "base/Cp936.h"
#include "base/NumberText.h"

#include <cstdint>
#include <cstring>

namespace {

// sizeLong ('l') reads 32 bits like the default; with %c it asks for a UTF-16 character.
enum SizeKind { sizeDefault, sizeChar, sizeShort, sizeLong, size64, sizePtr, sizeLongDouble };

struct Spec {
    unsigned flags = 0;    // NumberTextFlag bits
    int width = 0;
    int precision = -1;
    SizeKind size = sizeDefault;
};

int ClampWidth(long long w) { return w > kNumberTextMaxWidth ? kNumberTextMaxWidth : static_cast<int>(w); }

void Pad(std::string& out, int count, char ch)
{
    if (count > 0)
        out.append(static_cast<size_t>(count), ch);
}

// Writes body (already containing sign/prefix and digits) into its field.
// zeroAt: where zero padding goes (after the sign/prefix), or -1 for none.
void PutField(std::string& out, const std::string& body, const Spec& spec, int zeroAt)
{
    int pad = spec.width - static_cast<int>(body.size());
    if (pad <= 0) {
        out += body;
    } else if (spec.flags & ntLeftAlign) {
        out += body;
        Pad(out, pad, ' ');
    } else if (zeroAt >= 0) {
        out.append(body, 0, static_cast<size_t>(zeroAt));
        Pad(out, pad, '0');
        out.append(body, static_cast<size_t>(zeroAt), std::string::npos);
    } else {
        Pad(out, pad, ' ');
        out += body;
    }
}

void PutInteger(std::string& out, char conv, unsigned long long magnitude, bool negative, const Spec& spec)
{
    int base = 10;
    const char* digitsSet = "0123456789abcdef";
    if (conv == 'x')
        base = 16;
    else if (conv == 'X') {
        base = 16;
        digitsSet = "0123456789ABCDEF";
    } else if (conv == 'o')
        base = 8;

    char buf[72];
    int n = 0;
    for (unsigned long long v = magnitude; v != 0; v /= static_cast<unsigned>(base))
        buf[n++] = digitsSet[v % static_cast<unsigned>(base)];
    std::string digits;
    int precision = spec.precision < 0 ? 1 : (spec.precision > kNumberTextMaxWidth ? kNumberTextMaxWidth : spec.precision);
    if (n < precision)
        digits.append(static_cast<size_t>(precision - n), '0');
    while (n > 0)
        digits.push_back(buf[--n]);
    if (conv == 'o' && (spec.flags & ntAlternate) && (digits.empty() || digits[0] != '0'))
        digits.insert(digits.begin(), '0');

    std::string body;
    if (conv == 'd' || conv == 'i') {
        if (negative)
            body = "-";
        else if (spec.flags & ntPlusSign)
            body = "+";
        else if (spec.flags & ntSpaceSign)
            body = " ";
    } else if ((conv == 'x' || conv == 'X') && (spec.flags & ntAlternate) && magnitude != 0) {
        body = conv == 'x' ? "0x" : "0X";
    }
    int zeroAt = ((spec.flags & ntZeroPad) && !(spec.flags & ntLeftAlign) && spec.precision < 0)
                     ? static_cast<int>(body.size())
                     : -1;
    body += digits;
    PutField(out, body, spec, zeroAt);
}

void PutString(std::string& out, const char* s, size_t len, const Spec& spec)
{
    int pad = spec.width - static_cast<int>(len);
    if (pad > 0 && !(spec.flags & ntLeftAlign))
        Pad(out, pad, (spec.flags & ntZeroPad) ? '0' : ' ');
    out.append(s, len);
    if (pad > 0 && (spec.flags & ntLeftAlign))
        Pad(out, pad, ' ');
}

// Reads a decimal number of the format; saturates instead of overflowing.
long long ReadNumber(const char*& p)
{
    long long v = 0;
    while (*p >= '0' && *p <= '9') {
        if (v < 100000000)
            v = v * 10 + (*p - '0');
        ++p;
    }
    return v;
}

}  // namespace

void AppendFormatTextV(std::string& out, const char* pszFormat, va_list args)
{
    if (!pszFormat)
        return;
    va_list ap;
    va_copy(ap, args);
    const char* p = pszFormat;
    while (*p) {
        if (*p != '%') {
            const char* run = p;
            while (*p && *p != '%')
                ++p;
            out.append(run, static_cast<size_t>(p - run));
            continue;
        }
        const char* start = p++;
        if (*p == '%') {
            out.push_back('%');
            ++p;
            continue;
        }
        Spec spec;
        for (;; ++p) {
            if (*p == '-')
                spec.flags |= ntLeftAlign;
            else if (*p == '+')
                spec.flags |= ntPlusSign;
            else if (*p == ' ')
                spec.flags |= ntSpaceSign;
            else if (*p == '#')
                spec.flags |= ntAlternate;
            else if (*p == '0')
                spec.flags |= ntZeroPad;
            else
                break;
        }
        if (*p == '*') {
            ++p;
            long long w = va_arg(ap, int);
            if (w < 0) {
                spec.flags |= ntLeftAlign;
                w = -w;
            }
            spec.width = ClampWidth(w);
        } else {
            spec.width = ClampWidth(ReadNumber(p));
        }
        if (*p == '.') {
            ++p;
            if (*p == '*') {
                ++p;
                int prec = va_arg(ap, int);
                spec.precision = prec < 0 ? -1 : prec;
            } else {
                long long prec = ReadNumber(p);
                spec.precision = prec > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(prec);
            }
        }
        // Size prefixes; 'l' is 32 bits as on Windows.
        if (*p == 'h') {
            ++p;
            spec.size = sizeShort;
            if (*p == 'h') {
                ++p;
                spec.size = sizeChar;
            }
        } else if (*p == 'l') {
            ++p;
            spec.size = sizeLong;
            if (*p == 'l') {
                ++p;
                spec.size = size64;
            }
        } else if (*p == 'L') {
            ++p;
            spec.size = sizeLongDouble;
        } else if (*p == 'I') {
            if (p[1] == '6' && p[2] == '4') {
                p += 3;
                spec.size = size64;
            } else if (p[1] == '3' && p[2] == '2') {
                p += 3;
            } else {
                ++p;
                spec.size = sizePtr;
            }
        } else if (*p == 'z' || *p == 't') {
            ++p;
            spec.size = sizePtr;
        } else if (*p == 'j') {
            ++p;
            spec.size = size64;
        }

        char conv = *p;
        if (conv == '\0') {
            out.append(start);    // an unfinished conversion is copied
            break;
        }
        ++p;
        switch (conv) {
        case 'd':
        case 'i': {
            long long v;
            if (spec.size == size64)
                v = va_arg(ap, long long);
            else if (spec.size == sizePtr)
                v = static_cast<long long>(va_arg(ap, std::intptr_t));
            else {
                int i = va_arg(ap, int);
                if (spec.size == sizeShort)
                    i = static_cast<short>(i);
                else if (spec.size == sizeChar)
                    i = static_cast<signed char>(i);
                v = i;
            }
            unsigned long long mag = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
            PutInteger(out, conv, mag, v < 0, spec);
            break;
        }
        case 'u':
        case 'x':
        case 'X':
        case 'o': {
            unsigned long long v;
            if (spec.size == size64)
                v = va_arg(ap, unsigned long long);
            else if (spec.size == sizePtr)
                v = static_cast<unsigned long long>(va_arg(ap, std::uintptr_t));
            else {
                unsigned u = va_arg(ap, unsigned);
                if (spec.size == sizeShort)
                    u = static_cast<unsigned short>(u);
                else if (spec.size == sizeChar)
                    u = static_cast<unsigned char>(u);
                v = u;
            }
            PutInteger(out, conv, v, false, spec);
            break;
        }
        case 'p': {
            std::uintptr_t v = reinterpret_cast<std::uintptr_t>(va_arg(ap, void*));
            Spec ps = spec;
            ps.precision = static_cast<int>(sizeof(void*) * 2);
            ps.flags &= ~static_cast<unsigned>(ntAlternate);
            PutInteger(out, 'X', v, false, ps);
            break;
        }
        case 'c':
        case 'C': {
            int c = va_arg(ap, int);
            char buf[2];
            size_t len = 1;
            if (conv == 'C' || spec.size == sizeLong) {
                // A UTF-16 character, written in the code page.
                unsigned code = cp936::EncodeChar(static_cast<char16_t>(c));
                if (code == cp936::kNoCode)
                    buf[0] = '?';
                else if (code < 0x100)
                    buf[0] = static_cast<char>(code);
                else {
                    buf[0] = static_cast<char>(code >> 8);
                    buf[1] = static_cast<char>(code & 0xFF);
                    len = 2;
                }
            } else {
                buf[0] = static_cast<char>(c);
            }
            Spec cs = spec;
            cs.flags &= ~static_cast<unsigned>(ntZeroPad);
            PutString(out, buf, len, cs);
            break;
        }
        case 's': {
            const char* s = va_arg(ap, const char*);
            if (!s)
                s = "(null)";
            size_t len;
            if (spec.precision >= 0) {
                len = 0;
                while (len < static_cast<size_t>(spec.precision) && s[len])
                    ++len;
            } else {
                len = std::strlen(s);
            }
            PutString(out, s, len, spec);
            break;
        }
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G': {
            double v = spec.size == sizeLongDouble ? static_cast<double>(va_arg(ap, long double)) : va_arg(ap, double);
            NumberTextSpec ns;
            ns.conversion = conv;
            ns.precision = spec.precision;
            ns.width = spec.width;
            ns.flags = spec.flags;
            AppendNumberText(out, v, ns);
            break;
        }
        case 'n':
            (void)va_arg(ap, void*);    // never written to
            break;
        case '%':
            out.push_back('%');    // "%5%": flags and width do not apply
            break;
        default:
            out.append(start, static_cast<size_t>(p - start));    // unknown: copied as it stands
            break;
        }
    }
    va_end(ap);
}

std::string FormatTextC(const char* pszFormat, ...)
{
    std::string out;
    va_list ap;
    va_start(ap, pszFormat);
    AppendFormatTextV(out, pszFormat, ap);
    va_end(ap);
    return out;
}
