// Another program (a scanner, a backup tool, an editor) holds a stored file
// while a save wants to put its companion in its place: the save waits it
// out for a few seconds, and what it could not put in place still reaches
// the next start.
#include "persistence/HostReadFaults.h"
#include "persistence/StoreTestSupport.h"
#include "persistence/kelPlatformFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class BlockedReplaceTest : public testing::Test {
protected:
    void SetUp() override { manager->registerObject(note, L"note.vt"); }

    // The main file's place, as another program holds it the next times (-1: always).
    void holdTheFile(int times) { faults.holdAgainstReplace(folder.file("note.vt"), times); }
    int replaceAttempts() const { return faults.replaceAttempts(folder.file("note.vt")); }
    bool companionLeft() const { return std::filesystem::exists(folder.file("note.vt.tmp")); }

    StoreScratchFolder folder;
    std::shared_ptr<NoteObject> note = std::make_shared<NoteObject>();
    std::shared_ptr<AppSerializableObjectsMgr> manager = makeStoreManager(folder.path());
    HostReadFaults faults;
};

} // namespace

TEST_F(BlockedReplaceTest, AFileHeldForAMomentIsReplacedOnceLetGo)
{
    holdTheFile(5);

    note->change(L"saved");
    EXPECT_TRUE(manager->saveAll(0));

    EXPECT_FALSE(note->isModified());
    EXPECT_EQ(replaceAttempts(), 6);
    EXPECT_FALSE(companionLeft());
    EXPECT_EQ(loadNote(folder.path(), L"note.vt"), L"saved");
}

TEST_F(BlockedReplaceTest, WhatAHeldFileKeptOutIsLoadedAtTheNextStartAndPutInPlace)
{
    note->change(L"before");
    ASSERT_TRUE(manager->saveAll(0));
    const auto before = readBytes(folder.file("note.vt"));
    holdTheFile(-1);
    const int attemptsBefore = replaceAttempts();
    note->change(L"last change");

    // The exit's two passes: the first waits the hold out, the second finds
    // the same content already in the companion and tries once.
    EXPECT_FALSE(manager->saveAll(0));
    EXPECT_FALSE(manager->saveAll(0));
    EXPECT_EQ(replaceAttempts() - attemptsBefore, kelPlatformFile::busyReplaceRetries + 2);
    EXPECT_EQ(note->saves, 3);
    EXPECT_TRUE(note->isModified()) << "the next pass of this run tries again";
    EXPECT_EQ(readBytes(folder.file("note.vt")), before);
    manager.reset();
    faults.holdAgainstReplace(folder.file("note.vt"), 0);

    auto next = std::make_shared<NoteObject>();
    auto nextManager = makeStoreManager(folder.path());
    EXPECT_TRUE(nextManager->registerObject(next, L"note.vt"));
    EXPECT_EQ(next->current(), L"last change");
    EXPECT_TRUE(next->isModified());
    EXPECT_TRUE(nextManager->saveAll(0));
    EXPECT_FALSE(companionLeft());
    EXPECT_NE(readBytes(folder.file("note.vt")).value_or("").find("last change"), std::string::npos);
}

// A change after a refused replace is written to the companion again, and
// waits for the hold again.
TEST_F(BlockedReplaceTest, ANewChangeAfterARefusedReplaceIsWrittenAndWaitedForAgain)
{
    holdTheFile(kelPlatformFile::busyReplaceRetries + 1);
    note->change(L"first");
    EXPECT_FALSE(manager->saveAll(0));

    note->change(L"second");
    EXPECT_TRUE(manager->saveAll(0));

    EXPECT_EQ(note->saves, 2);
    EXPECT_EQ(replaceAttempts(), kelPlatformFile::busyReplaceRetries + 2);
    EXPECT_EQ(loadNote(folder.path(), L"note.vt"), L"second");
    EXPECT_FALSE(companionLeft());
}
