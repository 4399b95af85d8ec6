#include "vcard/property_parser.h"

#include "vcard/ascii.h"
#include "vcard/byte_scan.h"
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

/// Adds the parameter `text` (between two `;`, or the last `;` and the `:`).
void addParameter(std::string_view text, Property& property)
{
    const std::size_t equals = findFirstOf<'='>(text, 0);
    if (equals == text.size()) {
        text = trimSpaces(text);
        if (!text.empty())
            property.parameters.push_back({{}, unquoted(text)});
        return;
    }
    property.parameters.push_back(
        {trimSpaces(text.substr(0, equals)), unquoted(text.substr(equals + 1))});
}

/// Adds the parameters of a line with a double quote that is never closed: the value starts
/// at the first `:` at all; npos when there is none.
std::size_t readParametersOfUnclosedQuote(std::string_view line, std::size_t from,
                                          Property& property)
{
    property.parameters.clear();
    const std::size_t colon = line.find(':', from);
    if (colon == std::string_view::npos)
        return colon;
    std::string_view rest = line.substr(from, colon - from);
    for (;;) {
        const std::size_t semicolon = rest.find(';');
        addParameter(rest.substr(0, semicolon), property);
        if (semicolon == std::string_view::npos)
            return colon;
        rest.remove_prefix(semicolon + 1);
    }
}

/// Adds the parameters that begin at `from` (after the `;` that ends the name) and returns
/// where the value's `:` is: the first outside double quotes, or, when a quote is never
/// closed, the first at all; npos when there is none.
std::size_t readParameters(std::string_view line, std::size_t from, Property& property)
{
    std::size_t start = from;
    std::size_t i = from;
    for (;;) {
        i = findFirstOf<'"', ';', ':'>(line, i);
        if (i == line.size())
            return std::string_view::npos;
        if (line[i] == '"') {
            i = findFirstOf<'"'>(line, i + 1);
            if (i == line.size())
                return readParametersOfUnclosedQuote(line, from, property);
            ++i;
            continue;
        }
        addParameter(line.substr(start, i - start), property);
        if (line[i] == ':')
            return i;
        start = ++i;
    }
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
    const std::size_t nameEnd = findFirstOf<';', ':'>(line, 0);
    if (nameEnd == line.size())
        return false;
    std::size_t colon = nameEnd;
    if (line[nameEnd] == ';') {
        colon = readParameters(line, nameEnd + 1, property);
        if (colon == std::string_view::npos)
            return false;
    }
    // The group ends at the last `.` of the name.
    std::string_view name = trimSpaces(line.substr(0, nameEnd));
    const std::size_t dot = findFirstOf<'.'>(name, 0) == name.size() ? name.npos : name.rfind('.');
    if (dot == std::string_view::npos) {
        property.group = {};
    } else {
        property.group = name.substr(0, dot);
        name.remove_prefix(dot + 1);
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
