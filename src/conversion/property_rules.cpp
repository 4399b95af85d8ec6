#include "conversion/property_rules.h"

#include <array>

#include "base/text_ops.h"

namespace brimwell {

using text::trimSpaces;

/// The parts of one property line that the rules look at.
struct PropertyRules::Line {
    std::string_view head;  // text before the first ':', as read
    std::string_view rest;  // text after the first ':', its colons kept
    std::string_view key;   // head trimmed (letter case as read: the tests ignore it)
};

namespace {

// The rules compare heads in capitals. Rather than upper-casing every head, these compare
// each character with a word of capital letters: clearing bit 5 turns exactly the ASCII
// letters into capitals, and no other byte then equals a capital letter.

bool sameLetter(char c, char capital)
{
    return (c & ~0x20) == capital;
}

/// True when `s` upper-cased starts with `capitals` (capital letters only).
bool startsWith(std::string_view s, std::string_view capitals)
{
    if (s.size() < capitals.size())
        return false;
    for (std::size_t i = 0; i < capitals.size(); ++i)
        if (!sameLetter(s[i], capitals[i]))
            return false;
    return true;
}

/// startsWith for a word written out in the code, whose length the compiler then knows.
template <std::size_t N>
bool startsWith(std::string_view s, const char (&capitals)[N])
{
    return startsWith(s, std::string_view(capitals, N - 1));
}

/// True when `s` upper-cased is `capitals` (capital letters only).
template <std::size_t N>
bool equals(std::string_view s, const char (&capitals)[N])
{
    return s.size() == N - 1 && startsWith(s, capitals);
}

/// True when `s` upper-cased holds `capitals` (capital letters only).
template <std::size_t N>
bool contains(std::string_view s, const char (&capitals)[N])
{
    for (std::size_t at = 0; at + (N - 1) <= s.size(); ++at)
        if (sameLetter(s[at], capitals[0]) && startsWith(s.substr(at), capitals))
            return true;
    return false;
}

bool isNameKey(std::string_view key)
{
    return sameLetter(key[0], 'N') && !startsWith(key, "NOTE") && !startsWith(key, "NICKNAME");
}

/// The position of `c` in a short text such as a head: a plain loop beats a library call.
std::size_t findShort(std::string_view s, char c)
{
    for (std::size_t i = 0; i < s.size(); ++i)
        if (s[i] == c)
            return i;
    return std::string_view::npos;
}

/// `value` without its carriage returns. Most values hold one, at the end of the line.
void assignNoCr(std::string& out, std::string_view value)
{
    out.clear();
    for (auto cr = value.find('\r'); cr != std::string_view::npos; cr = value.find('\r')) {
        out.append(value.substr(0, cr));
        value.remove_prefix(cr + 1);
    }
    if (!value.empty())
        out.append(value);
}

/// `value` without its carriage returns: the value itself when it holds none, or only one
/// at its end (as the lines of a file with CR LF line ends do); else a copy in `out`.
std::string_view withoutCarriageReturns(std::string& out, std::string_view value)
{
    const auto cr = value.find('\r');
    if (cr == std::string_view::npos)
        return value;
    if (cr + 1 == value.size())
        return value.substr(0, cr);
    assignNoCr(out, value);
    return out;
}

/// An address component with its "\n" escapes and "=0D" sequences turned into spaces.
void assignAddressLine(std::string& out, std::string_view component)
{
    out.assign(component);
    text::replaceAll(out, "\\n", " ");
    text::replaceAll(out, "=0D", " ");
}

/// The first pieces of an address value, cut once, and how many pieces it has in all.
struct AddressPieces {
    static constexpr std::size_t kUsed = 7;  // post office box .. country
    std::array<std::string_view, kUsed> pieces{};
    std::size_t count = 0;

    explicit AddressPieces(std::string_view value)
    {
        std::size_t start = 0;
        for (std::size_t i = 0; i <= value.size(); ++i) {
            if (i < value.size() && value[i] != ';')
                continue;
            if (count < kUsed)
                pieces[count] = value.substr(start, i - start);
            ++count;
            start = i + 1;
        }
    }
    /// Piece `index`, or an empty view past the last one.
    std::string_view operator[](std::size_t index) const { return pieces[index]; }
};

/// Which of the words that sort a telephone line its head holds (in any letter case), found
/// in one look at each character rather than one search per word.
struct PhoneWords {
    bool fax = false;
    bool cell = false;
    bool pager = false;
    bool work = false;

