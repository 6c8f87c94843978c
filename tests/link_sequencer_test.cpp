#include <gtest/gtest.h>

#include <string>

#include "TransferSequencer.h"
#include "support/Fakes.h"
#include "support/LinkFakes.h"
#include "support/LinkRig.h"

namespace mz3 {
namespace {

// A request as "R m@s" (block read), "N i" (name), "H i" (hint name), "S xx" (system read),
// "W m@s+n" (write block).
std::string describe(const std::vector<uint8_t>& f) {
    const int code = f[4] * 256 + f[5];
    char buf[48];
    if (code == CodeReadBlock) {
        std::snprintf(buf, sizeof buf, "R %d@%d", f[6], f[7]);
    } else if (code == CodeModeName) {
        std::snprintf(buf, sizeof buf, "N %d", f[6]);
    } else if (code == CodeHintName) {
        std::snprintf(buf, sizeof buf, "H %d", f[6]);
    } else if (code == CodeWriteBlock) {
        std::snprintf(buf, sizeof buf, "W %d@%d+%d", f[6], f[7], (f[2] - 6) / 2);
    } else {
        std::snprintf(buf, sizeof buf, "S %02X", f[5]);
    }
    return buf;
}

class SequencerTest : public test::LinkFixture {
protected:
    void use(LinkTransport t) { link.linkTransport = t; }

    // Answers every request with the given reply kind until the transfer completes.
    std::vector<std::string> run(int pos, int total, int mode, int replyState = 2,
                                 int maxTicks = 2000) {
        seq.start(pos, total, mode, true);
        for (int t = 0; t < maxTicks && actions.empty(); ++t) {
            link.flags.StepState = replyState;  // the box answered the last request
            seq.Timer2Timer();
        }
        std::vector<std::string> out;
        for (const auto& f : transport.frames) {
            out.push_back(describe(f));
        }
        return out;
    }

    static std::vector<std::string> loadNames(char kind, bool firstTwice) {
        std::vector<std::string> v;
        if (firstTwice) {
            v.push_back(std::string(1, kind) + " 0");
        }
        for (int i = 0; i < 16; ++i) {
            v.push_back(std::string(1, kind) + " " + std::to_string(i));
        }
        return v;
    }

    static std::vector<std::string> expectedLoad(bool usb) {
        std::vector<std::string> v;
        for (int m = 0; m <= 25; ++m) {
            const int blocks = usb ? (SlotCount[size_t(m)] - 1) / 25 + 1 : 1;
            for (int b = 0; b < blocks; ++b) {
                v.push_back("R " + std::to_string(m) + "@" + std::to_string(b * 25));
                if (usb && m == 0 && b == 0) {
                    v.push_back("R 0@0");  // the first request is not counted
                }
            }
        }
        for (const auto& s : loadNames('N', false))
            v.push_back(s);
        for (const char* s : {"S 01", "S 02", "S 03", "S 04", "S 05", "S 15"})
            v.push_back(s);
        for (const auto& s : loadNames('H', true))
            v.push_back(s);
        for (const char* s : {"S 21", "S 22", "S 14", "S 18"})
            v.push_back(s);
        return v;
    }

