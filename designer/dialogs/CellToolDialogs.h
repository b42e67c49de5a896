// Small dialogs of the cell menu: the footnote (memo or tip) text and the
// control's picture list.
#pragma once

#include "base/CString.h"
#include "designer/DesignerDialog.h"

#include <vector>

class IDesignerUi;
class IGridControl;

const UINT kDlgFootnote = 153;
const UINT kDlgPictureList = 264;

// "脚注": one text, preset by the caller and read back after OK.
class CFootnoteDlg : public CDesignerDialog {
public:
    UINT DialogId() const override { return kDlgFootnote; }
    CString m_strText;  // 1045
};

// "图片列表": adds pictures to the control's picture list and deletes them;
// it acts on the control itself and reports with message boxes ("提示").
class CImageListDlg : public CDesignerDialog {
public:
    CImageListDlg(IGridControl* grid, IDesignerUi& ui);
    UINT DialogId() const override { return kDlgPictureList; }

    // The picture ids in list order and their entries ("图片INDEX:[id]").
    const std::vector<long>& Ids() const { return m_ids; }
    static CString EntryText(long id);
    // Rebuilds the list from the control.
    void Load();

    CString m_strPath;  // 1142
    // "添加(&A)": adds the picture at m_strPath; TRUE when it was added (the
    // path is then cleared). A missing file says "文件不存在!".
    BOOL Add();
    // "删除(&D)": deletes the picture of list entry `index`; without one
    // "请选择图片!".
    BOOL Delete(int index);

    static const char* const kFileFilter;

private:
    IGridControl* m_grid;
    IDesignerUi& m_ui;
    std::vector<long> m_ids;
};
