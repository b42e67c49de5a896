// Saving the grid to a CSV file and loading one into it (GridCsvFile.h has
// the byte form).
//
// Saving writes the file, piece by piece, to a temporary file beside the
// target and renames that into place, so a failed save leaves the old file
// as it was. Loading reads the whole file and splits it into fields
// before it touches the sheet, so a file that cannot be read leaves the sheet
// as it was.
#include "grid/GridCsvFile.h"

#include "base/CFile.h"
#include "base/Cp936.h"
#include "base/FileReplace.h"
#include "base/NumberText.h"
#include "grid/GridColumnFitter.h"
#include "grid/GridCtrl.h"
#include "grid/GridCtrlCellSetter.h"
#include "platform/System.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

namespace gridcsv {

size_t CsvTable::MaxFieldCount() const
{
    size_t most = 0;
    for (size_t record = 0; record < recordStart.size(); ++record)
        most = std::max(most, FieldCount(record));
    return most;
}

void ParseCsv(const char* pData, size_t nLength, char chSeparator, CsvTable& table)
{
    table.text.clear();
    table.fieldStart.clear();
    table.recordStart.clear();
    bool recordOpen = false;
    ScanCsv(
        pData, nLength, chSeparator,
        [&](const char* text, size_t length) {
            if (!recordOpen) {
                table.recordStart.push_back(table.fieldStart.size());
                recordOpen = true;
            }
            table.fieldStart.push_back(table.text.size());
            table.text.append(text, length);
            table.text.push_back('\0');
        },
        [&] { recordOpen = false; });
}

}  // namespace gridcsv

