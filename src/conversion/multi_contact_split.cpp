#include "conversion/multi_contact_split.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>

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

void showNoInformation(Window& window, const std::string& path)
{
    showInformation(window, "File\r\n\r\n" + path +
                                "\r\n\r\ncontains no information, please check your source file.");
}

/// The progress texts of a cut: one before each contact is looked for, then one at the end.
class ContactProgress {
public:
    ContactProgress(Window& window, const std::string& path) : m_window(window), m_path(path) {}

    /// The text before contact number `found` (0-based) is looked for, and a repaint.
    void show(long found)
    {
        // Set once per contact: the buffer is reused rather than a new text built each time.
        if (m_window.optionSelected(Control::Option2)) {
            m_text.assign("Processing contacts in file ").append(m_path);
        } else {
            char digits[24];
            const auto number = std::to_chars(std::begin(digits), std::end(digits), found);
            m_text.assign("Processing contact ").append(digits, number.ptr).append(" in file ").append(m_path);
        }
        m_window.setProgressText(m_text);
        m_window.refresh();
    }
    void finish() { m_window.setProgressText("Processing file " + m_path); }

private:
    Window& m_window;
    const std::string& m_path;
    std::string m_text;
};

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

ContactCut cutContacts(Window& window, std::string_view text, const std::string& path)
{
    ContactCut cut;
    if (text.empty()) {
        showNoInformation(window, path);
        cut.contacts.emplace_back();
        return cut;
    }

    // Positions are 0-based here; `lastEnd` is the index of the last character of the
    // contact cut last (of the text's first character before any cut).
    std::size_t start = 0;
    std::size_t lastEnd = 0;
    ContactProgress progress(window, path);
    while (lastEnd + 1 < text.size()) {
        progress.show(cut.count);
        ++cut.progressSteps;
        const auto end = findMarker(text, kEnd, start);
        if (end == std::string_view::npos)
            break;
        lastEnd = end + kEnd.size() - 1;
        cut.contacts.push_back(text.substr(start, lastEnd + 1 - start));
        ++cut.count;
        start = findMarker(text, kBegin, lastEnd);
        if (start == std::string_view::npos)
            break;
    }
    // A text without any contact gives one empty contact, so that no caller meets the
    // contacts of the file split before.
    if (cut.contacts.empty())
        cut.contacts.emplace_back();
    progress.finish();
    return cut;
}

void replayCut(Window& window, std::string_view text, const std::string& path, const ContactCut& cut)
{
    if (text.empty())
        return showNoInformation(window, path);
    // Every step but a last one that found nothing showed the number of contacts found so far.
    ContactProgress progress(window, path);
    for (long step = 0; step < cut.progressSteps; ++step)
        progress.show(std::min(step, cut.count));
    progress.finish();
}

long SplitMultiVCF(Window& window, std::string_view text, const std::string& path, bool keepCopy)
{
    const ContactCut cut = cutContacts(window, text, path);
    SplitContacts.assign(cut.contacts.begin(), cut.contacts.end());
    if (keepCopy && !text.empty())
        SavedContacts = SplitContacts;
    return cut.count;
}

}  // namespace brimwell
