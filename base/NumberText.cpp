// Number text: printing and parsing of doubles, MulDiv and the classic random
// generator, identical on every build.
//
// Printing uses std::to_chars, which gives the exact decimal value correctly
// rounded with ties to even. Ties are rare and can be recognised from the
// binary form of the double (see TieAtFixed/TieAtScientific); only then is the
// text printed with one more digit (which is then exact) and rounded away from
// zero by hand. So ordinary values take one to_chars call.
#include "base/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// Large enough for 309 integer digits, a point and the maximum precision, and
// for a scientific form with the maximum precision.
const int kBufSize = 512;

int ClampPrecision(int precision, int dflt)
{
    if (precision < 0)
        return dflt;
    return precision > kNumberTextMaxPrecision ? kNumberTextMaxPrecision : precision;
}

// Number of binary digits after the point in the exact value of a finite,
// non-zero double (0 or less when the value is a whole number).
int FractionBits(double a)
{
    std::uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mant = bits & ((std::uint64_t(1) << 52) - 1);
    int exp2;
    if (biased == 0) {
        exp2 = -1074;    // subnormal: mant * 2^-1074
    } else {
        mant |= std::uint64_t(1) << 52;
        exp2 = biased - 1075;
    }
    if (mant == 0)
        return 0;
    int tz = 0;
    while ((mant & 1) == 0) {
        mant >>= 1;
        ++tz;
    }
    return -(exp2 + tz);
}

// A non-whole double with F fraction bits has exactly F decimal digits after
// the point, the last of them a 5. Rounding to 'prec' places is a tie exactly
// when F == prec + 1.
bool TieAtFixed(double a, int prec) { return a != 0 && FractionBits(a) == prec + 1; }

// Adds one unit in the last digit of a digit text that may hold a point.
// Answers true when the carry ran out of the front (a '1' was put in front).
bool IncrementDigits(std::string& s)
{
    for (size_t i = s.size(); i-- > 0;) {
        if (s[i] == '.')
            continue;
        if (s[i] == '9') {
            s[i] = '0';
            continue;
        }
        ++s[i];
        return false;
    }
    s.insert(s.begin(), '1');
    return true;
}

// --- fast fixed form --------------------------------------------------------------
// For ordinary magnitudes the fixed form is computed with integers: with the
// double's exact value m * 2^-k, the text's digits are the integer
// (m * 10^prec + 2^(k-1)) >> k, which is the exact value rounded half away from
// zero. 128-bit arithmetic is done by hand so every build computes the same.

struct U128 {
    std::uint64_t hi, lo;
};

U128 Mul64(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32, b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
    std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    std::uint64_t mid = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    U128 r;
    r.lo = (p00 & 0xFFFFFFFFu) | (mid << 32);
    r.hi = p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32);
    return r;
}

// Appends the digits of q with prec of them after a point.
void PutScaled(std::uint64_t q, int prec, std::string& out)
{
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + q % 10);
        q /= 10;
    } while (q);
    while (n < prec + 1)
        digits[n++] = '0';
    out.clear();
    for (int i = n - 1; i >= 0; --i) {
        out += digits[i];
        if (i == prec && prec > 0)
            out += '.';
    }
}

bool FastFixedDigits(double a, int prec, std::string& out)
{
    static const std::uint64_t kPow10[] = {1ULL,
                                           10ULL,
                                           100ULL,
                                           1000ULL,
                                           10000ULL,
                                           100000ULL,
                                           1000000ULL,
                                           10000000ULL,
                                           100000000ULL,
                                           1000000000ULL,
                                           10000000000ULL,
                                           100000000000ULL,
                                           1000000000000ULL,
                                           10000000000000ULL,
                                           100000000000000ULL,
                                           1000000000000000ULL,
                                           10000000000000000ULL,
                                           100000000000000000ULL,
                                           1000000000000000000ULL};
    if (prec > 18)
        return false;
    std::uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t m = bits & ((std::uint64_t(1) << 52) - 1);
    int exp2;
    if (biased == 0) {
        exp2 = -1074;
    } else {
        m |= std::uint64_t(1) << 52;
        exp2 = biased - 1075;
    }
    if (m == 0) {
        PutScaled(0, prec, out);
        return true;
    }
    if (exp2 >= 0) {
        // A whole number: fast only while it and its scaled form fit in 64 bits.
        if (exp2 > 10)
            return false;
        U128 scaled = Mul64(m << exp2, kPow10[prec]);
        if (scaled.hi != 0)
            return false;
        PutScaled(scaled.lo, prec, out);
        return true;
    }
    int k = -exp2;
    U128 p = Mul64(m, kPow10[prec]);    // below 2^117
    if (k >= 118) {
        PutScaled(0, prec, out);        // less than half a unit of the last place
        return true;
    }
    // Add half a unit (2^(k-1)), then shift right by k.
    int h = k - 1;
    if (h < 64) {
        std::uint64_t add = std::uint64_t(1) << h;
        std::uint64_t lo = p.lo + add;
        p.hi += lo < p.lo ? 1 : 0;
        p.lo = lo;
    } else {
        p.hi += std::uint64_t(1) << (h - 64);
    }
    std::uint64_t q;
    if (k >= 64) {
        q = p.hi >> (k - 64);
    } else {
        if (p.hi >> k)
            return false;    // the result needs more than 64 bits
        q = (p.lo >> k) | (p.hi << (64 - k));
    }
    PutScaled(q, prec, out);
    return true;
}

