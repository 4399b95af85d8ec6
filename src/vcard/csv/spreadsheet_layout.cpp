#include "vcard/csv/spreadsheet_layout.h"

#include "vcard/csv/contact_text.h"

namespace brimwell::vcard::csv {
namespace {

constexpr std::string_view kList = ", ";

}  // namespace

SpreadsheetLayout::SpreadsheetLayout(FieldKinds kinds) : ContactCsvLayout(kinds)
{
    addSingleFields();
    addValueGroups();
}

void SpreadsheetLayout::addSingleFields()
{
    addFixed(FieldKind::Names,
             {"Full Name", "Last Name", "First Name", "Middle Name", "Name Prefix", "Name Suffix",
              "Phonetic Last Name", "Phonetic First Name", "Phonetic Middle Name", "Nickname"},
             [](const Contact& c, std::size_t, CsvRow& row) {
                 row.cell(c.formattedName);
                 row.cell(c.name.family);
                 row.cell(c.name.given);
                 row.cell(c.name.additional);
                 row.cell(c.name.prefix);
                 row.cell(c.name.suffix);
                 row.cell(c.phonetic.family);
                 row.cell(c.phonetic.given);
                 row.cell(c.phonetic.additional);
                 row.joined(c.nicknames, kList);
             });
    addFixed(FieldKind::Other,
             {"Organization", "Department", "Job Title", "Role", "Birthday", "Anniversary", "Notes",
              "Categories", "Photo", "Embedded Photo", "vCard Version"},
             [this](const Contact& c, std::size_t, CsvRow& row) {
                 row.cell(c.organization);
                 row.joined(c.organizationUnits, kList);
                 row.cell(c.title);
                 row.cell(c.role);
                 for (const auto* date : {&c.birthday, &c.anniversary}) {
                     if (*date)
                         dateCell(**date, row);
                     else
                         row.emptyCells(1);
                 }
                 row.joined(c.notes, "\n");
                 row.joined(c.categories, kList);
                 row.cell(c.photoUrl);
                 row.cell(c.hasEmbeddedPhoto ? "yes" : "");
                 row.cell(c.version);
             });
}

void SpreadsheetLayout::addValueGroups()
{
    addNumbered(
        FieldKind::Emails, {"E-mail # Type", "E-mail #"},
        [](const Contact& c) { return c.emails.size(); },
        [](const Contact& c, std::size_t i, CsvRow& row) {
            typeCell(c.emails[i].attributes, row);
            row.cell(c.emails[i].value);
        });
    addNumbered(
        FieldKind::Phones, {"Phone # Type", "Phone #"},
        [](const Contact& c) { return c.phones.size(); },
        [](const Contact& c, std::size_t i, CsvRow& row) {
            typeCell(c.phones[i].attributes, row);
            row.cell(c.phones[i].value);
        });
    addNumbered(
        FieldKind::Addresses,
        {"Address # Type", "Address # PO Box", "Address # Extended", "Address # Street",
         "Address # City", "Address # Region", "Address # Postal Code", "Address # Country",
         "Address # Label"},
        [](const Contact& c) { return c.addresses.size(); },
        [](const Contact& c, std::size_t i, CsvRow& row) {
            const Address& a = c.addresses[i];
            typeCell(a.attributes, row);
            for (const std::string* part : {&a.poBox, &a.extended, &a.street, &a.locality,
                                            &a.region, &a.postalCode, &a.country, &a.formatted})
                row.cell(*part);
        });
    addNumbered(
        FieldKind::Other, {"Website # Type", "Website #"},
        [](const Contact& c) { return c.urls.size(); },
        [](const Contact& c, std::size_t i, CsvRow& row) {
            typeCell(c.urls[i].attributes, row);
            row.cell(c.urls[i].value);
        });
    addNumbered(
        FieldKind::Other, {"IM # Service", "IM # Type", "IM #"},
        [](const Contact& c) { return c.ims.size(); },
        [](const Contact& c, std::size_t i, CsvRow& row) {
            row.cell(c.ims[i].service);
            typeCell(c.ims[i].attributes, row);
            row.cell(c.ims[i].handle);
        });
    addNumbered(
        FieldKind::Other, {"Event # Type", "Event #"},
        [](const Contact& c) { return c.events.size(); },
        [this](const Contact& c, std::size_t i, CsvRow& row) {
            typeCell(c.events[i].attributes, row);
            dateCell(c.events[i].when, row);
        });
    addNumbered(
        FieldKind::Other, {"Relation # Type", "Relation #"},
        [](const Contact& c) { return c.relations.size(); },
        [](const Contact& c, std::size_t i, CsvRow& row) {
            typeCell(c.relations[i].attributes, row);
            row.cell(c.relations[i].name);
        });
    addNumbered(
        FieldKind::Other, {"Other # Name", "Other # Value"},
        [](const Contact& c) { return c.others.size(); },
        [](const Contact& c, std::size_t i, CsvRow& row) {
            const OtherProperty& other = c.others[i];
            row.begin();
            if (!other.group.empty()) {
                row.append(other.group);
                row.append('.');
            }
            row.append(other.name);
            row.end();
            row.cell(other.value);
        });
}

void SpreadsheetLayout::typeCell(const Attributes& attributes, CsvRow& row)
{
    row.begin();
    bool first = true;
    const auto add = [&](std::string_view word) {
        if (!first)
            row.append(kList);
        row.append(word);
        first = false;
    };
    for (const std::string& type : attributes.types)
        add(type);
    if (!attributes.label.empty())
        add(attributes.label);
    if (attributes.preference > 0)
        add("preferred");
    row.end();
}

}  // namespace brimwell::vcard::csv
