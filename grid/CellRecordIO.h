// Writing and reading the levels of the tagged cell record.
//
// Writing: a level computes its items once with a counting writer (for
// GetRecordSize) and once with a writing one (for SerializeRecord), so the
// declared size and the bytes can never disagree.
//
// Reading one level (CCellRecordReader):
//  1. Read the declared size L and add it to the caller's counter, if any.
//  2. The level's own counter starts at 4; the parent level is loaded with it,
//     adding the parent's declared size.
//  3. When L is at most 8 the level has no items: one word (its end tag) follows.
//  4. Otherwise, item by item: read a tag; stop when the counter has reached L;
//     add 4; stop at the level's end tag; read the length; add 4; read or skip
//     the data, adding its length.
// A parent level that declares 0 still occupies its size word, its own parent
// and its end tag, so the counter may lag behind the bytes actually read; the
// writer's sizes are kept exactly as they are because stored templates rely
// on them. Every item length is checked against what the level can still hold
// (L - 4 - counter) and against what remains in the archive; a length outside
// them marks the record as corrupt (the archive's statusBadCount) and the
// level stops reading, so nothing is ever read past the record or the stream.
// A known item whose length differs from its value's size is read as far as
// the value goes and the rest skipped; one too short for its value is skipped
// whole and leaves the field unchanged.
#pragma once

#include "base/CArchive.h"
#include "base/CString.h"
#include "base/WinTypes.h"

#include <string>

class CCellRecordWriter {
public:
    // pAr NULL: only count the bytes.
    explicit CCellRecordWriter(CArchive* pAr) : m_pAr(pAr) {}

    void Int(int nTag, int nValue);
    void Ints(int nTag, const int* pValues, int nCount);
    void Double(int nTag, double dValue);
    void Text(int nTag, const CString& strText);      // the text and its NUL
    void Bytes(int nTag, const void* pData, int nLength);
    void LogFont(int nTag, const LOGFONT& lf);        // 60 bytes, see SerializeLogFont

    int GetItemBytes() const { return m_nBytes; }

private:
    void Head(int nTag, int nLength);

    CArchive* m_pAr;
    int m_nBytes = 0;
};

// The declared size of a level: 4 + parent + items + 4, or 0 when both are 0.
inline int CellRecordLevelSize(int nParentDeclared, int nItemBytes)
{
    return nParentDeclared + nItemBytes == 0 ? 0 : 4 + nParentDeclared + nItemBytes + 4;
}

class CCellRecordReader {
public:
    // Reads the level's declared size and adds it to *pnCallerCounter.
    CCellRecordReader(CArchive& ar, int* pnCallerCounter);

    CCellRecordReader(const CCellRecordReader&) = delete;
    CCellRecordReader& operator=(const CCellRecordReader&) = delete;

    // The level's counter, to be handed to the parent level's reader.
    int* Counter() { return &m_nCounter; }
    int GetLevelSize() const { return m_nLevelSize; }

    // When the level declares at most 8 bytes, reads its end word and answers
    // TRUE: nothing else of the level follows.
    BOOL ReadEndOfEmptyLevel();

    // Steps to the next item; FALSE at the end tag, at the end of the level,
    // on a corrupt length or when the archive has failed.
    BOOL NextItem(int nEndTag, int& nTag, int& nLength);

    // Readers of the current item's data. Each consumes the whole item; FALSE
    // (field unchanged) when the item is shorter than the value.
    BOOL ReadInt(int& nValue);
    BOOL ReadInts(int* pValues, int nCount);
    BOOL ReadDouble(double& dValue);
    BOOL ReadText(CString& strText);                  // bytes up to the first NUL
    BOOL ReadBytes(std::string& strBytes);            // all bytes
    BOOL ReadLogFont(LOGFONT& lf);
    void SkipItem();
    // The caller reads the current item's data from the archive itself (an
    // item whose length field is no byte count); the reader goes on from
    // wherever the caller stopped. The counter keeps the declared length.
    void TakeOverItem() { m_nItemLeft = 0; }

    // Counts nSize bytes an untagged level read itself.
    void CountRead(int nSize);
    // Skips what the declared size still holds beyond the counter (untagged
    // levels); refuses (statusBadCount) more than the archive holds.
    void SkipRestOfLevel();

private:
    void Drop(long long nSize);          // skips bytes (bounded by the caller)

    CArchive& m_ar;
    int m_nLevelSize = 0;
    int m_nCounter = 4;
    int m_nItemLeft = 0;                 // bytes of the current item not yet consumed
};
