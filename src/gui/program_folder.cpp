#include "gui/program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QStandardPaths>

namespace brimwell {

namespace {

/// A cursor file's directory entry carries the hot spot where an icon's carries colour
/// planes and bit depth.
constexpr int kCursorType = 2;
constexpr int kHotSpotOffset = 10;

int readLittleEndian16(const QByteArray& bytes, int offset)
{
    return static_cast<unsigned char>(bytes[offset]) | static_cast<unsigned char>(bytes[offset + 1])
                                                           << 8;
}

}  // namespace

QString resourceFolder(const QString& programFolder)
{
    const QDir folder(programFolder);
    if (folder.exists(QStringLiteral("Samples")))
        return folder.path();
    const QDir shared(folder.filePath(QStringLiteral(BRIMWELL_DATA_FROM_BIN)));
    return shared.exists() ? QDir::cleanPath(shared.absolutePath()) : folder.path();
}

QString desktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QFileInfo(desktop).isDir())
        return desktop;
    return QDir::homePath();
}

QCursor loadCursor(const QString& path, Qt::CursorShape fallback)
{
    const QPixmap picture(path);
    if (picture.isNull())
        return QCursor(fallback);
    QFile file(path);
    const QByteArray header = file.open(QIODevice::ReadOnly) ? file.read(14) : QByteArray();
    if (header.size() == 14 && readLittleEndian16(header, 2) == kCursorType)
        return QCursor(picture, readLittleEndian16(header, kHotSpotOffset),
                       readLittleEndian16(header, kHotSpotOffset + 2));
    return QCursor(picture);
}

}  // namespace brimwell
