#include "conversion/property_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "support/scripted_window.h"

namespace brimwell {
namespace {

struct Recorder final : FieldSink {
    std::vector<std::string> fields;
    void field(std::string_view name, std::string_view value) override
    {
        fields.push_back(std::string(name) + "=" + std::string(value));
    }
};

using Fields = std::vector<std::string>;

Fields recognizeAll(test::ScriptedWindow& window, RuleSet rules, const std::vector<std::string>& lines)
{
    PropertyRules recognizer(window, rules);
    Recorder recorder;
    recognizer.startContact();
    for (const auto& line : lines)
        recognizer.recognize(line, recorder);
    return recorder.fields;
}

struct RuleCase {
    const char* name;
    std::vector<std::string> lines;
    Fields expected;
};

class property_rules_test : public testing::TestWithParam<RuleCase> {};

TEST_P(property_rules_test, yields_the_fields_of_each_line)
{
    test::ScriptedWindow window;
    EXPECT_EQ(recognizeAll(window, RuleSet::All, GetParam().lines), GetParam().expected);
}

TEST_P(property_rules_test, names_only_yields_the_same_names_without_values)
{
    test::ScriptedWindow window;
    PropertyRules recognizer(window, RuleSet::All, FieldParts::NamesOnly);
    Recorder recorder;
    recognizer.startContact();
    for (const auto& line : GetParam().lines)
        recognizer.recognize(line, recorder);
    // Address pieces past the street are handed over as they stand, even here.
    const std::set<std::string> rawColumns = {
        "Home City",     "Home State",     "Home Postal Code",     "Home Country",
        "Business City", "Business State", "Business Postal Code", "Business Country"};
    Fields expected;
    for (const auto& field : GetParam().expected) {
        const auto name = field.substr(0, field.find('='));
        expected.push_back(rawColumns.count(name) > 0 ? field : name + "=");
    }
    EXPECT_EQ(recorder.fields, expected);
}

INSTANTIATE_TEST_SUITE_P(
    rules, property_rules_test,
    testing::Values(
        RuleCase{"no_colon_or_empty_head", {"BEGIN", "", ":x", "  :x", "VERSION:2.1", "X-FOO:1"}, {}},
        RuleCase{"display_name_trimmed", {"FN: Ann Lee "}, {"Display Name=Ann Lee"}},
        RuleCase{"cr_protects_trailing_space", {"FN: Ann \r"}, {"Display Name=Ann "}},
        RuleCase{"name_with_charset", {"N;CHARSET=UTF-8:Lee;Ann;;Dr.;"}, {"Last Name=Lee", "First Name=Ann"}},
        RuleCase{"name_one_component", {"N:Lee"}, {"Last Name=Lee"}},
        RuleCase{"name_empty", {"N:  "}, {"Last Name="}},
        RuleCase{"name_components_trimmed_before_cr_removal", {"N: Lee ; Ann \r"}, {"Last Name=Lee", "First Name=Ann "}},
        RuleCase{"nickname_not_a_name", {"NICKNAME:Bob"}, {"Nickname=Bob"}},
        RuleCase{"folded_line_with_colon", {" Nice day: yes"}, {"Last Name=yes"}},
        RuleCase{"org_stops_at_second_colon", {"ORG:Acme:Sales"}, {"Organization=Acme"}},
        RuleCase{"bday_must_be_exact", {"BDAY;VALUE=date:1970-01-01", "BDAY:1970-01-02"}, {"Birthday=1970-01-02"}},
        RuleCase{"title_and_role", {"TITLE:Boss", "ROLE:Lead"}, {"Job Title=Boss", "Role=Lead"}},
        RuleCase{"emails_numbered", {"EMAIL;TYPE=INTERNET:a1", "EMAIL:a2", "item1.EMAIL;type=INTERNET:a3"},
                 {"Email Address=a1", "Email Address 2=a2", "Email Address 3=a3"}},
        RuleCase{"email_any_case_not_trimmed", {"email; type=home: a1 \r"}, {"Email Address= a1 "}},
        RuleCase{"website_keeps_colons", {"URL;WORK:a:b", "URL:c"}, {"Website=a:b", "Website 2=c"}},
        RuleCase{"grouped_adr_is_nothing", {"item1.ADR;type=HOME:;;x"}, {}},
        RuleCase{"home_address_without_extended",
                 {"ADR;TYPE=HOME:;;1 Main St;Springfield;IL;P1;USA"},
                 {"Home Address 1=1 Main St", "Home Address 2=", "Home City=Springfield", "Home State=IL",
                  "Home Postal Code=P1", "Home Country=USA"}},
        RuleCase{"home_address_with_extended", {"ADR:;Flat 2;1 Main St;Town"},
                 {"Home Address 1=Flat 2", "Home Address 2=1 Main St", "Home City=Town"}},
        RuleCase{"business_address", {"ADR;TYPE=work:;;1 Main St;Springfield;IL;P1;USA;extra"},
                 {"Business Address 1=", "Business Address 2=1 Main St", "Business City=Springfield",
                  "Business State=IL", "Business Postal Code=P1", "Business Country=USA"}},
        RuleCase{"short_addresses", {"ADR;HOME:a;b", "ADR;WORK:a;b"}, {"Business Address 1=b"}},
        RuleCase{"address_line_escapes", {"ADR;HOME:;;1 Main\\nSt=0DBack;Town\\n"},
                 {"Home Address 1=1 Main St Back", "Home Address 2=", "Home City=Town\\n"}},
        RuleCase{"telephone_order", {"TEL;TYPE=WORK;TYPE=FAX:1", "tel;type=cell:2", "TEL;PAGER:3",
                                     "TEL;WORK:4", "TEL;X-NETWORK:5", "TEL:6", "item1.TEL:7"},
                 {"Home Fax=1", "Mobile Phone=2", "Pager=3", "Business Phone=4", "Business Phone 2=5",
                  "Home Phone=6", "Home Phone 2=7"}},
        RuleCase{"unnumbered_columns_repeat", {"TEL;CELL:1", "TEL;CELL:2"}, {"Mobile Phone=1", "Mobile Phone=2"}},
        RuleCase{"phone_value_keeps_spaces", {"TEL;HOME: 555 \r"}, {"Home Phone= 555 "}},
        RuleCase{"note_escapes", {"NOTE:a\\nb: c "}, {"Notes=a b: c"}}),
    [](const testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

TEST(property_rules_test, note_soft_breaks_follow_remove_crlf_read_at_each_note)
{
    test::ScriptedWindow window;
    const std::string note = "NOTE;ENCODING=QUOTED-PRINTABLE:one=0D=0A=two";
    EXPECT_EQ(recognizeAll(window, RuleSet::All, {note}), Fields{"Notes=one\r\ntwo"});
    window.checks[Control::Check10] = 1;
    EXPECT_EQ(recognizeAll(window, RuleSet::All, {note}), Fields{"Notes=one two"});
}

TEST(property_rules_test, per_file_rules_need_parameters_for_rules_eight_to_twelve)
{
    test::ScriptedWindow window;
    const std::vector<std::string> lines = {"EMAIL:a1", "TEL:555", "NOTE:text", "URL:a:b", "ADR:;;x;y",
                                            "FN:Ann",   "N:Lee",   "EMAIL;INTERNET:a2", "TEL;CELL:1"};
    EXPECT_EQ(recognizeAll(window, RuleSet::AllWithParameters, lines),
              (Fields{"Display Name=Ann", "Last Name=Lee", "Email Address=a2", "Mobile Phone=1"}));
}

TEST(property_rules_test, counters_restart_with_each_contact)
{
    test::ScriptedWindow window;
    PropertyRules rules(window, RuleSet::All);
    Recorder recorder;
    rules.startContact();
    rules.recognize("EMAIL:a", recorder);
    rules.recognize("TEL:1", recorder);
    rules.startContact();
    rules.recognize("EMAIL:b", recorder);
    rules.recognize("TEL:2", recorder);
    EXPECT_EQ(recorder.fields, (Fields{"Email Address=a", "Home Phone=1", "Email Address=b", "Home Phone=2"}));
}

struct FilterCase {
    const char* name;
    std::vector<Control> ticked;
    Fields expected;
};

class filtered_rules_test : public testing::TestWithParam<FilterCase> {};

TEST_P(filtered_rules_test, keeps_only_the_ticked_kinds)
{
    test::ScriptedWindow window;
    for (Control box : GetParam().ticked)
        window.checks[box] = 1;
    const std::vector<std::string> lines = {"N:Lee;Ann", "FN:Ann Lee", "NICKNAME:Bob", "EMAIL;INTERNET:a1",
                                            "EMAIL:a2",  "TEL;CELL:1", "TEL:2",        "ADR:;;1 Main St;Town;;;",
                                            "NOTE:n",    "ORG:Acme"};
    EXPECT_EQ(recognizeAll(window, RuleSet::Filtered, lines), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    filters, filtered_rules_test,
    testing::Values(
        FilterCase{"none", {}, {}},
        FilterCase{"names", {Control::Check6}, {"Last Name=Lee", "First Name=Ann"}},
        FilterCase{"emails", {Control::Check3}, {"Email Address=a1", "Email Address 2=a2"}},
        FilterCase{"phones", {Control::Check4}, {"Mobile Phone=1", "Home Phone=2"}},
        FilterCase{"addresses", {Control::Check8},
                   {"Home Address 1=1 Main St", "Home Address 2=", "Home City=Town", "Home State=",
                    "Home Postal Code=", "Home Country="}},
        FilterCase{"names_and_phones", {Control::Check6, Control::Check4},
                   {"Last Name=Lee", "First Name=Ann", "Mobile Phone=1", "Home Phone=2"}}),
    [](const testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

TEST(filtered_rules_test, an_unticked_box_swallows_its_line_before_later_tests)
{
    test::ScriptedWindow window;
    window.checks[Control::Check4] = 1;
    // "NTEL" passes the name test first; with Names unticked it is not tried as a phone.
    EXPECT_EQ(recognizeAll(window, RuleSet::Filtered, {"NTEL;CELL:1", "TEL;CELL:2"}), Fields{"Mobile Phone=2"});
}

TEST(filtered_rules_test, boxes_are_read_at_each_match)
{
    test::ScriptedWindow window;
    PropertyRules rules(window, RuleSet::Filtered);
    Recorder recorder;
    rules.startContact();
    rules.recognize("EMAIL:a1", recorder);
    window.checks[Control::Check3] = 1;
    rules.recognize("EMAIL:a2", recorder);
    // The counter advanced only for the field actually yielded.
    EXPECT_EQ(recorder.fields, Fields{"Email Address=a2"});
}

}  // namespace
}  // namespace brimwell
