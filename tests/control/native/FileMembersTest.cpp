// The file, string and export members through the generated dispatcher:
// template files and strings round trip, damaged input answers its failure
// and leaves the sheet, CSV text, and a cancelled file dialog.
#include "control/DispInvoke.h"
#include "control/KivoSheetCtrl.h"
#include "grid/GridCtrl.h"
#include "platform/FileDialog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

CDispResult Call(CKivoSheetDispatch& target, const char* name, const std::vector<std::string>& texts,
                 const std::vector<long>& numbers = {})
{
    const CMemberInfo* m = FindKivoSheetMemberByName(name);
    CDispResult r;
    if (m == nullptr) {
        ADD_FAILURE() << "no member " << name;
        return r;
    }
    std::vector<CDispArg> args(static_cast<size_t>(m->argc > 0 ? m->argc : 1));
    size_t text = 0, number = 0;
    for (int i = 0; i < m->argc; ++i) {
        CDispArg& a = args[static_cast<size_t>(i)];
        a.type = m->args[i];
        if (a.type == DispType::String) {
            a.str = text < texts.size() ? texts[text++].c_str() : "";
        } else {
            const long v = number < numbers.size() ? numbers[number++] : 0;
            a.l = static_cast<LONG>(v);
            a.s = static_cast<SHORT>(v);
        }
    }
    EXPECT_TRUE(InvokeKivoSheetMember(target, *m, DispCall::Method, args.data(), r)) << name;
    return r;
}

long Number(const CDispResult& r)
{
    return r.type == DispType::Long ? r.l : r.s;
}

class FileMembers : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = ctl.GetGrid()->GetGridCtrl();
        ASSERT_NE(nullptr, grid);
        grid->SetRowCount(5);
        grid->SetColumnCount(4);
        grid->SetFixedRowCount(1);
        grid->SetFixedColumnCount(1);
        grid->SetCellText(1, 1, "one");
        grid->SetCellValue(2, 2, 2.5);
    }
    CKivoSheetCtrl ctl;
    CGridCtrl* grid = nullptr;
};

TEST_F(FileMembers, FileAndStringRoundTrips)
{
    const char* path = "kivo_file_members.kvx";
    EXPECT_EQ(1, Number(Call(ctl, "GridSaveFile", {path, "pw"})));
    const CDispResult text = Call(ctl, "GridSaveBase64String", {"pw"});
    ASSERT_EQ(DispType::String, text.type);
    EXPECT_EQ(0, std::string(text.str.GetString()).find("S0lWTwAwNC4wMQBYAAAA"));

    grid->SetCellText(1, 1, "changed");
    EXPECT_EQ(1, Number(Call(ctl, "GridOpenFile", {path, "pw"})));
    EXPECT_STREQ("one", grid->GetCellText(1, 1));
    grid->SetCellText(1, 1, "changed");
    EXPECT_EQ(1, Number(Call(ctl, "GridOpenBase64String", {text.str.GetString(), "pw"})));
    EXPECT_STREQ("one", grid->GetCellText(1, 1));

    // Failures answer their value and leave the sheet.
    grid->SetCellText(1, 1, "mine");
    EXPECT_EQ(-2, Number(Call(ctl, "GridOpenFile", {path, "wrong"})));
    EXPECT_EQ(-2, Number(Call(ctl, "GridOpenBase64String", {text.str.GetString(), ""})));
    EXPECT_EQ(-1, Number(Call(ctl, "GridOpenBase64String", {"not base64!", "pw"})));
    EXPECT_EQ(-1, Number(Call(ctl, "GridOpenFile", {"no_such_kivo.kvx", ""})));
    EXPECT_EQ(-1, Number(Call(ctl, "GridSaveFile", {"", ""})));
    EXPECT_STREQ("mine", grid->GetCellText(1, 1));
    // A plain template has no connection to open automatically.
    EXPECT_EQ(-9, Number(Call(ctl, "GridOpenTemplate", {path, "pw"})));
    std::remove(path);
}

TEST_F(FileMembers, CsvMembersAndTheDialog)
{
    const CDispResult csv = Call(ctl, "GridSaveCSVString", {});
    ASSERT_EQ(DispType::String, csv.type);
    EXPECT_NE(std::string::npos, std::string(csv.str.GetString()).find("one"));
    const char* path = "kivo_file_members.csv";
    EXPECT_EQ(1, Number(Call(ctl, "GridSaveCSVFile", {path})));
    grid->SetCellText(1, 1, "x");
    EXPECT_EQ(1, Number(Call(ctl, "GridOpenCSVFile", {path})));
    std::remove(path);

    const CDispResult cancelled = Call(ctl, "GridShowDialog", {"Templates|*.kvx|", "a.kvx"}, {1});
    EXPECT_STREQ("", cancelled.str.GetString());
    SetPlatformFileDialogHandler([](BOOL bOpen, LPCTSTR, LPCTSTR def) {
        return CString(bOpen ? "open:" : "save:") + def;
    });
    EXPECT_STREQ("save:b.kvx", Call(ctl, "GridShowDialog", {"", "b.kvx"}, {0}).str.GetString());
    EXPECT_STREQ("open:c.kvx", Call(ctl, "GridShowDialog", {"", "c.kvx"}, {2}).str.GetString());
    SetPlatformFileDialogHandler(nullptr);
}

}  // namespace
