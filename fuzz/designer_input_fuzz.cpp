// The designer's parsers of outside input: the command line, the open
// requests a second start hands over, and the path functions over any bytes.
#include "designer/CommandLine.h"
#include "designer/PathFunctions.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text(bytes.c_str());   // up to the first NUL, as a C string arrives

    const std::vector<CString> args = SplitCommandLine(text.c_str());
    const CDesignerCommandInfo info = ParseDesignerCommandLine(args);
    (void)info;

    const std::vector<CString> paths = ParseOpenRequest(bytes.data(), static_cast<int>(bytes.size()));
    for (const CString& p : paths) {
        const std::vector<CString> again = ParseOpenRequest(MakeOpenRequest(p).GetString(),
                                                            MakeOpenRequest(p).GetLength());
        if (again.size() != 1 || again[0].Compare(p) != 0) {
            // A path read from a request may hold no quote, so it must read back.
            if (p.Find('"') < 0)
                __builtin_trap();
        }
    }

    char small[8];
    char big[512];
    GetFileExtension(text.c_str(), small, sizeof(small));
    GetFileExtension(text.c_str(), big, sizeof(big));
    ExtractFileBaseName(text.c_str(), small, sizeof(small));
    ExtractFileBaseName(text.c_str(), big, sizeof(big));
    GetPathDirectory(text.c_str(), small, sizeof(small));
    GetPathDirectory(text.c_str(), big, sizeof(big));
    CString segment;
    for (int n = 0; n < 4; ++n)
        GetPathSegment(text.c_str(), n, segment);
    return 0;
}
