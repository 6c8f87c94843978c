// Command-line options of the panel.
#pragma once

#include <QString>
#include <QStringList>

namespace mz3 {

struct PanelOptions {
    QString host;             // prefills IPstrEdit
    QString port;             // prefills IPPortStrEdit
    QStringList serialPorts;  // added to the serial port list, searched first
    bool trace = false;       // log every report and echo the log to standard error
    QString screenshotDir;    // save a picture of every page and panel there, then quit
    bool showHelp = false;
    bool showVersion = false;
    QString error;  // non-empty when the command line was not understood
};

// Parses the arguments (argv[0] included). Help and version requests are flagged, not printed.
PanelOptions parsePanelOptions(const QStringList& arguments);

// The --help text; presetFolder is the folder the preset files are kept in.
QString panelHelpText(const QString& presetFolder);

}  // namespace mz3
