// KivoDesigner.exe's document flows as a user meets them: Save As to a new
// name, the close prompt's three answers, a file dropped on the frame, and
// the recent files carried over a restart. What the designer writes is read
// back by a control of the test's own.
#include "designer/win32/DesignerDriver.h"

#include <shlobj.h>

#include <string>
#include <vector>

using namespace designerwine;

namespace {

class DesignerDocumentFlow : public DesignerProgramBase {};

// A template holding text in cell (1, 1), written by a control of the test's.
std::string WriteTemplate(const char* name, const char* text)
{
    const std::string path = TempFile(name);
    Reader writer;
    if (!writer.created)
        return std::string();
    writer.grid.CellSetValue(1, 1, CString(text));
    return writer.grid.GridSaveFile(CString(path.c_str()), CString()) == 1 ? path : std::string();
}

std::vector<std::string> TextsOf(const std::string& path)
{
    Reader reader;
    if (!reader.created || reader.grid.GridOpenFile(CString(path.c_str()), CString()) != 1)
        return {"(unreadable)"};
    return reader.Texts();
}

// Types text into the cell under a click in the open document, leaving it
// modified.
bool OpenAndType(Designer& d, const char* text)
{
    if (!d.started || d.Frame() == nullptr || !WaitFor([&] { return d.Documents().size() == 1; }))
        return false;
    HWND control = ChildById(d.Documents()[0], 923);
    if (control == nullptr || !ClickIntoGrid(d, control, POINT{120, 80}))
        return false;
    TypeText(text);
    Press(VK_RETURN);
    HWND doc = d.Documents()[0];
    return WaitFor([&] {
        const std::string t = TextOf(doc);
        return !t.empty() && t.back() == '*';
    });
}

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// A button of a message box, by its command id.
void ClickBoxButton(HWND box, int id)
{
    HWND button = ::GetDlgItem(box, id);
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// Save As writes the sheet to the new name, the window takes that name and
// the old file keeps what it held.
TEST_F(DesignerDocumentFlow, SaveAsWritesTheNewFileAndRenamesTheWindow)
{
    const std::string original = WriteTemplate("kivo_flow_saveas_src.kvx", "first");
    ASSERT_FALSE(original.empty());
    const std::string copy = TempFile("kivo_flow_saveas_copy.kvx");
    ::DeleteFileA(copy.c_str());
    Designer d("\"" + original + "\"");
    ASSERT_TRUE(OpenAndType(d, "second"));

    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(57604, 0), 0);   // File > Save As
    HWND dialog = d.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(AnswerFileDialog(dialog, copy));
    ASSERT_TRUE(WaitFor([&] { return TextOf(d.Documents()[0]) == "kivo_flow_saveas_copy.kvx"; }));
    EXPECT_EQ(0, d.Close());

    const std::vector<std::string> copied = TextsOf(copy);
    ASSERT_EQ(2u, copied.size());
    EXPECT_EQ("1,1=first", copied[0]);
    EXPECT_TRUE(EndsWith(copied[1], "=second"));
    EXPECT_EQ(std::vector<std::string>{"1,1=first"}, TextsOf(original));
}

// Closing a modified document asks Yes / No / Cancel: Cancel keeps the
// designer running with the edit, No ends it and leaves the file as it was,
// Yes saves first.
TEST_F(DesignerDocumentFlow, ClosePromptAnswers)
{
    const struct {
        const char* name;
        int answer;
        bool saved;
    } cases[] = {{"kivo_flow_close_no.kvx", IDNO, false}, {"kivo_flow_close_yes.kvx", IDYES, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = WriteTemplate(c.name, "kept");
        ASSERT_FALSE(path.empty());
        Designer d("\"" + path + "\"");
        ASSERT_TRUE(OpenAndType(d, "typed"));

        // Cancel: nothing closes.
        ::PostMessageA(d.Frame(), WM_CLOSE, 0, 0);
        HWND box = d.WaitForDialog();
        ASSERT_NE(nullptr, box);
        ClickBoxButton(box, IDCANCEL);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
        Pump(300);
        EXPECT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(d.pi.hProcess, 0));
        ASSERT_EQ(1u, d.Documents().size());

        ::PostMessageA(d.Frame(), WM_CLOSE, 0, 0);
        box = d.WaitForDialog();
        ASSERT_NE(nullptr, box);
        ClickBoxButton(box, c.answer);
        EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(d.pi.hProcess, 15000));
        d.Close();

        const std::vector<std::string> texts = TextsOf(path);
        ASSERT_EQ(c.saved ? 2u : 1u, texts.size());
        EXPECT_EQ("1,1=kept", texts[0]);
        if (c.saved) {
            EXPECT_TRUE(EndsWith(texts[1], "=typed"));
        }
    }
}

