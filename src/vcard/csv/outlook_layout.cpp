#include "vcard/csv/outlook_layout.h"

#include <algorithm>
#include <span>
#include <utility>

#include "vcard/csv/contact_text.h"

namespace brimwell::vcard::csv {
namespace {

using Kind = FieldKind;

struct Column {
    std::string_view name;
    Kind kind;
};

constexpr std::array<Column, OutlookLayout::kColumnCount> kColumns = {{
    {"Title", Kind::Names},
    {"First Name", Kind::Names},
    {"Middle Name", Kind::Names},
    {"Last Name", Kind::Names},
    {"Suffix", Kind::Names},
    {"Company", Kind::Other},
    {"Department", Kind::Other},
    {"Job Title", Kind::Other},
    {"Business Street", Kind::Addresses},
    {"Business Street 2", Kind::Addresses},
    {"Business Street 3", Kind::Addresses},
    {"Business City", Kind::Addresses},
    {"Business State", Kind::Addresses},
    {"Business Postal Code", Kind::Addresses},
    {"Business Country/Region", Kind::Addresses},
    {"Home Street", Kind::Addresses},
    {"Home Street 2", Kind::Addresses},
    {"Home Street 3", Kind::Addresses},
    {"Home City", Kind::Addresses},
    {"Home State", Kind::Addresses},
    {"Home Postal Code", Kind::Addresses},
    {"Home Country/Region", Kind::Addresses},
    {"Other Street", Kind::Addresses},
    {"Other Street 2", Kind::Addresses},
    {"Other Street 3", Kind::Addresses},
    {"Other City", Kind::Addresses},
    {"Other State", Kind::Addresses},
    {"Other Postal Code", Kind::Addresses},
    {"Other Country/Region", Kind::Addresses},
    {"Assistant's Phone", Kind::Phones},
    {"Business Fax", Kind::Phones},
    {"Business Phone", Kind::Phones},
    {"Business Phone 2", Kind::Phones},
    {"Callback", Kind::Phones},
    {"Car Phone", Kind::Phones},
    {"Company Main Phone", Kind::Phones},
    {"Home Fax", Kind::Phones},
    {"Home Phone", Kind::Phones},
    {"Home Phone 2", Kind::Phones},
    {"ISDN", Kind::Phones},
    {"Mobile Phone", Kind::Phones},
    {"Other Fax", Kind::Phones},
    {"Other Phone", Kind::Phones},
    {"Pager", Kind::Phones},
    {"Primary Phone", Kind::Phones},
    {"Radio Phone", Kind::Phones},
    {"TTY/TDD Phone", Kind::Phones},
    {"Telex", Kind::Phones},
    {"Account", Kind::Other},
    {"Anniversary", Kind::Other},
    {"Assistant's Name", Kind::Other},
    {"Billing Information", Kind::Other},
    {"Birthday", Kind::Other},
    {"Business Address PO Box", Kind::Addresses},
    {"Categories", Kind::Other},
    {"Children", Kind::Other},
    {"Directory Server", Kind::Other},
    {"E-mail Address", Kind::Emails},
    {"E-mail Type", Kind::Emails},
    {"E-mail Display Name", Kind::Emails},
    {"E-mail 2 Address", Kind::Emails},
    {"E-mail 2 Type", Kind::Emails},
    {"E-mail 2 Display Name", Kind::Emails},
    {"E-mail 3 Address", Kind::Emails},
    {"E-mail 3 Type", Kind::Emails},
    {"E-mail 3 Display Name", Kind::Emails},
    {"Gender", Kind::Other},
    {"Government ID Number", Kind::Other},
    {"Hobby", Kind::Other},
    {"Home Address PO Box", Kind::Addresses},
    {"Initials", Kind::Names},
    {"Internet Free Busy", Kind::Other},
    {"Keywords", Kind::Other},
    {"Language", Kind::Other},
    {"Location", Kind::Other},
    {"Manager's Name", Kind::Other},
    {"Mileage", Kind::Other},
    {"Notes", Kind::Always},
    {"Office Location", Kind::Other},
    {"Organizational ID Number", Kind::Other},
    {"Other Address PO Box", Kind::Addresses},
    {"Priority", Kind::Other},
    {"Private", Kind::Other},
    {"Profession", Kind::Other},
    {"Referred By", Kind::Other},
    {"Sensitivity", Kind::Other},
    {"Spouse", Kind::Other},
    {"User 1", Kind::Other},
    {"User 2", Kind::Other},
    {"User 3", Kind::Other},
    {"User 4", Kind::Other},
    {"Web Page", Kind::Other},
}};

/// The index of a column, found when the program is compiled.
consteval std::size_t col(std::string_view name)
{
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        if (kColumns[i].name == name)
            return i;
    }
    throw "no such Outlook column";
}

bool labelIs(const Attributes& attributes, std::initializer_list<std::string_view> words)
{
    return std::any_of(words.begin(), words.end(), [&](std::string_view word) {
        return std::equal(
            word.begin(), word.end(), attributes.label.begin(), attributes.label.end(),
            [](char w, char l) { return w == (l >= 'A' && l <= 'Z' ? char(l + 32) : l); });
    });
}

/// A phone's slots in the order they fill; the first names the overflow (`Home Phone 3`).
struct PhoneSlots {
    std::array<std::size_t, 2> columns;
    std::size_t count;
};

constexpr PhoneSlots one(std::size_t column)
{
    return {{column, column}, 1};
}

constexpr PhoneSlots kBusinessPhones = {{col("Business Phone"), col("Business Phone 2")}, 2};
constexpr PhoneSlots kHomePhones = {{col("Home Phone"), col("Home Phone 2")}, 2};

/// One rule of the phone slots: a label word or any of the types picks the slots. The
/// rules are in order of precedence.
struct PhoneRule {
    std::initializer_list<std::string_view> labels;
    std::initializer_list<std::string_view> types;
    PhoneSlots slots;
};

const PhoneRule kPhoneRules[] = {
    {{"home fax"}, {}, one(col("Home Fax"))},
    {{"work fax", "business fax"}, {}, one(col("Business Fax"))},
    {{"other fax"}, {}, one(col("Other Fax"))},
    {{"mobile", "cell"}, {"cell"}, one(col("Mobile Phone"))},
    {{"pager"}, {"pager"}, one(col("Pager"))},
    {{"car"}, {"car"}, one(col("Car Phone"))},
    {{"isdn"}, {"isdn"}, one(col("ISDN"))},
    {{"tty/tdd", "tty"}, {"textphone", "x-tty"}, one(col("TTY/TDD Phone"))},
    {{"main", "company main"}, {"main", "x-company-main"}, one(col("Company Main Phone"))},
    {{"assistant"}, {"x-assistant", "assistant"}, one(col("Assistant's Phone"))},
    {{"callback"}, {"x-callback", "callback"}, one(col("Callback"))},
    {{"radio"}, {"x-radio", "radio"}, one(col("Radio Phone"))},
    {{"telex"}, {"x-telex", "tlx"}, one(col("Telex"))},
    {{"primary"}, {"x-primary"}, one(col("Primary Phone"))},
    {{"work", "business"}, {"work"}, kBusinessPhones},
    {{"home"}, {"home"}, kHomePhones},
};

PhoneSlots phoneSlots(const Attributes& a)
{
    const unsigned bits = typeBits(a);
    if (bits & kFaxType) {
        if (bits & kHomeType)
            return one(col("Home Fax"));
        return bits & kWorkType ? one(col("Business Fax")) : one(col("Other Fax"));
    }
    // A label says what the user chose, so it goes before the types.
    if (!a.label.empty()) {
        for (const PhoneRule& rule : kPhoneRules) {
            if (labelIs(a, rule.labels))
                return rule.slots;
        }
    }
    const PhoneRule* best = std::end(kPhoneRules);
    for (const std::string& type : a.types) {
        for (const PhoneRule* rule = std::begin(kPhoneRules); rule != best; ++rule) {
            if (std::find(rule->types.begin(), rule->types.end(), type) != rule->types.end()) {
                best = rule;
                break;
            }
        }
    }
    return best != std::end(kPhoneRules) ? best->slots : one(col("Other Phone"));
}

/// The first column of the Home, Business or Other address, and the name of its overflow.
struct AddressSlot {
    std::size_t street;
    std::size_t poBox;
    std::string_view overflow;
};

AddressSlot addressSlot(const Attributes& a)
{
    if (labelIs(a, {"home"}) || (a.label.empty() && hasType(a, "home")))
        return {col("Home Street"), col("Home Address PO Box"), "Home Address"};
    if (labelIs(a, {"work", "business"}) || (a.label.empty() && hasType(a, "work")))
        return {col("Business Street"), col("Business Address PO Box"), "Business Address"};
    return {col("Other Street"), col("Other Address PO Box"), "Other Address"};
}

/// The kind of a related person: the label when there is one, else the first type.
std::string_view relationKind(const Relation& relation)
{
    if (!relation.attributes.label.empty())
        return relation.attributes.label;
    return relation.attributes.types.empty() ? std::string_view()
                                             : relation.attributes.types.front();
}

}  // namespace

