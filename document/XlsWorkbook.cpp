#include "document/XlsWorkbook.h"

#include "document/CompoundFile.h"

#include <algorithm>
#include <cstring>
#include <functional>

// ---------------------------------------------------------------------------
// Sheet
// ---------------------------------------------------------------------------

XlsSheet::XlsSheet(XlsWorkbook* book, const std::string& name, int index, bool visible)
    : m_book(book), m_name(name), m_index(index), m_visible(visible)
{
}

void XlsSheet::SetCellText(int col, int row, const std::string& text, int format)
{
    SetCellValue(col, row, XLS_VALUE_TEXT, text, 0.0, format);
}

void XlsSheet::SetCellNumber(int col, int row, double value, int format)
{
    SetCellValue(col, row, XLS_VALUE_NUMBER, std::string(), value, format);
}

void XlsSheet::SetCellValue(int col, int row, int kind, const std::string& text, double value, int format)
{
    if (row < 0 || row > 0xFFFF || col < 0 || col > 0xFF)
        return;
    if (static_cast<size_t>(row) >= m_rows.size())
        m_rows.resize(static_cast<size_t>(row) + 1);
    XlsCellValue cell;
    cell.row = static_cast<uint16_t>(row);
    cell.col = static_cast<uint16_t>(col);
    cell.xf = format;
    cell.kind = kind;
    // Only a text kind reads its text.
    if (kind == XLS_VALUE_TEXT || kind == XLS_VALUE_TEXT_OR_BLANK)
        cell.text = m_book->InternText(text);
    cell.number = value;
    std::vector<XlsCellValue>& cells = m_rows[static_cast<size_t>(row)];
    if (!cells.empty() && cells.back().col >= cell.col) {
        // Out of order or a second value for a cell: the last one counts.
        for (XlsCellValue& c : cells) {
            if (c.col == cell.col) {
                c = std::move(cell);
                return;
            }
        }
        auto at = std::lower_bound(cells.begin(), cells.end(), cell.col,
                                   [](const XlsCellValue& c, uint16_t col) { return c.col < col; });
        cells.insert(at, std::move(cell));
        return;
    }
    if (cells.empty())
        cells.reserve(16);
    cells.push_back(std::move(cell));
}

void XlsSheet::AddMergedRange(int firstRow, int firstCol, int lastRow, int lastCol)
{
    if (firstRow < 0 || firstCol < 0 || lastRow < firstRow || lastCol < firstCol || lastRow > 0xFFFF || lastCol > 0xFF)
        return;
    XlsRange r{static_cast<uint16_t>(firstRow), static_cast<uint16_t>(lastRow), static_cast<uint16_t>(firstCol),
               static_cast<uint16_t>(lastCol)};
    if (m_mergeSet.insert(r).second)
        m_merges.push_back(r);
}

void XlsSheet::SetColumnWidth(int firstCol, int lastCol, int width, int format)
{
    if (firstCol < 0 || lastCol < firstCol || lastCol > 0xFF)
        return;
    width = std::max(0, std::min(width, 0xFFFF));
    m_cols.push_back(ColInfo{static_cast<uint16_t>(firstCol), static_cast<uint16_t>(lastCol),
                             static_cast<uint16_t>(width), format});
}

XlsRowInfo& XlsSheet::GetRow(int row)
{
    row = std::max(0, std::min(row, 0xFFFF));
    return m_rowInfo[row];
}

size_t XlsSheet::GetCellCount() const
{
    size_t n = 0;
    for (const auto& r : m_rows)
        n += r.size();
    return n;
}

int XlsSheet::ResolveXf(const XlsCellValue& cell) const
{
    if (cell.xf >= 0)
        return cell.xf;
    auto row = m_rowInfo.find(cell.row);
    if (row != m_rowInfo.end() && row->second.xf >= 0)
        return row->second.xf;
    for (const ColInfo& c : m_cols)
        if (cell.col >= c.first && cell.col <= c.last && c.xf >= 0)
            return c.xf;
    return 15;
}

namespace {
bool IsThickOrDouble(int style) { return style == 5 || style == 6; }

// The top and bottom border styles of an XF record's data.
void XfTopBottom(const XlsBytes& xf, int& top, int& bottom)
{
    top = bottom = 0;
    if (xf.size() < 14)
        return;
    uint32_t border = xf[10] | (xf[11] << 8) | (xf[12] << 16) | (static_cast<uint32_t>(xf[13]) << 24);
    top = (border >> 8) & 0xF;
    bottom = (border >> 12) & 0xF;
}
}  // namespace

