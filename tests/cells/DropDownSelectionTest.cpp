// The selection model of the drop-down host: single and multi-check choice,
// check order, matching a text, select-all and its kin, type-ahead and the
// list height.
#include "cells/DropDownSelection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CDropDownSelection Items(std::initializer_list<const char*> items, BOOL bMulti = FALSE)
{
    CDropDownSelection s;
    s.SetMultiCheck(bMulti);
    for (const char* item : items)
        s.AddItem(item);
    return s;
}

std::string S(const CString& s)
{
    return s.Str();
}

TEST(DropDownSelection, EmptyTextsAreNotItems)
{
    CDropDownSelection s = Items({"a", "", "b"});
    EXPECT_EQ(2, s.GetItemCount());
    EXPECT_EQ("b", S(s.GetItemText(1)));
    EXPECT_EQ("", S(s.GetItemText(2)));
    EXPECT_EQ("", S(s.GetItemText(-1)));
}

TEST(DropDownSelection, SingleChoiceHoldsOneItem)
{
    CDropDownSelection s = Items({"a", "b", "c"});
    EXPECT_EQ(-1, s.GetFirstSelected());
    EXPECT_EQ("", S(s.GetSelectionText()));
    EXPECT_TRUE(s.Select(2, TRUE));
    EXPECT_TRUE(s.Pick(1));
    EXPECT_EQ(1, s.GetFirstSelected());
    EXPECT_EQ(1u, s.GetSelectionArray().size());
    EXPECT_EQ("b", S(s.GetSelectionText()));
    EXPECT_FALSE(s.Select(3, TRUE));
    EXPECT_FALSE(s.Pick(-1));
    EXPECT_EQ(1, s.GetFirstSelected()) << "an index outside the list changes nothing";
}

TEST(DropDownSelection, ChecksKeepTheOrderInWhichTheyWereMade)
{
    CDropDownSelection s = Items({"a", "b", "c", "d"}, TRUE);
    for (int index : {2, 0, 3})
        s.Pick(index);
    EXPECT_EQ("c,a,d", S(s.GetSelectionText()));
    EXPECT_EQ("0,2,3", S(s.GetCheckedIndexText()));
    EXPECT_EQ(3, s.GetCheckedCount());
    s.Pick(0);   // toggles off
    EXPECT_EQ("c,d", S(s.GetSelectionText()));
    EXPECT_FALSE(s.IsSelected(0));
    s.Select(2, TRUE);   // already checked: not listed twice
    EXPECT_EQ("c,d", S(s.GetSelectionText()));
    s.SetSeparator(";");
    EXPECT_EQ("c;d", S(s.GetSelectionText()));
    EXPECT_EQ("2;3", S(s.GetCheckedIndexText()));
}

