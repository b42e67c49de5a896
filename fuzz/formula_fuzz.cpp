// Formula text and stored token records from outside.
//
// The first byte picks the mode and the formula cell's position:
//  - text: compile the rest as a formula; when it compiles, render it, compile
//    the rendering again (it must compile to the same text), evaluate both
//    against a small table, store the tokens and read them back (the bytes
//    must come out the same);
//  - records: read the rest as stored token records and user tables, then
//    render, evaluate and store whatever was read.

#include "base/CArchive.h"
#include "base/CMemFile.h"
#include "cellcontent/formula/FormulaArchive.h"
#include "cellcontent/formula/FormulaCellSource.h"
#include "cellcontent/formula/FormulaEngine.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A 12 x 8 table: numbers, texts, empty cells and one merged-away cell.
class CFuzzTable : public IFormulaCellSource {
public:
    int GetRowCount() const override { return 12; }
    int GetColumnCount() const override { return 8; }
    BOOL IsCellPresent(int nRow, int nColumn) const override { return (nRow + nColumn) % 5 != 0; }
    BOOL IsCellCoveredByMerge(int nRow, int nColumn) const override { return nRow == 2 && nColumn == 3; }
    BOOL GetCellNumber(int nRow, int nColumn, double& dValue) const override
    {
        if ((nRow * 7 + nColumn) % 3 == 0)
            return FALSE;
        dValue = nRow * 1.5 - nColumn;
        return TRUE;
    }
    CString GetCellText(int nRow, int nColumn) const override
    {
        static const char* const texts[] = {"", "abc", "中文", "10", "\n!\n!\n!", " 5 ", "0"};
        return CString(texts[(nRow + 2 * nColumn) % 7]);
    }
    void CalcUserFunction(FormulaCallInfo& info) override
    {
        std::string result = std::string(info.pszFunctionName) + "|" + info.pszParameters;
        SetFormulaCallResult(info, result.c_str());
    }
};

std::string Store(const CFormulaTokenList& list)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    for (const CFormulaToken& token : list)
        WriteFormulaTokenRecord(ar, token);
    ar.Flush();
    return std::string(reinterpret_cast<const char*>(file.GetBufferPtr()), static_cast<size_t>(file.GetLength()));
}

bool Load(std::string bytes, int nCount, CFormulaTokenList& list, BOOL bMarkers)
{
    CMemFile file(reinterpret_cast<BYTE*>(bytes.empty() ? nullptr : &bytes[0]), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    list.RemoveAll();
    for (int i = 0; i < nCount; ++i) {
        CFormulaToken token;
        if (!ReadFormulaTokenRecord(ar, token, bMarkers))
            return false;
        list.Add(token);
    }
    return true;
}

void Check(bool bCondition, const char* pszWhat)
{
    if (!bCondition) {
        std::fprintf(stderr, "formula_fuzz: %s\n", pszWhat);
        std::abort();
    }
}

void FuzzText(CFormulaEngine& engine, int nRow, int nColumn, const std::string& text)
{
    CFormulaTokenList first;
    if (!engine.Compile(nRow, nColumn, text.c_str(), first))
        return;
    engine.Evaluate(first);
    const CString rendered = engine.FormulaToText(first);
    engine.FormulaToExportText(first);
    CFormulaTokenList second;
    Check(engine.Compile(nRow, nColumn, rendered, second) != FALSE, "the rendered text does not compile");
    Check(engine.FormulaToText(second) == rendered, "the rendered text renders differently");
    engine.Evaluate(second);

    const std::string stored = Store(first);
    CFormulaTokenList loaded;
    Check(Load(stored, first.GetCount(), loaded, TRUE), "stored tokens do not read back");
    Check(Store(loaded) == stored, "stored tokens read back differently");
}

void FuzzRecords(CFormulaEngine& engine, const uint8_t* data, size_t size, bool bMarkers)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    {
        CMemFile file(reinterpret_cast<BYTE*>(bytes.empty() ? nullptr : &bytes[0]), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        int nCount = size > 0 ? data[0] % 4 : 0;
        engine.SerializeUserFunctions(ar, &nCount);
        nCount = size > 1 ? data[1] % 4 : 0;
        engine.SerializeUserConstants(ar, &nCount);
    }
    CFormulaTokenList list;
    Load(bytes, 64, list, bMarkers ? TRUE : FALSE);
    engine.FormulaToText(list);
    engine.FormulaToExportText(list);
    engine.Evaluate(list);
    const std::string stored = Store(list);
    CFormulaTokenList again;
    Check(Load(stored, list.GetCount(), again, TRUE), "stored tokens do not read back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static CFuzzTable table;
    CFormulaEngine engine;
    engine.SetCellSource(&table);
    engine.AddUserFunction("UF", 4);
    engine.AddUserConstant("UC", 2.5);
    const uint8_t selector = data[0];
    if (selector < 0xE0)
        FuzzText(engine, selector % 14, (selector / 14) % 10, std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    else
        FuzzRecords(engine, data + 1, size - 1, (selector & 1) != 0);
    return 0;
}
