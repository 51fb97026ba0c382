#include "support/TasksProcessor.h"
#include "support/kelComInitialize.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <thread>

namespace {

// Apartments belong to threads: each case runs on a fresh one, so the test
// runner's own thread is never entered into an apartment.
template <class Body>
void onFreshThread(Body body)
{
    std::thread thread(body);
    thread.join();
}

TEST(kelComInitialize, EntersAnApartmentForItsLifetimeOnly)
{
    bool guardInitialized = false;
    HRESULT whileGuarded = E_FAIL;
    HRESULT afterGuard = E_FAIL;
    onFreshThread([&] {
        {
            const kelComInitialize guard;
            guardInitialized = guard.isInitialized();
            whileGuarded = CoInitialize(nullptr);
            CoUninitialize();
        }
        afterGuard = CoInitialize(nullptr);
        CoUninitialize();
    });

    EXPECT_TRUE(guardInitialized);
    EXPECT_EQ(whileGuarded, S_FALSE);
    EXPECT_EQ(afterGuard, S_OK);
}

TEST(kelComInitialize, LeavesAMultithreadedApartmentAsItWas)
{
    HRESULT entered = E_FAIL;
    bool guardInitialized = true;
    HRESULT afterGuard = E_FAIL;
    onFreshThread([&] {
        entered = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        {
            const kelComInitialize guard;
            guardInitialized = guard.isInitialized();
        }
        afterGuard = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        CoUninitialize();
        CoUninitialize();
    });

    ASSERT_EQ(entered, S_OK);
    EXPECT_FALSE(guardInitialized);
    EXPECT_EQ(afterGuard, S_FALSE);
}

class ApartmentProbe : public TasksProcessor {
public:
    ~ApartmentProbe() override { requestStop(true); }
    HRESULT singleThreaded = E_FAIL;
    HRESULT multithreaded = E_FAIL;

protected:
    bool runTask(std::uint32_t, TasksProcessorTaskDetails*) override
    {
        singleThreaded = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(singleThreaded))
            CoUninitialize();
        multithreaded = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(multithreaded))
            CoUninitialize();
        return true;
    }
};

TEST(TasksProcessor, RunsTasksInASingleThreadedApartment)
{
    ApartmentProbe processor;
    processor.queueTask(nullptr, {}, true)->wait();

    EXPECT_EQ(processor.singleThreaded, S_FALSE);
    EXPECT_EQ(processor.multithreaded, RPC_E_CHANGED_MODE);
}

} // namespace
