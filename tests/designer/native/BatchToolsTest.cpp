// The tools menu: the batch conversion walk on a folder in memory, the batch
// re-merge on a real folder with the in-process control, the version box and
// the template file association against a registry stand-in.
#include "designer/DesignerFixture.h"

#include "designer/CGFILTYP.h"
#include "designer/DesignerFiles.h"
#include "designer/dialogs/BatchDialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

using namespace designertest;
namespace fs = std::filesystem;

namespace {

// Folders and files in memory under backslash paths.
struct MemoryFiles : IDesignerFiles {
    std::set<std::string> dirs, files;
    std::set<std::string> unmakeable;   // folders whose making fails
    bool List(const CString& folder, std::vector<CDesignerFileEntry>& out) override
    {
        const std::string prefix = std::string(folder.Str()) + "\\";
        if (dirs.count(folder.Str()) == 0)
            return false;
        auto add = [&](const std::set<std::string>& from, bool dir) {
            for (const std::string& p : from)
                if (p.compare(0, prefix.size(), prefix) == 0 && p.find('\\', prefix.size()) == std::string::npos)
                    out.push_back({CString(p.substr(prefix.size()).c_str()), dir, false});
        };
        add(files, false);
        add(dirs, true);
        return true;
    }
    bool IsDirectory(const CString& path) override { return dirs.count(path.Str()) != 0; }
    bool MakeDirectory(const CString& path) override
    {
        if (unmakeable.count(path.Str()) != 0)
            return false;
        dirs.insert(path.Str());
        return true;
    }
};

// The hosted control of the conversion: a workbook opens unless its name says
// "bad"; a save writes a file into the memory folders.
class ConvertingGrid : public RecordingGrid {
public:
    ConvertingGrid(CKivoSheetCtrl& ctl, MemoryFiles& files) : RecordingGrid(ctl), m_files(files) {}
    std::vector<std::string> imported, saved;
    int GridImportExcelFileForOle(const CString& path, const CString&, LONG sheet) override
    {
        EXPECT_EQ(1, sheet);
        imported.push_back(path.Str());
        return path.Find("bad") >= 0 ? 0 : 1;
    }
    LONG GridSaveFile(const CString& path, const CString&) override
    {
        saved.push_back(path.Str());
        m_files.files.insert(path.Str());
        return 1;
    }

private:
    MemoryFiles& m_files;
};

struct Walk {
    MemoryFiles files;
    Designer d;
    ConvertingGrid hosted{d.ctl, files};
    CBatchExcelConvertDlg dlg;
    Walk()
    {
        files.dirs = {"C:", "C:\\src", "C:\\src\\sub", "C:\\src\\.hidden"};
        files.files = {"C:\\src\\a.xls", "C:\\src\\B.XLS", "C:\\src\\c.xlsx", "C:\\src\\notes.txt",
                       "C:\\src\\sub\\d.xls", "C:\\src\\.hidden\\e.xls"};
        d.ui.files = &files;
        dlg.m_ui = &d.ui;
        dlg.m_strExcelDir = "C:\\src";
        dlg.m_strTargetDir = "C:\\out";
    }
};

}  // namespace

TEST(BatchConversion, ConvertsWorkbooksOfEitherCaseIntoTheTargetTree)
{
    Walk w;
    EXPECT_EQ(3, w.dlg.Start(w.hosted));
    EXPECT_EQ((std::vector<std::string>{"C:\\out\\B.kvx", "C:\\out\\a.kvx", "C:\\out\\sub\\d.kvx"}), w.hosted.saved);
    EXPECT_TRUE(w.files.IsDirectory("C:\\out\\sub"));
    ASSERT_EQ(1u, w.d.ui.boxes.size());
    EXPECT_EQ("共成功转出3个文件!", w.d.ui.boxes[0].text);
    EXPECT_EQ("C:\\src\\sub\\d.xls", std::string(w.dlg.m_strCurrentFile.Str()));

    // Sub-folders off: neither walked nor made.
    Walk flat;
    flat.dlg.m_bSubFolders = false;
    EXPECT_EQ(2, flat.dlg.Start(flat.hosted));
    EXPECT_FALSE(flat.files.IsDirectory("C:\\out\\sub"));
    EXPECT_EQ(2u, flat.hosted.imported.size());
}