XlsBytes XlsSheet::BuildStream(std::vector<size_t>& indexFixups)
{
    indexFixups.clear();
    XlsBuffer buf;
    // Room for the largest cell record (NUMBER, 18 bytes) per cell, a ROW
    // record per row and a DBCELL per 32 rows, so the stream is never moved.
    buf.Bytes().reserve(4096 + GetCellCount() * 18 + (m_rows.size() + m_rowInfo.size()) * 24 +
                        m_merges.size() * 8);
    buf.Append(XlsBofRecord(XLS_BOF_WORKSHEET));

    // The rows that get a ROW record: those with cells or settings.
    std::vector<int> rows;
    auto info = m_rowInfo.begin();
    for (size_t r = 0; r < m_rows.size(); ++r) {
        while (info != m_rowInfo.end() && info->first < static_cast<int>(r))
            rows.push_back((info++)->first);
        bool listed = info != m_rowInfo.end() && info->first == static_cast<int>(r);
        if (listed)
            ++info;
        if (listed || !m_rows[r].empty())
            rows.push_back(static_cast<int>(r));
    }
    while (info != m_rowInfo.end())
        rows.push_back((info++)->first);
    uint32_t firstRow = 0, lastRowPlus1 = 0;
    uint16_t firstCol = 0, lastColPlus1 = 0;
    bool anyCell = false;
    for (size_t r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].empty())
            continue;
        if (!anyCell)
            firstRow = static_cast<uint32_t>(r);
        lastRowPlus1 = static_cast<uint32_t>(r) + 1;
        uint16_t lo = m_rows[r].front().col, hi = static_cast<uint16_t>(m_rows[r].back().col + 1);
        if (!anyCell || lo < firstCol)
            firstCol = lo;
        if (!anyCell || hi > lastColPlus1)
            lastColPlus1 = hi;
        anyCell = true;
    }

    // INDEX: rows of the ROW records, one entry per row block's DBCELL.
    std::vector<std::vector<int>> blocks;
    for (int r : rows) {
        if (blocks.empty() || (blocks.back().front() >> 5) != (r >> 5))
            blocks.emplace_back();
        blocks.back().push_back(r);
    }
    XlsRecord index;
    index.type = XLS_INDEX;
    XlsPutU32(index.data, 0);
    XlsPutU32(index.data, rows.empty() ? 0 : static_cast<uint32_t>(rows.front()));
    XlsPutU32(index.data, rows.empty() ? 0 : static_cast<uint32_t>(rows.back()) + 1);
    XlsPutU32(index.data, 0);
    const size_t indexPos = buf.Size();
    for (size_t i = 0; i < blocks.size(); ++i)
        XlsPutU32(index.data, 0);
    buf.Append(index);

    buf.Append(XlsCalcCountRecord());
    buf.Append(XlsCalcModeRecord());
    buf.Append(XlsU16Record(XLS_PRINTHEADERS, 0));
    buf.Append(XlsU16Record(XLS_PRINTGRIDLINES, 0));
    buf.Append(XlsU16Record(XLS_GRIDSET, 1));
    buf.Append(XlsU16Record(XLS_WSBOOL, 0x04C1));
    buf.Append(XlsHeaderFooterRecord(XLS_HEADER, m_header));
    buf.Append(XlsHeaderFooterRecord(XLS_FOOTER, std::string()));
    buf.Append(XlsU16Record(XLS_HCENTER, 0));
    buf.Append(XlsU16Record(XLS_VCENTER, 0));
    buf.Append(XlsMarginRecord(XLS_LEFTMARGIN, 0.75));
    buf.Append(XlsMarginRecord(XLS_RIGHTMARGIN, 0.75));
    buf.Append(XlsMarginRecord(XLS_TOPMARGIN, 1.0));
    buf.Append(XlsMarginRecord(XLS_BOTTOMMARGIN, 1.0));
    if (!m_password.empty()) {
        buf.Append(XlsU16Record(XLS_PROTECT, 1));
        buf.Append(XlsU16Record(XLS_SCENPROTECT, 1));
        buf.Append(XlsU16Record(XLS_OBJPROTECT, 1));
        buf.Append(XlsU16Record(XLS_PASSWORD, XlsPasswordVerifier(m_password)));
    }
    buf.Append(XlsU16Record(XLS_DEFCOLWIDTH, 8));
    for (const ColInfo& c : m_cols)
        buf.Append(XlsColInfoRecord(c.first, c.last, c.width, static_cast<uint16_t>(c.xf >= 0 ? c.xf : 15)));
    buf.Append(XlsDimensionRecord(firstRow, lastRowPlus1, firstCol, lastColPlus1));

    static const std::vector<XlsCellValue> kNoCells;
    auto cellsOf = [&](int r) -> const std::vector<XlsCellValue>& {
        return static_cast<size_t>(r) < m_rows.size() ? m_rows[static_cast<size_t>(r)] : kNoCells;
    };
    for (size_t b = 0; b < blocks.size(); ++b) {
        const size_t firstRowPos = buf.Size();
        for (int r : blocks[b]) {
            const std::vector<XlsCellValue>& cells = cellsOf(r);
            XlsRowInfo info;
            auto it = m_rowInfo.find(r);
            if (it != m_rowInfo.end())
                info = it->second;
            uint16_t xfWord = static_cast<uint16_t>(info.xf >= 0 ? info.xf & 0x0FFF : 15);
            for (const XlsCellValue& c : cells) {
                int top = 0, bottom = 0;
                int xf = ResolveXf(c);
                if (xf >= 21 && xf - 21 < static_cast<int>(m_book->m_xfs.size()))
                    XfTopBottom(m_book->m_xfs[static_cast<size_t>(xf - 21)], top, bottom);
                if (IsThickOrDouble(top))
                    xfWord |= 0x1000;
                if (IsThickOrDouble(bottom))
                    xfWord |= 0x2000;
            }
            uint16_t options = static_cast<uint16_t>(0x0100 | info.options | (info.xf >= 0 ? 0x80 : 0));
            XlsRecord row;
            row.type = XLS_ROW;
            XlsPutU16(row.data, static_cast<uint16_t>(r));
            XlsPutU16(row.data, cells.empty() ? 0 : cells.front().col);
            XlsPutU16(row.data, cells.empty() ? 0 : static_cast<uint16_t>(cells.back().col + 1));
            XlsPutU16(row.data, info.height);
            XlsPutU16(row.data, 0);
            XlsPutU16(row.data, 0);
            XlsPutU16(row.data, options);
            XlsPutU16(row.data, xfWord);
            buf.Append(row);
        }
        // Cells, noting where each row's first cell starts.
        std::vector<uint16_t> offsets;
        size_t prev = firstRowPos + 20;
        for (int r : blocks[b]) {
            const std::vector<XlsCellValue>& cells = cellsOf(r);
            const size_t start = buf.Size();
            bool wrote = false;
            for (const XlsCellValue& c : cells) {
                uint16_t xf = static_cast<uint16_t>(ResolveXf(c));
                switch (c.kind) {
                case XLS_VALUE_TEXT:
                case XLS_VALUE_TEXT_OR_BLANK:
                    if (c.kind == XLS_VALUE_TEXT_OR_BLANK && m_book->GetPooledText(c.text).empty())
                        XlsWriteBlank(buf.Bytes(), c.row, c.col, xf);
                    else
                        XlsWriteLabelSst(buf.Bytes(), c.row, c.col, xf, m_book->AddSharedString(c.text));
                    break;
                case XLS_VALUE_NUMBER:
                    XlsWriteNumber(buf.Bytes(), c.row, c.col, xf, c.number);
                    break;
                case XLS_VALUE_RK: {
                    uint32_t rk = 0;
                    if (XlsEncodeRk(c.number, rk))
                        XlsWriteRk(buf.Bytes(), c.row, c.col, xf, rk);
                    else
                        XlsWriteNumber(buf.Bytes(), c.row, c.col, xf, c.number);
                    break;
                }
                default:
                    XlsWriteBlank(buf.Bytes(), c.row, c.col, xf);
                    break;
                }
                wrote = true;
            }
            if (wrote) {
                offsets.push_back(static_cast<uint16_t>(start - prev));
                prev = start;
            } else {
                offsets.push_back(0);
            }
        }
        const size_t dbcellPos = buf.Size();
        XlsRecord dbcell;
        dbcell.type = XLS_DBCELL;
        XlsPutU32(dbcell.data, static_cast<uint32_t>(dbcellPos - firstRowPos));
        for (uint16_t o : offsets)
            XlsPutU16(dbcell.data, o);
        buf.Append(dbcell);
        const size_t entry = indexPos + 4 + 16 + 4 * b;
        buf.PatchU32(entry, static_cast<uint32_t>(dbcellPos));
        indexFixups.push_back(entry);
    }

    buf.Append(XlsWindow2Record());
    for (const XlsRecord& m : XlsMergedCellsRecords(m_merges))
        buf.Append(m);
    buf.Append(XlsEofRecord());
    return std::move(buf.Bytes());
}

