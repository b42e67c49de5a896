// The page set-up dialog as a user meets it: a container calls PRTPageSetup
// on a sheet whose printer is print_cups.sh's PDF printer (in the suite's own
// run there is no printer and the tests are skipped). A second thread finds
// the dialog window and works it with real mouse clicks and keys (SendInput)
// while the container's thread waits in the dialog; the settings are then
// read back through the printing members and by opening the dialog again.
#include "ContainerHost.h"
#include "PdfReadBack.h"

#include "document/PageSetupDlg.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace comtest;
using pdfreadback::CupsRun;

namespace {

const DISPID kGridSaveFile = 140;
const DISPID kCellSetValue = 5;
const DISPID kPRTPrint = 275;
const DISPID kPRTPageSetup = 277;
const DISPID kPRTGetPaper = 284;
const DISPID kPRTSetOrientation = 285;
const DISPID kPRTGetOrientation = 286;
const DISPID kPRTSetHeaderCenter = 299;
const DISPID kPRTGetHeaderCenter = 300;
const DISPID kPRTGetCopies = 288;
const DISPID kPRTGetHeaderFont = 429;
const DISPID kPRTGetUserPaper = 485;

HRESULT Invoke(IDispatch* target, DISPID id, std::vector<VARIANT> args, VARIANT* result)
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result, nullptr, nullptr);
}

LONG CallLong(IDispatch* target, DISPID id, std::vector<VARIANT> args = {})
{
    VARIANT result;
    ::VariantInit(&result);
    const HRESULT hr = Invoke(target, id, args, &result);
    for (VARIANT& v : args)
        ::VariantClear(&v);
    LONG value = -999;
    if (SUCCEEDED(hr) && SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_I4)))
        value = result.lVal;
    ::VariantClear(&result);
    return value;
}

std::wstring CallText(IDispatch* target, DISPID id, std::vector<VARIANT> args = {})
{
    VARIANT result;
    ::VariantInit(&result);
    std::wstring text = L"<failed>";
    const HRESULT hr = Invoke(target, id, args, &result);
    for (VARIANT& v : args)
        ::VariantClear(&v);
    if (SUCCEEDED(hr) && result.vt == VT_BSTR)
        text = result.bstrVal != nullptr ? result.bstrVal : L"";
    ::VariantClear(&result);
    return text;
}

// ---- the user's side, on a thread of its own ----

bool WaitFor(const std::function<bool()>& ready, DWORD ms = 15000)
{
    const DWORD start = ::GetTickCount();
    while (!ready()) {
        if (::GetTickCount() - start > ms)
            return false;
        ::Sleep(50);
    }
    return true;
}

void Settle()
{
    ::Sleep(250);
}

void ClickAt(HWND wnd, POINT client)
{
    ::ClientToScreen(wnd, &client);
    INPUT input[3] = {};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dx = ::MulDiv(client.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input[0].mi.dy = ::MulDiv(client.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].type = INPUT_MOUSE;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input[0], sizeof(INPUT));
    ::Sleep(60);
    ::SendInput(2, &input[1], sizeof(INPUT));
    Settle();
}

