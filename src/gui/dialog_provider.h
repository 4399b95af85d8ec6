#pragma once

#include <string_view>

#include <QString>
#include <QStringList>

#include "base/window.h"

class QWidget;

namespace brimwell {

/// Every dialog, message box and request to the desktop that the window makes goes
/// through here, so that a test can answer them instead of a person.
class DialogProvider {
public:
    virtual ~DialogProvider() = default;

    virtual MessageAnswer messageBox(QWidget* parent, const QString& text, MessageButtons buttons,
                                     MessageIcon icon, const QString& caption) = 0;
    /// The empty string when cancelled.
    virtual QString inputBox(QWidget* parent, const QString& prompt, const QString& caption,
                             const QString& preset) = 0;
    /// `filter` in Qt's form, "vCard VCF Files (*.vcf)"; no paths when cancelled.
    virtual QStringList openFiles(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& startFolder) = 0;
    /// `suffix`: added (after a '.') to a typed name that has none, as "csv".
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& initialFolder, const QString& suffix) = 0;
    virtual QString folder(QWidget* parent, const QString& title, const QString& startFolder) = 0;
    /// Opens a folder or document with the desktop's default application; false when
    /// the desktop has none for it.
    virtual bool openWithDesktop(const QString& path) = 0;
};

/// Qt's own dialogs and the desktop's default applications.
class QtDialogs : public DialogProvider {
public:
    MessageAnswer messageBox(QWidget* parent, const QString& text, MessageButtons buttons,
                             MessageIcon icon, const QString& caption) override;
    QString inputBox(QWidget* parent, const QString& prompt, const QString& caption,
                     const QString& preset) override;
    QStringList openFiles(QWidget* parent, const QString& title, const QString& filter,
                          const QString& startFolder) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& initialFolder, const QString& suffix) override;
    QString folder(QWidget* parent, const QString& title, const QString& startFolder) override;
    /// Where the desktop is opened through `xdg-open`, its exit status tells whether a
    /// program was found for the path (it is waited for a moment only).
    bool openWithDesktop(const QString& path) override;
};

/// A file filter written as "Name (*.vcf)|*.vcf|" (name and pattern pairs, patterns joined
/// by ';') in Qt's form "Name (*.vcf)"; several pairs are joined by ";;".
QString qtFileFilter(std::string_view filter);

/// The suffix of the first pattern of a filter in the window's form, "csv" for
/// "CSV Files (*.csv)|*.csv"; empty when that pattern names no single suffix.
QString filterSuffix(std::string_view filter);

/// `path` with "." and `suffix` added when its file name has no '.' (as a typed "all"
/// becomes "all.csv"); a name with any extension of its own is kept as it is.
QString withDefaultSuffix(const QString& path, const QString& suffix);

/// Message text with its CR LF and lone CR line breaks made into line feeds.
QString displayText(const std::string& text);

}  // namespace brimwell
