#include <gtest/gtest.h>

#include "Frame.h"
#include "LinkProtocol.h"
#include "support/Fakes.h"

namespace mz3 {
namespace {

using test::hexBytes;

class LinkProtocolTest : public ::testing::Test {
protected:
    ParameterStore store;
    test::RecordingTransport transport;
    test::RecordingListener listener;
    LinkProtocol link{store, transport, listener};

    std::vector<uint8_t> lastFrame() const {
        return transport.frames.empty() ? std::vector<uint8_t>{} : transport.frames.back();
    }
    // A frame from the box with a correct checksum.
    static std::vector<uint8_t> boxFrame(uint8_t mode, int code, std::vector<uint8_t> data) {
        return buildPacketFrame(mode, code, data);
    }
};

TEST_F(LinkProtocolTest, WorkedExamples) {
    link.PCtoMCUAckSign(SignIdentify);
    EXPECT_EQ(lastFrame(), hexBytes("F5 C0 06 B0 1E 16 00 00 D9"));
    link.PCtoMCUAckSign(SignPoll);
    EXPECT_EQ(lastFrame(), hexBytes("F5 C0 06 B0 1E 10 30 00 03"));
    link.PCtoMCUAckSign(SignDisconnect);
    EXPECT_EQ(lastFrame(), hexBytes("F5 C0 06 B7 1E 30 AA 00 A4"));
    link.SendData(ReadMode, CodeReadBlock, 3 + 25 * 256);
    EXPECT_EQ(lastFrame(), hexBytes("F5 C0 06 B0 1E 10 03 19 EF"));
    link.SendPacktData(ReadMode, 0x1E01, 0);
    EXPECT_EQ(lastFrame(), hexBytes("F5 C0 04 B0 1E 01 C4"));
}

TEST_F(LinkProtocolTest, ValueFramesCarryLowByteFirst) {
    link.SendData(WriteMode, 0x0305, 0x1234);
    EXPECT_EQ(lastFrame(), buildPacketFrame(WriteMode, 0x0305, hexBytes("34 12")));
    link.SendData(WriteMode, 0x0305, -1);
    const auto minusOne = lastFrame();
    EXPECT_EQ(std::vector<uint8_t>(minusOne.begin() + 6, minusOne.begin() + 8), hexBytes("FF 00"));
    // SendData and SendPacktData with two data bytes put the same bytes on the wire.
    link.TxData()[0] = 0x34;
    link.TxData()[1] = 0x12;
    link.SendPacktData(WriteMode, 0x0305, 2);
    EXPECT_EQ(transport.frames[transport.frames.size() - 1],
              transport.frames[transport.frames.size() - 3]);
}

TEST_F(LinkProtocolTest, ChecksumSkipsSecondHeadAndLength) {
    std::vector<uint8_t> frame = hexBytes("F5 C0 06 B0 1E 16 00 00");
    const uint8_t sum = frameChecksum(frame);
    frame[2] = 0x44;
    frame[1] = 0x00;
    EXPECT_EQ(frameChecksum(frame), sum);
}

TEST_F(LinkProtocolTest, OversizedPacketIsNotSent) {
    EXPECT_FALSE(link.SendPacktData(WriteMode, CodeWriteBlock, 252));
    EXPECT_FALSE(link.SendPacktData(WriteMode, CodeWriteBlock, -1));
    EXPECT_TRUE(transport.frames.empty());
    EXPECT_TRUE(link.SendPacktData(WriteMode, CodeWriteBlock, 251));
    EXPECT_EQ(lastFrame().size(), 258u);
}

TEST_F(LinkProtocolTest, SendStrDataLayouts) {
    link.SendStrData(CodeModeName, std::u16string_view(u"\x03\x00", 2));
    EXPECT_EQ(lastFrame(), buildPacketFrame(ReadMode, CodeModeName, hexBytes("03 00")));

    // Mode save: index, then the name padded with spaces to 22 bytes in all.
    link.SendStrData(CodeModeSave, u"\x02Party");
    std::vector<uint8_t> expected = {0x02, 'P', 'a', 'r', 't', 'y'};
    expected.resize(22, 0x20);
    EXPECT_EQ(lastFrame(), buildPacketFrame(WriteMode, CodeModeSave, expected));

    // A lone index gives 0 for the missing second character.
    link.SendStrData(CodeModeSave, u"\x05");
    std::vector<uint8_t> lone = {0x05, 0x00};
    lone.resize(22, 0x20);
    EXPECT_EQ(lastFrame(), buildPacketFrame(WriteMode, CodeModeSave, lone));

    // Other codes: all characters, low 8 bits, nothing added.
    link.SendStrData(CodePanelPassword, u"12\u4e2d4");
    EXPECT_EQ(lastFrame(), buildPacketFrame(WriteMode, CodePanelPassword, {'1', '2', 0x2D, '4'}));
}

TEST_F(LinkProtocolTest, UnknownAckSelectorSendsNothing) {
    link.PCtoMCUAckSign(0x12);
    EXPECT_TRUE(transport.frames.empty());
}

TEST_F(LinkProtocolTest, UsbReportLayout) {
    const auto frame = hexBytes("F5 C0 06 B0 1E 16 00 00 D9");
    const Bytes report = buildUsbReport(frame, 65);
    ASSERT_EQ(report.size(), 65u);
    EXPECT_EQ(report[0], 0x00);
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), report.begin() + 1));
    EXPECT_TRUE(std::all_of(report.begin() + 10, report.end(), [](uint8_t b) { return b == 0; }));

    const std::vector<uint8_t> longFrame(70, 0x11);
    const Bytes cut = buildUsbReport(longFrame, 65);
    EXPECT_EQ(cut.size(), 65u);
    EXPECT_EQ(cut[64], 0x11);
}

