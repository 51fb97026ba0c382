#include "automation/VtIconDatabase.h"

#include "automation/FakeIconFiles.h"
#include "persistence/MemoryTreeStream.h"
#include "persistence/kelSerializationIoStream.h"
#include "system/kelAppDataFolderBase.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const std::wstring folder = L"D:\\Data\\Vantrel\\icons";

std::wstring inFolder(const std::wstring& name)
{
    return folder + kelAppDataFolderBase::separator + name;
}

struct StoredIcon {
    std::wstring id;
    std::wstring file;
    std::wstring externalFile;
};

class VtIconDatabaseTest : public ::testing::Test {
protected:
    std::shared_ptr<VtIconDatabase> makeDatabase() { return std::make_shared<VtIconDatabase>(folder, files); }

    // An .ico file somewhere on the disk, to be added.
    std::wstring extracted(const std::wstring& name)
    {
        const std::wstring path = L"T:\\" + name + L".ico";
        files->put(path);
        return path;
    }

    static std::vector<StoredIcon> written(VtIconDatabase& database)
    {
        MemoryTreeStream stream;
        kelSerializationIoStream io(static_cast<kelSerializationOutputStream&>(stream));
        EXPECT_TRUE(database.serialize(io, 0));
        std::vector<StoredIcon> icons;
        const auto list = stream.childAt(L"icons");
        if (!list)
            return icons;
        for (std::size_t index = 0; index < list->childCount(L"icon"); ++index) {
            const auto icon = list->childAt(L"icon", index);
            icons.push_back({icon->value(L"id").value_or(L"?"), icon->value(L"file").value_or(L"?"),
                             icon->value(L"external_file").value_or(L"?")});
        }
        return icons;
    }

    using Values = std::vector<std::pair<std::wstring, std::wstring>>;

    static bool read(VtIconDatabase& database, const std::vector<Values>& icons)
    {
        MemoryTreeStream stream;
        const auto list = stream.addChild(L"icons");
        for (const auto& values : icons) {
            const auto icon = list->addChild(L"icon");
            for (const auto& [name, value] : values)
                icon->writeValue(name, value, true);
        }
        kelSerializationIoStream io(static_cast<kelSerializationInputStream&>(stream));
        return database.serialize(io, 0);
    }

    std::shared_ptr<FakeIconFiles> files = std::make_shared<FakeIconFiles>();
};

TEST_F(VtIconDatabaseTest, MakesItsFolderAtConstruction)
{
    makeDatabase();
    EXPECT_EQ(files->folders, std::set<std::wstring>{folder});
}

TEST_F(VtIconDatabaseTest, CopiesTakeTheFirstFreeNameAndNewIds)
{
    const auto database = makeDatabase();
    EXPECT_EQ(database->addIconFile(extracted(L"a")), 1u);
    EXPECT_EQ(database->addIconFile(extracted(L"b")), 2u);
    EXPECT_EQ(database->addIconFile(extracted(L"c")), 3u);
    EXPECT_TRUE(files->has(inFolder(L"icon.ico")));
    EXPECT_TRUE(files->has(inFolder(L"icon (1).ico")));
    EXPECT_TRUE(files->has(inFolder(L"icon (2).ico")));
    EXPECT_TRUE(database->isModified());

    database->deleteIcon(2);
    EXPECT_FALSE(files->has(inFolder(L"icon (1).ico")));
    EXPECT_EQ(database->addIconFile(extracted(L"d")), 4u) << "ids are never given out twice";
    EXPECT_TRUE(files->has(inFolder(L"icon (1).ico"))) << "the first free name is taken again";

    const auto icons = written(*database);
    ASSERT_EQ(icons.size(), 3u);
    EXPECT_EQ(icons[0].id, L"1");
    EXPECT_EQ(icons[0].file, L"icon.ico");
    EXPECT_EQ(icons[0].externalFile, L"0");
    EXPECT_EQ(icons[1].id, L"3");
    EXPECT_EQ(icons[1].file, L"icon (2).ico");
    EXPECT_EQ(icons[2].id, L"4");
    EXPECT_EQ(icons[2].file, L"icon (1).ico");
}

TEST_F(VtIconDatabaseTest, ANameIsTakenByAnotherEntryOrByAFileThatCannotBeLookedAt)
{
    const auto database = makeDatabase();
    ASSERT_EQ(database->addIconFile(extracted(L"a")), 1u);
    // The copy went missing behind the program's back; the entry still names it.
    files->take(inFolder(L"icon.ico"));
    files->unreadable.insert(inFolder(L"icon (1).ico"));

    ASSERT_EQ(database->addIconFile(extracted(L"b")), 2u);
    EXPECT_TRUE(files->has(inFolder(L"icon (2).ico")));
    EXPECT_FALSE(files->has(inFolder(L"icon.ico")));
}

TEST_F(VtIconDatabaseTest, AFailedCopyChangesNothing)
{
    const auto database = makeDatabase();
    files->failCopies = true;
    EXPECT_EQ(database->addIconFile(extracted(L"a")), 0u);
    EXPECT_FALSE(database->isModified());
    EXPECT_TRUE(written(*database).empty());

    files->failCopies = false;
    EXPECT_EQ(database->addIconFile(extracted(L"a")), 1u);
}

