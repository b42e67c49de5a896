// Golden bytes of the stored forms: token records with every object kind, and
// the user function and user constant tables; reading them back, reading
// older and malformed forms.

#include "base/CArchive.h"
#include "base/CMemFile.h"
#include "cellcontent/formula/FormulaArchive.h"
#include "cellcontent/formula/FormulaEngine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

// Little-endian byte builders for the expected bytes.
struct Bytes {
    std::string data;
    Bytes& I32(int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            data += static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
        return *this;
    }
    Bytes& I16(int16_t v)
    {
        data += static_cast<char>(v & 0xFF);
        data += static_cast<char>((static_cast<uint16_t>(v) >> 8) & 0xFF);
        return *this;
    }
    Bytes& U8(unsigned v)
    {
        data += static_cast<char>(v);
        return *this;
    }
    Bytes& F64(double d)
    {
        uint64_t u;
        std::memcpy(&u, &d, 8);
        for (int i = 0; i < 8; ++i)
            data += static_cast<char>((u >> (8 * i)) & 0xFF);
        return *this;
    }
    Bytes& Raw(const std::string& s)
    {
        data += s;
        return *this;
    }
};

std::string Stored(const std::vector<CFormulaToken>& tokens)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    for (const CFormulaToken& token : tokens)
        WriteFormulaTokenRecord(ar, token);
    ar.Flush();
    return std::string(reinterpret_cast<const char*>(file.GetBufferPtr()), static_cast<size_t>(file.GetLength()));
}

std::string Hex(const std::string& s)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        out += digits[c >> 4];
        out += digits[c & 15];
        out += ' ';
    }
    return out;
}