OutlookLayout::OutlookLayout(FieldKinds kinds) : ContactCsvLayout(kinds)
{
    // One group for each run of columns of one kind, so that the filter can drop it whole.
    for (std::size_t first = 0; first < kColumns.size();) {
        std::size_t last = first;
        std::vector<std::string_view> names;
        while (last < kColumns.size() && kColumns[last].kind == kColumns[first].kind)
            names.push_back(kColumns[last++].name);
        addFixed(kColumns[first].kind, std::move(names),
                 [this, first, last](const Contact&, std::size_t, CsvRow& row) {
                     // Most of the 92 cells are empty: their runs are written in one go.
                     std::size_t empty = 0;
                     for (std::size_t i = first; i < last; ++i) {
                         if (m_cells[i].empty()) {
                             ++empty;
                             continue;
                         }
                         row.emptyCells(empty);
                         empty = 0;
                         row.cell(m_cells[i]);
                     }
                     row.emptyCells(empty);
                 });
        first = last;
    }
}

void OutlookLayout::prepare(const Contact& contact)
{
    for (std::string& cell : m_cells)
        cell.clear();
    m_taken.fill(0);
    m_moved.clear();
    placeNames(contact);
    placeEmails(contact);
    placePhones(contact);
    placeAddresses(contact);
    placeDates(contact);
    placeRelations(contact);
    placeOthers(contact);

    std::string& notes = m_cells[col("Notes")];
    if (kinds().keeps(FieldKind::Other))
        appendJoined(contact.notes, "\n", notes);
    if (!notes.empty() && !m_moved.empty())
        notes.push_back('\n');
    notes.append(m_moved);
}

