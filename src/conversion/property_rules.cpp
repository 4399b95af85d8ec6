#include "conversion/property_rules.h"

#include "conversion/text_ops.h"

namespace brimwell {

using text::trimSpaces;

/// The parts of one property line that the rules look at.
struct PropertyRules::Line {
    std::string_view head;        // text before the first ':', as read
    std::string_view rest;        // text after the first ':', its colons kept
    std::string_view firstValue;  // rest up to the second ':'
    std::string_view key;         // head trimmed, upper case
    std::string_view baseName;    // first ';' piece of the trimmed head, trimmed, upper case
};

namespace {

constexpr std::string_view kWork = "WORK";

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool isNameKey(std::string_view key)
{
    return startsWith(key, "N") && !startsWith(key, "NOTE") && !startsWith(key, "NICKNAME");
}

/// A value trimmed of spaces and then cleared of carriage returns, in that order.
void assignTrimmedNoCr(std::string& out, std::string_view value)
{
    out.assign(trimSpaces(value));
    text::removeAll(out, '\r');
}

void assignNoCr(std::string& out, std::string_view value)
{
    out.assign(value);
    text::removeAll(out, '\r');
}

/// An address component with its "\n" escapes and "=0D" sequences turned into spaces.
void assignAddressLine(std::string& out, std::string_view component)
{
    out.assign(component);
    text::replaceAll(out, "\\n", " ");
    text::replaceAll(out, "=0D", " ");
}

/// The i-th ';' piece of s, or an empty view past the last one.
std::string_view piece(std::string_view s, std::size_t index)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < index; ++i) {
        start = s.find(';', start);
        if (start == std::string_view::npos)
            return {};
        ++start;
    }
    return s.substr(start, s.find(';', start) - start);
}

struct SimpleRule {
    std::string_view prefix;
    bool exact;
    std::string_view column;
};

// Rules 3 to 7: one column each, the first value trimmed.
constexpr SimpleRule kSimpleRules[] = {
    {"ORG", false, "Organization"}, {"BDAY", true, "Birthday"},    {"NICKNAME", false, "Nickname"},
    {"TITLE", false, "Job Title"},  {"ROLE", false, "Role"},
};

}  // namespace

void PropertyRules::startContact()
{
    m_emails = m_websites = m_businessPhones = m_homePhones = 1;
}

void PropertyRules::recognize(std::string_view text, FieldSink& sink)
{
    const auto colon = text.find(':');
    if (colon == std::string_view::npos)
        return;
    Line line;
    line.head = text.substr(0, colon);
    const auto trimmedHead = trimSpaces(line.head);
    if (trimmedHead.empty())
        return;
    line.rest = text.substr(colon + 1);
    line.firstValue = line.rest.substr(0, line.rest.find(':'));
    text::assignUpper(m_key, trimmedHead);
    line.key = m_key;
    text::assignUpper(m_baseName, trimSpaces(trimmedHead.substr(0, trimmedHead.find(';'))));
    line.baseName = m_baseName;

    if (m_rules == RuleSet::Filtered)
        recognizeFiltered(line, sink);
    else
        recognizeKey(line, sink);
}

void PropertyRules::recognizeKey(const Line& line, FieldSink& sink)
{
    if (startsWith(line.key, "FN")) {
        assignTrimmedNoCr(m_value, line.firstValue);
        sink.field("Display Name", m_value);
        return;
    }
    if (isNameKey(line.key))
        return nameRule(line, sink);
    for (const auto& rule : kSimpleRules) {
        if (rule.exact ? line.key == rule.prefix : startsWith(line.key, rule.prefix)) {
            assignTrimmedNoCr(m_value, line.firstValue);
            sink.field(rule.column, m_value);
            return;
        }
    }
    if (m_rules == RuleSet::AllWithParameters && line.head.find(';') == std::string_view::npos)
        return;
    if (line.baseName.find("EMAIL") != std::string_view::npos) {
        assignNoCr(m_secondValue, line.firstValue);
        return yieldNumbered("Email Address", m_emails, m_secondValue, sink);
    }
    if (startsWith(line.baseName, "URL")) {
        assignNoCr(m_secondValue, line.rest);
        return yieldNumbered("Website", m_websites, m_secondValue, sink);
    }
    if (startsWith(line.baseName, "NOTE"))
        return noteRule(line, sink);
    if (line.baseName == "ADR")
        return addressRule(line, sink);
    if (line.baseName.find("TEL") != std::string_view::npos)
        return telephoneRule(line, sink);
}

