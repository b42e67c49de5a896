// The batch conversion of workbooks and the batch re-merge of templates.
#include "designer/dialogs/BatchDialogs.h"

#include "designer/DesignerFiles.h"
#include "designer/DesignerUi.h"
#include "designer/GridControl.gen.h"

#include <vector>

namespace {

// The folder without separators at its end ("C:\" stays "C:").
CString TrimFolder(const CString& folder, char sep)
{
    CString f = folder;
    while (f.GetLength() > 0 && (f[f.GetLength() - 1] == sep || f[f.GetLength() - 1] == '/' ||
                                 f[f.GetLength() - 1] == '\\'))
        f = f.Left(f.GetLength() - 1);
    return f;
}

bool IsWorkbookName(const CString& name)
{
    const int dot = name.ReverseFind('.');
    return dot >= 0 && name.Mid(dot + 1).CompareNoCase("xls") == 0;
}

bool IsTemplateName(const CString& name)
{
    const int dot = name.ReverseFind('.');
    return dot >= 0 && name.Mid(dot + 1).CompareNoCase("kvx") == 0;
}

const UINT kStop = MB_OK | MB_ICONSTOP;
const UINT kInfo = MB_OK | MB_ICONINFORMATION;

}  // namespace

CString CBatchExcelConvertDlg::Explanation()
{
    return CString("说明:\r\n\t") +
           "1.选择需要转换的EXCEL文件夹,如果勾上[包含子文件夹],则连同子文件夹中的文件一起转换;\r\n\t" +
           "2.选择生成卡沃的目标文件夹,如果勾上[生成相同子文件夹],则生成与EXCEL文件夹中同样的目录结构;";
}

int CBatchExcelConvertDlg::Start(IGridControl& hosted)
{
    if (m_ui == nullptr)
        return -1;
    if (m_strExcelDir.IsEmpty()) {
        m_ui->MessageBox("EXCEL文件目录不能为空!", "提示", kInfo);
        return -1;
    }
    if (m_strTargetDir.IsEmpty()) {
        m_ui->MessageBox("卡沃存放目录不能为空!", "提示", kInfo);
        return -1;
    }
    m_nCount = 0;
    IDesignerFiles* files = m_ui->Files();
    if (files != nullptr)
        Walk(hosted, *files, TrimFolder(m_strExcelDir, files->Separator()));
    CString text;
    text.Format("共成功转出%d个文件!", m_nCount);
    m_ui->MessageBox(text, "提示", kInfo);
    return m_nCount;
}

void CBatchExcelConvertDlg::Walk(IGridControl& hosted, IDesignerFiles& files, const CString& folder)
{
    std::vector<CDesignerFileEntry> entries;
    if (!files.List(folder, entries))
        return;
    for (const CDesignerFileEntry& e : entries) {
        const CString path = folder + files.Separator() + e.name;
        if (e.directory) {
            if (m_bSubFolders && !e.name.IsEmpty() && e.name[0] != '.')
                Walk(hosted, files, path);
        } else if (IsWorkbookName(e.name)) {
            Convert(hosted, files, path);
        }
        if (m_ui != nullptr)
            m_ui->PumpMessages();
    }
}

bool CBatchExcelConvertDlg::MakeFolders(IDesignerFiles& files, const CString& directory)
{
    const char sep = files.Separator();
    for (int i = 0; i <= directory.GetLength(); ++i) {
        if (i < directory.GetLength() && directory[i] != sep)
            continue;
        const CString level = directory.Left(i);
        if (level.IsEmpty() || (level.GetLength() == 2 && level[1] == ':'))
            continue;   // the root, or a drive
        if (!files.IsDirectory(level) && !files.MakeDirectory(level))
            return false;
    }
    return true;
}