// ---------------------------------------------------------------------------
// Workbook
// ---------------------------------------------------------------------------

XlsWorkbook::XlsWorkbook() = default;
XlsWorkbook::~XlsWorkbook() = default;

void XlsWorkbook::SetDefaultFont(const std::string& name, int size)
{
    if (!m_defaultFonts.empty())
        return;
    XlsFontSpec f;
    f.name = name;
    f.height = static_cast<uint16_t>(std::max(1, std::min(size, 409)) * 20);
    f.colour = 0x7FFF;
    f.weight = 400;
    m_defaultFonts.assign(4, f);
}

XlsSheet* XlsWorkbook::AddSheet(const std::string& name, bool visible)
{
    m_sheets.push_back(std::make_unique<XlsSheet>(this, name, static_cast<int>(m_sheets.size()), visible));
    return m_sheets.back().get();
}

XlsSheet* XlsWorkbook::GetSheet(int index)
{
    if (index < 0 || index >= static_cast<int>(m_sheets.size()))
        return nullptr;
    return m_sheets[static_cast<size_t>(index)].get();
}

uint16_t XlsWorkbook::AddFont(const XlsFontSpec& font)
{
    XlsBytes data = XlsFontRecord(font).data;
    std::string key(data.begin(), data.end());
    auto it = m_fontIndex.find(key);
    if (it != m_fontIndex.end())
        return it->second;
    if (m_fonts.size() >= 0xFFF0)
        return 0;
    uint16_t index = static_cast<uint16_t>(5 + m_fonts.size());
    m_fonts.push_back(std::move(data));
    m_fontIndex.emplace(std::move(key), index);
    return index;
}

