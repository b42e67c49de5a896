// The host build's system answers: defaults and what tests can set.
#include "platform/Gdi.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

namespace {

class SystemTest : public ::testing::Test {
protected:
    void SetUp() override { Headless::Reset(); }
    void TearDown() override { Headless::Reset(); }
};

TEST_F(SystemTest, ColoursAndMetricsStartAtTheWindowsDefaults)
{
    struct Colour {
        int index;
        COLORREF value;
    };
    const Colour colours[] = {
        {COLOR_WINDOW, RGB(255, 255, 255)},    {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
        {COLOR_BTNFACE, RGB(240, 240, 240)},   {COLOR_BTNSHADOW, RGB(160, 160, 160)},
        {COLOR_INFOBK, RGB(255, 255, 225)},    {COLOR_HIGHLIGHT, RGB(51, 153, 255)},
        {COLOR_3DDKSHADOW, RGB(105, 105, 105)}, {-1, 0}, {31, 0},
    };
    for (const Colour& c : colours)
        EXPECT_EQ(GetSysColor(c.index), c.value) << c.index;
    struct Metric {
        int index;
        int value;
    };
    const Metric metrics[] = {{SM_CXVSCROLL, 17}, {SM_CYHSCROLL, 17}, {SM_CXBORDER, 1}, {SM_CXEDGE, 2},
                              {SM_CXSCREEN, 1280}, {SM_CYSCREEN, 1024}, {SM_DBCSENABLED, 1}, {9999, 0}};
    for (const Metric& m : metrics)
        EXPECT_EQ(GetSystemMetrics(m.index), m.value) << m.index;

    Headless::SetSysColor(COLOR_WINDOW, RGB(1, 2, 3));
    Headless::SetSystemMetric(SM_CXVSCROLL, 20);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(1, 2, 3));
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 20);
    LOGBRUSH lb = {};
    EXPECT_GT(CBrush::FromHandle(GetSysColorBrush(COLOR_WINDOW))->GetLogBrush(&lb), 0);
    EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));  // the system brush follows its colour
}

TEST_F(SystemTest, KeysReportPressedAndToggledBits)
{
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    Headless::SetKeyDown(VK_CONTROL, true);
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);  // the high bit, as callers test it
    EXPECT_LT(GetAsyncKeyState(VK_CONTROL), 0);
    Headless::SetKeyToggled(VK_CAPITAL, true);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    EXPECT_GE(GetKeyState(VK_CAPITAL), 0);
    Headless::ReleaseAllKeys();
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);  // toggles stay
    EXPECT_EQ(GetKeyState(-1), 0);
    EXPECT_EQ(GetKeyState(300), 0);
}

TEST_F(SystemTest, TheCursorIsSetPlacedAndConfined)
{
    SetCursor(PlatformLoadCursor(IDC_SIZEWE));
    EXPECT_EQ(Headless::CursorId(), static_cast<UINT_PTR>(IDC_SIZEWE));
    SetCursorPos(-20, 30);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, -20);
    EXPECT_EQ(GET_X_LPARAM(GetMessagePos()), -20);  // signed in the message position
    EXPECT_EQ(GET_Y_LPARAM(GetMessagePos()), 30);
    RECT clip = {0, 0, 100, 100};
    ClipCursor(&clip);
    SetCursorPos(500, -5);
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 99);
    EXPECT_EQ(p.y, 0);
    RECT seen;
    EXPECT_TRUE(Headless::CursorClip(&seen));
    ClipCursor(nullptr);
    EXPECT_FALSE(Headless::CursorClip(nullptr));
    EXPECT_EQ(GetDoubleClickTime(), 500u);
}

TEST_F(SystemTest, MessageBoxesNeverBlockAndAnswerAsTold)
{
    struct Case {
        UINT type;
        int answer;
    };
    const Case cases[] = {{MB_OK, IDOK},           {MB_OKCANCEL, IDOK},       {MB_YESNO | MB_ICONQUESTION, IDYES},
                          {MB_YESNOCANCEL, IDYES}, {MB_RETRYCANCEL, IDRETRY}, {MB_ABORTRETRYIGNORE, IDABORT}};
    for (const Case& c : cases)
        EXPECT_EQ(AfxMessageBox("问题", c.type), c.answer) << c.type;
    Headless::QueueMessageBoxAnswer(IDNO);
    PlatformSetMessageBoxCaption("卡沃");
    EXPECT_EQ(AfxMessageBox("保存文件失败!", MB_YESNO), IDNO);
    const auto& boxes = Headless::MessageBoxes();
    ASSERT_EQ(boxes.size(), 7u);
    EXPECT_EQ(boxes.back().text, "保存文件失败!");
    EXPECT_EQ(boxes.back().caption, "卡沃");
    EXPECT_EQ(boxes.back().type, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(AfxMessageBox(nullptr), IDOK);
}

TEST_F(SystemTest, TheWheelSettingAndClockAreSettable)
{
    EXPECT_EQ(PlatformWheelScrollLines(), 3u);
    Headless::SetWheelScrollLines(WHEEL_PAGESCROLL);
    EXPECT_EQ(PlatformWheelScrollLines(), WHEEL_PAGESCROLL);
    Headless::SetTime(0xFFFFFFF0u);
    Headless::AdvanceTime(0x20);  // the tick count wraps like the system's
    EXPECT_EQ(GetTickCount(), 0x10u);
}

TEST_F(SystemTest, TheQuitMessageEndsTheLoopWithItsCode)
{
    PlatformPostQuit(3);
    int code = 0;
    EXPECT_TRUE(Headless::QuitPosted(&code));
    EXPECT_EQ(code, 3);
    EXPECT_EQ(PlatformRunMessageLoop(), 3);
    EXPECT_FALSE(PlatformPumpMessages());
}

}  // namespace
