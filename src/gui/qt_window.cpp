#include "gui/qt_window.h"

#include <stdexcept>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QTreeWidget>

#include "base/messages.h"
#include "base/settings_store.h"
#include "gui/dialog_provider.h"

namespace brimwell {

namespace {

constexpr qint64 kYieldIntervalMs = 5;
constexpr const char* kAddFilesFolderKey = "AddFilesFolder";
constexpr const char* kNoFileManager =
    "The folder could not be opened: no file manager is set up on this computer.\n\n"
    "The folder is:\n%1";

QString toQt(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string fromQt(const QString& text)
{
    return text.toStdString();
}

}  // namespace

QtWindow::QtWindow(QWidget& form, const FormControls& controls, DialogProvider& dialogs,
                   SettingsStore& settings)
    : m_form(form), m_controls(controls), m_dialogs(dialogs), m_settings(settings)
{}

QAbstractButton& QtWindow::choice(Control control) const
{
    return *m_controls.choices.at(control);
}

QComboBox& QtWindow::list(Control control) const
{
    const auto found = m_controls.lists.find(control);
    if (found == m_controls.lists.end())
        throw std::invalid_argument("the control has no text");
    return *found->second;
}

QTreeWidgetItem& QtWindow::item(int index) const
{
    QTreeWidgetItem* found = m_controls.ListView1->topLevelItem(index - 1);
    if (found == nullptr)
        throw std::out_of_range("Index out of bounds");
    return *found;
}

bool QtWindow::optionSelected(Control option) const
{
    return choice(option).isChecked();
}

int QtWindow::checkValue(Control box) const
{
    switch (static_cast<QCheckBox&>(choice(box)).checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    }
    return 0;
}

std::string QtWindow::text(Control box) const
{
    if (box == Control::Text1)
        return fromQt(m_controls.Text1->text());
    return fromQt(list(box).currentText());
}

void QtWindow::setOptionSelected(Control option, bool selected)
{
    QAbstractButton& button = choice(option);
    if (selected) {
        button.setChecked(true);
        return;
    }
    // An exclusive group keeps its checked button, so it lets go for a moment.
    QButtonGroup* group = m_controls.groups.at(option);
    group->setExclusive(false);
    button.setChecked(false);
    group->setExclusive(true);
}

void QtWindow::setCheckValue(Control box, int value)
{
    if (value < 0 || value > 2)
        throw std::invalid_argument("Invalid property value");
    auto& checkBox = static_cast<QCheckBox&>(choice(box));
    checkBox.setTristate(value == 2);
    checkBox.setCheckState(value == 0   ? Qt::Unchecked
                           : value == 1 ? Qt::Checked
                                        : Qt::PartiallyChecked);
}

void QtWindow::setText(Control box, const std::string& text)
{
    if (box == Control::Text1) {
        m_controls.Text1->setText(toQt(text));
        return;
    }
    QComboBox& list = this->list(box);
    // A stored name the list does not offer is shown as it is, not silently replaced.
    if (list.findText(toQt(text)) < 0)
        list.addItem(toQt(text));
    list.setCurrentText(toQt(text));
}

void QtWindow::setFolderBoxEnabled(bool enabled)
{
    m_controls.Frame6->setEnabled(enabled);
}

void QtWindow::setEncodingChoicesEnabled(bool enabled)
{
    m_controls.Frame8->setEnabled(enabled);
}

int QtWindow::listCount() const
{
    return m_controls.ListView1->topLevelItemCount();
}

std::string QtWindow::listItem(int index) const
{
    return fromQt(item(index).text(0));
}

void QtWindow::listAdd(const std::string& text)
{
    new QTreeWidgetItem(m_controls.ListView1, QStringList{toQt(text)});
}

void QtWindow::listRemove(int index)
{
    delete &item(index);
}

void QtWindow::listClear()
{
    m_controls.ListView1->clear();
}

int QtWindow::listSelected() const
{
    const QList<QTreeWidgetItem*> selected = m_controls.ListView1->selectedItems();
    if (selected.isEmpty())
        return 0;
    return m_controls.ListView1->indexOfTopLevelItem(selected.first()) + 1;
}

void QtWindow::listSelect(int index)
{
    m_controls.ListView1->setCurrentItem(&item(index));
}

void QtWindow::listSetItem(int index, const std::string& text)
{
    item(index).setText(0, toQt(text));
}

void QtWindow::listEnsureVisible(int index)
{
    m_controls.ListView1->scrollToItem(&item(index));
}

void QtWindow::setListDragCursor(bool dragging)
{
    QWidget* surface = m_controls.ListView1->viewport();
    if (dragging)
        surface->setCursor(m_dragCursor);
    else
        surface->unsetCursor();  // the window's pointer, so the hourglass shows during a run
}

void QtWindow::setProgressValue(int value)
{
    m_controls.ProgressBar1->setValue(value);
}

void QtWindow::setProgressText(const std::string& text)
{
    m_controls.ProgressBar1->setLine(toQt(text));
}

void QtWindow::setPointer(Pointer pointer)
{
    m_pointer = pointer;
    switch (pointer) {
    case Pointer::Default:
        m_form.unsetCursor();
        break;
    case Pointer::Hourglass:
        m_form.setCursor(Qt::WaitCursor);
        break;
    case Pointer::Custom:
        m_form.setCursor(m_customCursor);
        break;
    }
}

void QtWindow::refresh()
{
    m_form.repaint();
}

void QtWindow::yield()
{
    if (m_sinceYield.isValid() && m_sinceYield.elapsed() < kYieldIntervalMs)
        return;
    QCoreApplication::processEvents();
    m_sinceYield.start();
}

MessageAnswer QtWindow::messageBox(const std::string& text, MessageButtons buttons,
                                   MessageIcon icon, const std::string& caption)
{
    return m_dialogs.messageBox(&m_form, displayText(text), buttons, icon, toQt(caption));
}

std::string QtWindow::inputBox(const std::string& prompt, const std::string& caption,
                               const std::string& preset)
{
    return fromQt(m_dialogs.inputBox(&m_form, displayText(prompt), toQt(caption), toQt(preset)));
}

std::vector<std::string> QtWindow::openFilesDialog(const std::string& title,
                                                   const std::string& filter)
{
    QString folder =
        toQt(m_settings.read(kSettingsApplication, kSettingsSection, kAddFilesFolderKey, ""));
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QStringList chosen =
        m_dialogs.openFiles(&m_form, toQt(title), qtFileFilter(filter), folder);
    if (!chosen.isEmpty())
        m_settings.write(kSettingsApplication, kSettingsSection, kAddFilesFolderKey,
                         fromQt(QFileInfo(chosen.first()).absolutePath()));
    std::vector<std::string> paths;
    for (const QString& path : chosen)
        paths.push_back(fromQt(path));
    return paths;
}

std::string QtWindow::saveFileDialog(const std::string& title, const std::string& filter,
                                     const std::string& initialFolder)
{
    const QString suffix = filterSuffix(filter);
    // Not every platform's dialog applies the suffix it is given.
    m_lastSavedFile = fromQt(withDefaultSuffix(
        m_dialogs.saveFile(&m_form, toQt(title), qtFileFilter(filter), toQt(initialFolder), suffix),
        suffix));
    return m_lastSavedFile;
}

std::string QtWindow::browseForFolder(const std::string& title, const std::string& startFolder)
{
    return fromQt(m_dialogs.folder(&m_form, toQt(title), toQt(startFolder)));
}

void QtWindow::shellOpen(const std::string& path)
{
    if (m_dialogs.openWithDesktop(toQt(path)))
        return;
    m_dialogs.messageBox(&m_form,
                         QCoreApplication::translate("Form1", kNoFileManager).arg(toQt(path)),
                         MessageButtons::Ok, MessageIcon::Exclamation, toQt(applicationTitle()));
}

}  // namespace brimwell