void Click(HWND control)
{
    RECT rc;
    ::GetClientRect(control, &rc);
    ClickAt(control, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

void Key(WORD vk)
{
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = vk;
    input[1].type = INPUT_KEYBOARD;
    input[1].ki.wVk = vk;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
    ::Sleep(60);
}

// Digits and the decimal point.
void Type(const char* text)
{
    for (const char* p = text; *p != '\0'; ++p)
        Key(*p == '.' ? VK_OEM_PERIOD : static_cast<WORD>(*p));
    Settle();
}

// Clicks into an edit and types over its text.
void Retype(HWND edit, const char* text)
{
    Click(edit);
    Key(VK_END);
    for (int i = 0; i < 12; ++i)
        Key(VK_BACK);
    Type(text);
}

HWND FindDialog()
{
    return ::FindWindowW(L"#32770", L"\x9875\x9762\x8bbe\x7f6e");   // "页面设置"
}

HWND FindMessageBox()
{
    return ::FindWindowW(L"#32770", L"\x63d0\x793a");   // "提示"
}

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchOwned(HWND h, LPARAM l)
{
    auto* s = reinterpret_cast<OwnedSearch*>(l);
    if (::GetWindow(h, GW_OWNER) == s->owner && ::IsWindowVisible(h)) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window the dialog owns (a dialog it opened).
HWND OwnedBy(HWND owner)
{
    OwnedSearch s = {owner, nullptr};
    ::EnumWindows(MatchOwned, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

struct ButtonSearch {
    std::vector<HWND> radios;
};

BOOL CALLBACK CollectRadio(HWND h, LPARAM l)
{
    wchar_t cls[32] = {};
    ::GetClassNameW(h, cls, 32);
    const LONG type = ::GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK;
    if (::lstrcmpiW(cls, L"Button") == 0 && ::IsWindowVisible(h) &&
        (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON))
        reinterpret_cast<ButtonSearch*>(l)->radios.push_back(h);
    return TRUE;
}

// The radio buttons of a window and its pages, in creation order.
std::vector<HWND> RadiosOf(HWND wnd)
{
    ButtonSearch s;
    ::EnumChildWindows(wnd, CollectRadio, reinterpret_cast<LPARAM>(&s));
    return s.radios;
}

bool Checked(HWND button)
{
    return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Types letters (as capitals' keys), digits and blanks.
void TypeWords(const char* text)
{
    for (const char* p = text; *p != '\0'; ++p) {
        const char c = *p;
        Key(c == ' ' ? VK_SPACE : static_cast<WORD>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
    }
    Settle();
}

// The page dialog of the set-up dialog that holds control id.
HWND PageWith(HWND dialog, int id)
{
    for (HWND child = ::FindWindowExW(dialog, nullptr, L"#32770", nullptr); child != nullptr;
         child = ::FindWindowExW(dialog, child, L"#32770", nullptr)) {
        if (::GetDlgItem(child, id) != nullptr)
            return child;
    }
    return nullptr;
}

void ClickTab(HWND dialog, int tab)
{
    HWND tabs = ::GetDlgItem(dialog, IDC_PAGESETUP_TAB);
    RECT rc = {};
    ::SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&rc));
    ClickAt(tabs, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

std::wstring WindowText(HWND wnd)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(wnd, text, 256);
    return text;
}

// Runs PRTPageSetup on this thread while `user` works the dialog on another.
struct DialogRun {
    LONG answer = -999;
    std::vector<std::string> problems;   // what the user's side could not do
};

DialogRun RunDialog(IDispatch* ctl, const std::function<void(HWND, std::vector<std::string>&)>& user)
{
    DialogRun run;
    std::thread worker([&] {
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = FindDialog()) != nullptr && ::IsWindowVisible(dialog); })) {
            run.problems.push_back("the dialog did not appear");
            return;
        }
        Settle();
        user(dialog, run.problems);
        // Whatever happened, the dialog must go so that the call returns.
        if (!WaitFor([] { return FindDialog() == nullptr; }, 5000)) {
            run.problems.push_back("the dialog stayed open");
            ::PostMessageW(FindDialog(), WM_COMMAND, IDCANCEL, 0);
        }
    });
    run.answer = CallLong(ctl, kPRTPageSetup);
    worker.join();
    return run;
}

bool GetUserPaper(IDispatch* ctl, LONG& width, LONG& length)
{
    width = length = -1;
    VARIANT w, l;
    ::VariantInit(&w);
    ::VariantInit(&l);
    w.vt = VT_BYREF | VT_I4;
    w.plVal = &width;
    l.vt = VT_BYREF | VT_I4;
    l.plVal = &length;
    VARIANT result;
    ::VariantInit(&result);
    const HRESULT hr = Invoke(ctl, kPRTGetUserPaper, {w, l}, &result);
    ::VariantClear(&result);
    return SUCCEEDED(hr);
}

class PrintCupsPageSetup : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CupsRun())
            GTEST_SKIP() << "runs under print_cups.sh";
        ASSERT_NO_FATAL_FAILURE(ax.Start());
        ASSERT_NO_FATAL_FAILURE(ax.Place(0, 0, 500, 400));
        ASSERT_EQ(ax.control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
    }
    void TearDown() override
    {
        if (ctl != nullptr)
            ctl->Release();
    }

    AxHost ax;
    IDispatch* ctl = nullptr;
};

}  // namespace

