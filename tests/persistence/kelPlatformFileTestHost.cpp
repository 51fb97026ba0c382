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
