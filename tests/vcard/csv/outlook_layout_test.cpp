// The Outlook layout: its 92 fixed columns, the slot each value takes, Outlook's dates, and
// the values without a free slot that go to Notes and are counted.
#include "vcard/csv/outlook_layout.h"

#include <gtest/gtest.h>

#include "csv_test_support.h"
#include "vcard/csv/csv_layouts.h"

namespace brimwell::vcard::csv {
namespace {

using testing::date;
using testing::Table;
using testing::typed;
using testing::writeCsv;

constexpr std::string_view kHeader =
    "Title,First Name,Middle Name,Last Name,Suffix,Company,Department,Job Title,Business "
    "Street,Business Street 2,Business Street 3,Business City,Business State,Business Postal "
    "Code,Business Country/Region,Home Street,Home Street 2,Home Street 3,Home City,Home "
    "State,Home Postal Code,Home Country/Region,Other Street,Other Street 2,Other Street "
    "3,Other City,Other State,Other Postal Code,Other Country/Region,Assistant's "
    "Phone,Business Fax,Business Phone,Business Phone 2,Callback,Car Phone,Company Main "
    "Phone,Home Fax,Home Phone,Home Phone 2,ISDN,Mobile Phone,Other Fax,Other "
    "Phone,Pager,Primary Phone,Radio Phone,TTY/TDD Phone,Telex,Account,Anniversary,Assistant's "
    "Name,Billing Information,Birthday,Business Address PO Box,Categories,Children,Directory "
    "Server,E-mail Address,E-mail Type,E-mail Display Name,E-mail 2 Address,E-mail 2 "
    "Type,E-mail 2 Display Name,E-mail 3 Address,E-mail 3 Type,E-mail 3 Display "
    "Name,Gender,Government ID Number,Hobby,Home Address PO Box,Initials,Internet Free "
    "Busy,Keywords,Language,Location,Manager's Name,Mileage,Notes,Office "
    "Location,Organizational ID Number,Other Address PO Box,Priority,Private,Profession,Referred "
    "By,Sensitivity,Spouse,User 1,User 2,User 3,User 4,Web Page";

Contact named(std::string given, std::string family)
{
    Contact c;
    c.name.given = std::move(given);
    c.name.family = std::move(family);
    c.formattedName = c.name.given + " " + c.name.family;
    return c;
}

TEST(outlook_layout_test, header_is_the_fixed_set_of_92)
{
    OutlookLayout layout;
    const std::string csv = writeCsv(layout, {});
    EXPECT_EQ(csv, std::string(kHeader) + "\r\n");
    EXPECT_EQ(layout.columnCount(), 92u);
}

TEST(outlook_layout_test, preferred_email_comes_first_with_type_and_display_name)
{
    Contact c = named("Ann", "Lee");
    c.emails = {typed("home@x", {"home"}), typed("work@x", {"work"}, 1)};
    OutlookLayout layout;
    const Table table(writeCsv(layout, {c}));
    EXPECT_EQ(table.cell(0, "E-mail Address"), "work@x");
    EXPECT_EQ(table.cell(0, "E-mail Type"), "SMTP");
    EXPECT_EQ(table.cell(0, "E-mail Display Name"), "Ann Lee (work@x)");
    EXPECT_EQ(table.cell(0, "E-mail 2 Address"), "home@x");
    EXPECT_EQ(table.cell(0, "E-mail 3 Type"), "");
    EXPECT_EQ(layout.valuesMovedToNotes(), 0u);
}

struct PhoneCase {
    std::vector<std::string> types;
    const char* label;
    const char* column;
};

TEST(outlook_layout_test, each_phone_takes_the_slot_its_types_name)
{
    const PhoneCase cases[] = {
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
        {{}, "Callback", "Callback"},
    };
    for (const PhoneCase& p : cases) {
        Contact c;
        c.phones = {typed("555", p.types, 0, p.label)};
        OutlookLayout layout;
        const Table table(writeCsv(layout, {c}));
        EXPECT_EQ(table.cell(0, p.column), "555") << p.column << " " << p.label;
        EXPECT_EQ(table.cell(0, "Notes"), "") << p.column;
    }
}

TEST(outlook_layout_test, values_without_a_free_slot_go_to_notes_and_are_counted)
{
    Contact c = named("Ann", "Lee");
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
    EXPECT_EQ(table.cell(0, "E-mail 3 Address"), "c@x");
    EXPECT_EQ(table.cell(0, "Home Phone 2"), "2");
    EXPECT_EQ(table.cell(0, "Mobile Phone"), "4");
    EXPECT_EQ(table.cell(0, "Web Page"), "http://one");
    EXPECT_EQ(table.cell(0, "Home Street"), "1 Main St");
    EXPECT_EQ(table.cell(0, "Notes"),
              "Met at the fair.\r\nNickname: Annie\r\nPhonetic Last Name: Lii\r\n"
              "E-mail 4: d@x\r\nHome Phone 3: 3\r\n"
              "Mobile Phone 2: 5\r\nHome Address 2: 2 Side St, Town\r\nWeb Page 2: http://two");
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
    EXPECT_EQ(table.cell(0, "Birthday"), "4/2/1980");
    EXPECT_EQ(table.cell(0, "Anniversary"), "");
    EXPECT_EQ(table.cell(0, "Notes"), "Anniversary: --12-24\r\nGraduation: 2010-06-01");
    EXPECT_EQ(layout.valuesMovedToNotes(), 2u);
}

TEST(outlook_layout_test, addresses_fill_the_street_lines_of_their_slot)
{
    Contact c;
    c.addresses.resize(3);
    Address& work = c.addresses[0];
    work.attributes.types = {"work", "postal"};
    work.street = "Tower A\nFloor 3";
    work.extended = "Desk 7";
    work.poBox = "PO 12";
    work.locality = "City";
    work.region = "ST";
    work.postalCode = "12345";
    work.country = "Land";
    c.addresses[1].formatted = "Somewhere\nover there";
    c.addresses[2].attributes.label = "Home";
    c.addresses[2].street = "1 Main St";
    OutlookLayout layout;
    const Table table(writeCsv(layout, {c}));
    const std::pair<const char*, const char*> expected[] = {
        {"Business Street", "Tower A"},
        {"Business Street 2", "Floor 3"},
        {"Business Street 3", "Desk 7"},
        {"Business City", "City"},
        {"Business State", "ST"},
        {"Business Postal Code", "12345"},
        {"Business Country/Region", "Land"},
        {"Business Address PO Box", "PO 12"},
        {"Other Street", "Somewhere"},
        {"Other Street 2", "over there"},
        {"Home Street", "1 Main St"},
    };
    for (const auto& [column, value] : expected)
        EXPECT_EQ(table.cell(0, column), value) << column;
}

TEST(outlook_layout_test, relations_organisation_and_the_rest)
{
    Contact c = named("Ann", "Lee");
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
    EXPECT_EQ(table.cell(0, "Company"), "Acme");
    EXPECT_EQ(table.cell(0, "Department"), "Sales, East");
    EXPECT_EQ(table.cell(0, "Job Title"), "Boss");
    EXPECT_EQ(table.cell(0, "Profession"), "Lead");
    EXPECT_EQ(table.cell(0, "Categories"), "Friends;VIP");
    EXPECT_EQ(table.cell(0, "Spouse"), "Bob");
    EXPECT_EQ(table.cell(0, "Children"), "Cy, Di");
    EXPECT_EQ(table.cell(0, "Manager's Name"), "Flo");
    EXPECT_EQ(table.cell(0, "Gender"), "Female");
    EXPECT_EQ(table.cell(0, "Notes"), "Relation (friend): Ed\r\nIM (skype): ann.lee");
}

TEST(outlook_layout_test, under_a_filter_notes_keeps_only_the_kept_kinds_overflow)
{
    Contact c = named("Ann", "Lee");
    c.notes = {"private"};
    c.emails = {typed("a@x"), typed("b@x"), typed("c@x"), typed("d@x")};
    c.phones = {typed("1", {"cell"}), typed("2", {"cell"})};
    c.urls = {typed("http://one"), typed("http://two")};
    OutlookLayout layout({false, false, true, false});
    const Table table(writeCsv(layout, {c}));
    const std::vector<std::string>& phonesAndNotes = table.header();
    EXPECT_EQ(phonesAndNotes.size(), 19u + 1);
    EXPECT_EQ(phonesAndNotes.front(), "Assistant's Phone");
    EXPECT_EQ(phonesAndNotes.back(), "Notes");
    EXPECT_EQ(table.cell(0, "Notes"), "Mobile Phone 2: 2");
    EXPECT_EQ(layout.valuesMovedToNotes(), 1u);
}

}  // namespace
}  // namespace brimwell::vcard::csv