TEST_F(PrintCupsPageSetup, CustomLandscapePaperAndMarginAreStoredOnOk)
{
    // "自定义纸张", 1500 x 2000 typed, "横向"; the left margin typed as 2.3.
    DialogRun run = RunDialog(ctl, [](HWND dialog, std::vector<std::string>& problems) {
        HWND printer = PageWith(dialog, IDC_PS_PRINTER);
        if (printer == nullptr) {
            problems.push_back("no printer page");
            return;
        }
        HWND paper = ::GetDlgItem(printer, IDC_PS_PAPER);
        Click(paper);              // opens the list
        Key(VK_END);
        Key(VK_RETURN);
        Settle();
        HWND width = ::GetDlgItem(printer, IDC_PS_WIDTH);
        if ((::GetWindowLongW(width, GWL_STYLE) & ES_READONLY) != 0)
            problems.push_back("the custom width stayed read-only");
        Retype(width, "1500");
        Retype(::GetDlgItem(printer, IDC_PS_HEIGHT), "2000");
        Click(::GetDlgItem(printer, IDC_PS_LANDSCAPE));
        ClickTab(dialog, 2);
        HWND margins = PageWith(dialog, IDC_MG_HORZ);
        if (margins == nullptr || !::IsWindowVisible(margins)) {
            problems.push_back("the margins page did not show");
            return;
        }
        Retype(::GetDlgItem(margins, IDC_MG_FIRST_EDIT + CPageSetupMarginsPage::Left), "2.3");
        Click(::GetDlgItem(dialog, IDOK));
    });
    EXPECT_TRUE(run.problems.empty()) << run.problems[0];
    EXPECT_EQ(-1, run.answer);
    EXPECT_EQ(256, CallLong(ctl, kPRTGetPaper));
    EXPECT_EQ(2, CallLong(ctl, kPRTGetOrientation));
    LONG width = 0, length = 0;
    ASSERT_TRUE(GetUserPaper(ctl, width, length));
    EXPECT_EQ(2000, width);
    EXPECT_EQ(1500, length);

    // Opened again: the margin reads 2.3 and the paper the custom entry;
    // Esc leaves.
    std::wstring margin, paperName;
    run = RunDialog(ctl, [&](HWND dialog, std::vector<std::string>& problems) {
        HWND margins = PageWith(dialog, IDC_MG_HORZ);
        HWND printer = PageWith(dialog, IDC_PS_PRINTER);
        if (margins == nullptr || printer == nullptr) {
            problems.push_back("pages missing");
            return;
        }
        margin = WindowText(::GetDlgItem(margins, IDC_MG_FIRST_EDIT + CPageSetupMarginsPage::Left));
        paperName = WindowText(::GetDlgItem(printer, IDC_PS_PAPER));
        Key(VK_ESCAPE);
    });
    EXPECT_TRUE(run.problems.empty()) << run.problems[0];
    EXPECT_EQ(0, run.answer);
    EXPECT_EQ(L"2.3", margin);
    EXPECT_EQ(L"\x81ea\x5b9a\x4e49\x7eb8\x5f20", paperName);   // "自定义纸张"
}

TEST_F(PrintCupsPageSetup, CancelChangesNothingAndNoCopiesKeepTheDialogOpen)
{
    EXPECT_EQ(-1, CallLong(ctl, kPRTSetOrientation, {Short(2)}));
    EXPECT_EQ(-1, CallLong(ctl, kPRTSetHeaderCenter, {Text(L"HEAD")}));

    // Portrait, a header field and another margin, then Cancel.
    DialogRun run = RunDialog(ctl, [](HWND dialog, std::vector<std::string>& problems) {
        HWND printer = PageWith(dialog, IDC_PS_PRINTER);
        if (printer == nullptr) {
            problems.push_back("no printer page");
            return;
        }
        Click(::GetDlgItem(printer, IDC_PS_PORTRAIT));
        ClickTab(dialog, 1);
        HWND hf = PageWith(dialog, IDC_HF_PAGE);
        if (hf == nullptr) {
            problems.push_back("no header page");
            return;
        }
        Click(::GetDlgItem(hf, IDC_HF_FIRST_EDIT + 1));
        Click(::GetDlgItem(hf, IDC_HF_PAGE));
        if (WindowText(::GetDlgItem(hf, IDC_HF_FIRST_EDIT + 1)).find(L"&[") == std::wstring::npos)
            problems.push_back("the page field was not inserted");
        Click(::GetDlgItem(dialog, IDCANCEL));
    });
    EXPECT_TRUE(run.problems.empty()) << run.problems[0];
    EXPECT_EQ(0, run.answer);
    EXPECT_EQ(2, CallLong(ctl, kPRTGetOrientation));
    EXPECT_EQ(L"HEAD", CallText(ctl, kPRTGetHeaderCenter));

    // Copies of 0: OK is refused with a message, the dialog stays; Esc.
    bool stayed = false, told = false;
    run = RunDialog(ctl, [&](HWND dialog, std::vector<std::string>& problems) {
        HWND printer = PageWith(dialog, IDC_PS_PRINTER);
        if (printer == nullptr) {
            problems.push_back("no printer page");
            return;
        }
        Retype(::GetDlgItem(printer, IDC_PS_COPIES), "0");
        Click(::GetDlgItem(dialog, IDOK));
        HWND box = nullptr;
        told = WaitFor([&] { return (box = FindMessageBox()) != nullptr; }, 5000);
        if (told)
            Key(VK_RETURN);
        WaitFor([] { return FindMessageBox() == nullptr; }, 5000);
        Settle();
        stayed = ::IsWindow(dialog) && ::IsWindowVisible(dialog);
        Key(VK_ESCAPE);
    });
    EXPECT_TRUE(run.problems.empty()) << run.problems[0];
    EXPECT_TRUE(told);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(0, run.answer);
    EXPECT_EQ(2, CallLong(ctl, kPRTGetOrientation));
}

