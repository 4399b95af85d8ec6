#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/window.h"
#include "textio/text_reader.h"

namespace brimwell {

/// The contacts of the text split last: each from its "BEGIN:VCARD" (the first one from
/// the start of the text) through its "END:VCARD", with no line break after it.
extern std::vector<std::string> SplitContacts;
/// A copy of SplitContacts kept by the last split that asked for one.
extern std::vector<std::string> SavedContacts;

/// Cuts the whole text of one vCard file into its contacts, stores them in SplitContacts
/// and returns their number. Markers match in any letter case; a last contact without
/// its "END:VCARD" is dropped; text between contacts belongs to none. An empty text
/// shows "File ... contains no information" and, like a text without any contact,
/// leaves one empty contact. keepCopy copies the contacts into SavedContacts.
///
///     "BEGIN:VCARD\r\nFN:A\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:B\r\nEND:VCARD\r\n"  ->  2
long SplitMultiVCF(Window& window, std::string_view text, const std::string& path, bool keepCopy);

/// What cutting one text found: SplitMultiVCF without the copies.
struct ContactCut {
    /// The contacts as views into the text; an empty text, or one without any contact,
    /// gives one empty contact. (A cut of a stream hands them on instead.)
    std::vector<std::string_view> contacts;
    long count = 0;          ///< what SplitMultiVCF returns
    long progressSteps = 0;  ///< how often the cut set the progress text for a contact
    bool emptyText = false;  ///< the text had no character (the cut showed the message)
};

/// Cuts `text` as SplitMultiVCF does, with the same progress texts and the same message
/// for an empty text, but leaves SplitContacts alone.
ContactCut cutContacts(Window& window, std::string_view text, const std::string& path);

/// cutContacts on the text of `stream`, read only as far as the cut needs: each contact
/// goes to `onContact` as soon as it is cut, as a view that lives until the call returns,
/// and `buffer` holds only the text from the contact being cut on. The cut it returns
/// holds no contacts. Throws FileError when reading fails.
ContactCut cutContacts(Window& window, TextStream& stream, const std::string& path,
                       std::string& buffer, const std::function<void(std::string_view)>& onContact);

/// The contacts cutContacts cuts from `text`, without progress texts or message.
std::vector<std::string_view> contactsOf(std::string_view text);

/// Sets the progress text and shows the message exactly as cutContacts did when it made
/// `cut`, without searching the text again.
void replayCut(Window& window, const std::string& path, const ContactCut& cut);

/// The position of `marker` in `text` at or after `from`, ignoring ASCII letter case, or
/// npos. The marker must hold a ':' (it is found by its colon, which is fast).
std::size_t findMarker(std::string_view text, std::string_view marker, std::size_t from);

}  // namespace brimwell
