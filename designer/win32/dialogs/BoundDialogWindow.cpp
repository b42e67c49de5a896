#include "designer/win32/dialogs/BoundDialogWindow.h"

#include "designer/dialogs/AttributeDialog.h"

#include <commdlg.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

int CDialogUi::MessageBox(const CString& text, const CString& caption, UINT type)
{
    return ::MessageBoxA(*m_owner, text, caption, type);
}

int CDialogUi::DoModal(CDesignerDialog& dialog)
{
    return RunDialogWindow(*m_owner, dialog);
}

BOOL CDialogUi::PickColor(COLORREF& color)
{
    static COLORREF custom[16] = {};
    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = *m_owner;
    cc.rgbResult = color;
    cc.lpCustColors = custom;
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!::ChooseColorA(&cc))
        return FALSE;
    color = cc.rgbResult;
    return TRUE;
}

CBoundDialogWindow::CBoundDialogWindow(UINT resourceId, CDesignerDialog* model)
    : CDialogWindow(resourceId), m_model(dynamic_cast<CAttributeDialog*>(model))
{
}

void CBoundDialogWindow::BindText(int id, CString* field)
{
    m_bindings.push_back({id, Kind::Text, field, {}});
}
void CBoundDialogWindow::BindInt(int id, int* field)
{
    m_bindings.push_back({id, Kind::Int, field, {}});
}
void CBoundDialogWindow::BindLong(int id, LONG* field)
{
    m_bindings.push_back({id, Kind::Long, field, {}});
}
void CBoundDialogWindow::BindDouble(int id, double* field)
{
    m_bindings.push_back({id, Kind::Double, field, {}});
}
void CBoundDialogWindow::BindCheck(int id, int* field)
{
    m_bindings.push_back({id, Kind::Check, field, {}});
}
void CBoundDialogWindow::BindBool(int id, BOOL* field)
{
    m_bindings.push_back({id, Kind::Bool, field, {}});
}
void CBoundDialogWindow::BindList(int id, int* field, const std::vector<CString>& entries)
{
    m_bindings.push_back({id, Kind::List, field, entries});
}
void CBoundDialogWindow::BindColour(int id, COLORREF* field)
{
    m_bindings.push_back({id, Kind::Colour, field, {}});
}

void CBoundDialogWindow::BindSpin(int spinId, int buddyId, double min, double max, double step, int decimals)
{
    m_spinBindings.push_back({spinId, buddyId, min, max, step, decimals});
}

void CBoundDialogWindow::Enable(int id, bool on)
{
    ::EnableWindow(Item(id), on ? TRUE : FALSE);
    for (const SpinBinding& s : m_spinBindings)
        if (s.buddyId == id)
            ::EnableWindow(Item(s.spinId), on ? TRUE : FALSE);
}

CXColourPicker* CBoundDialogWindow::ColourButton(int id)
{
    for (Binding& b : m_bindings)
        if (b.kind == Kind::Colour && b.id == id)
            return b.picker.get();
    return nullptr;
}

void CBoundDialogWindow::FillList(int id, const std::vector<CString>& entries, int selected)
{
    HWND box = Item(id);
    ::SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (const CString& e : entries)
        ::SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.GetString()));
    ::SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void CBoundDialogWindow::WriteFields()
{
    for (Binding& b : m_bindings) {
        switch (b.kind) {
        case Kind::Text:
            SetItemText(b.id, *static_cast<CString*>(b.field));
            break;
        case Kind::Int:
            ::SetDlgItemInt(Hwnd(), b.id, static_cast<UINT>(*static_cast<int*>(b.field)), TRUE);
            break;
        case Kind::Long:
            ::SetDlgItemInt(Hwnd(), b.id, static_cast<UINT>(*static_cast<LONG*>(b.field)), TRUE);
            break;
        case Kind::Double: {
            char text[64];
            std::snprintf(text, sizeof text, "%g", *static_cast<double*>(b.field));
            SetItemText(b.id, CString(text));
            break;
        }
        case Kind::Check:
            SetCheck(b.id, *static_cast<int*>(b.field) ? BST_CHECKED : BST_UNCHECKED);
            break;
        case Kind::Bool:
            SetCheck(b.id, *static_cast<BOOL*>(b.field) ? BST_CHECKED : BST_UNCHECKED);
            break;
        case Kind::List:
            FillList(b.id, b.entries, *static_cast<int*>(b.field));
            break;
        case Kind::Colour:
            b.colour = *static_cast<COLORREF*>(b.field);
            if (b.picker != nullptr)
                b.picker->SetColour(b.colour);
            ::InvalidateRect(Item(b.id), nullptr, TRUE);
            break;
        }
    }
}

