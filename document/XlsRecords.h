// BIFF8 records of the workbook writer: each builder answers one whole record
// (the 4-byte header of type and data length, then the data), little-endian,
// the same bytes on every build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using XlsBytes = std::vector<uint8_t>;

// One record: its type and data. GetSize counts the header too; Write appends
// the whole record to out and answers the number of bytes written.
struct XlsRecord {
    uint16_t type = 0;
    XlsBytes data;

    size_t GetSize() const { return 4 + data.size(); }
    size_t Write(XlsBytes& out) const;
};

// A growing byte block that records are appended to; Size() is the stream
// position of the next record.
class XlsBuffer {
public:
    size_t Size() const { return m_bytes.size(); }
    const XlsBytes& Bytes() const { return m_bytes; }
    XlsBytes& Bytes() { return m_bytes; }
    size_t Append(const XlsRecord& rec) { return rec.Write(m_bytes); }
    void Append(const XlsBytes& raw) { m_bytes.insert(m_bytes.end(), raw.begin(), raw.end()); }
    void PatchU32(size_t pos, uint32_t v);

private:
    XlsBytes m_bytes;
};

// Little-endian field writers.
void XlsPutU8(XlsBytes& b, uint8_t v);
void XlsPutU16(XlsBytes& b, uint16_t v);
void XlsPutU32(XlsBytes& b, uint32_t v);
void XlsPutF64(XlsBytes& b, double v);

// Writes the 4-byte record header into out; answers 4.
size_t WriteRecordHeader(XlsBytes& out, uint16_t type, uint16_t length);

// "0A000000" -> {0x0A, 0, 0, 0}. FALSE (out unchanged) for an odd length or
// a character that is not a hexadecimal digit.
bool HexToBytes(const char* hex, XlsBytes& out);

// Record types.
enum : uint16_t {
    XLS_BOF = 0x0809, XLS_EOF = 0x000A, XLS_WINDOW1 = 0x003D, XLS_FONT = 0x0031,
    XLS_FORMAT = 0x041E, XLS_XF = 0x00E0, XLS_STYLE = 0x0293, XLS_BOUNDSHEET = 0x0085,
    XLS_SST = 0x00FC, XLS_EXTSST = 0x00FF, XLS_CONTINUE = 0x003C, XLS_SUPBOOK = 0x01AE,
    XLS_EXTERNSHEET = 0x0017, XLS_INDEX = 0x020B, XLS_CALCCOUNT = 0x000C,
    XLS_CALCMODE = 0x000D, XLS_PRINTHEADERS = 0x002A, XLS_PRINTGRIDLINES = 0x002B,
    XLS_GRIDSET = 0x0082, XLS_WSBOOL = 0x0081, XLS_HCENTER = 0x0083, XLS_VCENTER = 0x0084,
    XLS_LEFTMARGIN = 0x0026, XLS_RIGHTMARGIN = 0x0027, XLS_TOPMARGIN = 0x0028,
    XLS_BOTTOMMARGIN = 0x0029, XLS_HEADER = 0x0014, XLS_FOOTER = 0x0015,
    XLS_PASSWORD = 0x0013, XLS_PROTECT = 0x0012, XLS_OBJPROTECT = 0x0063,
    XLS_SCENPROTECT = 0x00DD, XLS_DEFCOLWIDTH = 0x0055, XLS_COLINFO = 0x007D,
    XLS_DIMENSION = 0x0200, XLS_ROW = 0x0208, XLS_BLANK = 0x0201, XLS_LABELSST = 0x00FD,
    XLS_RK = 0x027E, XLS_NUMBER = 0x0203, XLS_DBCELL = 0x00D7, XLS_MERGEDCELLS = 0x00E5,
    XLS_WINDOW2 = 0x023E, XLS_PANE = 0x0041,
};

// BOF substream types.
enum : uint16_t { XLS_BOF_GLOBALS = 5, XLS_BOF_WORKSHEET = 16 };

// The largest data length of one record.
const size_t kXlsMaxRecordData = 8224;

