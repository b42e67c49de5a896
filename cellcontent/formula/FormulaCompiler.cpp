// The formula compiler: one left-to-right pass over the bytes of the formula
// text that builds the token list.
//
// Operand text is collected byte by byte (a two-byte character as a unit) and
// resolved when a blank, bracket, comma, operator or the end completes it: into
// a text (from double quotes), a constant name, a cell or range reference, or a
// number. A "-" where an operand is expected (at the start, after an operator,
// "(" or ",") is a sign: in front of a number it belongs to the number, in front
// of a reference, constant or function it becomes a "-" operator token that the
// evaluator applies to that one operand.
//
// A byte that gives a message pushes nothing and the pass goes on; a later
// message replaces an earlier one, and any message fails the compile.

#include "cellcontent/formula/FormulaEngine.h"

#include "base/Cp936.h"
#include "base/NumberText.h"
#include "cellcontent/formula/CellNameConverter.h"
#include "cellcontent/formula/FormulaMessages.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Bytes of the character at i: a lead byte takes the next byte with it only
// when that is a possible trail byte, so a bracket, quote, comma or blank
// after a stray lead byte keeps its meaning.
int CharLengthAt(const char* s, int n, int i)
{
    return cp936::IsLeadByte(s[i]) && i + 1 < n && cp936::IsTrailByte(static_cast<unsigned char>(s[i + 1])) ? 2 : 1;
}

// What came last, for telling a sign from an operator and for finding two
// operands with nothing between them.
enum class Previous { Start, Operand, Operator, Open, Comma };

// One cell of a reference as written: column letters or "_", row digits or "_".
struct CellPart {
    std::string strLetters;
    bool bOwnColumn = false;
    std::string strDigits;
    bool bOwnRow = false;

    bool HasColumn() const { return !strLetters.empty() || bOwnColumn; }
    bool HasRow() const { return !strDigits.empty() || bOwnRow; }
};

}  // namespace

struct CFormulaEngine::Compiler {
    CFormulaEngine& engine;
    const int nRow;
    const int nColumn;
    const char* const s;
    const int n;
    CFormulaTokenList& list;

    std::string strOperand;          // operand text being collected
    int nOperandStart = 0;           // position of its first byte
    int nPendingBlanks = 0;
    bool bOperandSeen = false;       // some operand has been completed
    bool bTrailingOperator = false;  // the last token pushed is an operator or ","
    std::string strBrackets;         // open "(" and opening quotes
    std::vector<bool> functionBrackets;  // per open "(": does it hold a function's arguments
    Previous previous = Previous::Start;
    bool bFailed = false;

    Compiler(CFormulaEngine& e, int row, int column, const char* text, int length, CFormulaTokenList& l)
        : engine(e), nRow(row), nColumn(column), s(text), n(length), list(l)
    {
    }

    WORD TakeBlanks()
    {
        const WORD nBlanks = static_cast<WORD>(std::min(nPendingBlanks, 0xFFFF));
        nPendingBlanks = 0;
        return nBlanks;
    }

    void Message(const char* pszFormat, int nPosition)
    {
        CString strMessage;
        strMessage.Format(pszFormat, nPosition);
        engine.SetError(strMessage, nPosition);
        bFailed = true;
    }

    void PlainMessage(const CString& strMessage, int nPosition)
    {
        engine.SetError(strMessage, nPosition);
        bFailed = true;
    }

    // Called where an operand (or a bracketed group) begins.
    void BeginOperand(int nPosition)
    {
        if (previous == Previous::Operand)
            Message(FORMULA_MSG_MISSING_OPERATOR, nPosition);
    }

    bool AtSignPosition() const
    {
        return previous == Previous::Start || previous == Previous::Operator || previous == Previous::Open ||
               previous == Previous::Comma;
    }

    void PushOperand(const CFormulaOperandObject& operand, WORD nBlanks)
    {
        list.Add(CFormulaToken::Operand(operand, nBlanks));
    }

    void CompleteOperand()
    {
        if (strOperand.empty())
            return;
        const std::string strText = strOperand;
        strOperand.clear();
        // An operand that does not resolve keeps its own message: it does not
        // count as an operand standing in front of the next one.
        if (ResolveOperand(strText, nOperandStart, TakeBlanks()))
            previous = Previous::Operand;
        bOperandSeen = true;
        bTrailingOperator = false;
    }

