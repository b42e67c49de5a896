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

const DISPID kPRTPageSetup = 277;
const DISPID kPRTGetPaper = 284;
const DISPID kPRTSetOrientation = 285;
const DISPID kPRTGetOrientation = 286;
const DISPID kPRTSetHeaderCenter = 299;
const DISPID kPRTGetHeaderCenter = 300;
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

std::wstring CallText(IDispatch* target, DISPID id)
{
    VARIANT result;
    ::VariantInit(&result);
    std::wstring text = L"<failed>";
    if (SUCCEEDED(Invoke(target, id, {}, &result)) && result.vt == VT_BSTR)
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