namespace {

// Above this many cells a file is refused rather than laid out: a few bytes
// of separators must not ask for gigabytes of cells.
const unsigned long long kMaxLoadedCells = 20000000ULL;

// The shortest "%g" text that reads back as the value, in plain decimals
// while the value's exponent is below 17: the texts SaveCSVString writes. A
// whole number below 1e17 in magnitude comes out as its digits, which the
// search below would end with too; it is written at once.
void AppendNumber(std::string& out, double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e17 &&
        !(value == 0.0 && std::signbit(value))) {
        char digits[24];
        long long whole = static_cast<long long>(value);
        const bool negative = whole < 0;
        unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(whole)
                                                : static_cast<unsigned long long>(whole);
        int pos = static_cast<int>(sizeof(digits));
        do {
            digits[--pos] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (negative)
            digits[--pos] = '-';
        out.append(digits + pos, sizeof(digits) - static_cast<size_t>(pos));
        return;
    }
    if (!std::isfinite(value)) {
        out += FormatNumberText(value, 'g', 17);
        return;
    }
    // The fewest significant digits that read back as the value: the digits
    // of the shortest form that does; the search goes on from there in the
    // rare case where "%g" rounds that many digits differently.
    int precision = 1;
    char shortest[64];
    const std::to_chars_result shortestEnd = std::to_chars(shortest, shortest + sizeof(shortest), value, std::chars_format::scientific);
    if (shortestEnd.ec == std::errc()) {
        int digits = 0;
        int trailingZeros = 0;
        bool started = false;
        for (const char* p = shortest; p < shortestEnd.ptr && *p != 'e'; ++p) {
            if (*p < '0' || *p > '9')
                continue;
            if (*p == '0' && !started)
                continue;              // leading zeros
            started = true;
            ++digits;
            trailingZeros = *p == '0' ? trailingZeros + 1 : 0;
        }
        precision = std::min(17, std::max(1, digits - trailingZeros));
    }
    std::string text;
    for (; precision <= 17; ++precision) {
        text = FormatNumberText(value, 'g', precision);
        if (StrToD(text.c_str(), nullptr) == value)
            break;
    }
    const size_t e = text.find('e');
    if (e != std::string::npos) {
        const int exponent = AToI(text.c_str() + e + 1);
        if (exponent >= 0 && exponent < 17)
            text = FormatNumberText(value, 'g', exponent + 1);
    }
    out += text;
}

// The end of the character at pos: a lead byte with a valid second byte
// makes a two-byte character; any other byte stands alone, as the reader
// takes it.
int CharEnd(const char* s, int length, int pos)
{
    if (cp936::IsLeadByte(s[pos]) && pos + 1 < length && cp936::IsTrailByte(static_cast<unsigned char>(s[pos + 1])))
        return pos + 2;
    return pos + 1;
}

// A text field: quoted, its quotes doubled, when it holds the separator, a
// quote, CR or LF (whole characters compared, so no second byte of a
// two-byte character counts).
void AppendText(std::string& out, const char* s, char chSeparator)
{
    const int length = static_cast<int>(std::char_traits<char>::length(s));
    // Quotes, CR and LF are never the second byte of a two-byte character,
    // and neither is a separator below 0x40: such text is checked byte by byte.
    const bool bytewise = static_cast<unsigned char>(chSeparator) < 0x40;
    bool quote = false;
    if (bytewise) {
        for (int pos = 0; pos < length && !quote; ++pos) {
            const char ch = s[pos];
            quote = ch == chSeparator || ch == '"' || ch == '\r' || ch == '\n';
        }
    } else {
        int last = -1;
        for (int pos = 0; pos < length && !quote; pos = CharEnd(s, length, pos)) {
            const char ch = s[pos];
            quote = CharEnd(s, length, pos) == pos + 1 &&
                    (ch == chSeparator || ch == '"' || ch == '\r' || ch == '\n');
            last = pos;
        }
        // A text that ends in the first byte of a two-byte character would
        // take the separator after it for the character's second byte.
        if (!quote && last >= 0 && cp936::IsLeadByte(s[last]) && last + 1 == length)
            quote = true;
    }
    if (!quote) {
        out.append(s, static_cast<size_t>(length));
        return;
    }
    out += '"';
    for (int pos = 0; pos < length;) {
        const int next = CharEnd(s, length, pos);
        if (next - pos == 1 && s[pos] == '"')
            out += '"';
        out.append(s + pos, static_cast<size_t>(next - pos));
        pos = next;
    }
    out += '"';
}

void ReportOpenError(LPCTSTR szPath)
{
    CString message;
    message.Format("Unable to open the file %s.", szPath != nullptr ? szPath : "");
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

namespace {

// Makes the file's bytes row by row and hands them to flush in pieces of
// about kChunk bytes (the last piece may be shorter, or empty).
const size_t kChunk = 1 << 20;

template <class Flush>
bool MakeCsvBytes(CGridCtrl& grid, char chSeparator, Flush flush)
{
    std::string out;
    out.reserve(kChunk + 4096);
    const int rows = grid.GetRowCount();
    const int cols = grid.GetColumnCount();
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            if (CGridCellBase* pCell = grid.GetCell(row, col)) {
                if (pCell->GetDataType() != 0) {
                    AppendNumber(out, pCell->GetValue());
                } else {
                    LPCTSTR text = pCell->GetText();
                    AppendText(out, text != nullptr ? text : "", chSeparator);
                }
            }
            if (col + 1 < cols)
                out += chSeparator;
            else
                out += "\r\n";
        }
        if (out.size() >= kChunk) {
            if (!flush(out))
                return false;
            out.clear();
        }
    }
    return flush(out);
}

}  // namespace

std::string CGridCtrl::GetCSVFileBytes(char chSeparator)
{
    std::string bytes;
    MakeCsvBytes(*this, chSeparator, [&](const std::string& piece) {
        bytes += piece;
        return true;
    });
    return bytes;
}

