// Wine's script host moves formula references with inserted, deleted and cut
// rows and columns through the control's members (formulas.vbs). The script
// checks the values and formula texts itself; the texts with an invalid
// reference it prints escaped are compared here, so that the script's own
// idea of "#引用无效!" is checked against the system's text.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

using namespace comtest;

namespace {

// The script's escape of a text: printable ASCII but the backslash as it is,
// every other character as \xHHHH, its code page 936 code.
std::string Escape(const std::u16string& text)
{
    std::string out;
    for (char16_t ch : text) {
        if (ch >= 32 && ch < 127 && ch != '\\') {
            out.push_back(static_cast<char>(ch));
            continue;
        }
        const wchar_t wide = static_cast<wchar_t>(ch);
        unsigned char bytes[4] = {};
        const int n = ::WideCharToMultiByte(936, 0, &wide, 1, reinterpret_cast<char*>(bytes), sizeof(bytes),
                                            nullptr, nullptr);
        const unsigned code = n == 2 ? (bytes[0] << 8 | bytes[1]) : bytes[0];
        char buffer[8];
        std::snprintf(buffer, sizeof(buffer), "\\x%04X", code);
        out += buffer;
    }
    return out;
}

std::string ValueLine(const std::string& output, const std::string& name)
{
    std::istringstream lines(output);
    std::string line;
    const std::string prefix = "VALUE " + name + "=";
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, prefix.size(), prefix) == 0)
            return line.substr(prefix.size());
    }
    return "<not printed>";
}

}  // namespace

TEST(FormulaScript, ReferencesFollowInsertedDeletedAndCutLines)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string output;
    const int code = RunScript("formulas.vbs", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("formulas ok"), std::string::npos) << output;
    EXPECT_EQ(ValueLine(output, "rowdeleted"), Escape(u"=#引用无效!*100+A4")) << output;
    EXPECT_EQ(ValueLine(output, "columndeleted"), Escape(u"=#引用无效!*10")) << output;
}
