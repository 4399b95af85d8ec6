// The kept window place.
#include "gui/window_geometry.h"

#include <gtest/gtest.h>

#include "window_test_fixture.h"

namespace brimwell::test {
namespace {

using window_geometry_test = WindowTest;

TEST_F(window_geometry_test, a_kept_window_place_reads_back_and_a_damaged_one_is_refused)
{
    const std::pair<const char*, std::optional<QRect>> rows[] = {
        {"120,80,1000,620", QRect(120, 80, 1000, 620)},
        {" -40, 0, 900 ,600", QRect(-40, 0, 900, 600)},
        {"1,2,3", std::nullopt},
        {"1,2,3,4,5", std::nullopt},
        {"a,b,c,d", std::nullopt},
        {"1.5,2,300,400", std::nullopt},
        {"0,0,0,400", std::nullopt},
        {"0,0,300,-1", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, geometry] : rows)
        EXPECT_EQ(parseGeometry(text), geometry) << text;
}

}  // namespace
}  // namespace brimwell::test
