// A probe that plays the PC over TCP against the mz3-boxsim program. Its frames and its
// expectations are written from the protocol description alone; it does not use the panel's
// own frame code.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTcpSocket>
#include <QTest>
#include <map>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Slots per module 0..30 as the protocol defines them.
const int kSlots[31] = {95, 75, 31, 115, 115, 49, 49, 46, 71, 71, 71, 71, 71, 71, 71, 71,
                        71, 71, 71, 71,  32,  43, 26, 26, 26, 11, 18, 0,  0,  0,  35};

Bytes pcFrame(uint8_t mode, uint8_t module, uint8_t slot, const Bytes& data) {
    Bytes f = {0xF5, 0xC0, uint8_t(data.size() + 4), mode, module, slot};
    f.insert(f.end(), data.begin(), data.end());
    unsigned sum = 0xF5;
    for (size_t i = 3; i < f.size(); ++i) {
        sum += f[i];
    }
    f.push_back(uint8_t(sum));
    return f;
}

struct Reply {
    bool shortReply = false;
    uint8_t second = 0;  // of a short reply
    uint8_t module = 0, slot = 0;
    Bytes data;
};

class Probe : public ::testing::Test {
protected:
    void SetUp() override {
        sim.setProgram(QStringLiteral(MZ3_BOXSIM_PATH));
        sim.setArguments({"--port", "0"});
        sim.start();
        ASSERT_TRUE(sim.waitForStarted(5000));
        ASSERT_TRUE(sim.waitForReadyRead(5000));
        const QString first = QString::fromUtf8(sim.readLine()).trimmed();
        ASSERT_TRUE(first.startsWith("tcp 127.0.0.1:")) << first.toStdString();
        const quint16 port = quint16(first.section(':', 1).toUInt());
        while (!sim.readAll().contains("ready") && sim.waitForReadyRead(2000)) {
        }
        socket.connectToHost("127.0.0.1", port);
        ASSERT_TRUE(socket.waitForConnected(5000));
    }
    void TearDown() override {
        socket.abort();
        sim.kill();
        sim.waitForFinished(3000);
    }

    // Sends one frame and reads exactly one reply unit.
    Reply ask(const Bytes& frame) {
        socket.write(reinterpret_cast<const char*>(frame.data()), qint64(frame.size()));
        socket.flush();
        Reply r;
        auto need = [&](int n) {
            while (buffer.size() < size_t(n)) {
                if (!socket.waitForReadyRead(3000)) {
                    return false;
                }
                const QByteArray more = socket.readAll();
                buffer.insert(buffer.end(), more.begin(), more.end());
            }
            return true;
        };
        if (!need(2)) {
            ADD_FAILURE() << "no reply";
            return r;
        }
        if (buffer[0] == 0xEE) {
            r.shortReply = true;
            r.second = buffer[1];
            buffer.erase(buffer.begin(), buffer.begin() + 2);
            return r;
        }
        EXPECT_EQ(buffer[0], 0xF5);
        EXPECT_EQ(buffer[1], 0xC0);
        if (!need(3) || !need(buffer[2] + 3)) {
            ADD_FAILURE() << "short frame";
            return r;
        }
        const size_t total = buffer[2] + 3u;
        unsigned sum = buffer[0];
        for (size_t i = 3; i + 1 < total; ++i) {
            sum += buffer[i];
        }
        EXPECT_EQ(uint8_t(sum), buffer[total - 1]) << "checksum";
        EXPECT_TRUE(buffer[3] == 0xB7 || buffer[3] == 0xB0);
        r.module = buffer[4];
        r.slot = buffer[5];
        r.data.assign(buffer.begin() + 6, buffer.begin() + long(total) - 1);
        buffer.erase(buffer.begin(), buffer.begin() + long(total));
        return r;
    }

    static bool isAck(const Reply& r) {
        return r.shortReply && (r.second == 0xBB || r.second == 0xAA || r.second == 0xCC);
    }

