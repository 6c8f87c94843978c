// Qt side of the simulator: a box that serves one PC connection at a time over TCP, a
// pseudo-terminal, or in-process byte pipes, sending its replies with the shaped timing.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "BoxSession.h"
#include "ControlCommands.h"

class QTcpServer;
class QTcpSocket;
class QSocketNotifier;

namespace mz3::boxsim {

// Owns the model and the active session; endpoints attach to it.
class BoxSimulator : public QObject {
    Q_OBJECT
public:
    BoxSimulator();

    BoxModel& model() { return m_model; }
    FaultConfig& faults() { return m_faults; }
    ControlCommands& control() { return m_control; }
    BoxSession* session() { return m_session.get(); }

    // A new connection replaces the previous one: the box has one PC at a time.
    BoxSession& openSession(bool usb, std::function<void(const Bytes&)> send);
    void closeSession();

    // Bytes from the PC on the active connection.
    void receive(std::span<const uint8_t> bytes);
    // Sends an unsolicited status frame to the connected PC.
    void sendStatus();
    // Sends a status frame with the pitch turned every intervalMs (0 stops).
    void setPitchTurning(int intervalMs);

    int64_t elapsedMs() const { return m_clock.elapsed(); }
    // Called with "identified", "online" (first status poll) and "disconnected" as the PC
    // reaches them on the current connection.
    void setEventHandler(std::function<void(const std::string&)> handler) {
        m_onEvent = std::move(handler);
    }

private:
    void schedule(std::vector<OutChunk> chunks);
    void pump();

    BoxModel m_model;
    FaultConfig m_faults;
    ControlCommands m_control;
    std::unique_ptr<BoxSession> m_session;
    std::function<void(const Bytes&)> m_send;
    std::function<void(const std::string&)> m_onEvent;
    PeerEvents m_announced;
    QElapsedTimer m_clock;
    struct Due {
        int64_t atMs;
        Bytes bytes;
        uint64_t generation;
    };
    std::deque<Due> m_outbox;
    uint64_t m_generation = 0;
    QTimer m_pumpTimer;
    QTimer m_mergeFlush;
    QTimer m_pitchTimer;
};

class TcpEndpoint : public QObject {
    Q_OBJECT
public:
    TcpEndpoint(BoxSimulator& sim, quint16 port);
    bool listening() const;
    quint16 port() const;

private:
    BoxSimulator& m_sim;
    QTcpServer* m_server;
    QTcpSocket* m_client = nullptr;
};

class PtyEndpoint : public QObject {
    Q_OBJECT
public:
    // linkPath: optional symbolic link to create for the slave side.
    PtyEndpoint(BoxSimulator& sim, const QString& linkPath);
    ~PtyEndpoint() override;
    bool ok() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

private:
    void reopenSession();
    BoxSimulator& m_sim;
    int m_master = -1;
    QString m_slavePath;
    QString m_linkPath;
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace mz3::boxsim
