// The window's layout: it fits a small screen, its tab order reads like its layout, every
// push button has a key and every control a visible focus mark. Run at 100 %, 150 % and
// 200 % scaling (QT_SCALE_FACTOR).
#include <QGroupBox>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>

#include "window_test_fixture.h"

namespace brimwell::test {
namespace {

/// The smallest screen the window must be usable on, less room for a title bar.
constexpr QSize kSmallScreen(1024, 640 - 40);

QRect inWindow(const QWidget& widget)
{
    return QRect(widget.mapTo(widget.window(), QPoint(0, 0)), widget.size());
}

double expectedScale()
{
    return qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
               ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
               : 1.0;
}

class ThemedWindowTest : public WindowTest {
protected:
    /// Starts the themed window, big enough that its options do not scroll.
    void startThemed()
    {
        std::filesystem::create_directories(dir.path() / "program/x");
        std::filesystem::copy_file(BRIMWELL_GUI_RESOURCES_DIR "/o.cjs", dir.file("program/x/o.cjs"),
                                   std::filesystem::copy_options::overwrite_existing);
        start();
        window->resize(1280, 900);
        QCoreApplication::processEvents();
    }
    void TearDown() override
    {
        window.reset();
        qApp->setStyleSheet(QString());
    }
};

using form_layout_test = ThemedWindowTest;

TEST_F(form_layout_test, the_window_fits_a_small_screen_up_to_half_again_the_font_size)
{
    const QFont original = qApp->font();
    for (double fontScale : {1.0, 1.5}) {
        SCOPED_TRACE(fontScale);
        QFont font = original;
        font.setPointSizeF(original.pointSizeF() * fontScale);
        qApp->setFont(font);
        startThemed();
        EXPECT_DOUBLE_EQ(window->devicePixelRatioF(), expectedScale());
        const QSize minimum = window->minimumSizeHint().expandedTo(window->minimumSize());
        EXPECT_LE(minimum.width(), kSmallScreen.width());
        EXPECT_LE(minimum.height(), kSmallScreen.height());

        window->resize(kSmallScreen);
        QCoreApplication::processEvents();
        ASSERT_EQ(window->size(), kSmallScreen);
        const QRect area = window->rect();
        std::vector<QRect> taken;
        for (const char* name : {"ListView1", "PushButton1", "PushButton4", "PushButton7",
                                 "PushButton6", "ProgressBar1", "PushButton2", "OptionsArea"}) {
            const QWidget& widget = control<QWidget>(name);
            const QRect place = inWindow(widget);
            EXPECT_TRUE(widget.isVisible() && area.contains(place) && !place.isEmpty()) << name;
            for (const QRect& other : taken)
                EXPECT_FALSE(place.intersects(other)) << name << " overlaps another control";
            taken.push_back(place);
        }
        // The option frames are all reachable: at worst by scrolling their column.
        auto& options = control<QScrollArea>("OptionsArea");
        EXPECT_GE(options.viewport()->height(), 3 * options.fontMetrics().height());
        EXPECT_GE(options.viewport()->width(), options.widget()->minimumSizeHint().width());
        qApp->setFont(original);
    }
}

TEST_F(form_layout_test, format_and_separator_share_a_row_with_even_spacing)
{
    startThemed();
    const QRect format = inWindow(control<QGroupBox>("Frame1"));
    const QRect separator = inWindow(control<QGroupBox>("Frame3"));
    EXPECT_EQ(format.top(), separator.top());
    EXPECT_EQ(format.height(), separator.height());
    const auto top = [&](const char* name) { return inWindow(control<QWidget>(name)).top(); };
    EXPECT_EQ(top("Option1"), top("Option3"));
    EXPECT_EQ(top("Option2"), top("Option4"));
    const int step = top("Option4") - top("Option3");
    EXPECT_GT(step, 0);
    EXPECT_EQ(top("Option5") - top("Option4"), step);
    EXPECT_EQ(top("Option6") - top("Option5"), step);
    EXPECT_EQ(top("Check6") - top("Check3"), step);  // the frames below keep the rhythm
}

/// The frame a control sits in, or the control itself outside any frame.
QWidget* frameOf(QWidget* widget)
{
    for (QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget())
        if (qobject_cast<QGroupBox*>(up) != nullptr)
            return up;
    return widget;
}

/// Reading order of two places: top to bottom, left to right within one row (places whose
/// middles are closer than half the lower one's height share a row).
bool readsBefore(const QRect& a, const QRect& b)
{
    const bool sameRow =
        std::abs(a.center().y() - b.center().y()) < std::min(a.height(), b.height()) / 2;
    return sameRow ? a.left() < b.left() : a.top() < b.top();
}

/// Whether Tab should go from `a` to `b`: the left column before the right one, then frame
/// by frame, then within a frame.
bool tabsBefore(QWidget* a, QWidget* b, int leftColumnEnd)
{
    const QRect frameA = inWindow(*frameOf(a)), frameB = inWindow(*frameOf(b));
    const int columnA = frameA.center().x() < leftColumnEnd ? 0 : 1;
    const int columnB = frameB.center().x() < leftColumnEnd ? 0 : 1;
    if (columnA != columnB)
        return columnA < columnB;
    if (frameA != frameB)
        return readsBefore(frameA, frameB);
    return readsBefore(inWindow(*a), inWindow(*b));
}

TEST_F(form_layout_test, tab_goes_through_every_control_in_reading_order)
{
    startThemed();
    QWidget* first = &list();
    std::vector<QWidget*> chain;
    for (QWidget* widget = first; chain.empty() || widget != first;
         widget = widget->nextInFocusChain()) {
        if (widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus))
            chain.push_back(widget);
    }
    int focusable = 0;
    for (QWidget* widget : window->findChildren<QWidget*>())
        focusable += widget->isVisible() && widget->isEnabled() &&
                     (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
    EXPECT_EQ(int(chain.size()), focusable);
    const int leftColumnEnd = inWindow(list()).right();
    for (std::size_t index = 1; index < chain.size(); ++index)
        EXPECT_TRUE(tabsBefore(chain[index - 1], chain[index], leftColumnEnd))
            << chain[index - 1]->objectName().toStdString() << " before "
            << chain[index]->objectName().toStdString();
}

TEST_F(form_layout_test, each_push_button_has_a_key)
{
    startThemed();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const struct {
        const char* button;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } rows[] = {
        {"PushButton1", Qt::Key_A, Qt::AltModifier}, {"PushButton4", Qt::Key_F, Qt::AltModifier},
        {"PushButton7", Qt::Key_L, Qt::AltModifier}, {"PushButton6", Qt::Key_C, Qt::AltModifier},
        {"PushButton2", Qt::Key_S, Qt::AltModifier}, {"PushButton3", Qt::Key_F1, {}},
        {"PushButton9", Qt::Key_B, Qt::AltModifier},
    };
    for (const auto& row : rows) {
        QSignalSpy clicked(&control(row.button), &QAbstractButton::clicked);
        QTest::keyClick(window.get(), row.key, row.modifiers);
        EXPECT_TRUE(QTest::qWaitFor([&] { return clicked.count() == 1; }, 2000)) << row.button;
        EXPECT_EQ(control(row.button).text().count('&'), 0) << row.button;
    }
}

/// How many pixels differ clearly between two pictures of the same size.
int changedPixels(const QImage& before, const QImage& after)
{
    int changed = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            const QColor a = before.pixelColor(x, y), b = after.pixelColor(x, y);
            changed += std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                 std::abs(a.blue() - b.blue())}) >= 48;
        }
    return changed;
}

TEST_F(form_layout_test, the_focus_mark_is_plain_on_every_kind_of_control)
{
    startThemed();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    for (const char* name :
         {"ListView1", "PushButton1", "PushButton2", "Option1", "Check9", "Text1"}) {
        QWidget& widget = control<QWidget>(name);
        control<QWidget>("PushButton6").setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        const QImage before = widget.grab().toImage();
        widget.setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        ASSERT_TRUE(widget.hasFocus()) << name;
        const QImage after = widget.grab().toImage();
        ASSERT_EQ(before.size(), after.size()) << name;
        // At least as many pixels as one ring around the control.
        EXPECT_GE(changedPixels(before, after), before.width() + before.height()) << name;
    }
}

}  // namespace
}  // namespace brimwell::test
