#include "persistence/kelSerializationFileStoreMgr.h"

#include "persistence/StoreTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::string readAll(std::istream& in)
{
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(kelSerializationFileStoreMgrTest, CommitReplacesTheMainFileAndRemovesTheCompanion)
{
    StoreScratchFolder folder;
    writeBytes(folder.file("a.vt"), "old");
    kelSerializationFileStoreMgr store(folder.file("a.vt").wstring());
    EXPECT_EQ(store.companionPath(), folder.file("a.vt.tmp").wstring());

    auto sink = store.openForWrite();
    ASSERT_NE(sink, nullptr);
    *sink << std::string("new\0bytes", 9);
    EXPECT_TRUE(store.commitWrite(sink));

    EXPECT_EQ(readBytes(folder.file("a.vt")), std::string("new\0bytes", 9));
    EXPECT_FALSE(std::filesystem::exists(folder.file("a.vt.tmp")));
    const auto read = store.openForRead();
    ASSERT_EQ(read.outcome, kelStoredCopy::Outcome::read);
    ASSERT_NE(read.stream, nullptr);
    EXPECT_EQ(readAll(*read.stream), std::string("new\0bytes", 9));
    const auto companion = store.openTempForRead();
    EXPECT_EQ(companion.outcome, kelStoredCopy::Outcome::absent);
    EXPECT_EQ(companion.stream, nullptr);
}

// Whatever goes wrong before the new content is whole on disk, the old file stays.
TEST(kelSerializationFileStoreMgrTest, FailedWriteLeavesTheMainFileInPlace)
{
    StoreScratchFolder folder;
    kelSerializationFileStoreMgr store(folder.file("a.vt").wstring());
    const auto keepsOld = [&](const char* what) {
        EXPECT_EQ(readBytes(folder.file("a.vt")), "old") << what;
    };
    writeBytes(folder.file("a.vt"), "old");

    auto failed = store.openForWrite();
    *failed << "partial";
    failed->setstate(std::ios::badbit);
    EXPECT_FALSE(store.commitWrite(failed));
    keepsOld("failed stream");

    auto foreign = std::make_shared<std::ostringstream>("foreign");
    store.openForWrite();
    EXPECT_FALSE(store.commitWrite(foreign));
    keepsOld("a sink this store did not open");

    // A folder where the companion goes makes writing the companion fail.
    std::filesystem::create_directory(folder.file("a.vt.tmp"));
    auto blocked = store.openForWrite();
    *blocked << "new";
    EXPECT_FALSE(store.commitWrite(blocked));
    keepsOld("companion not writable");
}

// A store without a path (no data folder) must not read or write a bare
// name, or a bare ".tmp", in whatever folder is current.
TEST(kelSerializationFileStoreMgrTest, EmptyPathOpensNothingAndReadsAsUnreadable)
{
    kelSerializationFileStoreMgr store(L"");
    EXPECT_EQ(store.openForWrite(), nullptr);
    for (const auto& copy : {store.openForRead(), store.openTempForRead()}) {
        EXPECT_EQ(copy.outcome, kelStoredCopy::Outcome::unreadable);
        EXPECT_EQ(copy.stream, nullptr);
    }
}

TEST(kelSerializationFileStoreMgrTest, MissingFilesAreAbsentAndAFolderInTheirPlaceIsUnreadable)
{
    StoreScratchFolder folder;
    kelSerializationFileStoreMgr missing(folder.file("a.vt").wstring());
    EXPECT_EQ(missing.openForRead().outcome, kelStoredCopy::Outcome::absent);
    EXPECT_EQ(missing.openTempForRead().outcome, kelStoredCopy::Outcome::absent);

    std::filesystem::create_directory(folder.file("b.vt"));
    std::filesystem::create_directory(folder.file("b.vt.tmp"));
    kelSerializationFileStoreMgr folders(folder.file("b.vt").wstring());
    EXPECT_EQ(folders.openForRead().outcome, kelStoredCopy::Outcome::unreadable);
    EXPECT_EQ(folders.openTempForRead().outcome, kelStoredCopy::Outcome::unreadable);
}
