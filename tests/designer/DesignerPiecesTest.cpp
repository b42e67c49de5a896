// The designer's small pieces: path functions, the number spin's steps and
// formats, line styles and border names, the font-size box, the file-type
// association against a registry stand-in, the command line, open requests
// and the recent-file list.
#include "designer/CGFILTYP.h"
#include "designer/CommandLine.h"
#include "designer/FontSizeBox.h"
#include "designer/LineStyles.h"
#include "designer/NumberSpin.h"
#include "designer/PathFunctions.h"
#include "designer/RecentFileList.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

TEST(PathFunctions, ExtensionBaseNameDirectoryAndSegments)
{
    struct Case {
        const char* path;
        const char* extension;      // nullptr: none
        int baseLength;
        const char* base;
        int dirLength;
        const char* dir;
    } cases[] = {
        {"C:\\dir\\file.kvx", "kvx", 8, "file", 6, "C:\\dir"},
        {"C:\\dir\\archive.tar.gz", "gz", 14, "archive.tar", 6, "C:\\dir"},
        {"C:\\dir\\noext", nullptr, 5, "noext", 6, "C:\\dir"},
        {"file.kvx", "kvx", -1, "", -1, nullptr},
        {"", nullptr, -1, "", -1, nullptr},
        // 0xD5 0x5C is one two-byte character whose second byte is a backslash.
        {"C:\\\xD5\x5C.kvx", "kvx", 6, "\xD5\x5C", 2, "C:"},
        {"\xD5\x5C" "abc", nullptr, -1, "", -1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        char out[64];
        EXPECT_EQ(c.extension != nullptr, GetFileExtension(c.path, out, sizeof(out)) != FALSE);
        EXPECT_STREQ(c.extension != nullptr ? c.extension : "", out);
        EXPECT_EQ(c.baseLength, ExtractFileBaseName(c.path, out, sizeof(out)));
        EXPECT_STREQ(c.base, out);
        char dir[64] = "untouched";
        EXPECT_EQ(c.dirLength, GetPathDirectory(c.path, dir, sizeof(dir)));
        EXPECT_STREQ(c.dir != nullptr ? c.dir : "untouched", dir);
    }
    // Outputs too small for the answer are left empty and reported.
    char tiny[3];
    EXPECT_FALSE(GetFileExtension("a.kvx", tiny, sizeof(tiny)));
    EXPECT_STREQ("", tiny);
    EXPECT_EQ(-1, ExtractFileBaseName("C:\\longname.kvx", tiny, sizeof(tiny)));
    EXPECT_EQ(-1, GetPathDirectory("C:\\dir\\x", tiny, sizeof(tiny)));
    EXPECT_FALSE(GetFileExtension("a.kvx", nullptr, 0));

    CString seg;
    const struct {
        int n;
        bool found;
        const char* text;
    } segments[] = {{0, true, "C:"}, {1, true, "a"}, {2, true, "b.kvx"}, {3, false, ""}, {-1, false, ""}};
    for (const auto& s : segments) {
        EXPECT_EQ(s.found, GetPathSegment("C:\\a\\b.kvx", s.n, seg) != FALSE) << s.n;
        EXPECT_EQ(s.text, seg.Str()) << s.n;
    }
    EXPECT_EQ(-16, PointSizeToHeight(12, 96));
    EXPECT_EQ(-13, PointSizeToHeight(10, 96));   // 13.33 rounds to 13
}

TEST(PathFunctions, FileExistsAndIsDirectory)
{
    const std::string dir = ::testing::TempDir();
    std::string folder = dir.substr(0, dir.size() - 1);   // without the final separator
    EXPECT_TRUE(IsDirectory(folder.c_str()));
    EXPECT_TRUE(FileExists(folder.c_str()));
    EXPECT_FALSE(IsDirectory((folder + "/no_such_folder_kivo").c_str()));
    EXPECT_FALSE(FileExists((folder + "/no_such_file_kivo.kvx").c_str()));
    EXPECT_FALSE(IsDirectory(nullptr));
    EXPECT_FALSE(FileExists(""));
}

TEST(NumberSpin, StepsStopOrWrapAtTheEnds)
{
    CNumberSpinButton spin;
    spin.SetRange(10, 30, 1);
    EXPECT_EQ(20, spin.GetRangeSteps());
    const struct {
        double from;
        int delta;
        bool wrap;
        double to;
    } cases[] = {
        {30, 1, false, 30}, {30, 1, true, 10}, {10, -1, false, 10}, {10, -1, true, 30},
        {15, 1, false, 16}, {15, -3, false, 12}, {29.9999999999, 0, false, 29.9999999999},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(c.to, spin.Step(c.from, c.delta, c.wrap)) << c.from << " " << c.delta << " " << c.wrap;
    EXPECT_EQ(0, spin.Position(10));
    EXPECT_EQ(10, spin.Position(20));
    EXPECT_EQ(20, spin.Position(30));
    EXPECT_EQ(0, spin.Position(31));
}

TEST(NumberSpin, RangeStepsAreCappedAndNeverDivideByZero)
{
    CNumberSpinButton spin;
    spin.SetRange(-32767, 32767, 0.001);
    EXPECT_EQ(32767, spin.GetRangeSteps());
    spin.SetRange(0, 5, 0.0);   // no usable step: the range steps stay
    EXPECT_EQ(32767, spin.GetRangeSteps());
    EXPECT_DOUBLE_EQ(3.0, spin.Step(3.0, 1, false));
    spin.SetRange(4, 4, 1);     // an empty range
    EXPECT_EQ(0, spin.GetRangeSteps());
    EXPECT_EQ(0, spin.Position(4));
}

TEST(NumberSpin, Formats)
{
    const struct {
        int decimals;
        bool trim;
        const char* format;
        double value;
        const char* text;
    } cases[] = {
        {2, true, nullptr, 1.5, "1.5"},
        {2, false, nullptr, 1.5, "1.50"},
        {-1, true, nullptr, 1.5, "1.5"},
        {-1, true, nullptr, 100, "100"},
        {0, true, nullptr, 2.4, "2"},
        {2, true, nullptr, 1.5e20, "1.5e+020"},
        {3, false, nullptr, 1.5e20, "1.500e+020"},
        {-1, true, "%.3f mm", 2.5, "2.500 mm"},
        {-1, true, "%05.1f%%", 2.5, "002.5%"},
        {-1, true, "%s", 2.5, "2.5"},        // not a number format: the automatic one
        {-1, true, "%d", 2.5, "2.5"},
        {-1, true, "%f %f", 2.5, "2.5"},
    };
    for (const auto& c : cases) {
        CNumberSpinButton spin;
        spin.SetDecimals(c.decimals);
        spin.SetTrimZeros(c.trim ? TRUE : FALSE);
        spin.SetFormat(c.format);
        EXPECT_EQ(c.text, spin.FormatValue(c.value).Str()) << c.decimals << " " << (c.format ? c.format : "-");
    }
}

TEST(LineStyles, StyleToPenAndBorderNames)
{
    const int styles[][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 1}, {2, 1}, {3, 1}, {4, 1}};
    for (int i = 0; i < 7; ++i) {
        int pen = -5, width = -5;
        EXPECT_TRUE(CComboBoxLine::StyleToPen(i, &pen, &width));
        EXPECT_EQ(styles[i][0], pen) << i;
        EXPECT_EQ(styles[i][1], width) << i;
    }
    for (int bad : {7, -1, 100}) {
        int pen = -5, width = -5;
        EXPECT_FALSE(CComboBoxLine::StyleToPen(bad, &pen, &width));
        EXPECT_EQ(-5, pen);
        EXPECT_EQ(-5, width);
    }
    EXPECT_EQ("无边框", GetBorderFlagName(0).Str());
    EXPECT_EQ("左右边框", GetBorderFlagName(5).Str());
    EXPECT_EQ("上右下边框", GetBorderFlagName(14).Str());
    EXPECT_EQ("全边框", GetBorderFlagName(15).Str());
    EXPECT_EQ("", GetBorderFlagName(16).Str());
    EXPECT_EQ("", GetBorderFlagName(-1).Str());
}

TEST(FontSizeBox, EntriesAndExactChoice)
{
    std::vector<CString> entries;
    for (const char* s : FontSizeBoxEntries())
        entries.push_back(CString(s));
    ASSERT_EQ(18u, entries.size());
    EXPECT_EQ("6", entries.front().Str());
    EXPECT_EQ("72", entries.back().Str());
    EXPECT_EQ(6, FindExactEntry(entries, CString("12")));
    EXPECT_EQ(-1, FindExactEntry(entries, CString("13")));
    EXPECT_EQ(-1, FindExactEntry(entries, CString("")));
    EXPECT_EQ(-1, FindExactEntry(entries, CString("012")));
}

// A registry stand-in: the default values written, by key; keys named in
// `failing` refuse their writes.
class RegistryStandIn : public IRegistryRoot {
public:
    bool SetString(const CString& key, const CString& valueName, const CString& value) override
    {
        if (failing.count(key.Str()) != 0)
            return false;
        values[key.Str() + "|" + valueName.Str()] = value.Str();
        return true;
    }
    std::map<std::string, std::string> values;
    std::map<std::string, int> failing;
};

TEST(FileTypeAccess, AssociationAsTheAssociateCommandFillsIt)
{
    const struct {
        const char* name;
        const char* extension;
        std::map<std::string, std::string> expected;
    } cases[] = {
        {"all keys", "kvx",
         {{".kvx|", "CKivoSheetDesigner.Document"},
          {".kvx\\shell\\open\\command|", "\"C:\\Program Files\\Kivo\\KivoDesigner.exe\" \"%1\""},
          {"CKivoSheetDesigner.Document|", ""},
          {"CKivoSheetDesigner.Document\\DefaultIcon|", "C:\\Program Files\\Kivo\\KivoDesigner.exe,0"},
          {"CKivoSheetDesigner.Document\\shell\\open\\command|",
           "\"C:\\Program Files\\Kivo\\KivoDesigner.exe\" \"%1\""}}},
        {"no extension: only the type key", "",
         {{"CKivoSheetDesigner.Document|", ""},
          {"CKivoSheetDesigner.Document\\DefaultIcon|", "C:\\Program Files\\Kivo\\KivoDesigner.exe,0"},
          {"CKivoSheetDesigner.Document\\shell\\open\\command|",
           "\"C:\\Program Files\\Kivo\\KivoDesigner.exe\" \"%1\""}}},
    };
    const CString program("C:\\Program Files\\Kivo\\KivoDesigner.exe");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RegistryStandIn root;
        CGCFileTypeAccess access;
        access.SetFileExtension(c.extension);
        access.SetOpenCommand(CGCFileTypeAccess::OpenCommandFor(program));
        access.SetAppPath(program);
        access.SetTypeName("CKivoSheetDesigner.Document");
        access.SetIconPath(program + ",0");
        EXPECT_TRUE(access.RegisterAll(&root));
        EXPECT_EQ(c.expected, root.values);
    }
}

