// The print preview on screen: a container opens it on a sheet of several
// pages (print_cups.sh's PDF printer is the printer; the suite's own run
// skips these tests) and works it with real clicks and keys. The pages are
// checked by reading the view's pixels back: white paper with a black frame
// on the grey background; the bar (a dialog of the library) greys its
// buttons by mode; a title moves the
// bar 20 pixels down; Esc closes the pop-up preview and the container hears
// GridFinishPreview once.
#include "ContainerHost.h"
#include "PdfReadBack.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace comtest;

namespace {

const DISPID kCellSetValue = 5;
const DISPID kRowSetCount = 52;
const DISPID kColumnSetCount = 56;
const DISPID kRowSetHeight = 60;
const DISPID kPRTPreview = 276;
const DISPID kPRTSetPreviewWndTitle = 342;
const DISPID kPRTPopupPreview = 384;
const DISPID kPRTCloseView = 403;
const DISPID kGridSetDisplayMode = 340;
const DISPID kEventFinishPreview = 23;

LONG Call(IDispatch* target, DISPID id, std::vector<VARIANT> args)
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    VARIANT result;
    ::VariantInit(&result);
    const HRESULT hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result,
                                      nullptr, nullptr);
    for (VARIANT& v : args)
        ::VariantClear(&v);
    LONG value = -999;
    if (SUCCEEDED(hr) && result.vt != VT_EMPTY && SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_I4)))
        value = result.lVal;
    ::VariantClear(&result);
    return SUCCEEDED(hr) ? value : -998;
}

void PumpFor(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    } while (::GetTickCount() - start < ms);
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
    PumpFor(60);
    ::SendInput(2, &input[1], sizeof(INPUT));
    PumpFor(200);
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
    PumpFor(250);
}

// Pumps until the window shows (the preview opens by growing its frame first).
bool WaitVisible(HWND wnd, DWORD ms = 3000)
{
    const DWORD start = ::GetTickCount();
    while (!::IsWindowVisible(wnd)) {
        if (::GetTickCount() - start > ms)
            return false;
        PumpFor(20);
    }
    return true;
}

struct ClassSearch {
    const char* cls;
    HWND found;
};