// The text of a message box (its static text), empty for other dialogs.
std::string BoxText(HWND box)
{
    HWND text = ::GetDlgItem(box, 0xFFFF);
    return text != nullptr ? ControlTextOf(text) : std::string();
}

// Ctrl+O in a window showing job1 loads job2 there; after an edit the close
// prompt names job2 and Yes writes job2, while job1 keeps what it held.
TEST_F(DesignerDocumentFlow, CtrlOThenClosePromptSavesTheFileShown)
{
    const std::string job1 = WriteTemplate("kivo_flow_ctrlo_job1.kvx", "one");
    const std::string job2 = WriteTemplate("kivo_flow_ctrlo_job2.kvx", "two");
    ASSERT_FALSE(job1.empty());
    ASSERT_FALSE(job2.empty());
    Designer d("\"" + job1 + "\"");
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    HWND control = ChildById(d.Documents()[0], 923);
    ASSERT_NE(nullptr, control);
    ASSERT_TRUE(ClickIntoGrid(d, control, POINT{120, 80}));
    CtrlKey('O');
    HWND dialog = d.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(AnswerFileDialog(dialog, job2));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    Pump(500);
    ASSERT_TRUE(OpenAndType(d, "edited"));

    ::PostMessageA(d.Frame(), WM_CLOSE, 0, 0);
    HWND box = d.WaitForDialog();
    ASSERT_NE(nullptr, box);
    EXPECT_NE(std::string::npos, BoxText(box).find("kivo_flow_ctrlo_job2.kvx")) << BoxText(box);
    ClickBoxButton(box, IDYES);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(d.pi.hProcess, 15000));
    d.Close();

    EXPECT_EQ(std::vector<std::string>{"1,1=one"}, TextsOf(job1));
    const std::vector<std::string> second = TextsOf(job2);
    ASSERT_EQ(2u, second.size());
    EXPECT_EQ("1,1=two", second[0]);
    EXPECT_TRUE(EndsWith(second[1], "=edited"));
}

// Ctrl+R over unsaved edits asks about them first: Yes saves them to the file
// they belong to, then the template runs; closing afterwards does not write
// the filled sheet over the first file.
TEST_F(DesignerDocumentFlow, RunTemplateOverUnsavedEditsAsksFirst)
{
    const std::string job1 = WriteTemplate("kivo_flow_run_job1.kvx", "one");
    const std::string tpl = WriteTemplate("kivo_flow_run_tpl.kvx", "template");
    ASSERT_FALSE(job1.empty());
    ASSERT_FALSE(tpl.empty());
    Designer d("\"" + job1 + "\"");
    ASSERT_TRUE(OpenAndType(d, "edited"));
    CtrlKey('R');

    // The prompt about job1 comes first; then the template's file dialog.
    HWND box = d.WaitForDialog();
    ASSERT_NE(nullptr, box);
    EXPECT_NE(std::string::npos, BoxText(box).find("kivo_flow_run_job1.kvx")) << BoxText(box);
    if (::GetDlgItem(box, IDYES) != nullptr) {
        ClickBoxButton(box, IDYES);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
        Pump(300);
        box = d.WaitForDialog();
        ASSERT_NE(nullptr, box);
    }
    ASSERT_TRUE(AnswerFileDialog(box, tpl));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
    EXPECT_TRUE(WaitFor([&] { return TextOf(d.Documents()[0]) == "kivo_flow_run_tpl.kvx"; }));

    // Closing: a prompt, if any, is answered Yes.
    ::PostMessageA(d.Frame(), WM_CLOSE, 0, 0);
    WaitFor([&] {
        if (::WaitForSingleObject(d.pi.hProcess, 0) == WAIT_OBJECT_0)
            return true;
        for (HWND b : TopWindows(d.pi.dwProcessId, "#32770"))
            if (::GetDlgItem(b, IDYES) != nullptr)
                ClickBoxButton(b, IDYES);
        return false;
    });
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(d.pi.hProcess, 15000));
    d.Close();

    const std::vector<std::string> first = TextsOf(job1);
    ASSERT_EQ(2u, first.size());
    EXPECT_EQ("1,1=one", first[0]);
    EXPECT_TRUE(EndsWith(first[1], "=edited"));
    EXPECT_EQ(std::vector<std::string>{"1,1=template"}, TextsOf(tpl));
}