void OutlookLayout::placeNames(const Contact& c)
{
    m_cells[col("Title")] = c.name.prefix;
    // A card with FN only would import without a name at all.
    m_cells[col("First Name")] = c.name.empty() ? c.formattedName : c.name.given;
    m_cells[col("Middle Name")] = c.name.additional;
    m_cells[col("Last Name")] = c.name.family;
    m_cells[col("Suffix")] = c.name.suffix;
    for (const std::string& nickname : c.nicknames)
        moveToNotes(FieldKind::Names, "Nickname", nickname);
    // Outlook's CSV has no phonetic columns.
    moveToNotes(FieldKind::Names, "Phonetic First Name", c.phonetic.given);
    moveToNotes(FieldKind::Names, "Phonetic Middle Name", c.phonetic.additional);
    moveToNotes(FieldKind::Names, "Phonetic Last Name", c.phonetic.family);
}

void OutlookLayout::placeEmails(const Contact& c)
{
    static constexpr std::array<std::size_t, 3> kSlots = {
        col("E-mail Address"), col("E-mail 2 Address"), col("E-mail 3 Address")};
    // The preferred address is the first e-mail, the one Outlook sends to.
    const std::size_t preferred = preferredIndex(c.emails);
    unsigned number = 0;
    const auto place = [&](const TypedValue& email) {
        ++number;
        if (number > kSlots.size()) {
            moveToNotes(FieldKind::Emails, "E-mail", number, email.value);
            return;
        }
        const std::size_t slot = kSlots[number - 1];
        m_cells[slot] = email.value;
        m_cells[slot + 1] = "SMTP";
        std::string& display = m_cells[slot + 2];
        appendDisplayName(c, display);
        if (display.empty()) {
            display = email.value;
            return;
        }
        display.append(" (").append(email.value).append(")");
    };
    if (preferred != std::string::npos)
        place(c.emails[preferred]);
    for (std::size_t i = 0; i < c.emails.size(); ++i) {
        if (i != preferred)
            place(c.emails[i]);
    }
}

