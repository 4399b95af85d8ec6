// The Google Contacts layout: its fixed columns, numbered groups sized by every contact,
// Google's label words and preference marks, the Labels column and the column filter.
#include "vcard/csv/google_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "csv_test_support.h"
#include "vcard/csv/csv_layouts.h"
#include "vcard/csv/google_labels.h"

namespace brimwell::vcard::csv {
namespace {

using testing::date;
using testing::expectCells;
using testing::Table;
using testing::typed;
using testing::writeCsv;

Contact annLee()
{
    Contact c;
    c.formattedName = "Ann Lee";
    c.name = {"Lee", "Ann", "Q.", "Dr.", "PhD"};
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

TEST(google_layout_test, fixed_columns_take_names_organisation_dates_and_labels)
{
    GoogleLayout empty;
    EXPECT_EQ(writeCsv(empty, {}),
              "First Name,Middle Name,Last Name,Phonetic First Name,Phonetic Middle Name,"
              "Phonetic Last Name,Name Prefix,Name Suffix,Nickname,File As,Organization Name,"
              "Organization Title,Organization Department,Birthday,Notes,Photo,Labels\r\n");
    EXPECT_EQ(empty.columnCount(), 17u);

    Contact onlyName;
    onlyName.formattedName = "Only FN";
    const DateValue birthdays[] = {date("--0412", 0, 4, 12), date("0600-01-02", 600, 1, 2),
                                   DateValue{"spring 1980", std::nullopt}};
    std::vector<Contact> contacts = {annLee(), onlyName};
    for (const DateValue& birthday : birthdays)
        contacts.emplace_back().birthday = birthday;
    GoogleLayout layout;
    const Table table(writeCsv(layout, contacts));
    expectCells(table, 0,
                "First Name=Ann|Middle Name=Q.|Last Name=Lee|Phonetic First Name=An|"
                "Phonetic Last Name=Lii|Name Prefix=Dr.|Name Suffix=PhD|Nickname=Annie ::: A|"
                "Organization Name=Acme|Organization Title=Boss|"
                "Organization Department=Sales ::: East|Birthday=1980-04-12|"
                "Notes=first\r\nsecond|Photo=http://example.com/a.jpg|"
                "Labels=Friends ::: VIP ::: * myContacts|");
    // Without N the formatted name is the first name, or Google would import no name.
    expectCells(table, 1, "First Name=Only FN|Labels=* myContacts|");
    // Dates are ISO, with dashes for a missing year; one that is only text stays as it is.
    for (const auto& [row, cell] : {std::pair{2, "--04-12"}, {3, "0600-01-02"}, {4, "spring 1980"}})
        EXPECT_EQ(table.cell(row, "Birthday"), cell);
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
    EXPECT_FALSE(table.hasColumn("E-mail 3 - Value"));
    EXPECT_FALSE(table.hasColumn("Relation 1 - Value"));
    expectCells(table, 0, "E-mail 2 - Value=b@x|Phone 3 - Value=|Address 1 - City=|");
    expectCells(table, 1, "E-mail 2 - Value=|Phone 3 - Value=4|Address 1 - City=Town|");
}

TEST(google_layout_test, groups_in_the_order_of_googles_export_and_the_preferred_value_marked)
{
    Contact c;
    c.emails = {typed("a@x", {"home"}), typed("b@x", {"work"}, 2), typed("c@x", {}, 1)};
    c.phones = {typed("1", {"cell"}, 1), typed("2", {"cell"}, 1)};
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
    // Only the most preferred value is marked; the first of two alike wins.
    expectCells(table, 0,
                "E-mail 1 - Label=Home|E-mail 2 - Label=Work|E-mail 3 - Label=* |"
                "Phone 1 - Label=* Mobile|Phone 2 - Label=Mobile|Address 1 - Extended Address=|"
                "Relation 1 - Label=Spouse|Relation 1 - Value=Bob|Event 1 - Label=Anniversary|"
                "Event 1 - Value=2001-02-03|IM 1 - Service=Skype|IM 1 - Value=ann.lee|"
                "Custom Field 1 - Label=Role|Custom Field 1 - Value=Lead|");
}

TEST(google_layout_test, labels_in_googles_words)
{
    using enum LabelledValue;
    const std::tuple<LabelledValue, std::vector<std::string>, const char*, const char*> cases[] = {
        {Email, {"internet", "home"}, "", "Home"}, {Email, {"internet"}, "", ""},
        {Email, {"home"}, "Private", "Private"},   {Phone, {"cell"}, "", "Mobile"},
        {Phone, {"home", "fax"}, "", "Home Fax"},  {Phone, {"fax", "work"}, "", "Work Fax"},
        {Phone, {"fax"}, "", "Other Fax"},         {Phone, {"work", "cell"}, "", "Work Mobile"},
        {Phone, {"pager"}, "", "Pager"},           {Phone, {"main"}, "", "Main"},
        {Phone, {"voice", "home"}, "", "Home"},    {Phone, {"voice"}, "", ""},
        {Phone, {}, "HomeFAX", "Home Fax"},        {Address, {"work", "postal"}, "", "Work"},
        {Address, {"other"}, "", "Other"},         {Website, {"blog"}, "", "Blog"},
        {Relation, {"child"}, "", "Child"},        {Relation, {"co-worker"}, "", "co-worker"}};
    for (const auto& [kind, types, label, expected] : cases) {
        Attributes attributes;
        attributes.types = types;
        attributes.label = label;
        EXPECT_EQ(googleLabel(kind, attributes), expected)
            << int(kind) << " " << (types.empty() ? "" : types[0]) << " " << label;
    }
}

TEST(google_layout_test, filter_keeps_the_ticked_kinds_in_layout_order)
{
    using Header = std::vector<std::string>;
    const std::tuple<FieldKinds, Header> cases[] = {
        {{false, true, false, false}, {"E-mail 1 - Label", "E-mail 1 - Value"}},
        {{false, true, true, false},
         {"E-mail 1 - Label", "E-mail 1 - Value", "Phone 1 - Label", "Phone 1 - Value"}},
        {{true, false, false, false},
         {"First Name", "Middle Name", "Last Name", "Phonetic First Name", "Phonetic Middle Name",
          "Phonetic Last Name", "Name Prefix", "Name Suffix", "Nickname", "File As"}}};
    Contact c = annLee();
    c.emails = {typed("a@x")};
    c.phones = {typed("1")};
    c.urls = {typed("http://x")};
    for (const auto& [kinds, header] : cases) {
        GoogleLayout layout(kinds);
        EXPECT_EQ(Table(writeCsv(layout, {c})).header(), header) << header.back();
    }
    // None ticked is no filter, the same as all ticked.
    GoogleLayout none({false, false, false, false});
    GoogleLayout all;
    EXPECT_EQ(writeCsv(none, {c}), writeCsv(all, {c}));
}

TEST(google_layout_test, utf8_after_the_mark_and_other_separators_quoted_as_needed)
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

    Contact quoted;
    quoted.name.given = "Ann; \"Nan\"";
    quoted.notes = {"line one\nline two"};
    GoogleLayout second;
    const std::string semicolons = writeCsv(second, {quoted}, {";", false, true});
    EXPECT_NE(semicolons.find("\r\n\"Ann; \"\"Nan\"\"\";;;"), std::string::npos);
    EXPECT_NE(semicolons.find(";line one line two;"), std::string::npos);
}

}  // namespace
}  // namespace brimwell::vcard::csv
