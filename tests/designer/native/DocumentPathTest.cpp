// One path for each window: whatever command put a template into the view
// (open, run, encrypted open and save, the plain save, the save before a
// template test), the document names the same file, so the close prompt names
// and saves the file whose content the window shows. Commands that replace
// the sheet ask about unsaved edits first; database editors mark the document
// only when what the template stores changed.
#include "designer/DesignerFixture.h"

#include "designer/DesignerCommands.h"
#include "designer/commands/DatabaseCommandIds.h"
#include "designer/dialogs/ToolDialogs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace designertest;
using namespace designer_cmd;

namespace {

std::string TempPath(const char* name)
{
    return std::string(::testing::TempDir()) + name;
}

// A template made by another designer with text in cell (1, 1).
std::string Template(const char* name, const char* text)
{
    const std::string path = TempPath(name);
    Designer other;
    other.grid.CellSetValue(1, 1, CString(text));
    EXPECT_EQ(1, other.grid.GridSaveFile(CString(path.c_str()), CString()));
    return path;
}

std::string CellOf(const std::string& path, LONG row, LONG col)
{
    Designer reader;
    if (reader.grid.GridOpenFile(CString(path.c_str()), CString()) != 1)
        return "(unreadable)";
    return reader.grid.CellGetValue(row, col).Str();
}

// An edit the way the grid reports one: the value and the end of the edit.
void Edit(Designer& d, LONG row, LONG col, const char* text)
{
    d.grid.CellSetValue(row, col, CString(text));
    d.view.NotifyChanged();
}

std::function<int(CDesignerDialog&)> Password(const char* password)
{
    return [password](CDesignerDialog& dlg) {
        static_cast<CPasswordDlg&>(dlg).m_strPassword = password;
        return IDOK;
    };
}

}  // namespace

// job1 open, Ctrl+O job2, an edit, close with Yes: the prompt names job2 and
// job2 gets the edit; job1 keeps what it held.
TEST(DocumentPath, ClosePromptAfterCtrlONamesAndSavesTheShownFile)
{
    const std::string job1 = Template("kivo_path_job1.kvx", "one");
    const std::string job2 = Template("kivo_path_job2.kvx", "two");
    Designer d;
    ASSERT_TRUE(d.doc.OnOpenDocument(CString(job1.c_str())));
    d.ui.openPaths = {job2};
    ASSERT_TRUE(d.Run(kFileOpen));
    EXPECT_EQ(job2, d.doc.GetPathName().Str());
    EXPECT_EQ("kivo_path_job2.kvx", d.doc.GetTitle().Str());
    Edit(d, 2, 2, "edited");
    ASSERT_TRUE(d.doc.IsModified());

    d.ui.answers = {IDYES};
    EXPECT_TRUE(d.doc.SaveModified());
    ASSERT_EQ(1u, d.ui.boxes.size());
    EXPECT_EQ("是否保存对 kivo_path_job2.kvx 的修改?", d.ui.boxes[0].text);
    EXPECT_EQ("two", CellOf(job2, 1, 1));
    EXPECT_EQ("edited", CellOf(job2, 2, 2));
    EXPECT_EQ("one", CellOf(job1, 1, 1));
    EXPECT_EQ("", CellOf(job1, 2, 2));
}