// The fixed form of a (finite, not negative) with prec digits after the point.
void FixedDigits(double a, int prec, std::string& out)
{
    if (FastFixedDigits(a, prec, out))
        return;
    char buf[kBufSize];
    if (!TieAtFixed(a, prec)) {
        auto r = std::to_chars(buf, buf + kBufSize, a, std::chars_format::fixed, prec);
        out.assign(buf, r.ptr);
        return;
    }
    // One more digit is the exact value, ending in 5: drop it and round up.
    auto r = std::to_chars(buf, buf + kBufSize, a, std::chars_format::fixed, prec + 1);
    out.assign(buf, r.ptr - 1);
    if (!out.empty() && out.back() == '.')
        out.pop_back();
    IncrementDigits(out);
}

// Splits a to_chars scientific text into mantissa ("d.ddd") and exponent.
void SplitScientific(const char* b, const char* e, std::string& mant, int& exp10)
{
    const char* x = b;
    while (x < e && *x != 'e')
        ++x;
    mant.assign(b, x);
    exp10 = 0;
    if (x < e) {
        ++x;
        bool neg = *x == '-';
        if (*x == '-' || *x == '+')
            ++x;
        int v = 0;
        for (; x < e; ++x)
            v = v * 10 + (*x - '0');
        exp10 = neg ? -v : v;
    }
}

// The scientific form of a (finite, not negative): mantissa with prec digits
// after the point, and the decimal exponent.
void ScientificDigits(double a, int prec, std::string& mant, int& exp10)
{
    if (a == 0) {
        mant = "0";
        if (prec > 0) {
            mant += '.';
            mant.append(static_cast<size_t>(prec), '0');
        }
        exp10 = 0;
        return;
    }
    char buf[kBufSize];
    auto r = std::to_chars(buf, buf + kBufSize, a, std::chars_format::scientific, prec);
    SplitScientific(buf, r.ptr, mant, exp10);

    std::string exact;    // the first prec + 2 digits of the exact value, when they are all of it
    int F = FractionBits(a);
    if (F > 0) {
        // Exact value: digits from 10^exp10 down to 10^-F, the last one a 5.
        if (exp10 + F + 1 != prec + 2)
            return;
        auto r2 = std::to_chars(buf, buf + kBufSize, a, std::chars_format::scientific, prec + 1);
        std::string m2;
        int e2 = 0;
        SplitScientific(buf, r2.ptr, m2, e2);
        if (m2.empty() || m2.back() != '5')
            return;
        exact = m2;
    } else {
        // A whole number: a tie when its digits after the kept ones are 5, 0, 0, ...
        if (exp10 + 1 < prec + 2)
            return;
        auto r2 = std::to_chars(buf, buf + kBufSize, a, std::chars_format::fixed, 0);
        std::string whole(buf, r2.ptr);
        size_t kept = static_cast<size_t>(prec) + 1;
        if (whole.size() <= kept || whole[kept] != '5')
            return;
        for (size_t i = kept + 1; i < whole.size(); ++i)
            if (whole[i] != '0')
                return;
        exact = whole.substr(0, 1) + "." + whole.substr(1, kept);    // prec more digits and the 5
        exp10 = static_cast<int>(whole.size()) - 1;
    }
    // exact is "d.ddd5" (prec + 1 digits after the point): round away from zero.
    exact.pop_back();
    if (!exact.empty() && exact.back() == '.')
        exact.pop_back();
    if (IncrementDigits(exact)) {
        // 9.99.. became 10.00..: one digit too many; shift the point.
        exact.erase(std::remove(exact.begin(), exact.end(), '.'), exact.end());
        exact.pop_back();
        if (prec > 0)
            exact.insert(1, ".");
        ++exp10;
    }
    mant = exact;
}

