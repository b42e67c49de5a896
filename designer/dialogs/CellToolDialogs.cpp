#include "designer/dialogs/CellToolDialogs.h"

#include "designer/DesignerUi.h"
#include "designer/GridControl.gen.h"

#include <cstdio>

const char* const CImageListDlg::kFileFilter =
    "常见图片文件:JPG/JPEG,BMP,GIF,ICO|*.jpg;*.jpeg;*.bmp;*.gif;*.ico|其它图片文件:WMF,TIFF,DIB,EMF|"
    "*.wmf;*.tiff;*.dib;*.emf|所有文件(*.*)|*.*||";

CImageListDlg::CImageListDlg(IGridControl* grid, IDesignerUi& ui) : m_grid(grid), m_ui(ui)
{
    Load();
}

CString CImageListDlg::EntryText(long id)
{
    CString text;
    text.Format("图片INDEX:[%ld]", id);
    return text;
}

void CImageListDlg::Load()
{
    m_ids.clear();
    if (m_grid == nullptr)
        return;
    const LONG count = m_grid->GridGetImageCount();
    for (LONG i = 0; i < count; ++i)
        m_ids.push_back(m_grid->GridGetImageIndex(i));
}

BOOL CImageListDlg::Add()
{
    bool exists = false;
    if (!m_strPath.IsEmpty() && m_grid != nullptr) {
        if (std::FILE* f = std::fopen(m_strPath, "rb")) {
            exists = true;
            std::fclose(f);
        }
    }
    if (!exists) {
        m_ui.MessageBox(CString("文件不存在!"), CString("提示"), MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    const LONG id = m_grid->GridAddImage(m_strPath);
    if (id < 0) {
        m_ui.MessageBox(CString("添加图片失败!"), CString("提示"), MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    m_ids.push_back(id);
    m_strPath.Empty();
    return TRUE;
}

BOOL CImageListDlg::Delete(int index)
{
    if (index < 0 || index >= static_cast<int>(m_ids.size()) || m_grid == nullptr) {
        m_ui.MessageBox(CString("请选择图片!"), CString("提示"), MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    m_grid->GridDeleteImage(m_ids[static_cast<size_t>(index)]);
    m_ids.erase(m_ids.begin() + index);
    m_ui.MessageBox(CString("删除成功!"), CString("提示"), MB_OK | MB_ICONINFORMATION);
    return TRUE;
}
