// Program entry of the panel.
#include <QApplication>
#include <QLocale>
#include <cstdio>

#include <QTimer>
#include "PagePictures.h"
#include "PanelApp.h"
#include "TForm1.h"
#include "Theme.h"
#include "core/Startup.h"

int main(int argc, char* argv[]) {
    using namespace mz3;
    QStringList args;
    for (int i = 0; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    const PanelOptions options = parsePanelOptions(args);
    const std::filesystem::path programDir = programFolder();
    const std::filesystem::path presetBase = choosePresetBase(programDir, defaultUserDataFolder());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "mz3-panel: %s\nTry 'mz3-panel --help'.\n", qPrintable(options.error));
        return 2;
    }
    if (options.showHelp) {
        const QString folder = QString::fromStdString((presetBase / "Mode").string());
        std::fputs(qPrintable(panelHelpText(folder)), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::printf("mz3-panel %s\n", MZ3_VERSION);
        return 0;
    }

    // Number texts use "." everywhere, whatever the system locale.
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    QApplication::setApplicationName("mz3-panel");
    // The application title, set before any window exists.
    QApplication::setApplicationDisplayName(QString::fromUtf8(kApplicationTitle));
    app.setStyleSheet(panelStyleSheet());

    PanelApp panel(options, PanelEnvironment{programDir, presetBase, nullptr});
    panel.form1()->show();
    if (!options.screenshotDir.isEmpty()) {
        QTimer::singleShot(500, [&] {
            savePagePictures(panel, options.screenshotDir);
            QCoreApplication::quit();
        });
        return app.exec();
    }
    panel.startDeviceWatch();
    return app.exec();
}
