#include "app/error_trap.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/scripted_window.h"

namespace brimwell {
namespace {

TEST(error_trap_test, reports_a_failing_step_and_goes_on_with_the_next)
{
    test::ScriptedWindow window;
    ErrorTrap trap(window, "Form1", "PushButton2_Click");
    std::vector<int> ran;
    trap.step(1, [&] { ran.push_back(1); });
    trap.step(2, [&] { throw std::runtime_error("File not found"); });
    trap.step(3, [&] { ran.push_back(3); });

    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
    ASSERT_EQ(window.messages.size(), 1u);
    const auto& report = window.messages[0];
    EXPECT_EQ(report.text,
              "File not found\r\nin Tresko2021/08/31.Form1.PushButton2_Click at line 2\r\r"
              "Please email screenshot of this message to support@brimwell.app");
    EXPECT_EQ(report.caption, "Application Error");
    EXPECT_EQ(report.icon, MessageIcon::Exclamation);
    EXPECT_EQ(report.buttons, MessageButtons::Ok);
    EXPECT_EQ(trap.reportCount(), 1);
}

TEST(error_trap_test, names_its_own_tag_and_describes_any_failure)
{
    test::ScriptedWindow window;
    ErrorTrap trap(window, "AddFolder", "GetSubDirectories2016", "KestrinTitle2021/08/31");
    EXPECT_FALSE(trap.step(4, [] { throw 42; }));
    EXPECT_TRUE(trap.step(5, [] {}));
    ASSERT_EQ(window.errorReports().size(), 1u);
    EXPECT_EQ(window.errorReports()[0],
              "Unknown error\r\nin KestrinTitle2021/08/31.AddFolder.GetSubDirectories2016 at line 4\r\r"
              "Please email screenshot of this message to support@brimwell.app");
}

}  // namespace
}  // namespace brimwell