TEST(BatchConversion, TargetInsideTheSourceAndFailures)
{
    // The target lies inside the Excel folder and already holds templates:
    // they are walked but only workbooks are converted.
    Walk inside;
    inside.files.dirs.insert("C:\\src\\out");
    inside.files.files.insert("C:\\src\\out\\old.kvx");
    inside.dlg.m_strTargetDir = "C:\\src\\out\\";
    EXPECT_EQ(3, inside.dlg.Start(inside.hosted));
    for (const std::string& p : inside.hosted.imported)
        EXPECT_EQ(std::string::npos, p.find(".kvx")) << p;
    EXPECT_EQ("C:\\src\\out\\B.kvx", inside.hosted.saved[0]);

    // A workbook that does not open and a folder that cannot be made are
    // reported; the walk goes on and counts only saved templates.
    Walk failing;
    failing.files.files.insert("C:\\src\\bad.xls");
    failing.files.unmakeable.insert("C:\\out\\sub");
    EXPECT_EQ(2, failing.dlg.Start(failing.hosted));
    std::vector<std::string> texts;
    for (const auto& b : failing.d.ui.boxes)
        texts.push_back(b.text);
    EXPECT_EQ((std::vector<std::string>{"[C:\\src\\bad.xls] 文件无法打开,转换失败!",
                                        "[C:\\out\\sub] 文件夹创建不成功,无法转换成卡沃文件!", "共成功转出2个文件!"}),
              texts);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), failing.d.ui.boxes[0].type);

    // Empty folders are refused before anything is walked.
    Walk empty;
    empty.dlg.m_strExcelDir = "";
    EXPECT_EQ(-1, empty.dlg.Start(empty.hosted));
    empty.dlg.m_strExcelDir = "C:\\src";
    empty.dlg.m_strTargetDir = "";
    EXPECT_EQ(-1, empty.dlg.Start(empty.hosted));
    ASSERT_EQ(2u, empty.d.ui.boxes.size());
    EXPECT_EQ("EXCEL文件目录不能为空!", empty.d.ui.boxes[0].text);
    EXPECT_EQ("卡沃存放目录不能为空!", empty.d.ui.boxes[1].text);
    EXPECT_TRUE(empty.hosted.imported.empty());
}

namespace {

// A real folder of the machine.
struct DiskFiles : IDesignerFiles {
    bool List(const CString& folder, std::vector<CDesignerFileEntry>& out) override
    {
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(folder.Str(), ec)) {
            const auto perms = e.status().permissions();
            out.push_back({CString(e.path().filename().string().c_str()), e.is_directory(),
                           (perms & fs::perms::owner_write) == fs::perms::none});
        }
        return !ec;
    }
    bool IsDirectory(const CString& path) override { return fs::is_directory(path.Str()); }
    bool MakeDirectory(const CString& path) override { return fs::create_directory(path.Str()); }
    char Separator() const override { return '/'; }
};

}  // namespace

