#include "cellcontent/formula/FormulaArchive.h"

#include "cellcontent/formula/FormulaRecord.h"

#include <string>
#include <utility>

using namespace formula_record;

namespace {

// Token record.
const int32_t TAG_TOKEN_KIND = 10001;
const int32_t TAG_TOKEN_BLANKS = 10002;
const int32_t TAG_TOKEN_FUNCTION = 10003;
const int32_t TAG_TOKEN_OPERATOR = 10004;
const int32_t TAG_TOKEN_OPERAND = 10005;
const int32_t TAG_TOKEN_BRACKET = 10006;
const int32_t TAG_TOKEN_FUNCTION_OLD = 10007;   // read like 10003, never written
const int32_t TAG_TOKEN_END = 10099;

// Function object.
const int32_t TAG_FUNCTION_ID = 10051;
const int32_t TAG_FUNCTION_RESERVED1 = 10052;
const int32_t TAG_FUNCTION_RESERVED2 = 10053;
const int32_t TAG_FUNCTION_RESERVED3 = 10054;
const int32_t TAG_FUNCTION_RESERVED_SHORT = 10055;
const int32_t TAG_FUNCTION_RESERVED_TEXT = 10056;
const int32_t TAG_FUNCTION_END = 10099;

// Operator and bracket objects.
const int32_t TAG_SYMBOL_CODE = 10101;
const int32_t TAG_SYMBOL_SECOND = 10102;        // operator priority, bracket reserved byte
const int32_t TAG_OPERATOR_RESERVED = 10103;
const int32_t TAG_OPERATOR_RESERVED_OLD = 10054; // an older name of the reserved byte, still read
const int32_t TAG_SYMBOL_END = 10119;

// Operand object.
const int32_t TAG_OPERAND_KIND = 10121;
const int32_t TAG_OPERAND_CELL = 10122;
const int32_t TAG_OPERAND_RANGE = 10123;
const int32_t TAG_OPERAND_NUMBER = 10124;
const int32_t TAG_OPERAND_TEXT = 10125;
const int32_t TAG_OPERAND_CONSTANT = 10126;
const int32_t TAG_OPERAND_RESERVED_BYTE = 10127;
const int32_t TAG_OPERAND_RESERVED_SHORT = 10128;
const int32_t TAG_OPERAND_RESERVED_TEXT = 10129;
const int32_t TAG_OPERAND_END = 10139;

// The declared lengths of the reference items stay those of the layout
// before the marker bytes were added (4 and 16), while 10 and 20 bytes
// follow; readers of this format count the declared lengths.
const int32_t CELL_DECLARED_LENGTH = 4;
const int32_t RANGE_DECLARED_LENGTH = 16;

std::string FunctionRecord(const CFormulaFunctionObject& f)
{
    CRecordWriter writer;
    if (f.nFunctionId != 0)
        writer.Int16Item(TAG_FUNCTION_ID, static_cast<int16_t>(f.nFunctionId));
    if (f.byReserved1 > 0)
        writer.ByteItem(TAG_FUNCTION_RESERVED1, f.byReserved1);
    if (f.byReserved2 > 0)
        writer.ByteItem(TAG_FUNCTION_RESERVED2, f.byReserved2);
    if (f.byReserved3 != 255)
        writer.ByteItem(TAG_FUNCTION_RESERVED3, f.byReserved3);
    if (f.nReserved != 0)
        writer.Int16Item(TAG_FUNCTION_RESERVED_SHORT, f.nReserved);
    if (f.bHasReservedText)
        writer.TextItem(TAG_FUNCTION_RESERVED_TEXT, f.strReserved);
    return writer.Finish(TAG_FUNCTION_END);
}

std::string OperatorRecord(const CFormulaOperatorObject& op)
{
    CRecordWriter writer;
    if (op.nCode != 0) {
        writer.Int16Item(TAG_SYMBOL_CODE, static_cast<int16_t>(op.nCode));
        if (op.byPriority > 0)
            writer.ByteItem(TAG_SYMBOL_SECOND, op.byPriority);
        if (op.byReserved != 255)
            writer.ByteItem(TAG_OPERATOR_RESERVED, op.byReserved);
    }
    return writer.Finish(TAG_SYMBOL_END);
}

std::string BracketRecord(const CFormulaBracketObject& bracket)
{
    CRecordWriter writer;
    if (bracket.nCode != 0)
        writer.Int16Item(TAG_SYMBOL_CODE, static_cast<int16_t>(bracket.nCode));
    if (bracket.byReserved != 255)
        writer.ByteItem(TAG_SYMBOL_SECOND, bracket.byReserved);
    return writer.Finish(TAG_SYMBOL_END);
}

std::string OperandRecord(const CFormulaOperandObject& operand)
{
    CRecordWriter writer;
    const FormulaReference& ref = operand.ref;
    if (operand.nKind != FORMULA_OPERAND_NONE)
        writer.Int16Item(TAG_OPERAND_KIND, static_cast<int16_t>(operand.nKind));
    switch (operand.nKind) {
    case FORMULA_OPERAND_CELL: {
        std::string data;
        PutInt32(data, ref.nFirstRow);
        PutInt32(data, ref.nFirstColumn);
        data += static_cast<char>(ref.byFirstRowMarker);
        data += static_cast<char>(ref.byFirstColumnMarker);
        writer.RawItem(TAG_OPERAND_CELL, CELL_DECLARED_LENGTH, data);
        break;
    }
    case FORMULA_OPERAND_RANGE: {
        std::string data;
        PutInt32(data, ref.nFirstRow);
        PutInt32(data, ref.nFirstColumn);
        PutInt32(data, ref.nLastRow);
        PutInt32(data, ref.nLastColumn);
        data += static_cast<char>(ref.byFirstRowMarker);
        data += static_cast<char>(ref.byFirstColumnMarker);
        data += static_cast<char>(ref.byLastRowMarker);
        data += static_cast<char>(ref.byLastColumnMarker);
        writer.RawItem(TAG_OPERAND_RANGE, RANGE_DECLARED_LENGTH, data);
        break;
    }
    case FORMULA_OPERAND_NUMBER:
        writer.DoubleItem(TAG_OPERAND_NUMBER, operand.dNumber);
        break;
    case FORMULA_OPERAND_TEXT:
        writer.TextItem(TAG_OPERAND_TEXT, operand.strText);
        break;
    case FORMULA_OPERAND_CONSTANT:
        writer.Int16Item(TAG_OPERAND_CONSTANT, static_cast<int16_t>(operand.nConstantId));
        break;
    default:
        break;
    }
    if (operand.byReserved != 255)
        writer.ByteItem(TAG_OPERAND_RESERVED_BYTE, operand.byReserved);
    if (operand.nReserved != 0)
        writer.Int16Item(TAG_OPERAND_RESERVED_SHORT, operand.nReserved);
    if (operand.bHasReservedText)
        writer.TextItem(TAG_OPERAND_RESERVED_TEXT, operand.strReserved);
    return writer.Finish(TAG_OPERAND_END);
}

// Item data of a known tag: the declared bytes.
bool ReadData(CRecordSource& source, int32_t nLength, std::string& data)
{
    return source.ReadBytes(nLength, data);
}

bool ReadFunction(CRecordSource& source, CFormulaFunctionObject& f)
{
    return ReadRecord(source, TAG_FUNCTION_END, [&](int32_t nTag, int32_t nLength, CRecordSource& src) {
        std::string data;
        if (!ReadData(src, nLength, data))
            return false;
        if (nLength == 0)
            return true;
        switch (nTag) {
        case TAG_FUNCTION_ID: f.nFunctionId = static_cast<WORD>(GetInt16(data)); break;
        case TAG_FUNCTION_RESERVED1: f.byReserved1 = static_cast<BYTE>(data[0]); break;
        case TAG_FUNCTION_RESERVED2: f.byReserved2 = static_cast<BYTE>(data[0]); break;
        case TAG_FUNCTION_RESERVED3: f.byReserved3 = static_cast<BYTE>(data[0]); break;
        case TAG_FUNCTION_RESERVED_SHORT: f.nReserved = GetInt16(data); break;
        case TAG_FUNCTION_RESERVED_TEXT:
            f.bHasReservedText = true;
            f.strReserved = GetText(data);
            break;
        default: break;
        }
        return true;
    });
}

bool ReadOperator(CRecordSource& source, CFormulaOperatorObject& op)
{
    return ReadRecord(source, TAG_SYMBOL_END, [&](int32_t nTag, int32_t nLength, CRecordSource& src) {
        std::string data;
        if (!ReadData(src, nLength, data))
            return false;
        if (nLength == 0)
            return true;
        switch (nTag) {
        case TAG_SYMBOL_CODE: op.nCode = static_cast<WORD>(GetInt16(data)); break;
        case TAG_SYMBOL_SECOND: op.byPriority = static_cast<BYTE>(data[0]); break;
        case TAG_OPERATOR_RESERVED:
        case TAG_OPERATOR_RESERVED_OLD: op.byReserved = static_cast<BYTE>(data[0]); break;
        default: break;
        }
        return true;
    });
}

bool ReadBracket(CRecordSource& source, CFormulaBracketObject& bracket)
{
    return ReadRecord(source, TAG_SYMBOL_END, [&](int32_t nTag, int32_t nLength, CRecordSource& src) {
        std::string data;
        if (!ReadData(src, nLength, data))
            return false;
        if (nLength == 0)
            return true;
        switch (nTag) {
        case TAG_SYMBOL_CODE: bracket.nCode = static_cast<WORD>(GetInt16(data)); break;
        case TAG_SYMBOL_SECOND: bracket.byReserved = static_cast<BYTE>(data[0]); break;
        default: break;
        }
        return true;
    });
}

bool ReadOperand(CRecordSource& source, CFormulaOperandObject& operand, bool bMarkers)
{
    return ReadRecord(source, TAG_OPERAND_END, [&](int32_t nTag, int32_t nLength, CRecordSource& src) {
        std::string data;
        if (nLength > 0 && (nTag == TAG_OPERAND_CELL || nTag == TAG_OPERAND_RANGE)) {
            // The reference items hold more bytes than they declare (see above).
            FormulaReference& ref = operand.ref;
            ref = FormulaReference();
            const bool bCell = nTag == TAG_OPERAND_CELL;
            const int nValues = bCell ? 2 : 4;
            if (!src.ReadBytes(4 * nValues + (bMarkers ? nValues : 0), data))
                return false;
            ref.nFirstRow = GetInt32(data, 0);
            ref.nFirstColumn = GetInt32(data, 4);
            if (!bCell) {
                ref.nLastRow = GetInt32(data, 8);
                ref.nLastColumn = GetInt32(data, 12);
            }
            if (bMarkers) {
                const size_t nAt = 4 * static_cast<size_t>(nValues);
                ref.byFirstRowMarker = static_cast<BYTE>(data[nAt]);
                ref.byFirstColumnMarker = static_cast<BYTE>(data[nAt + 1]);
                if (!bCell) {
                    ref.byLastRowMarker = static_cast<BYTE>(data[nAt + 2]);
                    ref.byLastColumnMarker = static_cast<BYTE>(data[nAt + 3]);
                }
            }
            return true;
        }
        if (!ReadData(src, nLength, data))
            return false;
        if (nLength == 0)
            return true;
        switch (nTag) {
        case TAG_OPERAND_KIND: operand.nKind = static_cast<WORD>(GetInt16(data)); break;
        case TAG_OPERAND_NUMBER: operand.dNumber = GetDouble(data); break;
        case TAG_OPERAND_TEXT: operand.strText = GetText(data); break;
        case TAG_OPERAND_CONSTANT: operand.nConstantId = static_cast<WORD>(GetInt16(data)); break;
        case TAG_OPERAND_RESERVED_BYTE: operand.byReserved = static_cast<BYTE>(data[0]); break;
        case TAG_OPERAND_RESERVED_SHORT: operand.nReserved = GetInt16(data); break;
        case TAG_OPERAND_RESERVED_TEXT:
            operand.bHasReservedText = true;
            operand.strReserved = GetText(data);
            break;
        default: break;
        }
        return true;
    });
}

}  // namespace

