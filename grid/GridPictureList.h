// CGridPictureList: the pictures of a grid (PNG, JPEG, BMP, GIF ...) that
// image and button cells name by a 16-bit picture id.
//
// The list keeps each picture's file bytes as read, so a template carries
// them and a picture can be written back to a file, and the bitmap decoded
// from them for painting (platform/Picture.h: GDI+ on Windows, BMP only on
// the headless platform), which it owns. A picture the platform cannot
// decode still becomes an entry: it keeps its bytes and has no bitmap
// (GetBitmap answers NULL).
//
// Ids are handed out from a counter that only grows (deleting a picture does
// not lower it) until DeleteAll resets it to 0.
//
// Record of one entry (little-endian): int32 total length (the items' bytes
// + 8; 0 and nothing else for an entry with nothing to write), then items of
// int32 tag, int32 length, data, each only when it differs from its default:
//   10401 (2) id, when not 0xFFFF     10402 (4) byte count, when not 0
//   10403 (n) the picture bytes        10404 (1), 10405 (1) option bytes, when >= 0 as signed
//   10406 (4) option int, when >= 0    10407 (2) option short, when >= 0
//   10408 (n + 1) name and NUL, when not empty
// then the end tag 10599 (no length). Unknown tags are skipped by their length.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <vector>

class CArchive;

struct GridPictureEntry {
    WORD wId = 0xFFFF;
    int nByteCount = 0;
    std::vector<BYTE> bytes;        // the picture file as read
    BYTE byOption1 = 255;
    BYTE byOption2 = 255;
    HBITMAP hBitmap = nullptr;      // the decoded picture, owned by the list; never stored
    int nOption = -1;
    short nOptionShort = -1;
    CString strName;

    // The record's total length (0 when nothing would be written).
    int GetRecordSize() const;
    void WriteRecord(CArchive& ar) const;
    // Reads one record; FALSE (archive failed) for a damaged one.
    BOOL ReadRecord(CArchive& ar);
};

class CGridPictureList {
public:
    CGridPictureList();
    ~CGridPictureList();

    CGridPictureList(const CGridPictureList&) = delete;
    CGridPictureList& operator=(const CGridPictureList&) = delete;

    // Adds the picture file at szPath; its new id, or -1 for an empty path, a
    // path that does not exist or a file that cannot be read. Only bytes whose
    // header fits them (base/PictureHeader.h) are decoded; others are kept
    // without a bitmap.
    int AddPictureFile(LPCTSTR szPath);
    // The same, for a file that must be a picture the platform decodes: -1,
    // and the list and its id counter unchanged, when it is not.
    int AddDecodablePictureFile(LPCTSTR szPath);
    // Adds a picture from memory, decoded as above; its new id, or -1 for no
    // bytes.
    int AddPictureData(const BYTE* pBytes, int nByteCount);

    HBITMAP GetBitmap(int nId) const;              // NULL when no entry has the id
    int FindPicture(int nId) const;                // index of the first entry with the id; -1
    int DeletePicture(int nId);                    // its former index, or -1
    int DeleteAll();                               // the former count; the id counter back to 0
    // The id of the entry at nIndex; -1 for an index outside the list.
    int GetPictureId(int nIndex) const;
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    const GridPictureEntry* GetEntryAt(int nIndex) const;
    int GetNextId() const { return m_nNextId; }

    // Writes the bytes of the picture to szPath; FALSE for an unknown id, an
    // empty path, an entry without bytes or a file that cannot be written.
    BOOL SavePictureFile(int nId, LPCTSTR szPath) const;

    // Storing writes the record of every entry that has something to write,
    // then the id counter (the caller has written the count). Loading empties
    // the list, reads nCount records and the id counter; a count that cannot
    // fit in what remains, or a damaged record, fails the archive.
    void Serialize(CArchive& ar, int nCount);

private:
    // Decodes and appends; with bMustDecode a picture that does not decode is
    // refused (-1).
    int Append(std::vector<BYTE> bytes, bool bMustDecode);

    std::vector<GridPictureEntry> m_entries;
    int m_nNextId = 0;
};
