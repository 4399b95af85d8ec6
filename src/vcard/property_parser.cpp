#include "vcard/property_parser.h"

#include "vcard/ascii.h"
#include "vcard/charset.h"

namespace brimwell::vcard {
namespace {

std::string_view unquoted(std::string_view text)
{
    text = trimSpaces(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

/// The bytes that stop the scan of a line's name and parameters.
enum Stop : unsigned char { kNone, kQuote, kEquals, kSemicolon, kColon, kDot };

constexpr auto kStops = [] {
    struct Table {
        Stop of[256];
    } table{};
    table.of[static_cast<unsigned char>('"')] = kQuote;
    table.of[static_cast<unsigned char>('=')] = kEquals;
    table.of[static_cast<unsigned char>(';')] = kSemicolon;
    table.of[static_cast<unsigned char>(':')] = kColon;
    table.of[static_cast<unsigned char>('.')] = kDot;
    return table;
}();

Stop stopOf(char c)
{
    return kStops.of[static_cast<unsigned char>(c)];
}

/// Adds the parameter `line[start, end)`, whose first `=` is at `equals` (npos without one).
void addParameter(std::string_view line, std::size_t start, std::size_t end, std::size_t equals,
                  Property& property)
{
    if (equals == std::string_view::npos || equals >= end) {
        const std::string_view text = trimSpaces(line.substr(start, end - start));
        if (!text.empty())
            property.parameters.push_back({{}, unquoted(text)});
        return;
    }
    property.parameters.push_back({trimSpaces(line.substr(start, equals - start)),
                                   unquoted(line.substr(equals + 1, end - equals - 1))});
}

/// Adds the parameters that begin at `from` (after the `;` that ends the name) and returns
/// where the value's `:` is: the first outside double quotes, or, when a quote is never
/// closed, the first at all; npos when there is none.
std::size_t readParameters(std::string_view line, std::size_t from, Property& property)
{
    bool quoted = false;
    std::size_t start = from;
    std::size_t equals = std::string_view::npos;
    for (std::size_t i = from; i < line.size(); ++i) {
        switch (stopOf(line[i])) {
        case kQuote:
            quoted = !quoted;
            break;
        case kEquals:
            if (equals == std::string_view::npos)
                equals = i;
            break;
        case kSemicolon:
        case kColon:
            if (quoted)
                break;
            addParameter(line, start, i, equals, property);
            if (line[i] == ':')
                return i;
            start = i + 1;
            equals = std::string_view::npos;
            break;
        case kNone:
        case kDot:
            break;
        }
    }
    if (!quoted)
        return std::string_view::npos;
    property.parameters.clear();
    const std::size_t colon = line.find(':', from);
    if (colon == std::string_view::npos)
        return colon;
    start = from;
    for (std::size_t i = from; i <= colon; ++i) {
        if (line[i] == ';' || i == colon) {
            const std::string_view text = line.substr(start, i - start);
            const std::size_t at = text.find('=');
            addParameter(line, start, i, at == text.npos ? at : start + at, property);
            start = i + 1;
        }
    }
    return colon;
}

ValueEncoding encodingOf(const Parameter& parameter)
{
    const std::string_view value = parameter.value;
    if (equalsIgnoreCase(value, "QUOTED-PRINTABLE") || equalsIgnoreCase(value, "QP"))
        return ValueEncoding::QuotedPrintable;
    if (equalsIgnoreCase(value, "BASE64") ||
        (!parameter.name.empty() && equalsIgnoreCase(value, "B")))
        return ValueEncoding::Base64;
    return ValueEncoding::None;
}

/// The ENCODING and CHARSET of the parameters, looked up once for every later use.
void noteEncoding(Property& property)
{
    property.encoding = ValueEncoding::None;
    property.charset = {};
    for (const Parameter& parameter : property.parameters) {
        if (parameter.name.empty() || equalsIgnoreCase(parameter.name, "ENCODING")) {
            if (property.encoding == ValueEncoding::None)
                property.encoding = encodingOf(parameter);
        } else if (property.charset.empty() && equalsIgnoreCase(parameter.name, "CHARSET")) {
            property.charset = parameter.value;
        }
    }
}

}  // namespace

bool parseProperty(std::string_view line, Property& property)
{
    property.parameters.clear();
    // The name ends at the first `;` or `:`; its group at the last `.` before.
    std::size_t nameEnd = 0;
    std::size_t dot = std::string_view::npos;
    for (;; ++nameEnd) {
        if (nameEnd == line.size())
            return false;
        const Stop stop = stopOf(line[nameEnd]);
        if (stop == kSemicolon || stop == kColon)
            break;
        if (stop == kDot)
            dot = nameEnd;
    }
    std::size_t colon = nameEnd;
    if (line[nameEnd] == ';') {
        colon = readParameters(line, nameEnd + 1, property);
        if (colon == std::string_view::npos)
            return false;
    }
    // Spaces around the name hold no dot, so `dot` is the last one of the trimmed name too.
    std::string_view name = trimSpaces(line.substr(0, nameEnd));
    if (dot == std::string_view::npos) {
        property.group = {};
    } else {
        const auto nameStart = static_cast<std::size_t>(name.data() - line.data());
        property.group = name.substr(0, dot - nameStart);
        name.remove_prefix(dot + 1 - nameStart);
    }
    property.name = name;
    property.value = line.substr(colon + 1);
    property.utf8 = isValidUtf8(line);
    noteEncoding(property);
    return true;
}

bool startsProperty(std::string_view line)
{
    const std::size_t end = line.find_first_of(":;");
    if (end == std::string_view::npos || end == 0)
        return false;
    const std::string_view name = line.substr(0, end);
    return !name.starts_with('.') && !name.ends_with('.') &&
           name.find("..") == std::string_view::npos;
}

std::string_view parameterValue(const Property& property, std::string_view name)
{
    for (const Parameter& parameter : property.parameters)
        if (equalsIgnoreCase(parameter.name, name))
            return parameter.value;
    return {};
}

bool hasType(const Property& property, std::string_view type)
{
    for (const Parameter& parameter : property.parameters) {
        if (parameter.name.empty()) {
            if (equalsIgnoreCase(parameter.value, type))
                return true;
        } else if (equalsIgnoreCase(parameter.name, "TYPE")) {
            std::string_view rest = parameter.value;
            while (!rest.empty()) {
                const std::size_t comma = rest.find(',');
                if (equalsIgnoreCase(trimSpaces(rest.substr(0, comma)), type))
                    return true;
                rest =
                    comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
            }
        }
    }
    return false;
}

}  // namespace brimwell::vcard