TEST(FileTypeAccess, FailedWritesAndMissingArguments)
{
    RegistryStandIn root;
    root.failing["CKivoSheetDesigner.Document\\DefaultIcon"] = 1;
    CGCFileTypeAccess access;
    access.SetFileExtension("kvx");
    access.SetTypeName("CKivoSheetDesigner.Document");
    access.SetIconPath("x.exe,0");
    access.SetOpenCommand("\"x.exe\" \"%1\"");
    EXPECT_FALSE(access.RegisterAll(&root));
    // The other keys were still written.
    EXPECT_EQ(1u, root.values.count("CKivoSheetDesigner.Document\\shell\\open\\command|"));

    EXPECT_FALSE(CGCFileTypeAccess::WriteRegistryString(nullptr, "k", "", "v"));
    EXPECT_EQ(static_cast<HRESULT>(0x80070057L), CGCFileTypeAccess::GetLastError());
    EXPECT_FALSE(CGCFileTypeAccess::WriteRegistryString(&root, "", "", "v"));
    EXPECT_FALSE(CGCFileTypeAccess::WriteRegistryString(&root, nullptr, "", "v"));
    EXPECT_FALSE(CGCFileTypeAccess::WriteRegistryString(&root, "k", nullptr, "v"));
    EXPECT_FALSE(CGCFileTypeAccess::WriteRegistryString(&root, "k", "", nullptr));
    EXPECT_TRUE(CGCFileTypeAccess::WriteRegistryString(&root, "k", "", "v"));

    access.ClearAll();
    RegistryStandIn empty;
    EXPECT_TRUE(access.RegisterAll(&empty));
    EXPECT_TRUE(empty.values.empty());
}

