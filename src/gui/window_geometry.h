#pragma once

#include <optional>
#include <string>

#include <QObject>
#include <QRect>
#include <QTimer>

class QWidget;

namespace brimwell {

class SettingsStore;

/// The window's place and size as kept in the settings: "left,top,width,height".
std::string formatGeometry(const QRect& geometry);
/// The place and size a setting holds; none when it is damaged or has no area.
std::optional<QRect> parseGeometry(const std::string& text);

/// Remembers where the window was and how big: every move or resize is written to the
/// settings (a moment after the last one, so that dragging an edge writes once), and
/// restore() puts the window back there at the next start. A place no screen shows any
/// more is left to the system; a size is kept within the window's minimum and the screen.
class WindowGeometry : public QObject {
    Q_OBJECT
public:
    WindowGeometry(QWidget& window, SettingsStore& settings);

    /// Puts the window where the settings say, or else gives it `firstStartSize`.
    void restore(const QSize& firstStartSize);
    /// Writes a change still waiting to be written.
    void flush();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void save();

    QWidget& m_window;
    SettingsStore& m_settings;
    QTimer m_pending;
    bool m_restoring = false;
};

}  // namespace brimwell
