// The report wizard: five steps (explanation, data source, data set,
// binding, bound fields), each working page creating or updating one object
// of the template's database model. This is the wizard's step logic; the
// pages' own work is reached through IWizardPages so that the Windows
// dialog and tests drive the same steps.
#pragma once

#include "designer/DesignerDialog.h"
#include "designer/dialogs/BindDlg.h"
#include "designer/dialogs/ConnectionDlg.h"
#include "designer/dialogs/DataSetSql.h"

class IGridControl;

enum : UINT {
    kDlgReportWizard = 239,
    kDlgWizardConnection = 226,
    kDlgWizardTable = 227,
    kDlgWizardBind = 228,
    kDlgWizardField = 236,
    kIdcWizSkip = 1145,
    kIdcWizBack = 1169,
    kIdcWizNext = 1168,
    kIdcWizCancel = 1130,
    kIdcWizText = 1160,
    kIdcWizTableConnection = 1105,
    kIdcWizTableName = 1123,
    kIdcWizTableCondition = 1124,
    kIdcWizTableTables = 1174,
    kIdcWizMakeMarkers = 1179,
};

struct WizardStep {
    const char* caption;
    bool showSkip, showBack, showNext;
    bool enableCancel;
    const char* nextText;
};

// The five steps in order.
const WizardStep& WizardStepAt(int step);
// The explanation of the first step.
CString WizardExplanation();

// What the wizard asks of its pages.
class IWizardPages {
public:
    virtual ~IWizardPages() = default;
    // Data-source page: validate and create or update the connection.
    virtual bool CreateConnection(CString& connName) = 0;
    // Data-set page.
    virtual void SetConnection(const CString& connName) = 0;
    virtual bool CreateDataSet(CString& connName, CString& dataSetName) = 0;
    // Binding page: preselect the connection and data set and reload its
    // connection list.
    virtual void LoadBindConnections(const CString& connName, const CString& dataSetName) = 0;
    virtual bool CreateBind(CString& bindName) = 0;
    // Bound-field page.
    virtual void SetBind(const CString& bindName) = 0;
    virtual bool MarkersChecked() = 0;
    // Writes the field markers of every binding into the cells.
    virtual void WriteMarkers() = 0;
};

class CReportWizardDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return kDlgReportWizard; }
    IGridControl* m_pGrid = nullptr;   // the view's control, set by the caller

    enum Outcome { Stayed, Moved, Finished };

    int Step() const { return m_step; }
    const WizardStep& Current() const { return WizardStepAt(m_step); }
    void Reset() { m_step = 0; }

    // Next: steps 1 to 3 move only when their page's create succeeded; step
    // 4 writes the markers when asked and finishes (the dialog ends with OK).
    Outcome Next(IWizardPages& pages);
    // Back and Skip stay within the steps and create nothing.
    void Back();
    void Skip();
    // Cancel (and the close box) end the dialog with cancel at any step; the
    // button itself is disabled on the last step.

private:
    void GoTo(int step);
    int m_step = 0;
};
