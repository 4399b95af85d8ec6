// The reader end to end on small in-memory files: what each kind of property fills, and
// what a broken file gives and warns about.
#include "vcard/reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "contact_lines.h"

namespace brimwell::vcard {
namespace {

std::string card(const std::string& version, const std::string& body)
{
    return "BEGIN:VCARD\r\nVERSION:" + version + "\r\n" + body + "END:VCARD\r\n";
}

/// The lines of the only contact of `text`, sorted, without the version line.
std::vector<std::string> onlyContact(const std::string& text)
{
    const ReadResult read = readVCards(text, "t.vcf");
    EXPECT_EQ(read.contacts.size(), 1u);
    EXPECT_EQ(read.warnings, std::vector<std::string>{});
    if (read.contacts.empty())
        return {};
    std::vector<std::string> lines = test::contactLines(read.contacts.front());
    std::erase_if(lines, [](const std::string& line) { return line.starts_with("version: "); });
    std::ranges::sort(lines);
    return lines;
}

struct Case {
    const char* name;
    const char* version;
    const char* body;
    std::vector<std::string> lines;
};

TEST(reader_test, what_each_property_fills)
{
    const Case cases[] = {
        {"structured name and escapes",
         "3.0",
         "N:O\\;Neil;Ann\\, Jr;;Dr.;\r\nFN:Ann O;Neil\r\n",
         {"fn: Ann O;Neil", "n.family: O;Neil", "n.given: Ann, Jr", "n.prefix: Dr."}},
        {"lists",
         "3.0",
         "NICKNAME:Annie,Nan\\,na\r\nCATEGORIES:Work\r\nCATEGORIES:VIP\r\n",
         {"category.1: Work", "category.2: VIP", "nickname.1: Annie", "nickname.2: Nan,na"}},
        {"plain text is never cut at a comma",
         "3.0",
         "NOTE:one, two\\, three\r\nTITLE:a;b\r\n",
         {"note.1: one, two, three", "title: a;b"}},
        {"repeated and listed types",
         "3.0",
         "EMAIL;TYPE=INTERNET,home;type=HOME;TYPE=pref:a@b\r\n",
         {"email.1: a@b", "email.1.pref: 1", "email.1.types: internet,home"}},
        {"pref number",
         "4.0",
         "EMAIL;PREF=2;TYPE=\"work,voice\":a@b\r\n",
         {"email.1: a@b", "email.1.pref: 2", "email.1.types: work,voice"}},
        {"apple label before its property",
         "3.0",
         "item2.X-ABLabel:Club\r\nitem2.EMAIL:a@b\r\n",
         {"email.1: a@b", "email.1.group: item2", "email.1.label: Club"}},
        {"a label alone is kept",
         "3.0",
         "item3.X-ABLabel:Lonely\r\n",
         {"other.1.group: item3", "other.1.name: X-ABLABEL", "other.1.value: Lonely"}},
        {"impp scheme",
         "4.0",
         "IMPP:skype:ann.lee\r\n",
         {"im.1.handle: ann.lee", "im.1.service: skype"}},
        {"x- messaging names the service",
         "3.0",
         "X-SKYPE-USERNAME:ann\r\n",
         {"im.1.handle: ann", "im.1.service: skype"}},
        {"a birthday without a year",
         "3.0",
         "BDAY:--0412\r\n",
         {"bday: --0412", "bday.date: ----04-12"}},
        {"embedded photo and logo",
         "4.0",
         "PHOTO:data:image/jpeg;base64,QUJD\r\nLOGO;ENCODING=b:QUJD\r\n",
         {"other.1.name: LOGO", "photo.embedded: yes"}},
        {"repeated single fields are others",
         "3.0",
         "FN:A\r\nFN:B\r\nN:X;Y\r\nN:Z;W\r\n",
         {"fn: A", "n.family: X", "n.given: Y", "other.1.name: FN", "other.1.value: B",
          "other.2.name: N", "other.2.value: Z;W"}},
        {"8-bit text without a charset, per value",
         "2.1",
         "N:M\xFCller\r\nFN:M\xC3\xBCller\r\n",
         {"fn: M\xC3\xBCller", "n.family: M\xC3\xBCller"}},
        {"empty properties kept",
         "3.0",
         "EMAIL;TYPE=home:\r\nTEL:1\r\n",
         {"email.1.types: home", "tel.1: 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> expected = c.lines;
        std::ranges::sort(expected);
        EXPECT_EQ(onlyContact(card(c.version, c.body)), expected);
    }
}

TEST(reader_test, broken_cards_warn_and_go_on)
{
    const struct {
        const char* name;
        std::string text;
        std::size_t contacts;
        std::vector<std::string> warnings;
    } cases[] = {
        {"no card at all",
         "just some text\r\n",
         0,
         {"t.vcf: no vCard in this file (no BEGIN:VCARD line)"}},
        {"text outside cards is skipped", "hello\r\n" + card("3.0", "FN:A\r\n") + "bye\r\n", 1, {}},
        {"a line that is no property",
         card("3.0", "FN:Ann Lee\r\nnonsense\r\n"),
         1,
         {"t.vcf: card 1 (Ann Lee): a line that is no property: nonsense"}},
        {"no END:VCARD",
         card("3.0", "FN:A\r\n") + "BEGIN:VCARD\r\nN:B;\r\n",
         2,
         {"t.vcf: card 2: no END:VCARD at the end of the file"}},
        {"bad quoted-printable",
         card("2.1", "NOTE;ENCODING=QUOTED-PRINTABLE:a=XYb\r\n"),
         1,
         {"t.vcf: card 1: bad quoted-printable escape in NOTE"}},
        {"bad base64",
         card("3.0", "PHOTO;ENCODING=b:QUJDR\r\n"),
         1,
         {"t.vcf: card 1: bad base64 data in PHOTO"}},
        {"unknown charset",
         card("2.1", "FN;CHARSET=X-NONE:Caf\xE9\r\n"),
         1,
         {"t.vcf: card 1 (Caf\xC3\xA9): unknown character set X-NONE in FN"}},
        {"glued cards",
         "BEGIN:VCARD\r\nFN:A\r\nEND:VCARDBEGIN:VCARD\r\nFN:B\r\nEND:VCARD\r\n",
         2,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult read = readVCards(c.text, "t.vcf");
        EXPECT_EQ(read.contacts.size(), c.contacts);
        EXPECT_EQ(read.warnings, c.warnings);
    }
}

TEST(reader_test, nested_cards_follow_their_parent)
{
    const std::string text =
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Parent\r\nAGENT:\r\n"
        "BEGIN:VCARD\r\nN:Child\r\nBEGIN:VCARD\r\nN:Grandchild\r\n"
        "END:VCARD\r\nEND:VCARD\r\nTEL:1\r\nEND:VCARD\r\n" +
        card("3.0", "N:Next\r\n");
    const ReadResult read = readVCards(text, "t.vcf");
    ASSERT_EQ(read.contacts.size(), 4u);
    EXPECT_EQ(read.contacts[0].name.family, "Parent");
    EXPECT_EQ(read.contacts[0].phones.size(), 1u);
    EXPECT_TRUE(read.contacts[0].others.empty()) << "an AGENT with its card nested is no other";
    EXPECT_EQ(read.contacts[1].name.family, "Child");
    EXPECT_EQ(read.contacts[2].name.family, "Grandchild");
    EXPECT_EQ(read.contacts[3].name.family, "Next");
    EXPECT_TRUE(read.warnings.empty());
}

// The contact given to next() is filled over what it held; nothing of an earlier card, full
// of every kind of item, may show in a later sparse one, whichever way the cards come.
TEST(reader_test, a_reused_contact_keeps_nothing_of_the_card_before)
{
    const std::string full = card(
        "3.0",
        "FN:Ann Lee\r\nN:Lee;Ann;B.;Dr.;Jr.\r\nNICKNAME:Annie,Al\r\nORG:Acme;Sales;East\r\n"
        "TITLE:Boss\r\nROLE:Lead\r\nBDAY:1980-04-12\r\nANNIVERSARY:2001-05-06\r\n"
        "item1.EMAIL;TYPE=work,pref:ann.lee.works.here@example.com\r\nitem1.X-ABLabel:Desk\r\n"
        "TEL;TYPE=cell;PREF=2:+1 555 0100\r\nADR;TYPE=home:;;1 Long Street Name;Town;;1;Land\r\n"
        "LABEL;TYPE=home:1 Long Street Name\\nTown\r\nURL:https://example.com/a/long/path\r\n"
        "IMPP:xmpp:ann@example.com\r\nX-ABDATE:2010-01-01\r\nX-SPOUSE:Bob\r\n"
        "NOTE:a note long enough to leave the small string\r\nCATEGORIES:Work\r\n"
        "PHOTO:https://example.com/p.jpg\r\nX-PHONETIC-FIRST-NAME:An\r\n"
        "SOUND;X-IRMC-N:Lee;Ann\r\nX-CUSTOM:kept as another property\r\n");
    // One bare item of each list, to take the place of a full one.
    const std::string sparse =
        card("2.1",
             "N:Orr;Bo\r\nEMAIL:b@x.org\r\nTEL:1\r\nADR:;;S\r\nURL:u\r\nIMPP:h\r\n"
             "X-ABDATE:soon\r\nX-SPOUSE:C\r\nNOTE:n\r\nNICKNAME:B\r\nX-CUSTOM:o\r\n");
    const std::string text = full + sparse + full +
                             "BEGIN:VCARD\r\nN:Parent\r\nBEGIN:VCARD\r\nN:Child\r\nEND:VCARD\r\n"
                             "END:VCARDBEGIN:VCARD\r\nN:Glued\r\nEND:VCARD\r\n" +
                             sparse + full;
    const ReadResult fresh = readVCards(text, "t.vcf");
    ASSERT_EQ(fresh.contacts.size(), 8u);
    std::istringstream in(text);
    VCardReader reader(in, "t.vcf");
    Contact reused;
    for (const Contact& expected : fresh.contacts) {
        ASSERT_TRUE(reader.next(reused));
        EXPECT_EQ(test::contactLines(reused), test::contactLines(expected));
    }
    EXPECT_FALSE(reader.next(reused));
    EXPECT_EQ(fresh.contacts[1].name.family, "Orr");
    EXPECT_EQ(fresh.contacts[5].name.family, "Glued");
    EXPECT_EQ(fresh.contacts[1].emails.front().attributes.types, std::vector<std::string>{});
}

TEST(reader_test, streams_contact_by_contact_with_options)
{
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += card("2.1", "N:\xF0\xD2\xC9;" + std::to_string(i) + "\r\n");
    std::istringstream in(text);
    ReaderOptions options;
    options.fallbackCharset = "KOI8-R";
    VCardReader reader(in, "big.vcf", options);
    Contact contact;
    int count = 0;
    while (reader.next(contact)) {
        ASSERT_EQ(contact.name.given, std::to_string(count));
        ASSERT_EQ(contact.name.family, "\xD0\x9F\xD1\x80\xD0\xB8");
        ++count;
    }
    EXPECT_EQ(count, 3000);
    EXPECT_FALSE(reader.next(contact)) << "the end stays the end";
    EXPECT_THROW(VCardReader(std::filesystem::path("/no/such/file.vcf")), std::runtime_error);
}

}  // namespace
}  // namespace brimwell::vcard
