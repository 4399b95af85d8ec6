#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QString>
#include <QStringList>

#include "gui/dialog_provider.h"
#include "gui/main_window.h"
#include "gui/qt_settings_store.h"
#include "support/temp_dir.h"

/// Lets GoogleTest print Qt's strings as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace brimwell::test {

/// The one QApplication of a test program, on the offscreen platform.
class QtApplicationEnvironment : public testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

private:
    int m_argc = 1;
    char m_name[16] = "brimwell_test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

inline testing::Environment* const kQtApplication =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

struct DialogMessage {
    QString text;
    MessageButtons buttons;
    MessageIcon icon;
    QString caption;
};

/// Answers the window's dialogs from queues (an empty queue answers "cancelled", a message
/// box without a queued answer OK or No) and records what was asked.
class ScriptedDialogs : public DialogProvider {
public:
    std::vector<DialogMessage> messages;
    std::deque<MessageAnswer> messageAnswers;
    std::deque<QString> inputAnswers;
    std::deque<QStringList> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<QString> folderAnswers;
    QStringList openTitles, openFilters, saveFilters, saveFolders, folderStarts, opened;

    /// The texts of the messages not captioned "Application Error".
    QStringList informationTexts() const;
    /// The texts of the "Application Error" reports.
    QStringList errorReports() const;

    MessageAnswer messageBox(QWidget* parent, const QString& text, MessageButtons buttons,
                             MessageIcon icon, const QString& caption) override;
    QString inputBox(QWidget* parent, const QString& prompt, const QString& caption,
                     const QString& preset) override;
    QStringList openFiles(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& initialFolder) override;
    QString folder(QWidget* parent, const QString& title, const QString& startFolder) override;
    void openWithDesktop(const QString& path) override;
};

/// A window started on a settings file and a program folder of its own.
class WindowTest : public testing::Test {
protected:
    TempDir dir;
    ScriptedDialogs dialogs;
    QtSettingsStore settings;
    std::unique_ptr<MainWindow> window;

    void SetUp() override;
    /// The program folder: empty unless a test puts files into it before start().
    QString programFolder() const;
    /// Starts (or starts again) the program: a new window over the same settings.
    MainWindow& start();
    std::string setting(const char* key) const;

    template <class Widget>
    Widget& control(const char* name) const
    {
        auto* found = window->findChild<Widget*>(QString::fromLatin1(name));
        if (found == nullptr)
            throw std::runtime_error(std::string("no control named ") + name);
        return *found;
    }
    QStringList listItems() const;
};

}  // namespace brimwell::test