    // Whether the text holds a digit or "_" (two-byte characters skipped whole).
    static bool HasDigitOrOwnMarker(const std::string& strText)
    {
        const int nLength = static_cast<int>(strText.size());
        for (int i = 0; i < nLength; i += CharLengthAt(strText.data(), nLength, i)) {
            if (IsDigit(strText[i]) || strText[i] == '_')
                return true;
        }
        return false;
    }

    bool ResolveOperand(std::string strText, int nPosition, WORD nBlanks)
    {
        // A sign in front of a reference, a constant or a (two-byte) name.
        if (strText.size() > 1 && strText[0] == '-' &&
            (IsAsciiLetter(strText[1]) || strText[1] == '_' || cp936::IsLeadByte(strText[1]))) {
            list.Add(CFormulaToken::Operator(FORMULA_OP_SUBTRACT, nBlanks));
            nBlanks = 0;
            strText.erase(0, 1);
            ++nPosition;
        }
        if (!HasDigitOrOwnMarker(strText))
            return ResolveConstant(strText, nPosition, nBlanks);
        if (IsAsciiLetter(strText[0]) || strText[0] == '_')
            return ResolveReference(strText, nPosition, nBlanks);
        const char* pEnd = nullptr;
        const double dValue = StrToD(strText.c_str(), &pEnd);
        if (pEnd != strText.c_str() + strText.size()) {
            PlainMessage(FORMULA_MSG_BAD_NUMBER, nPosition);
            return false;
        }
        CFormulaOperandObject operand;
        operand.nKind = FORMULA_OPERAND_NUMBER;
        operand.dNumber = dValue;
        PushOperand(operand, nBlanks);
        return true;
    }

    bool ResolveConstant(const std::string& strText, int nPosition, WORD nBlanks)
    {
        const CString strName(strText);
        const WORD nId = engine.FindConstant(strName);
        if (nId == 0) {
            PlainMessage(CString(FORMULA_MSG_UNKNOWN_KEYWORD_HEAD) + strName + FORMULA_MSG_UNKNOWN_KEYWORD_TAIL,
                         nPosition);
            return false;
        }
        CFormulaOperandObject operand;
        operand.nKind = FORMULA_OPERAND_CONSTANT;
        operand.nConstantId = nId;
        PushOperand(operand, nBlanks);
        return true;
    }

    bool ResolveReference(const std::string& strText, int nPosition, WORD nBlanks)
    {
        CellPart cells[2];
        int nPart = 0;
        const int nLength = static_cast<int>(strText.size());
        for (int i = 0; i < nLength; ++i) {
            const char c = strText[i];
            CellPart& cell = cells[nPart];
            if (c == ':' && nPart == 0) {
                nPart = 1;
            } else if (IsAsciiLetter(c)) {
                if (cell.HasRow()) {
                    PlainMessage(nPart == 0 ? FORMULA_MSG_CELL_NO_COLON : FORMULA_MSG_CELL_BAD_CHAR, nPosition + i);
                    return false;
                }
                if (cell.bOwnColumn) {
                    PlainMessage(FORMULA_MSG_CELL_BAD_CHAR, nPosition + i);
                    return false;
                }
                cell.strLetters += c;
            } else if (IsDigit(c)) {
                if (!cell.HasColumn()) {
                    PlainMessage(FORMULA_MSG_RANGE_DIGIT_AFTER_COLON, nPosition + i);
                    return false;
                }
                if (cell.bOwnRow) {
                    PlainMessage(FORMULA_MSG_CELL_BAD_CHAR, nPosition + i);
                    return false;
                }
                cell.strDigits += c;
            } else if (c == '_') {
                if (!cell.HasColumn()) {
                    cell.bOwnColumn = true;
                } else if (!cell.HasRow()) {
                    cell.bOwnRow = true;
                } else {
                    PlainMessage(FORMULA_MSG_CELL_BAD_CHAR, nPosition + i);
                    return false;
                }
            } else {
                PlainMessage(FORMULA_MSG_CELL_BAD_CHAR, nPosition + i);
                return false;
            }
        }
        if (!cells[0].HasColumn() || !cells[0].HasRow()) {
            PlainMessage(FORMULA_MSG_CELL_BAD_CHAR, nPosition);
            return false;
        }
        if (nPart == 1 && (!cells[1].HasColumn() || !cells[1].HasRow())) {
            PlainMessage(FORMULA_MSG_RANGE_BAD_AFTER_COLON, nPosition + nLength);
            return false;
        }

        CFormulaOperandObject operand;
        FormulaReference& ref = operand.ref;
        ResolveCell(cells[0], ref.nFirstRow, ref.byFirstRowMarker, ref.nFirstColumn, ref.byFirstColumnMarker);
        if (nPart == 0) {
            operand.nKind = FORMULA_OPERAND_CELL;
            if (ref.nFirstRow == nRow && ref.nFirstColumn == nColumn) {
                bFailed = true;   // the formula's own cell: refused without a message
                return false;
            }
        } else {
            operand.nKind = FORMULA_OPERAND_RANGE;
            ResolveCell(cells[1], ref.nLastRow, ref.byLastRowMarker, ref.nLastColumn, ref.byLastColumnMarker);
            // A range written corner to corner the other way round means the same block.
            if (ref.nLastRow < ref.nFirstRow) {
                std::swap(ref.nFirstRow, ref.nLastRow);
                std::swap(ref.byFirstRowMarker, ref.byLastRowMarker);
            }
            if (ref.nLastColumn < ref.nFirstColumn) {
                std::swap(ref.nFirstColumn, ref.nLastColumn);
                std::swap(ref.byFirstColumnMarker, ref.byLastColumnMarker);
            }
            if (ref.nFirstRow <= nRow && nRow <= ref.nLastRow && ref.nFirstColumn <= nColumn &&
                nColumn <= ref.nLastColumn) {
                bFailed = true;   // a range holding the formula's own cell
                return false;
            }
        }
        PushOperand(operand, nBlanks);
        return true;
    }

