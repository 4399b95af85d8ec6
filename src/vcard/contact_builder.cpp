#include "vcard/contact_builder.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "vcard/ascii.h"
#include "vcard/byte_scan.h"
#include "vcard/date_parser.h"
#include "vcard/value_decoder.h"

namespace brimwell::vcard {
namespace {

enum class Kind {
    Version,
    FormattedName,
    Name,
    Nickname,
    Organization,
    Title,
    Role,
    Birthday,
    Anniversary,
    AnniversaryLike,
    Email,
    Phone,
    Address,
    Label,
    Url,
    Impp,
    ImProperty,
    Related,
    Spouse,
    Manager,
    Assistant,
    EventDate,
    Note,
    Categories,
    Photo,
    Data,
    Sound,
    PhoneticFirst,
    PhoneticMiddle,
    PhoneticLast,
    GroupLabel,
    Agent,
};

struct KindName {
    std::string_view name;
    Kind kind;
};

constexpr KindName kKindNames[] = {
    {"VERSION", Kind::Version},
    {"FN", Kind::FormattedName},
    {"N", Kind::Name},
    {"NICKNAME", Kind::Nickname},
    {"ORG", Kind::Organization},
    {"TITLE", Kind::Title},
    {"ROLE", Kind::Role},
    {"BDAY", Kind::Birthday},
    {"ANNIVERSARY", Kind::Anniversary},
    {"X-ANNIVERSARY", Kind::AnniversaryLike},
    {"X-EVOLUTION-ANNIVERSARY", Kind::AnniversaryLike},
    {"X-MS-ANNIVERSARY", Kind::AnniversaryLike},
    {"EMAIL", Kind::Email},
    {"TEL", Kind::Phone},
    {"ADR", Kind::Address},
    {"LABEL", Kind::Label},
    {"URL", Kind::Url},
    {"IMPP", Kind::Impp},
    {"X-AIM", Kind::ImProperty},
    {"X-ICQ", Kind::ImProperty},
    {"X-JABBER", Kind::ImProperty},
    {"X-MSN", Kind::ImProperty},
    {"X-YAHOO", Kind::ImProperty},
    {"X-SKYPE", Kind::ImProperty},
    {"X-SKYPE-USERNAME", Kind::ImProperty},
    {"X-GTALK", Kind::ImProperty},
    {"X-GOOGLE-TALK", Kind::ImProperty},
    {"X-QQ", Kind::ImProperty},
    {"X-GADUGADU", Kind::ImProperty},
    {"RELATED", Kind::Related},
    {"X-ABRELATEDNAMES", Kind::Related},
    {"X-SPOUSE", Kind::Spouse},
    {"X-MANAGER", Kind::Manager},
    {"X-ASSISTANT", Kind::Assistant},
    {"X-ABDATE", Kind::EventDate},
    {"NOTE", Kind::Note},
    {"CATEGORIES", Kind::Categories},
    {"PHOTO", Kind::Photo},
    {"LOGO", Kind::Data},
    {"KEY", Kind::Data},
    {"SOUND", Kind::Sound},
    {"X-PHONETIC-FIRST-NAME", Kind::PhoneticFirst},
    {"X-PHONETIC-MIDDLE-NAME", Kind::PhoneticMiddle},
    {"X-PHONETIC-LAST-NAME", Kind::PhoneticLast},
    {"X-ABLABEL", Kind::GroupLabel},
    {"AGENT", Kind::Agent},
};

/// The kind of a property name (any case), looked up among the names of the same length.
std::optional<Kind> kindOf(std::string_view name)
{
    static const auto byLength = [] {
        std::array<std::vector<KindName>, 32> table;
        for (const KindName& entry : kKindNames)
            table[entry.name.size()].push_back(entry);
        return table;
    }();
    if (name.size() >= byLength.size())
        return std::nullopt;
    // Byte by byte: the names are short, shorter than a library comparison's start-up.
    auto same = [&name](std::string_view known) {
        for (std::size_t i = 0; i < name.size(); ++i)
            if (known[i] != toUpperAscii(name[i]))
                return false;
        return true;
    };
    for (const KindName& entry : byLength[name.size()])
        if (same(entry.name))
            return entry.kind;
    return std::nullopt;
}

/// Bare 2.1 parameters that name a transfer encoding, not a type.
bool isEncodingKeyword(std::string_view value)
{
    // Most bare parameters are types: their first letter tells them apart at once.
    switch (value.empty() ? '\0' : toUpperAscii(value.front())) {
    case 'Q':
    case 'B':
    case '8':
    case '7':
        break;
    default:
        return false;
    }
    for (std::string_view keyword : {"QUOTED-PRINTABLE", "BASE64", "8BIT", "7BIT"})
        if (equalsIgnoreCase(value, keyword))
            return true;
    return false;
}

/// `_$!<HomePage>!$_` -> `HomePage`; any other label as it is.
std::string_view labelText(std::string_view label)
{
    if (label.starts_with("_$!<") && label.ends_with(">!$_") && label.size() >= 8)
        return label.substr(4, label.size() - 8);
    return label;
}

/// The scheme of a URI (`xmpp` of `xmpp:ann@example.com`), empty when the text has none.
std::string_view uriScheme(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return {};
    for (char c : text.substr(0, colon)) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                             (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        if (!allowed)
            return {};
    }
    return text.substr(0, colon);
}

bool isEmbeddedData(const Property& property)
{
    return property.encoding == ValueEncoding::Base64 ||
           startsWithIgnoreCase(trimSpaces(property.value), "data:");
}

}  // namespace

void ContactBuilder::addType(Attributes& attributes, std::string_view type) const
{
    type = trimSpaces(type);
    if (type.empty())
        return;
    if (equalsIgnoreCase(type, "pref")) {
        if (attributes.preference == 0)
            attributes.preference = 1;
        return;
    }
    auto& types = attributes.types;
    std::string& lower = types.emplace_back();
    assignSyntaxCased<toLowerAscii>(type, lower);
    if (std::find(types.begin(), types.end() - 1, lower) != types.end() - 1)
        types.pop_back();
}

std::string_view ContactBuilder::decodedText(const Property& property)
{
    std::string_view source = property.value;
    if (property.encoding == ValueEncoding::QuotedPrintable) {
        m_bytes.clear();
        if (!decodeQuotedPrintable(source, m_bytes))
            m_problems.push_back("bad quoted-printable escape in " + upperName(property));
        source = m_bytes;
    }
    const std::string_view charset = trimSpaces(property.charset);
    if ((charset.empty() || namesUtf8(charset)) &&
        (source.data() == property.value.data() ? property.utf8 : isValidUtf8(source)))
        return source;
    m_text.clear();
    if (!m_charsets.decode(source, charset, m_text)) {
        std::string name;
        appendSyntax(charset, name);
        m_problems.push_back("unknown character set " + name + " in " + upperName(property));
    }
    return m_text;
}

void ContactBuilder::readAttributes(const Property& property, Attributes& result) const
{
    result.types.reserve(std::min<std::size_t>(property.parameters.size(), 4));
    appendSyntax(property.group, result.group);
    for (const Parameter& parameter : property.parameters) {
        if (parameter.name.empty()) {
            if (!isEncodingKeyword(parameter.value))
                addType(result, parameter.value);
        } else if (equalsIgnoreCase(parameter.name, "TYPE")) {
            std::string_view rest = parameter.value;
            for (;;) {
                const std::size_t comma = findFirstOf<','>(rest, 0);
                addType(result, rest.substr(0, comma));
                if (comma == rest.size())
                    break;
                rest.remove_prefix(comma + 1);
            }
        } else if (equalsIgnoreCase(parameter.name, "PREF")) {
            const std::string_view digits = trimSpaces(parameter.value);
            int preference = 0;
            std::from_chars(digits.data(), digits.data() + digits.size(), preference);
            result.preference = preference > 0 ? preference : 1;
        }
    }
}

void ContactBuilder::add(const Property& property)
{
    m_lineUtf8 = property.utf8;
    const std::optional<Kind> found = kindOf(property.name);
    if (!found)
        return isEmbeddedData(property) ? addData(property, false) : addOther(property);
    const Kind kind = *found;
    // Every group as it comes, repeats and all: a card has few, looked up once its labels
    // are joined.
    if (kind != Kind::GroupLabel && !property.group.empty())
        appendSyntax(property.group, m_groups.emplace_back());
    Contact& c = *m_contact;
    switch (kind) {
    case Kind::Version:
        if (c.version.empty())
            appendSyntax(trimSpaces(property.value), c.version);
        return;
    case Kind::FormattedName:
        if (!c.formattedName.empty())
            return addOther(property);
        return assignUnescaped(c.formattedName, decodedText(property));
    case Kind::Name:
        if (!c.name.empty())
            return addOther(property);
        return addName(c.name, decodedText(property), 5);
    case Kind::Nickname:
    case Kind::Categories: {
        auto& list = kind == Kind::Nickname ? c.nicknames : c.categories;
        auto& spares = kind == Kind::Nickname ? m_spares.nicknames : m_spares.categories;
        appendUnescapedParts(decodedText(property), ',',
                             [&](std::size_t) { return &spares.append(list); });
        return;
    }
    case Kind::Organization: {
        if (!c.organization.empty() || !c.organizationUnits.empty())
            return addOther(property);
        appendUnescapedParts(decodedText(property), ';', [&](std::size_t part) {
            return part == 0 ? &c.organization
                             : &m_spares.organizationUnits.append(c.organizationUnits);
        });
        return;
    }
    case Kind::Title:
    case Kind::Role: {
        std::string& field = kind == Kind::Title ? c.title : c.role;
        if (!field.empty())
            return addOther(property);
        return assignUnescaped(field, decodedText(property));
    }
    case Kind::Birthday:
        if (c.birthday)
            return addOther(property);
        return setDate(c.birthday, property);
    case Kind::Anniversary:
        if (c.anniversary)
            return addOther(property);
        return setDate(c.anniversary, property);
    case Kind::AnniversaryLike:
        if (c.anniversary)
            return addEvent(property);
        return setDate(c.anniversary, property);
    case Kind::Email:
        return addTyped(c.emails, m_spares.emails, property, {});
    case Kind::Phone:
        return addTyped(c.phones, m_spares.phones, property, "tel:");
    case Kind::Url:
        return addTyped(c.urls, m_spares.urls, property, {});
    case Kind::Address:
        return addAddress(property);
    case Kind::Label: {
        PendingLabel& label = m_addressLabels.emplace_back();
        label.otherIndex = c.others.size();
        Attributes attributes;
        readAttributes(property, attributes);
        label.types = std::move(attributes.types);
        return addOther(property);
    }
    case Kind::Impp:
        return addIm(property, {});
    case Kind::ImProperty: {
        const std::string name = upperName(property);
        std::string_view service = std::string_view(name).substr(2);
        if (service.ends_with("-USERNAME"))
            service.remove_suffix(9);
        return addIm(property, service);
    }
    case Kind::Related:
        return addRelation(property, {});
    case Kind::Spouse:
        return addRelation(property, "spouse");
    case Kind::Manager:
        return addRelation(property, "manager");
    case Kind::Assistant:
        return addRelation(property, "assistant");
    case Kind::EventDate:
        return addEvent(property);
    case Kind::Note: {
        appendUnescaped(decodedText(property), m_spares.notes.append(c.notes));
        return;
    }
    case Kind::Photo:
        return addData(property, true);
    case Kind::Data:
        return addData(property, false);
    case Kind::Sound:
        if (!hasType(property, "X-IRMC-N"))
            return addData(property, false);
        if (!c.phonetic.empty())
            return addOther(property);
        return addName(c.phonetic, decodedText(property), 3);
    case Kind::PhoneticFirst:
        return assignUnescaped(c.phonetic.given, decodedText(property));
    case Kind::PhoneticMiddle:
        return assignUnescaped(c.phonetic.additional, decodedText(property));
    case Kind::PhoneticLast:
        return assignUnescaped(c.phonetic.family, decodedText(property));
    case Kind::GroupLabel:
        m_groupLabels.push_back(c.others.size());
        return addOther(property);
    case Kind::Agent:
        // A 2.1 AGENT whose card follows as nested lines has no value of its own.
        if (trimSpaces(property.value).empty())
            return;
        return addOther(property);
    }
}

void ContactBuilder::addTyped(std::vector<TypedValue>& list, SpareItems<TypedValue>& spares,
                              const Property& property, std::string_view prefix)
{
    TypedValue& item = spares.append(list);
    appendUnescaped(decodedText(property), item.value);
    if (!prefix.empty() && startsWithIgnoreCase(item.value, prefix))
        item.value.erase(0, prefix.size());
    readAttributes(property, item.attributes);
}

void ContactBuilder::addName(NameParts& name, std::string_view text, std::size_t partCount)
{
    std::string* fields[] = {&name.family, &name.given, &name.additional, &name.prefix,
                             &name.suffix};
    appendUnescapedParts(
        text, ';', [&](std::size_t part) { return part < partCount ? fields[part] : nullptr; });
}

void ContactBuilder::addAddress(const Property& property)
{
    Address& address = m_spares.addresses.append(m_contact->addresses);
    std::string* fields[] = {&address.poBox,    &address.extended, &address.street,
                             &address.locality, &address.region,   &address.postalCode,
                             &address.country};
    appendUnescapedParts(decodedText(property), ';', [&](std::size_t part) {
        return part < std::size(fields) ? fields[part] : nullptr;
    });
    const std::string_view label = parameterValue(property, "LABEL");
    if (!label.empty()) {
        std::string text;
        appendParameterText(label, text);
        m_charsets.appendUtf8(text, address.formatted);
    }
    readAttributes(property, address.attributes);
}

void ContactBuilder::addIm(const Property& property, std::string_view service)
{
    ImHandle& im = m_spares.ims.append(m_contact->ims);
    appendUnescaped(decodedText(property), im.handle);
    const std::string_view serviceType = trimSpaces(parameterValue(property, "X-SERVICE-TYPE"));
    const std::string_view scheme = uriScheme(im.handle);
    if (service.empty()) {  // IMPP
        assignSyntaxCased<toLowerAscii>(serviceType.empty() ? scheme : serviceType, im.service);
    } else {
        assignLower(im.service, service);
    }
    if (service.empty() && !scheme.empty()) {
        std::string decoded;
        appendPercentDecoded(std::string_view(im.handle).substr(scheme.size() + 1), decoded);
        im.handle.clear();
        m_charsets.appendUtf8(decoded, im.handle);
    }
    readAttributes(property, im.attributes);
}

void ContactBuilder::addRelation(const Property& property, std::string_view type)
{
    Relation& relation = m_spares.relations.append(m_contact->relations);
    appendUnescaped(decodedText(property), relation.name);
    readAttributes(property, relation.attributes);
    if (!type.empty() &&
        std::find(relation.attributes.types.begin(), relation.attributes.types.end(), type) ==
            relation.attributes.types.end())
        relation.attributes.types.insert(relation.attributes.types.begin(), std::string(type));
}

void ContactBuilder::addEvent(const Property& property)
{
    Event& event = m_spares.events.append(m_contact->events);
    appendUnescaped(decodedText(property), event.when.text);
    event.when.date = parseDate(event.when.text);
    readAttributes(property, event.attributes);
}

void ContactBuilder::setDate(std::optional<DateValue>& field, const Property& property)
{
    DateValue value;
    appendUnescaped(decodedText(property), value.text);
    value.date = parseDate(value.text);
    field = std::move(value);
}

void ContactBuilder::addData(const Property& property, bool isPhoto)
{
    const bool embedded = isEmbeddedData(property);
    if (embedded) {
        std::string_view data = property.value;
        bool base64 = property.encoding == ValueEncoding::Base64;
        if (!base64) {
            const std::size_t comma = data.find(',');
            base64 = comma != std::string_view::npos &&
                     data.substr(0, comma).find(";base64") != std::string_view::npos;
            data = comma == std::string_view::npos ? std::string_view{} : data.substr(comma + 1);
        }
        if (base64 && !isValidBase64(data))
            m_problems.push_back("bad base64 data in " + upperName(property));
    }
    Contact& c = *m_contact;
    if (!isPhoto || c.hasEmbeddedPhoto || !c.photoUrl.empty()) {
        if (!embedded)
            return addOther(property);
        OtherProperty& other = m_spares.others.append(c.others);
        assignSyntaxCased<toUpperAscii>(property.name, other.name);
        appendSyntax(property.group, other.group);
        return;
    }
    if (embedded)
        c.hasEmbeddedPhoto = true;
    else
        assignUnescaped(c.photoUrl, decodedText(property));
}

void ContactBuilder::addOther(const Property& property)
{
    OtherProperty& other = m_spares.others.append(m_contact->others);
    assignSyntaxCased<toUpperAscii>(property.name, other.name);
    appendSyntax(property.group, other.group);
    appendUnescaped(decodedText(property), other.value);
}

void ContactBuilder::joinLabels()
{
    std::vector<std::size_t> joined;
    auto& others = m_contact->others;
    for (const PendingLabel& label : m_addressLabels) {
        auto& addresses = m_contact->addresses;
        auto free = [](const Address& address) { return address.formatted.empty(); };
        auto match = std::find_if(addresses.begin(), addresses.end(), [&](const Address& a) {
            return free(a) && a.attributes.types == label.types;
        });
        if (match == addresses.end())
            match = std::find_if(addresses.begin(), addresses.end(), free);
        if (match == addresses.end())
            continue;
        match->formatted = others[label.otherIndex].value;
        joined.push_back(label.otherIndex);
    }
    for (std::size_t index : m_groupLabels) {
        const OtherProperty& entry = others[index];
        if (entry.group.empty() ||
            std::find(m_groups.begin(), m_groups.end(), entry.group) == m_groups.end())
            continue;
        const std::string_view label = labelText(entry.value);
        auto apply = [&](auto& list) {
            for (auto& item : list)
                if (item.attributes.group == entry.group)
                    item.attributes.label = label;
        };
        apply(m_contact->emails);
        apply(m_contact->phones);
        apply(m_contact->addresses);
        apply(m_contact->urls);
        apply(m_contact->ims);
        apply(m_contact->events);
        apply(m_contact->relations);
        joined.push_back(index);
    }
    std::sort(joined.begin(), joined.end(), std::greater<>());
    for (std::size_t index : joined)
        others.erase(others.begin() + static_cast<std::ptrdiff_t>(index));
}

void ContactBuilder::begin(Contact& contact)
{
    m_contact = &contact;
    m_spares.takeFrom(contact);
}

void ContactBuilder::finish()
{
    joinLabels();
    m_contact = nullptr;
    m_problems.clear();
    m_addressLabels.clear();
    m_groupLabels.clear();
    m_groups.clear();
}

}  // namespace brimwell::vcard