TEST_F(VtIconDatabaseTest, ReadingKeepsTheIdsAndNewIdsCountOnPastTheLargest)
{
    const auto database = makeDatabase();
    ASSERT_TRUE(read(*database, {{{L"id", L"2"}, {L"file", L"icon.ico"}, {L"external_file", L"0"}},
                                 {{L"id", L"5"}, {L"file", L"icon (1).ico"}, {L"external_file", L"0"}}}));
    files->put(inFolder(L"icon.ico"));
    files->put(inFolder(L"icon (1).ico"));

    EXPECT_EQ(database->addIconFile(extracted(L"a")), 6u);
    EXPECT_TRUE(files->has(inFolder(L"icon (2).ico")));
}

TEST_F(VtIconDatabaseTest, AnExternalIconIsShownButNeverDeleted)
{
    const auto database = makeDatabase();
    files->put(L"C:\\Shared\\company.ico");
    ASSERT_TRUE(read(*database, {{{L"id", L"3"}, {L"file", L"C:\\Shared\\company.ico"}, {L"external_file", L"1"}}}));

    EXPECT_NE(database->iconFor(3, 16, 16), nullptr);
    database->deleteIcon(3);
    EXPECT_TRUE(files->has(L"C:\\Shared\\company.ico"));
    EXPECT_TRUE(written(*database).empty());
    EXPECT_EQ(files->liveIcons(), 0u) << "the forgotten entry's icons are destroyed";
}

TEST_F(VtIconDatabaseTest, AnIncompleteOrUnsafeEntryStopsTheReadAndKeepsTheEntriesBeforeIt)
{
    const std::vector<std::pair<const char*, std::vector<std::pair<std::wstring, std::wstring>>>> stoppers = {
        {"no id", {{L"file", L"icon (1).ico"}, {L"external_file", L"0"}}},
        {"no file", {{L"id", L"2"}, {L"external_file", L"0"}}},
        {"no external flag", {{L"id", L"2"}, {L"file", L"icon (1).ico"}}},
        {"an id that is no number", {{L"id", L"two"}, {L"file", L"icon (1).ico"}, {L"external_file", L"0"}}},
        {"a way out of the folder", {{L"id", L"2"}, {L"file", L"..\\..\\settings.vt"}, {L"external_file", L"0"}}},
        {"a slash", {{L"id", L"2"}, {L"file", L"../x.ico"}, {L"external_file", L"0"}}},
        {"a drive", {{L"id", L"2"}, {L"file", L"C:x.ico"}, {L"external_file", L"0"}}},
        {"the parent folder", {{L"id", L"2"}, {L"file", L".."}, {L"external_file", L"0"}}},
        {"an empty name", {{L"id", L"2"}, {L"file", L""}, {L"external_file", L"0"}}},
    };
    for (const auto& [what, stopper] : stoppers) {
        SCOPED_TRACE(what);
        const auto database = makeDatabase();
        EXPECT_FALSE(read(*database, {{{L"id", L"1"}, {L"file", L"icon.ico"}, {L"external_file", L"0"}},
                                      stopper,
                                      {{L"id", L"3"}, {L"file", L"icon (2).ico"}, {L"external_file", L"0"}}}));
        const auto icons = written(*database);
        ASSERT_EQ(icons.size(), 1u);
        EXPECT_EQ(icons[0].id, L"1");
    }
}

TEST_F(VtIconDatabaseTest, WithoutTheIconsNodeTheReadFails)
{
    const auto database = makeDatabase();
    MemoryTreeStream stream;
    stream.addChild(L"icon");
    kelSerializationIoStream io(static_cast<kelSerializationInputStream&>(stream));
    EXPECT_FALSE(database->serialize(io, 0));
}

TEST_F(VtIconDatabaseTest, IconsLoadOncePerSizeAndGoWithTheirEntryOrTheDatabase)
{
    auto database = makeDatabase();
    ASSERT_EQ(database->addIconFile(extracted(L"a")), 1u);
    ASSERT_EQ(database->addIconFile(extracted(L"b")), 2u);
    files->unloadable.insert(inFolder(L"icon (1).ico"));

    const IconHandle small = database->iconFor(1, 16, 16);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(database->iconFor(1, 16, 16), small);
    EXPECT_NE(database->iconFor(1, 32, 32), nullptr);
    EXPECT_EQ(files->loadsOf(inFolder(L"icon.ico")), 2);

    EXPECT_EQ(database->iconFor(2, 16, 16), nullptr);
    EXPECT_EQ(database->iconFor(2, 16, 16), nullptr);
    EXPECT_EQ(files->loadsOf(inFolder(L"icon (1).ico")), 1) << "a failed load is not tried again";
    EXPECT_EQ(database->iconFor(9, 16, 16), nullptr);

    EXPECT_EQ(files->liveIcons(), 2u);
    database->deleteIcon(1);
    EXPECT_EQ(files->liveIcons(), 0u);
    database->iconFor(2, 48, 48);
    files->unloadable.clear();
    database->iconFor(2, 64, 64);
    EXPECT_EQ(files->liveIcons(), 1u);
    database.reset();
    EXPECT_EQ(files->liveIcons(), 0u);
    EXPECT_EQ(files->destroyedTwiceOrUnknown, 0);
}

TEST_F(VtIconDatabaseTest, DeletingAnUnknownIdOrAFileAlreadyGoneIsNoError)
{
    const auto database = makeDatabase();
    ASSERT_EQ(database->addIconFile(extracted(L"a")), 1u);
    database->setModified(false);
    database->deleteIcon(7);
    EXPECT_FALSE(database->isModified());

    files->take(inFolder(L"icon.ico"));
    database->deleteIcon(1);
    EXPECT_TRUE(database->isModified());
    EXPECT_TRUE(written(*database).empty());
}

} // namespace
