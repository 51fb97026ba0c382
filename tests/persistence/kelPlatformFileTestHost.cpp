#include "persistence/kelPlatformFile.h"

#include "persistence/HostReadFaults.h"
#include "persistence/StoreTestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

using Outcome = kelPlatformFile::ReadOutcome;

struct ReadCase {
    const char* label;
    const char* path; // inside the scratch folder, which holds "file" and "folder"
    std::optional<kelPlatformFileHostFaults::ReadFault> fault;
    Outcome expected;

    friend void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.label; }
};

class PlatformFileReadTest : public testing::TestWithParam<ReadCase> {};

INSTANTIATE_TEST_SUITE_P(
    Files, PlatformFileReadTest,
    testing::Values(ReadCase{"Readable", "file", std::nullopt, Outcome::read},
                    ReadCase{"Missing", "missing", std::nullopt, Outcome::absent},
                    ReadCase{"MissingFolder", "missing/file", std::nullopt, Outcome::absent},
                    ReadCase{"FileWhereAFolderShouldBe", "file/inner", std::nullopt, Outcome::absent},
                    ReadCase{"FolderWhereTheFileShouldBe", "folder", std::nullopt, Outcome::unreadable},
                    ReadCase{"HeldByAnotherProgram", "file", heldByAnotherProgram.fault, Outcome::unreadable},
                    ReadCase{"AccessDenied", "file", accessDenied.fault, Outcome::unreadable},
                    ReadCase{"IoErrorWhileReading", "file", ioErrorWhileReading.fault, Outcome::unreadable},
                    ReadCase{"HeldForAMoment", "file", kelPlatformFileHostFaults::ReadFault{EBUSY, 0, 2},
                             Outcome::read},
                    ReadCase{"NotFoundAtOpening", "file", kelPlatformFileHostFaults::ReadFault{ENOENT, 0, -1},
                             Outcome::absent}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.label); });

} // namespace

TEST_P(PlatformFileReadTest, OnlyAFileThatIsNotThereIsAbsent)
{
    const ReadCase& c = GetParam();
    StoreScratchFolder folder;
    writeBytes(folder.file("file"), "content");
    std::filesystem::create_directory(folder.file("folder"));
    const auto path = folder.path() / c.path;
    HostReadFaults faults;
    if (c.fault)
        faults.fail(path, *c.fault);

    std::string bytes = "untouched";
    EXPECT_EQ(kelPlatformFile::readAll(path.wstring(), bytes), c.expected);
    EXPECT_EQ(bytes, c.expected == Outcome::read ? "content" : "untouched");
}

namespace {

struct ReplaceCase {
    const char* label;
    int heldTimes;
    int retries;
    kelPlatformFile::ReplaceOutcome expected;
    int attempts;

    friend void PrintTo(const ReplaceCase& c, std::ostream* out) { *out << c.label; }
};

class PlatformFileReplaceTest : public testing::TestWithParam<ReplaceCase> {};

INSTANTIATE_TEST_SUITE_P(
    Holds, PlatformFileReplaceTest,
    testing::Values(
        ReplaceCase{"NotHeld", 0, kelPlatformFile::busyReplaceRetries, kelPlatformFile::ReplaceOutcome::replaced, 1},
        ReplaceCase{"HeldForAMoment", 3, kelPlatformFile::busyReplaceRetries,
                    kelPlatformFile::ReplaceOutcome::replaced, 4},
        ReplaceCase{"HeldThroughEveryRetry", -1, kelPlatformFile::busyReplaceRetries,
                    kelPlatformFile::ReplaceOutcome::busy, kelPlatformFile::busyReplaceRetries + 1},
        ReplaceCase{"HeldWithoutRetries", 1, 0, kelPlatformFile::ReplaceOutcome::busy, 1}),
    [](const testing::TestParamInfo<ReplaceCase>& info) { return std::string(info.param.label); });

} // namespace

TEST_P(PlatformFileReplaceTest, ARefusedReplaceIsTriedAgainUntilTheRetriesAreSpent)
{
    const ReplaceCase& c = GetParam();
    StoreScratchFolder folder;
    writeBytes(folder.file("a.vt"), "old");
    writeBytes(folder.file("a.vt.tmp"), "new");
    HostReadFaults faults;
    faults.holdAgainstReplace(folder.file("a.vt"), c.heldTimes);

    EXPECT_EQ(kelPlatformFile::replaceDurably(folder.file("a.vt.tmp").wstring(), folder.file("a.vt").wstring(),
                                              c.retries),
              c.expected);
    EXPECT_EQ(faults.replaceAttempts(folder.file("a.vt")), c.attempts);
    const bool replaced = c.expected == kelPlatformFile::ReplaceOutcome::replaced;
    EXPECT_EQ(readBytes(folder.file("a.vt")), replaced ? "new" : "old");
    EXPECT_EQ(std::filesystem::exists(folder.file("a.vt.tmp")), !replaced);
}