TEST_F(LinkProtocolTest, BlockRepliesFillDeviceValues) {
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 3 * 256 + 25, {0x10, 0x00, 0x68, 0x01}));
    EXPECT_EQ(store.deviceValue(3, 25), 0x10);
    EXPECT_EQ(store.deviceValue(3, 26), 0x168);
    EXPECT_EQ(link.flags.StepState, 2);

    // Values past slot 164 are dropped.
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 5 * 256 + 164, {1, 0, 2, 0}));
    EXPECT_EQ(store.deviceValue(5, 164), 1);
    EXPECT_EQ(store.deviceValue(6, 0), 0);
}

TEST_F(LinkProtocolTest, UsbReportIgnoresZerosAfterTheFrame) {
    auto report = boxFrame(WriteMode, 0 * 256 + 10, {7, 0});
    report.resize(64, 0);
    link.ReceivePacket(TransportUsb, report);
    EXPECT_EQ(store.deviceValue(0, 10), 7);
    EXPECT_FALSE(link.flags.StepLost);
}

TEST_F(LinkProtocolTest, DamagedPacketsStoreNothing) {
    struct Case {
        LinkTransport transport;
        bool corruptChecksum;
        bool truncate;
        size_t messages;
    };
    const Case cases[] = {{TransportUsb, true, false, 1},
                          {TransportTcp, true, false, 0},
                          {TransportSerial, true, false, 0},
                          {TransportUsb, false, true, 1},
                          {TransportTcp, false, true, 1}};
    for (const Case& c : cases) {
        ParameterStore s;
        test::RecordingTransport t;
        test::RecordingListener l;
        LinkProtocol p(s, t, l);
        auto frame = boxFrame(WriteMode, 2 * 256 + 0, {9, 0, 9, 0});
        if (c.corruptChecksum) {
            frame.back() ^= 0x01;
        }
        if (c.truncate) {
            frame.resize(frame.size() - 2);
        }
        p.ReceivePacket(c.transport, frame);
        EXPECT_TRUE(p.flags.StepLost);
        EXPECT_EQ(s.deviceValue(2, 0), 0);
        ASSERT_EQ(l.messages.size(), c.messages);
        if (c.messages == 1) {
            EXPECT_EQ(l.messages[0], c.truncate ? kPacketLostText : kChecksumWrongText);
        }
    }
}

TEST_F(LinkProtocolTest, TooShortLengthIsDamaged) {
    link.ReceivePacket(TransportUsb, hexBytes("F5 C0 02 B7 00"));
    EXPECT_TRUE(link.flags.StepLost);
}

TEST_F(LinkProtocolTest, ShortRepliesOnUsbAndTcp) {
    for (const char* reply : {"EE BB", "EE AA", "EE CC"}) {
        link.flags = {};
        link.ReceivePacket(TransportTcp, hexBytes(reply));
        EXPECT_TRUE(link.flags.HandshakeSeen) << reply;
        EXPECT_TRUE(link.flags.DeviceReady) << reply;
        EXPECT_EQ(link.flags.StepState, 1) << reply;
    }
    link.flags = {};
    link.ReceivePacket(TransportUsb, hexBytes("EE 00"));
    link.ReceivePacket(TransportUsb, hexBytes("EE"));
    link.ReceivePacket(TransportUsb, hexBytes("12 34"));
    EXPECT_FALSE(link.flags.HandshakeSeen);
    EXPECT_EQ(link.flags.StepState, 0);
}

