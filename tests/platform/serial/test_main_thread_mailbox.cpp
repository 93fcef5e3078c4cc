// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/main_thread_mailbox.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

using platform::MainThreadMailbox;
using platform::PostedMessage;

namespace {

template <typename Condition>
bool PumpUntil(Condition done, std::chrono::seconds limit = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

PostedMessage Message(std::uint32_t sender, std::uint32_t sequence)
{
    PostedMessage m;
    m.number = sender;
    m.first = sequence;
    m.block = std::make_unique<std::uint8_t[]>(sizeof sequence);
    std::memcpy(m.block.get(), &sequence, sizeof sequence);
    return m;
}

}  // namespace

TEST(MainThreadMailbox, DeliversEveryMessageOnTheMainThreadInPostingOrder)
{
    constexpr std::uint32_t kSenders = 4;
    constexpr std::uint32_t kPerSender = 500;
    const auto mainThread = std::this_thread::get_id();
    std::vector<std::uint32_t> nextExpected(kSenders, 0);
    std::size_t delivered = 0;
    bool allOnMainThread = true;
    bool inOrder = true;
    bool blocksIntact = true;

    MainThreadMailbox mailbox([&](PostedMessage& m) {
        allOnMainThread = allOnMainThread && std::this_thread::get_id() == mainThread;
        std::uint32_t fromBlock = 0;
        std::memcpy(&fromBlock, m.block.get(), sizeof fromBlock);
        blocksIntact = blocksIntact && fromBlock == m.first;
        inOrder = inOrder && m.first == nextExpected[m.number]++;
        ++delivered;
    });
    ASSERT_TRUE(mailbox.IsValid());

    std::vector<std::thread> senders;
    for (std::uint32_t s = 0; s < kSenders; ++s)
        senders.emplace_back([&mailbox, s] {
            for (std::uint32_t i = 0; i < kPerSender; ++i)
                mailbox.Post(Message(s, i));
        });
    // Deliver while the senders are still posting.
    ASSERT_TRUE(PumpUntil([&] { return delivered == kSenders * kPerSender; }));
    for (auto& t : senders)
        t.join();

    EXPECT_TRUE(allOnMainThread);
    EXPECT_TRUE(inOrder);
    EXPECT_TRUE(blocksIntact);
    EXPECT_EQ(delivered, kSenders * kPerSender);
}

TEST(MainThreadMailbox, PostingNeverCallsTheHandlerDirectly)
{
    int calls = 0;
    std::vector<std::uint32_t> order;
    MainThreadMailbox mailbox([&](PostedMessage& m) {
        ++calls;
        order.push_back(m.first);
        // A handler that posts again: delivered after what was queued before it.
        if (m.first == 1)
            mailbox.Post(Message(0, 3));
    });
    mailbox.Post(Message(0, 1));
    mailbox.Post(Message(0, 2));
    EXPECT_EQ(calls, 0) << "posting from the main thread must not re-enter";
    ASSERT_TRUE(PumpUntil([&] { return calls == 3; }));
    EXPECT_EQ(order, (std::vector<std::uint32_t>{1, 2, 3}));
}