    std::vector<std::string> control(const std::string& line, const std::string& last) {
        sim.write(QByteArray::fromStdString(line + "\n"));
        std::vector<std::string> lines;
        while (true) {
            while (!sim.canReadLine()) {
                if (!sim.waitForReadyRead(3000)) {
                    ADD_FAILURE() << "control timed out: " << line;
                    return lines;
                }
            }
            const std::string l = sim.readLine().trimmed().toStdString();
            if (l == last) {
                return lines;
            }
            lines.push_back(l);
        }
    }

    std::map<std::pair<int, int>, int> dump() {
        std::map<std::pair<int, int>, int> image;
        for (const std::string& l : control("dump", "end")) {
            int m, s, v;
            if (std::sscanf(l.c_str(), "%d %d %d", &m, &s, &v) == 3) {
                image[{m, s}] = v;
            }
        }
        return image;
    }

    static int word(const Bytes& d, size_t i) { return d[i] | (d[i + 1] << 8); }

    QProcess sim;
    QTcpSocket socket;
    Bytes buffer;
};

TEST_F(Probe, IdentityAndEcho) {
    const Reply id = ask(pcFrame(0xB0, 0x1E, 0x16, {0, 0}));
    ASSERT_EQ(id.module, 0x1E);
    ASSERT_EQ(id.slot, 0x16);
    ASSERT_GE(id.data.size(), 7u);
    EXPECT_EQ(std::string(id.data.begin(), id.data.begin() + 7), "DRK-MZ3");
    EXPECT_TRUE(isAck(ask(pcFrame(0xB7, 0x1E, 0x17, id.data))));
}

TEST_F(Probe, EveryModuleReadsBackWithItsLengthAndValues) {
    const auto image = dump();
    for (int m = 0; m <= 25; ++m) {
        const Reply r = ask(pcFrame(0xB0, 0x1E, 0x10, {uint8_t(m), 0}));
        ASSERT_EQ(r.module, m);
        ASSERT_EQ(r.slot, 0);
        ASSERT_EQ(r.data.size(), size_t(2 * kSlots[m])) << "module " << m;
        for (int s = 0; s < kSlots[m]; ++s) {
            EXPECT_EQ(word(r.data, size_t(2 * s)), image.at({m, s})) << m << " " << s;
        }
    }
    const Reply part = ask(pcFrame(0xB0, 0x1E, 0x10, {3, 25}));
    EXPECT_EQ(part.slot, 25);
    EXPECT_EQ(part.data.size(), size_t(2 * 90));
    EXPECT_EQ(word(part.data, 0), image.at({3, 25}));
}

TEST_F(Probe, NamesSystemSlotsAndStatus) {
    const auto names = control("names", "end");
    ASSERT_EQ(names.size(), 32u);
    for (int i = 0; i < 16; ++i) {
        const Reply r = ask(pcFrame(0xB0, 0x1E, 0x00, {uint8_t(i), 0}));
        EXPECT_EQ(r.slot, 0x00);
        EXPECT_LE(r.data.size(), 20u);
        EXPECT_EQ("mode " + std::to_string(i) + " " + std::string(r.data.begin(), r.data.end()),
                  names[size_t(i)]);
        const Reply h = ask(pcFrame(0xB0, 0x1E, 0x20, {uint8_t(i), 0}));
        EXPECT_EQ(h.slot, 0x20);
        EXPECT_EQ("hint " + std::to_string(i) + " " + std::string(h.data.begin(), h.data.end()),
                  names[size_t(16 + i)]);
    }
    const auto image = dump();
    for (int s : {0x01, 0x02, 0x03, 0x04, 0x15, 0x21, 0x22, 0x14, 0x18}) {
        const Reply r = ask(pcFrame(0xB0, 0x1E, uint8_t(s), {}));
        EXPECT_EQ(r.module, 0x1E);
        EXPECT_EQ(r.slot, s);
        ASSERT_EQ(r.data.size(), 2u);
        EXPECT_EQ(word(r.data, 0), image.at({30, s}));
    }
    const Reply pw = ask(pcFrame(0xB0, 0x1E, 0x05, {}));
    EXPECT_EQ(std::string(pw.data.begin(), pw.data.end()), control("password", "ok").at(0));

    Reply status = ask(pcFrame(0xB0, 0x1E, 0x10, {0x30, 0x00}));
    EXPECT_EQ(status.module, 0x30);
    ASSERT_GE(status.data.size(), 11u);
    EXPECT_EQ(status.data[10], image.at({0, 3}));  // frame byte 16
    control("set 0 3 11", "ok");
    // The box announces the turned knob by itself, then answers the poll.
    Reply unsolicited = ask(pcFrame(0xB0, 0x1E, 0x10, {0x30, 0x00}));
    EXPECT_EQ(unsolicited.data[10], 11);
    status = ask({});
    EXPECT_EQ(status.module, 0x30);
    EXPECT_EQ(status.data[10], 11);
}

