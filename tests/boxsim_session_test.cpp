#include <gtest/gtest.h>

#include "BoxSession.h"
#include "LinkProtocol.h"
#include "support/Fakes.h"

namespace mz3::boxsim {
namespace {

Bytes request(uint8_t mode, int code, std::vector<uint8_t> data) {
    return buildPacketFrame(mode, code, data);
}

std::vector<uint8_t> joined(const std::vector<OutChunk>& chunks) {
    std::vector<uint8_t> all;
    for (const OutChunk& c : chunks) {
        all.insert(all.end(), c.bytes.begin(), c.bytes.end());
    }
    return all;
}

TEST(BoxSessionTest, UsbBlockRepliesCarryAtMost25ValuesInA64ByteReport) {
    BoxModel model;
    BoxSession session(model, true);
    const Bytes req = buildUsbReport(request(ReadMode, CodeReadBlock, {3, 100}), 65);
    const auto out = session.receiveUsbReport(req, 0);
    ASSERT_EQ(out.size(), 1u);
    ASSERT_EQ(out[0].bytes.size(), 64u);
    const uint8_t len = out[0].bytes[2];
    EXPECT_EQ(len, 4 + 2 * 15);  // module 3 has 115 slots: 15 left from slot 100
    const Bytes first = buildUsbReport(request(ReadMode, CodeReadBlock, {3, 0}), 65);
    EXPECT_EQ(session.receiveUsbReport(first, 0)[0].bytes[2], 4 + 2 * 25);
}

TEST(BoxSessionTest, StreamRepliesCarryTheWholeModule) {
    BoxModel model;
    BoxSession session(model, false);
    const auto out = session.receiveStream(request(ReadMode, CodeReadBlock, {3, 0}), 0);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].bytes.size(), size_t(115 * 2 + 7));
}

TEST(BoxSessionTest, FaultsAreReproducibleFromTheSeed) {
    FaultConfig faults;
    faults.seed = 42;
    faults.dropProbability = 0.3;
    faults.corruptProbability = 0.3;
    faults.splitMax = 5;
    auto run = [&] {
        BoxModel model;
        BoxSession session(model, false);
        session.setFaults(faults);
        std::vector<std::vector<uint8_t>> outs;
        for (int m = 0; m < 20; ++m) {
            std::vector<uint8_t> one;
            for (const OutChunk& c :
                 session.receiveStream(request(ReadMode, CodeReadBlock, {uint8_t(m), 0}), 0)) {
                one.insert(one.end(), c.bytes.begin(), c.bytes.end());
                EXPECT_LE(c.bytes.size(), 5u);
            }
            outs.push_back(one);
        }
        return outs;
    };
    const auto a = run();
    EXPECT_EQ(a, run());
    const auto dropped = std::count_if(a.begin(), a.end(), [](const auto& v) { return v.empty(); });
    EXPECT_GT(dropped, 0);
    EXPECT_LT(dropped, 20);
}

TEST(BoxSessionTest, EveryNthFaults) {
    BoxModel model;
    BoxSession session(model, false);
    FaultConfig faults;
    faults.dropEvery = 3;
    faults.corruptEvery = 2;
    session.setFaults(faults);
    std::vector<std::vector<uint8_t>> replies;
    for (int i = 0; i < 6; ++i) {
        replies.push_back(joined(session.receiveStream(request(ReadMode, 0x1E15, {}), 0)));
    }
    EXPECT_TRUE(replies[2].empty());
    EXPECT_TRUE(replies[5].empty());
    const auto ok = [](const std::vector<uint8_t>& f) {
        return frameChecksum(std::span<const uint8_t>(f).first(f.size() - 1)) == f.back();
    };
    EXPECT_TRUE(ok(replies[0]));
    EXPECT_FALSE(ok(replies[1]));
    EXPECT_FALSE(ok(replies[3]));
}

TEST(BoxSessionTest, MergeGluesConsecutiveReplies) {
    BoxModel model;
    BoxSession session(model, false);
    FaultConfig faults;
    faults.merge = true;
    session.setFaults(faults);
    EXPECT_TRUE(session.receiveStream(request(ReadMode, 0x1E15, {}), 0).empty());
    const auto out = session.receiveStream(request(ReadMode, 0x1E14, {}), 0);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].bytes.size(), 18u);  // two value frames in one piece
}

TEST(BoxSessionTest, SilenceAfterFramesAndAfterOnline) {
    BoxModel model;
    BoxSession session(model, false);
    FaultConfig faults;
    faults.silentAfterFrames = 2;
    session.setFaults(faults);
    EXPECT_FALSE(session.receiveStream(request(ReadMode, 0x1E15, {}), 0).empty());
    EXPECT_FALSE(session.receiveStream(request(ReadMode, 0x1E15, {}), 0).empty());
    EXPECT_TRUE(session.receiveStream(request(ReadMode, 0x1E15, {}), 0).empty());
    EXPECT_EQ(session.received().size(), 3u);  // still logged

    BoxSession online(model, false);
    faults = {};
    faults.silentAfterOnline = true;
    online.setFaults(faults);
    EXPECT_FALSE(online.receiveStream(request(ReadMode, 0x1E15, {}), 0).empty());
    EXPECT_TRUE(online.receiveStream(request(ReadMode, CodeReadBlock, {0x30, 0}), 0).empty());
    EXPECT_TRUE(online.receiveStream(request(ReadMode, 0x1E15, {}), 0).empty());
}

TEST(BoxSessionTest, WrongIdentityAndDamagedRequests) {
    BoxModel model;
    BoxSession session(model, false);
    FaultConfig faults;
    faults.wrongIdentity = true;
    session.setFaults(faults);
    const auto reply = joined(session.receiveStream(request(ReadMode, CodeIdentify, {0, 0}), 0));
    ASSERT_GE(reply.size(), 13u);
    EXPECT_NE(std::string(reply.begin() + 6, reply.begin() + 13), "DRK-MZ3");

    auto bad = request(WriteMode, 0x0005, {9, 0});
    bad.back() ^= 1;
    EXPECT_TRUE(session.receiveStream(bad, 0).empty());
    EXPECT_NE(model.value(0, 5), 9);
}

TEST(BoxSessionTest, ModesRecallAndSave) {
    BoxModel model;
    BoxSession session(model, false);
    joined(session.receiveStream(request(WriteMode, 0x0000, {33, 0}), 0));
    EXPECT_EQ(model.value(0, 0), 33);
    std::vector<uint8_t> save = {3, 'L', 'i', 'v', 'e'};
    save.resize(22, ' ');
    EXPECT_EQ(joined(session.receiveStream(request(WriteMode, CodeModeSave, save), 0)),
              (std::vector<uint8_t>{0xEE, 0xAA}));
    EXPECT_EQ(model.modes()[3].name, "Live");
    EXPECT_EQ(model.modes()[3].image[0][0], 33);
    joined(session.receiveStream(request(WriteMode, CodeModeRecall, {1, 0}), 0));
    EXPECT_EQ(model.value(0, 0), model.modes()[1].image[0][0]);
    joined(session.receiveStream(request(WriteMode, CodeModeRecall, {3, 0}), 0));
    EXPECT_EQ(model.value(0, 0), 33);
}

}  // namespace
}  // namespace mz3::boxsim
