// mz3-boxsim: a simulated MZ3 box for demonstrations, training and tests.
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <cstdio>
#include <iostream>

#include "BoxEndpoint.h"

using namespace mz3::boxsim;

namespace {

void print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

const char* kDescription =
    "Simulated MZ3 karaoke DSP box. It keeps a full parameter image, 16 device modes and 16\n"
    "hint modes, and answers the panel's frames over TCP on 127.0.0.1 and/or a\n"
    "pseudo-terminal. One PC connection is served at a time.\n\n"
    "On start it prints 'tcp 127.0.0.1:PORT' and/or 'pty PATH', then 'ready'; later\n"
    "'event identified', 'event online' (the panel's first status poll) and\n"
    "'event disconnected' as the connected panel reaches them.\n"
    "Control commands are read from standard input (one per line) and, with\n"
    "--control-socket, from a local socket.\n\n";

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("mz3-boxsim");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QString::fromStdString(std::string(kDescription) + ControlCommands::helpText()));
    parser.addHelpOption();
    parser.addOptions({
        {"port", "TCP port on 127.0.0.1 (default 8899; 0 picks a free port).", "N", "8899"},
        {"no-tcp", "Do not listen on TCP."},
        {"pty", "Serve a pseudo-terminal (serial line) and print its path."},
        {"pty-link", "Also make a symbolic link to the pseudo-terminal at PATH.", "PATH"},
        {"control-socket", "Accept control commands on a local socket at PATH.", "PATH"},
        {"no-stdin", "Do not read control commands from standard input."},
        {"seed", "Seed of every random fault (default 1).", "N", "1"},
        {"drop-every", "Drop every Nth reply.", "N"},
        {"drop-prob", "Drop each reply with probability P.", "P"},
        {"corrupt-every", "Corrupt the checksum of every Nth reply.", "N"},
        {"corrupt-prob", "Corrupt each reply's checksum with probability P.", "P"},
        {"split", "Cut replies into fragments of 1..N bytes.", "N"},
        {"split-delay", "Pause MS milliseconds between fragments.", "MS"},
        {"merge", "Send each reply glued to the next one."},
        {"delay", "Delay every reply by MS milliseconds.", "MS"},
        {"silent-after", "Stop answering after N frames.", "N"},
        {"silent-after-online", "Stop answering once the panel is online (first status poll)."},
        {"wrong-identity", "Identify as another model."},
        {"pitch-every", "Turn the pitch knob every MS milliseconds (unsolicited status).", "MS"},
    });
    parser.process(app);

    BoxSimulator sim;
    sim.setEventHandler([](const std::string& e) { print("event " + e + "\n"); });
    FaultConfig& f = sim.faults();
    f.seed = parser.value("seed").toUInt();
    f.dropEvery = parser.value("drop-every").toInt();
    f.dropProbability = parser.value("drop-prob").toDouble();
    f.corruptEvery = parser.value("corrupt-every").toInt();
    f.corruptProbability = parser.value("corrupt-prob").toDouble();
    f.splitMax = parser.value("split").toInt();
    f.splitDelayMs = parser.value("split-delay").toInt();
    f.merge = parser.isSet("merge");
    f.delayMs = parser.value("delay").toInt();
    f.silentAfterFrames = parser.isSet("silent-after") ? parser.value("silent-after").toInt() : -1;
    f.silentAfterOnline = parser.isSet("silent-after-online");
    f.wrongIdentity = parser.isSet("wrong-identity");

    std::unique_ptr<TcpEndpoint> tcp;
    std::unique_ptr<PtyEndpoint> pty;
    if (!parser.isSet("no-tcp")) {
        tcp = std::make_unique<TcpEndpoint>(sim, quint16(parser.value("port").toUInt()));
        if (!tcp->listening()) {
            std::fprintf(stderr, "mz3-boxsim: cannot listen on 127.0.0.1:%s\n",
                         qPrintable(parser.value("port")));
            return 1;
        }
        print("tcp 127.0.0.1:" + std::to_string(tcp->port()) + "\n");
    }
    if (parser.isSet("pty") || parser.isSet("pty-link")) {
        pty = std::make_unique<PtyEndpoint>(sim, parser.value("pty-link"));
        if (!pty->ok()) {
            std::fprintf(stderr, "mz3-boxsim: cannot open a pseudo-terminal\n");
            return 1;
        }
        print("pty " + pty->slavePath().toStdString() + "\n");
    }
    if (parser.isSet("pitch-every")) {
        sim.setPitchTurning(parser.value("pitch-every").toInt());
    }

    // Control from standard input.
    std::unique_ptr<QSocketNotifier> stdinNotifier;
    if (!parser.isSet("no-stdin")) {
        stdinNotifier = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(stdinNotifier.get(), &QSocketNotifier::activated, [&] {
            std::string line;
            if (!std::getline(std::cin, line)) {
                stdinNotifier->setEnabled(false);  // end of input: keep serving
                return;
            }
            print(sim.control().execute(line));
        });
    }
    // Control from a local socket.
    std::unique_ptr<QLocalServer> control;
    if (parser.isSet("control-socket")) {
        control = std::make_unique<QLocalServer>();
        QLocalServer::removeServer(parser.value("control-socket"));
        if (!control->listen(parser.value("control-socket"))) {
            std::fprintf(stderr, "mz3-boxsim: cannot open control socket\n");
            return 1;
        }
        QObject::connect(control.get(), &QLocalServer::newConnection, [&] {
            QLocalSocket* s = control->nextPendingConnection();
            QObject::connect(s, &QLocalSocket::readyRead, s, [&sim, s] {
                while (s->canReadLine()) {
                    const std::string line = s->readLine().trimmed().toStdString();
                    s->write(QByteArray::fromStdString(sim.control().execute(line)));
                }
            });
            QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        });
    }
    print("ready\n");
    return app.exec();
}