BOOL CGridCtrl::SaveCSVFile(LPCTSTR szPath, char chSeparator)
{
    const FileWriteResult result = WriteFileReplacing(szPath, [&](CFile& file) {
        return MakeCsvBytes(*this, chSeparator, [&](const std::string& piece) {
            return piece.empty() || file.Write(piece.data(), static_cast<UINT>(piece.size())) != FALSE;
        });
    });
    if (result == FileWriteResult::cannotOpen) {
        ReportOpenError(szPath);
        return FALSE;
    }
    if (result != FileWriteResult::ok) {
        AfxMessageBox("Unable to save grid list", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

BOOL CGridCtrl::LoadCSVFile(LPCTSTR szPath, char chSeparator)
{
    if (m_bVirtualMode)
        return FALSE;
    CFile file;
    if (szPath == nullptr || *szPath == '\0' || !file.Open(szPath, CFile::modeRead | CFile::typeBinary)) {
        ReportOpenError(szPath);
        return FALSE;
    }

    // The whole file, and the size of the sheet it makes, before the sheet
    // changes.
    std::unique_ptr<char[]> buffer;   // not zeroed: the file fills it
    size_t size = 0;
    size_t records = 0;
    size_t widest = 0;
    bool sound = true;
    try {
        const ULONGLONG length = file.GetLength();
        if (length > 0x7FFFFFFFULL)
            throw std::bad_alloc();
        size = static_cast<size_t>(length);
        buffer.reset(new char[size + 1]);
        size_t done = 0;
        while (done < size) {
            const UINT got = file.Read(&buffer[done], static_cast<UINT>(size - done));
            if (got == 0)
                break;
            done += got;
        }
        file.Close();
        sound = done == size;
        if (sound) {
            size_t fields = 0;
            gridcsv::ScanCsv(
                buffer.get(), size, chSeparator, [&](const char*, size_t) { ++fields; },
                [&] {
                    ++records;
                    widest = std::max(widest, fields);
                    fields = 0;
                });
            const unsigned long long cells = (records + 1ULL) * (static_cast<unsigned long long>(widest) + 1ULL);
            sound = records < 0x7FFFFFFE && widest < 0x7FFFFFFE && cells <= kMaxLoadedCells;
        }
    } catch (const std::bad_alloc&) {
        sound = false;
    }
    if (!sound) {
        AfxMessageBox("Unable to load grid data", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }

    // Only the top-left corner cell stays; the fields go from (1, 1) on, so
    // that row 0 and column 0 are free for headers. The sheet is replaced,
    // not cut: a formula in the corner keeps its references (cutting the
    // counts would turn them invalid) and reads the loaded cells.
    const CString cornerFormula = GetCellFormula(0, 0);
    SetRowCount(1);
    SetColumnCount(1);
    if (!SetColumnCount(static_cast<int>(widest) + 1) || !SetRowCount(static_cast<int>(records) + 1)) {
        AfxMessageBox("Unable to load grid data", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (!cornerFormula.IsEmpty())
        SetCellFormula(0, 0, cornerFormula);
    // The columns are fitted as the rows fill: each row is measured as soon
    // as its record is in, while its cells are fresh in the cache. Formulas
    // are worked out once the sheet is filled, not after each cell: every
    // cell but the corner is new, so only a formula left there can read the
    // loaded cells, and the header row holding it is measured last.
    CGridColumnFitter fitter(*this, 0);
    int row = 1;
    int col = 1;
    gridcsv::ScanCsv(
        buffer.get(), size, chSeparator,
        [&](const char* text, size_t) {
            if (gridcell::SetOnCell(*this, row, col, [text](CGridCellBase* pCell) { pCell->SetText(text); }))
                SetModified(TRUE, row, col);
            ++col;
        },
        [&] {
            fitter.MeasureRow(row);
            ++row;
            col = 1;
        });
    buffer.reset();
    if (!IsFormulaCalcSuspended()) {
        UpdateFormulaIndex();
        if (!m_FormulaIndex.IsEmpty())
            CalcAll();
    }
    fitter.MeasureRow(0);
    fitter.Finish();
    return TRUE;
}
