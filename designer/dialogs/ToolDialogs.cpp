// Checks of the small value dialogs.
#include "designer/dialogs/ToolDialogs.h"

#include "designer/DesignerUi.h"

#include <cstdlib>

const char* const CImportExcelDlg::kFilter = "Excel文件(*.xls)|*.xls|所有文件(*.*)|*.*||";

bool ParseIntInRange(const CString& text, long low, long high, long& value)
{
    const char* s = text.GetString();
    int i = 0;
    while (s[i] == ' ' || s[i] == '\t')
        ++i;
    bool negative = false;
    if (s[i] == '-' || s[i] == '+') {
        negative = s[i] == '-';
        ++i;
    }
    if (s[i] < '0' || s[i] > '9')
        return false;
    long long n = 0;
    for (; s[i] >= '0' && s[i] <= '9'; ++i) {
        n = n * 10 + (s[i] - '0');
        if (n > 0x7FFFFFFFLL)
            return false;
    }
    while (s[i] == ' ' || s[i] == '\t')
        ++i;
    if (s[i] != '\0')
        return false;
    if (negative)
        n = -n;
    if (n < low || n > high)
        return false;
    value = static_cast<long>(n);
    return true;
}

CString RangeMessage(long low, long high)
{
    CString text;
    text.Format("请输入一个介于 %ld 和 %ld 之间的整数。", low, high);
    return text;
}

CString CImportExcelDlg::Explanation()
{
    return CString("说明:\r\n\t") + "1.请选择要导入的EXCEL文件;\r\n\t" +
           "2.默认导入的EXCEL文件表页序号为1,如果文件中有多个表页,请输入或选择表页号.";
}

bool CImportExcelDlg::Validate(IDesignerUi& ui) const
{
    const char* message = nullptr;
    if (m_strPath.IsEmpty()) {
        message = "EXCEL文件路径不能为空!";
    } else if (m_strSheet.IsEmpty()) {
        message = "EXCEL文件表页序号不能为空!";
    } else {
        // The number must read back as itself: "01", "1a" or " 1" are refused.
        CString again;
        again.Format("%d", std::atoi(m_strSheet.GetString()));
        if (again != m_strSheet)
            message = "请输入数值型的表页序号!";
    }
    if (message == nullptr)
        return true;
    ui.MessageBox(message, "提示", MB_OK | MB_ICONINFORMATION);
    return false;
}
