#include <cstdio>

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "gui/color_scheme.h"
#include "gui/dialog_provider.h"
#include "gui/main_window.h"
#include "gui/qt_settings_store.h"

namespace {

/// How long the window is given to settle before it takes its own picture.
constexpr int kScreenshotDelayMs = 700;

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(BRIMWELL_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Converts vCard files into CSV files."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the window to <file> after start-up, then quit."),
        QStringLiteral("file"));
    parser.addOption(screenshot);
    const QCommandLineOption colorScheme(
        QStringLiteral("color-scheme"),
        QStringLiteral("Draw the window in the <scheme> colours, light or dark, instead of the "
                       "desktop's."),
        QStringLiteral("scheme"));
    parser.addOption(colorScheme);
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("vCard files or folders to put into the list."),
                                 QStringLiteral("[files...]"));
    parser.process(app);
    if (parser.isSet(colorScheme)) {
        const std::optional<QPalette> palette = brimwell::schemePalette(parser.value(colorScheme));
        if (!palette) {
            std::fprintf(stderr, "brimwell: the colour scheme is light or dark, not %s\n",
                         qPrintable(parser.value(colorScheme)));
            return 2;
        }
        QApplication::setPalette(*palette);
    }

    brimwell::QtSettingsStore settings;
    brimwell::QtDialogs dialogs;
    brimwell::MainWindow window(settings, dialogs, QCoreApplication::applicationDirPath());
    window.addPaths(parser.positionalArguments());
    window.show();

    if (parser.isSet(screenshot)) {
        QTimer::singleShot(kScreenshotDelayMs, &window, [&] {
            const bool saved = window.grab().save(parser.value(screenshot));
            QCoreApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