void WriteFormulaTokenRecord(CArchive& ar, const CFormulaToken& token)
{
    CRecordWriter writer;
    if (token.GetKind() != FORMULA_TOKEN_NONE) {
        writer.Int16Item(TAG_TOKEN_KIND, static_cast<int16_t>(token.GetKind()));
        if (token.GetBlanks() != 0)
            writer.Int16Item(TAG_TOKEN_BLANKS, static_cast<int16_t>(token.GetBlanks()));
        // The object goes under the tag of its own type; for every token the
        // compiler makes that is the tag of the token's kind.
        const CFormulaToken::Object& object = token.GetObject();
        if (const auto* pFunction = std::get_if<CFormulaFunctionObject>(&object)) {
            const std::string record = FunctionRecord(*pFunction);
            writer.RawItem(TAG_TOKEN_FUNCTION, static_cast<int32_t>(record.size()), record);
        } else if (const auto* pOperator = std::get_if<CFormulaOperatorObject>(&object)) {
            const std::string record = OperatorRecord(*pOperator);
            writer.RawItem(TAG_TOKEN_OPERATOR, static_cast<int32_t>(record.size()), record);
        } else if (const auto* pOperand = std::get_if<CFormulaOperandObject>(&object)) {
            const std::string record = OperandRecord(*pOperand);
            writer.RawItem(TAG_TOKEN_OPERAND, static_cast<int32_t>(record.size()), record);
        } else if (const auto* pBracket = std::get_if<CFormulaBracketObject>(&object)) {
            const std::string record = BracketRecord(*pBracket);
            writer.RawItem(TAG_TOKEN_BRACKET, static_cast<int32_t>(record.size()), record);
        }
    }
    const std::string record = writer.Finish(TAG_TOKEN_END);
    ar.Write(record.data(), static_cast<UINT>(record.size()));
}