void OutlookLayout::placePhones(const Contact& c)
{
    for (const TypedValue& phone : c.phones) {
        const PhoneSlots slots = phoneSlots(phone.attributes);
        const unsigned taken = m_taken[slots.columns[0]]++;
        if (taken < slots.count) {
            m_cells[slots.columns[taken]] = phone.value;
            continue;
        }
        moveToNotes(FieldKind::Phones, kColumns[slots.columns[0]].name, taken + 1, phone.value);
    }
}

void OutlookLayout::placeAddresses(const Contact& c)
{
    for (const Address& address : c.addresses) {
        const AddressSlot slot = addressSlot(address.attributes);
        const unsigned taken = m_taken[slot.street]++;
        if (taken != 0) {
            m_scratch.clear();
            appendAddressLine(address, m_scratch);
            moveToNotes(FieldKind::Addresses, slot.overflow, taken + 1, m_scratch);
            continue;
        }
        // Street lines: the street's own lines, then the extended address; a third and
        // further lines share Street 3. An address of LABEL text only is all street.
        const bool partsEmpty = address.street.empty() && address.extended.empty() &&
                                address.locality.empty() && address.region.empty() &&
                                address.postalCode.empty() && address.country.empty() &&
                                address.poBox.empty();
        std::string_view streets = partsEmpty ? address.formatted : address.street;
        std::size_t line = 0;
        const auto addLine = [&](std::string_view text) {
            if (text.empty())
                return;
            std::string& cell = m_cells[slot.street + std::min<std::size_t>(line, 2)];
            if (!cell.empty())
                cell.append(", ");
            cell.append(text);
            ++line;
        };
        for (std::size_t end = streets.find('\n');; end = streets.find('\n')) {
            addLine(streets.substr(0, end));
            if (end == std::string_view::npos)
                break;
            streets.remove_prefix(end + 1);
        }
        addLine(address.extended);
        m_cells[slot.street + 3] = address.locality;
        m_cells[slot.street + 4] = address.region;
        m_cells[slot.street + 5] = address.postalCode;
        m_cells[slot.street + 6] = address.country;
        m_cells[slot.poBox] = address.poBox;
    }
}

void OutlookLayout::placeDates(const Contact& c)
{
    const auto place = [&](const std::optional<DateValue>& date, std::size_t column,
                           std::string_view label) {
        if (!date || appendUsDate(*date, m_cells[column]))
            return;
        // Outlook keeps only whole dates; a day without a year goes to Notes.
        m_scratch.clear();
        appendIsoDate(*date, m_scratch);
        moveToNotes(FieldKind::Other, label, m_scratch);
    };
    place(c.birthday, col("Birthday"), "Birthday");
    place(c.anniversary, col("Anniversary"), "Anniversary");
    for (const Event& event : c.events) {
        m_scratch.clear();
        appendIsoDate(event.when, m_scratch);
        moveToNotes(FieldKind::Other,
                    event.attributes.label.empty() ? "Event" : event.attributes.label, m_scratch);
    }
}

