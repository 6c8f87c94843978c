#include "PanelOptions.h"

#include <QCommandLineParser>

#include "LinkDefaults.h"

namespace mz3 {

namespace {

void addOptions(QCommandLineParser& parser) {
    parser.addOption({"host", "TCP host of the box; prefills the IP address box.", "ADDR"});
    parser.addOption({"port", "TCP port of the box; prefills the port box.", "N"});
    parser.addOption(
        {"serial", "Adds a serial port (device path) to the search list; repeatable.", "PATH"});
    parser.addOption({"trace", "Logs every frame written and received to standard error."});
    parser.addOption({"screenshot-pages",
                      "Saves a picture of every page and of the two panels in DIR, then quits.",
                      "DIR"});
    parser.addOption({"version", "Prints the version and exits."});
    parser.addOption({{"h", "help"}, "Prints this help and exits."});
}

}  // namespace

PanelOptions parsePanelOptions(const QStringList& arguments) {
    PanelOptions options;
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments)) {
        options.error = parser.errorText();
        return options;
    }
    if (!parser.positionalArguments().isEmpty()) {
        options.error = QStringLiteral("Unexpected argument: %1")
                            .arg(parser.positionalArguments().constFirst());
        return options;
    }
    options.showHelp = parser.isSet("help");
    options.showVersion = parser.isSet("version");
    options.trace = parser.isSet("trace");
    options.screenshotDir = parser.value("screenshot-pages");
    options.host = parser.value("host");
    if (parser.isSet("host") && options.host.trimmed().isEmpty()) {
        options.error = QStringLiteral("--host needs an address");
    }
    if (parser.isSet("port")) {
        bool ok = false;
        const int port = parser.value("port").toInt(&ok);
        if (!ok || port < 1 || port > 65535) {
            options.error = QStringLiteral("--port needs a number from 1 to 65535");
        } else {
            options.port = QString::number(port);
        }
    }
    options.serialPorts = parser.values("serial");
    return options;
}

QString panelHelpText(const QString& presetFolder) {
    return QStringLiteral(
               "Usage: mz3-panel [options]\n"
               "PC control panel of the MZ3 karaoke DSP box.\n\n"
               "Options:\n"
               "  --host ADDR    TCP host of the box; prefills the IP address box "
               "(default %1).\n"
               "  --port N       TCP port of the box; prefills the port box (default %2).\n"
               "  --serial PATH  Adds a serial port to the search list (repeatable), e.g. a\n"
               "                 USB-serial adapter with an unusual name or a pseudo-terminal.\n"
               "  --trace        Logs every frame written and received, and the link's\n"
               "                 diagnostic log, to standard error (field diagnosis).\n"
               "  --screenshot-pages DIR\n"
               "                 Saves a picture of every page and of the system and save\n"
               "                 panels in DIR, then quits (for reviewing the layout).\n"
               "  --version      Prints the version and exits.\n"
               "  -h, --help     Prints this help and exits.\n\n"
               "Preset files and the language file are kept under:\n  %3\n"
               "(the program's folder when it is writable, otherwise the per-user data "
               "folder).\n")
        .arg(QString::fromLatin1(kDefaultBridgeHost))
        .arg(kDefaultTcpPort)
        .arg(presetFolder);
}

}  // namespace mz3
