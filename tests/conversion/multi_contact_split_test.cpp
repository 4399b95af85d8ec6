#include "conversion/multi_contact_split.h"

#include <gtest/gtest.h>

#include "support/scripted_window.h"

namespace brimwell {
namespace {

using Contacts = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string text;
    long count;
    Contacts contacts;
};

class multi_contact_split_test : public testing::TestWithParam<SplitCase> {};

TEST_P(multi_contact_split_test, cuts_the_text_into_contacts)
{
    test::ScriptedWindow window;
    SplitContacts = {"left over from an earlier file"};
    EXPECT_EQ(SplitMultiVCF(window, GetParam().text, "/in/x.vcf", false), GetParam().count);
    EXPECT_EQ(SplitContacts, GetParam().contacts);
    EXPECT_TRUE(window.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    texts, multi_contact_split_test,
    testing::Values(
        SplitCase{"two_with_crlf", "BEGIN:VCARD\r\nFN:A\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:B\r\nEND:VCARD\r\n", 2,
                  {"BEGIN:VCARD\r\nFN:A\r\nEND:VCARD", "BEGIN:VCARD\r\nFN:B\r\nEND:VCARD"}},
        SplitCase{"ends_with_marker", "BEGIN:VCARD\nFN:A\nEND:VCARD", 1, {"BEGIN:VCARD\nFN:A\nEND:VCARD"}},
        SplitCase{"text_before_first_belongs_to_it", "junk\n\nBEGIN:VCARD\nEND:VCARD\n", 1,
                  {"junk\n\nBEGIN:VCARD\nEND:VCARD"}},
        SplitCase{"text_between_belongs_to_none", "BEGIN:VCARD\nEND:VCARD\nstray\nBEGIN:VCARD\nEND:VCARD", 2,
                  {"BEGIN:VCARD\nEND:VCARD", "BEGIN:VCARD\nEND:VCARD"}},
        SplitCase{"last_without_end_dropped", "BEGIN:VCARD\nEND:VCARD\nBEGIN:VCARD\nFN:B\n", 1,
                  {"BEGIN:VCARD\nEND:VCARD"}},
        SplitCase{"markers_in_any_case", "begin:vcard\nFN:A\nEnd:vCard\nBegin:VCard\nend:vcard\n", 2,
                  {"begin:vcard\nFN:A\nEnd:vCard", "Begin:VCard\nend:vcard"}},
        SplitCase{"no_contact_leaves_one_empty", "just some text", 0, {""}},
        SplitCase{"one_character", "x", 0, {""}},
        SplitCase{"colons_near_the_start", ":END:VCARD", 1, {":END:VCARD"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(multi_contact_split_test, empty_text_shows_the_message_and_leaves_one_empty_contact)
{
    test::ScriptedWindow window;
    SplitContacts = {"old"};
    EXPECT_EQ(SplitMultiVCF(window, "", "/in/empty.vcf", true), 0);
    EXPECT_EQ(SplitContacts, Contacts{""});
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text,
              "File\r\n\r\n/in/empty.vcf\r\n\r\ncontains no information, please check your source file.");
    EXPECT_EQ(window.messages[0].caption, "Brimwell");
    EXPECT_TRUE(window.progressTexts.empty());
}

TEST(multi_contact_split_test, progress_counts_from_zero_and_names_the_file)
{
    test::ScriptedWindow window;
    SplitMultiVCF(window, "BEGIN:VCARD\nEND:VCARD\nBEGIN:VCARD\nEND:VCARD\n", "/in/t.vcf", false);
    EXPECT_EQ(window.progressTexts,
              (Contacts{"Processing contact 0 in file /in/t.vcf", "Processing contact 1 in file /in/t.vcf",
                        "Processing file /in/t.vcf"}));
    window.progressTexts.clear();
    window.select(Control::Option2);
    SplitMultiVCF(window, "BEGIN:VCARD\nEND:VCARD\n", "/in/t.vcf", false);
    EXPECT_EQ(window.progressTexts,
              (Contacts{"Processing contacts in file /in/t.vcf", "Processing file /in/t.vcf"}));
}

TEST(multi_contact_split_test, keep_copy_fills_saved_contacts_and_false_leaves_them)
{
    test::ScriptedWindow window;
    SplitMultiVCF(window, "BEGIN:VCARD\nFN:A\nEND:VCARD\n", "a", true);
    EXPECT_EQ(SavedContacts, Contacts{"BEGIN:VCARD\nFN:A\nEND:VCARD"});
    SplitMultiVCF(window, "BEGIN:VCARD\nFN:B\nEND:VCARD\n", "b", false);
    EXPECT_EQ(SavedContacts, Contacts{"BEGIN:VCARD\nFN:A\nEND:VCARD"});
    EXPECT_EQ(SplitContacts, Contacts{"BEGIN:VCARD\nFN:B\nEND:VCARD"});
}

TEST(multi_contact_split_test, a_replayed_cut_shows_what_the_cut_showed)
{
    // Ends: after a last contact, in the middle of a contact without its end, at an end
    // without a next begin, in an empty text; in both progress wordings.
    for (const std::string text : {"BEGIN:VCARD\nEND:VCARD\nBEGIN:VCARD\nEND:VCARD\n",
                                   "BEGIN:VCARD\nEND:VCARD\nBEGIN:VCARD\nFN:B\n", "END:VCARD",
                                   "no contact here", "x", ""}) {
        for (const Control format : {Control::Option1, Control::Option2}) {
            SCOPED_TRACE(text);
            test::ScriptedWindow cutting;
            test::ScriptedWindow replaying;
            cutting.select(format);
            replaying.select(format);
            const ContactCut cut = cutContacts(cutting, text, "/in/t.vcf");
            replayCut(replaying, text, "/in/t.vcf", cut);
            EXPECT_EQ(replaying.progressTexts, cutting.progressTexts);
            EXPECT_EQ(replaying.refreshes, cutting.refreshes);
            EXPECT_EQ(replaying.informationTexts(), cutting.informationTexts());
        }
    }
}

TEST(multi_contact_split_test, the_cut_finds_what_the_split_copies)
{
    test::ScriptedWindow window;
    const std::string text = "junk\nBEGIN:VCARD\nFN:A\nEND:VCARD\r\nbegin:vcard\nend:vcard";
    const ContactCut cut = cutContacts(window, text, "a");
    EXPECT_EQ(cut.count, SplitMultiVCF(window, text, "a", false));
    EXPECT_EQ(Contacts(cut.contacts.begin(), cut.contacts.end()), SplitContacts);
    EXPECT_EQ(cut.progressSteps, 2);
}

}  // namespace
}  // namespace brimwell