TEST_F(LinkProtocolTest, NamesAreCutAndCleaned) {
    link.nameCounter = 1;
    std::vector<uint8_t> name25(25, 'A');
    name25[3] = 0x1A;
    name25[4] = 0x90;
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x1E00, name25));
    EXPECT_EQ(link.ModeNames[0], "AAA??AAAAAAAAAAAAAAA");

    link.nameCounter = 16;
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x1E00, std::vector<uint8_t>(21, 'b')));
    EXPECT_EQ(link.ModeNames[15], std::string(20, 'b'));

    link.nameCounter = 3;
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x1E20, {'H', 'i'}));
    EXPECT_EQ(link.ModeNames[28], "Hi");
}

TEST_F(LinkProtocolTest, NameWithoutCounterOrOutOfRangeIsDropped) {
    link.nameCounter = 0;
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x1E00, {'X'}));
    link.nameCounter = 53;
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x1E00, {'Y'}));
    link.nameCounter = 27;
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x1E20, {'Z'}));
    for (const std::string& n : link.ModeNames) {
        EXPECT_TRUE(n.empty());
    }
}

TEST_F(LinkProtocolTest, IdentityMatchIsEchoedInFull) {
    const std::vector<uint8_t> data = {'D', 'R', 'K', '-', 'M', 'Z', '3', 0x01, 0x02, 0x03};
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x1E16, data));
    EXPECT_EQ(lastFrame(), buildPacketFrame(WriteMode, CodeIdentityEcho, data));
    EXPECT_EQ(listener.mismatches, 0);
}

TEST_F(LinkProtocolTest, IdentityMismatchAndShortIdentity) {
    link.ReceivePacket(TransportTcp,
                       boxFrame(WriteMode, 0x1E16, {'D', 'R', 'K', '-', 'M', 'Z', '4'}));
    EXPECT_EQ(listener.mismatches, 1);
    EXPECT_TRUE(transport.frames.empty());
    // Fewer than seven data bytes cannot be read as an identity: dropped.
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x1E16, {'D', 'R', 'K'}));
    EXPECT_EQ(listener.mismatches, 1);
    EXPECT_TRUE(transport.frames.empty());
}

TEST_F(LinkProtocolTest, SystemSlots) {
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x1E05, {'1', '2', '3', '4'}));
    EXPECT_EQ(link.PanelPassword, "1234");
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x1E40, {0x0A, 0xBC, 0x00, 0x7F}));
    EXPECT_EQ(listener.deviceId, "0ABC007F");
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x1E15, {0x05, 0x01}));
    EXPECT_EQ(store.deviceValue(30, 0x15), 0x105);
    // Ignored slots, slots from 48 and value frames for rows beyond the table.
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x1E07, {1, 0}));
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x1E31, {1, 0}));
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x2005, {1, 0}));
    EXPECT_EQ(store.deviceValue(30, 7), 0);
    EXPECT_EQ(store.deviceValue(30, 0x31), 0);
    // A value frame too short to hold a value is dropped.
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x1E03, {9}));
    EXPECT_EQ(store.deviceValue(30, 3), 0);
}

TEST_F(LinkProtocolTest, StatusFrameCarriesPitch) {
    std::vector<uint8_t> status(12, 0);
    status[10] = 5;  // frame byte 16: low byte of the status block's value 5
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x3000, status));
    EXPECT_TRUE(link.flags.DeviceReady);
    EXPECT_EQ(link.flags.StepState, 1);
    EXPECT_EQ(store.deviceValue(0, 3), 5);
    ASSERT_EQ(listener.pitches, std::vector<int>{5});

    // Same pitch again: nothing to update.
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x3000, status));
    EXPECT_EQ(listener.pitches.size(), 1u);

    // A status frame too short to carry the pitch still says the box is alive.
    link.flags = {};
    link.ReceivePacket(TransportTcp, boxFrame(WriteMode, 0x3000, {1, 2, 3}));
    EXPECT_TRUE(link.flags.HandshakeSeen);
    EXPECT_EQ(listener.pitches.size(), 1u);
}

}  // namespace
}  // namespace mz3
