#pragma once
// The window under test: a program folder and a settings file of its own, dialogs answered
// from a script, and helpers that reach the controls by the names the program gives them.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

#include <QAbstractButton>
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>

#include "gui/dialog_provider.h"
#include "gui/main_window.h"
#include "gui/qt_settings_store.h"
#include "support/temp_dir.h"

void PrintTo(const QString& text, std::ostream* out);

namespace brimwell::test {

inline const std::string kAnn = "BEGIN:VCARD\r\nN:Lee;Ann\r\nTEL;CELL:555\r\nEND:VCARD\r\n";

/// Answers each dialog with the next of `answers` (none left: cancelled) and each question
/// with Yes; records each message as "caption: text", the file dialogs' filters and folders,
/// and what was opened.
class ScriptedDialogs : public DialogProvider {
    using Text = const QString&;

public:
    QStringList answers, messages, asked, opened;
    bool desktopOpens = true;  ///< false: as on a computer without a file manager

    MessageAnswer messageBox(QWidget*, Text text, MessageButtons buttons, MessageIcon,
                             Text caption) override
    {
        messages << caption + ": " + text;
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    QString inputBox(QWidget*, Text, Text, Text) override { return next(); }
    QString folder(QWidget*, Text, Text) override { return next(); }
    QString saveFile(QWidget*, Text, Text filter, Text folder, Text suffix) override
    {
        asked << filter << folder << suffix;
        return next();
    }
    QStringList openFiles(QWidget*, Text, Text filter, Text folder) override
    {
        asked << filter << folder;
        return next().split('|', Qt::SkipEmptyParts);
    }
    bool openWithDesktop(Text path) override
    {
        opened << path;
        return desktopOpens;
    }
    QString next() { return answers.isEmpty() ? QString() : answers.takeFirst(); }
};

/// A program folder and a settings file of its own for every test.
class WindowTest : public testing::Test {
public:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char* argv[] = {const_cast<char*>("gui_test"), nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);  // deleted by TearDownTestSuite
    }
    static void TearDownTestSuite() { delete qApp; }

protected:
    test::TempDir dir;
    ScriptedDialogs dialogs;
    QtSettingsStore settings;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        std::filesystem::create_directories(dir.path() / "program");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, qt(dir.file("settings")));
    }
    static QString qt(const std::string& text) { return QString::fromStdString(text); }
    /// Starts the program (again): a new window over the same settings.
    void start()
    {
        window.reset();
        window = std::make_unique<MainWindow>(settings, dialogs, qt(dir.file("program")));
        window->show();
    }
    template <class Widget = QPushButton>
    Widget& control(const char* name) const
    {
        auto* found = window->findChild<Widget*>(name);
        return found ? *found : throw std::runtime_error(name);
    }
    QTreeWidget& list() const { return control<QTreeWidget>("ListView1"); }
    QLineEdit& text1() const { return control<QLineEdit>("Text1"); }
    QStringList items() const
    {
        QStringList texts;
        for (int index = 0; index < list().topLevelItemCount(); ++index)
            texts << list().topLevelItem(index)->text(0);
        return texts;
    }
    /// The names of the ticked check boxes and selected option buttons.
    QStringList ticked() const
    {
        QStringList names;
        for (QAbstractButton* box : window->findChildren<QAbstractButton*>())
            if (box->isChecked())
                names << box->objectName();
        names.sort();
        return names;
    }
    void click(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            control<QAbstractButton>(name).click();
    }
    void hover(const char* name)
    {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&control<QWidget>(name), &enter);
    }
    /// One mouse event on the list at the centre of row `row` (1-based).
    void mouseOnRow(QEvent::Type type, int row, Qt::MouseButtons buttons)
    {
        QWidget* surface = list().viewport();
        const QPoint at = list().visualItemRect(list().topLevelItem(row - 1)).center();
        QMouseEvent event(type, at, surface->mapToGlobal(at), Qt::LeftButton, buttons, {});
        QApplication::sendEvent(surface, &event);
    }
    /// Drags `data` onto the list and drops it there; false when the drag was refused.
    bool dragAndDrop(QMimeData& data)
    {
        QDragEnterEvent enter({}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(list().viewport(), &enter);
        QDropEvent drop({}, Qt::CopyAction, &data, Qt::LeftButton, {});
        if (enter.isAccepted())
            QApplication::sendEvent(list().viewport(), &drop);
        return enter.isAccepted();
    }
};

}  // namespace brimwell::test