    void ResolveCell(const CellPart& cell, LONG& nCellRow, BYTE& byRowMarker, LONG& nCellColumn,
                     BYTE& byColumnMarker) const
    {
        if (cell.bOwnColumn) {
            nCellColumn = nColumn;
            byColumnMarker = FORMULA_OWN_POSITION_MARKER;
        } else {
            nCellColumn = CCellNameConverter().LettersToColumn(cell.strLetters.c_str());
        }
        if (cell.bOwnRow) {
            nCellRow = nRow;
            byRowMarker = FORMULA_OWN_POSITION_MARKER;
        } else {
            nCellRow = AToL(cell.strDigits.c_str());
        }
    }

    // Operator at position i; answers its length in bytes (0: not an operator).
    static int OperatorAt(const char* p, int nRemaining, WORD& nCode)
    {
        switch (p[0]) {
        case '+': nCode = FORMULA_OP_ADD; return 1;
        case '*': nCode = FORMULA_OP_MULTIPLY; return 1;
        case '/': nCode = FORMULA_OP_DIVIDE; return 1;
        case '^': nCode = FORMULA_OP_POWER; return 1;
        case '&': nCode = FORMULA_OP_CONCAT; return 1;
        case '=': nCode = FORMULA_OP_EQUAL; return 1;
        case '<':
            if (nRemaining > 1 && p[1] == '=') { nCode = FORMULA_OP_LESS_EQUAL; return 2; }
            if (nRemaining > 1 && p[1] == '>') { nCode = FORMULA_OP_NOT_EQUAL; return 2; }
            nCode = FORMULA_OP_LESS;
            return 1;
        case '>':
            if (nRemaining > 1 && p[1] == '=') { nCode = FORMULA_OP_GREATER_EQUAL; return 2; }
            nCode = FORMULA_OP_GREATER;
            return 1;
        default:
            return 0;
        }
    }

    void OpenBracket(int i)
    {
        strBrackets += '(';
        if (!strOperand.empty()) {
            // The pending text names a function; a sign in front of it negates its value.
            std::string strName = strOperand;
            strOperand.clear();
            const WORD nBlanks = TakeBlanks();
            bool bNegate = false;
            if (strName.size() > 1 && strName[0] == '-') {
                bNegate = true;
                strName.erase(0, 1);
            }
            const WORD nId = engine.FindFunction(CString(strName));
            if (nId == 0) {
                PlainMessage(FORMULA_MSG_FUNCTION_NOT_FOUND, i);
            } else {
                WORD nFunctionBlanks = nBlanks;
                if (bNegate) {
                    list.Add(CFormulaToken::Operator(FORMULA_OP_SUBTRACT, nBlanks));
                    nFunctionBlanks = 0;
                }
                list.Add(CFormulaToken::Function(nId, nFunctionBlanks));
                list.Add(CFormulaToken::Bracket(FORMULA_BRACKET_OPEN, 0));
            }
            functionBrackets.push_back(true);
        } else {
            BeginOperand(i);
            list.Add(CFormulaToken::Bracket(FORMULA_BRACKET_OPEN, TakeBlanks()));
            functionBrackets.push_back(false);
        }
        bTrailingOperator = false;
        previous = Previous::Open;
    }