BOOL CBoundDialogWindow::ReadFields()
{
    for (Binding& b : m_bindings) {
        switch (b.kind) {
        case Kind::Text:
            *static_cast<CString*>(b.field) = GetItemText(b.id);
            break;
        case Kind::Int:
        case Kind::Long: {
            const CString text = GetItemText(b.id);
            char* end = nullptr;
            errno = 0;
            const long value = std::strtol(text, &end, 10);
            if (text.IsEmpty() || end == nullptr || *end != '\0' || errno == ERANGE || value > 0x7fffffffL ||
                value < -0x7fffffffL - 1) {
                ::MessageBoxA(Hwnd(), "请输入一个整数。", "提示", MB_OK | MB_ICONEXCLAMATION);
                ::SetFocus(Item(b.id));
                return FALSE;
            }
            if (b.kind == Kind::Int)
                *static_cast<int*>(b.field) = static_cast<int>(value);
            else
                *static_cast<LONG*>(b.field) = static_cast<LONG>(value);
            break;
        }
        case Kind::Double: {
            const CString text = GetItemText(b.id);
            char* end = nullptr;
            const double value = std::strtod(text, &end);
            if (text.IsEmpty() || end == nullptr || *end != '\0' || !std::isfinite(value)) {
                ::MessageBoxA(Hwnd(), "请输入一个数值。", "提示", MB_OK | MB_ICONEXCLAMATION);
                ::SetFocus(Item(b.id));
                return FALSE;
            }
            *static_cast<double*>(b.field) = value;
            break;
        }
        case Kind::Check:
            *static_cast<int*>(b.field) = GetCheck(b.id) == BST_CHECKED ? 1 : 0;
            break;
        case Kind::Bool:
            *static_cast<BOOL*>(b.field) = GetCheck(b.id) == BST_CHECKED ? TRUE : FALSE;
            break;
        case Kind::List:
            *static_cast<int*>(b.field) = static_cast<int>(::SendMessageA(Item(b.id), CB_GETCURSEL, 0, 0));
            break;
        case Kind::Colour:
            if (b.picker != nullptr)
                b.colour = b.picker->GetColour();
            *static_cast<COLORREF*>(b.field) = b.colour;
            break;
        }
    }
    return TRUE;
}

BOOL CBoundDialogWindow::OnInitDialog()
{
    m_self = Hwnd();
    for (Binding& b : m_bindings) {
        if (b.kind != Kind::Colour)
            continue;
        b.picker = std::make_unique<CXColourPicker>();
        if (!b.picker->SubclassDlgItem(static_cast<UINT>(b.id), Hwnd()))
            b.picker.reset();
    }
    WriteFields();
    for (const SpinBinding& b : m_spinBindings)
        AttachSpin(b.spinId, b.buddyId, b.min, b.max, b.step, b.decimals);
    if (onInit)
        onInit(*this);
    if (onUpdate)
        onUpdate(*this);
    return TRUE;
}

BOOL CBoundDialogWindow::OnCommand(UINT id, UINT code, HWND control)
{
    for (Binding& b : m_bindings) {
        if (b.kind == Kind::Colour && b.picker == nullptr && static_cast<UINT>(b.id) == id && code == BN_CLICKED) {
            COLORREF colour = b.colour;
            if (m_ui.PickColor(colour)) {
                b.colour = colour;
                ::InvalidateRect(Item(b.id), nullptr, TRUE);
            }
            return TRUE;
        }
    }
    if (id != IDOK && id != IDCANCEL && onCommand && onCommand(*this, id, code)) {
        if (onUpdate)
            onUpdate(*this);
        return TRUE;
    }
    const BOOL handled = CDialogWindow::OnCommand(id, code, control);
    if (!handled && onUpdate && (code == BN_CLICKED || code == CBN_SELCHANGE))
        onUpdate(*this);
    return handled;
}

INT_PTR CBoundDialogWindow::OnMessage(UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_DRAWITEM)
        return FALSE;
    auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    for (const Binding& b : m_bindings) {
        if (b.kind != Kind::Colour || b.picker != nullptr || di == nullptr || static_cast<int>(di->CtlID) != b.id)
            continue;
        RECT rc = di->rcItem;
        ::DrawEdge(di->hDC, &rc, (di->itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
        ::InflateRect(&rc, -2, -2);
        const bool enabled = (di->itemState & ODS_DISABLED) == 0;
        HBRUSH brush = ::CreateSolidBrush(enabled ? b.colour : ::GetSysColor(COLOR_BTNFACE));
        ::FillRect(di->hDC, &rc, brush);
        ::DeleteObject(brush);
        ::FrameRect(di->hDC, &rc, static_cast<HBRUSH>(::GetStockObject(enabled ? BLACK_BRUSH : GRAY_BRUSH)));
        if (di->itemState & ODS_FOCUS) {
            ::InflateRect(&rc, -2, -2);
            ::DrawFocusRect(di->hDC, &rc);
        }
        ::SetWindowLongPtrA(Hwnd(), DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    return FALSE;
}

void CBoundDialogWindow::OnOK()
{
    if (!ReadFields())
        return;
    if (onRead)
        onRead(*this);
    if (m_model != nullptr && !m_model->Accept(m_ui)) {
        if (m_model->FocusField() != 0)
            ::SetFocus(Item(m_model->FocusField()));
        return;
    }
    EndDialog(IDOK);
}
