// The words the database managers write into their lists, and the texts of
// the field markers written into the cells of bound fields.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

namespace dblist {

// Control text of the managers' check-box columns; the cell's "setcheck"
// property carries the flag.
extern const char* const kCheckBoxControl;

// "表头填充", "表体填充", "表尾填充" for fill types 0, 1, 2; "" otherwise.
CString FillTypeText(long fillType);
// "绑定%d个字段", or "自动绑定" for a binding without fields.
CString FieldCountText(long fieldCount);
// "固定值绑定", "序列绑定", "字段绑定" for field bind types 0, 1, 2.
CString FieldBindTypeText(long bindType);
// "无统计", "合计", "平均", "最大", "最小", "计数" for statistics 0 to 5.
CString StatisticsText(long statistics);
// "任意", "查询", "表格", "存储过程" for SQL command types 0 to 3.
CString SqlTypeWord(long commandType);
// A field's default value: the number when its type is not 0, else the text.
CString DefaultValueText(long defDataType, double number, const CString& text);
// "%d" of a number.
CString NumberText(long value);

}  // namespace dblist

// Markers written into the cell of a bound field: "[name]" for a field
// binding (2), "[填充序列]" for a serial (1), "[空绑定]" for an empty
// binding (0). Another value gives an empty marker after the database menu's
// bound-field manager and the field name as it stands after the report
// wizard.
CString FieldMarkerAfterManager(long bindType, const CString& fieldName);
CString FieldMarkerAfterWizard(long bindType, const CString& fieldName);
