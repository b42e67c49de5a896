// Fuzzes the parsers and printers of base/ with outside text: number parsing,
// printf-style formats of doubles, code page 936 conversion both ways, date
// texts and the archive's string forms.
#include "base/CArchive.h"
#include "base/CMemFile.h"
#include "base/CString.h"
#include "base/Cp936.h"
#include "base/DateTime.h"
#include "base/NumberText.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);

    // Parsing: the end position stays inside the text.
    const char* end = nullptr;
    double d = StrToD(text.c_str(), &end);
    if (end < text.c_str() || end > text.c_str() + text.size())
        __builtin_trap();
    (void)AToL(text.c_str());

    // Printing what was parsed, and the raw bytes as a double, in every form.
    double raw = 0;
    if (size >= sizeof raw)
        std::memcpy(&raw, data, sizeof raw);
    for (char conv : {'f', 'e', 'g', 'G'}) {
        for (int prec : {-1, 0, 3, 17, 200}) {
            (void)FormatNumberText(d, conv, prec);
            (void)FormatNumberText(raw, conv, prec);
        }
    }

    // Code page round trip: bytes that decode without replacement come back.
    std::u16string units = cp936::ToUtf16(text);
    std::string back = cp936::FromUtf16(units);
    if (units.find(u'\uFFFD') == std::u16string::npos && back != text)
        __builtin_trap();

    CString s(text);
    s.MakeUpper();
    s.TrimRight("\x81\x40 ");
    (void)s.Find("\xD6\xD0");
    s.MakeReverse();

    COleDateTime t;
    if (t.ParseDateTime(text.c_str()))
        (void)t.Format("%Y-%m-%d %H:%M:%S %j %A %B");

    // Archive string forms over the raw bytes.
    CMemFile f;
    f.Write(data, static_cast<UINT>(size));
    f.SeekToBegin();
    CArchive ar(&f, CArchive::load);
    CString a, b;
    ar >> a;
    ar.ReadCountedText(b);
    ar.ReadPaddedText(b, 7);
    return 0;
}
