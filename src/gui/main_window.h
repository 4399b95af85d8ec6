#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include "filelist/file_list.h"
#include "gui/form_controls.h"
#include "gui/qt_window.h"
#include "job/conversion_job.h"
#include "job/options_controller.h"

namespace brimwell {

class DialogProvider;
class SettingsStore;
class WindowGeometry;

/// The program's one window, Form1: builds its controls, runs the start-up (Form_Load) and
/// hands every event to the core's handlers. Closing it ends the program.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    /// `programFolder`: the folder holding the program file.
    MainWindow(SettingsStore& settings, DialogProvider& dialogs, const QString& programFolder,
               QWidget* parent = nullptr);

    /// Adds files and folders as a drop on the list does (the files named on the command
    /// line); relative paths are taken from the current folder.
    void addPaths(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;
    /// A new palette from the desktop (a switch between light and dark) redraws the theme.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void ApplySkin();
    void connectControls();
    /// "Start Converting", then the output-folder button when the run wrote CSV files.
    void startConverting();

    SettingsStore& m_settings;
    QString m_resourceFolder;
    FormControls m_controls;
    QtWindow m_window;
    OptionsController m_options;
    FileListController m_fileList;
    ConversionJob m_job;
    WindowGeometry* m_geometry;
    QString m_outputFolder;  ///< where the last run wrote its CSV files
    bool m_restyling = false;
};

}  // namespace brimwell
