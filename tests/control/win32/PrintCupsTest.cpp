// Printing on a real printer: print_cups.sh starts a CUPS scheduler with a
// PDF printer and runs these tests with KIVO_CUPS_PDF set (in the suite's own
// run they are skipped). A sheet in the platform's ActiveX host prints with
// repeated title rows and columns, a page-number header and custom landscape
// paper; the PDF is read back with pdfinfo, pdftotext and pdftoppm, and the
// container's event sink hears GridBeginPrint before GridFinishPrint. A
// script host sets and reads back every printing setting, then prints.
#include "ContainerHost.h"
#include "PdfReadBack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>
#include <string>
#include <vector>

using namespace comtest;
using namespace pdfreadback;

namespace {

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
    if (SUCCEEDED(hr) && SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_I4)))
        value = result.lVal;
    ::VariantClear(&result);
    return value;
}

const DISPID kCellSetValue = 5;
const DISPID kRowSetCount = 52;
const DISPID kRowSetFixedCount = 54;
const DISPID kColumnSetCount = 56;
const DISPID kColumnSetFixedCount = 58;
const DISPID kRowSetHeight = 60;
const DISPID kColumnSetWidth = 62;
const DISPID kGridSaveFile = 140;
const DISPID kCellSetBorder = 145;
const DISPID kPRTPrint = 275;
const DISPID kPRTSetOrientation = 285;
const DISPID kPRTSetPrintFixedCol = 291;
const DISPID kPRTSetPrintFixedRow = 293;
const DISPID kPRTSetHeaderCenter = 299;
const DISPID kPRTSetFooterRight = 307;
const DISPID kPRTSetUserPaper = 482;
const DISPID kPRTSetRepeatRange = 483;
const DISPID kEventBeginPrint = 21;
const DISPID kEventFinishPrint = 24;

class EventSink : public RecordingSink {};

}  // namespace

