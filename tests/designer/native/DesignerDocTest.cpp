// The designer's document on the control core: opening and saving through
// the control's file members, the messages of failures, the modified mark and
// the prompt before closing.
#include "designer/DesignerFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

using namespace designertest;

namespace {

std::string TempPath(const char* name)
{
    return std::string(::testing::TempDir()) + name;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << bytes;
}

// A template saved by another control with "saved" in cell (1, 1).
std::string SavedTemplate(const char* name)
{
    const std::string path = TempPath(name);
    Designer other;
    other.grid.CellSetValue(1, 1, CString("saved"));
    EXPECT_EQ(1, other.grid.GridSaveFile(CString(path.c_str()), CString()));
    return path;
}

class DesignerDoc : public ::testing::Test {};

// Each kind of file: a template opens into the view and names the document;
// anything else makes no document and leaves the sheet, with the control's
// message or, where the control gives none, the designer's.
TEST_F(DesignerDoc, OpenResults)
{
    const std::string good = SavedTemplate("kivo_doc_good.kvx");
    const std::string magic = TempPath("kivo_doc_magic.kvx");
    WriteBytes(magic, std::string("NOPE and some more bytes of a file that is not ours at all"));
    const std::string empty = TempPath("kivo_doc_empty.kvx");
    WriteBytes(empty, "");
    struct Case {
        const char* name;
        std::string path;
        BOOL opened;
        size_t designerMessages;
    } cases[] = {
        {"a template", good, TRUE, 0},
        {"another program's file", magic, FALSE, 1},
        {"an empty file (the control reports it)", empty, FALSE, 0},
        {"a missing file (the control reports it)", TempPath("kivo_doc_missing.kvx"), FALSE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Designer d;
        d.grid.CellSetValue(2, 2, CString("before"));
        EXPECT_EQ(c.opened, d.doc.OnOpenDocument(CString(c.path.c_str())));
        EXPECT_EQ(c.designerMessages, d.ui.boxes.size());
        EXPECT_FALSE(d.doc.IsModified());
        if (c.opened) {
            EXPECT_EQ("saved", d.grid.CellGetValue(1, 1).Str());
            EXPECT_EQ(c.path, d.doc.GetPathName().Str());
            EXPECT_EQ(c.path, d.view.m_strFilePath.Str());
            EXPECT_EQ("kivo_doc_good.kvx", d.doc.GetTitle().Str());
        } else {
            EXPECT_EQ("before", d.grid.CellGetValue(2, 2).Str());
            EXPECT_TRUE(d.doc.GetPathName().IsEmpty());
            EXPECT_TRUE(d.view.m_strFilePath.IsEmpty());
        }
    }
}

// A save that the control cannot do shows the message and keeps the path,
// title and modified mark; a good one clears the mark and a second control
// reads the same cell back.
TEST_F(DesignerDoc, SaveResults)
{
    const std::string target = TempPath("kivo_doc_saved.kvx");
    std::remove(target.c_str());
    const std::string blocked = TempPath("kivo_doc_no_such_folder/x.kvx");
    struct Case {
        const char* name;
        std::string path;
        BOOL saved;
    } cases[] = {
        {"a writable path", target, TRUE},
        {"a folder that does not exist", blocked, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Designer d;
        d.grid.CellSetValue(1, 1, CString("typed"));
        d.doc.SetModifiedFlag(TRUE);
        d.ui.savePaths.push_back(c.path);
        EXPECT_EQ(c.saved, d.doc.DoFileSave());
        EXPECT_EQ(std::vector<std::string>{"卡沃表格1.kvx"}, d.ui.saveSuggestions);
        if (c.saved) {
            EXPECT_TRUE(d.ui.boxes.empty());
            EXPECT_FALSE(d.doc.IsModified());
            EXPECT_EQ("kivo_doc_saved.kvx", d.doc.GetCaption().Str());
            Designer reader;
            EXPECT_TRUE(reader.doc.OnOpenDocument(CString(c.path.c_str())));
            EXPECT_EQ("typed", reader.grid.CellGetValue(1, 1).Str());
        } else {
            ASSERT_EQ(1u, d.ui.boxes.size());
            EXPECT_EQ(CKivoSheetDesignerDoc::kSaveFailed, d.ui.boxes[0].text);
            EXPECT_TRUE(d.doc.IsModified());
            EXPECT_EQ("卡沃表格1*", d.doc.GetCaption().Str());
            EXPECT_TRUE(d.doc.GetPathName().IsEmpty());
        }
    }
}

// Closing asks only when modified: Yes saves (and closes only when the save
// worked), No closes without saving, Cancel keeps the document.
TEST_F(DesignerDoc, ClosePrompt)
{
    const std::string path = TempPath("kivo_doc_close.kvx");
    struct Case {
        const char* name;
        bool modified;
        int answer;
        std::string savePath;
        BOOL mayClose;
        size_t boxes;
        bool fileWritten;
    } cases[] = {
        {"not modified", false, IDYES, path, TRUE, 0, false},
        {"yes", true, IDYES, path, TRUE, 1, true},
        {"yes, then the save dialog cancelled", true, IDYES, "", FALSE, 1, false},
        {"no", true, IDNO, path, TRUE, 1, false},
        {"cancel", true, IDCANCEL, path, FALSE, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(path.c_str());
        Designer d;
        d.grid.CellSetValue(1, 1, CString("kept"));
        d.doc.SetModifiedFlag(c.modified ? TRUE : FALSE);
        d.ui.answers.push_back(c.answer);
        d.ui.savePaths.push_back(c.savePath);
        EXPECT_EQ(c.mayClose, d.doc.SaveModified());
        EXPECT_EQ(c.boxes, d.ui.boxes.size());
        if (c.boxes > 0) {
            EXPECT_EQ("是否保存对 卡沃表格1 的修改?", d.ui.boxes[0].text);
        }
        std::ifstream f(path, std::ios::binary);
        EXPECT_EQ(c.fileWritten, f.good());
    }
}

}  // namespace
