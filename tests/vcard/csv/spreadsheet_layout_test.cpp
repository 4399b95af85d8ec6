// The spreadsheet layout: every value of the model in a column named in plain English, with
// its types, label and preference.
#include "vcard/csv/spreadsheet_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "csv_test_support.h"
#include "vcard/csv/csv_layouts.h"

namespace brimwell::vcard::csv {
namespace {

using testing::date;
using testing::expectCells;
using testing::Table;
using testing::typed;
using testing::writeCsv;

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