TEST_F(Probe, WritesBlocksRecallsAndSaves) {
    EXPECT_TRUE(isAck(ask(pcFrame(0xB7, 3, 5, {77, 0}))));
    EXPECT_TRUE(isAck(ask(pcFrame(0xB7, 0x1E, 0x0F, {7, 2, 1, 0, 0x2C, 0x01}))));
    auto image = dump();
    EXPECT_EQ(image.at({3, 5}), 77);
    EXPECT_EQ(image.at({7, 2}), 1);
    EXPECT_EQ(image.at({7, 3}), 300);

    // Save the current settings as mode 5, change them, recall mode 5.
    Bytes save = {5, 'P', 'r', 'o', 'b', 'e'};
    save.resize(22, ' ');
    EXPECT_TRUE(isAck(ask(pcFrame(0xB7, 0x1E, 0x01, save))));
    const Reply name = ask(pcFrame(0xB0, 0x1E, 0x00, {5, 0}));
    EXPECT_EQ(std::string(name.data.begin(), name.data.end()), "Probe");
    EXPECT_TRUE(isAck(ask(pcFrame(0xB7, 3, 5, {12, 0}))));
    EXPECT_TRUE(isAck(ask(pcFrame(0xB7, 0x1E, 0x02, {5, 0}))));
    EXPECT_EQ(dump().at({3, 5}), 77);

    // Hint modes: save, change module 22, recall.
    EXPECT_TRUE(isAck(ask(pcFrame(0xB7, 22, 3, {150, 0}))));
    EXPECT_TRUE(isAck(ask(pcFrame(0xB7, 0x1E, 0x21, {2, 'H', 'x'}))));
    EXPECT_TRUE(isAck(ask(pcFrame(0xB7, 22, 3, {100, 0}))));
    EXPECT_TRUE(isAck(ask(pcFrame(0xB7, 0x1E, 0x22, {2, 0}))));
    EXPECT_EQ(dump().at({22, 3}), 150);
    const Reply hint = ask(pcFrame(0xB0, 0x1E, 0x20, {2, 0}));
    EXPECT_EQ(std::string(hint.data.begin(), hint.data.end()), "Hx");

    // Password and the lock switch.
    EXPECT_TRUE(isAck(ask(pcFrame(0xB7, 0x1E, 0x05, {'4', '3', '2', '1'}))));
    EXPECT_EQ(control("password", "ok").at(0), "4321");
    EXPECT_TRUE(isAck(ask(pcFrame(0xB7, 0x1E, 0x04, {1, 0}))));
    EXPECT_EQ(dump().at({30, 4}), 1);

    // The disconnect notice is accepted and the box keeps answering.
    ask(pcFrame(0xB7, 0x1E, 0x30, {0xAA, 0x00}));
    EXPECT_TRUE(isAck(ask(pcFrame(0xB7, 3, 5, {1, 0}))));
    EXPECT_FALSE(control("frames", "end").empty());
}

}  // namespace
