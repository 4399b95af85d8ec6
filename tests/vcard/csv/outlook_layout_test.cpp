// The Outlook layout: its 92 fixed columns, the slot each value takes, Outlook's dates, and
// the values without a free slot that go to Notes and are counted.
#include "vcard/csv/outlook_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "csv_test_support.h"
#include "vcard/csv/csv_layouts.h"

namespace brimwell::vcard::csv {
namespace {

using testing::date;
using testing::expectCells;
using testing::Table;
using testing::typed;
using testing::writeCsv;

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
        {{"textphone"}, "", "TTY/TDD Phone"},
        {{"main"}, "", "Company Main Phone"},
        {{}, "Assistant", "Assistant's Phone"},
        {{"voice"}, "", "Other Phone"},
        {{"home"}, "Mobile", "Mobile Phone"}};
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

}  // namespace
}  // namespace brimwell::vcard::csv
