// The two batch tools of the tools menu as portable models: converting a
// folder of workbooks into templates, and re-merging every merged block of a
// folder of templates. Each works through a grid control of its own (the
// dialog's hosted control on Windows, the in-process control in tests) and
// the file-system interface of the user interface, reporting in its boxes.
#pragma once

#include "base/CString.h"
#include "designer/DesignerDialog.h"

#include <functional>

class IDesignerUi;
class IDesignerFiles;
class IGridControl;

class CBatchExcelConvertDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return 259; }
    static CString Explanation();

    // "开始转换(&T)": checks the two folders, converts every workbook and
    // shows the count. Answers the count (-1 when a folder was missing).
    int Start(IGridControl& hosted);

    CString m_strExcelDir;
    CString m_strTargetDir;
    bool m_bSubFolders = true;
    CString m_strCurrentFile;
    int m_nCount = 0;
    IDesignerUi* m_ui = nullptr;
    // Called whenever the current file changes (the window shows it).
    std::function<void()> m_onProgress;

private:
    void Walk(IGridControl& hosted, IDesignerFiles& files, const CString& folder);
    void Convert(IGridControl& hosted, IDesignerFiles& files, const CString& path);
    bool MakeFolders(IDesignerFiles& files, const CString& directory);
};

class CRemergeDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return 214; }
    static CString Explanation();

    // "重置(&R)": re-merges every template of the folder and shows the count;
    // answers it.
    int Reset(IGridControl& hosted);
    // Takes every merged block of the sheet apart and merges it again, once
    // per block; a check-box block gets its first cell's value in every
    // cell. pump runs after each row.
    static void RemergeSheet(IGridControl& grid, const std::function<void()>& pump);

    CString m_strFolder;
    CString m_strCurrentFile;
    IDesignerUi* m_ui = nullptr;
    std::function<void()> m_onProgress;
};
