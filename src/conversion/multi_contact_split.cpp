#include "conversion/multi_contact_split.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>
#include <utility>

#include "base/messages.h"
#include "base/text_ops.h"

namespace brimwell {

std::vector<std::string> SplitContacts;
std::vector<std::string> SavedContacts;

namespace {

constexpr std::string_view kBegin = "BEGIN:VCARD";
constexpr std::string_view kEnd = "END:VCARD";

/// The progress texts of a cut: one before each contact is looked for, then one at the end.
class ContactProgress {
public:
    ContactProgress(Window& window, const std::string& path) : m_window(window), m_path(path) {}

    /// The text before contact number `found` (0-based) is looked for, and a repaint.
    void show(long found)
    {
        // Set once per contact, so the text is kept from one contact to the next and only
        // its number is written anew; the wording may change between two contacts.
        if (m_window.optionSelected(Control::Option2)) {
            if (m_digits != kWhole)
                m_text.assign("Processing contacts in file ").append(m_path);
            m_digits = kWhole;
        } else {
            char digits[24];
            const auto end = std::to_chars(std::begin(digits), std::end(digits), found).ptr;
            const auto length = static_cast<std::size_t>(end - digits);
            if (length == m_digits) {
                std::copy(digits, end,
                          m_text.begin() + static_cast<std::ptrdiff_t>(kNumbered.size()));
            } else {
                m_text.assign(kNumbered).append(digits, end).append(" in file ").append(m_path);
                m_digits = length;
            }
        }
        m_window.setProgressText(m_text);
        m_window.refresh();
    }
    void finish() { m_window.setProgressText("Processing file " + m_path); }
    /// The message for a text without any character.
    void showEmptyText()
    {
        showInformation(m_window,
                        "File\r\n\r\n" + m_path +
                            "\r\n\r\ncontains no information, please check your source file.");
    }

private:
    static constexpr std::string_view kNumbered = "Processing contact ";
    /// m_digits when m_text is the wording without a number, and before any text.
    static constexpr std::size_t kWhole = 0;
    static constexpr std::size_t kNone = std::string::npos;

    Window& m_window;
    const std::string& m_path;
    std::string m_text;
    std::size_t m_digits = kNone;  ///< the length of the number in m_text
};

/// A whole text in memory, as the cut sees it.
class WholeText {
public:
    explicit WholeText(std::string_view text) : m_text(text) {}

    /// True when the text has a character at `index`.
    bool holds(std::size_t index) const { return index < m_text.size(); }
    std::size_t find(std::string_view marker, std::size_t from) const
    {
        return findMarker(m_text, marker, from);
    }
    std::string_view view(std::size_t begin, std::size_t end) const
    {
        return m_text.substr(begin, end - begin);
    }
    /// The text before `position` is not looked at again.
    void release(std::size_t) {}

private:
    std::string_view m_text;
};

/// The text of a stream, of which the buffer holds the part from the last released
/// position to as far as the cut has read. Positions count from the text's start.
class StreamedText {
public:
    StreamedText(TextStream& stream, std::string& buffer) : m_stream(stream), m_buffer(buffer) {}

    bool holds(std::size_t index)
    {
        while (index >= m_base + m_size) {
            if (!readMore())
                return false;
        }
        return true;
    }
    std::size_t find(std::string_view marker, std::size_t from)
    {
        for (;;) {
            const auto found = findMarker(held(), marker, from - m_base);
            if (found != std::string_view::npos)
                return m_base + found;
            // A marker cut by the end of what is read starts in its last size()-1 characters.
            const std::size_t readUpTo = m_base + m_size;
            if (!readMore())
                return std::string_view::npos;
            if (readUpTo >= marker.size())
                from = std::max(from, readUpTo - marker.size() + 1);
        }
    }
    std::string_view view(std::size_t begin, std::size_t end) const
    {
        return held().substr(begin - m_base, end - begin);
    }
    void release(std::size_t position) { m_released = position; }

private:
    /// The characters read and not yet dropped; the buffer past them holds no meaning.
    std::string_view held() const { return std::string_view(m_buffer.data(), m_size); }

    bool readMore()
    {
        // Drop what is done with first, so the buffer stays about a block long.
        const std::size_t done = m_released - m_base;
        std::copy(m_buffer.begin() + static_cast<std::ptrdiff_t>(done),
                  m_buffer.begin() + static_cast<std::ptrdiff_t>(m_size), m_buffer.begin());
        m_size -= done;
        m_base = m_released;
        const std::size_t piece = m_stream.readNext(m_buffer, m_size);
        m_size += piece;
        return piece != 0;
    }

    TextStream& m_stream;
    std::string& m_buffer;
    std::size_t m_size = 0;  ///< the characters of the buffer that hold text
    std::size_t m_base = 0;  ///< the position of the buffer's first character
    std::size_t m_released = 0;
};

/// What the cut shows: the progress texts, or nothing.
struct NoProgress {
    void show(long) {}
    void finish() {}
    void showEmptyText() {}
};

/// The cut itself, on either kind of text. `onContact` receives each contact as it is cut;
/// an empty text, or one without any contact, gives one empty contact.
template <class Text, class Progress, class OnContact>
ContactCut cut(Text& text, Progress& progress, OnContact&& onContact)
{
    ContactCut cut;
    if (!text.holds(0)) {
        cut.emptyText = true;
        progress.showEmptyText();
        onContact(std::string_view());
        return cut;
    }
    // Positions are 0-based here; `lastEnd` is the index of the last character of the
    // contact cut last (of the text's first character before any cut).
    std::size_t start = 0;
    std::size_t lastEnd = 0;
    while (text.holds(lastEnd + 1)) {
        progress.show(cut.count);
        ++cut.progressSteps;
        const auto end = text.find(kEnd, start);
        if (end == std::string_view::npos)
            break;
        lastEnd = end + kEnd.size() - 1;
        onContact(text.view(start, lastEnd + 1));
        ++cut.count;
        text.release(lastEnd);
        start = text.find(kBegin, lastEnd);
        if (start == std::string_view::npos)
            break;
        text.release(start);
    }
    // A text without any contact gives one empty contact, so that no caller meets the
    // contacts of the file split before.
    if (cut.count == 0)
        onContact(std::string_view());
    progress.finish();
    return cut;
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
        if (text::equalsIgnoringCase(text.substr(start, marker.size()), marker))
            return start;
        ++at;
    }
    return std::string_view::npos;
}

ContactCut cutContacts(Window& window, std::string_view text, const std::string& path)
{
    WholeText whole(text);
    ContactProgress progress(window, path);
    std::vector<std::string_view> contacts;
    ContactCut result =
        cut(whole, progress, [&](std::string_view contact) { contacts.push_back(contact); });
    result.contacts = std::move(contacts);
    return result;
}

ContactCut cutContacts(Window& window, TextStream& stream, const std::string& path,
                       std::string& buffer, const std::function<void(std::string_view)>& onContact)
{
    StreamedText streamed(stream, buffer);
    ContactProgress progress(window, path);
    return cut(streamed, progress, onContact);
}

std::vector<std::string_view> contactsOf(std::string_view text)
{
    WholeText whole(text);
    NoProgress silent;
    std::vector<std::string_view> contacts;
    cut(whole, silent, [&](std::string_view contact) { contacts.push_back(contact); });
    return contacts;
}

void replayCut(Window& window, const std::string& path, const ContactCut& cut)
{
    ContactProgress progress(window, path);
    if (cut.emptyText)
        return progress.showEmptyText();
    // Every step but a last one that found nothing showed the number of contacts found so far.
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