TEST(DropDownSelection, MatchingAText)
{
    struct Case {
        const char* name;
        BOOL multi;
        const char* separator;
        const char* text;
        const char* selection;
        const char* indexes;
    } cases[] = {
        {"single exact", FALSE, ",", "b", "b", "1"},
        {"single no prefix match", FALSE, ",", "bo", "", ""},
        {"single no match", FALSE, ",", "x", "", ""},
        {"multi in text order", TRUE, ",", "b,a", "b,a", "0,1"},
        {"multi piece without item dropped", TRUE, ",", "c,zz,a", "c,a", "0,2"},
        {"multi empty pieces skipped", TRUE, ",", ",,b,", "b", "1"},
        {"multi repeated piece once", TRUE, ",", "a,a", "a", "0"},
        {"multi semicolon", TRUE, ";", "c;b", "c;b", "1;2"},
        {"multi comma is no separator then", TRUE, ";", "c,b", "", ""},
        {"multi empty", TRUE, ",", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDropDownSelection s = Items({"a", "b", "c"}, c.multi);
        s.SetSeparator(c.separator);
        s.Pick(2);
        s.MatchText(c.text);
        EXPECT_EQ(c.selection, S(s.GetSelectionText()));
        EXPECT_EQ(c.indexes, S(s.GetCheckedIndexText()));
    }
}

TEST(DropDownSelection, SelectionCommands)
{
    struct Case {
        int command;
        BOOL multi;
        const char* before;
        const char* after;
    } cases[] = {
        {DDSC_SELECTALL, TRUE, "c,a", "c,a,b,d"},
        {DDSC_CANCELALL, TRUE, "c,a", ""},
        {DDSC_INVERT, TRUE, "c,a", "b,d"},
        {DDSC_INVERT, TRUE, "", "a,b,c,d"},
        {DDSC_NONE, TRUE, "c,a", "c,a"},
        {DDSC_SELECTALL, FALSE, "c", "c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        CDropDownSelection s = Items({"a", "b", "c", "d"}, c.multi);
        s.MatchText(c.before);
        s.ApplyCommand(c.command);
        EXPECT_EQ(c.after, S(s.GetSelectionText()));
    }
}

TEST(DropDownSelection, PrefixLookup)
{
    CDropDownSelection s = Items({"Apple", "banana", "Box", "bo", "北京", "北方"});
    struct Case {
        const char* prefix;
        int index;
    } cases[] = {
        {"b", 1}, {"BO", 2}, {"bo", 2}, {"box", 2}, {"boxes", -1}, {"a", 0}, {"", -1}, {"z", -1},
        {"北", 4}, {"北方", 5}, {"南", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.index, s.FindPrefix(c.prefix)) << c.prefix;
    // A lone lead byte never matches half of a double-byte character.
    const char lead[] = {static_cast<char>(0xB1), 0};
    EXPECT_EQ(-1, s.FindPrefix(lead));
}

TEST(DropDownSelection, SplitKeepsDoubleByteCharactersWhole)
{
    // The trail byte of 0x81 0x7C is the byte of "|": no separator there.
    const std::string odd = std::string("x") + static_cast<char>(0x81) + '|' + "|y";
    const std::vector<CString> pieces = CDropDownSelection::Split(odd.c_str(), "|");
    ASSERT_EQ(2u, pieces.size());
    EXPECT_EQ(std::string("x") + static_cast<char>(0x81) + '|', S(pieces[0]));
    EXPECT_EQ("y", S(pieces[1]));
}

TEST(DropDownSelection, ListHeight)
{
    struct Case {
        int items, itemHeight, maxHeight, height;
    } cases[] = {
        {3, 16, 0, 48},       // 0 stands for the default of 100
        {10, 16, 0, 100},
        {10, 16, 200, 160},
        {10, 16, 50, 50},
        {0, 16, 100, 0},      // no items, no rows
        {1000000, 1000000, 0, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.height, CDropDownSelection::ListHeight(c.items, c.itemHeight, c.maxHeight))
            << c.items << " x " << c.itemHeight << " max " << c.maxHeight;
}

TEST(DropDownSelection, TypeAheadPrefixAndItsReset)
{
    CDropDownSelection s = Items({"alpha", "beta", "bob", "orange"});
    CTypeAhead typed;
    DWORD now = 5000;
    EXPECT_EQ(1, s.FindPrefix(typed.Type("b", now)));
    now += 999;
    EXPECT_EQ(2, s.FindPrefix(typed.Type("o", now))) << "within a second: one prefix";
    now += 1000;
    EXPECT_EQ("o", S(typed.Type("o", now))) << "after a pause of a second a new prefix starts";
    EXPECT_EQ(3, s.FindPrefix(typed.GetPrefix()));
    typed.Reset();
    EXPECT_EQ("a", S(typed.Type("a", now + 1)));
    // The clock wraps around.
    CTypeAhead wrapped;
    wrapped.Type("b", 0xFFFFFF00u);
    EXPECT_EQ("bo", S(wrapped.Type("o", 0x00000010u)));
}

}  // namespace