void PropertyRules::recognizeFiltered(const Line& line, FieldSink& sink)
{
    // The first test that holds decides the line; an unticked box swallows it.
    auto ticked = [this](Control box) { return m_window.checkValue(box) == 1; };
    if (isNameKey(line.key)) {
        if (ticked(Control::Check6))
            nameRule(line, sink);
    } else if (line.baseName.find("EMAIL") != std::string_view::npos) {
        if (ticked(Control::Check3)) {
            assignNoCr(m_secondValue, line.firstValue);
            yieldNumbered("Email Address", m_emails, m_secondValue, sink);
        }
    } else if (line.baseName == "ADR") {
        if (ticked(Control::Check8))
            addressRule(line, sink);
    } else if (line.baseName.find("TEL") != std::string_view::npos) {
        if (ticked(Control::Check4))
            telephoneRule(line, sink);
    }
}

void PropertyRules::nameRule(const Line& line, FieldSink& sink)
{
    const auto value = trimSpaces(line.firstValue);
    assignTrimmedNoCr(m_value, piece(value, 0));
    sink.field("Last Name", m_value);
    if (value.find(';') != std::string_view::npos) {
        assignTrimmedNoCr(m_value, piece(value, 1));
        sink.field("First Name", m_value);
    }
}

void PropertyRules::noteRule(const Line& line, FieldSink& sink)
{
    m_value.assign(line.rest);
    const bool removeLineBreaks = m_window.checkValue(Control::Check10) == 1;
    text::replaceAll(m_value, "=0D=0A=", removeLineBreaks ? " " : "\r\n");
    text::replaceAll(m_value, "\\n", " ");
    m_secondValue.assign(trimSpaces(m_value));
    sink.field("Notes", m_secondValue);
}

void PropertyRules::addressRule(const Line& line, FieldSink& sink)
{
    const auto value = trimSpaces(line.rest);
    const auto components = static_cast<std::size_t>(std::count(value.begin(), value.end(), ';')) + 1;
    const auto c = [value](std::size_t index) { return piece(value, index); };
    const bool business = text::containsIgnoreCase(line.head, kWork);

    if (business) {
        if (components >= 2) {
            assignAddressLine(m_value, c(1));
            sink.field("Business Address 1", m_value);
        }
        if (components >= 3) {
            assignAddressLine(m_value, c(2));
            sink.field("Business Address 2", m_value);
        }
    } else if (components >= 3) {
        const bool extendedEmpty = c(1).empty();
        assignAddressLine(m_value, extendedEmpty ? c(2) : c(1));
        sink.field("Home Address 1", m_value);
        if (extendedEmpty)
            m_value.clear();
        else
            assignAddressLine(m_value, c(2));
        sink.field("Home Address 2", m_value);
    }

    static constexpr std::string_view kHomeColumns[] = {"Home City", "Home State",
                                                        "Home Postal Code", "Home Country"};
    static constexpr std::string_view kBusinessColumns[] = {
        "Business City", "Business State", "Business Postal Code", "Business Country"};
    const auto& columns = business ? kBusinessColumns : kHomeColumns;
    for (std::size_t i = 0; i < 4 && components >= i + 4; ++i)
        sink.field(columns[i], c(i + 3));
}

void PropertyRules::telephoneRule(const Line& line, FieldSink& sink)
{
    assignNoCr(m_secondValue, line.firstValue);
    if (text::containsIgnoreCase(line.head, "FAX"))
        sink.field("Home Fax", m_secondValue);
    else if (text::containsIgnoreCase(line.head, "CELL"))
        sink.field("Mobile Phone", m_secondValue);
    else if (text::containsIgnoreCase(line.head, "PAGER"))
        sink.field("Pager", m_secondValue);
    else if (text::containsIgnoreCase(line.head, kWork))
        yieldNumbered("Business Phone", m_businessPhones, m_secondValue, sink);
    else
        yieldNumbered("Home Phone", m_homePhones, m_secondValue, sink);
}

void PropertyRules::yieldNumbered(std::string_view name, int& counter, std::string_view value,
                                  FieldSink& sink)
{
    if (counter == 1) {
        sink.field(name, value);
    } else {
        m_name.assign(name).append(" ").append(std::to_string(counter));
        sink.field(m_name, value);
    }
    ++counter;
}

}  // namespace brimwell
