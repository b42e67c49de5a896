// CNumericSpinButton: an up-down control that steps a decimal value kept as
// text in its buddy edit box.
//
// The value lives in the buddy: reading it is atof of the buddy's text, and
// every change is written back as text (fixed decimals, or free format with
// trailing zeros removed, or a caller's printf format). The up-down control's
// own integer position 0..steps follows the value in proportion, so that its
// arrow keys and thumb stay consistent with the text; steps is
// |maximum - minimum| / delta, at most 32767.
//
// An arrow click (the control's UDN_DELTAPOS, handled here by reflection)
// adds the click's delta times the step to the buddy's value; a value past
// a range end by more than a small tolerance stops at that end, or goes round
// to the other end when the control has UDS_WRAP. Only an edit box that is
// not read-only is ever written.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "cells/SpinButtonCtrl.h"

class CEdit;

// The text of a value as the spin button writes it (decimals -1: free
// format). szFormat, when not NULL or empty, is a printf format taking the
// one double; chPoint is the decimal point of the texts.
CString FormatSpinValue(double value, int nDecimals, BOOL bTrim, LPCTSTR szFormat, char chPoint);
// Whether a caller's format is one printf format with exactly one real-number
// conversion (%f, %e, %E, %g, %G, with flags, width and precision) and
// nothing else that takes an argument; only such a format is used.
BOOL IsSpinValueFormat(LPCTSTR szFormat);
// The up-down position of a value: 0 below the minimum, steps above the
// maximum, else in proportion, rounded; -1 when the range is empty.
int SpinPositionOf(double value, double minimum, double maximum, int nSteps);
// The number of positions of a range: |maximum - minimum| / delta truncated,
// at most 32767 (0 for a delta of 0 or values that are not numbers).
int SpinStepsOf(double minimum, double maximum, double delta);
// The value after an arrow click of nDirection steps: value + nDirection * delta, stopped at the
// range ends (or round to the other end with bWrap) once past them by more
// than the tolerance.
double SpinStepValue(double value, int nDirection, double minimum, double maximum, double delta, BOOL bWrap);

class CNumericSpinButton : public CSpinButtonCtrl {
public:
    static constexpr int kMaxSteps = 0x7FFF;

    CNumericSpinButton();
    ~CNumericSpinButton() override;

    // Ties an up-down control that a dialog made from its template to this
    // object, with the edit box nBuddyId as its buddy, and applies the stored
    // range to it. The window stays the dialog's: a parent that is a plain
    // dialog procedure passes its WM_NOTIFY to ReflectNotify, and the object
    // lets go of the window when the dialog ends (DetachDlgItem) or when the
    // object goes, whichever comes first; it never destroys it. The up-down
    // should not have UDS_SETBUDDYINT (this object writes the buddy). FALSE
    // when either control is missing.
    BOOL AttachDlgItem(HWND hDlg, int nSpinId, int nBuddyId);
    void DetachDlgItem();
    // An arrow click (UDN_DELTAPOS) of an up-down tied to a CNumericSpinButton
    // steps that spin button; TRUE with *pResult set when the notification
    // was one, FALSE for any other.
    static BOOL ReflectNotify(LPARAM lParam, LRESULT* pResult);

    // Stores the three; a non-zero delta also sets the control's range 0..steps
    // and moves the position to the buddy's value.
    void SetRange(double minimum, double maximum, double delta);
    void GetRange(double& minimum, double& maximum, double& delta) const;
    // Writes the value into the buddy, then moves the position.
    void SetValue(double value);
    // atof of the buddy's text; 0 without a buddy.
    double GetValue() const;
    void SetDecimals(int nDecimals);       // -1: free format
    int GetDecimals() const { return m_nDecimals; }
    // A printf format taking the one double (see IsSpinValueFormat; another
    // format is not kept); NULL or "" clears it.
    void SetFormat(LPCTSTR szFormat);
    CString GetFormat() const { return m_strFormat; }
    // Whether trailing zeros (and then a trailing point) are removed after
    // formatting with fixed decimals (on at first).
    void SetTrimTrailingZeros(BOOL bTrim) { m_bTrim = bTrim; }
    int GetSteps() const { return m_nSteps; }
    char GetDecimalPoint() const { return m_chPoint; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    // The buddy when it is an edit box that may be written, else NULL.
    CWnd* WritableBuddy() const;
    void WriteBuddy(double value);
    void SetPositionFrom(double value);

    double m_dMin;
    double m_dMax;
    double m_dDelta;
    int m_nSteps;
    int m_nDecimals;
    CString m_strFormat;
    BOOL m_bTrim;
    char m_chPoint;
    BOOL m_bAttached;      // the window is a dialog's, tied by AttachDlgItem
};
