#include <gtest/gtest.h>

#include "Frame.h"
#include "LinkProtocol.h"
#include "StreamParser.h"
#include "support/Fakes.h"

namespace mz3 {
namespace {

using test::hexBytes;

struct Collected {
    std::vector<std::vector<uint8_t>> frames;
    int acks = 0;
};

StreamParser collectingParser(Collected& c) {
    return StreamParser(
        [&c](std::span<const uint8_t> f) { c.frames.emplace_back(f.begin(), f.end()); },
        [&c] { ++c.acks; });
}

const std::vector<uint8_t> kFrameA = buildPacketFrame(WriteMode, 3 * 256 + 0, {1, 0, 2, 0, 3, 0});
const std::vector<uint8_t> kFrameB = buildPacketFrame(WriteMode, 0x1E05, {'9', '8', '7', '6'});

std::vector<uint8_t> concat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (const auto& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

TEST(StreamParserTest, EverySplitOfAStreamGivesTheSameFrames) {
    const auto stream = concat({hexBytes("00 13 EE"), hexBytes("BB"), kFrameA, hexBytes("EE 00"),
                                kFrameB, hexBytes("EE CC")});
    for (size_t a = 0; a <= stream.size(); ++a) {
        for (size_t b = a; b <= stream.size(); b += 3) {
            Collected c;
            StreamParser parser = collectingParser(c);
            const std::span<const uint8_t> all(stream);
            parser.feed(all.subspan(0, a));
            parser.feed(all.subspan(a, b - a));
            parser.feed(all.subspan(b));
            ASSERT_EQ(c.frames.size(), 2u) << "split at " << a << "," << b;
            EXPECT_EQ(c.frames[0], kFrameA);
            EXPECT_EQ(c.frames[1], kFrameB);
            EXPECT_EQ(c.acks, 2);
        }
    }
}

TEST(StreamParserTest, ByteAtATime) {
    Collected c;
    StreamParser parser = collectingParser(c);
    const auto stream = concat({kFrameB, kFrameA});
    for (uint8_t b : stream) {
        parser.feed(std::span<const uint8_t>(&b, 1));
    }
    ASSERT_EQ(c.frames.size(), 2u);
    EXPECT_EQ(c.frames[1], kFrameA);
}

TEST(StreamParserTest, BadHeaderGoesBackToHuntAfterThreeBytes) {
    Collected c;
    StreamParser parser = collectingParser(c);
    // F5 then three header bytes that are not C0 .. B7: all four consumed; the frame after
    // them is still found.
    parser.feed(hexBytes("F5 11 22 33"));
    EXPECT_EQ(parser.RxState(), StreamParser::State::Hunt);
    parser.feed(kFrameA);
    ASSERT_EQ(c.frames.size(), 1u);

    // A wrong write mode byte also sends it back.
    parser.feed(hexBytes("F5 C0 06 B1"));
    EXPECT_EQ(parser.RxState(), StreamParser::State::Hunt);
    // The second byte of the bad header is not rescanned, even when it is a head.
    parser.feed(hexBytes("F5 F5 C0 06"));
    EXPECT_EQ(parser.RxState(), StreamParser::State::Hunt);
    // LEN below 4 cannot hold a frame.
    parser.feed(hexBytes("F5 C0 02 B7"));
    EXPECT_EQ(parser.RxState(), StreamParser::State::Hunt);
    EXPECT_EQ(c.frames.size(), 1u);
}

TEST(StreamParserTest, HeaderStatesAreVisible) {
    Collected c;
    StreamParser parser = collectingParser(c);
    parser.feed(std::span<const uint8_t>(kFrameA).first(5));
    EXPECT_EQ(parser.RxState(), StreamParser::State::Body);
    EXPECT_EQ(parser.RxNeed(), kFrameA[2] - 1);
    EXPECT_EQ(parser.RxGot(), 1);
    parser.reset();
    EXPECT_EQ(parser.RxState(), StreamParser::State::Hunt);
    EXPECT_TRUE(parser.RxBuffer().empty());
}

class TransportStreamTest : public ::testing::Test {
protected:
    ParameterStore store;
    test::RecordingTransport transport;
    test::RecordingListener listener;
    LinkProtocol link{store, transport, listener};
};

TEST_F(TransportStreamTest, SerialFramesAreRoutedAcrossChunks) {
    const auto stream = concat({hexBytes("AB CD"), kFrameA, hexBytes("EE AA"), kFrameB});
    link.ComPortRxChar(std::span<const uint8_t>(stream).first(7));
    EXPECT_EQ(store.deviceValue(3, 0), 0);
    link.ComPortRxChar(std::span<const uint8_t>(stream).subspan(7));
    EXPECT_EQ(store.deviceValue(3, 2), 3);
    EXPECT_EQ(link.PanelPassword, "9876");
    EXPECT_TRUE(link.flags.HandshakeSeen);
    EXPECT_EQ(link.flags.StepState, 2);  // set after the last frame
}

TEST_F(TransportStreamTest, CorruptSerialFrameIsDroppedAndNextOneKept) {
    auto bad = kFrameA;
    bad.back() ^= 0xFF;
    link.ComPortRxChar(concat({bad, kFrameB}));
    EXPECT_TRUE(link.flags.StepLost);
    EXPECT_EQ(store.deviceValue(3, 0), 0);
    EXPECT_EQ(link.PanelPassword, "9876");
    EXPECT_TRUE(listener.messages.empty());  // only USB shows the checksum message
}

TEST_F(TransportStreamTest, TcpReadsAreAssembledLikeAStream) {
    link.linkTransport = TransportTcp;
    // Two frames and a short reply coalesced in one read, then a frame split over three reads.
    link.ClientSocket1Read(concat({kFrameA, hexBytes("EE BB"), kFrameB}));
    EXPECT_EQ(store.deviceValue(3, 1), 2);
    EXPECT_EQ(link.PanelPassword, "9876");
    EXPECT_TRUE(link.flags.DeviceReady);
    EXPECT_FALSE(link.flags.StepLost);

    const auto frame = buildPacketFrame(WriteMode, 7 * 256 + 4, {0x2C, 0x01});
    link.ClientSocket1Read(std::span<const uint8_t>(frame).first(2));
    link.ClientSocket1Read(std::span<const uint8_t>(frame).subspan(2, 4));
    EXPECT_EQ(store.deviceValue(7, 4), 0);
    link.ClientSocket1Read(std::span<const uint8_t>(frame).subspan(6));
    EXPECT_EQ(store.deviceValue(7, 4), 300);
    EXPECT_FALSE(link.flags.StepLost);
}

TEST_F(TransportStreamTest, TcpBytesAreDiscardedUnlessTcpIsTheTransport) {
    link.linkTransport = TransportSerial;
    link.ClientSocket1Read(kFrameA);
    link.ClientSocket1Read(hexBytes("EE BB"));
    EXPECT_EQ(store.deviceValue(3, 0), 0);
    EXPECT_FALSE(link.flags.HandshakeSeen);
}

TEST_F(TransportStreamTest, SearchResetPutsSerialParserBackToHunt) {
    link.ComPortRxChar(std::span<const uint8_t>(kFrameA).first(6));
    EXPECT_NE(link.serialParser().RxState(), StreamParser::State::Hunt);
    link.resetSerialParser();
    EXPECT_EQ(link.serialParser().RxState(), StreamParser::State::Hunt);
    link.ComPortRxChar(kFrameB);
    EXPECT_EQ(link.PanelPassword, "9876");
}

}  // namespace
}  // namespace mz3