void OutlookLayout::placeRelations(const Contact& c)
{
    static constexpr std::pair<std::string_view, std::size_t> kSlots[] = {
        {"spouse", col("Spouse")},
        {"manager", col("Manager's Name")},
        {"assistant", col("Assistant's Name")},
        {"referred-by", col("Referred By")},
    };
    for (const Relation& relation : c.relations) {
        const Attributes& a = relation.attributes;
        if (labelIs(a, {"child"}) || (a.label.empty() && hasType(a, "child"))) {
            std::string& children = m_cells[col("Children")];
            if (!children.empty())
                children.append(", ");
            children.append(relation.name);
            continue;
        }
        const auto slot = std::find_if(std::begin(kSlots), std::end(kSlots), [&](const auto& s) {
            return labelIs(a, {s.first}) || (a.label.empty() && hasType(a, s.first));
        });
        if (slot != std::end(kSlots) && m_cells[slot->second].empty()) {
            m_cells[slot->second] = relation.name;
            continue;
        }
        m_scratch.assign("Relation");
        if (const std::string_view kind = relationKind(relation); !kind.empty())
            m_scratch.append(" (").append(kind).append(")");
        moveToNotes(FieldKind::Other, m_scratch, relation.name);
    }
}

void OutlookLayout::placeOthers(const Contact& c)
{
    m_cells[col("Company")] = c.organization;
    appendJoined(c.organizationUnits, ", ", m_cells[col("Department")]);
    m_cells[col("Job Title")] = c.title;
    m_cells[col("Profession")] = c.role;
    // Outlook separates categories with a semicolon within the cell.
    appendJoined(c.categories, ";", m_cells[col("Categories")]);
    const std::size_t preferredUrl = preferredIndex(c.urls);
    const std::size_t webPage = preferredUrl == std::string::npos ? 0 : preferredUrl;
    unsigned number = 1;
    for (std::size_t i = 0; i < c.urls.size(); ++i) {
        if (i == webPage)
            m_cells[col("Web Page")] = c.urls[i].value;
        else
            moveToNotes(FieldKind::Other, "Web Page", ++number, c.urls[i].value);
    }
    for (const ImHandle& im : c.ims) {
        m_scratch.assign("IM (").append(im.service).append(")");
        moveToNotes(FieldKind::Other, m_scratch, im.handle);
    }
    for (const OtherProperty& other : c.others) {
        if (other.name != "GENDER" && other.name != "X-GENDER")
            continue;
        const char sex = other.value.empty() ? ' ' : other.value.front();
        if (sex == 'M' || sex == 'm')
            m_cells[col("Gender")] = "Male";
        else if (sex == 'F' || sex == 'f')
            m_cells[col("Gender")] = "Female";
    }
    if (!c.photoUrl.empty())
        moveToNotes(FieldKind::Other, "Photo", c.photoUrl);
}

void OutlookLayout::moveToNotes(FieldKind kind, std::string_view label, std::string_view value)
{
    if (!kinds().keeps(kind) || value.empty())
        return;
    if (!m_moved.empty())
        m_moved.push_back('\n');
    m_moved.append(label).append(": ").append(value);
    ++m_movedToNotes;
}

void OutlookLayout::moveToNotes(FieldKind kind, std::string_view label, unsigned number,
                                std::string_view value)
{
    std::string numbered(label);
    numbered.append(" ").append(std::to_string(number));
    moveToNotes(kind, numbered, value);
}

}  // namespace brimwell::vcard::csv