    TransferSequencer seq{link, store, timers, view, [this](int a) { actions.push_back(a); }};
};

TEST_F(SequencerTest, UsbBlockCounts) {
    EXPECT_EQ(seq.UsbBlockCount[0], 3);   // 95 slots
    EXPECT_EQ(seq.UsbBlockCount[1], 2);   // 75 slots: exactly three full blocks
    EXPECT_EQ(seq.UsbBlockCount[3], 4);   // 115 slots
    EXPECT_EQ(seq.UsbBlockCount[22], 1);  // 26 slots: 25 and 1
    EXPECT_EQ(seq.UsbBlockCount[27], 0);
    EXPECT_EQ(seq.UsbBlockCount[46], 0);
}

TEST_F(SequencerTest, FullLoadOverTcp) {
    use(TransportTcp);
    EXPECT_EQ(run(0, 41, 0), expectedLoad(false));
    EXPECT_EQ(actions, std::vector<int>{1});
    EXPECT_FALSE(timers.isActive(LinkTimer::Sequencer));
}

TEST_F(SequencerTest, FullLoadOverUsb) {
    use(TransportUsb);
    EXPECT_EQ(run(0, 41, 0), expectedLoad(true));
    EXPECT_EQ(actions, std::vector<int>{1});
}

TEST_F(SequencerTest, NameRepliesLandInTheirEntries) {
    use(TransportSerial);
    seq.start(0, 41, 0, true);
    for (int t = 0; t < 500 && actions.empty(); ++t) {
        const auto& last = transport.frames.back();
        const int code = last[4] * 256 + last[5];
        if (code == CodeModeName || code == CodeHintName) {
            const std::string name =
                std::string(code == CodeModeName ? "M" : "H") + std::to_string(last[6]);
            const std::vector<uint8_t> bytes(name.begin(), name.end());
            link.ReceivePacket(TransportSerial, buildPacketFrame(WriteMode, code, bytes));
        }
        link.flags.StepState = 2;
        seq.Timer2Timer();
    }
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(link.ModeNames[size_t(i)], "M" + std::to_string(i));
        EXPECT_EQ(link.ModeNames[size_t(26 + i)], "H" + std::to_string(i));
    }
    EXPECT_EQ(link.ModeNames[25], "H0");
}

TEST_F(SequencerTest, DamagedReplyRepeatsTheSameRequest) {
    use(TransportTcp);
    seq.start(3, 41, 0, true);
    link.flags.StepState = 2;
    link.flags.StepLost = true;
    seq.Timer2Timer();
    EXPECT_EQ(describe(transport.frames.back()), "R 3@0");
    EXPECT_EQ(seq.StepPos, 3);

    // On USB the same block is asked again.
    use(TransportUsb);
    transport.frames.clear();
    seq.start(3, 41, 0, true);
    for (int i = 0; i < 3; ++i) {
        link.flags.StepState = 2;
        seq.Timer2Timer();
    }
    EXPECT_EQ(describe(transport.frames.back()), "R 3@50");
    link.flags.StepState = 2;
    link.flags.StepLost = true;
    seq.Timer2Timer();
    EXPECT_EQ(describe(transport.frames.back()), "R 3@50");

    // In a name step the same index is asked again.
    use(TransportTcp);
    transport.frames.clear();
    seq.start(30, 41, 0, true);
    link.nameCounter = 1;
    link.TxData()[0] = 0;
    for (int i = 0; i < 4; ++i) {
        link.flags.StepState = 2;
        seq.Timer2Timer();
    }
    EXPECT_EQ(describe(transport.frames.back()), "N 4");
    link.flags.StepState = 2;
    link.flags.StepLost = true;
    seq.Timer2Timer();
    EXPECT_EQ(describe(transport.frames.back()), "N 4");
    link.flags.StepState = 2;
    seq.Timer2Timer();
    EXPECT_EQ(describe(transport.frames.back()), "N 5");
}

TEST_F(SequencerTest, FullDownloadOverSerialEndsWithReadOfModule25) {
    use(TransportSerial);
    store.setDeviceValue(3, 114, 0x0102);
    const auto requests = run(0, 29, 1, 1);
    ASSERT_EQ(requests.size(), 27u);
    for (int m = 0; m <= 25; ++m) {
        EXPECT_EQ(requests[size_t(m)],
                  "W " + std::to_string(m) + "@0+" + std::to_string(SlotCount[size_t(m)]));
    }
    EXPECT_EQ(requests.back(), "R 25@0");
    EXPECT_EQ(actions, std::vector<int>{1});
    // Module 3's block: 232 data bytes, the last value low byte first.
    const auto& block3 = transport.frames[3];
    EXPECT_EQ(block3[2], 232 + 4);
    EXPECT_EQ(block3[6 + 2 + 2 * 114], 0x02);
    EXPECT_EQ(block3[6 + 3 + 2 * 114], 0x01);
}

TEST_F(SequencerTest, HintDownloadOverUsbSendsNothingAfterModule24) {
    use(TransportUsb);
    const auto requests = run(22, 25, 1, 1);
    EXPECT_EQ(requests,
              (std::vector<std::string>{"W 22@0+25", "W 22@0+25", "W 22@25+1", "W 23@0+25",
                                        "W 23@25+1", "W 24@0+25", "W 24@25+1"}));
    EXPECT_EQ(actions, std::vector<int>{1});
}

TEST_F(SequencerTest, HintReloadReadsModules22To24) {
    use(TransportTcp);
    EXPECT_EQ(run(22, 25, 0), (std::vector<std::string>{"R 22@0", "R 23@0", "R 24@0"}));
}

TEST_F(SequencerTest, WaitsRetriesAndGivesUp) {
    use(TransportTcp);
    seq.start(5, 41, 0, true);
    link.flags.StepState = 3;
    int ticks = 0;
    std::vector<int> resends;
    while (actions.empty() && ticks < 1000) {
        const size_t before = transport.frames.size();
        seq.Timer2Timer();
        ++ticks;
        if (transport.frames.size() > before) {
            resends.push_back(ticks);
        }
    }
    EXPECT_EQ(resends, std::vector<int>{11 + 21});
    EXPECT_EQ(ticks, 11 + 21 + 100);
    EXPECT_EQ(actions, std::vector<int>{9});

    // USB sends nothing again.
    use(TransportUsb);
    actions.clear();
    transport.frames.clear();
    seq.start(5, 41, 0, true);
    link.flags.StepState = 3;
    for (int t = 0; t < 200; ++t) {
        seq.Timer2Timer();
    }
    EXPECT_EQ(transport.frames.size(), 1u);
    EXPECT_EQ(actions, std::vector<int>{9});
}

TEST_F(SequencerTest, FirstStepsNeverGiveUpOnSerial) {
    use(TransportSerial);
    seq.start(0, 41, 0, true);
    link.flags.StepState = 3;
    for (int t = 0; t < 1000; ++t) {
        seq.Timer2Timer();
    }
    EXPECT_TRUE(actions.empty());
    EXPECT_EQ(transport.frames.size(), 1u + 1000 / 11);
}

TEST_F(SequencerTest, HandshakeStartWaitsWithoutTimeOut) {
    use(TransportTcp);
    seq.start(0, 41, 0, true);  // StepState 0 until the box first answers
    for (int t = 0; t < 500; ++t) {
        seq.Timer2Timer();
    }
    EXPECT_TRUE(actions.empty());
    EXPECT_EQ(transport.frames.size(), 1u);
}

TEST_F(SequencerTest, ProgressRoundsHalvesToEven) {
    struct Case {
        int pos, total, percent;
    };
    for (const Case& c : {Case{20, 41, 49}, Case{1, 8, 12}, Case{3, 8, 38}, Case{5, 8, 62},
                          Case{41, 41, 100}, Case{0, 29, 0}}) {
        seq.StepPos = c.pos;
        seq.StepTotal = c.total;
        EXPECT_EQ(seq.progressPercent(), c.percent) << c.pos << "/" << c.total;
    }
}

}  // namespace
}  // namespace mz3
