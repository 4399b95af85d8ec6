#include "gui_test_support.h"

#include <filesystem>

#include <QSettings>
#include <QTreeWidget>

#include "app/settings_store.h"

namespace brimwell::test {

void QtApplicationEnvironment::SetUp()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    m_application = std::make_unique<QApplication>(m_argc, m_argv);
}

void QtApplicationEnvironment::TearDown()
{
    m_application.reset();
}

QStringList ScriptedDialogs::informationTexts() const
{
    QStringList texts;
    for (const DialogMessage& message : messages)
        if (message.caption != QStringLiteral("Application Error"))
            texts << message.text;
    return texts;
}

QStringList ScriptedDialogs::errorReports() const
{
    QStringList texts;
    for (const DialogMessage& message : messages)
        if (message.caption == QStringLiteral("Application Error"))
            texts << message.text;
    return texts;
}

MessageAnswer ScriptedDialogs::messageBox(QWidget*, const QString& text, MessageButtons buttons,
                                          MessageIcon icon, const QString& caption)
{
    messages.push_back({text, buttons, icon, caption});
    if (!messageAnswers.empty()) {
        const MessageAnswer answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

namespace {

template <class Answer>
Answer next(std::deque<Answer>& answers)
{
    if (answers.empty())
        return Answer();
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace

QString ScriptedDialogs::inputBox(QWidget*, const QString&, const QString&, const QString&)
{
    return next(inputAnswers);
}

QStringList ScriptedDialogs::openFiles(QWidget*, const QString& title, const QString& filter)
{
    openTitles << title;
    openFilters << filter;
    return next(openAnswers);
}

QString ScriptedDialogs::saveFile(QWidget*, const QString&, const QString& filter,
                                  const QString& initialFolder)
{
    saveFilters << filter;
    saveFolders << initialFolder;
    return next(saveAnswers);
}

QString ScriptedDialogs::folder(QWidget*, const QString&, const QString& startFolder)
{
    folderStarts << startFolder;
    return next(folderAnswers);
}

void ScriptedDialogs::openWithDesktop(const QString& path)
{
    opened << path;
}

void WindowTest::SetUp()
{
    std::filesystem::create_directories(dir.path() / "program");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(dir.file("settings")));
}

QString WindowTest::programFolder() const
{
    return QString::fromStdString(dir.file("program"));
}

MainWindow& WindowTest::start()
{
    window.reset();
    window = std::make_unique<MainWindow>(settings, dialogs, programFolder());
    window->show();
    return *window;
}

std::string WindowTest::setting(const char* key) const
{
    return settings.read(kSettingsApplication, kSettingsSection, key, "<absent>");
}

QStringList WindowTest::listItems() const
{
    QStringList items;
    const auto& list = control<QTreeWidget>("ListView1");
    for (int index = 0; index < list.topLevelItemCount(); ++index)
        items << list.topLevelItem(index)->text(0);
    return items;
}

}  // namespace brimwell::test
