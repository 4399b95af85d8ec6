#include "vcard/logical_lines.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace brimwell::vcard {
namespace {

/// The logical lines of `text`, a line that is no property marked with a leading `!`.
std::vector<std::string> logicalLines(const std::string& text)
{
    std::istringstream in(text);
    LineSource source(in, 4);  // small blocks: joins across every block boundary
    LogicalLines lines(source);
    LogicalLine line;
    std::vector<std::string> result;
    while (lines.next(line))
        result.push_back((line.isProperty ? "" : "!") + std::string(line.text));
    return result;
}

struct Case {
    const char* name;
    const char* text;
    std::vector<std::string> lines;
};

TEST(logical_lines_test, unfolding_and_soft_breaks)
{
    const Case cases[] = {
        {"space fold", "NOTE:ab\r\n cd\r\nFN:x", {"NOTE:abcd", "FN:x"}},
        {"fold inside the name", "NO\n TE:x", {"NOTE:x"}},
        {"first line folded", " BEGIN:VCARD\nN:x", {"BEGIN:VCARD", "N:x"}},
        {"blank lines skipped", "A:1\n\n  \nB:2", {"A:1", "B:2"}},
        {"mark of a joined file",
         "END:VCARD\n\xEF\xBB\xBF"
         "BEGIN:VCARD",
         {"END:VCARD", "BEGIN:VCARD"}},
        {"no colon", "hello\nA:1", {"!hello", "A:1"}},
        {"soft break into a # line",
         "NOTE;QUOTED-PRINTABLE:ab=\n#cd\n# c",
         {"NOTE;QUOTED-PRINTABLE:ab#cd", "!# c"}},
        {"soft break into a property-like line",
         "NOTE;ENCODING=QP:a=\nFN:x",
         {"NOTE;ENCODING=QP:aFN:x"}},
        {"soft break at the end of the file", "NOTE;ENCODING=QP:ab=", {"NOTE;ENCODING=QP:ab="}},
        {"= without quoted-printable", "NOTE:ab=\ncd:x", {"NOTE:ab=", "cd:x"}},
        {"unindented base64",
         "PHOTO;ENCODING=BASE64:QUJD\nREVG\n\nFN:x",
         {"PHOTO;ENCODING=BASE64:QUJDREVG", "FN:x"}},
        {"bare base64 stops at a property",
         "PHOTO;BASE64:QUJD\nFN:x",
         {"PHOTO;BASE64:QUJD", "FN:x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(logicalLines(c.text), c.lines);
    }
}

// Looking for a line that might join a value reads on, which moves the source's buffer:
// the property must still be that of the line.
TEST(logical_lines_test, a_property_outlives_the_look_for_a_joining_line)
{
    const std::string data(300, 'Q');
    for (const char* encoding : {"ENCODING=BASE64", "ENCODING=QUOTED-PRINTABLE"}) {
        SCOPED_TRACE(encoding);
        const std::string value = std::string(encoding).ends_with("BASE64") ? data : data + "=";
        std::istringstream in("PHOTO;" + std::string(encoding) + ":" + value +
                              "\r\n\r\nNOTE:x\r\n");
        LineSource source(in, 5);
        LogicalLines lines(source);
        LogicalLine line;
        ASSERT_TRUE(lines.next(line));
        ASSERT_TRUE(line.isProperty);
        EXPECT_EQ(line.property.name, "PHOTO");
        EXPECT_EQ(line.property.value, value);
        ASSERT_TRUE(lines.next(line));
        EXPECT_EQ(line.property.name, "NOTE");
    }
}

}  // namespace
}  // namespace brimwell::vcard
