#include "designer/win32/NumberSpinWnd.h"

#include <cstdlib>
#include <vector>

namespace {

bool IsClass(HWND hwnd, const char* name)
{
    char cls[64] = {0};
    ::GetClassNameA(hwnd, cls, sizeof(cls));
    return ::lstrcmpiA(cls, name) == 0;
}

}  // namespace

BOOL CNumberSpinWnd::Attach(HWND dialog, int spinId, int buddyId)
{
    Detach();
    if (dialog == nullptr || !::IsWindow(dialog))
        return FALSE;
    HWND spin = ::GetDlgItem(dialog, spinId);
    if (spin == nullptr || !IsClass(spin, UPDOWN_CLASSA))
        return FALSE;
    HWND buddy = buddyId != 0 ? ::GetDlgItem(dialog, buddyId)
                              : reinterpret_cast<HWND>(::SendMessageA(spin, UDM_GETBUDDY, 0, 0));
    if (buddyId != 0 && buddy == nullptr)
        return FALSE;
    m_spin = spin;
    m_spinId = spinId;
    m_buddy = buddy;
    // The control would write its integer position over the decimal text.
    const LONG_PTR style = ::GetWindowLongPtrA(spin, GWL_STYLE);
    if ((style & UDS_SETBUDDYINT) != 0)
        ::SetWindowLongPtrA(spin, GWL_STYLE, style & ~static_cast<LONG_PTR>(UDS_SETBUDDYINT));
    if (buddy != nullptr)
        ::SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    ApplyRange();
    return TRUE;
}

void CNumberSpinWnd::Detach()
{
    m_spin = nullptr;
    m_buddy = nullptr;
    m_spinId = 0;
}

BOOL CNumberSpinWnd::IsAttached() const
{
    return m_spin != nullptr && ::IsWindow(m_spin);
}

void CNumberSpinWnd::SetRange(double min, double max, double step)
{
    m_rules.SetRange(min, max, step);
    ApplyRange();
}

void CNumberSpinWnd::ApplyRange()
{
    if (!IsAttached())
        return;
    ::SendMessageA(m_spin, UDM_SETRANGE32, 0, m_rules.GetRangeSteps());
    Reposition();
}

void CNumberSpinWnd::Reposition()
{
    if (!IsAttached())
        return;
    // Some up-down controls keep the style they were created with and write
    // the integer position into the buddy even once UDS_SETBUDDYINT is gone:
    // the buddy's text is put back then.
    const CString before = BuddyText();
    ::SendMessageA(m_spin, UDM_SETPOS32, 0, m_rules.Position(std::strtod(before.GetString(), nullptr)));
    if (m_buddy != nullptr && ::IsWindow(m_buddy) && BuddyText() != before)
        ::SetWindowTextA(m_buddy, before.GetString());
}

CString CNumberSpinWnd::BuddyText() const
{
    if (m_buddy == nullptr || !::IsWindow(m_buddy))
        return CString();
    const int n = ::GetWindowTextLengthA(m_buddy);
    std::vector<char> text(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
    ::GetWindowTextA(m_buddy, text.data(), n + 1);
    return CString(text.data());
}

BOOL CNumberSpinWnd::SetValue(double value)
{
    if (!IsAttached() || m_buddy == nullptr || !::IsWindow(m_buddy) || !IsClass(m_buddy, "Edit"))
        return FALSE;
    if ((::GetWindowLongPtrA(m_buddy, GWL_STYLE) & ES_READONLY) != 0)
        return FALSE;
    ::SetWindowTextA(m_buddy, m_rules.FormatValue(value).GetString());
    Reposition();
    return TRUE;
}

double CNumberSpinWnd::GetValue() const
{
    return std::strtod(BuddyText().GetString(), nullptr);
}

LRESULT CNumberSpinWnd::OnDeltaPos(const NMUPDOWN& change)
{
    if (!IsAttached() || change.hdr.hwndFrom != m_spin)
        return 0;
    const bool wrap = (::GetWindowLongPtrA(m_spin, GWL_STYLE) & UDS_WRAP) != 0;
    SetValue(m_rules.Step(GetValue(), change.iDelta, wrap));
    return 1;
}