    void CloseBracket(int i)
    {
        CompleteOperand();
        if (strBrackets.empty() || strBrackets.back() != '(') {
            Message(FORMULA_MSG_UNMATCHED_CLOSE, i);
        } else {
            strBrackets.pop_back();
            if (!functionBrackets.empty())
                functionBrackets.pop_back();
            list.Add(CFormulaToken::Bracket(FORMULA_BRACKET_CLOSE, TakeBlanks()));
        }
        // A closed group or call is an operand, so RAND()*10 may go on with an operator.
        bOperandSeen = true;
        bTrailingOperator = false;
        previous = Previous::Operand;
    }

    void Comma(int i)
    {
        CompleteOperand();
        if (functionBrackets.empty() || !functionBrackets.back())
            Message(FORMULA_MSG_STRAY_COMMA, i);
        else
            list.Add(CFormulaToken::Bracket(FORMULA_BRACKET_COMMA, TakeBlanks()));
        bTrailingOperator = true;
        previous = Previous::Comma;
    }

    // Reads a quoted text from the opening quote at i; answers the position of
    // its closing quote (n when the text has none).
    int QuotedText(int i)
    {
        CompleteOperand();
        BeginOperand(i);
        strBrackets += '"';
        std::string strText;
        int j = i + 1;
        while (j < n) {
            if (s[j] == '"') {
                if (j + 1 < n && s[j + 1] == '"') {
                    strText += '"';
                    j += 2;
                    continue;
                }
                break;
            }
            strText += s[j];   // a trail byte is never a quote
            ++j;
        }
        if (j >= n)
            return n;   // unterminated: the quote stays on the bracket stack
        strBrackets.pop_back();
        CFormulaOperandObject operand;
        operand.nKind = FORMULA_OPERAND_TEXT;
        operand.strText = CString(strText);
        PushOperand(operand, TakeBlanks());
        bOperandSeen = true;
        bTrailingOperator = false;
        previous = Previous::Operand;
        return j;
    }

    BOOL Run()
    {
        int i = 0;
        while (i < n) {
            const char c = s[i];
            WORD nCode = 0;
            int nOperatorLength = 0;
            if (c == ' ') {
                CompleteOperand();
                ++nPendingBlanks;
            } else if (c == '"') {
                i = QuotedText(i);
            } else if (c == '(') {
                OpenBracket(i);
            } else if (c == ')') {
                CloseBracket(i);
            } else if (c == ',') {
                Comma(i);
            } else if (c == '-') {
                CompleteOperand();
                if (AtSignPosition()) {
                    nOperandStart = i;
                    strOperand = "-";
                } else {
                    list.Add(CFormulaToken::Operator(FORMULA_OP_SUBTRACT, TakeBlanks()));
                    bTrailingOperator = true;
                    previous = Previous::Operator;
                }
            } else if ((nOperatorLength = OperatorAt(s + i, n - i, nCode)) > 0) {
                CompleteOperand();
                if (!bOperandSeen) {
                    Message(FORMULA_MSG_NO_OPERAND_BEFORE, i);
                } else {
                    list.Add(CFormulaToken::Operator(nCode, TakeBlanks()));
                    bTrailingOperator = true;
                }
                previous = Previous::Operator;
                i += nOperatorLength - 1;
            } else {
                if (strOperand.empty()) {
                    BeginOperand(i);
                    nOperandStart = i;
                }
                const int nChar = CharLengthAt(s, n, i);
                strOperand.append(s + i, static_cast<size_t>(nChar));
                i += nChar - 1;
            }
            ++i;
        }
        CompleteOperand();
        if (bTrailingOperator) {
            PlainMessage(FORMULA_MSG_MISSING_OPERAND, n);
        } else if (!strBrackets.empty()) {
            CString strMessage;
            strMessage.Format(FORMULA_MSG_UNMATCHED_SYMBOL, strBrackets.back());
            PlainMessage(strMessage, n);
        }
        return bFailed ? FALSE : TRUE;
    }
};

BOOL CFormulaEngine::Compile(int nRow, int nColumn, LPCTSTR pszText, CFormulaTokenList& list)
{
    ClearError();
    list.RemoveAll();
    const char* s = pszText != nullptr ? pszText : "";
    const size_t nLength = std::char_traits<char>::length(s);
    if (nLength > static_cast<size_t>(INT_MAX))
        return FALSE;
    Compiler compiler(*this, nRow, nColumn, s, static_cast<int>(nLength), list);
    return compiler.Run();
}
