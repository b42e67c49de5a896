// The URL cell: what counts as a link, what may be opened, its attributes,
// its record, and clicks in a grid window handing addresses to the "open"
// verb's recorder.
#include "cells/GridURLCell.h"

#include "cells/InPlaceEditHooks.h"
#include "grid/RecordBytes.h"
#include "grid/native/input_test_util.h"
#include "platform/Shell.h"
#include "platform/System.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gridinputtest::InputGrid;
using gridtest::ByteBuilder;
using gridtest::Bytes;

namespace {

TEST(URLCell, WhatMayBeOpened)
{
    struct Case {
        const char* target;
        const char* opened;   // "" : never opened
    } cases[] = {
        {"http://example.cn/a", "http://example.cn/a"},
        {"HTTPS://example.cn", "HTTPS://example.cn"},
        {"ftp://files.example.cn", "ftp://files.example.cn"},
        {"mailto:someone@example.cn", "mailto:someone@example.cn"},
        {"News:comp.lang", "News:comp.lang"},
        {"www.example.cn", "http://www.example.cn"},
        {"WWW.example.cn", "http://WWW.example.cn"},
        {"ftp.example.cn", "ftp://ftp.example.cn"},
        {"file:///c:/windows/system32/calc.exe", ""},
        {"telnet://host", ""},
        {"gopher://host", ""},
        {"url:http://x", ""},
        {"c:\\windows\\notepad.exe", ""},
        {"\\\\server\\share\\run.bat", ""},
        {"calc.exe http://example.cn", ""},      // a prefix inside is not enough
        {" http://example.cn", ""},
        {"http://a\"b", ""},
        {"http://a\nb", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        EXPECT_EQ(c.opened, std::string(CGridURLCell::GetOpenableAddress(c.target)));
    }
    EXPECT_EQ("", std::string(CGridURLCell::GetOpenableAddress(nullptr)));
}

TEST(URLCell, WhatIsColouredAsALink)
{
    struct Case {
        const char* text;
        BOOL link;
    } cases[] = {
        {"see www.example.cn", TRUE}, {"file:x", TRUE},      {"telnet:x", TRUE}, {"HTTP://x", FALSE},
        {"plain text", FALSE},        {"", FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.link, CGridURLCell::LooksLikeLink(c.text)) << c.text;
}

TEST(URLCell, AttributesAndWriteBacks)
{
    struct Case {
        const char* text;
        BOOL open;
        int mode;
        COLORREF colour;
        const char* readBack;
    } cases[] = {
        {"<control controltype = \"url\" ></control>", TRUE, 1, RGB(51, 153, 255),
         "<control openurl = \"1\"  controltype = \"url\" ></control>"},
        {"<control openurl = \"NO\" openmode = \"Click\" urlcolor = \"RGB(1,2,3)\" ></control>", FALSE, 0,
         RGB(1, 2, 3), nullptr},
        {"<control openurl = \"Yes\" openmode = \"dblclick\" urlcolor = \"255\" ></control>", TRUE, 1,
         RGB(255, 0, 0), nullptr},
        {"<control openurl = \"1\" openmode = \"7\" ></control>", TRUE, 1, RGB(51, 153, 255), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CGridURLCell cell;
        ASSERT_TRUE(cell.SetControl(c.text));
        EXPECT_EQ(c.open, cell.GetOpenFlag());
        EXPECT_EQ(c.mode, cell.GetOpenMode());
        EXPECT_EQ(c.colour, cell.GetLinkColor());
        EXPECT_EQ(c.readBack != nullptr ? c.readBack : c.text, std::string(cell.GetControl()));
    }
}

TEST(URLCell, WithoutAUrlTheTargetIsTheCurrentText)
{
    CGridURLCell cell;
    cell.SetControl("<control controltype = \"url\" ></control>");
    cell.SetText("www.first.cn");
    EXPECT_EQ("www.first.cn", std::string(cell.GetLinkTarget()));
    cell.SetText("www.second.cn");
    EXPECT_EQ("www.second.cn", std::string(cell.GetLinkTarget()));
    EXPECT_TRUE(cell.SetControlProperty("url", "http://named.cn"));
    EXPECT_EQ("http://named.cn", std::string(cell.GetLinkTarget()));
    EXPECT_TRUE(cell.DelControlProperty("url"));
    EXPECT_EQ("www.second.cn", std::string(cell.GetLinkTarget()));
}

TEST(URLCell, HotZonePerAlign)
{
    const CRect rect(10, 0, 110, 20);
    EXPECT_EQ(CRect(10, 0, 40, 20), CGridURLCell::GetHotZone(rect, 30, DT_LEFT));
    EXPECT_EQ(CRect(80, 0, 110, 20), CGridURLCell::GetHotZone(rect, 30, DT_RIGHT));
    EXPECT_EQ(CRect(45, 0, 75, 20), CGridURLCell::GetHotZone(rect, 30, DT_CENTER));
}

Bytes Store(CGridCellBase& cell)
{
    return gridtest::StoreBytes([&](CArchive& ar) { cell.SerializeRecord(ar, nullptr); });
}

TEST(URLCell, GoldenRecordAndReload)
{
    CGridURLCell plain;
    EXPECT_EQ(ByteBuilder().Ints({0, 0, 0, 1999, 2999, 3800}).Get(), Store(plain));
    CGridURLCell cell;
    const std::string text = "<control openurl = \"0\" url = \"www.a.cn\" ></control>";
    cell.SetControl(text.c_str());
    const int n = static_cast<int>(text.size()) + 1;
    const Bytes bytes = Store(cell);
    EXPECT_EQ(ByteBuilder().Ints({16 + n, 0, 0, 1999, 2999, 3701, n}).Text(text).Int(3800).Get(), bytes);
    EXPECT_EQ(16 + n, cell.GetRecordSize());
    CGridURLCell loaded;
    ASSERT_TRUE(gridtest::LoadBytes(bytes, [&](CArchive& ar) { loaded.SerializeRecord(ar, nullptr); }));
    EXPECT_FALSE(loaded.GetOpenFlag());
    EXPECT_EQ("www.a.cn", std::string(loaded.GetLinkTarget()));
    EXPECT_EQ(bytes, Store(loaded));
}

// Cell (1, 1) spans x 40..89, y 25..44.
class URLCellClick : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        Headless::ClearOpenedLinks();
        InstallInPlaceEditHooks();
        ui.Build(6, 5);
        ASSERT_TRUE(ui.Grid().SetCellControl(1, 1, "<control controltype = \"url\" openmode = \"click\" ></control>"));
        cell = dynamic_cast<CGridURLCell*>(ui.Grid().GetCell(1, 1));
        ASSERT_NE(nullptr, cell);
        cell->SetText("www.a.cn");
    }
    void TearDown() override
    {
        ui.pGrid.reset();
        Headless::ClearOpenedLinks();
        Headless::Reset();
    }

    InputGrid ui;
    CGridURLCell* cell = nullptr;
};

TEST_F(URLCellClick, AClickOnTheTextHandsTheAddressOver)
{
    ui.Click(42, 35);
    EXPECT_EQ(std::vector<std::string>{"http://www.a.cn"}, Headless::OpenedLinks());
    Headless::ClearOpenedLinks();
    cell->SetText("www.a");
    ui.Click(60, 35);
    EXPECT_EQ(std::vector<std::string>{"http://www.a"}, Headless::OpenedLinks());
}

TEST_F(URLCellClick, NothingOpensWhereItMustNot)
{
    struct Case {
        const char* name;
        const char* text;
        const char* control;
        BOOL readOnly;
        int x;
    } cases[] = {
        {"file target", "file:///c:/windows/system32/calc.exe", nullptr, FALSE, 42},
        {"telnet target", "telnet://host", nullptr, FALSE, 42},
        {"local path named by url", "www.a.cn", "c:\\windows\\notepad.exe", FALSE, 42},
        {"not a link", "hello", nullptr, FALSE, 42},
        {"read-only", "www.a.cn", nullptr, TRUE, 42},
        {"beside the text", "www.a", nullptr, FALSE, 88},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::ClearOpenedLinks();
        cell->SetText(c.text);
        cell->SetReadOnly(c.readOnly);
        if (c.control != nullptr)
            cell->SetControlProperty("url", c.control);
        else
            cell->DelControlProperty("url");
        ui.Click(c.x, 35);
        EXPECT_TRUE(Headless::OpenedLinks().empty());
    }
}

TEST_F(URLCellClick, DoubleClickModeIgnoresASingleClick)
{
    cell->SetControlProperty("openmode", "dblclick");
    ui.Click(42, 35);
    EXPECT_TRUE(Headless::OpenedLinks().empty());
    ui.Mouse(WM_LBUTTONDBLCLK, 42, 35, MK_LBUTTON);
    ui.Mouse(WM_LBUTTONUP, 42, 35);
    EXPECT_EQ(std::vector<std::string>{"http://www.a.cn"}, Headless::OpenedLinks());
}

// The cursor over the cell as the grid asks for it (WM_SETCURSOR with the
// cursor at the client point).
UINT_PTR CursorAt(InputGrid& ui, int x, int y)
{
    CPoint screen(x, y);
    ui.Grid().ClientToScreen(&screen);
    SetCursorPos(screen.x, screen.y);
    ui.Mouse(WM_MOUSEMOVE, x, y);
    ui.Grid().SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(ui.Grid().GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return Headless::CursorId();
}

TEST_F(URLCellClick, TheHandCursorWhereAClickOpens)
{
    struct Case {
        const char* name;
        const char* text;
        BOOL readOnly;
        int x;
        UINT_PTR cursor;
    } cases[] = {
        {"on the link", "www.a.cn", FALSE, 42, static_cast<UINT_PTR>(IDC_HAND)},
        {"beside the text", "www.a", FALSE, 88, static_cast<UINT_PTR>(IDC_ARROW)},
        {"a file target", "file:///c:/x.exe", FALSE, 42, static_cast<UINT_PTR>(IDC_ARROW)},
        {"not a link", "hello", FALSE, 42, static_cast<UINT_PTR>(IDC_ARROW)},
        {"read-only", "www.a.cn", TRUE, 42, static_cast<UINT_PTR>(IDC_ARROW)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cell->SetText(c.text);
        cell->SetReadOnly(c.readOnly);
        EXPECT_EQ(c.cursor, CursorAt(ui, c.x, 35));
    }
}

}  // namespace
