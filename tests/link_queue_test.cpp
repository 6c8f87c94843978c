#include <gtest/gtest.h>

#include "WriteQueue.h"
#include "support/Fakes.h"
#include "support/LinkFakes.h"
#include "support/LinkRig.h"

namespace mz3 {
namespace {

TEST(WriteRingTest, MergeOrderAndFullRules) {
    WriteRing ring;
    ring.put(0x0305, 1);
    EXPECT_EQ(ring.QueueWrite, 1);  // stored after advancing: the first entry sits at 1
    ring.put(0x0305, 2);
    ring.put(0x0305, 3);
    EXPECT_EQ(ring.size(), 1);
    EXPECT_EQ(ring.at(1).value, 3);

    WriteRing abc;
    abc.put(1, 10);
    abc.put(2, 20);
    abc.put(1, 11);
    WriteRing::Entry e;
    std::vector<std::pair<int, int>> order;
    while (abc.take(e)) {
        order.emplace_back(e.code, e.value);
    }
    EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{1, 10}, {2, 20}, {1, 11}}));

    WriteRing full;
    for (int i = 0; i < 499; ++i) {
        full.put(i, i);
    }
    EXPECT_EQ(full.size(), 499);
    full.put(9999, 7);
    EXPECT_EQ(full.size(), 499);
    EXPECT_EQ(full.at(full.QueueWrite).code, 9999);
    EXPECT_EQ(full.at(full.QueueWrite - 1).code, 497);
    full.take(e);
    EXPECT_EQ(e.code, 0);  // the older entries stay in place
}

TEST(WriteRingTest, WrapsAroundTheEnd) {
    WriteRing ring;
    WriteRing::Entry e;
    for (int i = 0; i < 1200; ++i) {
        ring.put(i, i);
        ASSERT_TRUE(ring.take(e));
        ASSERT_EQ(e.code, i);
    }
    EXPECT_TRUE(ring.empty());
}

class WriteQueueTest : public test::LinkFixture {
protected:
    WriteQueueTest() {
        link.linkState = LinkOnline;
        link.linkTransport = TransportTcp;
        link.flags.DeviceReady = true;
    }
    void ack() { link.ReceivePacket(TransportTcp, test::hexBytes("EE BB")); }
    int framesWithCode(int code) const {
        int n = 0;
        for (const auto& f : transport.frames) {
            n += f[4] * 256 + f[5] == code;
        }
        return n;
    }

    WriteQueue queue{link, view, timers, [this](int a) { actions.push_back(a); }};
};

TEST_F(WriteQueueTest, OneMessageInFlight) {
    queue.submitWrite(0x0305, 1);
    queue.submitWrite(0x0306, 2);
    queue.submitWrite(0x0306, 3);
    ASSERT_EQ(transport.frames.size(), 1u);
    EXPECT_FALSE(link.flags.DeviceReady);
    queue.HoldTimerTimer();
    EXPECT_EQ(transport.frames.size(), 1u);  // nothing leaves before the answer
    ack();
    queue.HoldTimerTimer();
    ASSERT_EQ(transport.frames.size(), 2u);
    EXPECT_EQ(transport.frames[1], buildValueFrame(WriteMode, 0x0306, 3));
    EXPECT_TRUE(queue.ring().empty());
}

TEST_F(WriteQueueTest, NothingIsSentOffline) {
    link.linkState = LinkIdle;
    queue.submitWrite(0x0305, 1);
    EXPECT_TRUE(transport.frames.empty());
    EXPECT_TRUE(queue.ring().empty());
}

TEST_F(WriteQueueTest, RecallArmsTheReloadOnlyWhenSentAtOnce) {
    queue.submitWrite(CodeModeRecall, 4);
    EXPECT_EQ(view.status, "加载中...");
    EXPECT_EQ(link.linkState, LinkIdle);
    EXPECT_EQ(queue.PendingAction, 2);
    queue.HoldTimerTimer();
    EXPECT_TRUE(actions.empty());
    ack();
    queue.HoldTimerTimer();
    EXPECT_EQ(actions, std::vector<int>{2});
    EXPECT_EQ(queue.PendingAction, 0);

    // Sent while writes wait: it only joins the queue.
    link.linkState = LinkOnline;
    link.flags.DeviceReady = false;
    queue.submitWrite(0x0305, 1);
    queue.submitWrite(CodeModeRecall, 2);
    EXPECT_EQ(queue.PendingAction, 0);
    EXPECT_EQ(queue.ring().size(), 2);
}

TEST_F(WriteQueueTest, SavesArmTheirFollowUps) {
    queue.submitWrite(CodeModeSave, 0);
    EXPECT_EQ(queue.PendingAction, 3);
    link.flags.DeviceReady = true;
    queue.submitWrite(CodeHintSave, 0);
    EXPECT_EQ(queue.PendingAction, 23);
    queue.armAction(3);
    EXPECT_EQ(view.status, "保存中...");
    EXPECT_EQ(link.linkState, LinkIdle);
}

TEST_F(WriteQueueTest, KeepAlivePollsAndDropsTheLinkAfterSixSilentSeconds) {
    timers.start(LinkTimer::Hold);
    std::vector<int> pollTicks;
    int lostAt = 0;
    for (int t = 1; t <= 400 && lostAt == 0; ++t) {
        const size_t before = transport.frames.size();
        queue.HoldTimerTimer();
        if (transport.frames.size() > before) {
            pollTicks.push_back(t);
        }
        if (!actions.empty()) {
            lostAt = t;
        }
    }
    // Answered at first, then polls at misses 2 and 4, and loss at miss 5.
    EXPECT_EQ(pollTicks, (std::vector<int>{50, 150, 250}));
    EXPECT_EQ(lostAt, 300);  // 6 s at 20 ms
    EXPECT_EQ(actions, std::vector<int>{7});
    EXPECT_FALSE(timers.isActive(LinkTimer::Hold));
}

TEST_F(WriteQueueTest, AnsweredPollsKeepTheLinkUp) {
    for (int t = 1; t <= 1000; ++t) {
        queue.HoldTimerTimer();
        if (t % 50 == 10) {
            ack();
        }
    }
    EXPECT_TRUE(actions.empty());
    EXPECT_EQ(framesWithCode(CodeReadBlock), 20);
}

TEST_F(WriteQueueTest, UnacknowledgedSaveGivesUpAfterFiftyOneSeconds) {
    queue.armAction(3);
    link.flags.DeviceReady = false;
    int t = 0;
    while (actions.empty() && t < 5000) {
        queue.HoldTimerTimer();
        ++t;
    }
    EXPECT_EQ(actions, std::vector<int>{7});
    EXPECT_EQ(t, 51 * 50);
}

}  // namespace
}  // namespace mz3
