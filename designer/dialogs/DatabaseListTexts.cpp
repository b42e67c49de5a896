#include "designer/dialogs/DatabaseListTexts.h"

namespace dblist {

const char* const kCheckBoxControl = "<control controltype = \"checkbox\" displaystyle = \"2\" align = \"2\" ></control>";

namespace {
CString Pick(long index, std::initializer_list<const char*> words)
{
    if (index < 0 || static_cast<size_t>(index) >= words.size())
        return CString();
    return CString(*(words.begin() + index));
}
}  // namespace

CString FillTypeText(long fillType) { return Pick(fillType, {"表头填充", "表体填充", "表尾填充"}); }

CString FieldCountText(long fieldCount)
{
    if (fieldCount == 0)
        return CString("自动绑定");
    CString s;
    s.Format("绑定%d个字段", static_cast<int>(fieldCount));
    return s;
}

CString FieldBindTypeText(long bindType) { return Pick(bindType, {"固定值绑定", "序列绑定", "字段绑定"}); }

CString StatisticsText(long statistics)
{
    return Pick(statistics, {"无统计", "合计", "平均", "最大", "最小", "计数"});
}

CString SqlTypeWord(long commandType) { return Pick(commandType, {"任意", "查询", "表格", "存储过程"}); }

CString DefaultValueText(long defDataType, double number, const CString& text)
{
    if (defDataType == 0)
        return text;
    CString s;
    s.Format("%g", number);
    return s;
}

CString NumberText(long value)
{
    CString s;
    s.Format("%d", static_cast<int>(value));
    return s;
}

}  // namespace dblist

namespace {
bool KnownMarker(long bindType, const CString& fieldName, CString& marker)
{
    switch (bindType) {
    case 0: marker = "[空绑定]"; return true;
    case 1: marker = "[填充序列]"; return true;
    case 2: marker = "[" + fieldName + "]"; return true;
    default: return false;
    }
}
}  // namespace

CString FieldMarkerAfterManager(long bindType, const CString& fieldName)
{
    CString marker;
    return KnownMarker(bindType, fieldName, marker) ? marker : CString();
}

CString FieldMarkerAfterWizard(long bindType, const CString& fieldName)
{
    CString marker;
    return KnownMarker(bindType, fieldName, marker) ? marker : fieldName;
}
