#include "gui/main_window.h"

#include <cstdlib>
#include <stdexcept>

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "app/sample_files.h"
#include "base/error_trap.h"
#include "base/messages.h"
#include "base/settings_store.h"
#include "gui/dialog_provider.h"
#include "gui/hover_pointer.h"
#include "gui/list_column.h"
#include "gui/list_events.h"
#include "gui/output_folder.h"
#include "gui/program_folder.h"
#include "gui/window_geometry.h"
#include "job/option_table.h"
#include "textio/paths.h"
#include "textio/text_writer.h"

namespace brimwell {

namespace {

constexpr const char* kListColumn = " VCF Files";
constexpr int kListColumnTwips = 7100;
constexpr int kTwipsPerPixel = 15;
constexpr QSize kFirstStartSize(1000, 620);

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

MainWindow::MainWindow(SettingsStore& settings, DialogProvider& dialogs,
                       const QString& programFolder, QWidget* parent)
    : QWidget(parent),
      m_settings(settings),
      m_resourceFolder(resourceFolder(programFolder)),
      m_controls(buildForm(*this)),
      m_window(*this, m_controls, dialogs, settings),
      m_options(m_window, settings, desktopFolder().toStdString()),
      m_fileList(m_window, settings,
                 [this] { LoadSampleFiles(m_window, m_settings, m_resourceFolder.toStdString()); }),
      m_job(m_window),
      m_geometry(new WindowGeometry(*this, settings))
{
    m_window.setDragCursor(
        loadCursor(m_resourceFolder + QStringLiteral("/drag.ico"), Qt::ClosedHandCursor));
    connectControls();
    qApp->installEventFilter(this);
    Form_Load();
    m_geometry->restore(sizeHint().expandedTo(kFirstStartSize));
}

void MainWindow::Form_Load()
{
    ErrorTrap trap(m_window, "Form1", "Form_Load");
    trap.step(1, [&] { ApplySkin(); });
    trap.step(2, [&] { setWindowTitle(fromView(kProductName)); });
    // The shortened title names the program where there is little room.
    trap.step(3, [&] { setWindowIconText(QString::fromStdString(applicationTitle())); });
    trap.step(4, [&] {
        const QString cursorFile = m_resourceFolder + QStringLiteral("/HAND-M.CUR");
        if (FileExists(cursorFile.toStdString()))
            m_window.setCustomCursor(loadCursor(cursorFile, Qt::PointingHandCursor));
    });
    trap.step(5, [&] {
        if (m_settings.read(kSettingsApplication, kSettingsSection, "Snapshot", "").empty())
            BuildSampleSnapshot(m_window, m_settings, m_resourceFolder.toStdString());
    });
    trap.step(6, [&] {
        m_controls.ListView1->setHeaderLabels({QString::fromLatin1(kListColumn)});
        m_controls.ListView1->header()->resizeSection(0, kListColumnTwips / kTwipsPerPixel);
        new ListColumnFit(*m_controls.ListView1, kListColumnTwips / kTwipsPerPixel);
    });
    trap.step(7, [&] { m_options.restore(); });
}

void MainWindow::ApplySkin()
{
    QFile skin(m_resourceFolder + QStringLiteral("/x/o.cjs"));
    if (!skin.exists())
        return;
    if (!skin.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot open skin file " + skin.fileName().toStdString() + ": " +
                                 skin.errorString().toStdString());
    qApp->setStyleSheet(QString::fromUtf8(skin.readAll()));
}

void MainWindow::connectControls()
{
    for (const OptionControl& row : optionControls()) {
        const Control control = row.control;
        switch (row.kind) {
        case ControlKind::OptionButton:
            connect(m_controls.choices.at(control), &QAbstractButton::clicked, this,
                    [this, control] { m_options.optionClick(control); });
            break;
        case ControlKind::CheckBox:
            connect(m_controls.choices.at(control), &QAbstractButton::clicked, this,
                    [this, control] { m_options.checkClick(control); });
            break;
        case ControlKind::TextBox:
            connect(m_controls.Text1, &QLineEdit::textChanged, this,
                    [this] { m_options.Text1_Change(); });
            break;
        case ControlKind::ChoiceBox:
            // The user's choice only: restoring the list at start-up writes no key.
            connect(m_controls.lists.at(control), &QComboBox::textActivated, this,
                    [this, control] { m_options.choiceChange(control); });
            break;
        }
    }
    const auto onClick = [this](QPushButton* button, auto handler) {
        connect(button, &QPushButton::clicked, this, handler);
    };
    onClick(m_controls.PushButton1, [this] { m_fileList.PushButton1_Click(); });
    onClick(m_controls.PushButton2, [this] { startConverting(); });
    onClick(m_controls.PushButton3, [this] { m_options.PushButton3_Click(); });
    onClick(m_controls.PushButton4, [this] { m_fileList.PushButton4_Click(); });
    onClick(m_controls.PushButton6, [this] { m_fileList.PushButton6_Click(); });
    onClick(m_controls.PushButton7, [this] { m_fileList.PushButton7_Click(); });
    onClick(m_controls.PushButton9, [this] { m_fileList.PushButton9_Click(); });
    onClick(m_controls.openOutputFolder,
            [this] { m_window.shellOpen(m_outputFolder.toStdString()); });
    // The count label is the receiver: the list empties itself when the window goes.
    QAbstractItemModel* items = m_controls.ListView1->model();
    const auto showFileCount = [items, label = m_controls.fileCount] {
        label->setText(fileCountText(items->rowCount()));
    };
    connect(items, &QAbstractItemModel::rowsInserted, m_controls.fileCount, showFileCount);
    connect(items, &QAbstractItemModel::rowsRemoved, m_controls.fileCount, showFileCount);
    connect(items, &QAbstractItemModel::modelReset, m_controls.fileCount, showFileCount);

    new ListEvents(*m_controls.ListView1, m_fileList);
    const std::vector<QPushButton*> pushButtons = m_controls.pushButtons();
    const std::vector<QWidget*> buttons(pushButtons.begin(), pushButtons.end());
    std::vector<QWidget*> surfaces{this, m_controls.Frame6, m_controls.choices.at(Control::Check9),
                                   m_controls.choices.at(Control::Check10)};
    surfaces.insert(surfaces.end(), m_controls.frames.begin(), m_controls.frames.end());
    new HoverPointer(this, m_fileList, buttons, surfaces);
}

void MainWindow::startConverting()
{
    // A press during a run comes back here at once, ignored, and leaves the button alone.
    if (m_job.JobRunning()) {
        m_job.PushButton2_Click();
        return;
    }
    m_controls.openOutputFolder->hide();
    const QDateTime started = QDateTime::currentDateTime();
    m_job.PushButton2_Click();
    if (m_job.lastOutcome() != RunOutcome::Done)
        return;
    m_outputFolder = outputFolderOfRun(m_window, m_window.lastSavedFile(), started);
    m_controls.openOutputFolder->setToolTip(m_outputFolder + QLatin1Char('\n') +
                                            m_controls.openOutputFolder->accessibleDescription());
    m_controls.openOutputFolder->setVisible(!m_outputFolder.isEmpty());
}

void MainWindow::addPaths(const QStringList& paths)
{
    std::vector<std::string> absolute;
    for (const QString& path : paths)
        absolute.push_back(QFileInfo(path).absoluteFilePath().toStdString());
    m_fileList.dropPaths(absolute);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The theme's palette(...) colours are read when the sheet is applied and kept in the
    // widgets' own palettes, so the sheet is taken off and applied again over the new one.
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange && !m_restyling &&
        !qApp->styleSheet().isEmpty()) {
        m_restyling = true;
        const QString sheet = qApp->styleSheet();
        qApp->setStyleSheet(QString());
        qApp->setStyleSheet(sheet);
        m_restyling = false;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    m_geometry->flush();
    // A run lives in the call stack below this event and would go on unseen: closing the
    // window ends the program at once, keeping the lines the run has written so far.
    if (m_job.JobRunning())
        EndProgramKeepingWrites(EXIT_SUCCESS);
    QWidget::closeEvent(event);
}

}  // namespace brimwell