int XlsWorkbook::GetFontCount() const { return 4 + static_cast<int>(m_fonts.size()); }

size_t XlsWorkbook::XfKeyHash::operator()(const std::array<uint8_t, 20>& k) const
{
    // The key read as words and mixed, instead of a byte at a time.
    uint64_t a = 0, b = 0;
    uint32_t c = 0;
    std::memcpy(&a, k.data(), 8);
    std::memcpy(&b, k.data() + 8, 8);
    std::memcpy(&c, k.data() + 16, 4);
    uint64_t h = (a * 0x9E3779B97F4A7C15ull) ^ (b + 0x632BE59BD9B4E019ull);
    h = (h ^ (h >> 29)) * 0xBF58476D1CE4E5B9ull;
    h ^= c * 0x94D049BB133111EBull;
    return static_cast<size_t>(h ^ (h >> 32));
}

uint16_t XlsWorkbook::AddFormat(const XlsCellFormat& format)
{
    uint8_t bytes[20];
    format.DataTo(bytes);
    XlsXfKey key;
    std::copy(bytes, bytes + 20, key.begin());
    auto it = m_xfIndex.find(key);
    if (it != m_xfIndex.end())
        return it->second;
    XlsBytes data(bytes, bytes + 20);
    if (GetFormatCount() >= kXlsMaxFormats)
        return 15;
    uint16_t index = static_cast<uint16_t>(21 + m_xfs.size());
    m_xfs.push_back(std::move(data));
    m_xfIndex.emplace(key, index);
    return index;
}

namespace {
const uint32_t kNoSst = 0xFFFFFFFF;
}  // namespace

namespace {

uint64_t TextHash(const std::string& text)
{
    return static_cast<uint64_t>(std::hash<std::string>{}(text)) * 0x9E3779B97F4A7C15ull;
}

uint64_t TextSlot(uint64_t hash, size_t id)
{
    return (hash & 0xFFFFFFFF00000000ull) | (static_cast<uint64_t>(id) + 1);
}

}  // namespace

