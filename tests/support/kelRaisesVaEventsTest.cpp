#include "support/kelRaisesVaEvents.h"

#include "support/TestLatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

struct NumberEvent : kelVaEvent {
    explicit NumberEvent(int number) : number(number) {}
    int number;
};

struct OtherEvent : kelVaEvent {};

// Appends "<name>:<what>" to a log shared by several consumers, so tests see
// the delivery order across them.
class LoggingConsumer : public kelConsumesVaEvents {
public:
    LoggingConsumer(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}

    void onVaEvent(kelRaisesVaEvents* raiser, const kelVaEvent& event) override
    {
        lastRaiser = raiser;
        const auto* numbered = dynamic_cast<const NumberEvent*>(&event);
        log.push_back(name + ":" + (numbered ? std::to_string(numbered->number) : std::string("other")));
    }
    void onVaEventCode(kelRaisesVaEvents* raiser, std::uint32_t code, va_list args) override
    {
        lastRaiser = raiser;
        log.push_back(name + ":code" + std::to_string(code));
    }

    kelRaisesVaEvents* lastRaiser = nullptr;

private:
    std::string name;
    std::vector<std::string>& log;
};

// Runs an action inside its event handler.
class ActingConsumer : public kelConsumesVaEvents {
public:
    explicit ActingConsumer(std::function<void()> action) : action(std::move(action)) {}
    void onVaEvent(kelRaisesVaEvents*, const kelVaEvent&) override { action(); }
    void onVaEventCode(kelRaisesVaEvents*, std::uint32_t, va_list) override { action(); }

private:
    std::function<void()> action;
};

TEST(kelRaisesVaEvents, DeliversToConsumersInSubscriptionOrderWithTheRaiser)
{
    std::vector<std::string> log;
    LoggingConsumer first("a", log);
    LoggingConsumer second("b", log);
    kelRaisesVaEvents raiser;
    raiser.addConsumer(&first);
    raiser.addConsumer(&second);

    raiser.raiseEvent(NumberEvent(7));
    raiser.raiseEvent(OtherEvent());
    raiser.raiseCode(0);

    EXPECT_EQ(log, (std::vector<std::string>{"a:7", "b:7", "a:other", "b:other", "a:code0", "b:code0"}));
    EXPECT_EQ(first.lastRaiser, &raiser);
    EXPECT_EQ(second.lastRaiser, &raiser);
}

TEST(kelRaisesVaEvents, ConsumerSubscribedTwiceReceivesTwiceAndOneRemovalLeavesOne)
{
    std::vector<std::string> log;
    LoggingConsumer consumer("a", log);
    kelRaisesVaEvents raiser;
    raiser.addConsumer(&consumer);
    raiser.addConsumer(&consumer);

    raiser.raiseEvent(NumberEvent(1));
    raiser.removeConsumer(&consumer);
    raiser.raiseEvent(NumberEvent(2));
    raiser.removeConsumer(&consumer);
    raiser.raiseEvent(NumberEvent(3));

    EXPECT_EQ(log, (std::vector<std::string>{"a:1", "a:1", "a:2"}));
}

TEST(kelRaisesVaEvents, RemovalTakesOnlyTheFirstSubscriptionAndIgnoresStrangers)
{
    std::vector<std::string> log;
    LoggingConsumer a("a", log);
    LoggingConsumer b("b", log);
    LoggingConsumer stranger("x", log);
    kelRaisesVaEvents raiser;
    raiser.addConsumer(&a);
    raiser.addConsumer(&b);
    raiser.addConsumer(&a);

    raiser.removeConsumer(&stranger);
    raiser.raiseEvent(NumberEvent(1));
    raiser.removeConsumer(&a);
    raiser.raiseEvent(NumberEvent(2));

    EXPECT_EQ(log, (std::vector<std::string>{"a:1", "b:1", "a:1", "b:2", "a:2"}));
}

TEST(kelRaisesVaEvents, RaisingWithoutConsumersOnlyAdjustsTheDepth)
{
    kelRaisesVaEvents raiser;
    raiser.raiseEvent(NumberEvent(1));
    raiser.raiseCode(0, 1, 2);
    EXPECT_EQ(raiser.raisingDepth(), 0);
}

