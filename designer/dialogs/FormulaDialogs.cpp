#include "designer/dialogs/FormulaDialogs.h"

#include "base/WinConstants.h"
#include "designer/DesignerUi.h"

namespace {

const char kTip[] = "提示";

}  // namespace

BOOL CAddUserConstDlg::Add()
{
    if (m_pGrid == nullptr)
        return FALSE;
    if (m_strName.IsEmpty()) {
        m_pUi->MessageBox(CString("常量名称不能为空!"), CString(kTip), MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    if (!m_pGrid->FormulaAddUserConst(m_strName, m_dValue)) {
        m_pUi->MessageBox(CString("添加失败,可能模板中已经存在该自定义常量名称!"), CString(kTip),
                        MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    m_dValue = 0;
    m_pUi->MessageBox(CString("添加成功!"), CString(kTip), MB_OK | MB_ICONINFORMATION);
    return TRUE;
}

BOOL CAddUserFunctionDlg::Add()
{
    if (m_pGrid == nullptr)
        return FALSE;
    if (m_strName.IsEmpty()) {
        m_pUi->MessageBox(CString("函数名称不能为空!"), CString(kTip), MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    if (!m_pGrid->FormulaAddUserFun(m_strName.Left(kMaxName), 1)) {
        m_pUi->MessageBox(CString("添加失败,可能模板中已经存在该自定义函数名称!"), CString(kTip),
                        MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    m_pUi->MessageBox(CString("添加成功!"), CString(kTip), MB_OK | MB_ICONINFORMATION);
    return TRUE;
}

void CConstantListDlg::Fill(int kind)
{
    m_nKind = kind;
    m_entries.clear();
    if (m_pGrid == nullptr)
        return;
    const LONG n = kind == 0 ? m_pGrid->FormulaGetSysConstCount() : m_pGrid->FormulaGetUserConstCount();
    for (LONG i = 0; i < n; ++i) {
        CString name;
        double value = 0;
        const bool ok = kind == 0 ? m_pGrid->FormulaGetSysConst(i, name, value) != 0
                                  : m_pGrid->FormulaGetUserConst(static_cast<float>(i), name, value) != 0;
        if (!ok)
            continue;
        CString entry;
        entry.Format("%s-->[%f]", name, value);
        m_entries.push_back(entry);
    }
}

void CFormulaListDlg::Fill(int kind)
{
    m_nKind = kind;
    m_entries.clear();
    if (m_pGrid == nullptr)
        return;
    const LONG n = kind == 0 ? m_pGrid->FormulaGetSysFunCount() : m_pGrid->FormulaGetUserFunCount();
    for (LONG i = 0; i < n; ++i) {
        CString name;
        SHORT category = 0;
        const bool ok = kind == 0 ? m_pGrid->FormulaGetSysFun(i, name, category) != 0
                                  : m_pGrid->FormulaGetUserFun(i, name, category) != 0;
        if (ok)
            m_entries.push_back(name);
    }
}
