#include "app/messages.h"

#include <gtest/gtest.h>

#include "support/scripted_window.h"

namespace brimwell {
namespace {

TEST(messages_test, application_title_drops_last_words_down_to_forty_characters)
{
    EXPECT_EQ(SetApplicationTitle("Brimwell"), "Brimwell");
    EXPECT_EQ(SetApplicationTitle("Brimwell Contact Converter"), "Brimwell Contact");
    const std::string sixty = "Alpha Bravo Charlie Delta Echo Foxtrot Golf Hotel India Jul";
    ASSERT_EQ(sixty.size(), 59u);
    EXPECT_EQ(SetApplicationTitle(sixty), "Alpha Bravo Charlie Delta Echo Foxtrot");
    EXPECT_EQ(SetApplicationTitle(std::string(45, 'x') + " y"), std::string(45, 'x'));
}

TEST(messages_test, information_uses_the_application_title_and_no_icon)
{
    test::ScriptedWindow window;
    showInformation(window, "Done.");
    window.messageAnswers.push_back(MessageAnswer::Yes);
    EXPECT_TRUE(askYesNo(window, "Open?"));
    EXPECT_FALSE(askYesNo(window, "Open again?"));
    ASSERT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.messages[0].caption, "Brimwell");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(window.messages[1].buttons, MessageButtons::YesNo);
}

}  // namespace
}  // namespace brimwell