// Reads count token records from bytes; answers the read result of the last one.
BOOL Load(const std::string& bytes, int nCount, std::vector<CFormulaToken>& tokens, BOOL bMarkers = TRUE,
          ULONGLONG* pnRemaining = nullptr)
{
    std::string copy = bytes;
    CMemFile file(reinterpret_cast<BYTE*>(copy.empty() ? nullptr : &copy[0]), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    BOOL bResult = TRUE;
    tokens.clear();
    for (int i = 0; i < nCount && bResult; ++i) {
        CFormulaToken token;
        bResult = ReadFormulaTokenRecord(ar, token, bMarkers);
        tokens.push_back(token);
    }
    if (pnRemaining != nullptr)
        *pnRemaining = ar.GetRemaining();
    return bResult;
}

CFormulaTokenList CompileList(CFormulaEngine& engine, int nRow, int nColumn, const char* pszFormula)
{
    CFormulaTokenList list;
    EXPECT_TRUE(engine.Compile(nRow, nColumn, pszFormula, list)) << pszFormula;
    return list;
}

// The object records, as the compiler leaves them.
Bytes FunctionObject(int16_t id)
{
    return Bytes().I32(18).I32(10051).I32(2).I16(id).I32(10099);
}
Bytes OperatorObject(int16_t code, unsigned priority)
{
    return Bytes().I32(27).I32(10101).I32(2).I16(code).I32(10102).I32(1).U8(priority).I32(10119);
}
Bytes BracketObject(int16_t code)
{
    return Bytes().I32(18).I32(10101).I32(2).I16(code).I32(10119);
}
// A token record around an object record.
Bytes Token(int16_t kind, int16_t blanks, int32_t objectTag, const Bytes& object)
{
    Bytes b;
    const int32_t size = 10 + (blanks != 0 ? 10 : 0) + 8 + static_cast<int32_t>(object.data.size()) + 8;
    b.I32(size).I32(10001).I32(2).I16(kind);
    if (blanks != 0)
        b.I32(10002).I32(2).I16(blanks);
    b.I32(objectTag).I32(static_cast<int32_t>(object.data.size())).Raw(object.data).I32(10099);
    return b;
}

TEST(FormulaArchive, GoldenTokenRecords)
{
    CFormulaEngine engine;
    ASSERT_TRUE(engine.AddUserConstant("Rate", 2.0));
    // SUM( _1:B_ ) * -A1 & "中" + PI  in cell (7, 3)
    const CFormulaTokenList list = CompileList(engine, 7, 3, "SUM( _1:B2 )*-A1&\"中\"+PI-2.5+Rate");
    const std::vector<CFormulaToken> tokens(list.begin(), list.end());

    const Bytes range = Bytes()
                            .I32(46).I32(10121).I32(2).I16(2)
                            .I32(10123).I32(16).I32(1).I32(2).I32(2).I32(3)   // B1:C2 in order
                            .U8(0).U8(0).U8(0).U8('_')                        // the "_" column is now the last
                            .I32(10139);
    const Bytes cell = Bytes()
                           .I32(36).I32(10121).I32(2).I16(1)
                           .I32(10122).I32(4).I32(1).I32(1).U8(0).U8(0)
                           .I32(10139);
    const Bytes text = Bytes().I32(29).I32(10121).I32(2).I16(4).I32(10125).I32(3).Raw("中").U8(0).I32(10139);
    const Bytes pi = Bytes().I32(28).I32(10121).I32(2).I16(5).I32(10126).I32(2).I16(1).I32(10139);
    const Bytes number = Bytes().I32(34).I32(10121).I32(2).I16(3).I32(10124).I32(8).F64(2.5).I32(10139);
    const Bytes rate = Bytes().I32(28).I32(10121).I32(2).I16(5).I32(10126).I32(2).I16(-32768).I32(10139);

    const std::string expected = Bytes()
                                     .Raw(Token(1, 0, 10003, FunctionObject(1)).data)       // SUM
                                     .Raw(Token(4, 0, 10006, BracketObject(1)).data)        // (
                                     .Raw(Token(3, 1, 10005, range).data)                   //  _1:B2
                                     .Raw(Token(4, 1, 10006, BracketObject(2)).data)        //  )
                                     .Raw(Token(2, 0, 10004, OperatorObject(3, 2)).data)    // *
                                     .Raw(Token(2, 0, 10004, OperatorObject(2, 1)).data)    // - (sign)
                                     .Raw(Token(3, 0, 10005, cell).data)                    // A1
                                     .Raw(Token(2, 0, 10004, OperatorObject(13, 1)).data)   // &
                                     .Raw(Token(3, 0, 10005, text).data)                    // "中"
                                     .Raw(Token(2, 0, 10004, OperatorObject(1, 1)).data)    // +
                                     .Raw(Token(3, 0, 10005, pi).data)                      // PI
                                     .Raw(Token(2, 0, 10004, OperatorObject(2, 1)).data)    // -
                                     .Raw(Token(3, 0, 10005, number).data)                  // 2.5
                                     .Raw(Token(2, 0, 10004, OperatorObject(1, 1)).data)    // +
                                     .Raw(Token(3, 0, 10005, rate).data)                    // Rate
                                     .data;
    const std::string stored = Stored(tokens);
    EXPECT_EQ(Hex(stored), Hex(expected));

    // Read back: the same tokens, written again byte for byte, rendered the same.
    std::vector<CFormulaToken> loaded;
    ULONGLONG nRemaining = 99;
    ASSERT_TRUE(Load(stored, static_cast<int>(tokens.size()), loaded, TRUE, &nRemaining));
    EXPECT_EQ(nRemaining, 0u);
    EXPECT_EQ(Hex(Stored(loaded)), Hex(expected));
    CFormulaTokenList reloaded;
    for (const CFormulaToken& token : loaded)
        reloaded.Add(token);
    EXPECT_EQ(engine.FormulaToText(reloaded), engine.FormulaToText(list));
    EXPECT_EQ(engine.FormulaToText(reloaded).Str(), "SUM( B1:_2 )*-A1&\"中\"+PI-2.5+Rate");
}

TEST(FormulaArchive, OwnRowMarkerSurvives)
{
    CFormulaEngine engine;
    const CFormulaTokenList list = CompileList(engine, 6, 1, "B_+1");
    const std::string stored = Stored(std::vector<CFormulaToken>(list.begin(), list.end()));
    const Bytes cell = Bytes()
                           .I32(36).I32(10121).I32(2).I16(1)
                           .I32(10122).I32(4).I32(6).I32(2).U8('_').U8(0)
                           .I32(10139);
    EXPECT_EQ(Hex(stored.substr(0, 62)), Hex(Token(3, 0, 10005, cell).data));
    std::vector<CFormulaToken> loaded;
    ASSERT_TRUE(Load(stored, list.GetCount(), loaded));
    CFormulaTokenList reloaded;
    for (const CFormulaToken& token : loaded)
        reloaded.Add(token);
    EXPECT_EQ(engine.FormulaToText(reloaded).Str(), "B_+1");
    EXPECT_EQ(engine.FormulaToExportText(reloaded).Str(), "B6+1");
}

TEST(FormulaArchive, EmptyAndReservedObjects)
{
    // A token of kind 0 and objects that hold nothing still end with their end tag.
    EXPECT_EQ(Hex(Stored({CFormulaToken()})), Hex(Bytes().I32(0).I32(10099).data));
    const Bytes emptyOperator = Bytes().I32(0).I32(10119);
    EXPECT_EQ(Hex(Stored({CFormulaToken(FORMULA_TOKEN_OPERATOR, 0, CFormulaOperatorObject())})),
              Hex(Token(2, 0, 10004, emptyOperator).data));

    // Reserved fields are written when they differ from their defaults and survive reading.
    CFormulaOperandObject operand;
    operand.nKind = FORMULA_OPERAND_CONSTANT;
    operand.nConstantId = 1;
    operand.byReserved = 7;
    operand.nReserved = -2;
    operand.bHasReservedText = true;
    operand.strReserved = "r";
    CFormulaFunctionObject function;
    function.nFunctionId = 2;
    function.byReserved1 = 1;
    function.byReserved2 = 2;
    function.byReserved3 = 3;
    function.nReserved = 4;
    function.bHasReservedText = true;
    function.strReserved = "";
    CFormulaBracketObject bracket;
    bracket.nCode = 3;
    bracket.byReserved = 9;
    CFormulaOperatorObject op;
    op.nCode = 4;
    op.byPriority = 2;
    op.byReserved = 5;
    const std::vector<CFormulaToken> tokens = {
        CFormulaToken(FORMULA_TOKEN_OPERAND, 0, operand), CFormulaToken(FORMULA_TOKEN_FUNCTION, 0, function),
        CFormulaToken(FORMULA_TOKEN_BRACKET, 0, bracket), CFormulaToken(FORMULA_TOKEN_OPERATOR, 0, op)};
    const Bytes operandRecord = Bytes()
                                    .I32(20 + 9 + 10 + 10 + 8).I32(10121).I32(2).I16(5).I32(10126).I32(2).I16(1)
                                    .I32(10127).I32(1).U8(7).I32(10128).I32(2).I16(-2)
                                    .I32(10129).I32(2).Raw("r").U8(0).I32(10139);
    const Bytes functionRecord = Bytes()
                                     .I32(10 + 9 + 9 + 9 + 10 + 9 + 8).I32(10051).I32(2).I16(2)
                                     .I32(10052).I32(1).U8(1).I32(10053).I32(1).U8(2).I32(10054).I32(1).U8(3)
                                     .I32(10055).I32(2).I16(4).I32(10056).I32(1).U8(0).I32(10099);
    const Bytes bracketRecord = Bytes().I32(10 + 9 + 8).I32(10101).I32(2).I16(3).I32(10102).I32(1).U8(9).I32(10119);
    const Bytes operatorRecord = Bytes()
                                     .I32(10 + 9 + 9 + 8).I32(10101).I32(2).I16(4).I32(10102).I32(1).U8(2)
                                     .I32(10103).I32(1).U8(5).I32(10119);
    const std::string expected = Bytes()
                                     .Raw(Token(3, 0, 10005, operandRecord).data)
                                     .Raw(Token(1, 0, 10003, functionRecord).data)
                                     .Raw(Token(4, 0, 10006, bracketRecord).data)
                                     .Raw(Token(2, 0, 10004, operatorRecord).data)
                                     .data;
    const std::string stored = Stored(tokens);
    EXPECT_EQ(Hex(stored), Hex(expected));
    std::vector<CFormulaToken> loaded;
    ASSERT_TRUE(Load(stored, 4, loaded));
    EXPECT_EQ(Hex(Stored(loaded)), Hex(expected));
}

TEST(FormulaArchive, ReadingOlderAndForeignForms)
{
    // Before version 03.91 references had no marker bytes: 8 and 16 data bytes.
    const Bytes oldCell = Bytes().I32(34).I32(10121).I32(2).I16(1).I32(10122).I32(4).I32(5).I32(2).I32(10139);
    const Bytes oldRange = Bytes()
                               .I32(42).I32(10121).I32(2).I16(2)
                               .I32(10123).I32(16).I32(1).I32(1).I32(3).I32(2).I32(10139);
    // 10007 is an older function tag; 10054 an older tag of the operator's
    // reserved byte; unknown tags are skipped by their length; a known tag of
    // length 0 reads nothing.
    const Bytes oldFunction = Bytes().I32(18).I32(10051).I32(2).I16(22).I32(10099);
    const Bytes oldOperator = Bytes()
                                  .I32(10 + 9 + 9 + 11 + 8).I32(10101).I32(2).I16(5).I32(10102).I32(1).U8(3)
                                  .I32(10054).I32(1).U8(6).I32(12345).I32(3).U8(1).U8(2).U8(3).I32(10119);
    const Bytes withUnknown = Bytes()
                                  .I32(10 + 8 + 10 + 8 + 18 + 8).I32(10001).I32(2).I16(1).I32(10002).I32(0)
                                  .I32(20000).I32(2).I16(7).I32(10007).I32(18).Raw(oldFunction.data).I32(10099);
    const std::string bytes = Bytes()
                                  .Raw(Token(3, 0, 10005, oldCell).data)
                                  .Raw(Token(3, 2, 10005, oldRange).data)
                                  .Raw(withUnknown.data)
                                  .Raw(Token(2, 0, 10004, oldOperator).data)
                                  .data;
    std::vector<CFormulaToken> tokens;
    ULONGLONG nRemaining = 99;
    ASSERT_TRUE(Load(bytes, 4, tokens, FALSE, &nRemaining));
    EXPECT_EQ(nRemaining, 0u);
    const CFormulaOperandObject* pCell = tokens[0].GetOperand();
    ASSERT_NE(pCell, nullptr);
    EXPECT_EQ(pCell->nKind, FORMULA_OPERAND_CELL);
    EXPECT_EQ(pCell->ref.nFirstRow, 5);
    EXPECT_EQ(pCell->ref.nFirstColumn, 2);
    EXPECT_EQ(pCell->ref.nLastRow, -1);
    EXPECT_EQ(pCell->ref.byFirstRowMarker, 0);
    const CFormulaOperandObject* pRange = tokens[1].GetOperand();
    ASSERT_NE(pRange, nullptr);
    EXPECT_EQ(pRange->ref.nLastRow, 3);
    EXPECT_EQ(pRange->ref.nLastColumn, 2);
    EXPECT_EQ(tokens[1].GetBlanks(), 2);
    ASSERT_NE(tokens[2].GetFunction(), nullptr);
    EXPECT_EQ(tokens[2].GetFunction()->nFunctionId, FORMULA_FN_SUMSQ);
    EXPECT_EQ(tokens[2].GetBlanks(), 0);
    ASSERT_NE(tokens[3].GetOperator(), nullptr);
    EXPECT_EQ(tokens[3].GetOperator()->nCode, FORMULA_OP_POWER);
    EXPECT_EQ(tokens[3].GetOperator()->byReserved, 6);

    CFormulaEngine engine;
    CFormulaTokenList list;
    for (const CFormulaToken& token : tokens)
        list.Add(token);
    EXPECT_EQ(engine.FormulaToText(list).Str(), "B5  A1:B3SUMSQ^");
}

TEST(FormulaArchive, MalformedRecordsFailWithoutReadingPastTheEnd)
{
    CFormulaEngine engine;
    const CFormulaTokenList list = CompileList(engine, 9, 9, "SUM(A1:B2,\"x\")");
    const std::string stored = Stored(std::vector<CFormulaToken>(list.begin(), list.end()));
    // Every cut of the stream fails cleanly.
    for (size_t nCut = 0; nCut < stored.size(); ++nCut) {
        std::vector<CFormulaToken> tokens;
        EXPECT_FALSE(Load(stored.substr(0, nCut), list.GetCount(), tokens)) << nCut;
    }
    // A length larger than what remains.
    const std::string huge = Bytes().I32(30).I32(10001).I32(0x7FFFFFFF).I16(1).I32(10099).data;
    std::vector<CFormulaToken> tokens;
    EXPECT_FALSE(Load(huge, 1, tokens));
    // An object item whose record claims more than the item holds.
    const std::string inner = Bytes().I32(18).I32(10051).I32(50).I16(1).I32(10099).data;
    const std::string outer = Bytes().I32(10 + 8 + 18 + 8).I32(10001).I32(2).I16(1).I32(10003).I32(18).Raw(inner).I32(10099).data;
    EXPECT_FALSE(Load(outer, 1, tokens));
}

TEST(FormulaArchive, WholeLists)
{
    CFormulaEngine engine;
    const CFormulaTokenList list = CompileList(engine, 9, 9, "ROUND(A1*1.5,2)&\"x\"");
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        WriteFormulaTokenRecords(ar, list);
        ar.Flush();
    }
    const std::string stored(reinterpret_cast<const char*>(file.GetBufferPtr()), static_cast<size_t>(file.GetLength()));
    EXPECT_EQ(stored, Stored(std::vector<CFormulaToken>(list.begin(), list.end())));

    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CFormulaTokenList loaded;
    ASSERT_TRUE(ReadFormulaTokenRecords(ar, list.GetCount(), loaded, TRUE));
    EXPECT_EQ(engine.FormulaToText(loaded).Str(), "ROUND(A1*1.5,2)&\"x\"");

    // A count that cannot fit in what remains is refused before anything is read.
    file.SeekToBegin();
    CArchive again(&file, CArchive::load);
    EXPECT_FALSE(ReadFormulaTokenRecords(again, 1000000, loaded, TRUE));
    EXPECT_TRUE(again.IsFailed());
    EXPECT_TRUE(loaded.IsEmpty());
}

