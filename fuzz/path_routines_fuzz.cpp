// Fuzzes the path routines with outside paths: the file-name and folder parts
// (the CString forms and the forms that fill a caller's buffer), the joining
// of a relative path to a base folder, and the existence tests.
//
// Input: byte 0 and 1 give the buffer size (-2..509), byte 2 where the text
// is cut into the base folder and the relative path for the join; the rest is
// the path (up to its first NUL).
//  - A path splits at its last "\" that is a character of its own: the folder
//    part, the "\" and the name part give the path back, and neither part ends
//    inside a two-byte character.
//  - A sized form writes only into the buffer it is given (the buffer is
//    allocated at exactly its size), leaves it untouched when it answers -1,
//    otherwise copies the longest run of whole characters of the part that
//    fits and terminates it.
//  - A join is the base's components (cut only at "\" characters of their
//    own) and the rest of the relative path, as the joining rule gives them.
#include "base/CStringArray.h"
#include "base/Cp936.h"
#include "cellcontent/PathUtil.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// The character starts of s, from the first byte on, and the end.
std::vector<int> Boundaries(const std::string& s)
{
    std::vector<int> starts;
    const int length = static_cast<int>(s.size());
    int pos = 0;
    while (pos < length) {
        starts.push_back(pos);
        pos = cp936::NextChar(s.data(), length, pos);
    }
    starts.push_back(length);
    return starts;
}

bool IsBoundary(const std::vector<int>& starts, int pos)
{
    for (int start : starts)
        if (start == pos)
            return true;
    return false;
}

// The last "\" that is a character of its own, from the character starts.
int LastSeparator(const std::string& s)
{
    int last = -1;
    std::vector<int> starts = Boundaries(s);
    for (size_t i = 0; i + 1 < starts.size(); ++i)
        if (s[static_cast<size_t>(starts[i])] == '\\')
            last = starts[i];
    return last;
}

// The sized form against the CString form of the same part.
template <class SizedForm>
void CheckSized(SizedForm form, const char* path, int bufferSize, int expectedLength, const std::string& part)
{
    const unsigned char kFill = 0xA5;
    const size_t allocated = bufferSize > 0 ? static_cast<size_t>(bufferSize) : 0;
    std::unique_ptr<char[]> buffer(new char[allocated > 0 ? allocated : 1]);
    std::memset(buffer.get(), kFill, allocated > 0 ? allocated : 1);
    char* given = allocated > 0 ? buffer.get() : (bufferSize == 0 ? buffer.get() : nullptr);
    const int copied = form(path, given, bufferSize);
    if (expectedLength < 0 || bufferSize < 1) {
        Check(copied == -1);
        for (size_t i = 0; i < (allocated > 0 ? allocated : 1); ++i)
            Check(static_cast<unsigned char>(buffer[i]) == kFill);
        return;
    }
    Check(copied >= 0 && copied <= bufferSize - 1 && copied <= expectedLength);
    Check(buffer[static_cast<size_t>(copied)] == '\0');
    Check(std::memcmp(buffer.get(), part.data(), static_cast<size_t>(copied)) == 0);
    // Whole characters of the part, as many as fit.
    const std::vector<int> starts = Boundaries(part);
    Check(IsBoundary(starts, copied));
    if (copied < expectedLength) {
        const int next = cp936::NextChar(part.data(), expectedLength, copied);
        Check(next > bufferSize - 1);
    }
}

void CheckParts(const std::string& path, int bufferSize)
{
    const int separator = LastSeparator(path);
    const int length = static_cast<int>(path.size());

    CString name("untouched");
    const int nameLength = GetFileNamePart(path.c_str(), name);
    CString directory("untouched");
    const int directoryLength = GetDirectoryPart(path.c_str(), directory);
    if (separator < 0) {
        Check(nameLength == -1 && name == "untouched");
        Check(directoryLength == -1 && directory == "untouched");
    } else {
        Check(nameLength == length - separator - 1 && name.GetLength() == nameLength);
        Check(directoryLength == separator && directory.GetLength() == separator);
        Check(directory.Str() + "\\" + name.Str() == path);
        // The name holds no separator of its own; the folder ends on a boundary.
        Check(LastSeparator(name.Str()) < 0);
        Check(IsBoundary(Boundaries(path), separator));
    }

    CheckSized([](const char* p, char* b, int n) { return GetFileNamePart(p, b, n); }, path.c_str(), bufferSize,
               nameLength, separator < 0 ? std::string() : name.Str());
    CheckSized([](const char* p, char* b, int n) { return GetDirectoryPart(p, b, n); }, path.c_str(), bufferSize,
               directoryLength, separator < 0 ? std::string() : directory.Str());
}

// The base's non-empty components, cut at the "\" characters of their own.
std::vector<std::string> Components(const std::string& base)
{
    std::vector<std::string> parts;
    const std::vector<int> starts = Boundaries(base);
    std::string current;
    for (size_t i = 0; i + 1 < starts.size(); ++i) {
        const std::string ch = base.substr(static_cast<size_t>(starts[i]),
                                           static_cast<size_t>(starts[i + 1] - starts[i]));
        if (ch == "\\") {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        } else {
            current += ch;
        }
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

// The join as its rule reads: the base's components, less one for every
// leading "..\" of the relative path (while more than 3 bytes remain), then
// one leading "\" or ".\" skipped; the relative path as it came when
// nothing was dropped or skipped.
std::string ExpectedJoin(const std::string& base, const std::string& relative)
{
    std::vector<std::string> components = Components(base);
    if (components.empty())
        return std::string();
    size_t pos = 0;
    bool changed = false;
    while (relative.size() - pos > 3 && relative.compare(pos, 3, "..\\") == 0) {
        if (!components.empty())
            components.pop_back();
        pos += 3;
        changed = true;
    }
    if (pos < relative.size() && relative[pos] == '\\') {
        pos += 1;
        changed = true;
    } else if (relative.compare(pos, 2, ".\\") == 0) {
        pos += 2;
        changed = true;
    }
    if (!changed)
        return relative;
    std::string joined;
    for (const std::string& component : components)
        joined += component + "\\";
    return joined + relative.substr(pos);
}

// A small folder that the existence tests look into, made once per process.
const std::string& Folder()
{
    static const std::string folder = [] {
        std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("kivo_path_fuzz_" + std::to_string(static_cast<long>(::getpid())));
        std::filesystem::create_directories(dir / "sub");
        std::ofstream(dir / "a.bmp") << "x";
        std::ofstream(dir / "\x81\\x.txt") << "x";  // a name whose second byte is "\"
        return dir.string() + "/";
    }();
    // Registered after the name exists, so it runs before the name goes.
    static const bool removedAtExit = std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(std::filesystem::path(Folder()), ec);
    }) == 0;
    (void)removedAtExit;
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const int bufferSize = ((data[0] << 8) | data[1]) % 512 - 2;
    const size_t cut = data[2];
    std::string path(reinterpret_cast<const char*>(data + 3), size - 3);
    path = path.c_str();  // up to the first NUL

    CheckParts(path, bufferSize);

    const size_t at = cut < path.size() ? cut : path.size();
    const std::string base = path.substr(0, at);
    const std::string relative = path.substr(at);
    Check(ResolveRelativePath(base.c_str(), relative.c_str()).Str() == ExpectedJoin(base, relative));

    // Existence tests on the path inside a small folder; only answers, no
    // crash and no endless search.
    const std::string inside = Folder() + path;
    (void)FileExists(inside.c_str());
    (void)PathExists(inside.c_str());
    return 0;
}
