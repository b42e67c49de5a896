// The template load test: loads one template file into a sheet of its own,
// measures how long the load took and shows the times.
#pragma once

#include "base/CString.h"
#include "designer/DesignerDialog.h"

enum : UINT { kDlgTemplateTest = 209, kIdcTemplateTestGrid = 1120 };

// A time of day in UTC.
struct CClockTime {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Milliseconds from start to end; a load that runs over midnight counts on
// into the next day instead of turning negative.
long LoadElapsedMs(const CClockTime& start, const CClockTime& end);
// The report shown once the dialog has opened.
CString LoadTestText(const CClockTime& start, const CClockTime& end);

class CTemplateTestDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return kDlgTemplateTest; }
    CString m_strPath;   // the template; empty shows an empty sheet
    // Filled by the window after the load: the report and the load's result.
    CString m_strResult;
    int m_nLoadResult = 0;
};