TEST_F(PrintCupsPageSetup, PrinterPropertiesOpensTheDriversDialogAndTakesOnlyWhatItConfirms)
{
    EXPECT_EQ(-1, CallLong(ctl, kPRTSetOrientation, {Short(1)}));

    // The driver's own dialog opens over the set-up dialog; Esc there leaves
    // the page as it was, and the set-up dialog's OK stores it unchanged.
    bool opened = false, portraitKept = false;
    std::wstring paperBefore, paperAfter;
    DialogRun run = RunDialog(ctl, [&](HWND dialog, std::vector<std::string>& problems) {
        HWND printer = PageWith(dialog, IDC_PS_PRINTER);
        if (printer == nullptr) {
            problems.push_back("no printer page");
            return;
        }
        paperBefore = WindowText(::GetDlgItem(printer, IDC_PS_PAPER));
        Click(::GetDlgItem(printer, IDC_PS_PROPERTIES));
        HWND driver = nullptr;
        opened = WaitFor([&] { return (driver = OwnedBy(dialog)) != nullptr; }, 10000);
        if (!opened)
            return;
        Settle();
        Key(VK_ESCAPE);
        if (!WaitFor([&] { return !::IsWindow(driver) || !::IsWindowVisible(driver); }, 5000))
            problems.push_back("the driver's dialog stayed open");
        Settle();
        portraitKept = Checked(::GetDlgItem(printer, IDC_PS_PORTRAIT));
        paperAfter = WindowText(::GetDlgItem(printer, IDC_PS_PAPER));
        Click(::GetDlgItem(dialog, IDOK));
    });
    EXPECT_TRUE(run.problems.empty()) << run.problems[0];
    EXPECT_TRUE(opened);
    EXPECT_TRUE(portraitKept);
    EXPECT_EQ(paperBefore, paperAfter);
    EXPECT_EQ(-1, run.answer);
    EXPECT_EQ(1, CallLong(ctl, kPRTGetOrientation));
    EXPECT_EQ(1, CallLong(ctl, kPRTGetCopies));     // the page's one copy, stored by OK

    // Landscape chosen in the driver's dialog and confirmed: the page shows
    // it, and OK stores it.
    bool landscapeShown = false;
    run = RunDialog(ctl, [&](HWND dialog, std::vector<std::string>& problems) {
        HWND printer = PageWith(dialog, IDC_PS_PRINTER);
        if (printer == nullptr) {
            problems.push_back("no printer page");
            return;
        }
        Click(::GetDlgItem(printer, IDC_PS_PROPERTIES));
        HWND driver = nullptr;
        if (!WaitFor([&] { return (driver = OwnedBy(dialog)) != nullptr; }, 10000)) {
            problems.push_back("the driver's dialog did not open");
            return;
        }
        Settle();
        // The orientation pair: the checked portrait button and the
        // landscape button after it.
        const std::vector<HWND> radios = RadiosOf(driver);
        HWND landscape = nullptr;
        for (size_t i = 0; i + 1 < radios.size() && landscape == nullptr; ++i) {
            if (Checked(radios[i]) && !Checked(radios[i + 1]))
                landscape = radios[i + 1];
        }
        if (landscape == nullptr) {
            problems.push_back("no orientation buttons in the driver's dialog");
            Key(VK_ESCAPE);
            return;
        }
        Click(landscape);
        Key(VK_RETURN);
        if (!WaitFor([&] { return !::IsWindow(driver) || !::IsWindowVisible(driver); }, 5000))
            problems.push_back("the driver's dialog stayed open");
        Settle();
        landscapeShown = Checked(::GetDlgItem(printer, IDC_PS_LANDSCAPE));
        Click(::GetDlgItem(dialog, IDOK));
    });
    EXPECT_TRUE(run.problems.empty()) << run.problems[0];
    EXPECT_TRUE(landscapeShown);
    EXPECT_EQ(-1, run.answer);
    EXPECT_EQ(2, CallLong(ctl, kPRTGetOrientation));
}