TEST(FormulaArchive, MismatchedObjectsArePassedOver)
{
    // A token whose object does not belong to its kind is kept as read, but
    // rendering and evaluation pass over it.
    CFormulaOperandObject operand;
    operand.nKind = FORMULA_OPERAND_NUMBER;
    operand.dNumber = 4;
    CFormulaTokenList list;
    list.Add(CFormulaToken(FORMULA_TOKEN_FUNCTION, 0, operand));
    list.Add(CFormulaToken(FORMULA_TOKEN_OPERAND, 0, operand));
    list.Add(CFormulaToken(9, 0, operand));
    list.Add(CFormulaToken::Bracket(FORMULA_BRACKET_CLOSE, 0));
    list.Add(CFormulaToken::Operator(FORMULA_OP_MULTIPLY, 0));
    list.Add(CFormulaToken::Operand(operand, 0));
    CFormulaEngine engine;
    EXPECT_EQ(engine.FormulaToText(list).Str(), "4)*4");
    EXPECT_EQ(engine.Evaluate(list).Str(), "0");   // after the stray ")" the walk starts afresh: ""*4
    std::vector<CFormulaToken> loaded;
    const std::string stored = Stored(std::vector<CFormulaToken>(list.begin(), list.end()));
    ASSERT_TRUE(Load(stored, list.GetCount(), loaded));
    EXPECT_EQ(Hex(Stored(loaded)), Hex(stored));
}

