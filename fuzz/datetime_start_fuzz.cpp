// Fuzzes the reader of the value a date/time editor opens on, and the fields
// it fills.
//
// Byte 0 picks the mode, the separator style and the zero fill; the rest is
// the cell's text (NUL-terminated copy). The value read must be valid, and
// written into the fields it must give fields in range that read back, as the
// editor's text, to the same value. Then the bytes are typed into the fields
// (the position and the field from the byte), and the fields must stay in
// range throughout, the day within its month after ClampDay.
#include "cells/DateTimeFields.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void CheckFields(const CDateTimeFields& f, bool clamped)
{
    for (int i = 0; i < 3; ++i) {
        if (f.GetField(i).GetLength() > 4)
            std::abort();
    }
    const long a = f.GetFieldValue(0);
    const long b = f.GetFieldValue(1);
    const long c = f.GetFieldValue(2);
    if (f.GetMode() == DTM_TIME) {
        if (a < 0 || a > 23 || b < 0 || b > 59 || c < 0 || c > 59)
            std::abort();
        return;
    }
    if (a < 1 || a > 9999 || b < 1 || b > 12 || c < 1 || c > 31)
        std::abort();
    if (clamped && c > CDateTimeFields::DaysInMonth(b, a))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int mode = data[0] & 1;
    const int style = (data[0] >> 1) % 3;
    const int zeroFill = (data[0] >> 3) & 1;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const COleDateTime reference(2001, 2, 3, 4, 5, 6);
    const COleDateTime value = CDateTimeFields::ReadStartValue(text.c_str(), mode, reference);
    if (value.GetStatus() != COleDateTime::valid)
        std::abort();
    CDateTimeFields fields(mode, style, zeroFill);
    fields.SetDateTime(value);
    CheckFields(fields, true);
    COleDateTime back;
    if (!CDateTimeFields::ReadEditorForm(fields.FormatText(), mode, &back))
        std::abort();
    if (back != fields.GetDateTime())
        std::abort();
    // Typing: each byte a key into field (byte % 3) at position (byte / 3) % 5.
    for (size_t i = 1; i < size && i < 64; ++i) {
        const int field = data[i] % 3;
        const int at = (data[i] / 3) % 5;
        const UINT key = (data[i] & 0x80) != 0 ? 8u : static_cast<UINT>('0' + data[i] % 10);
        fields.TypeChar(field, key, at, at + (data[i] >> 6));
        CheckFields(fields, false);
    }
    fields.ClampDay();
    CheckFields(fields, true);
    return 0;
}
