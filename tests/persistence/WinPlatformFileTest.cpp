// Reading a stored file while other programs have it open, as virus
// scanners, backup and sync tools do on a user's machine.
#include "persistence/kelPlatformFile.h"

#include "persistence/StoreTestSupport.h"
#include "persistence/WinOtherProgramHandle.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <thread>

#include <windows.h>

namespace {

using Outcome = kelPlatformFile::ReadOutcome;

struct SharingCase {
    const char* label;
    DWORD access;
    DWORD sharing;
    Outcome expected;

    friend void PrintTo(const SharingCase& c, std::ostream* out) { *out << c.label; }
};

class WinPlatformFileSharingTest : public testing::TestWithParam<SharingCase> {};

INSTANTIATE_TEST_SUITE_P(
    OtherHandles, WinPlatformFileSharingTest,
    testing::Values(SharingCase{"Reader", GENERIC_READ, FILE_SHARE_READ, Outcome::read},
                    SharingCase{"WriterSharingAll", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, Outcome::read},
                    SharingCase{"DeleterSharingAll", GENERIC_READ | DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, Outcome::read},
                    SharingCase{"HolderSharingNothing", GENERIC_READ, 0, Outcome::unreadable},
                    SharingCase{"WriterNotSharingReads", GENERIC_WRITE, FILE_SHARE_WRITE, Outcome::unreadable}),
    [](const testing::TestParamInfo<SharingCase>& info) { return std::string(info.param.label); });

} // namespace

TEST_P(WinPlatformFileSharingTest, OpensWithTheSharingOtherProgramsExpect)
{
    const SharingCase& c = GetParam();
    StoreScratchFolder folder;
    writeBytes(folder.file("a.vt"), "content");
    WinOtherProgramHandle other(folder.file("a.vt"), c.access, c.sharing);
    ASSERT_TRUE(other.isOpen());

    std::string bytes;
    EXPECT_EQ(kelPlatformFile::readAll(folder.file("a.vt").wstring(), bytes), c.expected);
    EXPECT_EQ(bytes, c.expected == Outcome::read ? "content" : "");
}

TEST(WinPlatformFileTest, AFileHeldForAMomentIsReadOnceLetGo)
{
    StoreScratchFolder folder;
    writeBytes(folder.file("a.vt"), "content");
    WinOtherProgramHandle holder(folder.file("a.vt"), GENERIC_READ, 0);
    ASSERT_TRUE(holder.isOpen());
    std::string bytes;
    std::thread reader([&] { EXPECT_EQ(kelPlatformFile::readAll(folder.file("a.vt").wstring(), bytes), Outcome::read); });
    // Well inside the retries' wait, which is several times as long.
    Sleep(static_cast<DWORD>(kelPlatformFile::busyRetryPause.count()));
    holder.letGo();
    reader.join();
    EXPECT_EQ(bytes, "content");
}

TEST(WinPlatformFileTest, OnlyAFileThatIsNotThereIsAbsent)
{
    StoreScratchFolder folder;
    writeBytes(folder.file("file"), "content");
    std::filesystem::create_directory(folder.file("folder"));
    const std::pair<const char*, Outcome> cases[] = {
        {"missing", Outcome::absent},
        {"missing\\a.vt", Outcome::absent},
        {"folder", Outcome::unreadable},
    };
    for (const auto& [name, expected] : cases) {
        std::string bytes;
        EXPECT_EQ(kelPlatformFile::readAll((folder.path() / name).wstring(), bytes), expected) << name;
    }
}