// --- user tables ----------------------------------------------------------

std::string StoreTables(CFormulaEngine& engine, bool bFunctions)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_TRUE(bFunctions ? engine.SerializeUserFunctions(ar, nullptr) : engine.SerializeUserConstants(ar, nullptr));
    ar.Flush();
    return std::string(reinterpret_cast<const char*>(file.GetBufferPtr()), static_cast<size_t>(file.GetLength()));
}

BOOL LoadTables(CFormulaEngine& engine, bool bFunctions, const std::string& bytes, int nCount, bool* pbFailed = nullptr)
{
    std::string copy = bytes;
    CMemFile file(reinterpret_cast<BYTE*>(copy.empty() ? nullptr : &copy[0]), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    const BOOL bResult =
        bFunctions ? engine.SerializeUserFunctions(ar, &nCount) : engine.SerializeUserConstants(ar, &nCount);
    if (pbFailed != nullptr)
        *pbFailed = ar.IsFailed();
    return bResult;
}

TEST(FormulaArchive, GoldenUserFunctionTable)
{
    CFormulaEngine engine;
    ASSERT_TRUE(engine.AddUserFunction("MyFun", 4));
    ASSERT_TRUE(engine.AddUserFunction("函数", 0));   // category 0: the name alone
    const std::string expected = Bytes()
                                     .I32(31).I32(10161).I32(6).Raw("MyFun").U8(0).I32(10162).I32(1).U8(4).I32(10169)
                                     .I32(8 + 4 + 9).I32(10161).I32(5).Raw("函数").U8(0).I32(10169)
                                     .data;
    const std::string stored = StoreTables(engine, true);
    EXPECT_EQ(Hex(stored), Hex(expected));

    CFormulaEngine other;
    ASSERT_TRUE(other.AddUserFunction("Old", 1));   // replaced by the loaded table
    ASSERT_TRUE(LoadTables(other, true, stored, 2));
    ASSERT_EQ(other.GetUserFunctionCount(), 2);
    CString strName;
    short nCategory = -1;
    ASSERT_TRUE(other.GetUserFunction(1, &strName, &nCategory));
    EXPECT_EQ(strName.Str(), "函数");
    EXPECT_EQ(nCategory, 0);
    EXPECT_EQ(Hex(StoreTables(other, true)), Hex(expected));
    // Loaded names resolve in formulas; "Old" is gone.
    CFormulaTokenList list;
    EXPECT_TRUE(other.Compile(1, 1, "myfun(1)", list));
    EXPECT_FALSE(other.Compile(1, 1, "Old(1)", list));
}

TEST(FormulaArchive, GoldenUserConstantTable)
{
    CFormulaEngine engine;
    ASSERT_TRUE(engine.AddUserConstant("Rate", 0.5));
    ASSERT_TRUE(engine.AddUserConstant("Zero", 0.0));   // no value item
    const std::string expected = Bytes()
                                     .I32(37).I32(10161).I32(5).Raw("Rate").U8(0).I32(10162).I32(8).F64(0.5).I32(10169)
                                     .I32(8 + 4 + 9).I32(10161).I32(5).Raw("Zero").U8(0).I32(10169)
                                     .data;
    const std::string stored = StoreTables(engine, false);
    EXPECT_EQ(Hex(stored), Hex(expected));
    CFormulaEngine other;
    ASSERT_TRUE(LoadTables(other, false, stored, 2));
    CString strName;
    double dValue = -1;
    ASSERT_TRUE(other.GetUserConstant(1, &strName, &dValue));
    EXPECT_EQ(strName.Str(), "Zero");
    EXPECT_EQ(dValue, 0.0);
    EXPECT_EQ(Hex(StoreTables(other, false)), Hex(expected));
}

TEST(FormulaArchive, UserTablesFromOutside)
{
    // An entry without a name (possible only from a file) still gets a record
    // of its own, so the count written before the table stays right.
    const std::string nameless = Bytes().I32(17).I32(10162).I32(1).U8(3).I32(10169).data;
    const std::string named = Bytes().I32(18).I32(10161).I32(2).Raw("F").U8(0).I32(10169).data;
    CFormulaEngine engine;
    ASSERT_TRUE(LoadTables(engine, true, nameless + named, 2));
    EXPECT_EQ(engine.GetUserFunctionCount(), 2);
    const std::string stored = StoreTables(engine, true);
    EXPECT_EQ(Hex(stored), Hex(nameless + named));

    // Counts that cannot fit, negative counts and cut records fail with the archive's status.
    bool bFailed = false;
    EXPECT_FALSE(LoadTables(engine, true, named, 3, &bFailed));
    EXPECT_TRUE(bFailed);
    EXPECT_FALSE(LoadTables(engine, false, named, 1000000000, &bFailed));
    EXPECT_TRUE(bFailed);
    EXPECT_FALSE(LoadTables(engine, true, named, -1, &bFailed));
    EXPECT_TRUE(bFailed);
    for (size_t nCut = 0; nCut < named.size(); ++nCut) {
        EXPECT_FALSE(LoadTables(engine, true, named.substr(0, nCut), 1, &bFailed)) << nCut;
        EXPECT_TRUE(bFailed) << nCut;
    }
    CMemFile file;
    CArchive ar(&file, CArchive::load);
    EXPECT_FALSE(engine.SerializeUserConstants(ar, nullptr));

    // Two loaded entries of the same name: the first one is found.
    const std::string twice = Bytes()
                                  .I32(37).I32(10161).I32(5).Raw("Rate").U8(0).I32(10162).I32(8).F64(1.0).I32(10169)
                                  .I32(37).I32(10161).I32(5).Raw("RATE").U8(0).I32(10162).I32(8).F64(2.0).I32(10169)
                                  .data;
    ASSERT_TRUE(LoadTables(engine, false, twice, 2));
    CFormulaTokenList list;
    ASSERT_TRUE(engine.Compile(1, 1, "rate*10", list));
    EXPECT_EQ(engine.Evaluate(list).Str(), "10");
}

}  // namespace
