// The window's remembered place and size.
#include "gui/window_geometry.h"

#include <QScreen>

#include "window_test_fixture.h"

namespace brimwell::test {
namespace {

using window_geometry_test = WindowTest;

TEST_F(window_geometry_test, the_setting_reads_back_and_a_damaged_one_is_refused)
{
    EXPECT_EQ(formatGeometry(QRect(120, -8, 1000, 620)), "120,-8,1000,620");
    const struct {
        const char* text;
        std::optional<QRect> geometry;
    } rows[] = {
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
    for (const auto& row : rows)
        EXPECT_EQ(parseGeometry(row.text), row.geometry) << row.text;
}

TEST_F(window_geometry_test, a_restart_puts_the_window_back_where_it_was)
{
    start();
    EXPECT_EQ(settings.read("Pellbrook", "Brimwell", "WindowGeometry", "<absent>"), "<absent>");
    window->move(40, 30);
    window->resize(700, 500);
    QCoreApplication::processEvents();
    window->close();  // writes the change still waiting
    EXPECT_EQ(settings.read("Pellbrook", "Brimwell", "WindowGeometry", ""), "40,30,700,500");
    start();
    EXPECT_EQ(window->pos(), QPoint(40, 30));
    EXPECT_EQ(window->size(), QSize(700, 500));
}

TEST_F(window_geometry_test, a_kept_place_is_used_only_where_the_window_stays_reachable)
{
    start();
    const QSize firstStart = window->size();
    const QSize minimum = window->minimumSizeHint();
    const QRect screen = window->screen()->availableGeometry();
    const struct {
        const char* name;
        std::string kept;
        std::function<void()> check;
    } rows[] = {
        {"damaged", "wide", [&] { EXPECT_EQ(window->size(), firstStart); }},
        {"off every screen", "5000,4000,700,500",
         [&] {
             EXPECT_EQ(window->size(), QSize(700, 500));
             EXPECT_TRUE(screen.contains(window->pos())) << window->pos().x();
         }},
        {"smaller than the window can be", "10,10,50,40",
         [&] {
             EXPECT_GE(window->width(), minimum.width());
             EXPECT_GE(window->height(), minimum.height());
         }},
        {"bigger than the screen", "0,0,9000,7000",
         [&] { EXPECT_TRUE(screen.size().expandedTo(minimum) == window->size()); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        settings.write("Pellbrook", "Brimwell", "WindowGeometry", row.kept);
        start();
        row.check();
    }
}

}  // namespace
}  // namespace brimwell::test
