#include "cells/NumericSpinButton.h"

#include "base/NumberText.h"
#include "cellcontent/StringUtil.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstring>

namespace {

// Removes trailing '0' characters and then a trailing point, when the text
// holds the point at all.
void TrimFixed(CString& text, char chPoint)
{
    if (text.Find(chPoint) < 0)
        return;
    int n = text.GetLength();
    while (n > 0 && text[n - 1] == '0')
        --n;
    if (n > 0 && text[n - 1] == chPoint)
        --n;
    text = text.Left(n);
}

}  // namespace

BOOL IsSpinValueFormat(LPCTSTR szFormat)
{
    if (szFormat == nullptr)
        return FALSE;
    int conversions = 0;
    for (const char* p = szFormat; *p != '\0'; ++p) {
        if (*p != '%')
            continue;
        ++p;
        if (*p == '%')
            continue;
        while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr)
            ++p;
        for (int digits = 0; *p >= '0' && *p <= '9'; ++p)
            if (++digits > 4)
                return FALSE;
        if (*p == '.') {
            ++p;
            for (int digits = 0; *p >= '0' && *p <= '9'; ++p)
                if (++digits > 2)
                    return FALSE;
        }
        if (*p == 'l' || *p == 'L')
            ++p;
        if (*p == '\0' || std::strchr("feEgG", *p) == nullptr)
            return FALSE;
        ++conversions;
    }
    return conversions == 1;
}

CString FormatSpinValue(double value, int nDecimals, BOOL bTrim, LPCTSTR szFormat, char chPoint)
{
    CString text;
    if (szFormat != nullptr && szFormat[0] != '\0' && IsSpinValueFormat(szFormat)) {
        text.Format(szFormat, value);
        return text;
    }
    text.Format("%f", value);
    TrimTrailingZeros(text);
    if (nDecimals < 0)
        return text;
    const int decimals = std::min(nDecimals, kNumberTextMaxPrecision);
    CString format;
    const bool exponent = text.Find('e') >= 0;
    format.Format(exponent ? "%%.%de" : "%%.%df", decimals);
    text.Format(format, value);
    if (!bTrim)
        return text;
    if (exponent) {
        const int e = text.Find('e');
        if (e >= 0) {
            CString mantissa = text.Left(e);
            TrimFixed(mantissa, chPoint);
            return mantissa + text.Mid(e);
        }
    }
    TrimFixed(text, chPoint);
    return text;
}

int SpinStepsOf(double minimum, double maximum, double delta)
{
    if (delta == 0.0)
        return 0;
    const double steps = std::fabs(maximum - minimum) / std::fabs(delta);
    if (!(steps >= 0.0))
        return 0;
    if (steps >= CNumericSpinButton::kMaxSteps)
        return CNumericSpinButton::kMaxSteps;
    return static_cast<int>(std::floor(SnapToWhole(steps)));
}

int SpinPositionOf(double value, double minimum, double maximum, int nSteps)
{
    if (maximum == minimum)
        return -1;
    if (value < minimum)
        return 0;
    if (value > maximum)
        return nSteps;
    const double pos = SnapToWhole((value - minimum) / (maximum - minimum) * nSteps + 0.5);
    if (!(pos >= 0.0))
        return 0;
    if (pos >= nSteps)
        return nSteps;
    return static_cast<int>(pos);
}

double SpinStepValue(double value, int nDirection, double minimum, double maximum, double delta, BOOL bWrap)
{
    const double next = value + nDirection * delta;
    auto tolerance = [next](double limit) {
        return std::max(1e-9, std::fabs(1e-9 * std::max(limit, next)));
    };
    if (next < value && next < minimum - tolerance(minimum))
        return bWrap ? maximum : minimum;
    if (next > value && next > maximum + tolerance(maximum))
        return bWrap ? minimum : maximum;
    return next;
}

CNumericSpinButton::CNumericSpinButton()
    : m_dMin(0.0), m_dMax(100.0), m_dDelta(1.0), m_nSteps(100), m_nDecimals(-1), m_bTrim(TRUE), m_chPoint('.'),
      m_bAttached(FALSE)
{
    const std::lconv* conv = std::localeconv();
    if (conv != nullptr && conv->decimal_point != nullptr && conv->decimal_point[0] != '\0')
        m_chPoint = conv->decimal_point[0];
}

CNumericSpinButton::~CNumericSpinButton()
{
    // A dialog's window is not ours to destroy.
    DetachDlgItem();
}

