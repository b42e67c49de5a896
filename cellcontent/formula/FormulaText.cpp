// Rendering a compiled form back to formula text.

#include "cellcontent/formula/FormulaEngine.h"

#include "base/NumberText.h"
#include "cellcontent/formula/CellNameConverter.h"
#include "cellcontent/formula/FormulaMessages.h"
#include "cellcontent/formula/FormulaReferences.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// A number as plain decimal digits that read back as the very same double:
// the shortest digits that do so, with the point placed by hand, because the
// formula syntax has no room for an exponent ("1e-5" would end at the "-").
// An infinite value is written "1e999", which reads back as infinity.
void AppendNumber(std::string& out, double dValue)
{
    if (std::isnan(dValue)) {
        AppendNumberText(out, dValue, NumberTextSpec());
        return;
    }
    if (std::signbit(dValue))
        out += '-';
    const double dMagnitude = std::fabs(dValue);
    if (std::isinf(dMagnitude)) {
        out += "1e999";
        return;
    }
    char buffer[64];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof(buffer), dMagnitude, std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const size_t nExponentAt = text.find('e');
    std::string digits;
    for (size_t i = 0; i < nExponentAt; ++i) {
        if (text[i] != '.')
            digits += text[i];
    }
    const int nExponent = std::stoi(text.substr(nExponentAt + 1));
    // The value is 0.<digits> times 10 to the power (nExponent + 1).
    const int nPoint = nExponent + 1;
    if (nPoint <= 0) {
        out += "0.";
        out.append(static_cast<size_t>(-nPoint), '0');
        out += digits;
    } else if (nPoint >= static_cast<int>(digits.size())) {
        out += digits;
        out.append(static_cast<size_t>(nPoint) - digits.size(), '0');
    } else {
        out.append(digits, 0, static_cast<size_t>(nPoint));
        out += '.';
        out.append(digits, static_cast<size_t>(nPoint), std::string::npos);
    }
}

void AppendCell(std::string& out, LONG nRow, BYTE byRowMarker, LONG nColumn, BYTE byColumnMarker, bool bExport)
{
    if (!bExport && byColumnMarker == FORMULA_OWN_POSITION_MARKER)
        out += '_';
    else
        out += CCellNameConverter().ColumnToLetters(nColumn).Str();
    if (!bExport && byRowMarker == FORMULA_OWN_POSITION_MARKER)
        out += '_';
    else
        out += std::to_string(nRow);
}

}  // namespace

CString CFormulaEngine::RenderText(const CFormulaTokenList& list, bool bExport) const
{
    std::string out;
    for (const CFormulaToken& token : list) {
        out.append(token.GetBlanks(), ' ');
        if (const CFormulaFunctionObject* pFunction = token.GetFunction()) {
            out += GetFunctionName(pFunction->nFunctionId).Str();
        } else if (const CFormulaOperatorObject* pOperator = token.GetOperator()) {
            out += FormulaOperatorText(pOperator->nCode);
        } else if (const CFormulaBracketObject* pBracket = token.GetBracket()) {
            if (pBracket->nCode == FORMULA_BRACKET_OPEN)
                out += '(';
            else if (pBracket->nCode == FORMULA_BRACKET_CLOSE)
                out += ')';
            else if (pBracket->nCode == FORMULA_BRACKET_COMMA)
                out += ',';
        } else if (const CFormulaOperandObject* pOperand = token.GetOperand()) {
            const FormulaReference& ref = pOperand->ref;
            if (IsInvalidFormulaReference(*pOperand)) {
                out += bExport ? FORMULA_EXPORT_INVALID_REFERENCE : FORMULA_MSG_INVALID_REFERENCE;
                continue;
            }
            switch (pOperand->nKind) {
            case FORMULA_OPERAND_CELL:
                AppendCell(out, ref.nFirstRow, ref.byFirstRowMarker, ref.nFirstColumn, ref.byFirstColumnMarker,
                           bExport);
                break;
            case FORMULA_OPERAND_RANGE:
                AppendCell(out, ref.nFirstRow, ref.byFirstRowMarker, ref.nFirstColumn, ref.byFirstColumnMarker,
                           bExport);
                out += ':';
                AppendCell(out, ref.nLastRow, ref.byLastRowMarker, ref.nLastColumn, ref.byLastColumnMarker, bExport);
                break;
            case FORMULA_OPERAND_NUMBER:
                AppendNumber(out, pOperand->dNumber);
                break;
            case FORMULA_OPERAND_TEXT:
                out += '"';
                for (const char c : pOperand->strText.Str()) {
                    out += c;
                    if (c == '"')
                        out += '"';
                }
                out += '"';
                break;
            case FORMULA_OPERAND_CONSTANT:
                out += GetConstantName(pOperand->nConstantId).Str();
                break;
            default:
                break;
            }
        }
    }
    return CString(out);
}

CString CFormulaEngine::FormulaToText(const CFormulaTokenList& list) const
{
    return RenderText(list, false);
}

CString CFormulaEngine::FormulaToExportText(const CFormulaTokenList& list) const
{
    return RenderText(list, true);
}