TEST(PrintCups, ContainerPrintsTitledPagesAsPdf)
{
    if (!CupsRun())
        GTEST_SKIP() << "runs under print_cups.sh";
    AxHost ax;
    ASSERT_NO_FATAL_FAILURE(ax.Start());
    ASSERT_NO_FATAL_FAILURE(ax.Place(0, 0, 500, 400));
    IDispatch* ctl = nullptr;
    ASSERT_EQ(ax.control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
    IConnectionPoint* cp = nullptr;
    ASSERT_NO_FATAL_FAILURE(FindEventPoint(ax.control, &cp));
    EventSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);

    // Rows 1..7 under one fixed row, columns 1..5 beside one fixed column;
    // row 1 and column 1 are the titles. On 200 x 150 mm paper with 20 mm
    // margins the rows fall on pages 1-3, 4-5, 6-7 and the columns on 1-3,
    // 4-5: six pages, across before down.
    Call(ctl, kRowSetFixedCount, {Long(1)});
    Call(ctl, kColumnSetFixedCount, {Long(1)});
    Call(ctl, kRowSetCount, {Long(8)});
    Call(ctl, kColumnSetCount, {Long(6)});
    Call(ctl, kRowSetHeight, {Long(1), Long(50)});
    for (LONG r = 2; r <= 7; ++r)
        Call(ctl, kRowSetHeight, {Long(r), Long(150)});
    Call(ctl, kColumnSetWidth, {Long(1), Long(100)});
    for (LONG c = 2; c <= 5; ++c)
        Call(ctl, kColumnSetWidth, {Long(c), Long(200)});
    Call(ctl, kCellSetValue, {Long(1), Long(1), Text(L"CORNER")});
    for (LONG c = 2; c <= 5; ++c)
        Call(ctl, kCellSetValue, {Long(1), Long(c), Text((L"TOPC" + std::to_wstring(c)).c_str())});
    for (LONG r = 2; r <= 7; ++r) {
        Call(ctl, kCellSetValue, {Long(r), Long(1), Text((L"LEFTR" + std::to_wstring(r)).c_str())});
        for (LONG c = 2; c <= 5; ++c)
            Call(ctl, kCellSetValue,
                 {Long(r), Long(c), Text((L"B" + std::to_wstring(r) + L"x" + std::to_wstring(c)).c_str())});
    }
    Call(ctl, kCellSetValue, {Long(2), Long(2), Text(L"\x4e2d\x6587\x8868\x683c")});   // "中文表格"
    // A framed cell: 3-pixel black lines on every side.
    EXPECT_EQ(-1, Call(ctl, kCellSetBorder, {Long(3), Long(3), Long(15), Long(0), Long(0), Long(3)}));
    EXPECT_EQ(-1, Call(ctl, kPRTSetPrintFixedRow, {Short(0)}));
    EXPECT_EQ(-1, Call(ctl, kPRTSetPrintFixedCol, {Short(0)}));
    EXPECT_EQ(1, Call(ctl, kPRTSetRepeatRange, {Text(L"1"), Long(1)}));
    EXPECT_EQ(1, Call(ctl, kPRTSetRepeatRange, {Text(L"1"), Long(4)}));
    // "第&[页码]页 共&[总页数]页"
    EXPECT_EQ(-1, Call(ctl, kPRTSetHeaderCenter,
                       {Text(L"\x7b2c&[\x9875\x7801]\x9875 \x5171&[\x603b\x9875\x6570]\x9875")}));
    EXPECT_EQ(-1, Call(ctl, kPRTSetFooterRight, {Text(L"FOOT&[\x9875\x7801]")}));
    EXPECT_EQ(-1, Call(ctl, kPRTSetOrientation, {Short(2)}));
    EXPECT_EQ(1, Call(ctl, kPRTSetUserPaper, {Long(2000), Long(1500)}));

    // A template file of its own (and a folder for the readers' output).
    const std::string dir = "/tmp/kivo_print_wine_" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(("Z:" + dir).c_str(), nullptr);
    const std::string docName = "kivoprint" + std::to_string(::GetTickCount());
    const std::wstring templatePath = WinePath((dir + "/" + docName + ".kvx").c_str());
    EXPECT_EQ(1, Call(ctl, kGridSaveFile, {Text(templatePath.c_str()), Text(L"")}));

    const std::vector<std::string> before = PdfFiles();
    EXPECT_EQ(-1, Call(ctl, kPRTPrint, {}));
    const std::vector<RecordingSink::Fired> begins = sink.Of(kEventBeginPrint);
    const std::vector<RecordingSink::Fired> finishes = sink.Of(kEventFinishPrint);
    EXPECT_EQ(1u, begins.size());
    EXPECT_EQ(1u, finishes.size());
    std::vector<DISPID> order;
    for (const auto& e : sink.fired)
        if (e.id == kEventBeginPrint || e.id == kEventFinishPrint)
            order.push_back(e.id);
    EXPECT_EQ((std::vector<DISPID>{kEventBeginPrint, kEventFinishPrint}), order);
    cp->Unadvise(cookie);
    cp->Release();
    ctl->Release();

    const std::string pdf = WaitForPdf(before);
    ASSERT_FALSE(pdf.empty()) << "no new PDF in " << PdfDir();
    const std::string info = RunHost(dir, "pdfinfo '" + pdf + "'");
    // The value after a "Name:" line's blanks.
    auto field = [&](const char* name) {
        const size_t at = info.find(name);
        if (at == std::string::npos)
            return std::string();
        const size_t start = info.find_first_not_of(' ', at + std::strlen(name));
        const size_t end = info.find('\n', start);
        return info.substr(start, end == std::string::npos ? std::string::npos : end - start);
    };
    EXPECT_EQ("6", field("Pages:")) << info;
    // Landscape: the page is turned (Wine's PostScript driver takes the
    // nearest paper it knows for a custom size, so only the turn is checked).
    const std::string size = field("Page size:");
    const std::string rotation = field("Page rot:");
    double w = 0, h = 0;
    std::sscanf(size.c_str(), "%lf x %lf", &w, &h);
    EXPECT_TRUE((w > h && rotation == "0") || (w < h && rotation == "90")) << info;
    struct PageText {
        int page;
        std::vector<std::string> has;
    } pages[] = {
        {1, {"CORNER", "TOPC2", "TOPC3", "LEFTR2", "B3x3", "\xe7\xac\xac" "1\xe9\xa1\xb5 \xe5\x85\xb1" "6\xe9\xa1\xb5",
             "\xe4\xb8\xad\xe6\x96\x87\xe8\xa1\xa8\xe6\xa0\xbc", "FOOT1"}},
        {2, {"CORNER", "TOPC4", "LEFTR3", "B2x5", "\xe7\xac\xac" "2\xe9\xa1\xb5 \xe5\x85\xb1" "6\xe9\xa1\xb5"}},
        {3, {"CORNER", "TOPC2", "LEFTR4", "B5x3"}},
        {6, {"CORNER", "TOPC5", "LEFTR7", "B7x5", "FOOT6"}},
    };
    for (const PageText& p : pages) {
        const std::string n = std::to_string(p.page);
        const std::string text = RunHost(dir, "pdftotext -enc UTF-8 -f " + n + " -l " + n + " '" + pdf + "' -");
        for (const std::string& want : p.has)
            EXPECT_NE(std::string::npos, text.find(want)) << "page " << p.page << " lacks " << want << ":\n" << text;
    }
    // Page 2 shows no row below its last body row (B3x2 belongs to page 1).
    const std::string page2 = RunHost(dir, "pdftotext -enc UTF-8 -f 2 -l 2 '" + pdf + "' -");
    EXPECT_EQ(std::string::npos, page2.find("B4x4")) << page2;

    // The framed cell of page 1 shows its lines: rendered in grey at 72 dpi,
    // some pixel row holds a long run of dark pixels (the top or bottom
    // line, 200 screen pixels wide: 150 points).
    RunHost(dir, "pdftoppm -gray -r 72 -f 1 -l 1 '" + pdf + "' " + dir + "/page");
    std::string pgm = ReadAll("Z:" + dir + "/page-1.pgm");
    if (pgm.empty())
        pgm = ReadAll("Z:" + dir + "/page-01.pgm");
    ASSERT_GT(pgm.size(), 20u);
    std::istringstream head(pgm);
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    head >> magic >> width >> height >> maxValue;
    ASSERT_EQ("P5", magic);
    const size_t start = pgm.size() - static_cast<size_t>(width) * static_cast<size_t>(height);
    int longest = 0;
    for (int y = 0; y < height; ++y) {
        int run = 0;
        for (int x = 0; x < width; ++x) {
            const unsigned char v = static_cast<unsigned char>(pgm[start + static_cast<size_t>(y) * width + x]);
            run = v < 96 ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    EXPECT_GE(longest, 140) << "no long dark line in the rendered page";
    EXPECT_LT(longest, width - 10);

    ::DeleteFileA(("Z:" + pdf).c_str());
    for (const std::string& name : {docName + ".kvx", std::string("host_out.txt"), std::string("page-1.pgm"),
                                    std::string("page-01.pgm")})
        ::DeleteFileA(("Z:" + dir + "/" + name).c_str());
    ::RemoveDirectoryA(("Z:" + dir).c_str());
}

TEST(PrintCups, VbscriptSetsEverySettingAndPrints)
{
    if (!CupsRun())
        GTEST_SKIP() << "runs under print_cups.sh";
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    const std::vector<std::string> before = PdfFiles();
    std::string output;
    const int code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("print.vbs") + L"\"", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("print ok"), std::string::npos) << output;
    const std::string pdf = WaitForPdf(before);
    EXPECT_FALSE(pdf.empty()) << "the script's job made no PDF";
    if (!pdf.empty())
        ::DeleteFileA(("Z:" + pdf).c_str());
}

namespace {

// A page rendered to grey by pdftoppm (P5).
struct GreyPage {
    int width = 0;
    int height = 0;
    std::string pixels;
    bool Dark(int x, int y) const
    {
        return static_cast<unsigned char>(pixels[static_cast<size_t>(y) * width + x]) < 96;
    }
};

GreyPage RenderPage(const std::string& dir, const std::string& pdf, int nPage, const std::string& stem, int nDpi)
{
    const std::string n = std::to_string(nPage);
    RunHost(dir, "pdftoppm -gray -r " + std::to_string(nDpi) + " -f " + n + " -l " + n + " '" + pdf + "' " + dir + "/" + stem);
    GreyPage page;
    std::string pgm;
    for (const std::string& suffix : {"-" + n, "-0" + n, "-00" + n}) {
        pgm = ReadAll("Z:" + dir + "/" + stem + suffix + ".pgm");
        ::DeleteFileA(("Z:" + dir + "/" + stem + suffix + ".pgm").c_str());
        if (!pgm.empty())
            break;
    }
    std::istringstream head(pgm);
    std::string magic;
    int maxValue = 0;
    head >> magic >> page.width >> page.height >> maxValue;
    if (magic != "P5" || page.width <= 0 || page.height <= 0 ||
        pgm.size() < static_cast<size_t>(page.width) * static_cast<size_t>(page.height))
        return GreyPage();
    page.pixels = pgm.substr(pgm.size() - static_cast<size_t>(page.width) * static_cast<size_t>(page.height));
    return page;
}

// The lines of a rendered page that run at least nMinRun dark pixels along
// one axis: neighbouring pixel rows (or columns) of such runs are one line.
int CountLines(const GreyPage& page, bool horizontal, int nMinRun)
{
    const int outer = horizontal ? page.height : page.width;
    const int inner = horizontal ? page.width : page.height;
    int lines = 0;
    bool previous = false;
    for (int a = 0; a < outer; ++a) {
        int run = 0, longest = 0;
        for (int b = 0; b < inner; ++b) {
            const bool dark = horizontal ? page.Dark(b, a) : page.Dark(a, b);
            run = dark ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        const bool line = longest >= nMinRun;
        if (line && !previous)
            ++lines;
        previous = line;
    }
    return lines;
}

}  // namespace

// A script's control has no window: its sheet of 5 x 4 framed cells prints
// with every border. The block is 360 x 150 points (720 x 300 pixels at 144
// dpi, where a line of width 2 is a whole dark pixel wide): six horizontal
// lines across it and five vertical ones down it.
TEST(PrintCups, WindowlessScriptPrintsCellBorders)
{
    if (!CupsRun())
        GTEST_SKIP() << "runs under print_cups.sh";
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    const std::vector<std::string> before = PdfFiles();
    std::string output;
    const int code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("printborders.vbs") + L"\"", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("print ok"), std::string::npos) << output;
    const std::string pdf = WaitForPdf(before);
    ASSERT_FALSE(pdf.empty()) << "the script's job made no PDF";
    const std::string dir = "/tmp/kivo_borders_wine_" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(("Z:" + dir).c_str(), nullptr);
    const GreyPage page = RenderPage(dir, pdf, 1, "borders", 144);
    ASSERT_GT(page.width, 0) << "page 1 was not rendered";
    EXPECT_EQ(6, CountLines(page, true, 600));
    EXPECT_EQ(5, CountLines(page, false, 240));
    ::DeleteFileA(("Z:" + pdf).c_str());
    ::DeleteFileA(("Z:" + dir + "/host_out.txt").c_str());
    ::RemoveDirectoryA(("Z:" + dir).c_str());
}

// A script prints a 400-row report (merged title, title rows and column on
// every page, borders, colours, Chinese text) on turned A4 and upright A5:
// the paper has the orientation asked for, every body row is on paper
// exactly once, and every page carries its footer with its number.
TEST(PrintCups, ScriptReportPrintsEveryRowOnceOnTheChosenPaper)
{
    if (!CupsRun())
        GTEST_SKIP() << "runs under print_cups.sh";
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    const std::string dir = "/tmp/kivo_report_wine_" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(("Z:" + dir).c_str(), nullptr);
    struct Case {
        const wchar_t* args;
        bool landscape;
        double shortSide;      // points
    } cases[] = {{L" 2 9", true, 595}, {L" 1 11", false, 420}};
    for (const Case& c : cases) {
        const std::vector<std::string> before = PdfFiles();
        std::string output;
        const int code =
            comtest::Run(L"cscript.exe //nologo \"" + TestFile("report.vbs") + L"\"" + c.args, &output);
        EXPECT_EQ(code, 0) << output;
        EXPECT_NE(output.find("print ok"), std::string::npos) << output;
        const std::string pdf = WaitForPdf(before);
        ASSERT_FALSE(pdf.empty()) << "the report made no PDF";
        const std::string info = RunHost(dir, "pdfinfo '" + pdf + "'");
        auto field = [&](const char* name) {
            const size_t at = info.find(name);
            if (at == std::string::npos)
                return std::string();
            const size_t start = info.find_first_not_of(' ', at + std::strlen(name));
            const size_t end = info.find('\n', start);
            return info.substr(start, end == std::string::npos ? std::string::npos : end - start);
        };
        const int pages = std::atoi(field("Pages:").c_str());
        EXPECT_GE(pages, 4) << info;
        double w = 0, h = 0;
        std::sscanf(field("Page size:").c_str(), "%lf x %lf", &w, &h);
        const std::string rotation = field("Page rot:");
        const bool turned = (w > h && rotation == "0") || (w < h && rotation == "90");
        EXPECT_EQ(c.landscape, turned) << info;
        EXPECT_NEAR(c.shortSide, std::min(w, h), 6) << info;
        const std::string all = RunHost(dir, "pdftotext -enc UTF-8 '" + pdf + "' -");
        for (int row = 1; row <= 400; ++row) {
            char key[16];
            std::snprintf(key, sizeof(key), "R%04d", row);
            size_t count = 0;
            for (size_t at = all.find(key); at != std::string::npos; at = all.find(key, at + 1))
                ++count;
            EXPECT_EQ(1u, count) << key << " in " << pdf;
        }
        for (int page = 1; page <= pages; ++page) {
            const std::string n = std::to_string(page);
            const std::string text = RunHost(dir, "pdftotext -enc UTF-8 -f " + n + " -l " + n + " '" + pdf + "' -");
            // "第N页"
            EXPECT_NE(std::string::npos, text.find("\xe7\xac\xac" + n + "\xe9\xa1\xb5")) << "page " << n << ":\n"
                                                                                            << text;
            // The merged title heads every page.
            EXPECT_NE(std::string::npos, text.find("\xe5\x8d\x8e\xe4\xb8\x9c\xe5\x8c\xba")) << "page " << n;
        }
        // KIVO_KEEP_PDF names a folder that keeps a copy to look at.
        const char* keep = std::getenv("KIVO_KEEP_PDF");
        if (keep != nullptr && *keep != '\0')
            ::CopyFileA(("Z:" + pdf).c_str(),
                        ("Z:" + std::string(keep) + "/report" + (c.landscape ? "-landscape" : "-portrait") + ".pdf")
                            .c_str(),
                        FALSE);
        ::DeleteFileA(("Z:" + pdf).c_str());
    }
    ::DeleteFileA(("Z:" + dir + "/host_out.txt").c_str());
    ::RemoveDirectoryA(("Z:" + dir).c_str());
}

// Without a CUPS scheduler Wine lists no printer: printing shows the
// no-printer message (closed here by a watcher thread) and answers 0, and
// the sink hears nothing of a job.
TEST(PrintNoPrinter, PrintShowsTheMessageAndAnswersZero)
{
    if (CupsRun())
        GTEST_SKIP() << "a printer is installed in this run";
    DWORD needed = 0, count = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed != 0)
        GTEST_SKIP() << "Wine lists a printer";
    AxHost ax;
    ASSERT_NO_FATAL_FAILURE(ax.Start());
    ASSERT_NO_FATAL_FAILURE(ax.Place(0, 0, 400, 300));
    IDispatch* ctl = nullptr;
    ASSERT_EQ(ax.control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
    IConnectionPoint* cp = nullptr;
    ASSERT_NO_FATAL_FAILURE(FindEventPoint(ax.control, &cp));
    EventSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);

    std::atomic<bool> stop(false);
    std::wstring seen;
    std::thread watcher([&]() {
        while (!stop) {
            HWND box = ::FindWindowA("#32770", nullptr);
            if (box != nullptr) {
                // The box may be found before its text is set: read until
                // it shows (or a while has passed), then close it.
                wchar_t text[256] = {0};
                for (int i = 0; i < 40 && text[0] == 0; ++i) {
                    ::GetDlgItemTextW(box, 0xFFFF, text, 255);
                    if (text[0] == 0)
                        ::Sleep(50);
                }
                seen = text;
                ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                return;
            }
            ::Sleep(50);
        }
    });
    EXPECT_EQ(0, Call(ctl, kPRTPrint, {}));
    stop = true;
    watcher.join();
    // "没有按装打印机,不能打印!"
    EXPECT_EQ(L"\x6ca1\x6709\x6309\x88c5\x6253\x5370\x673a,\x4e0d\x80fd\x6253\x5370!", seen);
    EXPECT_TRUE(sink.Of(kEventBeginPrint).empty());
    EXPECT_TRUE(sink.Of(kEventFinishPrint).empty());
    cp->Unadvise(cookie);
    cp->Release();
    ctl->Release();
}