void AppendExponent(std::string& out, int exp10, bool upper)
{
    out += upper ? 'E' : 'e';
    out += exp10 < 0 ? '-' : '+';
    unsigned v = static_cast<unsigned>(exp10 < 0 ? -exp10 : exp10);
    char digits[8];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    while (n < 3)
        digits[n++] = '0';
    while (n > 0)
        out += digits[--n];
}

// Removes trailing zeros after a point, and the point itself when nothing follows.
void StripTrailingZeros(std::string& s)
{
    if (s.find('.') == std::string::npos)
        return;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
}

// The classic runtime's texts for infinity and NaN.
void SpecialBody(double v, char conv, int prec, std::string& body)
{
    const char* text;
    if (std::isinf(v))
        text = "1.#INF";
    else if (std::signbit(v))
        text = "1.#IND";
    else
        text = "1.#QNAN";
    body = text;
    char lower = static_cast<char>(conv | 0x20);
    if (lower == 'g')
        return;
    int have = static_cast<int>(body.size()) - 2;    // characters after "1."
    if (prec == 0)
        body = "1";
    else if (prec < have)
        body.resize(static_cast<size_t>(2 + prec));
    else
        body.append(static_cast<size_t>(prec - have), '0');
    if (lower == 'e')
        AppendExponent(body, 0, conv == 'E');
}

}  // namespace

void AppendNumberText(std::string& out, double value, const NumberTextSpec& spec)
{
    char conv = spec.conversion;
    char lower = static_cast<char>(conv | 0x20);
    if (lower != 'f' && lower != 'e' && lower != 'g') {
        conv = 'f';
        lower = 'f';
    }
    bool upper = conv == 'E' || conv == 'G';
    bool alternate = (spec.flags & ntAlternate) != 0;
    int prec = ClampPrecision(spec.precision, 6);

    std::string sign;
    if (std::signbit(value))
        sign = "-";
    else if (spec.flags & ntPlusSign)
        sign = "+";
    else if (spec.flags & ntSpaceSign)
        sign = " ";

    std::string body;
    if (!std::isfinite(value)) {
        SpecialBody(value, conv, prec, body);
    } else {
        double a = std::fabs(value);
        if (lower == 'f') {
            FixedDigits(a, prec, body);
            if (alternate && prec == 0)
                body += '.';
        } else if (lower == 'e') {
            int exp10 = 0;
            ScientificDigits(a, prec, body, exp10);
            if (alternate && prec == 0)
                body += '.';
            AppendExponent(body, exp10, upper);
        } else {
            int P = prec == 0 ? 1 : prec;
            int exp10 = 0;
            std::string mant;
            ScientificDigits(a, P - 1, mant, exp10);
            if (exp10 < -4 || exp10 >= P) {
                body = mant;
                if (!alternate)
                    StripTrailingZeros(body);
                else if (body.find('.') == std::string::npos)
                    body += '.';
                AppendExponent(body, exp10, upper);
            } else {
                FixedDigits(a, P - 1 - exp10, body);
                if (!alternate)
                    StripTrailingZeros(body);
                else if (body.find('.') == std::string::npos)
                    body += '.';
            }
        }
    }

    int width = spec.width < 0 ? 0 : (spec.width > kNumberTextMaxWidth ? kNumberTextMaxWidth : spec.width);
    int pad = width - static_cast<int>(sign.size() + body.size());
    if (pad <= 0) {
        out += sign;
        out += body;
    } else if (spec.flags & ntLeftAlign) {
        out += sign;
        out += body;
        out.append(static_cast<size_t>(pad), ' ');
    } else if (spec.flags & ntZeroPad) {
        out += sign;
        out.append(static_cast<size_t>(pad), '0');
        out += body;
    } else {
        out.append(static_cast<size_t>(pad), ' ');
        out += sign;
        out += body;
    }
}

std::string FormatNumberText(double value, char conversion, int precision)
{
    NumberTextSpec spec;
    spec.conversion = conversion;
    spec.precision = precision;
    std::string out;
    AppendNumberText(out, value, spec);
    return out;
}

// --- parsing ---------------------------------------------------------------------

