// CNumberSpinButton's rules: a spin button that steps a decimal value in its
// buddy edit box. The Windows control (designer dialogs) keeps the buddy and
// the spin position; what it shows and where a step lands is decided here.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

class CNumberSpinButton {
public:
    CNumberSpinButton();

    // Stores the range and step. With a usable step (a number, not zero) the
    // spin's integer range becomes |(max - min) / step| capped at 32767; a
    // zero, infinite or not-a-number step or range leaves it unchanged.
    void SetRange(double min, double max, double step);
    void SetDecimals(int decimals) { m_nDecimals = decimals < -1 ? -1 : decimals; }
    // An explicit format: one conversion of a double (%f, %e, %g with flags,
    // width and precision), other text as it stands; NULL or a format of any
    // other shape empties it, and the automatic format applies.
    void SetFormat(const char* format);
    void SetTrimZeros(BOOL trim) { m_bTrimZeros = trim; }

    double GetMin() const { return m_dMin; }
    double GetMax() const { return m_dMax; }
    double GetStep() const { return m_dStep; }
    int GetRangeSteps() const { return m_nRangeSteps; }

    // The text of a value in the buddy.
    CString FormatValue(double value) const;
    // The value after a spin notification with delta from value; wraps
    // between the ends with wrap, else stops at them.
    double Step(double value, int delta, bool wrap) const;
    // The spin's position for a value: its place in the range scaled to the
    // integer range, 0 outside the range (or for an empty range).
    int Position(double value) const;

private:
    double m_dMin = 0.0, m_dMax = 100.0, m_dStep = 1.0;
    int m_nRangeSteps = 100;
    int m_nDecimals = -1;
    CString m_strFormat;
    BOOL m_bTrimZeros = TRUE;
    char m_chDecimalPoint = '.';
};
