#include "gui/dialog_provider.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace brimwell {

namespace {

/// How long a desktop opener is given to say that it found no program.
constexpr int kOpenerWaitMs = 3000;

}  // namespace

MessageAnswer QtDialogs::messageBox(QWidget* parent, const QString& text, MessageButtons buttons,
                                    MessageIcon icon, const QString& caption)
{
    const bool yesNo = buttons == MessageButtons::YesNo;
    QMessageBox box(icon == MessageIcon::None ? QMessageBox::NoIcon : QMessageBox::Warning, caption,
                    text, yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    const int pressed = box.exec();
    if (!yesNo)
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QString QtDialogs::inputBox(QWidget* parent, const QString& prompt, const QString& caption,
                            const QString& preset)
{
    bool accepted = false;
    const QString answer =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, preset, &accepted);
    return accepted ? answer : QString();
}

QStringList QtDialogs::openFiles(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& startFolder)
{
    return QFileDialog::getOpenFileNames(parent, title, startFolder, filter);
}

QString QtDialogs::saveFile(QWidget* parent, const QString& title, const QString& filter,
                            const QString& initialFolder, const QString& suffix)
{
    QFileDialog dialog(parent, title, initialFolder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt's own dialog adds the suffix before it asks about replacing a file.
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString QtDialogs::folder(QWidget* parent, const QString& title, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(parent, title, startFolder);
}

bool QtDialogs::openWithDesktop(const QString& path)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt starts xdg-open without waiting and so reports success even when it then finds no
    // program for a folder. It fails within a moment; a program it starts may keep it
    // running, which counts as opened.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) {
        auto* process = new QProcess;
        process->setProgram(opener);
        process->setArguments({path});
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start();
        if (!process->waitForFinished(kOpenerWaitMs) && process->state() == QProcess::Running) {
            QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
            return true;
        }
        const bool opened = process->error() != QProcess::FailedToStart &&
                            process->exitStatus() == QProcess::NormalExit &&
                            process->exitCode() == 0;
        delete process;
        return opened;
    }
#endif
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString qtFileFilter(std::string_view filter)
{
    const QStringList parts =
        QString::fromUtf8(filter.data(), qsizetype(filter.size())).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype index = 0; index + 1 < parts.size(); index += 2) {
        const QString& name = parts[index];
        QString patterns = parts[index + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses of the name.
        filters << (name.contains(QLatin1Char('('))
                        ? name
                        : name + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

QString filterSuffix(std::string_view filter)
{
    const QStringList parts =
        QString::fromUtf8(filter.data(), qsizetype(filter.size())).split(QLatin1Char('|'));
    if (parts.size() < 2)
        return {};
    const QString pattern = parts[1].section(QLatin1Char(';'), 0, 0).trimmed();
    static const QRegularExpression singleSuffix(QStringLiteral("^\\*\\.([A-Za-z0-9_]+)$"));
    const QRegularExpressionMatch match = singleSuffix.match(pattern);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString withDefaultSuffix(const QString& path, const QString& suffix)
{
    if (path.isEmpty() || suffix.isEmpty() || path.endsWith(QLatin1Char('/')))
        return path;
    const QString name = path.section(QLatin1Char('/'), -1);
    return name.contains(QLatin1Char('.')) ? path : path + QLatin1Char('.') + suffix;
}

QString displayText(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

}  // namespace brimwell