namespace {

inline bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The start of a number text: leading C-locale blanks and one sign are passed
// over; negative tells which sign it was.
const char* SkipBlanksAndSign(const char* p, bool& negative)
{
    while (IsCSpace(*p))
        ++p;
    negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    return p;
}

}  // namespace

double StrToD(const char* str, const char** end)
{
    if (end)
        *end = str;
    if (!str)
        return 0.0;
    bool negative = false;
    const char* p = SkipBlanksAndSign(str, negative);
    const char* mantStart = p;
    long long firstDigitPos = 0;    // decimal exponent of the first non-zero digit, roughly
    bool seenNonZero = false;
    int intDigits = 0;
    int fracDigits = 0;
    long long leadingFracZeros = 0;
    while (IsDigit(*p)) {
        if (*p != '0' || seenNonZero) {
            seenNonZero = true;
            if (intDigits < 1000000)
                ++intDigits;
        }
        ++p;
    }
    bool anyDigits = p != mantStart;
    if (*p == '.') {
        ++p;
        const char* fracStart = p;
        while (IsDigit(*p)) {
            if (!seenNonZero) {
                if (*p == '0')
                    ++leadingFracZeros;
                else
                    seenNonZero = true;
            }
            if (fracDigits < 1000000)
                ++fracDigits;
            ++p;
        }
        anyDigits = anyDigits || p != fracStart;
    }
    if (!anyDigits)
        return 0.0;    // no number: *end stays at str
    const char* mantEnd = p;

    long long exponent = 0;
    bool hasExponent = false;
    char expChar = *p;
    if (expChar == 'e' || expChar == 'E' || expChar == 'd' || expChar == 'D') {
        const char* q = p + 1;
        bool expNeg = false;
        if (*q == '+' || *q == '-') {
            expNeg = *q == '-';
            ++q;
        }
        if (IsDigit(*q)) {
            while (IsDigit(*q)) {
                if (exponent < 100000000)
                    exponent = exponent * 10 + (*q - '0');
                ++q;
            }
            if (expNeg)
                exponent = -exponent;
            hasExponent = true;
            p = q;
        }
    }
    if (end)
        *end = p;

    if (!seenNonZero)
        return negative ? -0.0 : 0.0;
    firstDigitPos = intDigits > 0 ? intDigits - 1 : -(leadingFracZeros + 1);

    // Text for from_chars: the mantissa as written, and the exponent rewritten
    // with 'e' and clamped (beyond +-100000 the result is 0 or infinity anyway).
    std::string text(mantStart, mantEnd);
    if (hasExponent) {
        long long e = exponent;
        if (e > 100000)
            e = 100000;
        if (e < -100000)
            e = -100000;
        text += 'e';
        text += std::to_string(e);
    }
    double result = 0.0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), result, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        result = (firstDigitPos + exponent > 0) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (r.ec != std::errc()) {
        result = 0.0;
    }
    return negative ? -result : result;
}

double AToF(const char* str) { return StrToD(str, nullptr); }

int AToL(const char* str)
{
    if (!str)
        return 0;
    bool negative = false;
    const char* p = SkipBlanksAndSign(str, negative);
    long long v = 0;
    const long long limit = negative ? 2147483648LL : 2147483647LL;
    while (IsDigit(*p)) {
        v = v * 10 + (*p - '0');
        if (v > limit)
            v = limit;
        ++p;
    }
    return static_cast<int>(negative ? -v : v);
}

int AToI(const char* str) { return AToL(str); }

double SnapToWhole(double x)
{
    const double nearest = std::floor(x + 0.5);
    return std::fabs(x - nearest) <= 1e-9 * std::max(1.0, std::fabs(nearest)) ? nearest : x;
}

// --- MulDiv and the random generator ------------------------------------------

#ifndef _WIN32
int MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
        return -1;
    long long product = static_cast<long long>(nNumber) * nNumerator;
    long long divisor = nDenominator;
    if (divisor < 0) {
        divisor = -divisor;
        product = -product;    // |product| <= 2^62, no overflow
    }
    long long half = divisor / 2;
    long long q = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    if (q > 2147483647LL || q < -2147483648LL)
        return -1;
    return static_cast<int>(q);
}
#endif

namespace {
unsigned int g_randState = 1;
}

void KivoSrand(unsigned int seed) { g_randState = seed; }

int KivoRand()
{
    g_randState = g_randState * 214013u + 2531011u;
    return static_cast<int>((g_randState >> 16) & 0x7FFF);
}
