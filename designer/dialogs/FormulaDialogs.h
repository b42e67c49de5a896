// The formula dialogs: adding user constants (225) and user functions (224)
// to the template's formula engine, and listing the system or user
// constants (221) and functions (220). They work on the control through its
// formula members and report through the user interface's message boxes;
// without a control they do nothing.
#pragma once

#include "base/CString.h"
#include "designer/DesignerDialog.h"
#include "designer/GridControl.gen.h"

#include <vector>

class IDesignerUi;

// The two kinds a list dialog shows: index 0 the system's, 1 the user's.
const char* const kFormulaKindNames[2] = {"系统函数", "自定义函数"};

class CAddUserConstDlg : public CDesignerDialog {
public:
    static const UINT IDD = 225;
    CAddUserConstDlg(IGridControl* grid, IDesignerUi& ui) : m_pGrid(grid), m_pUi(&ui) {}
    UINT DialogId() const override { return IDD; }
    // "添加(&A)": adds the constant; TRUE when added (the value is reset to
    // 0 for the next one). The name edit takes the focus either way.
    BOOL Add();
    // The window shows the messages over itself.
    void SetMessageUi(IDesignerUi& ui) { m_pUi = &ui; }

    CString m_strName;
    double m_dValue = 0;

private:
    IGridControl* m_pGrid;
    IDesignerUi* m_pUi;
};

class CAddUserFunctionDlg : public CDesignerDialog {
public:
    static const UINT IDD = 224;
    static const int kMaxName = 32;
    CAddUserFunctionDlg(IGridControl* grid, IDesignerUi& ui) : m_pGrid(grid), m_pUi(&ui) {}
    UINT DialogId() const override { return IDD; }
    BOOL Add();
    void SetMessageUi(IDesignerUi& ui) { m_pUi = &ui; }

    CString m_strName;   // the edit takes at most kMaxName characters

private:
    IGridControl* m_pGrid;
    IDesignerUi* m_pUi;
};

// A list of the system (kind 0) or user (kind 1) entries.
class CFormulaListBase : public CDesignerDialog {
public:
    explicit CFormulaListBase(IGridControl* grid) : m_pGrid(grid) {}
    // Fills the list for the kind (on opening with kind 0, and on every
    // change of the kind).
    virtual void Fill(int kind) = 0;

    int m_nKind = 0;
    std::vector<CString> m_entries;

protected:
    IGridControl* m_pGrid;
};

// Constants are listed as name-->[value] with six decimals.
class CConstantListDlg : public CFormulaListBase {
public:
    static const UINT IDD = 221;
    using CFormulaListBase::CFormulaListBase;
    UINT DialogId() const override { return IDD; }
    void Fill(int kind) override;
};

// Functions are listed by name; the chosen one is read after IDOK.
class CFormulaListDlg : public CFormulaListBase {
public:
    static const UINT IDD = 220;
    using CFormulaListBase::CFormulaListBase;
    UINT DialogId() const override { return IDD; }
    void Fill(int kind) override;

    CString m_strSelected;
};
