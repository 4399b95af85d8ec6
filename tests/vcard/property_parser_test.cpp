#include "vcard/property_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace brimwell::vcard {
namespace {

/// The property as `group|name|param=value,...|value`; a bare parameter shows no `=`.
std::string described(std::string_view line)
{
    Property property;
    if (!parseProperty(line, property))
        return "no property";
    std::string text = std::string(property.group) + "|" + std::string(property.name) + "|";
    for (std::size_t i = 0; i < property.parameters.size(); ++i) {
        const Parameter& parameter = property.parameters[i];
        text += (i > 0 ? "," : "");
        text += parameter.name.empty() ? "" : std::string(parameter.name) + "=";
        text += parameter.value;
    }
    return text + "|" + std::string(property.value);
}

TEST(property_parser_test, every_parameter_form)
{
    const struct {
        const char* line;
        const char* expected;
    } cases[] = {
        {"FN:Ann", "|FN||Ann"},
        {"fn:Ann", "|fn||Ann"},
        {"a.b.TEL:1", "a.b|TEL||1"},
        {"TEL;CELL;PREF:1", "|TEL|CELL,PREF|1"},
        {"TEL;TYPE=cell;TYPE=voice;PREF=1:1", "|TEL|TYPE=cell,TYPE=voice,PREF=1|1"},
        {"NOTE;LANGUAGE=de :x", "|NOTE|LANGUAGE=de|x"},
        {"TEL; CELL ;;:1", "|TEL|CELL|1"},
        {"NOTE:a:b;c", "|NOTE||a:b;c"},
        {"NOTE:", "|NOTE||"},
        {"X-messaging/twitter-All:x", "|X-messaging/twitter-All||x"},
        {"NOTE;X=\"open:value", "|NOTE|X=\"open|value"},
        {"no colon", "no property"},
        {"NOTE;TYPE=a", "no property"},
        {"", "no property"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(described(c.line), c.expected);
    }
}

TEST(property_parser_test, encodings_types_and_parameter_values)
{
    const struct {
        const char* line;
        ValueEncoding encoding;
    } encodings[] = {
        {"NOTE:x", ValueEncoding::None},
        {"NOTE;ENCODING=QUOTED-PRINTABLE:x", ValueEncoding::QuotedPrintable},
        {"NOTE;encoding=qp:x", ValueEncoding::QuotedPrintable},
        {"PHOTO;ENCODING=b:x", ValueEncoding::Base64},
        {"PHOTO;BASE64:x", ValueEncoding::Base64},
        {"PHOTO;B:x", ValueEncoding::None},  // a bare B is a type, not an encoding
        {"NOTE;ENCODING=8BIT:x", ValueEncoding::None},
    };
    for (const auto& c : encodings) {
        SCOPED_TRACE(c.line);
        Property property;
        ASSERT_TRUE(parseProperty(c.line, property));
        EXPECT_EQ(property.encoding, c.encoding);
    }
    Property property;
    ASSERT_TRUE(parseProperty("TEL;TYPE=home,X-IRMC-N;cell;CHARSET=koi8-r:1", property));
    EXPECT_TRUE(hasType(property, "x-irmc-n"));
    EXPECT_TRUE(hasType(property, "CELL"));
    EXPECT_FALSE(hasType(property, "koi8-r"));
    EXPECT_EQ(parameterValue(property, "charset"), "koi8-r");
    EXPECT_EQ(property.charset, "koi8-r");
    EXPECT_EQ(parameterValue(property, "LANGUAGE"), "");
}

TEST(property_parser_test, what_starts_a_property)
{
    EXPECT_TRUE(startsProperty("FN:x"));
    EXPECT_TRUE(startsProperty("item1.TEL;CELL:1"));
    EXPECT_TRUE(startsProperty("X-messaging/twitter-All:x"));
    EXPECT_FALSE(startsProperty("=C3=A9 more"));
    EXPECT_FALSE(startsProperty(":x"));
    EXPECT_FALSE(startsProperty(".TEL:x"));
    EXPECT_FALSE(startsProperty("a..TEL:x"));
}

}  // namespace
}  // namespace brimwell::vcard
