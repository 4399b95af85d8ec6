// SplitMultiVCF: the contacts are pieces of the text, in order, each running to its
// "END:VCARD"; findMarker agrees with a plain search that ignores letter case; cutting the
// text as a file is read, in blocks of any size, cuts and shows exactly what cutting the
// whole text does.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_ops.h"
#include "conversion/multi_contact_split.h"
#include "fuzz_support.h"

using namespace brimwell;

namespace {

bool endsWithIgnoreCase(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() &&
           std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char a, char b) { return text::upperAscii(a) == text::upperAscii(b); });
}

std::size_t plainFind(std::string_view text, std::string_view marker, std::size_t from)
{
    if (from > text.size())
        return std::string_view::npos;
    const auto found = std::search(
        text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), marker.begin(), marker.end(),
        [](char a, char b) { return text::upperAscii(a) == text::upperAscii(b); });
    return found == text.end() ? std::string_view::npos
                               : static_cast<std::size_t>(found - text.begin());
}

/// The cut of a file holding `bytes`, read in blocks of `block` bytes, against the cut of
/// the file's whole text.
void requireStreamedCutAgrees(std::string_view bytes, std::size_t block, Control wording)
{
    const std::string path = fuzz::scratchFile("streamed.vcf");
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const std::string text = readWholeText(path);
    test::ScriptedWindow whole;
    test::ScriptedWindow streamed;
    whole.select(wording);
    streamed.select(wording);
    const ContactCut expected = cutContacts(whole, text, path);
    std::vector<std::string_view> contacts;
    std::vector<std::string> copies;
    TextStream stream(path, block);
    std::string buffer;
    const ContactCut cut =
        cutContacts(streamed, stream, path, buffer,
                    [&](std::string_view contact) { copies.emplace_back(contact); });
    contacts.assign(copies.begin(), copies.end());
    fuzz::require(contacts == expected.contacts, "the streamed cut hands on the same contacts");
    fuzz::require(cut.count == expected.count && cut.progressSteps == expected.progressSteps &&
                      cut.emptyText == expected.emptyText,
                  "the streamed cut counts the same");
    fuzz::require(streamed.progressTexts == whole.progressTexts &&
                      streamed.informationTexts() == whole.informationTexts(),
                  "the streamed cut shows the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    test::ScriptedWindow window;
    window.select(size % 2 == 0 ? Control::Option1 : Control::Option2);
    const long count = SplitMultiVCF(window, text, "/in/fuzz.vcf", true);

    // An empty text is only reported: it leaves the kept copy as it was.
    fuzz::require(size == 0 || SavedContacts == SplitContacts, "the kept copy equals the contacts");
    if (count == 0) {
        fuzz::require(SplitContacts.size() == 1 && SplitContacts[0].empty(),
                      "no contact leaves one empty contact");
    } else {
        fuzz::require(SplitContacts.size() == static_cast<std::size_t>(count),
                      "the count is the number of contacts");
        std::size_t from = 0;
        for (const std::string& contact : SplitContacts) {
            fuzz::require(endsWithIgnoreCase(contact, "END:VCARD"),
                          "a contact ends with END:VCARD");
            const auto at = text.find(contact, from);
            fuzz::require(at != std::string_view::npos,
                          "contacts are pieces of the text, in order");
            from = at + contact.size();
        }
        fuzz::require(SplitContacts.front() == text.substr(0, SplitContacts.front().size()),
                      "the first contact starts with the text");
    }

    for (std::string_view marker :
         {std::string_view("BEGIN:VCARD"), std::string_view("END:VCARD")}) {
        for (std::size_t from : {std::size_t{0}, size / 3, size / 2, size}) {
            fuzz::require(findMarker(text, marker, from) == plainFind(text, marker, from),
                          "findMarker finds what a plain search finds");
        }
    }
    requireStreamedCutAgrees(text, 1 + size % 13,
                             size % 2 == 0 ? Control::Option1 : Control::Option2);
    return 0;
}