void XlsWorkbook::GrowTextSlots()
{
    std::vector<uint64_t> slots(m_poolSlots.empty() ? 1024 : m_poolSlots.size() * 2, 0);
    const size_t mask = slots.size() - 1;
    for (size_t id = 0; id < m_pool.size(); ++id) {
        const uint64_t h = TextHash(m_pool[id]);
        size_t i = static_cast<size_t>(h >> 32) & mask;
        while (slots[i] != 0)
            i = (i + 1) & mask;
        slots[i] = TextSlot(h, id);
    }
    m_poolSlots.swap(slots);
}

uint32_t XlsWorkbook::InternText(const std::string& text)
{
    if ((m_pool.size() + 1) * 2 > m_poolSlots.size())
        GrowTextSlots();
    const uint64_t h = TextHash(text);
    const size_t mask = m_poolSlots.size() - 1;
    for (size_t i = static_cast<size_t>(h >> 32) & mask;; i = (i + 1) & mask) {
        const uint64_t slot = m_poolSlots[i];
        if (slot == 0) {
            const size_t id = m_pool.size();
            m_pool.push_back(text);
            m_poolSlots[i] = TextSlot(h, id);
            return static_cast<uint32_t>(id);
        }
        const size_t id = static_cast<size_t>(slot & 0xFFFFFFFFull) - 1;
        if ((slot >> 32) == (h >> 32) && m_pool[id] == text)
            return static_cast<uint32_t>(id);
    }
}

uint32_t XlsWorkbook::AddSharedString(uint32_t pooledText)
{
    if (pooledText >= m_pool.size())
        return 0;
    if (m_poolToSst.size() < m_pool.size())
        m_poolToSst.resize(m_pool.size(), kNoSst);
    ++m_sstTotal;
    uint32_t& index = m_poolToSst[pooledText];
    if (index == kNoSst) {
        index = static_cast<uint32_t>(m_strings.size());
        m_strings.push_back(pooledText);
    }
    return index;
}

void XlsWorkbook::WriteSst(XlsBuffer& buf)
{
    const size_t sstStart = buf.Size();
    const uint32_t n = static_cast<uint32_t>(m_strings.size());
    const uint32_t perBucket = std::max<uint32_t>(8, n / 128 + 1);
    struct Bucket {
        uint32_t streamPos;
        uint16_t inRecord;
    };
    std::vector<Bucket> buckets;

    XlsBytes cur;
    uint16_t curType = XLS_SST;
    auto flush = [&]() {
        XlsRecord r;
        r.type = curType;
        r.data = std::move(cur);
        buf.Append(r);
        cur.clear();
        curType = XLS_CONTINUE;
    };
    XlsPutU32(cur, m_sstTotal);
    XlsPutU32(cur, n);
    for (uint32_t i = 0; i < n; ++i) {
        XlsBytes enc = XlsUnicodeString(m_pool[m_strings[i]]);
        const uint8_t flag = enc[2];
        const size_t unit = flag ? 2 : 1;
        const size_t chars = enc.size() - 3;
        // The character count and flag are never split from the first character.
        if (cur.size() + 3 + std::min(unit, chars) > kXlsMaxRecordData)
            flush();
        if (i % perBucket == 0)
            buckets.push_back(Bucket{static_cast<uint32_t>(buf.Size() + 4 + cur.size()),
                                     static_cast<uint16_t>(4 + cur.size())});
        cur.insert(cur.end(), enc.begin(), enc.begin() + 3);
        size_t pos = 0;
        while (pos < chars) {
            size_t room = (kXlsMaxRecordData - cur.size()) / unit * unit;
            if (room == 0) {
                flush();
                cur.push_back(flag);   // a continued string repeats its flag
                continue;
            }
            size_t take = std::min(room, chars - pos);
            cur.insert(cur.end(), enc.begin() + 3 + static_cast<std::ptrdiff_t>(pos),
                       enc.begin() + 3 + static_cast<std::ptrdiff_t>(pos + take));
            pos += take;
        }
    }
    flush();
    (void)sstStart;

    XlsRecord ext;
    ext.type = XLS_EXTSST;
    XlsPutU16(ext.data, static_cast<uint16_t>(perBucket));
    for (const Bucket& b : buckets) {
        XlsPutU32(ext.data, b.streamPos);
        XlsPutU16(ext.data, b.inRecord);
        XlsPutU16(ext.data, 0);
    }
    buf.Append(ext);
}

