// The Windows side of CNumberSpinButton: an up-down control of a dialog
// ("msctls_updown32") and its buddy edit box, attached by their ids. The
// decimal value lives in the buddy's text; the up-down control only keeps
// an integer position within 0..the rules' range steps. Each step
// (UDN_DELTAPOS, from the arrows or the arrow keys) is worked out by the
// rules and written to the buddy; the control's own integer step is refused.
#pragma once

#include "base/CString.h"
#include "designer/NumberSpin.h"

#include <windows.h>
#include <commctrl.h>

class CNumberSpinWnd {
public:
    CNumberSpinWnd() = default;
    CNumberSpinWnd(const CNumberSpinWnd&) = delete;
    CNumberSpinWnd& operator=(const CNumberSpinWnd&) = delete;

    // Takes the up-down control spinId of dialog and the buddy buddyId
    // (0: the buddy the control already has). The control stops writing
    // integers into the buddy itself, and the range is applied again.
    // FALSE (nothing attached) when the dialog or the up-down control is
    // missing or is not an up-down control.
    BOOL Attach(HWND dialog, int spinId, int buddyId);
    // Forgets the windows; every call then refuses.
    void Detach();
    // TRUE while the attached up-down control still exists.
    BOOL IsAttached() const;

    HWND Spin() const { return m_spin; }
    HWND Buddy() const { return m_buddy; }
    int SpinId() const { return m_spinId; }

    void SetRange(double min, double max, double step);
    void SetDecimals(int decimals) { m_rules.SetDecimals(decimals); }
    void SetFormat(const char* format) { m_rules.SetFormat(format); }
    void SetTrimZeros(BOOL trim) { m_rules.SetTrimZeros(trim); }
    const CNumberSpinButton& Rules() const { return m_rules; }

    // Writes the value into the buddy (only an edit box that is not read
    // only) and moves the control's position to it; FALSE when nothing was
    // written.
    BOOL SetValue(double value);
    // The number at the start of the buddy's text; 0.0 without a buddy.
    double GetValue() const;

    // UDN_DELTAPOS of this control: steps the buddy's value by the
    // notification's delta (stopping at or wrapping between the ends as the
    // control's UDS_WRAP style says) and answers nonzero, so the control
    // does not apply its own integer step over it.
    LRESULT OnDeltaPos(const NMUPDOWN& change);

private:
    void ApplyRange();
    void Reposition();
    CString BuddyText() const;

    CNumberSpinButton m_rules;
    HWND m_spin = nullptr;
    HWND m_buddy = nullptr;
    int m_spinId = 0;
};
