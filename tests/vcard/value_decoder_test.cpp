#include "vcard/value_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brimwell::vcard {
namespace {

struct TextCase {
    const char* name;
    std::string in;
    std::string out;
};

TEST(value_decoder_test, quoted_printable)
{
    const struct {
        const char* in;
        const char* out;
        bool valid;
    } cases[] = {
        {"plain", "plain", true},
        {"=C3=A9t=C3=A9", "\xC3\xA9t\xC3\xA9", true},
        {"=c3=a9", "\xC3\xA9", true},
        {"a=0D=0Ab", "a\r\nb", true},
        {"=3D=3d", "==", true},
        {"dangling=", "dangling", true},
        {"bad=ZZescape", "bad=ZZescape", false},
        {"short=A", "short=A", false},
        {"=", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        std::string out;
        EXPECT_EQ(decodeQuotedPrintable(c.in, out), c.valid);
        EXPECT_EQ(out, c.out);
    }
}

TEST(value_decoder_test, base64_length)
{
    EXPECT_TRUE(isValidBase64(""));
    EXPECT_TRUE(isValidBase64("QUJD"));
    EXPECT_TRUE(isValidBase64("QUI="));
    EXPECT_TRUE(isValidBase64("QU I\t="));  // white space is skipped
    EXPECT_TRUE(isValidBase64("QUI"));      // padding may be left out
    EXPECT_FALSE(isValidBase64("QUJDR"));
    EXPECT_FALSE(isValidBase64("Q==="));
}

TEST(value_decoder_test, every_escape)
{
    const TextCase cases[] = {
        {"none", "plain text", "plain text"},
        {"line break", "a\\nb", "a\nb"},
        {"capital line break", "a\\Nb", "a\nb"},
        {"comma", "a\\,b", "a,b"},
        {"semicolon", "a\\;b", "a;b"},
        {"backslash", "a\\\\nb", "a\\nb"},
        {"colon", "http\\://x", "http://x"},
        {"other backslash kept", "C:\\temp\\x", "C:\\temp\\x"},
        {"trailing backslash kept", "a\\", "a\\"},
        {"crlf", "a\r\nb", "a\nb"},
        {"lone cr", "a\rb", "a\nb"},
        {"lf stays", "a\nb", "a\nb"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out = "kept:";
        appendUnescaped(c.in, out);
        EXPECT_EQ(out, "kept:" + c.out);
    }
}

TEST(value_decoder_test, splitting_before_unescaping)
{
    const struct {
        const char* in;
        char separator;
        std::vector<std::string_view> parts;
    } cases[] = {
        {"a;b;c", ';', {"a", "b", "c"}},
        {";;street;;", ';', {"", "", "street", "", ""}},
        {"a\\;b;c", ';', {"a\\;b", "c"}},
        {"a\\\\;b", ';', {"a\\\\", "b"}},
        {"Work,Friends", ',', {"Work", "Friends"}},
        {"a\\,b,c", ',', {"a\\,b", "c"}},
        {"a,b;c", ';', {"a,b", "c"}},
        {"", ';', {""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        std::vector<std::string_view> parts;
        splitUnescaped(c.in, c.separator, parts);
        EXPECT_EQ(parts, c.parts);
    }
}

TEST(value_decoder_test, percent_and_parameter_escapes)
{
    const TextCase percent[] = {
        {"space", "google%20talk", "google talk"},
        {"lower hex", "a%c3%a9", "a\xC3\xA9"},
        {"no hex", "100%", "100%"},
        {"one digit", "%4", "%4"},
        {"bad digits", "%zz", "%zz"},
    };
    for (const TextCase& c : percent) {
        SCOPED_TRACE(c.name);
        std::string out;
        appendPercentDecoded(c.in, out);
        EXPECT_EQ(out, c.out);
    }
    const TextCase parameter[] = {
        {"caret n", "1 Main^nTown", "1 Main\nTown"},
        {"caret quote", "say ^'hi^'", "say \"hi\""},
        {"caret caret", "a^^b", "a^b"},
        {"other caret", "a^b", "a^b"},
        {"backslash n", "1 Main\\nTown", "1 Main\nTown"},
    };
    for (const TextCase& c : parameter) {
        SCOPED_TRACE(c.name);
        std::string out;
        appendParameterText(c.in, out);
        EXPECT_EQ(out, c.out);
    }
}

}  // namespace
}  // namespace brimwell::vcard