BOOL CNumericSpinButton::AttachDlgItem(HWND hDlg, int nSpinId, int nBuddyId)
{
    DetachDlgItem();
    CWnd* dialog = CWnd::FromHandle(hDlg);
    if (dialog == nullptr || m_hWnd != nullptr)
        return FALSE;
    CWnd* spin = dialog->GetDlgItem(nSpinId);
    CWnd* buddy = dialog->GetDlgItem(nBuddyId);
    if (spin == nullptr || buddy == nullptr || spin->GetSafeHwnd() == nullptr || buddy->GetSafeHwnd() == nullptr ||
        CWnd::FromHandlePermanent(spin->GetSafeHwnd()) != nullptr)
        return FALSE;
    if (!Attach(spin->GetSafeHwnd()))
        return FALSE;
    m_bAttached = TRUE;
    SetBuddy(CWnd::FromHandle(buddy->GetSafeHwnd()));
    SetRange(m_dMin, m_dMax, m_dDelta);
    return TRUE;
}

void CNumericSpinButton::DetachDlgItem()
{
    if (!m_bAttached)
        return;
    m_bAttached = FALSE;
    Detach();
}

BOOL CNumericSpinButton::ReflectNotify(LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr || pResult == nullptr || header->code != static_cast<UINT>(UDN_DELTAPOS))
        return FALSE;
    CNumericSpinButton* spin = dynamic_cast<CNumericSpinButton*>(CWnd::FromHandlePermanent(header->hwndFrom));
    if (spin == nullptr)
        return FALSE;
    return spin->OnChildNotify(WM_NOTIFY, static_cast<WPARAM>(header->idFrom), lParam, pResult);
}

void CNumericSpinButton::SetRange(double minimum, double maximum, double delta)
{
    m_dMin = minimum;
    m_dMax = maximum;
    m_dDelta = delta;
    if (delta == 0.0)
        return;
    m_nSteps = SpinStepsOf(minimum, maximum, delta);
    if (m_hWnd == nullptr)
        return;
    SetRange32(0, m_nSteps);
    SetPositionFrom(GetValue());
}

void CNumericSpinButton::GetRange(double& minimum, double& maximum, double& delta) const
{
    minimum = m_dMin;
    maximum = m_dMax;
    delta = m_dDelta;
}

void CNumericSpinButton::SetValue(double value)
{
    WriteBuddy(value);
    SetPositionFrom(value);
}

double CNumericSpinButton::GetValue() const
{
    if (m_hWnd == nullptr)
        return 0.0;
    CWnd* buddy = GetBuddy();
    if (buddy == nullptr || buddy->GetSafeHwnd() == nullptr)
        return 0.0;
    CString text;
    buddy->GetWindowText(text);
    return AToF(text);
}

void CNumericSpinButton::SetDecimals(int nDecimals)
{
    m_nDecimals = nDecimals < -1 ? -1 : nDecimals;
}

void CNumericSpinButton::SetFormat(LPCTSTR szFormat)
{
    if (szFormat == nullptr || szFormat[0] == '\0')
        m_strFormat.Empty();
    else if (IsSpinValueFormat(szFormat))
        m_strFormat = szFormat;
}

CWnd* CNumericSpinButton::WritableBuddy() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    CWnd* buddy = GetBuddy();
    if (buddy == nullptr || buddy->GetSafeHwnd() == nullptr)
        return nullptr;
    if (buddy->GetWindowClassName().CompareNoCase("Edit") != 0 || (buddy->GetStyle() & ES_READONLY) != 0)
        return nullptr;
    return buddy;
}

void CNumericSpinButton::WriteBuddy(double value)
{
    CWnd* buddy = WritableBuddy();
    if (buddy == nullptr)
        return;
    buddy->SetWindowText(FormatSpinValue(value, m_nDecimals, m_bTrim, m_strFormat, m_chPoint));
}

void CNumericSpinButton::SetPositionFrom(double value)
{
    if (m_hWnd == nullptr)
        return;
    const int pos = SpinPositionOf(value, m_dMin, m_dMax, m_nSteps);
    if (pos >= 0)
        SetPos32(pos);
}

int CNumericSpinButton::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CSpinButtonCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetRange(m_dMin, m_dMax, m_dDelta);
    return 0;
}

BOOL CNumericSpinButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_NOTIFY || lParam == 0)
        return CSpinButtonCtrl::OnChildNotify(message, wParam, lParam, pResult);
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code != static_cast<UINT>(UDN_DELTAPOS))
        return CSpinButtonCtrl::OnChildNotify(message, wParam, lParam, pResult);
    const NMUPDOWN* step = reinterpret_cast<const NMUPDOWN*>(lParam);
    WriteBuddy(SpinStepValue(GetValue(), step->iDelta, m_dMin, m_dMax, m_dDelta, (GetStyle() & UDS_WRAP) != 0));
    *pResult = 0;
    return TRUE;
}
