#include "conversion/property_lookup.h"

#include <gtest/gtest.h>

#include "support/scripted_window.h"
#include "support/temp_dir.h"

using namespace brimwell;

namespace {

struct LookupCase {
    const char* name;
    std::string fileBytes;
    const char* property;
    const char* typeWord;
    std::string expected;
};

const std::string kUtf8Mark = "\xEF\xBB\xBF";

const LookupCase kLookupCases[] = {
    // Which line qualifies.
    {"no parameters for CELL", "TEL:555\r\nTEL;TYPE=CELL:1\r\n", "TEL", "CELL", "555"},
    {"no parameters for FAX", "TEL:555\r\nTEL;TYPE=FAX:1\r\n", "TEL", "FAX", "555"},
    {"HOME takes any parameters", "TEL;TYPE=CELL:1\r\nTEL;TYPE=HOME:2\r\n", "TEL", "HOME", "1"},
    {"home in lower case is a type word", "TEL;TYPE=CELL:1\r\nTEL;TYPE=HOME:2\r\n", "TEL", "home",
     "2"},
    {"type word in any case", "TEL;TYPE=HOME:1\r\nTEL;TYPE=work:2\r\n", "TEL", "WORK", "2"},
    {"type word in a list", "TEL;TYPE=WORK,FAX:3\r\n", "TEL", "FAX", "3"},
    {"type word inside another word", "TEL;X-NETWORK:4\r\n", "TEL", "WORK", "4"},
    {"type word absent", "TEL;TYPE=CELL:1\r\n", "TEL", "PAGER", ""},
    {"empty type word takes any line", "TEL;TYPE=WORK:1\r\nTEL:2\r\n", "TEL", "", "1"},
    {"property name in any case", "tel;type=cell:5\r\n", "TEL", "CELL", "5"},
    {"spaces around the name", " tel ;TYPE=CELL:6\r\n", "TEL", "CELL", "6"},
    {"name asked in lower case", "TEL:5\r\n", "tel", "", ""},
    {"grouped property", "item1.TEL:5\r\n", "TEL", "", ""},
    {"longer property name", "TELX:5\r\n", "TEL", "", ""},
    {"line without colon", "NOTE\r\nNOTE:x\r\n", "NOTE", "", "x"},
    {"empty value ends the search", "TEL:\r\nTEL:7\r\n", "TEL", "", ""},
    {"second colon cuts the value", "NOTE:Call at 10:30\r\n", "NOTE", "", "Call at 10"},
    {"second contact answers", "BEGIN:VCARD\r\nFN:Ann\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Bo\r\n"
     "TITLE:Chief\r\nEND:VCARD\r\n", "TITLE", "", "Chief"},
    {"continuation is a line of its own", "NOTE;QUOTED-PRINTABLE:abc=\r\n =0Adef\r\n", "NOTE", "",
     "abc="},
    // Value clean-up.
    {"quoted line break", "NOTE:a=0D=0Ab\r\n", "NOTE", "", "a b"},
    {"escaped line break", "NOTE:a\\nb\r\n", "NOTE", "", "a b"},
    {"lower-case =0d stays", "NOTE:a=0db\r\n", "NOTE", "", "a=0db"},
    {"other escapes stay", "NOTE:a\\,b=41\r\n", "NOTE", "", "a\\,b=41"},
    {"spaces trimmed, tabs kept", "NOTE: \ta\t \r\n", "NOTE", "", "\ta\t"},
    {"=0D becomes a trimmed space", "NOTE:a=0D\r\n", "NOTE", "", "a"},
    {"=0A removed after \\n", "NOTE:a\\=0An\r\n", "NOTE", "", "a\\n"},
    {"one pass per replacement", "NOTE:=0=0AA\r\n", "NOTE", "", "=0A"},
    {"carriage return removed after =0D", kUtf8Mark + "NOTE:a=0\rD \r\n", "NOTE", "", "a=0D"},
    {"UTF-8 mark with line feeds is one line", kUtf8Mark + "BEGIN:VCARD\nFN:Ann\nEND:VCARD\n",
     "FN", "", ""},
};

TEST(property_lookup_test, lookup_rules)
{
    for (const LookupCase& row : kLookupCases) {
        test::ScriptedWindow window;
        const LineArray lines = linesFromFileBytes(row.fileBytes);
        EXPECT_EQ(lookupValue(window, lines, row.property, row.typeWord), row.expected) << row.name;
    }
}

TEST(property_lookup_test, yields_before_each_examined_line)
{
    test::ScriptedWindow window;
    const LineArray lines = linesFromFileBytes("A:1\r\nB:2\r\nTEL:3\r\nC:4\r\n");
    lookupValue(window, lines, "TEL", "");
    EXPECT_EQ(window.yields, 3);
    lookupValue(window, lines, "ORG", "");
    EXPECT_EQ(window.yields, 7);
}

TEST(property_lookup_test, reads_the_file_at_every_call)
{
    test::TempDir dir;
    test::ScriptedWindow window;
    const std::string path = dir.write("a.vcf", "FN:Ann\r\n");
    EXPECT_EQ(GetVCFValue(window, path, "FN", ""), "Ann");
    dir.write("a.vcf", "FN:Bo\r\n");
    EXPECT_EQ(GetVCFValue(window, path, "FN", ""), "Bo");
    EXPECT_TRUE(window.messages.empty());
}

TEST(property_lookup_test, unreadable_file_is_reported_once_per_read)
{
    test::TempDir dir;
    test::ScriptedWindow window;
    const std::string path = dir.file("gone.vcf");
    EXPECT_EQ(GetVCFValue(window, path, "FN", ""), "");
    const std::vector<std::string> expected = {
        "cannot open file " + path + ": No such file or directory\r\n"
        "in Tresko2021/08/31.modCSV.GetVCFValue at line 1\r\r"
        "Please email screenshot of this message to support@brimwell.app"};
    EXPECT_EQ(window.errorReports(), expected);

    const VcfLookup lookup(window, path);
    EXPECT_EQ(lookup.value("FN", ""), "");
    EXPECT_EQ(lookup.value("TEL", "HOME"), "");
    EXPECT_EQ(window.errorReports().size(), 2u);
}

}  // namespace
