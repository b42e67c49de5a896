// Fuzzes the data-source picker's reading of connection strings, which come
// from templates and from what the user typed.
//
// Input: the whole text (up to its first NUL).
//  - Reading never fails; every key is non-empty and holds no '=' or ';'.
//  - The picker's fields read from a string, built into a string again and
//    read back, are the same fields.
#include "designer/dialogs/ConnectionStringPick.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.substr(0, text.find('\0'));
    const CString input(text);

    for (const auto& pair : ReadConnectionString(input)) {
        const std::string& key = pair.first.Str();
        if (key.empty() || key.find_first_of("=;") != std::string::npos)
            std::abort();
    }

    CDataSourcePickDlg first;
    first.Preset(input);
    CDataSourcePickDlg again;
    again.Preset(first.Result());
    if (again.m_bDataSource != first.m_bDataSource && !first.m_strSource.IsEmpty())
        std::abort();
    if (again.m_strSource.Str() != first.m_strSource.Str() || again.m_strDatabase.Str() != first.m_strDatabase.Str())
        std::abort();
    return 0;
}
