// The error trap: each failing step reported, the next one run.
#include "base/error_trap.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "support/scripted_window.h"

namespace brimwell {
namespace {

using Texts = std::vector<std::string>;

TEST(error_trap_test, reports_each_failing_step_and_goes_on_with_the_next)
{
    test::ScriptedWindow window;
    ErrorTrap trap(window, "AddFolder", "GetSubDirectories2016", "Tag");
    std::vector<int> ran;
    EXPECT_TRUE(trap.step(1, [&] { ran.push_back(1); }));
    EXPECT_FALSE(trap.step(2, [] { throw std::bad_alloc(); }));
    trap.step(3, [&] { ran.push_back(3); });
    trap.step(4, [] { throw 42; });
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
    EXPECT_EQ(trap.reportCount(), 2);
    const std::string at = "\r\nin Tag.AddFolder.GetSubDirectories2016 at line ";
    const std::string ask = "\r\rPlease email screenshot of this message to support@brimwell.app";
    EXPECT_EQ(window.errorReports(),
              (Texts{"Out of memory" + at + "2" + ask, "Unknown error" + at + "4" + ask}));
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Exclamation);
}

}  // namespace
}  // namespace brimwell