BOOL ReadFormulaTokenRecord(CArchive& ar, CFormulaToken& token, BOOL bReferenceMarkers)
{
    token = CFormulaToken();
    CRecordSource source(ar);
    const bool bRead = ReadRecord(source, TAG_TOKEN_END, [&](int32_t nTag, int32_t nLength, CRecordSource& src) {
        std::string data;
        if (!src.ReadBytes(nLength, data))
            return false;
        if (nLength == 0)
            return true;
        // An object's record is read from the item's own bytes, so a malformed
        // object cannot read into the items after it.
        CRecordSource objectSource(data);
        switch (nTag) {
        case TAG_TOKEN_KIND:
            token.SetKind(static_cast<WORD>(GetInt16(data)));
            return true;
        case TAG_TOKEN_BLANKS:
            token.SetBlanks(static_cast<WORD>(GetInt16(data)));
            return true;
        case TAG_TOKEN_FUNCTION:
        case TAG_TOKEN_FUNCTION_OLD: {
            CFormulaFunctionObject f;
            if (!ReadFunction(objectSource, f))
                return false;
            token.GetObject() = f;
            return true;
        }
        case TAG_TOKEN_OPERATOR: {
            CFormulaOperatorObject op;
            if (!ReadOperator(objectSource, op))
                return false;
            token.GetObject() = op;
            return true;
        }
        case TAG_TOKEN_OPERAND: {
            CFormulaOperandObject operand;
            if (!ReadOperand(objectSource, operand, bReferenceMarkers != FALSE))
                return false;
            token.GetObject() = operand;
            return true;
        }
        case TAG_TOKEN_BRACKET: {
            CFormulaBracketObject bracket;
            if (!ReadBracket(objectSource, bracket))
                return false;
            token.GetObject() = bracket;
            return true;
        }
        default:
            return true;
        }
    });
    if (!bRead) {
        if (!ar.IsFailed())
            ar.SetFailed(CArchive::statusBadCount);
        return FALSE;
    }
    return !ar.IsFailed();
}

void WriteFormulaTokenRecords(CArchive& ar, const CFormulaTokenList& list)
{
    for (const CFormulaToken& token : list)
        WriteFormulaTokenRecord(ar, token);
}

BOOL ReadFormulaTokenRecords(CArchive& ar, int nCount, CFormulaTokenList& list, BOOL bReferenceMarkers)
{
    list.RemoveAll();
    const long long nLeastBytes = 8;   // a record's size and its end tag
    if (nCount < 0 || static_cast<long long>(nCount) * nLeastBytes > static_cast<long long>(ar.GetRemaining())) {
        if (!ar.IsFailed())
            ar.SetFailed(CArchive::statusBadCount);
        return FALSE;
    }
    for (int i = 0; i < nCount; ++i) {
        CFormulaToken token;
        if (!ReadFormulaTokenRecord(ar, token, bReferenceMarkers))
            return FALSE;
        list.Add(std::move(token));
    }
    return TRUE;
}
