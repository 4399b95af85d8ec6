#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conversion/multi_contact_split.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

/// Many contacts of varied length, markers in mixed letter case, text between them: every
/// block size below puts a block's end inside a marker somewhere.
std::string manyContacts()
{
    std::string text = "junk before\r\n";
    for (int i = 0; i < 40; ++i) {
        text += i % 3 == 0 ? "begin:vcard\r\n" : "BEGIN:VCARD\r\n";
        text += "FN:" + std::string(static_cast<std::size_t>(i % 7), 'a') + "\r\nNOTE:x:y\r\n";
        text += i % 4 == 0 ? "End:VCard" : "END:VCARD";
        text += i % 5 == 0 ? "\r\nstray:line\r\n" : "\r\n";
    }
    return text + "BEGIN:VCARD\r\nFN:no end\r\n";
}

// Cutting a file as it is read hands on the same contacts and shows the same progress
// texts and message as cutting its whole text, wherever the blocks end.
TEST(streamed_cut_test, equals_the_cut_of_the_whole_text)
{
    test::TempDir dir;
    const std::vector<std::string> texts = {
        "",
        "x",
        "END:VCARD",
        ":END:VCARD",
        "no contact here",
        "BEGIN:VCARD\nEND:VCARD\nBEGIN:VCARD\nFN:B\n",
        "BEGIN:VCARD\r\nFN:A\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:B\r\nEND:VCARD\r\n",
        manyContacts(),
    };
    for (const auto& text : texts) {
        const std::string path = dir.write("t.vcf", text);
        for (const Control wording : {Control::Option1, Control::Option2}) {
            test::ScriptedWindow whole;
            whole.select(wording);
            const ContactCut expected = cutContacts(whole, text, path);
            const std::vector<std::string> expectedContacts(expected.contacts.begin(),
                                                            expected.contacts.end());
            for (const std::size_t block : {1, 2, 3, 5, 8, 9, 10, 11, 13, 64, 4096}) {
                SCOPED_TRACE(text.substr(0, 20) + " in blocks of " + std::to_string(block));
                test::ScriptedWindow streamed;
                streamed.select(wording);
                TextStream stream(path, block);
                std::string buffer;
                std::vector<std::string> contacts;
                const ContactCut cut =
                    cutContacts(streamed, stream, path, buffer,
                                [&](std::string_view c) { contacts.emplace_back(c); });
                EXPECT_EQ(contacts, expectedContacts);
                EXPECT_EQ(cut.count, expected.count);
                EXPECT_EQ(cut.progressSteps, expected.progressSteps);
                EXPECT_EQ(cut.emptyText, expected.emptyText);
                EXPECT_EQ(streamed.progressTexts, whole.progressTexts);
                EXPECT_EQ(streamed.refreshes, whole.refreshes);
                EXPECT_EQ(streamed.informationTexts(), whole.informationTexts());
                if (text.size() > block + 1000) {  // a block and a contact, not the whole text
                    EXPECT_LT(buffer.size(), block + 100);
                }
            }
        }
    }
}

}  // namespace
}  // namespace brimwell
