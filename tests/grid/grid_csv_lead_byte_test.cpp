// A field holding a lead byte with no valid byte after it: the quote,
// separator or line break after the lead byte is the reader's, so the
// string form quotes the field and doubles the quote, as the file does.
#include "GridTestUtil.h"

#include "grid/GridCtrl.h"

#include <gtest/gtest.h>

#include <string>

using gridtest::MakeSheet;

namespace {

TEST(GridCsvLeadByte, ALoneLeadByteDoesNotHideTheCharacterAfterIt)
{
    const struct {
        const char* text;
        const char* field;   // as the string form writes it
    } cases[] = {
        {"a,\xD6\"b", "\"a,\xD6\"\"b\""},
        {"\xD6\"", "\"\xD6\"\"\""},
        {"\xD6,x", "\"\xD6,x\""},
        {"\xD6\nx", "\"\xD6\nx\""},
        {"\xD6\xD0\"", "\"\xD6\xD0\"\"\""},   // a whole character, then a quote
        {"\xD6\xD0", "\xD6\xD0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        auto grid = MakeSheet(1, 2, 0, 0);
        grid->SetCellText(0, 0, c.text);
        grid->SetCellText(0, 1, "z");
        const std::string text(grid->SaveCSVString(','));
        EXPECT_EQ(std::string(c.field) + ",z\n", text);
        // The file writes the same field, its row ended by CR LF.
        EXPECT_EQ(text.substr(0, text.size() - 1) + "\r\n", grid->GetCSVFileBytes(','));
    }
}

}  // namespace
