// The messages the formula engine leaves in its last error text. Compiler
// messages with "%d" take the 0-based position of the offending byte.
#pragma once

// --- compiling --------------------------------------------------------------
#define FORMULA_MSG_FUNCTION_NOT_FOUND "没有找到相应的函数,请确认函数是否存在或是否函数名后有空格."
#define FORMULA_MSG_UNMATCHED_CLOSE "公式语法错误,在%d发现\")\"但没有找到与之匹配的\"(\",请确认!"
#define FORMULA_MSG_NO_OPERAND_BEFORE "公式语法错误,在%d处的\"+\"前面没有操作数, 请确认!"
#define FORMULA_MSG_MISSING_OPERAND "公式解析错误,缺少操作数,请检查公式语法!"
#define FORMULA_MSG_UNMATCHED_SYMBOL "公式解析错误,无法找到与\"%c\"相匹配的符号,请检查公式语法!"
#define FORMULA_MSG_UNKNOWN_KEYWORD_HEAD "无法识别的关键字参数 , ["
#define FORMULA_MSG_UNKNOWN_KEYWORD_TAIL "] !"
#define FORMULA_MSG_CELL_BAD_CHAR "单元格表示错误,有非正常字符, 请确认!"
#define FORMULA_MSG_CELL_NO_COLON "单元格表示错误,没有\":\"符号分隔单元格区域, 请确认!"
#define FORMULA_MSG_RANGE_DIGIT_AFTER_COLON "区域表示错误, \":\"后必须是列标, 请确认!"
#define FORMULA_MSG_RANGE_BAD_AFTER_COLON "区域表示错误,\":\"符号后单元格不正确, 请确认!"
#define FORMULA_MSG_BAD_NUMBER "数值格式不正常,请确认!"
// Two operands with nothing between them ("A1 B1", "(1)(2)").
#define FORMULA_MSG_MISSING_OPERATOR "公式语法错误,在%d处缺少运算符, 请确认!"
// A "," that does not separate the arguments of a function ("1,2").
#define FORMULA_MSG_STRAY_COMMA "公式语法错误,在%d处的\",\"不在函数的参数中, 请确认!"

// --- evaluating -------------------------------------------------------------
#define FORMULA_MSG_DIVIDE_BY_ZERO "#被除数为0!"
// A result that is no finite number (SQRT(-1), LN(0), an overflow).
#define FORMULA_MSG_NOT_A_NUMBER "#数值计算错误!"
#define FORMULA_MSG_ARG_COUNT_TAIL "函数参数个数不正确!"
#define FORMULA_MSG_RANGE_ARG_TAIL "函数的参数中有不能直接参与计算的区域参数,例如B2:C4 ."
#define FORMULA_MSG_AVERAGE_NO_ARGS "平均函数没有参数!"
#define FORMULA_MSG_RAND_HAS_ARGS "RAND函数不允许有参数!"
// Brackets and signs nested deeper than the evaluator follows.
#define FORMULA_MSG_TOO_DEEP "#公式嵌套层数太多!"
// REPT would give more than FORMULA_MAX_REPT_LENGTH bytes.
#define FORMULA_MSG_REPT_TOO_LONG "REPT函数的结果太长!"
// A reference to a row or column that was deleted. The formula text shows the
// same words where the reference stood; the workbook rendering writes
// FORMULA_EXPORT_INVALID_REFERENCE, a workbook's own error literal.
#define FORMULA_MSG_INVALID_REFERENCE "#引用无效!"
#define FORMULA_EXPORT_INVALID_REFERENCE "#REF!"

// --- formula cells ------------------------------------------------------------
// The text of a formula cell whose formula did not compile, or that lies on a
// cycle of references.
#define FORMULA_MSG_FORMULA_ERROR "#公式错误!"