TEST_F(PrintCupsPageSetup, HeaderFontChosenInTheFontDialogIsStoredAndPrinted)
{
    EXPECT_EQ(-1, CallLong(ctl, kPRTSetHeaderCenter, {Text(L"FONTHEAD")}));
    CallLong(ctl, kCellSetValue, {Long(1), Long(1), Text(L"BODY")});

    // The header centre's edit, the font button, "DejaVu Serif" typed into
    // the font dialog's face box, OK twice.
    bool fontDialog = false;
    DialogRun run = RunDialog(ctl, [&](HWND dialog, std::vector<std::string>& problems) {
        ClickTab(dialog, 1);
        HWND hf = PageWith(dialog, IDC_HF_FONT);
        if (hf == nullptr || !::IsWindowVisible(hf)) {
            problems.push_back("no header page");
            return;
        }
        Click(::GetDlgItem(hf, IDC_HF_FIRST_EDIT + 1));
        Click(::GetDlgItem(hf, IDC_HF_FONT));
        HWND fonts = nullptr;
        fontDialog = WaitFor([&] { return (fonts = OwnedBy(dialog)) != nullptr; }, 10000);
        if (!fontDialog)
            return;
        Settle();
        HWND face = ::GetDlgItem(fonts, 0x470);   // the face name box
        HWND faceEdit = face != nullptr ? ::FindWindowExW(face, nullptr, L"Edit", nullptr) : nullptr;
        if (faceEdit == nullptr) {
            problems.push_back("no face box in the font dialog");
            Key(VK_ESCAPE);
            return;
        }
        Click(faceEdit);
        Key(VK_END);
        for (int i = 0; i < 40; ++i)
            Key(VK_BACK);
        TypeWords("DejaVu Serif");
        Key(VK_RETURN);
        if (!WaitFor([&] { return !::IsWindow(fonts) || !::IsWindowVisible(fonts); }, 5000)) {
            problems.push_back("the font dialog stayed open");
            return;
        }
        Settle();
        Click(::GetDlgItem(dialog, IDOK));
    });
    EXPECT_TRUE(run.problems.empty()) << run.problems[0];
    EXPECT_TRUE(fontDialog);
    EXPECT_EQ(-1, run.answer);
    const std::wstring font = CallText(ctl, kPRTGetHeaderFont, {Short(2)});
    EXPECT_NE(std::wstring::npos, font.find(L"DejaVu Serif")) << std::string(font.begin(), font.end());

    // Printed: the header's text is there, in that font.
    const std::string dir = "/tmp/kivo_pagesetup_wine_" + std::to_string(::GetTickCount());
    ::CreateDirectoryA(("Z:" + dir).c_str(), nullptr);
    const std::string docName = "kivofont" + std::to_string(::GetTickCount());
    const std::wstring templatePath = WinePath((dir + "/" + docName + ".kvx").c_str());
    EXPECT_EQ(1, CallLong(ctl, kGridSaveFile, {Text(templatePath.c_str()), Text(L"")}));
    const std::vector<std::string> before = pdfreadback::PdfFiles();
    EXPECT_EQ(-1, CallLong(ctl, kPRTPrint));
    const std::string pdf = pdfreadback::WaitForPdf(before);
    ASSERT_FALSE(pdf.empty()) << "no new PDF in " << pdfreadback::PdfDir();
    const std::string text = pdfreadback::RunHost(dir, "pdftotext -enc UTF-8 '" + pdf + "' -");
    EXPECT_NE(std::string::npos, text.find("FONTHEAD")) << text;
    const std::string fontsUsed = pdfreadback::RunHost(dir, "pdffonts '" + pdf + "'");
    EXPECT_NE(std::string::npos, fontsUsed.find("DejaVuSerif")) << fontsUsed;
}
