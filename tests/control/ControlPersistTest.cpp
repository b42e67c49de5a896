// The readers and writers of the control's persistent state: the stream form
// (the version number, 4 bytes) and the property-bag form (the "_Version"
// value), with what they do to bytes and values from elsewhere.
#include "control/ControlPersist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* Name(PersistStatus s)
{
    switch (s) {
    case PersistStatus::Loaded: return "Loaded";
    case PersistStatus::Nothing: return "Nothing";
    case PersistStatus::Truncated: return "Truncated";
    case PersistStatus::WrongVersion: return "WrongVersion";
    case PersistStatus::NotANumber: return "NotANumber";
    }
    return "?";
}

// A state that holds the control's version, so that a reader that changed it
// on failure would show.
CControlPersist Loaded()
{
    CControlPersist persist;
    const BYTE good[4] = {0x00, 0x00, 0x01, 0x00};
    EXPECT_EQ(persist.LoadStream(good, 4), PersistStatus::Loaded);
    return persist;
}

TEST(ControlPersist, StreamFormIsTheVersionNumberInFourBytes)
{
    BYTE saved[CControlPersist::kStreamSize] = {0xEE, 0xEE, 0xEE, 0xEE};
    CControlPersist::SaveStream(saved);
    EXPECT_EQ(std::vector<BYTE>(saved, saved + 4), (std::vector<BYTE>{0x00, 0x00, 0x01, 0x00}));

    CControlPersist persist;
    EXPECT_EQ(persist.LoadedVersion(), 0u);
    EXPECT_EQ(persist.LoadStream(saved, sizeof saved), PersistStatus::Loaded);
    EXPECT_EQ(persist.LoadedVersion(), 0x10000u);
    persist.Reset();
    EXPECT_EQ(persist.LoadedVersion(), 0u);
}

TEST(ControlPersist, StreamReader)
{
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
        PersistStatus status;
    };
    const Case cases[] = {
        {"the version", {0x00, 0x00, 0x01, 0x00}, PersistStatus::Loaded},
        {"the version, then the next object's bytes", {0x00, 0x00, 0x01, 0x00, 0xFF, 0x7F}, PersistStatus::Loaded},
        {"empty", {}, PersistStatus::Nothing},
        {"one byte", {0x00}, PersistStatus::Truncated},
        {"two bytes", {0x00, 0x00}, PersistStatus::Truncated},
        {"three bytes", {0x00, 0x00, 0x01}, PersistStatus::Truncated},
        {"a later version", {0x01, 0x00, 0x01, 0x00}, PersistStatus::WrongVersion},
        {"zero", {0x00, 0x00, 0x00, 0x00}, PersistStatus::WrongVersion},
        {"big-endian", {0x00, 0x01, 0x00, 0x00}, PersistStatus::WrongVersion},
        {"text", {'K', 'I', 'V', 'O', '!'}, PersistStatus::WrongVersion},
        {"all ones", {0xFF, 0xFF, 0xFF, 0xFF}, PersistStatus::WrongVersion},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CControlPersist persist = Loaded();
        const PersistStatus got = persist.LoadStream(c.bytes.empty() ? nullptr : c.bytes.data(), c.bytes.size());
        EXPECT_STREQ(Name(got), Name(c.status));
        // Success takes what was stored (nothing: the defaults); failure
        // leaves the state as it was.
        const DWORD expected = c.status == PersistStatus::Nothing ? 0u : 0x10000u;
        EXPECT_EQ(persist.LoadedVersion(), expected);
        EXPECT_EQ(PersistSucceeded(got), c.status == PersistStatus::Loaded || c.status == PersistStatus::Nothing);
    }
    // A load that fails on a new state leaves it empty.
    CControlPersist fresh;
    const BYTE later[4] = {0x01, 0x00, 0x01, 0x00};
    EXPECT_EQ(fresh.LoadStream(later, 4), PersistStatus::WrongVersion);
    EXPECT_EQ(fresh.LoadedVersion(), 0u);
}

TEST(ControlPersist, PropertyBagReader)
{
    EXPECT_STREQ(CControlPersist::VersionName(), "_Version");
    EXPECT_EQ(CControlPersist::BagNumber(), 0x10000);

    auto number = [](LONG n) {
        CPersistBagValue v;
        v.kind = CPersistBagValue::Number;
        v.number = n;
        return v;
    };
    auto text = [](const std::string& t) {
        CPersistBagValue v;
        v.kind = CPersistBagValue::Text;
        v.text = CString(t.data(), static_cast<int>(t.size()));
        return v;
    };
    CPersistBagValue missing;
    CPersistBagValue other;
    other.kind = CPersistBagValue::Other;
    struct Case {
        const char* what;
        CPersistBagValue value;
        PersistStatus status;
    };
    const Case cases[] = {
        {"missing", missing, PersistStatus::Nothing},
        {"the number", number(0x10000), PersistStatus::Loaded},
        {"a later version", number(0x10001), PersistStatus::WrongVersion},
        {"zero", number(0), PersistStatus::WrongVersion},
        {"minus one", number(-1), PersistStatus::WrongVersion},
        {"the number as text", text("65536"), PersistStatus::Loaded},
        {"with blanks", text(" \t65536 "), PersistStatus::Loaded},
        {"with a plus", text("+65536"), PersistStatus::Loaded},
        {"another number as text", text("65537"), PersistStatus::WrongVersion},
        {"negative text", text("-65536"), PersistStatus::WrongVersion},
        {"the largest unsigned", text("4294967295"), PersistStatus::WrongVersion},
        {"too large", text("4294967296"), PersistStatus::NotANumber},
        {"far too large", text("99999999999999999999999"), PersistStatus::NotANumber},
        {"empty text", text(""), PersistStatus::NotANumber},
        {"blanks only", text("   "), PersistStatus::NotANumber},
        {"a sign only", text("-"), PersistStatus::NotANumber},
        {"a fraction", text("65536.0"), PersistStatus::NotANumber},
        {"hexadecimal", text("0x10000"), PersistStatus::NotANumber},
        {"trailing letters", text("65536abc"), PersistStatus::NotANumber},
        {"an embedded zero byte", text(std::string("65536\0", 6)), PersistStatus::NotANumber},
        {"words", text("not a number"), PersistStatus::NotANumber},
        {"another kind of value", other, PersistStatus::NotANumber},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CControlPersist persist = Loaded();
        EXPECT_STREQ(Name(persist.LoadBag(c.value)), Name(c.status));
        const DWORD expected = c.status == PersistStatus::Nothing ? 0u : 0x10000u;
        EXPECT_EQ(persist.LoadedVersion(), expected);
    }
}

}  // namespace
