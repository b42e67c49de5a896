// A cell's text kept in eight bytes: short texts inline, longer ones in an
// allocation, and every change between the two keeping the bytes exact.
#include "grid/CellText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

TEST(CellText, TextsOfEveryLengthAroundTheInlineLimit)
{
    const char* const texts[] = {"", "1", "ab", "\xD6\xD0\xCE\xC4", "12345", "123456", "1234567",
                                 "\xD6\xD0\xCE\xC4\xB1\xED\xB8\xF1", "hello world, a longer text"};
    for (const char* before : texts) {
        for (const char* after : texts) {
            CCellText t;
            t.Set(before);
            EXPECT_EQ(std::string(before), t.Get());
            EXPECT_EQ(static_cast<int>(std::strlen(before)), t.GetLength());
            EXPECT_EQ(*before == '\0', t.IsEmpty());
            t.Set(after);                       // inline and allocated, either way round
            EXPECT_EQ(std::string(after), t.Get()) << before << " -> " << after;
            EXPECT_EQ(static_cast<int>(std::strlen(after)), t.GetLength());
            EXPECT_EQ(*after == '\0', t.IsEmpty());
        }
    }
}

TEST(CellText, SetFromItsOwnBytesCopiesAndMovesLeaveTheSourceEmpty)
{
    for (const char* text : {"abc", "123456", "a text past the inline limit"}) {
        CCellText t;
        t.Set(text);
        t.Set(t.Get());                          // its own bytes
        EXPECT_EQ(std::string(text), t.Get());
        t.Set(t.Get() + 1);                      // a tail of its own bytes
        EXPECT_EQ(std::string(text + 1), t.Get());

        CCellText copy(t);
        EXPECT_EQ(std::string(t.Get()), copy.Get());
        EXPECT_NE(t.Get(), copy.Get());          // bytes of its own
        CCellText moved(std::move(copy));
        EXPECT_EQ(std::string(text + 1), moved.Get());
        EXPECT_TRUE(copy.IsEmpty());             // NOLINT: the moved-from text is empty
        EXPECT_STREQ("", copy.Get());
        CCellText assigned;
        assigned.Set("something else entirely");
        assigned = std::move(moved);
        EXPECT_EQ(std::string(text + 1), assigned.Get());
        assigned = assigned;                     // self-assignment keeps the text
        EXPECT_EQ(std::string(text + 1), assigned.Get());
        assigned.Empty();
        EXPECT_TRUE(assigned.IsEmpty());
        EXPECT_EQ(0, assigned.GetLength());
        assigned.Set(nullptr);
        EXPECT_STREQ("", assigned.Get());
    }
}
