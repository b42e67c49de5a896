// Wine's script host drives the Cell members of the registered control
// (cells.vbs). The script checks what it can itself; the texts it prints
// escaped (Chinese texts, display texts after a format) are compared here
// with what they must be.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

using namespace comtest;

namespace {

// The script's escape: printable ASCII but the backslash as it is, every
// other character as \xHHHH, its code in code page 936 (a two-byte
// character's lead byte high).
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

// The "VALUE name=text" lines of the script's output.
std::map<std::string, std::string> Values(const std::string& output)
{
    std::map<std::string, std::string> values;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, 6, "VALUE ") != 0)
            continue;
        const size_t eq = line.find('=');
        if (eq != std::string::npos)
            values[line.substr(6, eq - 6)] = line.substr(eq + 1);
    }
    return values;
}

}  // namespace

TEST(CellScript, VbscriptDrivesTheCellMembers)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string output;
    const int code = RunScript("cells.vbs", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("cells ok"), std::string::npos) << output;

    const std::map<std::string, std::string> values = Values(output);
    const std::map<std::string, std::u16string> expected = {
        {"text", u"中文 abc 数据"},
        {"number", u"12.75"},
        {"currency", u"￥1,234.50"},
        {"currency0", u"￥1,235"},
        {"amount", u"壹仟贰佰叁拾肆元伍角陆分整"},
        {"amountformat", u"<format datatype = \"currency\" chinesecaption = \"1\" pointfrontsymbol = \"元\" "
                         u"pointbacksymbol1 = \"角\" pointbacksymbol2 = \"分\" lastsymbol = \"整\" ></format>"},
        {"font", u"<font fontname = \"宋体\" fontsize = \"14\"  ></font>"},
    };
    for (const auto& e : expected) {
        const auto found = values.find(e.first);
        ASSERT_NE(found, values.end()) << e.first << " not printed\n" << output;
        EXPECT_EQ(found->second, Escape(e.second)) << e.first;
    }
}