XlsBytes XlsWorkbook::BuildStream()
{
    if (m_defaultFonts.empty())
        SetDefaultFont("Arial", 10);
    // Sheets first: their cells fill the shared string table.
    m_strings.clear();
    m_poolToSst.assign(m_pool.size(), kNoSst);
    m_sstTotal = 0;
    std::vector<XlsBytes> sheetStreams;
    std::vector<std::vector<size_t>> fixups(m_sheets.size());
    for (size_t i = 0; i < m_sheets.size(); ++i)
        sheetStreams.push_back(m_sheets[i]->BuildStream(fixups[i]));

    XlsBuffer buf;
    buf.Append(XlsBofRecord(XLS_BOF_GLOBALS));
    buf.Append(XlsWindow1Record());
    for (const XlsFontSpec& f : m_defaultFonts)
        buf.Append(XlsFontRecord(f));
    for (const XlsBytes& f : m_fonts) {
        XlsRecord r;
        r.type = XLS_FONT;
        r.data = f;
        buf.Append(r);
    }
    for (const XlsRecord& r : XlsStoredFormatRecords())
        buf.Append(r);
    for (const XlsRecord& r : XlsBuiltInXfRecords())
        buf.Append(r);
    for (const XlsBytes& x : m_xfs) {
        XlsRecord r;
        r.type = XLS_XF;
        r.data = x;
        buf.Append(r);
    }
    for (const XlsRecord& r : XlsStoredStyleRecords())
        buf.Append(r);
    std::vector<size_t> boundPos;
    for (const auto& s : m_sheets) {
        boundPos.push_back(buf.Size() + 4);
        buf.Append(XlsBoundSheetRecord(0, s->GetName(), s->IsVisible()));
    }
    // The workbook's own references: the internal SUPBOOK and no sheets named.
    XlsRecord supbook;
    supbook.type = XLS_SUPBOOK;
    XlsPutU16(supbook.data, static_cast<uint16_t>(m_sheets.size()));
    XlsPutU16(supbook.data, 0x0401);
    buf.Append(supbook);
    buf.Append(XlsU16Record(XLS_EXTERNSHEET, 0));
    if (!m_strings.empty())
        WriteSst(buf);
    buf.Append(XlsEofRecord());

    size_t total = buf.Size();
    for (const XlsBytes& sheet : sheetStreams)
        total += sheet.size();
    buf.Bytes().reserve(total);
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        const size_t base = buf.Size();
        buf.PatchU32(boundPos[i], static_cast<uint32_t>(base));
        buf.Append(sheetStreams[i]);
        XlsBytes().swap(sheetStreams[i]);   // its memory goes as soon as it is copied
        for (size_t at : fixups[i]) {
            const XlsBytes& b = buf.Bytes();
            uint32_t v = b[base + at] | (b[base + at + 1] << 8) | (b[base + at + 2] << 16) |
                         (static_cast<uint32_t>(b[base + at + 3]) << 24);
            buf.PatchU32(base + at, static_cast<uint32_t>(v + base));
        }
    }
    return std::move(buf.Bytes());
}

int XlsWorkbook::Save(LPCTSTR path)
{
    m_saveStatus = SAVE_OK;
    for (const auto& sheet : m_sheets) {
        if (XlsTextLength(XlsHeaderFooterWritten(sheet->GetHeaderFooter())) > kXlsMaxHeaderFooterText) {
            m_saveStatus = SAVE_HEADER_TOO_LONG;
            return 0;
        }
    }
    XlsBytes stream = BuildStream();
    // The texts the cells use; a code page 936 text has no more characters
    // than bytes, so only a long one is counted.
    for (uint32_t id : m_strings) {
        const std::string& text = m_pool[id];
        if (text.size() > kXlsMaxCellText && XlsTextLength(text) > kXlsMaxCellText) {
            m_saveStatus = SAVE_TEXT_TOO_LONG;
            return 0;
        }
    }
    if (!WriteCompoundFileReplacing(path, "Workbook", stream)) {
        m_saveStatus = SAVE_WRITE_FAILED;
        return 0;
    }
    return 1;
}
