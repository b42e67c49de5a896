#include "designer/NumberSpin.h"

#include "base/NumberText.h"

#include <cmath>
#include <string>

namespace {

bool Finite(double v)
{
    return std::isfinite(v);
}

// Within the tolerance of 1e-9 times the larger magnitude (at least 1e-9).
double Tolerance(double a, double b)
{
    const double m = std::fmax(std::fabs(a), std::fabs(b));
    return std::fmax(1e-9, 1e-9 * m);
}

struct ParsedFormat {
    std::string before, after;
    NumberTextSpec spec;
};

bool ParseFormat(const char* format, ParsedFormat& out)
{
    std::string text(format);
    std::string* part = &out.before;
    bool seen = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            *part += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '%') {
            *part += '%';
            ++i;
            continue;
        }
        if (seen)
            return false;
        seen = true;
        ++i;
        unsigned flags = 0;
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '-')
                flags |= ntLeftAlign;
            else if (c == '+')
                flags |= ntPlusSign;
            else if (c == ' ')
                flags |= ntSpaceSign;
            else if (c == '#')
                flags |= ntAlternate;
            else if (c == '0')
                flags |= ntZeroPad;
            else
                break;
        }
        int width = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && width < 1000)
            width = width * 10 + (text[i++] - '0');
        int precision = -1;
        if (i < text.size() && text[i] == '.') {
            ++i;
            precision = 0;
            while (i < text.size() && text[i] >= '0' && text[i] <= '9' && precision < 1000)
                precision = precision * 10 + (text[i++] - '0');
        }
        if (i < text.size() && text[i] == 'l')
            ++i;
        if (i >= text.size())
            return false;
        const char conv = text[i];
        if (conv != 'f' && conv != 'F' && conv != 'e' && conv != 'E' && conv != 'g' && conv != 'G')
            return false;
        if (width > kNumberTextMaxWidth || precision > kNumberTextMaxPrecision)
            return false;
        out.spec.conversion = conv;
        out.spec.precision = precision;
        out.spec.width = width;
        out.spec.flags = flags;
        part = &out.after;
    }
    return seen;
}

void TrimZeros(std::string& s, char point)
{
    if (s.find(point) == std::string::npos)
        return;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == point)
        s.pop_back();
}

}  // namespace

CNumberSpinButton::CNumberSpinButton() = default;

void CNumberSpinButton::SetRange(double min, double max, double step)
{
    m_dMin = min;
    m_dMax = max;
    m_dStep = step;
    if (!Finite(step) || step == 0.0 || !Finite(min) || !Finite(max))
        return;
    const double steps = std::fabs((max - min) / step);
    if (!Finite(steps))
        return;
    m_nRangeSteps = steps > 32767.0 ? 32767 : static_cast<int>(std::floor(SnapToWhole(steps)));
}

void CNumberSpinButton::SetFormat(const char* format)
{
    ParsedFormat parsed;
    if (format == nullptr || !ParseFormat(format, parsed))
        m_strFormat.Empty();
    else
        m_strFormat = format;
}

CString CNumberSpinButton::FormatValue(double value) const
{
    if (!m_strFormat.IsEmpty()) {
        ParsedFormat parsed;
        if (ParseFormat(m_strFormat, parsed)) {
            std::string s = parsed.before;
            AppendNumberText(s, value, parsed.spec);
            s += parsed.after;
            return CString(s);
        }
    }
    std::string text = FormatNumberText(value, 'g', -1);
    if (m_nDecimals < 0)
        return CString(text);
    const bool exponent = text.find('e') != std::string::npos;
    std::string s = FormatNumberText(value, exponent ? 'e' : 'f', m_nDecimals);
    if (m_bTrimZeros) {
        if (exponent) {
            const size_t e = s.find('e');
            std::string mantissa = s.substr(0, e);
            TrimZeros(mantissa, m_chDecimalPoint);
            s = mantissa + s.substr(e);
        } else {
            TrimZeros(s, m_chDecimalPoint);
        }
    }
    return CString(s);
}

double CNumberSpinButton::Step(double value, int delta, bool wrap) const
{
    double next = value + static_cast<double>(delta) * m_dStep;
    if (!Finite(next))
        return value;
    if (delta >= 0) {
        if (next - m_dMax > Tolerance(next, m_dMax))
            next = wrap ? m_dMin : m_dMax;
    } else {
        if (m_dMin - next > Tolerance(next, m_dMin))
            next = wrap ? m_dMax : m_dMin;
    }
    return next;
}

int CNumberSpinButton::Position(double value) const
{
    const double span = m_dMax - m_dMin;
    if (!(value >= m_dMin && value <= m_dMax) || span == 0.0 || !Finite(span))
        return 0;
    return static_cast<int>(std::lround((value - m_dMin) / span * m_nRangeSteps));
}
