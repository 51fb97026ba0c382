// Another program (a scanner, a backup tool, an editor) holds a stored file
// while a save wants to put its companion in its place: the save waits it
// out for a few seconds, and what it could not put in place still reaches
// the next start.
#include "persistence/HostReadFaults.h"
#include "persistence/StoreTestSupport.h"
#include "persistence/kelPlatformFile.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(BlockedReplaceTest, AFileHeldForAMomentIsReplacedOnceLetGo)
{
    StoreScratchFolder folder;
    auto note = std::make_shared<NoteObject>();
    auto manager = makeStoreManager(folder.path());
    manager->registerObject(note, L"note.vt");
    HostReadFaults faults;
    faults.holdAgainstReplace(folder.file("note.vt"), 5);

    note->change(L"saved");
    EXPECT_TRUE(manager->saveAll(0));

    EXPECT_FALSE(note->isModified());
    EXPECT_EQ(faults.replaceAttempts(folder.file("note.vt")), 6);
    EXPECT_FALSE(std::filesystem::exists(folder.file("note.vt.tmp")));
    EXPECT_EQ(loadNote(folder.path(), L"note.vt"), L"saved");
}

TEST(BlockedReplaceTest, WhatAHeldFileKeptOutIsLoadedAtTheNextStartAndPutInPlace)
{
    StoreScratchFolder folder;
    writeBytes(folder.file("note.vt"), noteDocument("before"));
    {
        auto note = std::make_shared<NoteObject>();
        auto manager = makeStoreManager(folder.path());
        manager->registerObject(note, L"note.vt");
        HostReadFaults faults;
        faults.holdAgainstReplace(folder.file("note.vt"), -1);
        note->change(L"last change");

        // The exit's two passes: the first waits the hold out, the second
        // finds the same content already in the companion and tries once.
        EXPECT_FALSE(manager->saveAll(0));
        EXPECT_FALSE(manager->saveAll(0));
        EXPECT_EQ(faults.replaceAttempts(folder.file("note.vt")), kelPlatformFile::busyReplaceRetries + 2);
        EXPECT_EQ(note->saves, 2);
        EXPECT_TRUE(note->isModified()) << "the next pass of this run tries again";
        EXPECT_EQ(readBytes(folder.file("note.vt")), noteDocument("before"));
        manager.reset();
        EXPECT_EQ(faults.replaceAttempts(folder.file("note.vt")), kelPlatformFile::busyReplaceRetries + 2)
            << "without autosave there is no last pass";
    }

    auto note = std::make_shared<NoteObject>();
    auto manager = makeStoreManager(folder.path());
    EXPECT_TRUE(manager->registerObject(note, L"note.vt"));
    EXPECT_EQ(note->current(), L"last change");
    EXPECT_TRUE(note->isModified());
    EXPECT_TRUE(manager->saveAll(0));
    EXPECT_FALSE(std::filesystem::exists(folder.file("note.vt.tmp")));
    EXPECT_NE(readBytes(folder.file("note.vt")).value_or("").find("last change"), std::string::npos);
}

// A change after a refused replace is written to the companion again, and
// waits for the hold again.
TEST(BlockedReplaceTest, ANewChangeAfterARefusedReplaceIsWrittenAndWaitedForAgain)
{
    StoreScratchFolder folder;
    auto note = std::make_shared<NoteObject>();
    auto manager = makeStoreManager(folder.path());
    manager->registerObject(note, L"note.vt");
    HostReadFaults faults;
    faults.holdAgainstReplace(folder.file("note.vt"), kelPlatformFile::busyReplaceRetries + 1);
    note->change(L"first");
    EXPECT_FALSE(manager->saveAll(0));

    note->change(L"second");
    EXPECT_TRUE(manager->saveAll(0));

    EXPECT_EQ(note->saves, 2);
    EXPECT_EQ(faults.replaceAttempts(folder.file("note.vt")), kelPlatformFile::busyReplaceRetries + 2);
    EXPECT_EQ(loadNote(folder.path(), L"note.vt"), L"second");
    EXPECT_FALSE(std::filesystem::exists(folder.file("note.vt.tmp")));
}
