#include "persistence/FileStoreCrashSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

TEST(FileStoreCrashTest, KilledWriterLeavesOneCompleteContent)
{
#if defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a forked child of a threaded process is not supported under ThreadSanitizer";
#endif
    constexpr int kills = 200;
    StoreScratchFolder folder;
    ASSERT_TRUE(prepareCrashFile(folder.path(), L"crash.vt"));
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delayMicroseconds(0, 40000);
    CrashTally tally;
    for (int kill = 0; kill < kills; ++kill) {
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0)
            runCrashWriter(folder.path(), L"crash.vt");
        const bool started = waitForCrashWriter(folder.path());
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(started);
        ASSERT_TRUE(WIFSIGNALED(status));
        tally.record(loadNote(folder.path(), L"crash.vt"));
    }
    EXPECT_EQ(tally.torn, 0);
    // Otherwise no writer ever got as far as replacing the file and nothing was tried.
    EXPECT_GT(tally.rewritten(), 0);
    std::printf("kills survived: %d of %d (initial content %d, first %d, second %d)\n", kills - tally.torn, kills,
                tally.seen[initialCrashContent], tally.seen[0], tally.seen[1]);
}
