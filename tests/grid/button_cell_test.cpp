// The button cell: control attributes and their write-backs, the older
// "style" form, the button and text rectangles, and its record.
#include "document/TemplateVersion.h"
#include "grid/GridCellButton.h"

#include "RecordBytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using gridtest::ByteBuilder;
using gridtest::Bytes;

namespace {

TEST(ButtonCell, AttributesAndWriteBacks)
{
    struct Case {
        const char* text;
        const char* buttonText;
        int align;
        int width;
        UINT textAlign;
        BOOL disabled;
        int imagePos;
        int leaveType;
        int hotImage;
    } cases[] = {
        {"<control controltype = \"button\" ></control>", "...", 1, 0, 37, FALSE, 3, 1, -1},
        {"<control btntext = \"Go\" align = \"2\" btnwidth = \"20\" btntextalign = \"1\" disable = \"1\" "
         "textimagepos = \"4\" leavetype = \"0\" btnimghotindex = \"3\" ></control>",
         "Go", 2, 20, 0x21, TRUE, 4, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CGridCellButton cell;
        ASSERT_TRUE(cell.SetControl(c.text));
        EXPECT_EQ(c.buttonText, std::string(cell.GetButtonText()));
        EXPECT_EQ(c.align, cell.GetButtonAlign());
        EXPECT_EQ(c.width, cell.GetButtonWidth());
        EXPECT_EQ(c.textAlign, cell.GetButtonTextAlign());
        EXPECT_EQ(c.disabled, cell.IsDisabled());
        EXPECT_EQ(c.imagePos, cell.GetTextImagePos());
        EXPECT_EQ(c.leaveType, cell.GetLeaveType());
        EXPECT_EQ(c.hotImage, cell.GetImageIndex(GBS_HOT));
        EXPECT_EQ(c.disabled ? GBS_DISABLED : GBS_NORMAL, cell.GetButtonState());
        // Read back, the text names every setting.
        CXmlElement back(cell.GetControl(), "control");
        for (const char* key : {"btntext", "align", "btnwidth", "disable", "btntextalign", "textimagepos",
                                "leavetype", "btnimgindex", "btnimgfocusedindex", "btnimgpressedindex",
                                "btnimghotindex", "btnimgdisabledindex"})
            EXPECT_GE(back.FindAttribute(key), 0) << key;
        EXPECT_EQ(c.buttonText, std::string(back.GetAttribute("btntext")));
    }
}

TEST(ButtonCell, TheOlderStyleAttributeIsConverted)
{
    struct Case {
        const char* style;
        const char* buttonText;
        int align;
        int width;
    } cases[] = {
        // scroll, button type, width, group, older align, text
        {"0\n1\n30\n0\n1\nGo", "Go", 2, 30},          // older align 1 is the right
        {"0\n1\n30\n0\n2\nGo", "Go", 1, 30},          // older align 2 fills the cell
        {"0\n1\n40\n0\n2\nGo", "Go", 1, 40},
        {"0\n1\n0\n0\n0\nNo width", "No width", 1, 0}, // no width: the whole cell
        {"1\n3\n25\n1\n0\nLeft\n\n\nignored\nx\ny\nw\nv", "Left", 0, 25},
        {"0\n1\n30\n0\n7\nOut of range", "Out of range", 1, 30}, // unknown align: unchanged
        {"0\n1\n40\n0\n2", "...", 1, 0},              // five parts: no text, nothing taken
        {"too\nfew\nparts", "...", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        CGridCellButton cell;
        cell.SetControl("<control controltype = \"button\" ></control>");
        EXPECT_TRUE(cell.SetControlProperty("style", c.style));
        EXPECT_EQ(c.buttonText, std::string(cell.GetButtonText()));
        EXPECT_EQ(c.align, cell.GetButtonAlign());
        EXPECT_EQ(c.width, cell.GetButtonWidth());
        EXPECT_EQ("", std::string(cell.GetControlProperty("style")));
        EXPECT_EQ(c.buttonText, std::string(cell.GetControlProperty("btntext")));
        EXPECT_EQ(std::to_string(c.align), std::string(cell.GetControlProperty("align")));
        EXPECT_EQ(std::to_string(c.width), std::string(cell.GetControlProperty("btnwidth")));
    }
}

TEST(ButtonCell, ButtonAndTextRectanglesPerAlign)
{
    struct Case {
        int align;
        CRect button;
        CRect text;
    } cases[] = {
        {0, CRect(10, 20, 40, 40), CRect(40, 20, 110, 40)},
        {1, CRect(10, 20, 110, 40), CRect(10, 20, 110, 40)},
        {2, CRect(80, 20, 110, 40), CRect(10, 20, 80, 40)},
        {7, CRect(10, 20, 110, 40), CRect(10, 20, 110, 40)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.align);
        CRect button;
        CRect text;
        CGridCellButton::ComputeRects(CRect(10, 20, 110, 40), c.align, 30, &button, &text);
        EXPECT_EQ(c.button, button);
        EXPECT_EQ(c.text, text);
    }
}

Bytes Store(CGridCellBase& cell)
{
    return gridtest::StoreBytes([&](CArchive& ar) { cell.SerializeRecord(ar, nullptr); });
}

bool Load(CGridCellBase& cell, const Bytes& bytes)
{
    return gridtest::LoadBytes(bytes, [&](CArchive& ar) { cell.SerializeRecord(ar, nullptr); });
}

const char kShort[] = "<control btntext = \"Go\" ></control>";

TEST(ButtonCell, GoldenRecordAndReload)
{
    SetTemplateVersionBytes(nullptr);
    CGridCellButton plain;
    EXPECT_EQ(ByteBuilder().Ints({0, 0, 0, 1999, 2999, 3900}).Get(), Store(plain));

    CGridCellButton cell;
    cell.SetControl(kShort);
    cell.SetCoords(3, 4);
    const std::string stored(cell.GetControl());
    EXPECT_EQ("<control leavetype = \"1\"  textimagepos = \"3\"  btnimgdisabledindex = \"-1\"  btnimghotindex = "
              "\"-1\"  btnimgpressedindex = \"-1\"  btnimgfocusedindex = \"-1\"  btnimgindex = \"-1\"  btntextalign "
              "= \"37\"  disable = \"0\"  btnwidth = \"0\"  align = \"1\"  btntext = \"Go\" ></control>",
              stored);
    const int n = static_cast<int>(stored.size()) + 1;
    const Bytes expected = ByteBuilder()
                               .Ints({8 + 8 + n + 24, 0, 0, 1999, 2999, 3801, n})
                               .Text(stored)
                               .Ints({3802, 4, 3, 3803, 4, 4, 3900})
                               .Get();
    const Bytes bytes = Store(cell);
    EXPECT_EQ(expected, bytes);
    EXPECT_EQ(8 + 8 + n + 24, cell.GetRecordSize());

    CGridCellButton loaded;
    ASSERT_TRUE(Load(loaded, bytes));
    EXPECT_EQ("Go", std::string(loaded.GetButtonText()));
    EXPECT_EQ(3, loaded.GetButtonRow());
    EXPECT_EQ(4, loaded.GetButtonCol());
    EXPECT_EQ(bytes, Store(loaded));
}

TEST(ButtonCell, OlderTemplatesHoldTheShorterLevel)
{
    // Level size, the CGridCellBase level (no CGridCell level), items of
    // which only the control text is read, the end tag.
    const std::string text(kShort);
    const int n = static_cast<int>(text.size()) + 1;
    const Bytes older = ByteBuilder()
                            .Ints({4 + 0 + 8 + n + 12 + 4, 0, 1999, 3801, n})
                            .Text(text)
                            .Ints({3802, 4, 9, 3900})
                            .Int(0x5A5A5A5A)
                            .Get();
    struct Case {
        const char* version;
        bool older;
    } cases[] = {{"03.80", true}, {"03.81", true}, {"03.82", false}, {"04.01", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        char bytes6[6] = {};
        std::memcpy(bytes6, c.version, 5);
        SetTemplateVersionBytes(bytes6);
        CGridCellButton cell;
        ULONGLONG remaining = 0;
        const bool sound =
            gridtest::LoadBytes(older, [&](CArchive& ar) { cell.SerializeRecord(ar, nullptr); }, &remaining);
        if (c.older) {
            EXPECT_TRUE(sound);
            EXPECT_EQ("Go", std::string(cell.GetButtonText()));
            EXPECT_EQ(-1, cell.GetButtonRow()) << "the older level names no position";
            EXPECT_EQ(4u, remaining) << "the record ends at its end tag";
        } else {
            EXPECT_NE("Go", std::string(cell.GetButtonText())) << "read as the current form, it does not fit";
        }
    }
    SetTemplateVersionBytes(nullptr);
}

}  // namespace
