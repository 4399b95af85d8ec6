// The Google Contacts layout: its fixed columns, numbered groups sized by every contact,
// Google's label words and preference marks, the Labels column and the column filter.
#include "vcard/csv/google_layout.h"

#include <gtest/gtest.h>

#include "csv_test_support.h"
#include "vcard/csv/google_labels.h"

namespace brimwell::vcard::csv {
namespace {

using testing::date;
using testing::Table;
using testing::typed;
using testing::writeCsv;

constexpr std::string_view kFixedHeader =
    "First Name,Middle Name,Last Name,Phonetic First Name,Phonetic Middle Name,"
    "Phonetic Last Name,Name Prefix,Name Suffix,Nickname,File As,Organization Name,"
    "Organization Title,Organization Department,Birthday,Notes,Photo,Labels";

Contact annLee()
{
    Contact c;
    c.formattedName = "Ann Lee";
    c.name.family = "Lee";
    c.name.given = "Ann";
    c.name.additional = "Q.";
    c.name.prefix = "Dr.";
    c.name.suffix = "PhD";
    c.phonetic.family = "Lii";
    c.phonetic.given = "An";
    c.nicknames = {"Annie", "A"};
    c.organization = "Acme";
    c.organizationUnits = {"Sales", "East"};
    c.title = "Boss";
    c.birthday = date("19800412", 1980, 4, 12);
    c.notes = {"first", "second"};
    c.photoUrl = "http://example.com/a.jpg";
    c.categories = {"Friends", "VIP"};
    return c;
}

TEST(google_layout_test, header_starts_with_the_seventeen_fixed_columns)
{
    GoogleLayout layout;
    const std::string csv = writeCsv(layout, {});
    EXPECT_EQ(csv, std::string(kFixedHeader) + "\r\n");
    EXPECT_EQ(layout.columnCount(), 17u);
}

TEST(google_layout_test, fixed_columns_take_names_organisation_dates_and_labels)
{
    GoogleLayout layout;
    const Table table(writeCsv(layout, {annLee()}));
    const std::pair<const char*, const char*> expected[] = {
        {"First Name", "Ann"},
        {"Middle Name", "Q."},
        {"Last Name", "Lee"},
        {"Phonetic First Name", "An"},
        {"Phonetic Last Name", "Lii"},
        {"Name Prefix", "Dr."},
        {"Name Suffix", "PhD"},
        {"Nickname", "Annie ::: A"},
        {"Organization Name", "Acme"},
        {"Organization Title", "Boss"},
        {"Organization Department", "Sales ::: East"},
        {"Birthday", "1980-04-12"},
        {"Notes", "first\r\nsecond"},
        {"Photo", "http://example.com/a.jpg"},
        {"Labels", "Friends ::: VIP ::: * myContacts"},
    };
    for (const auto& [column, value] : expected)
        EXPECT_EQ(table.cell(0, column), value) << column;
}

TEST(google_layout_test, a_contact_without_categories_is_in_my_contacts)
{
    GoogleLayout layout;
    Contact c;
    c.formattedName = "Only FN";
    const Table table(writeCsv(layout, {c}));
    EXPECT_EQ(table.cell(0, "Labels"), "* myContacts");
    // Without N the formatted name is the first name, or Google would import no name.
    EXPECT_EQ(table.cell(0, "First Name"), "Only FN");
}

struct DateCase {
    const char* name;
    DateValue birthday;
    const char* cell;
};

TEST(google_layout_test, dates_are_iso_with_dashes_for_a_missing_year)
{
    const DateCase cases[] = {
        {"full date", date("1980-04-12", 1980, 4, 12), "1980-04-12"},
        {"no year", date("--0412", 0, 4, 12), "--04-12"},
        {"early year", date("0600-01-02", 600, 1, 2), "0600-01-02"},
        {"text only", DateValue{"spring 1980", std::nullopt}, "spring 1980"},
    };
    for (const DateCase& c : cases) {
        GoogleLayout layout;
        Contact contact;
        contact.birthday = c.birthday;
        EXPECT_EQ(Table(writeCsv(layout, {contact})).cell(0, "Birthday"), c.cell) << c.name;
    }
}

TEST(google_layout_test, numbered_groups_grow_to_the_contact_that_has_most)
{
    Contact twoEmails;
    twoEmails.emails = {typed("a@x"), typed("b@x")};
    twoEmails.phones = {typed("1")};
    Contact threePhones;
    threePhones.emails = {typed("c@x")};
    threePhones.phones = {typed("2"), typed("3"), typed("4")};
    threePhones.addresses.resize(1);
    threePhones.addresses[0].locality = "Town";

    GoogleLayout layout;
    const Table table(writeCsv(layout, {twoEmails, threePhones}));
    EXPECT_EQ(table.header().size(), 17u + 2 * 2 + 3 * 2 + 9);
    EXPECT_TRUE(table.rectangular());
    EXPECT_TRUE(table.hasColumn("E-mail 2 - Value"));
    EXPECT_FALSE(table.hasColumn("E-mail 3 - Value"));
    EXPECT_TRUE(table.hasColumn("Phone 3 - Value"));
    EXPECT_FALSE(table.hasColumn("Relation 1 - Value"));
    EXPECT_EQ(table.cell(0, "E-mail 2 - Value"), "b@x");
    EXPECT_EQ(table.cell(0, "Phone 3 - Value"), "");
    EXPECT_EQ(table.cell(0, "Address 1 - City"), "");
    EXPECT_EQ(table.cell(1, "E-mail 2 - Value"), "");
    EXPECT_EQ(table.cell(1, "Phone 3 - Value"), "4");
    EXPECT_EQ(table.cell(1, "Address 1 - City"), "Town");
}

TEST(google_layout_test, groups_come_in_the_order_of_googles_export)
{
    Contact c;
    c.emails = {typed("a@x")};
    c.phones = {typed("1")};
    c.addresses.resize(1);
    c.relations = {{"Bob", {{"spouse"}, 0, "", ""}}};
    c.urls = {typed("http://x")};
    c.anniversary = date("2001-02-03", 2001, 2, 3);
    c.ims = {{"skype", "ann.lee", {}}};
    c.role = "Lead";
    GoogleLayout layout;
    const Table table(writeCsv(layout, {c}));
    std::vector<std::string> groups;
    for (const std::string& column : table.header()) {
        const std::size_t number = column.find(" 1 - ");
        if (number != std::string::npos &&
            (groups.empty() || groups.back() != column.substr(0, number)))
            groups.push_back(column.substr(0, number));
    }
    EXPECT_EQ(groups, (std::vector<std::string>{"E-mail", "Phone", "Address", "Relation", "Website",
                                                "Event", "IM", "Custom Field"}));
    EXPECT_EQ(table.cell(0, "Address 1 - Extended Address"), "");
    EXPECT_EQ(table.cell(0, "Relation 1 - Label"), "Spouse");
    EXPECT_EQ(table.cell(0, "Relation 1 - Value"), "Bob");
    EXPECT_EQ(table.cell(0, "Event 1 - Label"), "Anniversary");
    EXPECT_EQ(table.cell(0, "Event 1 - Value"), "2001-02-03");
    EXPECT_EQ(table.cell(0, "IM 1 - Service"), "Skype");
    EXPECT_EQ(table.cell(0, "IM 1 - Value"), "ann.lee");
    EXPECT_EQ(table.cell(0, "Custom Field 1 - Label"), "Role");
    EXPECT_EQ(table.cell(0, "Custom Field 1 - Value"), "Lead");
}

struct LabelCase {
    LabelledValue kind;
    std::vector<std::string> types;
    const char* label;
    const char* expected;
};

TEST(google_layout_test, labels_in_googles_words)
{
    using enum LabelledValue;
    const LabelCase cases[] = {
        {Email, {"internet", "home"}, "", "Home"},
        {Email, {"work"}, "", "Work"},
        {Email, {"internet"}, "", ""},
        {Email, {"home"}, "Private", "Private"},
        {Phone, {"cell"}, "", "Mobile"},
        {Phone, {"cell", "voice"}, "", "Mobile"},
        {Phone, {"home", "fax"}, "", "Home Fax"},
        {Phone, {"fax", "work"}, "", "Work Fax"},
        {Phone, {"fax"}, "", "Other Fax"},
        {Phone, {"work", "cell"}, "", "Work Mobile"},
        {Phone, {"pager"}, "", "Pager"},
        {Phone, {"main"}, "", "Main"},
        {Phone, {"voice", "home"}, "", "Home"},
        {Phone, {"voice"}, "", ""},
        {Phone, {}, "Mobile", "Mobile"},
        {Phone, {}, "HomeFAX", "Home Fax"},
        {Address, {"work", "postal"}, "", "Work"},
        {Address, {"other"}, "", "Other"},
        {Website, {}, "HomePage", "Home Page"},
        {Website, {"blog"}, "", "Blog"},
        {Website, {"work"}, "", "Work"},
        {Relation, {"child"}, "", "Child"},
        {Relation, {"co-worker"}, "", "co-worker"},
        {Relation, {}, "Godfather", "Godfather"},
        {Im, {"work"}, "", "Work"},
    };
    for (const LabelCase& c : cases) {
        Attributes attributes;
        attributes.types = c.types;
        attributes.label = c.label;
        EXPECT_EQ(googleLabel(c.kind, attributes), c.expected)
            << int(c.kind) << " " << (c.types.empty() ? "" : c.types[0]) << " " << c.label;
    }
}

TEST(google_layout_test, only_the_most_preferred_value_is_marked)
{
    Contact c;
    c.emails = {typed("a@x", {"home"}), typed("b@x", {"work"}, 2), typed("c@x", {}, 1)};
    c.phones = {typed("1", {"cell"}, 1), typed("2", {"cell"}, 1)};
    GoogleLayout layout;
    const Table table(writeCsv(layout, {c}));
    EXPECT_EQ(table.cell(0, "E-mail 1 - Label"), "Home");
    EXPECT_EQ(table.cell(0, "E-mail 2 - Label"), "Work");
    EXPECT_EQ(table.cell(0, "E-mail 3 - Label"), "* ");
    EXPECT_EQ(table.cell(0, "Phone 1 - Label"), "* Mobile");
    EXPECT_EQ(table.cell(0, "Phone 2 - Label"), "Mobile");
}

struct FilterCase {
    const char* name;
    FieldKinds kinds;
    std::vector<std::string> header;
};

TEST(google_layout_test, filter_keeps_the_ticked_kinds_in_layout_order)
{
    const FilterCase cases[] = {
        {"emails", {false, true, false, false}, {"E-mail 1 - Label", "E-mail 1 - Value"}},
        {"phones and emails",
         {false, true, true, false},
         {"E-mail 1 - Label", "E-mail 1 - Value", "Phone 1 - Label", "Phone 1 - Value"}},
        {"names",
         {true, false, false, false},
         {"First Name", "Middle Name", "Last Name", "Phonetic First Name", "Phonetic Middle Name",
          "Phonetic Last Name", "Name Prefix", "Name Suffix", "Nickname", "File As"}},
    };
    Contact c = annLee();
    c.emails = {typed("a@x")};
    c.phones = {typed("1")};
    c.urls = {typed("http://x")};
    for (const FilterCase& f : cases) {
        GoogleLayout layout(f.kinds);
        EXPECT_EQ(Table(writeCsv(layout, {c})).header(), f.header) << f.name;
    }
    // None ticked is no filter, the same as all ticked.
    GoogleLayout none({false, false, false, false});
    GoogleLayout all;
    EXPECT_EQ(writeCsv(none, {c}), writeCsv(all, {c}));
}

TEST(google_layout_test, non_latin_names_stay_utf8_after_the_mark)
{
    Contact c;
    c.name.family = "山田";
    c.name.given = "太郎";
    c.emails = {typed("taro@example.jp", {"home"})};
    GoogleLayout layout;
    const std::string csv = writeCsv(layout, {c}, {}, "utf-8-bom");
    const std::string row = "太郎,,山田,,,,,,,,,,,,,,* myContacts,Home,taro@example.jp\r\n";
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(csv.substr(csv.size() - row.size()), row);
}

TEST(google_layout_test, a_second_pass_with_other_separators_quotes_as_needed)
{
    Contact c;
    c.name.given = "Ann; \"Nan\"";
    c.notes = {"line one\nline two"};
    GoogleLayout layout;
    const std::string csv = writeCsv(layout, {c}, {";", false, true});
    EXPECT_NE(csv.find("\r\n\"Ann; \"\"Nan\"\"\";;;"), std::string::npos);
    EXPECT_NE(csv.find(";line one line two;"), std::string::npos);
}

}  // namespace
}  // namespace brimwell::vcard::csv
