// The three layouts. Google Contacts: its fixed columns, numbered groups sized by every
// contact, Google's label words and preference marks, the Labels column and the column
// filter. Outlook: its 92 fixed columns, the slot each value takes, Outlook's dates, and the
// values without a free slot that go to Notes and are counted. The spreadsheet: every value
// of the model in a column named in plain English, with its types, label and preference.
#include <gtest/gtest.h>

#include "csv_test_support.h"
#include "vcard/csv/csv_layouts.h"
#include "vcard/csv/google_labels.h"
#include "vcard/csv/google_layout.h"
#include "vcard/csv/outlook_layout.h"
#include "vcard/csv/spreadsheet_layout.h"

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
        {Im, {"work"}, "", "Work"}};
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

Contact namedAnnLee()
{
    Contact c;
    c.name.given = "Ann";
    c.name.family = "Lee";
    c.formattedName = "Ann Lee";
    return c;
}

TEST(outlook_layout_test, header_is_the_fixed_set_of_92)
{
    OutlookLayout layout;
    EXPECT_EQ(
        writeCsv(layout, {}),
        "Title,First Name,Middle Name,Last Name,Suffix,Company,Department,Job Title,Business "
        "Street,Business Street 2,Business Street 3,Business City,Business State,Business Postal "
        "Code,Business Country/Region,Home Street,Home Street 2,Home Street 3,Home City,Home "
        "State,Home Postal Code,Home Country/Region,Other Street,Other Street 2,Other Street "
        "3,Other City,Other State,Other Postal Code,Other Country/Region,Assistant's "
        "Phone,Business Fax,Business Phone,Business Phone 2,Callback,Car Phone,Company Main "
        "Phone,Home Fax,Home Phone,Home Phone 2,ISDN,Mobile Phone,Other Fax,Other "
        "Phone,Pager,Primary Phone,Radio Phone,TTY/TDD Phone,Telex,Account,Anniversary,"
        "Assistant's Name,Billing Information,Birthday,Business Address PO Box,Categories,"
        "Children,Directory Server,E-mail Address,E-mail Type,E-mail Display Name,E-mail 2 "
        "Address,E-mail 2 Type,E-mail 2 Display Name,E-mail 3 Address,E-mail 3 Type,E-mail 3 "
        "Display Name,Gender,Government ID Number,Hobby,Home Address PO Box,Initials,Internet "
        "Free Busy,Keywords,Language,Location,Manager's Name,Mileage,Notes,Office "
        "Location,Organizational ID Number,Other Address PO Box,Priority,Private,Profession,"
        "Referred By,Sensitivity,Spouse,User 1,User 2,User 3,User 4,Web Page\r\n");
    EXPECT_EQ(layout.columnCount(), 92u);
}

TEST(outlook_layout_test, each_phone_takes_the_slot_its_types_name)
{
    const std::tuple<std::vector<std::string>, const char*, const char*> cases[] = {
        {{"work", "voice"}, "", "Business Phone"},
        {{"home"}, "", "Home Phone"},
        {{"cell"}, "", "Mobile Phone"},
        {{"work", "cell"}, "", "Mobile Phone"},
        {{"fax", "work"}, "", "Business Fax"},
        {{"home", "fax"}, "", "Home Fax"},
        {{"fax"}, "", "Other Fax"},
        {{"pager"}, "", "Pager"},
        {{"car"}, "", "Car Phone"},
        {{"isdn"}, "", "ISDN"},
        {{"textphone"}, "", "TTY/TDD Phone"},
        {{"main"}, "", "Company Main Phone"},
        {{}, "Assistant", "Assistant's Phone"},
        {{"voice"}, "", "Other Phone"},
        {{}, "", "Other Phone"},
        {{"home"}, "Mobile", "Mobile Phone"},
        {{}, "Callback", "Callback"}};
    std::vector<Contact> contacts;
    for (const auto& [types, label, column] : cases)
        contacts.emplace_back().phones = {typed("555", types, 0, label)};
    OutlookLayout layout;
    const Table table(writeCsv(layout, contacts));
    for (std::size_t row = 0; row < contacts.size(); ++row)
        EXPECT_EQ(table.cell(row, std::get<2>(cases[row])) + table.cell(row, "Notes"), "555")
            << std::get<2>(cases[row]);
}

