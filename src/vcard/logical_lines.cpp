#include "vcard/logical_lines.h"

#include "vcard/ascii.h"

namespace brimwell::vcard {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool isFoldSpace(char c)
{
    return c == ' ' || c == '\t';
}

bool isBase64Text(std::string_view text)
{
    for (char c : text) {
        const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                             (c >= '0' && c <= '9') || c == '+' || c == '/' || c == '=' ||
                             isFoldSpace(c);
        if (!allowed)
            return false;
    }
    return true;
}

}  // namespace

bool LogicalLines::next(LogicalLine& line)
{
    std::string_view physical;
    for (;;) {
        if (!m_source.peek(physical))
            return false;
        m_source.advance();
        // A continuation with nothing before it is taken as a line of its own.
        if (!physical.empty() && isFoldSpace(physical.front()))
            physical.remove_prefix(1);
        // Files joined one after another keep the byte-order marks of the later ones.
        if (!physical.empty() && physical.front() == kUtf8Mark.front() &&
            physical.starts_with(kUtf8Mark))
            physical.remove_prefix(kUtf8Mark.size());
        if (!trimSpaces(physical).empty())
            break;
    }
    line.text = physical;
    line.isProperty = false;
    char next = 0;
    if (!m_source.bufferedByte(next) || isFoldSpace(next)) {
        keep(line);
        while (m_source.peek(physical) && !physical.empty() && isFoldSpace(physical.front())) {
            line.storage.append(physical.substr(1));
            m_source.advance();
        }
        line.text = line.storage;
    }
    line.isProperty = parseProperty(line.text, line.property);
    if (!line.isProperty)
        return true;
    // Joined lines only lengthen the value, so the property stays what it is; it is parsed
    // again once, for views of the text that the line was moved to.
    const std::string_view parsed = line.text;
    switch (line.property.encoding) {
    case ValueEncoding::QuotedPrintable:
        while (line.text.ends_with('=') && joinSoftBreak(line))
            continue;
        break;
    case ValueEncoding::Base64:
        while (joinBase64Line(line))
            continue;
        break;
    case ValueEncoding::None:
        break;
    }
    if (line.text.data() != parsed.data() || line.text.size() != parsed.size())
        parseProperty(line.text, line.property);
    return true;
}

void LogicalLines::keep(LogicalLine& line)
{
    if (line.text.data() == line.storage.data())
        return;
    line.storage.assign(line.text);
    line.text = line.storage;
}

bool LogicalLines::joinSoftBreak(LogicalLine& line)
{
    keep(line);
    std::string_view physical;
    bool afterBlank = false;
    for (;;) {
        if (!m_source.peek(physical))
            return false;
        if (!trimSpaces(physical).empty())
            break;
        afterBlank = true;
        m_source.advance();
    }
    // Across blank lines the value goes on only with a line that starts no property.
    if (afterBlank && startsProperty(physical))
        return false;
    line.storage.pop_back();
    line.storage.append(physical);
    line.text = line.storage;
    m_source.advance();
    return true;
}

bool LogicalLines::joinBase64Line(LogicalLine& line)
{
    keep(line);
    std::string_view physical;
    if (!m_source.peek(physical) || trimSpaces(physical).empty() || !isBase64Text(physical))
        return false;
    line.storage.append(physical);
    line.text = line.storage;
    m_source.advance();
    return true;
}

}  // namespace brimwell::vcard
