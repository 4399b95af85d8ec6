#pragma once

#include <map>
#include <vector>

#include <QProgressBar>
#include <QString>

#include "base/window.h"

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace brimwell {

/// A progress bar that shows the program's line of text exactly as given (Qt's own format
/// would read "%p" in a file name as a percentage).
class ProgressBar : public QProgressBar {
public:
    using QProgressBar::QProgressBar;
    void setLine(const QString& line);
    QString text() const override { return m_line; }

private:
    QString m_line;
};

/// The main window's controls, each named (objectName) as the program names it. The
/// widgets belong to the form they were built on.
struct FormControls {
    QTreeWidget* ListView1 = nullptr;
    QPushButton* PushButton1 = nullptr;  ///< "Add VCF File(s)"
    QPushButton* PushButton2 = nullptr;  ///< "Start Converting"
    QPushButton* PushButton3 = nullptr;  ///< "?" of the filter frame
    QPushButton* PushButton4 = nullptr;  ///< "Add All VCF File(s) In Folder"
    QPushButton* PushButton6 = nullptr;  ///< "Clear List"
    QPushButton* PushButton7 = nullptr;  ///< "Load Sample/Example Files"
    QPushButton* PushButton9 = nullptr;  ///< "..." beside the folder box
    /// "Open Output Folder", shown after a run that wrote CSV files.
    QPushButton* openOutputFolder = nullptr;
    QLabel* fileCount = nullptr;  ///< how many files the list holds
    QLineEdit* Text1 = nullptr;
    QFrame* Frame6 = nullptr;  ///< the caption-less frame around Text1 and "..."
    ProgressBar* ProgressBar1 = nullptr;
    /// The option buttons and check boxes.
    std::map<Control, QAbstractButton*> choices;
    /// The drop-down lists: the encoding and the fallback code page (Combo1, Combo2).
    std::map<Control, QComboBox*> lists;
    QGroupBox* Frame8 = nullptr;  ///< the frame of the two lists
    /// The exclusive group of each option button's frame.
    std::map<Control, QButtonGroup*> groups;
    /// The captioned frames, Frame1 to Frame5, Frame7 and Frame8.
    std::vector<QGroupBox*> frames;

    std::vector<QPushButton*> pushButtons() const;
};

/// Builds every control on `form` and lays them out: the file list, its file count and
/// buttons and the progress bar on the left; the option frames on the right, scrolling
/// when the window is short, and "Start Converting" below them. The tab order follows the
/// layout, and each push button has a keyboard shortcut (shown in its tooltip).
FormControls buildForm(QWidget& form);

/// The text beside the list for `count` files: "No files", "1 file", "7 files".
QString fileCountText(int count);

}  // namespace brimwell