TEST(BatchRemerge, RemergesTemplatesAndSkipsReadOnlyAndUnreadableOnes)
{
    const fs::path dir = fs::path(::testing::TempDir()) / "kivo_remerge";
    fs::remove_all(dir);
    fs::create_directories(dir / "sub.kvx");
    {
        Designer maker;
        maker.grid.RowSetCount(12);
        maker.grid.GridMergeCells(2, 2, 4, 3);
        maker.grid.CellSetControlType(2, 2, 2);
        maker.grid.CellSetValue(2, 2, "1");
        maker.grid.GridMergeCells(6, 1, 6, 4);
        maker.grid.CellSetValue(6, 1, "text");
        ASSERT_EQ(1, maker.grid.GridSaveFile((dir / "a.kvx").string().c_str(), ""));
        ASSERT_EQ(1, maker.grid.GridSaveFile((dir / "ro.kvx").string().c_str(), ""));
    }
    std::ofstream(dir / "broken.kvx") << "not a template";
    std::ofstream(dir / "other.txt") << "x";
    fs::permissions(dir / "ro.kvx", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const auto roTime = fs::last_write_time(dir / "ro.kvx");
    const std::string brokenBefore = "not a template";

    DiskFiles files;
    Designer d;
    struct Hosted : Designer {
        struct Counting : RecordingGrid {
            using RecordingGrid::RecordingGrid;
            int merges = 0;
            BOOL GridMergeCells(LONG r1, LONG c1, LONG r2, LONG c2) override
            {
                ++merges;
                return RecordingGrid::GridMergeCells(r1, c1, r2, c2);
            }
        } grid{ctl};
    } hosted;
    d.ui.files = &files;
    CRemergeDlg dlg;
    dlg.m_ui = &d.ui;
    dlg.m_strFolder = (dir.string() + "/").c_str();
    EXPECT_EQ(1, dlg.Reset(hosted.grid));
    ASSERT_FALSE(d.ui.boxes.empty());
    EXPECT_EQ("共成功处理1个KVX模板文件!", d.ui.boxes.back().text);
    EXPECT_EQ(2u, d.ui.boxes.size());   // the unreadable file, then the count
    EXPECT_NE(std::string::npos, d.ui.boxes[0].text.find("broken.kvx"));
    // Neither the unreadable nor the read-only file was written.
    std::ifstream in(dir / "broken.kvx");
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(brokenBefore, text);
    EXPECT_EQ(roTime, fs::last_write_time(dir / "ro.kvx"));

    // The saved template holds both blocks merged again, the check-box
    // block's value in each of its cells.
    Designer check;
    ASSERT_EQ(1, check.grid.GridOpenFile((dir / "a.kvx").string().c_str(), ""));
    LONG r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    ASSERT_TRUE(check.grid.CellGetMergeRange(3, 3, r1, c1, r2, c2));
    EXPECT_EQ((std::vector<LONG>{2, 2, 4, 3}), (std::vector<LONG>{r1, c1, r2, c2}));
    ASSERT_TRUE(check.grid.CellGetMergeRange(6, 2, r1, c1, r2, c2));
    EXPECT_EQ((std::vector<LONG>{6, 1, 6, 4}), (std::vector<LONG>{r1, c1, r2, c2}));
    EXPECT_EQ(2, check.grid.CellGetControlType(2, 2));
    EXPECT_EQ("1", check.grid.CellGetValue(2, 2).Str());
    for (LONG r = 2; r <= 4; ++r)
        for (LONG c = 2; c <= 3; ++c)
            EXPECT_EQ("1", std::string(check.grid.CellGetValue(r, c).Str())) << r << "," << c;
    // Each block was taken apart and merged once, not once per cell.
    EXPECT_EQ(2, hosted.grid.merges);

    // A folder with no templates counts 0.
    Designer e;
    e.ui.files = &files;
    CRemergeDlg none;
    none.m_ui = &e.ui;
    none.m_strFolder = (dir / "sub.kvx").string().c_str();
    EXPECT_EQ(0, none.Reset(hosted.grid));
    EXPECT_EQ(2, hosted.grid.merges);
    EXPECT_EQ("共成功处理0个KVX模板文件!", e.ui.boxes.back().text);
    fs::permissions(dir / "ro.kvx", fs::perms::owner_write, fs::perm_options::add);
    fs::remove_all(dir);
}

namespace {

struct MemoryRegistry : IRegistryRoot {
    std::map<std::string, std::string> values;
    bool fail = false;
    bool SetString(const CString& key, const CString& name, const CString& value) override
    {
        if (fail)
            return false;
        values[std::string(key.Str()) + "|" + name.Str()] = value.Str();
        return true;
    }
};

class VersionGrid : public RecordingGrid {
public:
    using RecordingGrid::RecordingGrid;
    CString version;
    CString GridGetOCXVersion() override { return version; }
};

}  // namespace

TEST(HelpCommands, AssociationWritesTheSameKeysTwiceAndReportsAFailedWrite)
{
    MemoryRegistry reg;
    Designer d;
    d.ui.registry = &reg;
    d.ui.programPath = "C:\\Program Files\\Kivo\\KivoDesigner.exe";
    d.Run(32945);
    const std::map<std::string, std::string> expected = {
        {".kvx|", "CKivoSheetDesigner.Document"},
        {".kvx\\shell\\open\\command|", "\"C:\\Program Files\\Kivo\\KivoDesigner.exe\" \"%1\""},
        {"CKivoSheetDesigner.Document|", ""},
        {"CKivoSheetDesigner.Document\\DefaultIcon|", "C:\\Program Files\\Kivo\\KivoDesigner.exe,0"},
        {"CKivoSheetDesigner.Document\\shell\\open\\command|",
         "\"C:\\Program Files\\Kivo\\KivoDesigner.exe\" \"%1\""},
    };
    EXPECT_EQ(expected, reg.values);
    d.Run(32945);
    EXPECT_EQ(expected, reg.values);
    EXPECT_EQ(2, d.ui.associationNotices);
    EXPECT_TRUE(d.ui.boxes.empty());

    reg.fail = true;
    d.Run(32945);
    ASSERT_EQ(1u, d.ui.boxes.size());
    EXPECT_EQ("提示", d.ui.boxes[0].caption);
    d.ui.registry = nullptr;
    d.Run(32945);
    EXPECT_EQ(2u, d.ui.boxes.size());
}

TEST(HelpCommands, VersionBoxKeepsItsBracketsAndToolsOpenTheirDialogs)
{
    CWnd host;
    Designer d;
    VersionGrid grid(d.ctl);
    CKivoSheetDesignerView view(grid, d.ui);
    CDesignerContext ctx{view, d.ui, nullptr};
    for (const char* v : {"", "3.8.1"}) {
        grid.version = v;
        CDesignerCommands::Instance().Run(32929, ctx);
        EXPECT_EQ(std::string("当前系统运行的卡沃企业版本: [") + v + "]", d.ui.boxes.back().text);
        EXPECT_EQ("", d.ui.boxes.back().caption);
    }
    d.Run(32930);
    EXPECT_NE(std::string::npos, d.ui.boxes.back().text.find("我们的联系方式:"));
    d.Run(32953);
    d.Run(33000);
    EXPECT_EQ((std::vector<UINT>{214, 259}), d.ui.dialogsShown);
}
