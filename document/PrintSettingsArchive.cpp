#include "document/PrintSettingsArchive.h"

#include "base/CMemFile.h"
#include "grid/LogFontUtil.h"

#include <cstring>
#include <vector>

namespace {

void WriteDevMode(CArchive& ar, const PrintDevMode& dm)
{
    ar.Write(dm.dmDeviceName, 32);
    ar << static_cast<WORD>(dm.dmSpecVersion) << static_cast<WORD>(dm.dmDriverVersion)
       << static_cast<WORD>(dm.dmSize) << static_cast<WORD>(dm.dmDriverExtra);
    ar << static_cast<unsigned int>(dm.dmFields);
    ar << dm.dmOrientation << dm.dmPaperSize << dm.dmPaperLength << dm.dmPaperWidth << dm.dmScale << dm.dmCopies
       << dm.dmDefaultSource << dm.dmPrintQuality;
    const int first = static_cast<int>((static_cast<unsigned>(static_cast<WORD>(dm.dmPaperSize)) << 16) |
                                       static_cast<WORD>(dm.dmOrientation));
    const int second = static_cast<int>((static_cast<unsigned>(static_cast<WORD>(dm.dmPaperWidth)) << 16) |
                                        static_cast<WORD>(dm.dmPaperLength));
    ar << first << second;
    ar << dm.dmColor << dm.dmDuplex << dm.dmYResolution << dm.dmTTOption << dm.dmCollate;
    ar.Write(dm.dmFormName, 32);
    ar << static_cast<WORD>(dm.dmLogPixels);
    ar << static_cast<unsigned int>(dm.dmBitsPerPel) << static_cast<unsigned int>(dm.dmPelsWidth)
       << static_cast<unsigned int>(dm.dmPelsHeight) << static_cast<unsigned int>(dm.dmDisplayFlags)
       << static_cast<unsigned int>(dm.dmDisplayFrequency);
}

void ReadDevMode(CArchive& ar, PrintDevMode& dm)
{
    ar.Read(dm.dmDeviceName, 32);
    dm.dmDeviceName[31] = '\0';
    WORD w = 0;
    ar >> w; dm.dmSpecVersion = w;
    ar >> w; dm.dmDriverVersion = w;
    ar >> w; dm.dmSize = w;
    ar >> w; dm.dmDriverExtra = w;
    unsigned int u = 0;
    ar >> u; dm.dmFields = u;
    ar >> dm.dmOrientation >> dm.dmPaperSize >> dm.dmPaperLength >> dm.dmPaperWidth >> dm.dmScale >> dm.dmCopies >>
        dm.dmDefaultSource >> dm.dmPrintQuality;
    int shared[2] = {};
    ar >> shared[0] >> shared[1];
    ar >> dm.dmColor >> dm.dmDuplex >> dm.dmYResolution >> dm.dmTTOption >> dm.dmCollate;
    ar.Read(dm.dmFormName, 32);
    dm.dmFormName[31] = '\0';
    ar >> w; dm.dmLogPixels = w;
    ar >> u; dm.dmBitsPerPel = u;
    ar >> u; dm.dmPelsWidth = u;
    ar >> u; dm.dmPelsHeight = u;
    ar >> u; dm.dmDisplayFlags = u;
    ar >> u; dm.dmDisplayFrequency = u;
}

void WriteEntry(CArchive& ar, const HeaderFooterEntry& entry)
{
    ar.WriteCountedText(entry.strText);
    LOGFONT lf = entry.logFont;
    SerializeLogFont(ar, &lf);
}

void WriteBody(CArchive& ar, const CGridPrintSettings& s)
{
    PrintDevMode dm;
    if (s.m_pDevMode)
        dm = *s.m_pDevMode;
    else
        InitPrintDevMode(&dm);
    WriteDevMode(ar, dm);
    const PrintLayoutBlock& l = s.m_layout;
    ar << l.nMarginLeft << l.nMarginTop << l.nMarginRight << l.nMarginBottom << l.nHeaderDistance
       << l.nFooterDistance << l.dPlacement[0] << l.dPlacement[1] << l.nPlacement[0] << l.nPlacement[1];
    for (const HeaderFooterEntry& entry : s.m_header.entries)
        WriteEntry(ar, entry);
    for (const HeaderFooterEntry& entry : s.m_footer.entries)
        WriteEntry(ar, entry);
    for (std::int32_t option : s.m_nPrintOptions)
        ar << option;
    ar.WritePaddedText(s.m_strPrinterName, CGridPrintSettings::kPrinterNameSize);
    ar.WritePaddedText(s.m_strDriverName, CGridPrintSettings::kDriverNameSize);
    ar.WritePaddedText(s.m_strPortName, CGridPrintSettings::kPortNameSize);
    ar << s.m_nAfterPortA << s.m_nAfterPortB << s.m_nAfterPortC;
    for (int i = 0; i < CGridPrintSettings::kPrintTextCount; ++i)
        ar.WriteCountedText(s.m_strPrintTexts[i]);
    ar << s.m_dPrintScale;
}

// The padded fields keep at most capacity - 1 bytes and a NUL, cut at a
// character boundary.
CString Fixed(const CString& text, int capacity)
{
    return CGridPrintSettings::CutToField(text, capacity);
}

}  // namespace

