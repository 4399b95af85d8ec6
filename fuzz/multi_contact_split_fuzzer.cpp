// SplitMultiVCF: the contacts are pieces of the text, in order, each running to its
// "END:VCARD"; findMarker agrees with a plain search that ignores letter case.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "conversion/multi_contact_split.h"
#include "conversion/text_ops.h"
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
    return 0;
}