// A callback of the system's calling convention (a lambda is not one on
// 32-bit Windows).
BOOL CALLBACK MatchClass(HWND h, LPARAM l)
{
    auto* s = reinterpret_cast<ClassSearch*>(l);
    char name[64] = {};
    ::GetClassNameA(h, name, sizeof(name));
    if (std::string(name) == s->cls) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

HWND ChildOfClass(HWND parent, const char* cls)
{
    ClassSearch s = {cls, nullptr};
    ::EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// The window's pixels as the screen shows them.
struct Pixels {
    explicit Pixels(HWND wnd) : wnd(wnd) { PumpFor(300); }
    COLORREF At(int x, int y) const
    {
        HDC dc = ::GetDC(wnd);
        const COLORREF c = ::GetPixel(dc, x, y);
        ::ReleaseDC(wnd, dc);
        return c;
    }
    // How many pixels of a rectangle have the colour.
    int Count(RECT r, COLORREF colour) const
    {
        HDC dc = ::GetDC(wnd);
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += ::GetPixel(dc, x, y) == colour ? 1 : 0;
        ::ReleaseDC(wnd, dc);
        return n;
    }
    // A checksum of a rectangle's pixels.
    unsigned long long Sum(RECT r) const
    {
        HDC dc = ::GetDC(wnd);
        unsigned long long sum = 0;
        for (int y = r.top; y < r.bottom; y += 2)
            for (int x = r.left; x < r.right; x += 2)
                sum = sum * 1099511628211ULL + ::GetPixel(dc, x, y);
        ::ReleaseDC(wnd, dc);
        return sum;
    }
    HWND wnd;
};

// The bar's buttons are the controls of its dialog template.
const int kButtonPrev = 236;
const int kButtonOne = 231;
const int kButtonAll = 235;

// A button's rectangle in the bar's client area.
RECT BarButton(HWND bar, int id)
{
    RECT r = {};
    HWND button = ::GetDlgItem(bar, id);
    if (button != nullptr) {
        ::GetWindowRect(button, &r);
        ::MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

POINT Centre(RECT r)
{
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class PrintCupsPreview : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!pdfreadback::CupsRun())
            GTEST_SKIP() << "runs under print_cups.sh";
        ASSERT_NO_FATAL_FAILURE(ax.Start());
        ASSERT_NO_FATAL_FAILURE(ax.Place(0, 0, 500, 400));
        ASSERT_EQ(ax.control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
        // 60 rows of 60 pixels: several A4 pages, each row's text its number.
        Call(ctl, kRowSetCount, {Long(61)});
        Call(ctl, kColumnSetCount, {Long(3)});
        for (LONG r = 1; r <= 60; ++r) {
            Call(ctl, kRowSetHeight, {Long(r), Long(60)});
            Call(ctl, kCellSetValue, {Long(r), Long(1), Text((L"ROW" + std::to_wstring(r)).c_str())});
        }
    }
    void TearDown() override
    {
        if (ctl != nullptr) {
            Call(ctl, kPRTCloseView, {});
            ctl->Release();
        }
    }

    AxHost ax;
    IDispatch* ctl = nullptr;
};

}  // namespace

TEST_F(PrintCupsPreview, PopupShowsWhitePagesTurnsThemAndClosesOnEsc)
{
    IConnectionPoint* cp = nullptr;
    ASSERT_NO_FATAL_FAILURE(FindEventPoint(ax.control, &cp));
    RecordingSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);

    ASSERT_EQ(1, Call(ctl, kPRTPopupPreview, {}));
    HWND host = ::FindWindowA("KivoPreviewHost", nullptr);
    ASSERT_NE(nullptr, host);
    EXPECT_TRUE(::IsWindowVisible(host));
    HWND view = ChildOfClass(host, "KivoViewCtrl");
    HWND bar = ChildOfClass(host, "KivoPreviewBar");
    ASSERT_NE(nullptr, view);
    ASSERT_NE(nullptr, bar);
    ASSERT_TRUE(WaitVisible(view));
    ASSERT_TRUE(WaitVisible(bar));
    ::SetForegroundWindow(host);
    PumpFor(200);

    // One page from (10, 10): white paper, a black frame, grey around it.
    Pixels viewPixels(view);
    EXPECT_EQ(RGB(255, 255, 255), viewPixels.At(60, 200));
    EXPECT_EQ(RGB(0, 0, 0), viewPixels.At(10, 200));
    EXPECT_EQ(RGB(128, 128, 128), viewPixels.At(5, 200));
    const RECT page = {11, 11, 400, 600};
    const unsigned long long first = viewPixels.Sum(page);

    // The keyboard pages: PageDown shows another page, PageUp the first again.
    ClickAt(view, POINT{200, 300});
    Key(VK_NEXT);
    EXPECT_NE(first, Pixels(view).Sum(page));
    Key(VK_PRIOR);
    EXPECT_EQ(first, Pixels(view).Sum(page));

    // The bar is dialog 221 of the library: its eight buttons are the
    // template's. "上页" reads black in one-page mode, grey after "全部",
    // black again after "单页".
    EXPECT_EQ(221, ::GetDlgCtrlID(bar));
    const int ids[] = {233, 236, 237, 231, 234, 235, 238, 239};
    for (int id : ids)
        EXPECT_NE(nullptr, ::GetDlgItem(bar, id)) << id;
    HWND prev = ::GetDlgItem(bar, kButtonPrev);
    RECT prevText = BarButton(bar, kButtonPrev);
    ::InflateRect(&prevText, -3, -3);
    ASSERT_GT(prevText.right, prevText.left);
    EXPECT_TRUE(::IsWindowEnabled(prev));
    EXPECT_GT(Pixels(bar).Count(prevText, RGB(0, 0, 0)), 0);
    ClickAt(bar, Centre(BarButton(bar, kButtonAll)));
    EXPECT_FALSE(::IsWindowEnabled(prev));
    EXPECT_EQ(0, Pixels(bar).Count(prevText, RGB(0, 0, 0)));
    ClickAt(bar, Centre(BarButton(bar, kButtonOne)));
    EXPECT_TRUE(::IsWindowEnabled(prev));
    EXPECT_GT(Pixels(bar).Count(prevText, RGB(0, 0, 0)), 0);

    // Esc in the view closes the pop-up; the container hears it once.
    ClickAt(view, POINT{200, 300});
    Key(VK_ESCAPE);
    PumpFor(500);
    EXPECT_FALSE(::IsWindow(host) && ::IsWindowVisible(host));
    const std::vector<RecordingSink::Fired> finished = sink.Of(kEventFinishPreview);
    ASSERT_EQ(1u, finished.size());
    ASSERT_EQ(1u, finished[0].args.size());
    EXPECT_EQ(1, finished[0].args[0]);
    cp->Unadvise(cookie);
    cp->Release();
}

TEST_F(PrintCupsPreview, InControlPreviewShowsPagesAndATitleMovesTheBar)
{
    struct Case {
        const wchar_t* title;
        int barTop;
        LONG displayMode;     // 1: skinned, the skin's scroll bars and corner square
    } cases[] = {{L"", 0, 0}, {L"\x9884\x89c8 TITLE", 20, 0}, {L"", 0, 1}};   // "预览 TITLE"
    for (const Case& c : cases) {
        Call(ctl, kGridSetDisplayMode, {Long(c.displayMode)});
        Call(ctl, kPRTSetPreviewWndTitle, {Text(c.title)});
        ASSERT_EQ(-1, Call(ctl, kPRTPreview, {}));
        HWND frame = ChildOfClass(ax.host, "KivoPreviewCtrl");
        ASSERT_NE(nullptr, frame);
        HWND bar = ChildOfClass(frame, "KivoPreviewBar");
        HWND view = ChildOfClass(frame, "KivoViewCtrl");
        ASSERT_NE(nullptr, bar);
        ASSERT_NE(nullptr, view);
        ASSERT_TRUE(WaitVisible(view));
        // One A4 page is larger than the frame: both skin bars show, and the
        // skin's corner square fills the corner between them.
        HWND vert = ::GetDlgItem(frame, 1001);
        HWND horz = ::GetDlgItem(frame, 1000);
        EXPECT_EQ(c.displayMode == 1, vert != nullptr && ::IsWindowVisible(vert));
        EXPECT_EQ(c.displayMode == 1, horz != nullptr && ::IsWindowVisible(horz));
        if (c.displayMode == 1) {
            RECT client;
            ::GetClientRect(frame, &client);
            EXPECT_EQ(RGB(233, 238, 245), Pixels(frame).At(client.right - 2, client.bottom - 2));
        }
        RECT barRect;
        ::GetWindowRect(bar, &barRect);
        POINT barTop = {barRect.left, barRect.top};
        ::ScreenToClient(frame, &barTop);
        EXPECT_EQ(c.barTop, barTop.y);
        Pixels pixels(view);
        EXPECT_EQ(RGB(255, 255, 255), pixels.At(60, 100));
        EXPECT_EQ(RGB(0, 0, 0), pixels.At(10, 100));
        EXPECT_EQ(1, Call(ctl, kPRTCloseView, {}));
        PumpFor(300);
        EXPECT_EQ(nullptr, ChildOfClass(ax.host, "KivoPreviewCtrl"));
    }
}

// The preview's own print button prints on the PDF printer and leaves the
// open preview exactly as it was: the same pixels on its page afterwards.
TEST_F(PrintCupsPreview, PrintingFromTheOpenPreviewLeavesItsPageAsItWas)
{
    ASSERT_EQ(-1, Call(ctl, kPRTPreview, {}));
    HWND frame = ChildOfClass(ax.host, "KivoPreviewCtrl");
    ASSERT_NE(nullptr, frame);
    HWND view = ChildOfClass(frame, "KivoViewCtrl");
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(WaitVisible(view));
    const RECT page = {11, 11, 400, 600};
    const unsigned long long before = Pixels(view).Sum(page);

    const std::vector<std::string> pdfs = pdfreadback::PdfFiles();
    // What the bar's "打印" sends the frame, which passes it on to the grid.
    EXPECT_NE(0, ::SendMessageA(frame, 1059, 0, 0));
    const std::string pdf = pdfreadback::WaitForPdf(pdfs);
    EXPECT_FALSE(pdf.empty()) << "printing from the preview made no PDF";
    if (!pdf.empty())
        ::DeleteFileA(("Z:" + pdf).c_str());
    ASSERT_TRUE(::IsWindow(view));
    ::InvalidateRect(view, nullptr, TRUE);
    ::UpdateWindow(view);
    EXPECT_EQ(before, Pixels(view).Sum(page));
}