TEST(outlook_layout_test, values_without_a_free_slot_go_to_notes_and_are_counted)
{
    Contact c = namedAnnLee();
    c.notes = {"Met at the fair."};
    c.emails = {typed("a@x"), typed("b@x"), typed("c@x"), typed("d@x")};
    c.phones = {typed("1", {"home"}), typed("2", {"home"}), typed("3", {"home"}),
                typed("4", {"cell"}), typed("5", {"cell"})};
    c.urls = {typed("http://one"), typed("http://two")};
    c.addresses.resize(2);
    c.addresses[0].attributes.types = {"home"};
    c.addresses[0].street = "1 Main St";
    c.addresses[1].attributes.types = {"home"};
    c.addresses[1].street = "2 Side St";
    c.addresses[1].locality = "Town";
    c.nicknames = {"Annie"};
    c.phonetic.family = "Lii";

    OutlookLayout layout;
    const Table table(writeCsv(layout, {c}));
    expectCells(table, 0,
                "E-mail 3 Address=c@x|Home Phone 2=2|Mobile Phone=4|Web Page=http://one|"
                "Home Street=1 Main St|"
                "Notes=Met at the fair.\r\nNickname: Annie\r\nPhonetic Last Name: Lii\r\nE-mail 4: "
                "d@x\r\nHome Phone 3: 3\r\nMobile Phone 2: 5\r\nHome Address 2: 2 Side St, "
                "Town\r\nWeb Page 2: http://two|");
    EXPECT_EQ(layout.valuesMovedToNotes(), 7u);

    // The count goes on over the rows of one file, and a caller reads it through the base.
    Contact other;
    other.emails = {typed("1@x"), typed("2@x"), typed("3@x"), typed("4@x"), typed("5@x")};
    const std::unique_ptr<ContactCsvLayout> run = makeLayout(CsvLayoutKind::Outlook);
    writeCsv(*run, {c, other});
    EXPECT_EQ(run->valuesMovedToNotes(), 9u);
}

TEST(outlook_layout_test, dates_as_outlook_writes_them_and_partial_ones_in_notes)
{
    Contact c;
    c.birthday = date("1980-04-02", 1980, 4, 2);
    c.anniversary = date("--1224", 0, 12, 24);
    c.events = {{date("2010-06-01", 2010, 6, 1), {{}, 0, "Graduation", ""}}};
    OutlookLayout layout;
    const Table table(writeCsv(layout, {c}));
    expectCells(table, 0,
                "Birthday=4/2/1980|Anniversary=|"
                "Notes=Anniversary: --12-24\r\nGraduation: 2010-06-01|");
    EXPECT_EQ(layout.valuesMovedToNotes(), 2u);
}

TEST(outlook_layout_test, addresses_fill_the_street_lines_of_their_slot)
{
    Contact c;
    c.addresses.resize(3);
    c.addresses[0] = {"PO 12", "Desk 7", "Tower A\nFloor 3",
                      "City",  "ST",     "12345",
                      "Land",  "",       {{"work", "postal"}, 0, "", ""}};
    c.addresses[1].formatted = "Somewhere\nover there";
    c.addresses[2].attributes.label = "Home";
    c.addresses[2].street = "1 Main St";
    OutlookLayout layout;
    const Table table(writeCsv(layout, {c}));
    expectCells(table, 0,
                "Business Street=Tower A|Business Street 2=Floor 3|Business Street 3=Desk 7|"
                "Business City=City|Business State=ST|Business Postal Code=12345|"
                "Business Country/Region=Land|Business Address PO Box=PO 12|"
                "Other Street=Somewhere|Other Street 2=over there|Home Street=1 Main St|");
}

TEST(outlook_layout_test, emails_relations_organisation_and_the_rest)
{
    Contact c = namedAnnLee();
    c.emails = {typed("home@x", {"home"}), typed("work@x", {"work"}, 1)};
    c.organization = "Acme";
    c.organizationUnits = {"Sales", "East"};
    c.title = "Boss";
    c.role = "Lead";
    c.categories = {"Friends", "VIP"};
    c.relations = {{"Bob", {{"spouse"}, 0, "", ""}},
                   {"Cy", {{"child"}, 0, "", ""}},
                   {"Di", {{}, 0, "child", ""}},
                   {"Ed", {{"friend"}, 0, "", ""}},
                   {"Flo", {{}, 0, "Manager", ""}}};
    c.ims = {{"skype", "ann.lee", {}}};
    c.others = {{"GENDER", "F", ""}};
    OutlookLayout layout;
    const Table table(writeCsv(layout, {c}));
    expectCells(table, 0,
                "E-mail Address=work@x|E-mail Type=SMTP|E-mail Display Name=Ann Lee (work@x)|"
                "E-mail 2 Address=home@x|E-mail 3 Type=|Company=Acme|Department=Sales, East|"
                "Job Title=Boss|Profession=Lead|Categories=Friends;VIP|Spouse=Bob|"
                "Children=Cy, Di|Manager's Name=Flo|Gender=Female|"
                "Notes=Relation (friend): Ed\r\nIM (skype): ann.lee|");
}

