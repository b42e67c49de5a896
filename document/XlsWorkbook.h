// A BIFF8 workbook built in memory and saved as the stream "Workbook" of a
// compound file: fonts, shared cell formats (XF), a shared string table and
// sheets of cells, merged ranges, column widths and row heights.
#pragma once

#include "base/WinTypes.h"
#include "document/XlsCellFormat.h"
#include "document/XlsRecords.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

class XlsWorkbook;

// Value kinds of a cell: 0 and 4 texts (4 with an empty text is blank),
// 1 an RK number, 3 a NUMBER, anything else blank.
enum XlsValueKind { XLS_VALUE_TEXT = 0, XLS_VALUE_RK = 1, XLS_VALUE_NUMBER = 3, XLS_VALUE_TEXT_OR_BLANK = 4 };

struct XlsCellValue {
    uint16_t row = 0;
    uint16_t col = 0;
    int xf = -1;   // -1: the row's, the column's or the default cell format
    int kind = XLS_VALUE_TEXT;
    uint32_t text = 0;   // the text's number in the workbook's text pool
    double number = 0.0;
};

// A row's record settings.
struct XlsRowInfo {
    uint16_t height = 255;   // twips
    uint16_t options = 0;    // 0x40: height set by the writer
    int xf = -1;             // the row's own format, -1 none
};

class XlsSheet {
public:
    XlsSheet(XlsWorkbook* book, const std::string& name, int index, bool visible);

    const std::string& GetName() const { return m_name; }
    int GetIndex() const { return m_index; }
    bool IsVisible() const { return m_visible; }

    // Cells; format is an XF index from XlsWorkbook::AddFormat or -1.
    void SetCellText(int col, int row, const std::string& text, int format);
    void SetCellNumber(int col, int row, double value, int format);
    void SetCellValue(int col, int row, int kind, const std::string& text, double value, int format);
    void AddMergedRange(int firstRow, int firstCol, int lastRow, int lastCol);
    // Width in 1/256 of a character.
    void SetColumnWidth(int firstCol, int lastCol, int width, int format);
    XlsRowInfo& GetRow(int row);
    void SetHeaderFooter(const std::string& text) { m_header = text; }
    const std::string& GetHeaderFooter() const { return m_header; }
    void Protect(const std::string& password) { m_password = password; }

    size_t GetCellCount() const;

    // The sheet's stream, its positions counted from its BOF; the INDEX
    // entries that hold stream positions are listed in indexFixups and get
    // the sheet's offset in the workbook stream added.
    XlsBytes BuildStream(std::vector<size_t>& indexFixups);

private:
    struct ColInfo {
        uint16_t first, last, width;
        int xf;
    };
    int ResolveXf(const XlsCellValue& cell) const;

    XlsWorkbook* m_book;
    std::string m_name;
    int m_index;
    bool m_visible;
    std::vector<std::vector<XlsCellValue>> m_rows;   // by row
    std::map<int, XlsRowInfo> m_rowInfo;
    std::vector<ColInfo> m_cols;
    std::vector<XlsRange> m_merges;     // in the order added
    std::set<XlsRange> m_mergeSet;      // each range once
    std::string m_header;
    std::string m_password;
};

class XlsWorkbook {
    friend class XlsSheet;

public:
    XlsWorkbook();
    ~XlsWorkbook();
    XlsWorkbook(const XlsWorkbook&) = delete;
    XlsWorkbook& operator=(const XlsWorkbook&) = delete;

    // The first call makes the four default fonts (0-3) of the name and size
    // in points; later calls change nothing.
    void SetDefaultFont(const std::string& name, int size);
    XlsSheet* AddSheet(const std::string& name, bool visible = true);
    XlsSheet* GetSheet(int index);
    int GetSheetCount() const { return static_cast<int>(m_sheets.size()); }

    // A font index for the font (equal fonts share one; there is no index 4).
    uint16_t AddFont(const XlsFontSpec& font);
    // An XF index for the format (equal formats share one; cell formats start
    // at 21). The default cell format 15 when the format table is full.
    uint16_t AddFormat(const XlsCellFormat& format);
    int GetFontCount() const;
    int GetFormatCount() const { return 21 + static_cast<int>(m_xfs.size()); }

    // The pool of cell texts (equal texts share one number).
    uint32_t InternText(const std::string& text);
    const std::string& GetPooledText(uint32_t id) const { return m_pool[id]; }
    // The shared string table: the index of the text (equal texts share
    // one, numbered in the order they are first written), counting one more use.
    uint32_t AddSharedString(const std::string& text) { return AddSharedString(InternText(text)); }
    uint32_t AddSharedString(uint32_t pooledText);
    uint32_t GetSharedStringTotal() const { return m_sstTotal; }
    uint32_t GetSharedStringCount() const { return static_cast<uint32_t>(m_strings.size()); }

    // The whole "Workbook" stream.
    XlsBytes BuildStream();
    // Writes the compound file (temporary file and rename); 1 on success, 0
    // on failure (what was at the path stays). A workbook holding a text
    // the format cannot hold whole (a cell text over kXlsMaxCellText
    // characters, a header or footer over kXlsMaxHeaderFooterText) is
    // refused rather than cut; GetSaveStatus tells why a save failed.
    int Save(LPCTSTR path);
    enum SaveStatus { SAVE_OK, SAVE_TEXT_TOO_LONG, SAVE_HEADER_TOO_LONG, SAVE_WRITE_FAILED };
    SaveStatus GetSaveStatus() const { return m_saveStatus; }

private:
    void WriteSst(XlsBuffer& buf);

    std::vector<std::unique_ptr<XlsSheet>> m_sheets;
    std::vector<XlsFontSpec> m_defaultFonts;
    std::vector<XlsBytes> m_fonts;   // added fonts' records, index 5 on
    std::unordered_map<std::string, uint16_t> m_fontIndex;
    std::vector<XlsBytes> m_xfs;     // cell XFs, index 21 on
    struct XfKeyHash {
        size_t operator()(const std::array<uint8_t, 20>& k) const;
    };
    using XlsXfKey = std::array<uint8_t, 20>;
    std::unordered_map<XlsXfKey, uint16_t, XfKeyHash> m_xfIndex;
    void GrowTextSlots();

    std::vector<std::string> m_pool;
    // Open-addressed index of the pool: per slot the upper half of the
    // text's hash and its number + 1 (0: an empty slot); a power of two in
    // size, never more than half full.
    std::vector<uint64_t> m_poolSlots;
    std::vector<uint32_t> m_poolToSst;   // kNoSst until written
    std::vector<uint32_t> m_strings;     // pooled texts in string-table order
    uint32_t m_sstTotal = 0;
    SaveStatus m_saveStatus = SAVE_OK;
};

// The maximum number of XF records a workbook holds.
const int kXlsMaxFormats = 4050;