int GetPrintSettingsSectionSize(const CGridPrintSettings& settings)
{
    CMemFile file(4096);
    CArchive ar(&file, CArchive::store);
    WriteBody(ar, settings);
    return static_cast<int>(file.GetLength());
}

void WritePrintSettingsSection(CArchive& ar, const CGridPrintSettings& settings)
{
    ar << GetPrintSettingsSectionSize(settings);
    WriteBody(ar, settings);
}

BOOL ReadPrintSettingsSection(CArchive& ar, CGridPrintSettings& settings)
{
    int size = 0;
    ar >> size;
    if (ar.IsFailed())
        return FALSE;
    if (size == 0)
        return TRUE;
    if (size < 0 || static_cast<ULONGLONG>(size) > ar.GetRemaining()) {
        ar.SetFailed(CArchive::statusBadCount);
        return FALSE;
    }
    const ULONGLONG start = ar.GetRemaining();
    PrintDevMode dm;
    InitPrintDevMode(&dm);
    ReadDevMode(ar, dm);
    PrintLayoutBlock l;
    ar >> l.nMarginLeft >> l.nMarginTop >> l.nMarginRight >> l.nMarginBottom >> l.nHeaderDistance >>
        l.nFooterDistance >> l.dPlacement[0] >> l.dPlacement[1] >> l.nPlacement[0] >> l.nPlacement[1];
    HeaderFooterSet sets[2];
    for (HeaderFooterSet& set : sets) {
        for (HeaderFooterEntry& entry : set.entries) {
            ar.ReadCountedText(entry.strText);
            std::memset(&entry.logFont, 0, sizeof(entry.logFont));
            SerializeLogFont(ar, &entry.logFont);
        }
    }
    std::int32_t options[CGridPrintSettings::kPrintOptionCount];
    for (std::int32_t& option : options)
        ar >> option;
    CString printer, driver, port;
    ar.ReadPaddedText(printer, CGridPrintSettings::kPrinterNameSize);
    ar.ReadPaddedText(driver, CGridPrintSettings::kDriverNameSize);
    ar.ReadPaddedText(port, CGridPrintSettings::kPortNameSize);
    std::int32_t a = 0, c = 0;
    std::int16_t b = 0;
    ar >> a >> b >> c;
    CString texts[CGridPrintSettings::kPrintTextCount];
    for (int i = 0; i < CGridPrintSettings::kPrintTextCount; ++i) {
        ar.ReadCountedText(texts[i]);
        texts[i] = Fixed(texts[i], CGridPrintSettings::PrintTextCapacity(i));
    }
    double scale = 1.0;
    ar >> scale;
    if (ar.IsFailed())
        return FALSE;
    const ULONGLONG consumed = start - ar.GetRemaining();
    if (consumed > static_cast<ULONGLONG>(size)) {
        ar.SetFailed(CArchive::statusBadCount);
        return FALSE;
    }
    if (consumed < static_cast<ULONGLONG>(size)) {
        std::vector<char> rest(static_cast<size_t>(size - consumed));
        if (ar.Read(rest.data(), static_cast<UINT>(rest.size())) != rest.size())
            return FALSE;
    }
    if (!settings.m_pDevMode)
        settings.m_pDevMode.reset(new PrintDevMode);
    *settings.m_pDevMode = dm;
    settings.m_layout = l;
    settings.m_header = sets[0];
    settings.m_footer = sets[1];
    std::memcpy(settings.m_nPrintOptions, options, sizeof(options));
    settings.m_strPrinterName = Fixed(printer, CGridPrintSettings::kPrinterNameSize);
    settings.m_strDriverName = Fixed(driver, CGridPrintSettings::kDriverNameSize);
    settings.m_strPortName = Fixed(port, CGridPrintSettings::kPortNameSize);
    settings.m_nAfterPortA = a;
    settings.m_nAfterPortB = b;
    settings.m_nAfterPortC = c;
    for (int i = 0; i < CGridPrintSettings::kPrintTextCount; ++i)
        settings.m_strPrintTexts[i] = texts[i];
    settings.m_dPrintScale = scale;
    return TRUE;
}
