#include "document/XlsRecords.h"

#include "base/Cp936.h"

#include <cmath>
#include <cstring>

size_t XlsRecord::Write(XlsBytes& out) const
{
    WriteRecordHeader(out, type, static_cast<uint16_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return GetSize();
}

void XlsBuffer::PatchU32(size_t pos, uint32_t v)
{
    if (pos + 4 > m_bytes.size())
        return;
    for (int i = 0; i < 4; ++i)
        m_bytes[pos + i] = static_cast<uint8_t>(v >> (8 * i));
}

void XlsPutU8(XlsBytes& b, uint8_t v) { b.push_back(v); }

void XlsPutU16(XlsBytes& b, uint16_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void XlsPutU32(XlsBytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void XlsPutF64(XlsBytes& b, double v)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        b.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

size_t WriteRecordHeader(XlsBytes& out, uint16_t type, uint16_t length)
{
    XlsPutU16(out, type);
    XlsPutU16(out, length);
    return 4;
}

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

XlsRecord Make(uint16_t type, XlsBytes data = {})
{
    XlsRecord r;
    r.type = type;
    r.data = std::move(data);
    return r;
}

XlsRecord FromHex(const char* hex)
{
    XlsBytes b;
    HexToBytes(hex, b);
    XlsRecord r;
    r.type = static_cast<uint16_t>(b[0] | (b[1] << 8));
    r.data.assign(b.begin() + 4, b.end());
    return r;
}

bool IsAscii(const std::string& s)
{
    for (unsigned char c : s)
        if (c > 0x7F)
            return false;
    return true;
}

}  // namespace

bool HexToBytes(const char* hex, XlsBytes& out)
{
    if (hex == nullptr)
        return false;
    size_t n = std::strlen(hex);
    if (n % 2 != 0)
        return false;
    XlsBytes b;
    b.reserve(n / 2);
    for (size_t i = 0; i < n; i += 2) {
        int hi = HexDigit(hex[i]);
        int lo = HexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        b.push_back(static_cast<uint8_t>(hi * 16 + lo));
    }
    out.insert(out.end(), b.begin(), b.end());
    return true;
}

XlsRecord XlsBofRecord(uint16_t substream)
{
    XlsBytes d;
    XlsPutU16(d, 0x0600);
    XlsPutU16(d, substream);
    XlsPutU16(d, 10227);
    XlsPutU16(d, 1997);
    XlsPutU32(d, 0x000040C9);
    XlsPutU32(d, 0x00000106);
    return Make(XLS_BOF, d);
}

XlsRecord XlsEofRecord() { return FromHex("0A000000"); }

XlsRecord XlsWindow1Record()
{
    XlsBytes d;
    XlsPutU16(d, 0);
    XlsPutU16(d, 0);
    XlsPutU16(d, 15360);
    XlsPutU16(d, 11520);
    XlsPutU16(d, 0x38);
    XlsPutU16(d, 0);
    XlsPutU16(d, 0);
    XlsPutU16(d, 1);
    XlsPutU16(d, 600);
    return Make(XLS_WINDOW1, d);
}

XlsRecord XlsU16Record(uint16_t type, uint16_t value)
{
    XlsBytes d;
    XlsPutU16(d, value);
    return Make(type, d);
}

XlsRecord XlsCalcCountRecord() { return XlsU16Record(XLS_CALCCOUNT, 100); }
XlsRecord XlsCalcModeRecord() { return XlsU16Record(XLS_CALCMODE, 1); }

XlsRecord XlsMarginRecord(uint16_t type, double inches)
{
    XlsBytes d;
    XlsPutF64(d, inches);
    return Make(type, d);
}

XlsRecord XlsFontRecord(const XlsFontSpec& font)
{
    std::u16string name = cp936::ToUtf16(font.name);
    if (name.size() > 255)
        name.resize(255);
    XlsBytes d;
    XlsPutU16(d, font.height);
    XlsPutU16(d, font.options);
    XlsPutU16(d, font.colour);
    XlsPutU16(d, font.weight);
    XlsPutU16(d, 0);
    XlsPutU8(d, font.underline);
    XlsPutU8(d, font.family);
    XlsPutU8(d, font.charset);
    XlsPutU8(d, 0);
    XlsPutU8(d, static_cast<uint8_t>(name.size()));
    XlsPutU8(d, 1);
    for (char16_t c : name)
        XlsPutU16(d, static_cast<uint16_t>(c));
    return Make(XLS_FONT, d);
}

std::vector<XlsRecord> XlsStoredFormatRecords()
{
    // The texts are 8-bit; "\xA3" is the pound sign.
    static const struct {
        uint16_t index;
        const char* text;
    } formats[] = {
        {5, "\"\xA3\"#,##0;\\-\"\xA3\"#,##0"},
        {6, "\"\xA3\"#,##0;[Red]\\-\"\xA3\"#,##0"},
        {7, "\"\xA3\"#,##0.00;\\-\"\xA3\"#,##0.00"},
        {8, "\"\xA3\"#,##0.00;[Red]\\-\"\xA3\"#,##0.00"},
        {42, "_-\"\xA3\"* #,##0_-;\\-\"\xA3\"* #,##0_-;_-\"\xA3\"* \"-\"_-;_-@_-"},
        {41, "_-* #,##0_-;\\-* #,##0_-;_-* \"-\"_-;_-@_-"},
        {44, "_-\"\xA3\"* #,##0.00_-;\\-\"\xA3\"* #,##0.00_-;_-\"\xA3\"* \"-\"??_-;_-@_-"},
        {43, "_-* #,##0.00_-;\\-* #,##0.00_-;_-* \"-\"??_-;_-@_-"},
    };
    std::vector<XlsRecord> out;
    for (const auto& f : formats) {
        XlsBytes d;
        size_t n = std::strlen(f.text);
        XlsPutU16(d, f.index);
        XlsPutU16(d, static_cast<uint16_t>(n));
        XlsPutU8(d, 0);
        d.insert(d.end(), f.text, f.text + n);
        out.push_back(Make(XLS_FORMAT, d));
    }
    return out;
}

std::vector<XlsRecord> XlsStoredStyleRecords()
{
    static const char* const styles[] = {
        "93020400108003FF", "93020400118006FF", "93020400128004FF",
        "93020400138007FF", "93020400008000FF", "93020400148005FF",
    };
    std::vector<XlsRecord> out;
    for (const char* s : styles)
        out.push_back(FromHex(s));
    return out;
}

std::vector<XlsRecord> XlsBuiltInXfRecords()
{
    auto xf = [](uint16_t font, uint16_t format, uint16_t type, uint8_t used) {
        XlsBytes d;
        XlsPutU16(d, font);
        XlsPutU16(d, format);
        XlsPutU16(d, type);
        XlsPutU8(d, 0x20);   // bottom aligned
        XlsPutU8(d, 0);
        XlsPutU8(d, 0);
        XlsPutU8(d, used);
        XlsPutU32(d, 0);
        XlsPutU32(d, 0);
        XlsPutU16(d, 0x20C0);   // pattern colours 64 and 65
        return Make(XLS_XF, d);
    };
    std::vector<XlsRecord> out;
    out.push_back(xf(0, 0, 0xFFF5, 0x00));
    for (int i = 1; i <= 14; ++i)
        out.push_back(xf(i <= 2 ? 1 : i <= 4 ? 2 : 0, 0, 0xFFF5, 0xF4));
    out.push_back(xf(0, 0, 0x0001, 0x00));   // 15: the default cell XF
    out.push_back(xf(1, 0x2B, 0xFFF5, 0xF8));
    out.push_back(xf(1, 0x29, 0xFFF5, 0xF8));
    out.push_back(xf(1, 0x2C, 0xFFF5, 0xF8));
    out.push_back(xf(1, 0x2A, 0xFFF5, 0xF8));
    out.push_back(xf(1, 0x09, 0xFFF5, 0xF8));
    return out;
}

XlsRecord XlsBoundSheetRecord(uint32_t offset, const std::string& name, bool visible)
{
    XlsBytes d;
    XlsPutU32(d, offset);
    XlsPutU8(d, visible ? 0 : 1);
    XlsPutU8(d, 0);
    if (IsAscii(name)) {
        const std::string n = name.substr(0, kXlsMaxSheetName);
        XlsPutU8(d, static_cast<uint8_t>(n.size()));
        XlsPutU8(d, 0);
        d.insert(d.end(), n.begin(), n.end());
    } else {
        // Code page 936 characters are one UTF-16 unit each, so a cut here
        // never splits one.
        std::u16string w = cp936::ToUtf16(name);
        if (w.size() > kXlsMaxSheetName)
            w.resize(kXlsMaxSheetName);
        XlsPutU8(d, static_cast<uint8_t>(w.size()));
        XlsPutU8(d, 1);
        for (char16_t c : w)
            XlsPutU16(d, static_cast<uint16_t>(c));
    }
    return Make(XLS_BOUNDSHEET, d);
}

namespace {
// Room for a cell record of `length` data bytes at the end of out, its header
// and the row, column and XF filled in; answers where the rest goes.
uint8_t* CellHead(XlsBytes& out, uint16_t type, uint16_t length, uint16_t row, uint16_t col, uint16_t xf)
{
    const size_t at = out.size();
    out.resize(at + 4 + length);
    uint8_t* p = out.data() + at;
    const uint16_t words[5] = {type, length, row, col, xf};
    for (int i = 0; i < 5; ++i) {
        p[2 * i] = static_cast<uint8_t>(words[i]);
        p[2 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
    }
    return p + 10;
}

void Put32At(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

XlsRecord FromWriter(const XlsBytes& whole)
{
    XlsRecord r;
    r.type = static_cast<uint16_t>(whole[0] | (whole[1] << 8));
    r.data.assign(whole.begin() + 4, whole.end());
    return r;
}
}  // namespace

void XlsWriteLabelSst(XlsBytes& out, uint16_t row, uint16_t col, uint16_t xf, uint32_t sst)
{
    Put32At(CellHead(out, XLS_LABELSST, 10, row, col, xf), sst);
}

void XlsWriteNumber(XlsBytes& out, uint16_t row, uint16_t col, uint16_t xf, double value)
{
    uint8_t* p = CellHead(out, XLS_NUMBER, 14, row, col, xf);
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    Put32At(p, static_cast<uint32_t>(bits));
    Put32At(p + 4, static_cast<uint32_t>(bits >> 32));
}

void XlsWriteRk(XlsBytes& out, uint16_t row, uint16_t col, uint16_t xf, uint32_t rk)
{
    Put32At(CellHead(out, XLS_RK, 10, row, col, xf), rk);
}

void XlsWriteBlank(XlsBytes& out, uint16_t row, uint16_t col, uint16_t xf)
{
    CellHead(out, XLS_BLANK, 6, row, col, xf);
}

XlsRecord XlsLabelSstRecord(uint16_t row, uint16_t col, uint16_t xf, uint32_t sst)
{
    XlsBytes b;
    XlsWriteLabelSst(b, row, col, xf, sst);
    return FromWriter(b);
}

XlsRecord XlsNumberRecord(uint16_t row, uint16_t col, uint16_t xf, double value)
{
    XlsBytes b;
    XlsWriteNumber(b, row, col, xf, value);
    return FromWriter(b);
}

XlsRecord XlsRkRecord(uint16_t row, uint16_t col, uint16_t xf, uint32_t rk)
{
    XlsBytes b;
    XlsWriteRk(b, row, col, xf, rk);
    return FromWriter(b);
}

XlsRecord XlsBlankRecord(uint16_t row, uint16_t col, uint16_t xf)
{
    XlsBytes b;
    XlsWriteBlank(b, row, col, xf);
    return FromWriter(b);
}

XlsRecord XlsDimensionRecord(uint32_t firstRow, uint32_t lastRowPlus1, uint16_t firstCol, uint16_t lastColPlus1)
{
    XlsBytes d;
    XlsPutU32(d, firstRow);
    XlsPutU32(d, lastRowPlus1);
    XlsPutU16(d, firstCol);
    XlsPutU16(d, lastColPlus1);
    XlsPutU16(d, 0);
    return Make(XLS_DIMENSION, d);
}

XlsRecord XlsColInfoRecord(uint16_t first, uint16_t last, uint16_t width, uint16_t xf)
{
    XlsBytes d;
    XlsPutU16(d, first);
    XlsPutU16(d, last);
    XlsPutU16(d, width);
    XlsPutU16(d, xf);
    XlsPutU16(d, 0);
    XlsPutU16(d, 0);
    return Make(XLS_COLINFO, d);
}

XlsRecord XlsWindow2Record()
{
    XlsBytes d;
    XlsPutU16(d, 0x16);
    XlsPutU16(d, 0);
    XlsPutU16(d, 0);
    XlsPutU16(d, 64);
    XlsPutU16(d, 0);
    XlsPutU16(d, 0);
    XlsPutU16(d, 0);
    XlsPutU32(d, 0);
    return Make(XLS_WINDOW2, d);
}

XlsBytes XlsUnicodeString(const std::string& text)
{
    XlsBytes d;
    if (IsAscii(text)) {
        size_t n = text.size() > 0xFFFF ? 0xFFFF : text.size();
        XlsPutU16(d, static_cast<uint16_t>(n));
        XlsPutU8(d, 0);
        d.insert(d.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
    } else {
        std::u16string w = cp936::ToUtf16(text);
        if (w.size() > 0xFFFF)
            w.resize(0xFFFF);
        XlsPutU16(d, static_cast<uint16_t>(w.size()));
        XlsPutU8(d, 1);
        for (char16_t c : w)
            XlsPutU16(d, static_cast<uint16_t>(c));
    }
    return d;
}

std::string XlsHeaderFooterWritten(const std::string& text)
{
    if (text.empty() || (text.size() >= 2 && text[0] == '&' && (text[1] == 'L' || text[1] == 'C' || text[1] == 'R')))
        return text;
    return "&L" + text;
}

XlsRecord XlsHeaderFooterRecord(uint16_t type, const std::string& text)
{
    if (text.empty())
        return Make(type);
    std::string t = XlsHeaderFooterWritten(text);
    // A header holds at most 255 characters; the workbook refuses a longer
    // one, so this cut only guards the record.
    std::u16string w = cp936::ToUtf16(t);
    if (w.size() > kXlsMaxHeaderFooterText)
        t = cp936::FromUtf16(w.substr(0, kXlsMaxHeaderFooterText));
    return Make(type, XlsUnicodeString(t));
}

size_t XlsTextLength(const std::string& text)
{
    return IsAscii(text) ? text.size() : cp936::ToUtf16(text).size();
}

bool XlsRange::operator<(const XlsRange& o) const
{
    if (firstRow != o.firstRow)
        return firstRow < o.firstRow;
    if (firstCol != o.firstCol)
        return firstCol < o.firstCol;
    if (lastRow != o.lastRow)
        return lastRow < o.lastRow;
    return lastCol < o.lastCol;
}

bool XlsRange::operator==(const XlsRange& o) const
{
    return firstRow == o.firstRow && lastRow == o.lastRow && firstCol == o.firstCol && lastCol == o.lastCol;
}

std::vector<XlsRecord> XlsMergedCellsRecords(const std::vector<XlsRange>& ranges)
{
    const size_t perRecord = (kXlsMaxRecordData - 2) / 8;
    std::vector<XlsRecord> out;
    for (size_t i = 0; i < ranges.size(); i += perRecord) {
        size_t n = ranges.size() - i < perRecord ? ranges.size() - i : perRecord;
        XlsBytes d;
        XlsPutU16(d, static_cast<uint16_t>(n));
        for (size_t k = i; k < i + n; ++k) {
            XlsPutU16(d, ranges[k].firstRow);
            XlsPutU16(d, ranges[k].lastRow);
            XlsPutU16(d, ranges[k].firstCol);
            XlsPutU16(d, ranges[k].lastCol);
        }
        out.push_back(Make(XLS_MERGEDCELLS, d));
    }
    return out;
}

bool XlsEncodeRk(double value, uint32_t& rk)
{
    if (!std::isfinite(value))
        return false;
    for (int scaled = 0; scaled < 2; ++scaled) {
        double v = scaled ? value * 100.0 : value;
        // A 30-bit signed integer.
        // The product of a scaled value can miss the whole number it stands
        // for by a rounding step (12.34 * 100): take the nearest integer and
        // let the decode check below decide whether it gives the value back.
        const double whole = std::nearbyint(v);
        if (whole >= -536870912.0 && whole <= 536870911.0 && (scaled || v == whole)) {
            int32_t n = static_cast<int32_t>(whole);
            uint32_t enc = (static_cast<uint32_t>(n) << 2) | 2u | (scaled ? 1u : 0u);
            if (XlsDecodeRk(enc) == value) {
                rk = enc;
                return true;
            }
        }
        // A double whose low 34 bits are zero.
        uint64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        if ((bits & 0x3FFFFFFFFull) == 0) {
            uint32_t enc = static_cast<uint32_t>(bits >> 32) | (scaled ? 1u : 0u);
            if (XlsDecodeRk(enc) == value) {
                rk = enc;
                return true;
            }
        }
    }
    return false;
}

double XlsDecodeRk(uint32_t rk)
{
    double v;
    if (rk & 2u) {
        v = static_cast<double>(static_cast<int32_t>(rk) >> 2);
    } else {
        uint64_t bits = static_cast<uint64_t>(rk & ~3u) << 32;
        std::memcpy(&v, &bits, sizeof v);
    }
    return (rk & 1u) ? v / 100.0 : v;
}

uint16_t XlsPasswordVerifier(const std::string& password)
{
    if (password.empty())
        return 0;
    uint16_t v = 0;
    for (size_t i = password.size(); i-- > 0;) {
        v = static_cast<uint16_t>(((v >> 14) & 1) | ((v << 1) & 0x7FFF));
        v ^= static_cast<unsigned char>(password[i]);
    }
    v = static_cast<uint16_t>(((v >> 14) & 1) | ((v << 1) & 0x7FFF));
    v ^= static_cast<uint16_t>(password.size());
    v ^= 0xCE4B;
    return v;
}
