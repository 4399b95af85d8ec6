#include "vcard/value_decoder.h"

#include <algorithm>

namespace brimwell::vcard {
namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

bool decodeQuotedPrintable(std::string_view text, std::string& out)
{
    bool valid = true;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t equals = text.find('=', i);
        if (equals == std::string_view::npos) {
            out.append(text.substr(i));
            break;
        }
        out.append(text.substr(i, equals - i));
        if (equals + 1 == text.size())
            break;
        const int high = equals + 2 < text.size() ? hexDigit(text[equals + 1]) : -1;
        const int low = high >= 0 ? hexDigit(text[equals + 2]) : -1;
        if (low < 0) {
            valid = false;
            out.push_back('=');
            i = equals + 1;
            continue;
        }
        out.push_back(static_cast<char>(high * 16 + low));
        i = equals + 3;
    }
    return valid;
}

bool isValidBase64(std::string_view text)
{
    std::size_t letters = 0;
    for (char c : text)
        letters += static_cast<std::size_t>(c != ' ' && c != '\t' && c != '=');
    return letters % 4 != 1;
}

void appendUnescaped(std::string_view text, std::string& out)
{
    if (std::none_of(text.begin(), text.end(), [](char c) { return c == '\\' || c == '\r'; })) {
        out.append(text);
        return;
    }
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t special = i;
        while (special < text.size() && text[special] != '\\' && text[special] != '\r')
            ++special;
        out.append(text.substr(i, special - i));
        if (special == text.size())
            break;
        if (text[special] == '\r') {
            out.push_back('\n');
            i = special + (special + 1 < text.size() && text[special + 1] == '\n' ? 2 : 1);
            continue;
        }
        const char next = special + 1 < text.size() ? text[special + 1] : '\0';
        switch (next) {
        case 'n':
        case 'N':
            out.push_back('\n');
            i = special + 2;
            break;
        case ',':
        case ';':
        case '\\':
        case ':':
            out.push_back(next);
            i = special + 2;
            break;
        default:
            out.push_back('\\');
            i = special + 1;
            break;
        }
    }
}

void splitUnescaped(std::string_view text, char separator, std::vector<std::string_view>& parts)
{
    parts.clear();
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\')
            ++i;
        else if (text[i] == separator) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
}

void appendPercentDecoded(std::string_view text, std::string& out)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = text[i] == '%' && i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(text[i + 2]) : -1;
        if (low < 0) {
            out.push_back(text[i]);
            continue;
        }
        out.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
}

void appendParameterText(std::string_view text, std::string& out)
{
    std::string caretFree;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '^' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == 'n' || next == '^' || next == '\'') {
                caretFree.push_back(next == 'n' ? '\n' : next == '\'' ? '"' : '^');
                ++i;
                continue;
            }
        }
        caretFree.push_back(text[i]);
    }
    appendUnescaped(caretFree, out);
}

}  // namespace brimwell::vcard