// Running a template over unsaved edits asks first: Cancel runs nothing, No
// drops the edits, Yes saves them to the file they belong to; afterwards the
// window names the template run, unmodified.
TEST(DocumentPath, RunTemplateOverUnsavedEditsAsksFirst)
{
    const struct {
        const char* name;
        int answer;
        bool ran;
        const char* job1Cell;   // what job1's (2, 2) holds afterwards
    } cases[] = {
        {"cancel", IDCANCEL, false, ""},
        {"no", IDNO, true, ""},
        {"yes", IDYES, true, "edited"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string job1 = Template("kivo_path_run_job1.kvx", "one");
        const std::string tpl = Template("kivo_path_run_tpl.kvx", "template");
        Designer d;
        ASSERT_TRUE(d.doc.OnOpenDocument(CString(job1.c_str())));
        Edit(d, 2, 2, "edited");
        d.ui.answers = {c.answer};
        d.ui.openFiles = {tpl};
        d.Run(32939);
        ASSERT_EQ(1u, d.ui.boxes.size());
        EXPECT_EQ("是否保存对 kivo_path_run_job1.kvx 的修改?", d.ui.boxes[0].text);
        EXPECT_EQ(c.job1Cell, CellOf(job1, 2, 2));
        EXPECT_EQ("one", CellOf(job1, 1, 1));
        if (c.ran) {
            EXPECT_EQ("template", d.grid.CellGetValue(1, 1).Str());
            EXPECT_EQ(tpl, d.doc.GetPathName().Str());
            EXPECT_EQ(tpl, d.view.m_strFilePath.Str());
            EXPECT_FALSE(d.doc.IsModified());
        } else {
            EXPECT_TRUE(d.ui.fileFilters.empty());   // no file dialog
            EXPECT_EQ(job1, d.doc.GetPathName().Str());
            EXPECT_TRUE(d.doc.IsModified());
        }
        // Closing now asks nothing more of job1: a later save goes where the
        // window's content came from.
        d.ui.boxes.clear();
        Edit(d, 3, 3, "later");
        d.ui.answers = {IDYES};
        EXPECT_TRUE(d.doc.SaveModified());
        const std::string& target = c.ran ? tpl : job1;
        EXPECT_EQ("later", CellOf(target, 3, 3));
        if (c.ran) {
            EXPECT_EQ("", CellOf(job1, 3, 3));
        }
    }
}

// After every command that puts a file in the view, the document names the
// same path (its title is the file's name) and the close prompt saves there.
TEST(DocumentPath, ViewAndDocumentAgreeAfterEveryFileCommand)
{
    const std::string plain = Template("kivo_path_plain.kvx", "plain");
    const std::string secret = TempPath("kivo_path_secret.kvx");
    const std::string saved = TempPath("kivo_path_saved.kvx");
    const std::string tested = TempPath("kivo_path_tested.kvx");
    for (const std::string& p : {secret, saved, tested})
        std::remove(p.c_str());
    {
        Designer w;
        w.grid.CellSetValue(1, 1, CString("secret"));
        ASSERT_EQ(1, w.grid.GridSaveFile(CString(secret.c_str()), CString("pw")));
    }
    const struct {
        const char* name;
        std::function<void(Designer&)> run;
        std::string path;
    } cases[] = {
        {"Ctrl+O", [&](Designer& d) { d.ui.openPaths = {plain}; d.Run(kFileOpen); }, plain},
        {"run template", [&](Designer& d) { d.ui.openFiles = {plain}; d.Run(32939); }, plain},
        {"encrypted open",
         [&](Designer& d) {
             d.ui.openFiles = {secret};
             d.ui.dialogs = {Password("pw")};
             d.Run(32988);
         },
         secret},
        {"encrypted save",
         [&](Designer& d) {
             d.ui.saveFiles = {saved};
             d.ui.dialogs = {Password("pw2")};
             d.Run(32989);
         },
         saved},
        {"Ctrl+S", [&](Designer& d) { d.ui.savePaths = {saved}; d.Run(kFileSave); }, saved},
        {"save before a template test",
         [&](Designer& d) {
             d.ui.answers = {IDYES};
             d.ui.savePaths = {tested};
             d.Run(kDbTestTemplate);
         },
         tested},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Designer d;
        c.run(d);
        EXPECT_EQ(c.path, d.view.m_strFilePath.Str());
        EXPECT_EQ(c.path, d.doc.GetPathName().Str());
        EXPECT_EQ(FileTitleOfPath(CString(c.path.c_str())).Str(), d.doc.GetTitle().Str());
        EXPECT_FALSE(d.doc.IsModified());
    }
}

// A failed encrypted save and a failed save before a template test say so,
// as the plain save does, and keep the modified mark.
TEST(DocumentPath, FailedSavesSaySo)
{
    {
        Designer d;
        d.view.m_strFilePath = CString("/nonexistent-dir/locked.kvx");
        Edit(d, 1, 1, "x");
        d.ui.dialogs = {Password("pw")};
        d.Run(32989);
        ASSERT_EQ(1u, d.ui.boxes.size());
        EXPECT_EQ(CKivoSheetDesignerDoc::kSaveFailed, d.ui.boxes[0].text);
        EXPECT_TRUE(d.doc.IsModified());
    }
    {
        Designer d;
        Edit(d, 1, 1, "x");
        d.ui.answers = {IDYES};
        d.ui.savePaths = {"/nonexistent-dir/tested.kvx"};
        d.Run(kDbTestTemplate);
        ASSERT_EQ(2u, d.ui.boxes.size());
        EXPECT_EQ(CKivoSheetDesignerDoc::kSaveFailed, d.ui.boxes[1].text);
        EXPECT_TRUE(d.ui.dialogsShown.empty());   // no test of a file not written
        EXPECT_TRUE(d.doc.IsModified());
        EXPECT_TRUE(d.doc.GetPathName().IsEmpty());
    }
}

// The database editors: adding a connection, a data set or a bind marks the
// document; an editor closed with Esc (no change) does not.
TEST(DocumentPath, DatabaseEditorsMarkTheDocumentOnlyWhenTheTemplateChanged)
{
    const struct {
        const char* name;
        UINT id;
        std::function<void(IGridControl&)> change;
    } cases[] = {
        {"connections", kDbConnections, [](IGridControl& g) { g.DBAddConnection(CString("c1")); }},
        {"data sets", kDbDataSets, [](IGridControl& g) { g.DBAddConnection(CString("c2")); }},
        {"binds", kDbBindings, [](IGridControl& g) { g.DBAddBind(CString("b1")); }},
        {"bound fields", kDbBoundFields, [](IGridControl& g) { g.DBAddBind(CString("b2")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Designer d;
        d.ui.dialogs = {[](CDesignerDialog&) { return IDCANCEL; }};
        d.Run(c.id);
        EXPECT_FALSE(d.doc.IsModified());
        EXPECT_EQ(std::string::npos, d.doc.GetCaption().Str().find('*'));

        d.ui.dialogs = {[&](CDesignerDialog&) {
            c.change(d.grid);
            return IDCANCEL;   // the managers close with Cancel after their work
        }};
        d.Run(c.id);
        EXPECT_TRUE(d.doc.IsModified());
        EXPECT_NE(std::string::npos, d.doc.GetCaption().Str().find('*'));
    }
}
