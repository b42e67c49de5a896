// The user function and user constant tables in archives: one entry record
// per table entry, 10161 the name (bytes and a NUL, when not empty), 10162 the
// category byte of a function (when above 0) or the value of a constant (an
// IEEE double, when not 0.0), end tag 10169.

#include "cellcontent/formula/FormulaEngine.h"

#include "cellcontent/formula/FormulaRecord.h"

using namespace formula_record;

namespace {

const int32_t TAG_ENTRY_NAME = 10161;
const int32_t TAG_ENTRY_VALUE = 10162;
const int32_t TAG_ENTRY_END = 10169;

// The least bytes an entry record takes (its size and its end tag).
const long long kMinEntryBytes = 8;

void WriteRecord(CArchive& ar, const std::string& record)
{
    ar.Write(record.data(), static_cast<UINT>(record.size()));
}

// Reads one entry record; the name and the value item's bytes.
bool ReadEntry(CArchive& ar, CString& strName, std::string& value)
{
    CRecordSource source(ar);
    return ReadRecord(source, TAG_ENTRY_END, [&](int32_t nTag, int32_t nLength, CRecordSource& src) {
        std::string data;
        if (!src.ReadBytes(nLength, data))
            return false;
        if (nLength == 0)
            return true;
        if (nTag == TAG_ENTRY_NAME)
            strName = GetText(data);
        else if (nTag == TAG_ENTRY_VALUE)
            value = data;
        return true;
    });
}

// Checks a stored entry count against what remains of the archive.
bool CountFits(CArchive& ar, const int* pnCount)
{
    if (pnCount == nullptr || *pnCount < 0)
        return false;
    return static_cast<long long>(*pnCount) * kMinEntryBytes <= static_cast<long long>(ar.GetRemaining());
}

// Reads *pnCount entry records, handing each name and value item to addEntry.
// FALSE, with the archive failed, when the count does not fit what remains or
// a record is broken.
template <class AddEntry>
BOOL ReadEntries(CArchive& ar, const int* pnCount, AddEntry addEntry)
{
    if (!CountFits(ar, pnCount)) {
        if (pnCount != nullptr)
            ar.SetFailed(CArchive::statusBadCount);
        return FALSE;
    }
    for (int i = 0; i < *pnCount; ++i) {
        CString strName;
        std::string value;
        if (!ReadEntry(ar, strName, value)) {
            if (!ar.IsFailed())
                ar.SetFailed(CArchive::statusBadCount);
            return FALSE;
        }
        addEntry(strName, value);
    }
    return TRUE;
}

}  // namespace

BOOL CFormulaEngine::SerializeUserFunctions(CArchive& ar, int* pnCount)
{
    if (ar.IsStoring()) {
        // Every entry gets a record (an empty one as size 0 and the end tag),
        // so the count the caller wrote always matches.
        for (const FunctionEntry& entry : m_userFunctions) {
            CRecordWriter writer;
            if (!entry.strName.IsEmpty())
                writer.TextItem(TAG_ENTRY_NAME, entry.strName);
            if (entry.byCategory > 0)
                writer.ByteItem(TAG_ENTRY_VALUE, entry.byCategory);
            WriteRecord(ar, writer.Finish(TAG_ENTRY_END));
        }
        return !ar.IsFailed();
    }
    m_userFunctions.clear();
    m_userFunctionIndex.clear();
    return ReadEntries(ar, pnCount, [this](const CString& strName, const std::string& value) {
        const BYTE byCategory = value.empty() ? 0 : static_cast<BYTE>(value[0]);
        m_userFunctions.push_back({strName, byCategory});
        m_userFunctionIndex.emplace(FoldName(strName), static_cast<int>(m_userFunctions.size() - 1));
    });
}

BOOL CFormulaEngine::SerializeUserConstants(CArchive& ar, int* pnCount)
{
    if (ar.IsStoring()) {
        for (const ConstantEntry& entry : m_userConstants) {
            CRecordWriter writer;
            if (!entry.strName.IsEmpty())
                writer.TextItem(TAG_ENTRY_NAME, entry.strName);
            if (entry.dValue != 0.0)
                writer.DoubleItem(TAG_ENTRY_VALUE, entry.dValue);
            WriteRecord(ar, writer.Finish(TAG_ENTRY_END));
        }
        return !ar.IsFailed();
    }
    m_userConstants.clear();
    m_userConstantIndex.clear();
    return ReadEntries(ar, pnCount, [this](const CString& strName, const std::string& value) {
        m_userConstants.push_back({strName, value.empty() ? 0.0 : GetDouble(value)});
        m_userConstantIndex.emplace(FoldName(strName), static_cast<int>(m_userConstants.size() - 1));
    });
}
