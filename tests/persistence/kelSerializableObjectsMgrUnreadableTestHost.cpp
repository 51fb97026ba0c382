// A stored file that is there but cannot be read (held by another program,
// access denied, an I/O error) is never taken for a first run: the object
// keeps what it could load and is never written over that file in this run.
#include "persistence/HostReadFaults.h"
#include "persistence/StoreTestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <tuple>

namespace {

struct UnreadableCase {
    const char* label;
    std::optional<std::string> mainFile;
    std::optional<std::string> companion;
    bool mainFails;
    bool companionFails;
    std::wstring expectedText;
    bool expectedResult;
    bool heldBack;

    friend void PrintTo(const UnreadableCase& c, std::ostream* out) { *out << c.label; }
};

const std::string damaged = "<?xml version=\"1.0\"?><Vantrel text=\"half";

const UnreadableCase unreadableCases[] = {
    {"MainAlone", noteDocument("user"), std::nullopt, true, false, L"default", false, true},
    // The companion may be loaded, but the main file it would replace was never read.
    {"MainWithReadableCompanion", noteDocument("user"), noteDocument("tmp"), true, false, L"tmp", true, true},
    {"CompanionWithoutMain", std::nullopt, noteDocument("tmp"), false, true, L"default", false, true},
    {"CompanionBesideDamagedMain", damaged, noteDocument("tmp"), false, true, L"default", false, true},
    // The companion may be newer than the main file, which is loaded, but a
    // save would write over the companion first.
    {"CompanionBesideGoodMain", noteDocument("user"), noteDocument("tmp"), false, true, L"user", true, true},
};

class UnreadableStoredFileTest : public testing::TestWithParam<std::tuple<UnreadableCase, NamedReadFault>> {};

INSTANTIATE_TEST_SUITE_P(Files, UnreadableStoredFileTest,
                         testing::Combine(testing::ValuesIn(unreadableCases),
                                          testing::Values(heldByAnotherProgram, accessDenied, ioErrorWhileReading)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).label) + "_" + std::get<1>(info.param).label;
                         });

} // namespace

TEST_P(UnreadableStoredFileTest, IsNeverWrittenOverInThisRun)
{
    const auto& [c, failure] = GetParam();
    StoreScratchFolder folder;
    const auto mainPath = folder.file("note.vt");
    const auto companionPath = folder.file("note.vt.tmp");
    if (c.mainFile)
        writeBytes(mainPath, *c.mainFile);
    if (c.companion)
        writeBytes(companionPath, *c.companion);
    HostReadFaults faults;
    if (c.mainFails)
        faults.fail(mainPath, failure.fault);
    if (c.companionFails)
        faults.fail(companionPath, failure.fault);
    auto note = std::make_shared<NoteObject>();
    auto manager = makeStoreManager(folder.path());

    EXPECT_EQ(manager->registerObject(note, L"note.vt"), c.expectedResult);
    EXPECT_EQ(note->current(), c.expectedText);
    EXPECT_EQ(manager->isHeldBack(note), c.heldBack);

    note->change(L"changed in this run");
    EXPECT_EQ(manager->saveAll(0), !c.heldBack);
    EXPECT_EQ(manager->saveObject(note, false), !c.heldBack);
    if (c.heldBack) {
        EXPECT_EQ(note->saves, 0);
        EXPECT_TRUE(note->isModified());
        EXPECT_EQ(readBytes(mainPath), c.mainFile);
        EXPECT_EQ(readBytes(companionPath), c.companion);
    } else {
        EXPECT_EQ(loadNote(folder.path(), L"note.vt"), L"changed in this run");
    }
}

TEST(UnreadableStoredFileHeldBackTest, StaysHeldBackWhenRegisteredAgain)
{
    StoreScratchFolder folder;
    writeBytes(folder.file("note.vt"), noteDocument("user"));
    auto note = std::make_shared<NoteObject>();
    auto manager = makeStoreManager(folder.path());
    {
        HostReadFaults faults;
        faults.fail(folder.file("note.vt"), accessDenied.fault);
        EXPECT_FALSE(manager->registerObject(note, L"note.vt"));
    }
    note->change(L"changed in this run");
    EXPECT_TRUE(manager->registerObject(note, L"note.vt"));
    EXPECT_EQ(note->current(), L"user");
    EXPECT_TRUE(manager->isHeldBack(note));
    note->change(L"changed again");
    EXPECT_FALSE(manager->saveAll(0));
    EXPECT_EQ(readBytes(folder.file("note.vt")), noteDocument("user"));
}

TEST(UnreadableStoredFileHeldBackTest, AnUnregisteredObjectIsNotHeld)
{
    StoreScratchFolder folder;
    auto note = std::make_shared<NoteObject>();
    auto manager = makeStoreManager(folder.path());
    manager->holdBack(note);
    EXPECT_FALSE(manager->isHeldBack(note));
    manager->registerObject(note, L"note.vt");
    EXPECT_FALSE(manager->isHeldBack(note));
    note->change(L"saved");
    EXPECT_TRUE(manager->saveAll(0));
    EXPECT_EQ(loadNote(folder.path(), L"note.vt"), L"saved");
}
