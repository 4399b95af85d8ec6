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
        {"bad=ZZescape", "bad=ZZescape", false},
        {"short=A", "short=A", false},
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
        {"trailing backslash kept", "a\\", "a\\"},
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

TEST(value_decoder_test, parts_split_at_unescaped_separators_then_unescaped)
{
    const struct {
        const char* in;
        char separator;
        std::vector<std::string> parts;
    } cases[] = {
        {"a;b;c", ';', {"a", "b", "c"}},
        {";;street;;", ';', {"", "", "street", "", ""}},
        {"a\\;b;c", ';', {"a;b", "c"}},
        {"a\\\\;b", ';', {"a\\", "b"}},
        {"a\\,b,c", ',', {"a,b", "c"}},
        {"a,b;c", ';', {"a,b", "c"}},
        {"line\\none;x\\", ';', {"line\none", "x\\"}},
        {"a\r\nb;c\rd", ';', {"a\nb", "c\nd"}},
        {"a long first part past eight bytes;and a second",
         ';',
         {"a long first part past eight bytes", "and a second"}},
        {"", ';', {""}},
        {",", ',', {"", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        std::vector<std::string> parts;
        appendUnescapedParts(c.in, c.separator, [&](std::size_t n) {
            EXPECT_EQ(n, parts.size());
            return &parts.emplace_back();
        });
        EXPECT_EQ(parts, c.parts);
    }
}

TEST(value_decoder_test, parts_without_a_target_are_left_out)
{
    std::string first;
    std::string third = "kept:";
    appendUnescapedParts("one;two\\;too;three;four", ';', [&](std::size_t n) {
        return n == 0 ? &first : n == 2 ? &third : nullptr;
    });
    EXPECT_EQ(first, "one");
    EXPECT_EQ(third, "kept:three");
}

TEST(value_decoder_test, percent_and_parameter_escapes)
{
    const TextCase percent[] = {
        {"space", "google%20talk", "google talk"},
        {"lower hex", "a%c3%a9", "a\xC3\xA9"},
        {"no hex", "100%", "100%"},
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
