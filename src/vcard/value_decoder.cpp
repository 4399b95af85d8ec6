#include "vcard/value_decoder.h"

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
    const std::size_t letters = text.size() - countOf<' ', '\t', '='>(text);
    return letters % 4 != 1;
}

namespace detail {

std::size_t appendUnescapedFrom(std::string_view text, std::size_t from, std::size_t special,
                                char separator, std::string* out)
{
    auto put = [out](char c) {
        if (out != nullptr)
            out->push_back(c);
    };
    std::size_t i = from;
    for (;;) {
        if (out != nullptr)
            out->append(text.data() + i, special - i);
        if (special == text.size() || text[special] == separator)
            return special;
        if (text[special] == '\r') {
            put('\n');
            i = special + (special + 1 < text.size() && text[special + 1] == '\n' ? 2 : 1);
        } else {
            const char next = special + 1 < text.size() ? text[special + 1] : '\0';
            switch (next) {
            case 'n':
            case 'N':
                put('\n');
                i = special + 2;
                break;
            case ',':
            case ';':
            case '\\':
            case ':':
                put(next);
                i = special + 2;
                break;
            default:
                put('\\');
                i = special + 1;
                break;
            }
        }
        special = findSpecial(text, i, separator);
    }
}

}  // namespace detail

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