TEST(FileTypeAccess, StartUpRegistrationQuotesTheProgram)
{
    RegistryStandIn root;
    EXPECT_TRUE(RegisterShellFileTypes(&root, CString("C:\\My Apps\\KivoDesigner.exe")));
    EXPECT_EQ("KivoSheetDesigner.Document", root.values[".kvx|"]);
    EXPECT_EQ("翠禾文档", root.values["KivoSheetDesigner.Document|"]);
    EXPECT_EQ("\"C:\\My Apps\\KivoDesigner.exe\" \"%1\"",
              root.values["KivoSheetDesigner.Document\\shell\\open\\command|"]);
    EXPECT_EQ("\"C:\\My Apps\\KivoDesigner.exe\" /p \"%1\"",
              root.values["KivoSheetDesigner.Document\\shell\\print\\command|"]);
    root.failing[".kvx"] = 1;
    EXPECT_FALSE(RegisterShellFileTypes(&root, CString("x.exe")));
}

TEST(CommandLine, SplittingAndMeaning)
{
    const struct {
        const char* line;
        std::vector<std::string> args;
        CDesignerCommandInfo::Kind kind;
        const char* file;
    } cases[] = {
        {"", {}, CDesignerCommandInfo::FileNew, ""},
        {"   ", {}, CDesignerCommandInfo::FileNew, ""},
        {"a.kvx", {"a.kvx"}, CDesignerCommandInfo::FileOpen, "a.kvx"},
        {"\"C:\\My Files\\a.kvx\"", {"C:\\My Files\\a.kvx"}, CDesignerCommandInfo::FileOpen, "C:\\My Files\\a.kvx"},
        {"/p a.kvx", {"/p", "a.kvx"}, CDesignerCommandInfo::FilePrint, "a.kvx"},
        {"/p", {"/p"}, CDesignerCommandInfo::FileNew, ""},
        {"/dde", {"/dde"}, CDesignerCommandInfo::FileDDE, ""},
        {"/Embedding", {"/Embedding"}, CDesignerCommandInfo::FileNothing, ""},
        {"/zz a.kvx", {"/zz", "a.kvx"}, CDesignerCommandInfo::FileOpen, "a.kvx"},
        {"a\\\\\"b c\" d", {"a\\b c", "d"}, CDesignerCommandInfo::FileOpen, "a\\b c"},
        {"a\\\"b", {"a\"b"}, CDesignerCommandInfo::FileOpen, "a\"b"},
        {"\"unclosed", {"unclosed"}, CDesignerCommandInfo::FileOpen, "unclosed"},
        {"\"\xB1\xED.kvx\"", {"\xB1\xED.kvx"}, CDesignerCommandInfo::FileOpen, "\xB1\xED.kvx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::vector<CString> args = SplitCommandLine(c.line);
        std::vector<std::string> got;
        for (const CString& a : args)
            got.push_back(a.Str());
        EXPECT_EQ(c.args, got);
        const CDesignerCommandInfo info = ParseDesignerCommandLine(args);
        EXPECT_EQ(c.kind, info.kind);
        EXPECT_EQ(c.file, info.fileName.Str());
    }
    const CDesignerCommandInfo to = ParseDesignerCommandLine(SplitCommandLine("/pt a.kvx Printer Driver Port"));
    EXPECT_EQ(CDesignerCommandInfo::FilePrintTo, to.kind);
    EXPECT_EQ("a.kvx", to.fileName.Str());
    EXPECT_EQ("Printer", to.printerName.Str());
    EXPECT_EQ("Driver", to.driverName.Str());
    EXPECT_EQ("Port", to.portName.Str());
}

TEST(CommandLine, OpenRequests)
{
    const struct {
        std::string text;
        std::vector<std::string> paths;
    } cases[] = {
        {"[open(\"C:\\a.kvx\")]", {"C:\\a.kvx"}},
        {" [ OPEN ( \"a b.kvx\" ) ] [open(\"c.kvx\")]", {"a b.kvx", "c.kvx"}},
        {"[open(\"a.kvx\")][open(\"b.kvx\")]", {"a.kvx", "b.kvx"}},
        {"[open(\"a.kvx\")] [print(\"b.kvx\")]", {"a.kvx"}},
        {"[open(\"unterminated", {}},
        {"[open(\"\")]", {}},
        {"", {}},
        {std::string("[open(\"a\0b\")][open(\"c\")]", 24), {}},   // a NUL names no file
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<CString> paths = ParseOpenRequest(c.text.data(), static_cast<int>(c.text.size()));
        std::vector<std::string> got;
        for (const CString& p : paths)
            got.push_back(p.Str());
        EXPECT_EQ(c.paths, got);
    }
    const CString made = MakeOpenRequest(CString("C:\\x y\\\xB1\xED.kvx"));
    const std::vector<CString> back = ParseOpenRequest(made.GetString(), made.GetLength());
    ASSERT_EQ(1u, back.size());
    EXPECT_EQ("C:\\x y\\\xB1\xED.kvx", back[0].Str());
    EXPECT_TRUE(ParseOpenRequest(nullptr, 5).empty());
}

TEST(RecentFiles, FourNewestFirst)
{
    CRecentFileList list(4);
    for (const char* p : {"a.kvx", "b.kvx", "c.kvx", "d.kvx", "e.kvx"})
        list.Add(CString(p));
    ASSERT_EQ(4, list.GetCount());
    EXPECT_EQ("e.kvx", list[0].Str());
    EXPECT_EQ("b.kvx", list[3].Str());
    list.Add(CString("C.KVX"));   // the same file: moves to the top
    ASSERT_EQ(4, list.GetCount());
    EXPECT_EQ("C.KVX", list[0].Str());
    EXPECT_EQ("e.kvx", list[1].Str());
    list.Add(CString());
    EXPECT_EQ(4, list.GetCount());
    EXPECT_EQ("&1 C.KVX", list.MenuText(0).Str());
    list.Add(CString("C:\\a & b\\x.kvx"));
    EXPECT_EQ("&1 C:\\a && b\\x.kvx", list.MenuText(0).Str());
    list.Add(CString("C:\\" + std::string(80, 'x') + "\\name.kvx"));
    EXPECT_EQ("&1 ...\\name.kvx", list.MenuText(0).Str());
    EXPECT_EQ("File1", CRecentFileList::ValueName(0).Str());
    EXPECT_EQ("File4", CRecentFileList::ValueName(3).Str());
    list.Remove(0);
    list.Remove(17);
    EXPECT_EQ(3, list.GetCount());
}

}  // namespace
