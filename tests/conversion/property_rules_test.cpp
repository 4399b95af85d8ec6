// The twelve property rules, the row rule and the property lookup of the Gmail layout.
#include "conversion/property_rules.h"

#include <gtest/gtest.h>

#include "conversion/property_lookup.h"
#include "conversion/row_writer.h"
#include "support/scripted_window.h"

namespace brimwell {
namespace {

struct Recorder final : FieldSink {
    std::string fields;  ///< "name=value|name=value"
    std::string names;
    void field(std::string_view name, std::string_view value) override
    {
        fields.append(fields.empty() ? "" : "|").append(name).append("=").append(value);
        names.append(name).append("|");
    }
};

/// The fields of `lines` ('\n' between lines) recognised as one contact.
Recorder recognize(const Window& window, RuleSet set, std::string_view lines, FieldParts parts)
{
    PropertyRules rules(window, set, parts);
    Recorder recorder;
    rules.startContact();
    for (auto end = lines.find('\n');; end = lines.find('\n')) {
        rules.recognize(lines.substr(0, end), recorder);
        if (end == std::string_view::npos)
            return recorder;
        lines.remove_prefix(end + 1);
    }
}

struct RuleCase {
    RuleSet set;
    std::vector<Control> ticked;
    const char* lines;
    const char* fields;
};

constexpr auto kAll = RuleSet::All;
constexpr auto kFiltered = RuleSet::Filtered;
const char* const kMixed =
    "N:Lee;Ann\nFN:Ann Lee\nNICKNAME:Bob\nEMAIL;INTERNET:a1\nEMAIL:a2\nTEL;CELL:1\nTEL:2\n"
    "ADR:;;1 Main St;Town;;;\nNOTE:n\nORG:Acme";

const RuleCase kRuleCases[] = {
    {kAll, test::boxes(), "BEGIN\n\n:x\n  :x\nVERSION:2.1\nX-FOO:1", ""},
    // A carriage return protects the spaces in front of it from the trim.
    {kAll, test::boxes(), "FN: Ann Lee \nFN: Ann \r", "Display Name=Ann Lee|Display Name=Ann "},
    {kAll, test::boxes(), "N;CHARSET=UTF-8:Lee;Ann;;Dr.;\nN:Lee\nN:  \nN: Lee ; Ann \r",
     "Last Name=Lee|First Name=Ann|Last Name=Lee|Last Name=|Last Name=Lee|First Name=Ann "},
    {kAll, test::boxes(),
     "NICKNAME:Bob\n Nice day: yes\nORG:Acme:Sales\nBDAY;VALUE=date:1\nBDAY:2\n"
     "TITLE:Boss\nROLE:Lead",
     "Nickname=Bob|Last Name=yes|Organization=Acme|Birthday=2|Job Title=Boss|Role=Lead"},
    {kAll, test::boxes(),
     "EMAIL;TYPE=INTERNET:a1\nEMAIL:a2\nitem1.EMAIL;type=INTERNET:a3\nemail; x: a4 \r",
     "Email Address=a1|Email Address 2=a2|Email Address 3=a3|Email Address 4= a4 "},
    {kAll, test::boxes(),
     "URL;WORK:a:b\nURL:c\nNOTE:a\\nb: c \nNOTE;ENCODING=QUOTED-PRINTABLE:one=0D=0A=two",
     "Website=a:b|Website 2=c|Notes=a b: c|Notes=one\r\ntwo"},
    {kAll, test::boxes(),
     "item1.ADR;type=HOME:;;x\nADR;TYPE=HOME:;;1 Main St;Springfield;IL;P1;USA\n"
     "ADR:;Flat 2;1 Main St;Town\nADR;HOME:a;b\nADR;HOME:;;1 Main\\nSt=0DBack;Town\\n",
     "Home Address 1=1 Main St|Home Address 2=|Home City=Springfield|Home State=IL|"
     "Home Postal Code=P1|Home Country=USA|Home Address 1=Flat 2|Home Address 2=1 Main St|"
     "Home City=Town|Home Address 1=1 Main St Back|Home Address 2=|Home City=Town\\n"},
    {kAll, test::boxes(), "ADR;TYPE=work:;;1 Main St;Springfield;IL;P1;USA;extra\nADR;WORK:a;b",
     "Business Address 1=|Business Address 2=1 Main St|Business City=Springfield|"
     "Business State=IL|Business Postal Code=P1|Business Country=USA|Business Address 1=b"},
    {kAll, test::boxes(),
     "TEL;TYPE=WORK;TYPE=FAX:1\ntel;type=cell:2\nTEL;PAGER:3\nTEL;WORK:4\n"
     "TEL;X-NETWORK:5\nTEL:6\nitem1.TEL:7\nTEL;CELL:8\nTEL;HOME: 9 \r",
     "Home Fax=1|Mobile Phone=2|Pager=3|Business Phone=4|Business Phone 2=5|Home Phone=6|"
     "Home Phone 2=7|Mobile Phone=8|Home Phone 3= 9 "},
    // The per-file rules take e-mails, websites, notes, addresses, phones only with parameters.
    {RuleSet::AllWithParameters, test::boxes(),
     "EMAIL:a1\nTEL:5\nNOTE:t\nURL:a\nADR:;;x;y\nFN:Ann\nN:Lee\n"
     "EMAIL;INTERNET:a2\nTEL;CELL:1",
     "Display Name=Ann|Last Name=Lee|Email Address=a2|Mobile Phone=1"},
    {kFiltered, test::boxes(Control::Check3, Control::Check8), kMixed,
     "Email Address=a1|Email Address 2=a2|Home Address 1=1 Main St|Home Address 2=|"
     "Home City=Town|Home State=|Home Postal Code=|Home Country="},
    // "NTEL" passes the name test first: with names unticked it is not tried as a phone.
    {kFiltered, test::boxes(Control::Check4), "NTEL;CELL:1\nTEL;CELL:2", "Mobile Phone=2"},
};

TEST(property_rules_test, fields_of_each_line_and_the_same_names_without_values)
{
    for (const RuleCase& row : kRuleCases) {
        SCOPED_TRACE(row.lines);
        test::ScriptedWindow window;
        for (Control box : row.ticked)
            window.checks[box] = 1;
        const Recorder full = recognize(window, row.set, row.lines, FieldParts::NamesAndValues);
        EXPECT_EQ(full.fields, row.fields);
        // Pass 1 of a combined CSV collects its columns from the names alone.
        EXPECT_EQ(recognize(window, row.set, row.lines, FieldParts::NamesOnly).names, full.names);
    }
}

TEST(row_writer_test, builds_the_line)
{
    // Nothing is escaped; long data texts lose CR and LF eight characters at a time.
    RowBuilder quoted("");
    quoted.append("say \"hi\"", RowKind::Data, true);
    quoted.append("a,b", RowKind::Data, true);
    EXPECT_EQ(quoted.finish(), "\"say \"hi\"\"\"a,b\"");
    RowBuilder row(";");
    for (const char* text : {"\r0123456789abcdef", "01234567\n89abcdef", "0123456789abcde\r",
                             "01234567\r\n", "0123456789abcdefghij\n", "0123\r4567", "0123456789a"})
        row.append(text, RowKind::Data, false);
    EXPECT_EQ(row.finish(),
              "0123456789abcdef;0123456789abcdef;0123456789abcde;01234567;"
              "0123456789abcdefghij;01234567;0123456789a");
}

// Lines built one after another: each ends as finish() ends it, then CR LF; an empty line
// stays empty.
TEST(row_writer_test, ends_lines_one_after_another)
{
    RowBuilder row(", ");
    row.append("a", RowKind::Data, false);
    row.append("b", RowKind::Data, true);
    row.endLine();
    row.endLine();
    row.appendEmpty(2, false);
    row.endLine();
    row.append("c", RowKind::Data, false);
    EXPECT_EQ(row.endedLines(), "a, \"b\"\r\n\r\n, \r\n");
    EXPECT_EQ(row.finish(), "c");
    row.clear();
    EXPECT_EQ(row.endedLines(), "");
    row.append("d", RowKind::Data, false);
    EXPECT_EQ(row.finish(), "d");
}

// Runs of empty cells and cell endings are written with copies of a fixed size: runs on
// either side of the most one copy holds, and separators longer than a copy, give the
// same line as one cell at a time.
TEST(row_writer_test, runs_of_empty_cells)
{
    const std::vector<std::string> separators = {"", "\t", ", ", std::string(20, '|'),
                                                 std::string(130, '#')};
    for (const std::string& separator : separators) {
        for (const bool quotes : {false, true}) {
            for (const std::size_t count : {0, 1, 42, 43, 64, 200}) {
                SCOPED_TRACE(separator.substr(0, 3) + " quotes " + std::to_string(quotes) +
                             " count " + std::to_string(count));
                RowBuilder runs(separator);
                RowBuilder cells(separator);
                runs.append("x", RowKind::Data, quotes);
                cells.append("x", RowKind::Data, quotes);
                runs.appendEmpty(count, quotes);
                for (std::size_t i = 0; i < count; ++i)
                    cells.append("", RowKind::Data, quotes);
                runs.append("y", RowKind::Header, quotes);
                cells.append("y", RowKind::Header, quotes);
                std::string expected = quotes ? "\"x\"" : "x";
                for (std::size_t i = 0; i < count; ++i)
                    expected += separator + (quotes ? "\"\"" : "");
                expected += separator + (quotes ? "\"y\"" : "y");
                EXPECT_EQ(runs.finish(), expected);
                EXPECT_EQ(cells.finish(), expected);
            }
        }
    }
}

TEST(property_lookup_test, lookup_rules)
{
    struct Case {
        std::string bytes;
        const char* property;
        const char* typeWord;
        const char* expected;
    };
    const Case cases[] = {
        // Which line qualifies: "HOME" takes any, another type word must be in the head.
        {"TEL:555\r\nTEL;TYPE=CELL:1\r\n", "TEL", "CELL", "555"},
        {"TEL;TYPE=CELL:1\r\nTEL;TYPE=HOME:2\r\n", "TEL", "HOME", "1"},
        {"TEL;TYPE=HOME:1\r\nTEL;X-network:2\r\n", "TEL", "WORK", "2"},
        {"TEL;TYPE=WORK:1\r\nTEL:2\r\n", "TEL", "", "1"},
        {" tel ;type=cell:6\r\n", "TEL", "CELL", "6"},
        {"item1.TEL:5\r\nTELX:5\r\n", "TEL", "", ""},
        {"TEL:\r\nTEL:7\r\n", "TEL", "", ""},
        {"NOTE\r\nNOTE:Call at 10:30\r\n", "NOTE", "", "Call at 10"},
        {"NOTE;QUOTED-PRINTABLE:abc=\r\n =0Adef\r\n", "NOTE", "", "abc="},
        // Clean-up, one left-to-right pass per replacement; spaces trimmed, tabs kept.
        {"NOTE:a=0D=0Ab\\nc\r\n", "NOTE", "", "a b c"},
        {"NOTE:a=0db\\,=41\r\n", "NOTE", "", "a=0db\\,=41"},
        {"NOTE: \ta\t=0D \r\n", "NOTE", "", "\ta\t"},
        {"NOTE:a\\=0An\r\n", "NOTE", "", "a\\n"},
        {"NOTE:=0=0AA\r\n", "NOTE", "", "=0A"},
        {"\xEF\xBB\xBFNOTE:a=0\rD \r\n", "NOTE", "", "a=0D"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.bytes + " " + row.property + " " + row.typeWord);
        test::ScriptedWindow window;
        EXPECT_EQ(lookupValue(window, linesFromFileBytes(row.bytes), row.property, row.typeWord),
                  row.expected);
    }
}

}  // namespace
}  // namespace brimwell
