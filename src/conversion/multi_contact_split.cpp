#include "conversion/multi_contact_split.h"

#include <cstring>

#include "app/messages.h"
#include "conversion/text_ops.h"

namespace brimwell {

std::vector<std::string> SplitContacts;
std::vector<std::string> SavedContacts;

namespace {

constexpr std::string_view kBegin = "BEGIN:VCARD";
constexpr std::string_view kEnd = "END:VCARD";

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return text::upperAscii(x) == text::upperAscii(y); });
}

}  // namespace

std::size_t findMarker(std::string_view text, std::string_view marker, std::size_t from)
{
    const auto colon = marker.find(':');
    for (std::size_t at = from + colon; at < text.size();) {
        const void* found = std::memchr(text.data() + at, ':', text.size() - at);
        if (found == nullptr)
            return std::string_view::npos;
        at = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        const std::size_t start = at - colon;
        if (equalsIgnoreCase(text.substr(start, marker.size()), marker))
            return start;
        ++at;
    }
    return std::string_view::npos;
}

long SplitMultiVCF(Window& window, std::string_view text, const std::string& path, bool keepCopy)
{
    if (text.empty()) {
        SplitContacts.assign(1, std::string());
        showInformation(window, "File\r\n\r\n" + path +
                                    "\r\n\r\ncontains no information, please check your source file.");
        return 0;
    }

    // Positions are 0-based here; `lastEnd` is the index of the last character of the
    // contact cut last (of the text's first character before any cut).
    std::size_t start = 0;
    std::size_t lastEnd = 0;
    long count = 0;
    std::vector<std::string> contacts;
    while (lastEnd + 1 < text.size()) {
        window.setProgressText(window.optionSelected(Control::Option2)
                                   ? "Processing contacts in file " + path
                                   : "Processing contact " + std::to_string(count) + " in file " + path);
        window.refresh();
        const auto end = findMarker(text, kEnd, start);
        if (end == std::string_view::npos)
            break;
        lastEnd = end + kEnd.size() - 1;
        contacts.emplace_back(text.substr(start, lastEnd + 1 - start));
        ++count;
        start = findMarker(text, kBegin, lastEnd);
        if (start == std::string_view::npos)
            break;
    }
    // A text without any contact leaves one empty contact, so that no caller meets the
    // contacts of the file split before.
    if (contacts.empty())
        contacts.emplace_back();
    SplitContacts = std::move(contacts);

    if (keepCopy)
        SavedContacts = SplitContacts;
    window.setProgressText("Processing file " + path);
    return count;
}

}  // namespace brimwell
