#include "gui/dialog_provider.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace brimwell {

MessageAnswer QtDialogs::messageBox(QWidget* parent, const QString& text, MessageButtons buttons,
                                    MessageIcon icon, const QString& caption)
{
    const bool yesNo = buttons == MessageButtons::YesNo;
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                    caption, text, yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    parent);
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

QStringList QtDialogs::openFiles(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileNames(parent, title, QString(), filter);
}

QString QtDialogs::saveFile(QWidget* parent, const QString& title, const QString& filter,
                            const QString& initialFolder)
{
    return QFileDialog::getSaveFileName(parent, title, initialFolder, filter);
}

QString QtDialogs::folder(QWidget* parent, const QString& title, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(parent, title, startFolder);
}

void QtDialogs::openWithDesktop(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
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

QString displayText(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

}  // namespace brimwell