TEST(kelRaisesVaEvents, RaiseCodeHandsEveryConsumerTheExtraArguments)
{
    struct Received {
        std::uint32_t code;
        int number;
        std::string text;
        double fraction;
    };
    class ArgumentReader : public kelConsumesVaEvents {
    public:
        void onVaEventCode(kelRaisesVaEvents*, std::uint32_t code, va_list args) override
        {
            const int number = va_arg(args, int);
            const char* text = va_arg(args, const char*);
            const double fraction = va_arg(args, double);
            received.push_back({code, number, text, fraction});
        }
        std::vector<Received> received;
    };
    ArgumentReader first;
    ArgumentReader second;
    kelRaisesVaEvents raiser;
    raiser.addConsumer(&first);
    raiser.addConsumer(&second);

    raiser.raiseCode(42, -5, "monitor", 0.25);

    for (const ArgumentReader* reader : {&first, &second}) {
        ASSERT_EQ(reader->received.size(), 1u);
        EXPECT_EQ(reader->received[0].code, 42u);
        EXPECT_EQ(reader->received[0].number, -5);
        EXPECT_EQ(reader->received[0].text, "monitor");
        EXPECT_EQ(reader->received[0].fraction, 0.25);
    }
}

TEST(kelRaisesVaEvents, ThrowingConsumerLeavesTheRaiserIdleAndOpenToSubscriptions)
{
    ActingConsumer thrower([] { throw std::runtime_error("handler failed"); });
    std::vector<std::string> log;
    LoggingConsumer late("late", log);
    kelRaisesVaEvents raiser;
    raiser.addConsumer(&thrower);

    EXPECT_THROW(raiser.raiseEvent(NumberEvent(1)), std::runtime_error);
    EXPECT_THROW(raiser.raiseCode(0, 1), std::runtime_error);
    ASSERT_EQ(raiser.raisingDepth(), 0);

    raiser.addConsumer(&late);
    raiser.removeConsumer(&thrower);
    raiser.raiseEvent(NumberEvent(2));
    EXPECT_EQ(log, (std::vector<std::string>{"late:2"}));
}

TEST(kelRaisesVaEvents, SubscriptionFromAnotherThreadCompletesOnlyAfterTheDelivery)
{
    using namespace std::chrono_literals;
    kelRaisesVaEvents raiser;
    std::vector<std::string> log;
    LoggingConsumer late("late", log);
    TestLatch delivering(1);
    std::atomic<bool> subscribing{false};
    std::atomic<bool> subscribed{false};
    bool subscribedDuringDelivery = true;
    ActingConsumer slow([&] {
        delivering.countDown();
        while (!subscribing.load())
            std::this_thread::yield();
        // Gives the subscriber time to get into addConsumer; a correct raiser
        // keeps it there however long this takes.
        std::this_thread::sleep_for(50ms);
        subscribedDuringDelivery = subscribed.load();
    });
    raiser.addConsumer(&slow);

    std::thread subscriber([&] {
        delivering.wait();
        subscribing.store(true);
        raiser.addConsumer(&late);
        subscribed.store(true);
    });
    raiser.raiseEvent(NumberEvent(1));
    subscriber.join();

    EXPECT_FALSE(subscribedDuringDelivery);
    EXPECT_TRUE(log.empty());
    raiser.raiseEvent(NumberEvent(2));
    EXPECT_EQ(log, (std::vector<std::string>{"late:2"}));
}

TEST(kelRaisesVaEvents, ConcurrentRaisesOfOneRaiserCountTheirDepth)
{
    kelRaisesVaEvents raiser;
    TestLatch bothDelivering(2);
    TestLatch bothRead(2);
    std::atomic<int> readsOfTwo{0};
    ActingConsumer meeting([&] {
        // Both handlers read the depth between the two meetings, while both raises are in progress.
        bothDelivering.arriveAndWait();
        if (raiser.raisingDepth() == 2)
            readsOfTwo.fetch_add(1);
        bothRead.arriveAndWait();
    });
    raiser.addConsumer(&meeting);

    std::thread other([&] { raiser.raiseEvent(NumberEvent(1)); });
    raiser.raiseEvent(NumberEvent(2));
    other.join();

    EXPECT_EQ(readsOfTwo.load(), 2);
    EXPECT_EQ(raiser.raisingDepth(), 0);
}

TEST(kelRaisesVaEvents, CopyStartsWithoutTheOriginalsConsumers)
{
    std::vector<std::string> log;
    LoggingConsumer consumer("a", log);
    kelRaisesVaEvents original;
    original.addConsumer(&consumer);

    kelRaisesVaEvents copy(original);
    copy.raiseEvent(NumberEvent(1));
    original = copy;
    original.raiseEvent(NumberEvent(2));

    EXPECT_EQ(log, (std::vector<std::string>{"a:2"}));
}

} // namespace