void CBatchExcelConvertDlg::Convert(IGridControl& hosted, IDesignerFiles& files, const CString& path)
{
    m_strCurrentFile = path;
    if (m_onProgress)
        m_onProgress();
    if (hosted.GridImportExcelFileForOle(path, CString(), 1) != 1) {
        m_ui->MessageBox("[" + path + "] 文件无法打开,转换失败!", "提示", kStop);
        return;
    }
    // The workbook's place below the Excel folder, under the target folder.
    const char sep = files.Separator();
    const CString source = TrimFolder(m_strExcelDir, sep);
    const CString target = TrimFolder(m_strTargetDir, sep);
    const CString relative = path.Mid(source.GetLength());
    const CString targetPath = target + relative;
    const int lastSep = targetPath.ReverseFind(sep);
    const CString directory = lastSep >= 0 ? targetPath.Left(lastSep) : target;
    if (!MakeFolders(files, directory)) {
        m_ui->MessageBox("[" + directory + "] 文件夹创建不成功,无法转换成卡沃文件!", "提示", kStop);
        return;
    }
    const int nameStart = path.ReverseFind(sep) + 1;
    CString base = path.Mid(nameStart);
    const int dot = base.ReverseFind('.');
    if (dot >= 0)
        base = base.Left(dot);
    const CString saved = directory + sep + base + ".kvx";
    if (hosted.GridSaveFile(saved, CString()) != 1) {
        m_ui->MessageBox("[" + saved + "] 文件保存失败,转换失败!", "提示", kStop);
        return;
    }
    ++m_nCount;
}

CString CRemergeDlg::Explanation()
{
    return CString("说明: \r\n    由于卡沃早期版本未处理合并单元格的分页问题,所以需要早期版本的KVX模板需要重新合并再保存即可.\r\n") +
           "    本工具用于批量重新合并模板,用户选择模板路径,点击重置即可自动完成!";
}

void CRemergeDlg::RemergeSheet(IGridControl& grid, const std::function<void()>& pump)
{
    for (LONG r = 0; r < grid.RowGetCount(); ++r) {
        for (LONG c = 0; c < grid.ColumnGetCount(); ++c) {
            if (!grid.CellIsMerged(r, c))
                continue;
            LONG r1 = 0, c1 = 0, r2 = 0, c2 = 0;
            if (!grid.CellGetMergeRange(r, c, r1, c1, r2, c2))
                continue;
            // Each block once, from its first cell; its other cells are done.
            if (r1 != r || c1 != c)
                continue;
            const CString value = grid.CellGetValue(r1, c1);
            const bool checkBox = grid.CellGetControlType(r1, c1) == 2;
            grid.GridUnMergeCellsEx(r, c);
            if (checkBox)
                for (LONG rr = r1; rr <= r2; ++rr)
                    for (LONG cc = c1; cc <= c2; ++cc)
                        grid.CellSetValue(rr, cc, value);
            grid.GridMergeCells(r1, c1, r2, c2);
        }
        if (pump)
            pump();
    }
}

int CRemergeDlg::Reset(IGridControl& hosted)
{
    if (m_ui == nullptr)
        return 0;
    IDesignerFiles* files = m_ui->Files();
    int count = 0;
    std::vector<CDesignerFileEntry> entries;
    const char sep = files != nullptr ? files->Separator() : '\\';
    const CString folder = TrimFolder(m_strFolder, sep);
    if (files != nullptr && !folder.IsEmpty() && files->List(folder, entries)) {
        for (const CDesignerFileEntry& e : entries) {
            // Folders and read-only files are left alone.
            if (e.directory || e.readOnly || !IsTemplateName(e.name))
                continue;
            const CString path = folder + sep + e.name;
            m_strCurrentFile = e.name;
            if (m_onProgress)
                m_onProgress();
            // A template that did not open is never saved over.
            if (hosted.GridOpenFile(path, CString()) != 1) {
                m_ui->MessageBox("[" + path + "] 文件无法打开,未重新合并!", "提示", kStop);
                continue;
            }
            RemergeSheet(hosted, [this] { m_ui->PumpMessages(); });
            if (hosted.GridSaveFile(path, CString()) != 1) {
                m_ui->MessageBox("[" + path + "] 文件无法保存,未重新合并!", "提示", kStop);
                continue;
            }
            ++count;
        }
    }
    CString text;
    text.Format("共成功处理%d个KVX模板文件!", count);
    m_ui->MessageBox(text, "提示", kInfo);
    return count;
}
