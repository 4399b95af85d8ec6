// Reading a file in two parts at once: what the two parts give together is what the whole
// file gives, a cut inside a card is told, and an error on either thread reaches the caller.
#include "vcard/two_part_read.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "contact_lines.h"
#include "support/temp_dir.h"
#include "vcard/card_boundary.h"

namespace brimwell::vcard {
namespace {

using Lines = std::vector<std::vector<std::string>>;

constexpr auto readLines = [](VCardReader& reader, Lines& lines, auto goOn) {
    for (Contact contact; reader.next(contact) && goOn();)
        lines.push_back(test::contactLines(contact));
};

constexpr auto always = [] { return true; };

TEST(two_part_read_test, gives_what_the_whole_file_gives_or_tells_the_cut_was_inside_a_card)
{
    struct Case {
        const char* name;
        std::string text;
        bool clean;
    };
    const Case cases[] = {
        {"nested cards and warnings on both sides",
         "BEGIN:VCARD\nVERSION:2.1\nFN:A\nNOTE;ENCODING=QUOTED-PRINTABLE:=ZZ\nAGENT:\n"
         "BEGIN:VCARD\nFN:Agent\nEND:VCARD\nEND:VCARD\n"
         "BEGIN:VCARD\nFN:B\nNOTE;CHARSET=NONE-SUCH:b\nEND:VCARD\n"
         "BEGIN:VCARD\nFN:C\nPHOTO;ENCODING=BASE64:!!\n",
         true},
        {"an END:VCARD line that is part of a quoted-printable note",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:A\r\nNOTE;ENCODING=QUOTED-PRINTABLE:one=\r\n"
         "END:VCARD\r\nBEGIN:VCARD\r\nFN:B\r\nEND:VCARD\r\n",
         false},
    };
    const brimwell::test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.write("cut.vcf", c.text);
        const std::size_t cut = findCardBoundary(c.text, c.text.find("END:VCARD"));
        ASSERT_NE(cut, std::string::npos);
        VCardReader whole{std::filesystem::path(path)};
        Lines expected;
        readLines(whole, expected, always);

        Lines earlier;
        Lines later;
        std::vector<std::string> warnings = {"before"};
        ASSERT_EQ(readInTwoParts(path, cut, {}, earlier, later, readLines, always, warnings),
                  c.clean);
        if (!c.clean) {
            EXPECT_EQ(warnings, std::vector<std::string>{"before"});
            continue;
        }
        earlier.insert(earlier.end(), later.begin(), later.end());
        EXPECT_EQ(earlier, expected);
        warnings.erase(warnings.begin());
        EXPECT_EQ(warnings, whole.warnings());
        EXPECT_EQ(warnings.size(), 3u);  // so that each part had some to number
    }
}

TEST(two_part_read_test, an_error_in_either_part_reaches_the_caller)
{
    const brimwell::test::TempDir dir;
    const std::string card = "BEGIN:VCARD\nFN:A\nEND:VCARD\n";
    const std::string path = dir.write("two.vcf", card + card);
    // A part that does not fail is read to its end, so that its cut is known to be clean.
    auto readOrFail = [](VCardReader& reader, const bool& fails, auto) {
        if (fails)
            throw std::runtime_error("stopped");
        for (Contact contact; reader.next(contact);)
            continue;
    };
    for (const bool laterFails : {false, true}) {
        SCOPED_TRACE(laterFails ? "later part" : "earlier part");
        const bool earlierFails = !laterFails;
        std::vector<std::string> warnings;
        EXPECT_THROW(readInTwoParts(path, card.size(), {}, earlierFails, laterFails, readOrFail,
                                    always, warnings),
                     std::runtime_error);
    }
}

}  // namespace
}  // namespace brimwell::vcard
