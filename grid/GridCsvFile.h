// CSV files of the grid: the byte form written and the reader of delimited
// text. The grid's SaveCSVFile and LoadCSVFile (GridCsvFile.cpp) use them.
//
// Written: the fields SaveCSVString makes (a field that holds the separator,
// a quote, CR or LF is quoted with its quotes doubled; a number is the
// shortest text that reads back as the same value), each row ended by CR LF.
// Texts are code page 936 bytes; a first byte without a valid second byte
// stands alone, so a quote or separator after it is seen (and doubled or
// quoted) as the reader will see it. With a separator that can be the second
// byte of a two-byte character (0x40 and above), a text ending in a lone
// first byte is quoted too, so the separator after it is not read as its
// partner.
//
// Read: records end at CR LF, LF or a lone CR outside quotes, fields at the
// separator outside quotes. A field that starts with a quote is quoted: up to
// the next lone quote everything (separators and line breaks too) is its
// text, and a doubled quote is one quote character; what follows the closing
// quote belongs to the field as it stands. A quote anywhere else is an
// ordinary character, so files written without doubling still read. The
// last record of a file without a final line break is kept; a quoted field
// that is never closed runs to the end of the file. Two-byte characters are
// read whole, so a separator byte inside one splits nothing.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace gridcsv {

// Walks delimited text (see above) once: onField(text, length) for every
// field, its text unquoted in a buffer that lives until the next call, then
// onRecordEnd() after the last field of every record.
template <class OnField, class OnRecordEnd>
void ScanCsv(const char* pData, size_t nLength, char chSeparator, OnField onField, OnRecordEnd onRecordEnd);

// The fields of a text, in one buffer: field i is the NUL-terminated text at
// text.data() + fieldStart[i]; record r holds the fields from
// recordStart[r] up to recordStart[r + 1] (or the last field).
struct CsvTable {
    std::string text;
    std::vector<size_t> fieldStart;
    std::vector<size_t> recordStart;

    size_t RecordCount() const { return recordStart.size(); }
    size_t FieldCount(size_t record) const
    {
        const size_t end = record + 1 < recordStart.size() ? recordStart[record + 1] : fieldStart.size();
        return end - recordStart[record];
    }
    const char* Field(size_t record, size_t field) const
    {
        return text.data() + fieldStart[recordStart[record] + field];
    }
    // The most fields any record has.
    size_t MaxFieldCount() const;
};

// Reads delimited text into table, replacing what it held.
void ParseCsv(const char* pData, size_t nLength, char chSeparator, CsvTable& table);

// --- the scanner ---------------------------------------------------------------------------

namespace detail {
inline bool IsLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
inline bool IsTrail(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }
}  // namespace detail

template <class OnField, class OnRecordEnd>
void ScanCsv(const char* pData, size_t nLength, char chSeparator, OnField onField, OnRecordEnd onRecordEnd)
{
    if (pData == nullptr)
        return;
    const unsigned char separator = static_cast<unsigned char>(chSeparator);
    // Quotes, CR and LF are never the second byte of a two-byte character;
    // a separator below 0x40 is not either, and then bytes can be compared
    // one by one.
    const bool bytewise = separator < 0x40;
    std::string field;
    size_t i = 0;
    while (i < nLength) {
        bool recordEnded = false;
        while (!recordEnded) {
            field.clear();
            if (i < nLength && pData[i] == '"') {
                // Quoted: up to the next lone quote; "" is one quote; never
                // closed, the field runs to the end.
                ++i;
                for (;;) {
                    size_t quote = i;
                    while (quote < nLength && pData[quote] != '"')
                        ++quote;
                    field.append(pData + i, quote - i);
                    i = quote;
                    if (i >= nLength)
                        break;
                    if (i + 1 < nLength && pData[i + 1] == '"') {
                        field.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
            }
            // Unquoted, or what follows a closing quote: up to the separator
            // or a line end.
            size_t stop = i;
            while (stop < nLength) {
                const unsigned char c = static_cast<unsigned char>(pData[stop]);
                if (!bytewise && detail::IsLead(c) && stop + 1 < nLength &&
                    detail::IsTrail(static_cast<unsigned char>(pData[stop + 1]))) {
                    stop += 2;
                    continue;
                }
                if (c == separator || c == '\n' || c == '\r')
                    break;
                ++stop;
            }
            field.append(pData + i, stop - i);
            i = stop;
            onField(field.c_str(), field.size());
            if (i >= nLength) {
                recordEnded = true;            // the last record has no line break
            } else if (static_cast<unsigned char>(pData[i]) == separator) {
                ++i;
                if (i >= nLength) {
                    onField("", 0);            // a last, empty field
                    recordEnded = true;
                }
            } else {
                if (pData[i] == '\r' && i + 1 < nLength && pData[i + 1] == '\n')
                    ++i;
                ++i;
                recordEnded = true;
            }
        }
        onRecordEnd();
    }
}

}  // namespace gridcsv
