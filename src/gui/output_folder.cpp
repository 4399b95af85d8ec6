#include "gui/output_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "base/window.h"

namespace brimwell {

namespace {

/// File times come from a clock that may lag the one `since` was read from by a tick.
constexpr int kClockSlackSeconds = 1;

}  // namespace

QString outputFolderOfRun(const Window& window, const std::string& savedFile,
                          const QDateTime& since)
{
    const QDateTime from = since.addSecs(-kClockSlackSeconds);
    if (window.optionSelected(Control::Option7)) {
        const QFileInfo file(QString::fromStdString(savedFile));
        return !savedFile.empty() && file.isFile() && file.lastModified() >= from
                   ? file.absolutePath()
                   : QString();
    }
    if (!window.optionSelected(Control::Option8))
        return {};
    QStringList folders;
    if (window.optionSelected(Control::Option9)) {
        folders << QString::fromStdString(window.text(Control::Text1));
    } else if (window.optionSelected(Control::Option10)) {
        for (int index = 1; index <= window.listCount(); ++index) {
            const QString folder =
                QFileInfo(QString::fromStdString(window.listItem(index))).absolutePath();
            if (!folders.contains(folder))
                folders << folder;
        }
    }
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QFileInfo& file :
             dir.entryInfoList({QStringLiteral("*.csv")}, QDir::Files | QDir::Hidden))
            if (file.lastModified() >= from)
                return dir.absolutePath();
    }
    return {};
}

}  // namespace brimwell
