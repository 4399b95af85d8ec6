#pragma once

#include <QCursor>
#include <QString>

namespace brimwell {

/// The folder holding the files the program looks for beside itself (Samples/, x/o.cjs,
/// HAND-M.CUR, drag.ico): the program's own folder when it holds Samples/, else the
/// installed program's shared data folder ("../share/brimwell" from bin/) when it exists.
/// Returned without a trailing separator.
QString resourceFolder(const QString& programFolder);

/// The current user's desktop folder, or the home folder where there is none.
QString desktopFolder();

/// A pointer from a Windows cursor or icon file; the hot spot of a cursor file is kept,
/// an icon's pointer is centred. `fallback` when the file is missing or unreadable.
QCursor loadCursor(const QString& path, Qt::CursorShape fallback);

}  // namespace brimwell
