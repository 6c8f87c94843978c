#include "BoxEndpoint.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <cerrno>

namespace mz3::boxsim {

BoxSimulator::BoxSimulator()
    : m_control(
          m_model, m_faults, [this] { return m_session.get(); }, [this] { sendStatus(); }) {
    m_clock.start();
    m_pumpTimer.setSingleShot(true);
    connect(&m_pumpTimer, &QTimer::timeout, this, &BoxSimulator::pump);
    m_mergeFlush.setSingleShot(true);
    m_mergeFlush.setInterval(40);
    connect(&m_mergeFlush, &QTimer::timeout, this, [this] {
        if (m_session) {
            schedule(m_session->flush());
        }
    });
    connect(&m_pitchTimer, &QTimer::timeout, this, [this] {
        // Someone turns the pitch knob on the box: -7 .. +7 around the middle.
        const uint16_t pitch = m_model.value(ModMusic, 3);
        m_model.setValue(ModMusic, 3, static_cast<uint16_t>(pitch >= 14 ? 0 : pitch + 1));
        sendStatus();
    });
}

BoxSession& BoxSimulator::openSession(bool usb, std::function<void(const Bytes&)> send) {
    closeSession();
    m_session = std::make_unique<BoxSession>(m_model, usb);
    m_announced = PeerEvents{};
    m_session->setFaults(m_faults);
    m_send = std::move(send);
    return *m_session;
}

void BoxSimulator::closeSession() {
    ++m_generation;  // replies still due belong to the old connection
    m_outbox.clear();
    m_session.reset();
    m_send = nullptr;
}

void BoxSimulator::receive(std::span<const uint8_t> bytes) {
    if (!m_session) {
        return;
    }
    std::vector<OutChunk> out = m_session->usb() ? m_session->receiveUsbReport(bytes, elapsedMs())
                                                 : m_session->receiveStream(bytes, elapsedMs());
    schedule(std::move(out));
    const PeerEvents& ev = m_session->responder().events();
    const std::pair<bool PeerEvents::*, const char*> kinds[] = {
        {&PeerEvents::identified, "identified"},
        {&PeerEvents::polledStatus, "online"},
        {&PeerEvents::disconnected, "disconnected"}};
    for (const auto& [flag, name] : kinds) {
        if (ev.*flag && !(m_announced.*flag)) {
            m_announced.*flag = true;
            if (m_onEvent) {
                m_onEvent(name);
            }
        }
    }
    if (m_session->holdingMerged()) {
        m_mergeFlush.start();
    }
}

void BoxSimulator::sendStatus() {
    if (m_session) {
        schedule(m_session->unsolicitedStatus());
    }
}

void BoxSimulator::setPitchTurning(int intervalMs) {
    if (intervalMs > 0) {
        m_pitchTimer.start(intervalMs);
    } else {
        m_pitchTimer.stop();
    }
}

void BoxSimulator::schedule(std::vector<OutChunk> chunks) {
    // Chunks keep their order: each is due its delay after the one before it.
    int64_t at = m_outbox.empty() ? elapsedMs() : std::max(elapsedMs(), m_outbox.back().atMs);
    for (OutChunk& c : chunks) {
        at += c.delayMs;
        m_outbox.push_back({at, std::move(c.bytes), m_generation});
    }
    pump();
}

void BoxSimulator::pump() {
    const int64_t now = elapsedMs();
    while (!m_outbox.empty() && m_outbox.front().atMs <= now) {
        Due d = std::move(m_outbox.front());
        m_outbox.pop_front();
        if (d.generation == m_generation && m_send) {
            m_send(d.bytes);
        }
    }
    if (!m_outbox.empty()) {
        m_pumpTimer.start(int(std::max<int64_t>(0, m_outbox.front().atMs - now)));
    }
}

TcpEndpoint::TcpEndpoint(BoxSimulator& sim, quint16 port)
    : m_sim(sim), m_server(new QTcpServer(this)) {
    // Loopback only: the simulator never listens on another address.
    m_server->listen(QHostAddress::LocalHost, port);
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            if (m_client != nullptr) {
                m_client->disconnect(this);
                m_client->abort();
                m_client->deleteLater();
            }
            m_client = socket;
            m_sim.openSession(false, [socket](const Bytes& b) {
                socket->write(reinterpret_cast<const char*>(b.data()), qint64(b.size()));
            });
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                const QByteArray data = socket->readAll();
                if (socket == m_client) {
                    m_sim.receive(std::span<const uint8_t>(
                        reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size())));
                }
            });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                if (socket == m_client) {
                    m_sim.closeSession();
                    m_client = nullptr;
                }
                socket->deleteLater();
            });
        }
    });
}

bool TcpEndpoint::listening() const {
    return m_server->isListening();
}

quint16 TcpEndpoint::port() const {
    return m_server->serverPort();
}

PtyEndpoint::PtyEndpoint(BoxSimulator& sim, const QString& linkPath)
    : m_sim(sim), m_linkPath(linkPath) {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        if (m_master >= 0) {
            ::close(m_master);
        }
        m_master = -1;
        return;
    }
    m_slavePath = QString::fromLocal8Bit(::ptsname(m_master));
    // Raw bytes both ways on the line.
    termios tio{};
    if (::tcgetattr(m_master, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(m_master, TCSANOW, &tio);
    }
    if (!m_linkPath.isEmpty()) {
        QFile::remove(m_linkPath);
        QFile::link(m_slavePath, m_linkPath);
    }
    reopenSession();
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        uint8_t buf[512];
        for (;;) {
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n > 0) {
                m_sim.receive(std::span<const uint8_t>(buf, size_t(n)));
                continue;
            }
            if (n < 0 && errno == EIO) {
                // No process holds the slave side open: wait for the next one quietly.
                m_notifier->setEnabled(false);
                QTimer::singleShot(100, this, [this] { m_notifier->setEnabled(true); });
            }
            break;
        }
    });
}

PtyEndpoint::~PtyEndpoint() {
    if (!m_linkPath.isEmpty()) {
        QFile::remove(m_linkPath);
    }
    if (m_master >= 0) {
        ::close(m_master);
    }
}

void PtyEndpoint::reopenSession() {
    const int fd = m_master;
    m_sim.openSession(false, [fd](const Bytes& b) {
        size_t done = 0;
        while (done < b.size()) {
            const ssize_t n = ::write(fd, b.data() + done, b.size() - done);
            if (n <= 0) {
                break;
            }
            done += size_t(n);
        }
    });
}

}  // namespace mz3::boxsim