TEST(outlook_layout_test, under_a_filter_notes_keeps_only_the_kept_kinds_overflow)
{
    Contact c = namedAnnLee();
    c.notes = {"private"};
    c.emails = {typed("a@x"), typed("b@x"), typed("c@x"), typed("d@x")};
    c.phones = {typed("1", {"cell"}), typed("2", {"cell"})};
    c.urls = {typed("http://one"), typed("http://two")};
    OutlookLayout layout({false, false, true, false});
    const Table table(writeCsv(layout, {c}));
    EXPECT_EQ(table.header().size(), 19u + 1);
    EXPECT_EQ(table.header().front(), "Assistant's Phone");
    EXPECT_EQ(table.header().back(), "Notes");
    EXPECT_EQ(table.cell(0, "Notes"), "Mobile Phone 2: 2");
    EXPECT_EQ(layout.valuesMovedToNotes(), 1u);
}

Contact everything()
{
    Contact c;
    c.version = "3.0";
    c.formattedName = "Dr. Ann Q. Lee";
    c.name = {"Lee", "Ann", "Q.", "Dr.", "PhD"};
    c.phonetic = {"Lii", "An", "Kyu", "", ""};
    c.nicknames = {"Annie", "A"};
    c.organization = "Acme";
    c.organizationUnits = {"Sales", "East"};
    c.title = "Boss";
    c.role = "Lead";
    c.birthday = date("1980-04-12", 1980, 4, 12);
    c.anniversary = DateValue{"long ago", std::nullopt};
    c.emails = {typed("a@x", {"internet", "home"}, 1)};
    c.phones = {typed("555", {"cell"}, 0, "Ann's")};
    c.addresses.resize(1);
    c.addresses[0] = {"PO 1", "Flat 2",          "1 Main St",          "Town", "ST", "123",
                      "Land", "1 Main St\nTown", {{"work"}, 0, "", ""}};
    c.urls = {typed("http://x", {"blog"})};
    c.ims = {{"skype", "ann.lee", {{"work"}, 0, "", ""}}};
    c.events = {{date("--0601", 0, 6, 1), {{}, 0, "Name day", ""}}};
    c.relations = {{"Bob", {{"spouse"}, 0, "", ""}}};
    c.notes = {"one", "two"};
    c.categories = {"Friends", "VIP"};
    c.photoUrl = "http://x/a.jpg";
    c.hasEmbeddedPhoto = true;
    c.others = {{"X-FOO", "bar", "item3"}, {"GENDER", "F", ""}};
    return c;
}

TEST(spreadsheet_layout_test, every_value_has_a_column_and_an_empty_contact_a_row_of_empty_cells)
{
    SpreadsheetLayout layout;
    const Table table(writeCsv(layout, {everything(), Contact{}}));
    expectCells(table, 0,
                "Full Name=Dr. Ann Q. Lee|Last Name=Lee|First Name=Ann|Middle Name=Q.|"
                "Name Prefix=Dr.|Name Suffix=PhD|Phonetic Last Name=Lii|Phonetic First Name=An|"
                "Phonetic Middle Name=Kyu|Nickname=Annie, A|Organization=Acme|"
                "Department=Sales, East|Job Title=Boss|Role=Lead|Birthday=1980-04-12|"
                "Anniversary=long ago|Notes=one\r\ntwo|Categories=Friends, VIP|"
                "Photo=http://x/a.jpg|Embedded Photo=yes|vCard Version=3.0|"
                "E-mail 1 Type=internet, home, preferred|E-mail 1=a@x|Phone 1 Type=cell, Ann's|"
                "Phone 1=555|Address 1 Type=work|Address 1 PO Box=PO 1|"
                "Address 1 Extended=Flat 2|Address 1 Street=1 Main St|Address 1 City=Town|"
                "Address 1 Region=ST|Address 1 Postal Code=123|Address 1 Country=Land|"
                "Address 1 Label=1 Main St\r\nTown|Website 1 Type=blog|Website 1=http://x|"
                "IM 1 Service=skype|IM 1 Type=work|IM 1=ann.lee|Event 1 Type=Name day|"
                "Event 1=--06-01|Relation 1 Type=spouse|Relation 1=Bob|"
                "Other 1 Name=item3.X-FOO|Other 1 Value=bar|Other 2 Name=GENDER|"
                "Other 2 Value=F|");
    EXPECT_EQ(table.header().size(), 47u);
    ASSERT_EQ(table.rows(), 2u);
    EXPECT_TRUE(table.rectangular());
    for (const std::string& column : table.header())
        EXPECT_EQ(table.cell(1, column), "") << column;
}

TEST(spreadsheet_layout_test, filter_on_addresses_keeps_the_address_groups_only)
{
    SpreadsheetLayout layout({false, false, false, true});
    const Table table(writeCsv(layout, {everything()}));
    EXPECT_EQ(table.header().size(), 9u);
    EXPECT_EQ(table.header().front(), "Address 1 Type");
}

}  // namespace
}  // namespace brimwell::vcard::csv