    explicit PhoneWords(std::string_view head)
    {
        for (std::size_t at = 0; at < head.size(); ++at) {
            // Only the first letters of the four words need a closer look.
            if (!kFirstLetters[static_cast<unsigned char>(head[at])])
                continue;
            const auto rest = head.substr(at);
            switch (head[at] & ~0x20) {
            case 'F':
                fax = fax || startsWith(rest, "FAX");
                break;
            case 'C':
                cell = cell || startsWith(rest, "CELL");
                break;
            case 'P':
                pager = pager || startsWith(rest, "PAGER");
                break;
            default:
                work = work || startsWith(rest, "WORK");
                break;
            }
        }
    }

private:
    static constexpr auto kFirstLetters = [] {
        std::array<bool, 256> letters{};
        for (const char c : {'F', 'C', 'P', 'W', 'f', 'c', 'p', 'w'})
            letters[static_cast<unsigned char>(c)] = true;
        return letters;
    }();
};

struct SimpleRule {
    std::string_view prefix;
    bool exact;
    std::string_view column;
};

// Rules 3 to 7: one column each, the first value trimmed.
constexpr SimpleRule kSimpleRules[] = {
    {"ORG", false, "Organization"}, {"BDAY", true, "Birthday"}, {"NICKNAME", false, "Nickname"},
    {"TITLE", false, "Job Title"},  {"ROLE", false, "Role"},
};

/// The simple rule whose word starts with the key's first letter (no two start alike), or
/// none: one look-up instead of a compare per rule.
const SimpleRule* simpleRuleFor(char first)
{
    static constexpr auto kByLetter = [] {
        std::array<const SimpleRule*, 256> byLetter{};
        for (const SimpleRule& rule : kSimpleRules) {
            byLetter[static_cast<unsigned char>(rule.prefix[0])] = &rule;
            byLetter[static_cast<unsigned char>(rule.prefix[0] | 0x20)] = &rule;
        }
        return byLetter;
    }();
    return kByLetter[static_cast<unsigned char>(first)];
}

/// The property name without parameters: the key's first ';' piece, trimmed. Only the
/// rules past the key rules need it.
std::string_view baseName(std::string_view key)
{
    return trimSpaces(key.substr(0, findShort(key, ';')));
}

}  // namespace

void PropertyRules::startContact()
{
    for (Numbered* column : {&m_emails, &m_websites, &m_businessPhones, &m_homePhones})
        column->counter = 1;
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
    line.key = trimmedHead;

    if (m_rules == RuleSet::Filtered)
        recognizeFiltered(line, sink);
    else
        recognizeKey(line, sink);
}

void PropertyRules::recognizeKey(const Line& line, FieldSink& sink)
{
    if (startsWith(line.key, "FN"))
        return sink.field("Display Name", firstValue(line, true));
    if (isNameKey(line.key))
        return nameRule(line, sink);
    if (const SimpleRule* rule = simpleRuleFor(line.key[0]);
        rule != nullptr && startsWith(line.key, rule->prefix) &&
        (!rule->exact || line.key.size() == rule->prefix.size()))
        return sink.field(rule->column, firstValue(line, true));
    if (m_rules == RuleSet::AllWithParameters &&
        findShort(line.head, ';') == std::string_view::npos)
        return;
    const auto name = baseName(line.key);
    if (contains(name, "EMAIL"))
        return yieldNumbered(m_emails, firstValue(line, false), sink);
    if (startsWith(name, "URL"))
        return yieldNumbered(m_websites, withoutCr(line.rest), sink);
    if (startsWith(name, "NOTE"))
        return noteRule(line, sink);
    if (equals(name, "ADR"))
        return addressRule(line, sink);
    if (contains(name, "TEL"))
        return telephoneRule(line, sink);
}

void PropertyRules::recognizeFiltered(const Line& line, FieldSink& sink)
{
    // The first test that holds decides the line; an unticked box swallows it.
    if (isNameKey(line.key)) {
        if (isTicked(m_window, Control::Check6))
            nameRule(line, sink);
        return;
    }
    const auto name = baseName(line.key);
    if (contains(name, "EMAIL")) {
        if (isTicked(m_window, Control::Check3))
            yieldNumbered(m_emails, firstValue(line, false), sink);
    } else if (equals(name, "ADR")) {
        if (isTicked(m_window, Control::Check8))
            addressRule(line, sink);
    } else if (contains(name, "TEL")) {
        if (isTicked(m_window, Control::Check4))
            telephoneRule(line, sink);
    }
}

std::string_view PropertyRules::firstValue(const Line& line, bool trimmed)
{
    if (!m_values)
        return {};
    const auto value = line.rest.substr(0, line.rest.find(':'));
    // Trimmed before the carriage returns go, so a CR protects the spaces in front of it.
    return withoutCarriageReturns(m_value, trimmed ? trimSpaces(value) : value);
}

std::string_view PropertyRules::withoutCr(std::string_view raw)
{
    if (!m_values)
        return {};
    return withoutCarriageReturns(m_value, raw);
}

void PropertyRules::nameRule(const Line& line, FieldSink& sink)
{
    const auto value = trimSpaces(line.rest.substr(0, line.rest.find(':')));
    // The first two ';' pieces: names are short, so a plain loop finds the ';'.
    const auto semicolon = findShort(value, ';');
    const bool hasFirstName = semicolon != std::string_view::npos;
    if (!m_values) {
        sink.field("Last Name", {});
        if (hasFirstName)
            sink.field("First Name", {});
        return;
    }
    sink.field("Last Name",
               withoutCarriageReturns(m_value, trimSpaces(value.substr(0, semicolon))));
    if (hasFirstName) {
        const auto rest = value.substr(semicolon + 1);
        sink.field("First Name", withoutCarriageReturns(
                                     m_value, trimSpaces(rest.substr(0, findShort(rest, ';')))));
    }
}

void PropertyRules::noteRule(const Line& line, FieldSink& sink)
{
    if (!m_values)
        return sink.field("Notes", {});
    m_value.assign(line.rest);
    const bool removeLineBreaks = isTicked(m_window, Control::Check10);
    text::replaceAll(m_value, "=0D=0A=", removeLineBreaks ? " " : "\r\n");
    text::replaceAll(m_value, "\\n", " ");
    m_secondValue.assign(trimSpaces(m_value));
    sink.field("Notes", m_secondValue);
}

void PropertyRules::addressRule(const Line& line, FieldSink& sink)
{
    const AddressPieces c(trimSpaces(line.rest));
    const std::size_t components = c.count;
    const bool business = contains(line.head, "WORK");
    // One of the first three pieces, cleaned; nothing when only names are wanted.
    auto addressLine = [this, &c](std::size_t index) -> std::string_view {
        if (!m_values)
            return {};
        assignAddressLine(m_value, c[index]);
        return m_value;
    };

    if (business) {
        if (components >= 2)
            sink.field("Business Address 1", addressLine(1));
        if (components >= 3)
            sink.field("Business Address 2", addressLine(2));
    } else if (components >= 3) {
        const bool extendedEmpty = c[1].empty();
        sink.field("Home Address 1", addressLine(extendedEmpty ? 2 : 1));
        sink.field("Home Address 2", extendedEmpty ? std::string_view() : addressLine(2));
    }

    static constexpr std::string_view kHomeColumns[] = {"Home City", "Home State",
                                                        "Home Postal Code", "Home Country"};
    static constexpr std::string_view kBusinessColumns[] = {
        "Business City", "Business State", "Business Postal Code", "Business Country"};
    const auto& columns = business ? kBusinessColumns : kHomeColumns;
    for (std::size_t i = 0; i < 4 && components >= i + 4; ++i)
        sink.field(columns[i], c[i + 3]);
}

void PropertyRules::telephoneRule(const Line& line, FieldSink& sink)
{
    const auto value = firstValue(line, false);
    const PhoneWords words(line.head);
    if (words.fax)
        sink.field("Home Fax", value);
    else if (words.cell)
        sink.field("Mobile Phone", value);
    else if (words.pager)
        sink.field("Pager", value);
    else if (words.work)
        yieldNumbered(m_businessPhones, value, sink);
    else
        yieldNumbered(m_homePhones, value, sink);
}

void PropertyRules::yieldNumbered(Numbered& column, std::string_view value, FieldSink& sink)
{
    if (column.counter == 1) {
        sink.field(column.name, value);
    } else {
        const auto later = static_cast<std::size_t>(column.counter - 2);
        while (column.laterNames.size() <= later) {
            column.laterNames.push_back(std::string(column.name) + " " +
                                        std::to_string(column.laterNames.size() + 2));
        }
        sink.field(column.laterNames[later], value);
    }
    ++column.counter;
}

}  // namespace brimwell
