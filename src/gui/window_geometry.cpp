#include "gui/window_geometry.h"

#include <algorithm>

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include "base/settings_store.h"

namespace brimwell {

namespace {

constexpr const char* kGeometryKey = "WindowGeometry";
constexpr const char* kMaximizedKey = "WindowMaximized";
constexpr int kSaveDelayMs = 400;
/// How much of a restored window must be on a screen for it to be reachable: enough of
/// its top edge to take hold of it.
constexpr int kReachableWidth = 80;
constexpr int kReachableHeight = 24;

/// The screen area (available to windows) that holds most of `rect`, or the primary one.
QRect screenAreaFor(const QRect& rect)
{
    QRect best;
    int bestArea = -1;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shared = screen->availableGeometry().intersected(rect);
        const int area = shared.isEmpty() ? 0 : shared.width() * shared.height();
        if (area > bestArea) {
            best = screen->availableGeometry();
            bestArea = area;
        }
    }
    return best;
}

bool reachable(const QRect& rect)
{
    const QRect topEdge(rect.topLeft(), QSize(rect.width(), kReachableHeight));
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shared = screen->availableGeometry().intersected(topEdge);
        if (shared.width() >= std::min(kReachableWidth, rect.width()) &&
            shared.height() >= std::min(kReachableHeight, rect.height()))
            return true;
    }
    return false;
}

/// `size` no smaller than the window allows and no bigger than `area`.
QSize fitted(const QSize& size, const QWidget& window, const QRect& area)
{
    QSize result = size.expandedTo(window.minimumSizeHint()).expandedTo(window.minimumSize());
    if (area.isValid())
        result = result.boundedTo(area.size());
    return result;
}

}  // namespace

std::string formatGeometry(const QRect& geometry)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(geometry.x())
        .arg(geometry.y())
        .arg(geometry.width())
        .arg(geometry.height())
        .toStdString();
}

std::optional<QRect> parseGeometry(const std::string& text)
{
    const QStringList parts = QString::fromStdString(text).split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int numbers[4];
    for (int index = 0; index < 4; ++index) {
        bool ok = false;
        numbers[index] = parts[index].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    const QRect geometry(numbers[0], numbers[1], numbers[2], numbers[3]);
    if (geometry.width() <= 0 || geometry.height() <= 0)
        return std::nullopt;
    return geometry;
}

WindowGeometry::WindowGeometry(QWidget& window, SettingsStore& settings)
    : QObject(&window), m_window(window), m_settings(settings)
{
    m_pending.setSingleShot(true);
    m_pending.setInterval(kSaveDelayMs);
    connect(&m_pending, &QTimer::timeout, this, [this] { save(); });
    m_window.installEventFilter(this);
}

void WindowGeometry::restore(const QSize& firstStartSize)
{
    m_restoring = true;
    const std::optional<QRect> kept =
        parseGeometry(m_settings.read(kSettingsApplication, kSettingsSection, kGeometryKey, ""));
    if (kept) {
        m_window.resize(fitted(kept->size(), m_window, screenAreaFor(*kept)));
        if (reachable(QRect(kept->topLeft(), m_window.size())))
            m_window.move(kept->topLeft());
    } else {
        const QScreen* screen = m_window.screen();
        m_window.resize(
            fitted(firstStartSize, m_window, screen ? screen->availableGeometry() : QRect()));
    }
    const std::string maximized =
        m_settings.read(kSettingsApplication, kSettingsSection, kMaximizedKey, "False");
    if (QString::fromStdString(maximized).compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        m_window.setWindowState(m_window.windowState() | Qt::WindowMaximized);
    m_restoring = false;
}

void WindowGeometry::flush()
{
    if (m_pending.isActive()) {
        m_pending.stop();
        save();
    }
}

bool WindowGeometry::eventFilter(QObject* /*watched*/, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowStateChange:
        if (!m_restoring && m_window.isVisible())
            m_pending.start();
        break;
    default:
        break;
    }
    return false;
}

void WindowGeometry::save()
{
    const bool maximized = m_window.isMaximized();
    m_settings.write(kSettingsApplication, kSettingsSection, kMaximizedKey,
                     maximized ? "True" : "False");
    // A maximized or full-screen window keeps the place it goes back to.
    if (!maximized && !m_window.isFullScreen() && !m_window.isMinimized())
        m_settings.write(kSettingsApplication, kSettingsSection, kGeometryKey,
                         formatGeometry(QRect(m_window.pos(), m_window.size())));
}

}  // namespace brimwell