// A file dropped on the frame opens in a window of its own. There is no
// shell to drag from here, so the test hands the frame the message a shell
// drop sends, with the file list placed in the designer's own memory as the
// shell places it.
TEST_F(DesignerDocumentFlow, DroppedFileOpens)
{
    const std::string path = WriteTemplate("kivo_flow_dropped.kvx", "dropped");
    ASSERT_FALSE(path.empty());
    Designer d;
    ASSERT_TRUE(d.started);
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));

    std::vector<char> block(sizeof(DROPFILES), 0);
    auto* files = reinterpret_cast<DROPFILES*>(block.data());
    files->pFiles = sizeof(DROPFILES);
    files->fWide = FALSE;
    block.insert(block.end(), path.begin(), path.end());
    block.push_back('\0');
    block.push_back('\0');
    void* remote = ::VirtualAllocEx(d.pi.hProcess, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(nullptr, remote);
    SIZE_T written = 0;
    ASSERT_TRUE(::WriteProcessMemory(d.pi.hProcess, remote, block.data(), block.size(), &written));
    ::PostMessageA(d.Frame(), WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);

    EXPECT_TRUE(WaitFor([&] {
        for (HWND doc : d.Documents())
            if (TextOf(doc) == "kivo_flow_dropped.kvx")
                return true;
        return false;
    }));
    EXPECT_EQ(0, d.Close());
}

// The four most recent files survive a restart: after opening five, the
// next start's fourth recent entry opens the second file, and a fifth entry
// does not exist.
TEST_F(DesignerDocumentFlow, FourRecentFilesSurviveARestart)
{
    std::vector<std::string> paths;
    for (int i = 1; i <= 5; ++i) {
        const std::string name = "kivo_flow_recent" + std::to_string(i) + ".kvx";
        paths.push_back(WriteTemplate(name.c_str(), name.c_str()));
        ASSERT_FALSE(paths.back().empty());
    }
    {
        Designer d;
        ASSERT_TRUE(d.started);
        ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
        for (const std::string& p : paths) {
            // An open request, as a second start with the file sends it.
            const std::string request = "[open(\"" + p + "\")]";
            COPYDATASTRUCT data = {};
            data.dwData = 0x4B56;
            data.cbData = static_cast<DWORD>(request.size());
            data.lpData = const_cast<char*>(request.data());
            EXPECT_EQ(1, ::SendMessageA(d.Frame(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)));
        }
        EXPECT_EQ(0, d.Close());
    }
    Designer d;
    ASSERT_TRUE(d.started);
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(57616 + 3, 0), 0);   // the fourth recent file
    EXPECT_TRUE(WaitFor([&] {
        for (HWND doc : d.Documents())
            if (TextOf(doc) == "kivo_flow_recent2.kvx")
                return true;
        return false;
    }));
    const size_t before = d.Documents().size();
    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(57616 + 4, 0), 0);   // no fifth entry
    Pump(500);
    EXPECT_EQ(before, d.Documents().size());
    EXPECT_EQ(0, d.Close());
}

}  // namespace