XlsRecord XlsBofRecord(uint16_t substream);
XlsRecord XlsEofRecord();
XlsRecord XlsWindow1Record();
XlsRecord XlsU16Record(uint16_t type, uint16_t value);   // CALCCOUNT, PROTECT and the like
XlsRecord XlsCalcCountRecord();                          // 100
XlsRecord XlsCalcModeRecord();                           // 1, automatic
XlsRecord XlsMarginRecord(uint16_t type, double inches);
// A FONT: height in twips, options (2 italic, 8 strike-out), colour index,
// weight, underline, family, character set, name (code page 936 text).
struct XlsFontSpec {
    uint16_t height = 200;
    uint16_t options = 0;
    uint16_t colour = 0x7FFF;
    uint16_t weight = 400;
    uint8_t underline = 0;
    uint8_t family = 0;
    uint8_t charset = 0;
    std::string name = "Tahoma";
};
XlsRecord XlsFontRecord(const XlsFontSpec& font);
// The eight stored number formats (5-8, 41-44) and six built-in styles.
std::vector<XlsRecord> XlsStoredFormatRecords();
std::vector<XlsRecord> XlsStoredStyleRecords();
// The 21 built-in XFs (15 is the default cell XF).
std::vector<XlsRecord> XlsBuiltInXfRecords();
// The sheet's name is cut to its first 31 characters (the most a workbook
// names a sheet with), never inside a character; 8-bit when every byte is
// below 0x80, else UTF-16 converted from code page 936.
XlsRecord XlsBoundSheetRecord(uint32_t offset, const std::string& name, bool visible = true);
// Cell records written straight into a stream (no record object between).
void XlsWriteLabelSst(XlsBytes& out, uint16_t row, uint16_t col, uint16_t xf, uint32_t sst);
void XlsWriteNumber(XlsBytes& out, uint16_t row, uint16_t col, uint16_t xf, double value);
void XlsWriteRk(XlsBytes& out, uint16_t row, uint16_t col, uint16_t xf, uint32_t rk);
void XlsWriteBlank(XlsBytes& out, uint16_t row, uint16_t col, uint16_t xf);
XlsRecord XlsLabelSstRecord(uint16_t row, uint16_t col, uint16_t xf, uint32_t sst);
XlsRecord XlsNumberRecord(uint16_t row, uint16_t col, uint16_t xf, double value);
XlsRecord XlsRkRecord(uint16_t row, uint16_t col, uint16_t xf, uint32_t rk);
XlsRecord XlsBlankRecord(uint16_t row, uint16_t col, uint16_t xf);
XlsRecord XlsDimensionRecord(uint32_t firstRow, uint32_t lastRowPlus1, uint16_t firstCol, uint16_t lastColPlus1);
XlsRecord XlsColInfoRecord(uint16_t first, uint16_t last, uint16_t width, uint16_t xf);
XlsRecord XlsWindow2Record();
// Header and footer texts (code page 936) in the BIFF8 string form; a text
// that names no section gets "&L" in front. An empty text writes no data.
// The workbook refuses a text longer than kXlsMaxHeaderFooterText before it
// gets here.
XlsRecord XlsHeaderFooterRecord(uint16_t type, const std::string& text);
// The header or footer text as written: "&L" in front of a text that names
// no section.
std::string XlsHeaderFooterWritten(const std::string& text);

// The format's limits on texts, in characters (UTF-16 units).
const size_t kXlsMaxCellText = 32767;
const size_t kXlsMaxHeaderFooterText = 255;
const size_t kXlsMaxSheetName = 31;
// A code page 936 text's length in characters as the workbook counts them.
size_t XlsTextLength(const std::string& text);

struct XlsRange {
    uint16_t firstRow, lastRow, firstCol, lastCol;
    bool operator<(const XlsRange& o) const;
    bool operator==(const XlsRange& o) const;
};
// MERGEDCELLS records, split so that none passes the record size limit.
std::vector<XlsRecord> XlsMergedCellsRecords(const std::vector<XlsRange>& ranges);

// A BIFF8 string (uint16 character count, flag, characters): 8-bit when every
// byte is below 0x80, else UTF-16 converted from code page 936.
XlsBytes XlsUnicodeString(const std::string& text);

// RK: the 30-bit integer or the upper 30 bits of the double, possibly scaled
// by 100. FALSE when the number cannot be held exactly.
bool XlsEncodeRk(double value, uint32_t& rk);
double XlsDecodeRk(uint32_t rk);

// The sheet password verifier of a (code page 936) password.
uint16_t XlsPasswordVerifier(const std::string& password);
