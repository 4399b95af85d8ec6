#include "vcard/csv/google_layout.h"

#include "vcard/csv/contact_text.h"

namespace brimwell::vcard::csv {
namespace {

constexpr std::string_view kMultipleValues = " ::: ";

/// Anniversary first, then the other dated events.
std::size_t eventCount(const Contact& contact)
{
    return contact.events.size() + (contact.anniversary ? 1 : 0);
}

/// Values without a column of their own: the role.
std::size_t customFieldCount(const Contact& contact)
{
    return contact.role.empty() ? 0 : 1;
}

}  // namespace

GoogleLayout::GoogleLayout(FieldKinds kinds) : ContactCsvLayout(kinds)
{
    addNames();
    addOrganisationAndNotes();
    addValueGroups();
}

void GoogleLayout::addNames()
{
    addFixed(
        FieldKind::Names,
        {"First Name", "Middle Name", "Last Name", "Phonetic First Name", "Phonetic Middle Name",
         "Phonetic Last Name", "Name Prefix", "Name Suffix", "Nickname", "File As"},
        [](const Contact& c, std::size_t, CsvRow& row) {
            // A card with FN only would import without a name at all.
            row.cell(c.name.empty() ? c.formattedName : c.name.given);
            row.cell(c.name.additional);
            row.cell(c.name.family);
            row.cell(c.phonetic.given);
            row.cell(c.phonetic.additional);
            row.cell(c.phonetic.family);
            row.cell(c.name.prefix);
            row.cell(c.name.suffix);
            row.joined(c.nicknames, kMultipleValues);
            row.emptyCells(1);  // File As: no vCard value says how to file a contact
        });
}

void GoogleLayout::addOrganisationAndNotes()
{
    addFixed(FieldKind::Other,
             {"Organization Name", "Organization Title", "Organization Department", "Birthday",
              "Notes", "Photo", "Labels"},
             [this](const Contact& c, std::size_t, CsvRow& row) {
                 row.cell(c.organization);
                 row.cell(c.title);
                 row.joined(c.organizationUnits, kMultipleValues);
                 if (c.birthday)
                     dateCell(*c.birthday, row);
                 else
                     row.emptyCells(1);
                 row.joined(c.notes, "\n");
                 row.cell(c.photoUrl);
                 row.begin();
                 for (const std::string& category : c.categories) {
                     row.append(category);
                     row.append(kMultipleValues);
                 }
                 row.append("* myContacts");
                 row.end();
             });
}

void GoogleLayout::addValueGroups()
{
    addNumbered(
        FieldKind::Emails, {"E-mail # - Label", "E-mail # - Value"},
        [](const Contact& c) { return c.emails.size(); },
        [this](const Contact& c, std::size_t i, CsvRow& row) {
            labelCell(LabelledValue::Email, c.emails[i].attributes, i == m_preferredEmail, row);
            row.cell(c.emails[i].value);
        });
    addNumbered(
        FieldKind::Phones, {"Phone # - Label", "Phone # - Value"},
        [](const Contact& c) { return c.phones.size(); },
        [this](const Contact& c, std::size_t i, CsvRow& row) {
            labelCell(LabelledValue::Phone, c.phones[i].attributes, i == m_preferredPhone, row);
            row.cell(c.phones[i].value);
        });
    addNumbered(
        FieldKind::Addresses,
        {"Address # - Label", "Address # - Formatted", "Address # - Street", "Address # - City",
         "Address # - PO Box", "Address # - Region", "Address # - Postal Code",
         "Address # - Country", "Address # - Extended Address"},
        [](const Contact& c) { return c.addresses.size(); },
        [this](const Contact& c, std::size_t i, CsvRow& row) {
            const Address& a = c.addresses[i];
            labelCell(LabelledValue::Address, a.attributes, i == m_preferredAddress, row);
            row.cell(a.formatted);
            row.cell(a.street);
            row.cell(a.locality);
            row.cell(a.poBox);
            row.cell(a.region);
            row.cell(a.postalCode);
            row.cell(a.country);
            row.cell(a.extended);
        });
    addNumbered(
        FieldKind::Other, {"Relation # - Label", "Relation # - Value"},
        [](const Contact& c) { return c.relations.size(); },
        [](const Contact& c, std::size_t i, CsvRow& row) {
            labelCell(LabelledValue::Relation, c.relations[i].attributes, false, row);
            row.cell(c.relations[i].name);
        });
    addNumbered(
        FieldKind::Other, {"Website # - Label", "Website # - Value"},
        [](const Contact& c) { return c.urls.size(); },
        [this](const Contact& c, std::size_t i, CsvRow& row) {
            labelCell(LabelledValue::Website, c.urls[i].attributes, i == m_preferredUrl, row);
            row.cell(c.urls[i].value);
        });
    addNumbered(FieldKind::Other, {"Event # - Label", "Event # - Value"}, eventCount,
                [this](const Contact& c, std::size_t i, CsvRow& row) {
                    if (c.anniversary && i == 0) {
                        row.cell("Anniversary");
                        dateCell(*c.anniversary, row);
                        return;
                    }
                    const Event& event = c.events[i - (c.anniversary ? 1 : 0)];
                    row.cell(event.attributes.label.empty() ? std::string_view("Other")
                                                            : event.attributes.label);
                    dateCell(event.when, row);
                });
    addNumbered(
        FieldKind::Other, {"IM # - Label", "IM # - Service", "IM # - Value"},
        [](const Contact& c) { return c.ims.size(); },
        [this](const Contact& c, std::size_t i, CsvRow& row) {
            const ImHandle& im = c.ims[i];
            labelCell(LabelledValue::Im, im.attributes, i == m_preferredIm, row);
            row.cell(googleImService(im.service));
            row.cell(im.handle);
        });
    addNumbered(FieldKind::Other, {"Custom Field # - Label", "Custom Field # - Value"},
                customFieldCount, [](const Contact& c, std::size_t, CsvRow& row) {
                    row.cell("Role");
                    row.cell(c.role);
                });
}

void GoogleLayout::prepare(const Contact& contact)
{
    m_preferredEmail = preferredIndex(contact.emails);
    m_preferredPhone = preferredIndex(contact.phones);
    m_preferredAddress = preferredIndex(contact.addresses);
    m_preferredUrl = preferredIndex(contact.urls);
    m_preferredIm = preferredIndex(contact.ims);
}

void GoogleLayout::labelCell(LabelledValue kind, const Attributes& attributes, bool preferred,
                             CsvRow& row)
{
    row.begin();
    if (preferred)
        row.append("* ");
    row.append(googleLabel(kind, attributes));
    row.end();
}

}  // namespace brimwell::vcard::csv
