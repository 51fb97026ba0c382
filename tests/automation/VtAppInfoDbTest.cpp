#include "automation/VtAppInfoDb.h"

#include "automation/FakeIconFiles.h"
#include "automation/FakeRunningApp.h"
#include "automation/VtIconDatabase.h"
#include "persistence/MemoryTreeStream.h"
#include "persistence/kelSerializationIoStream.h"
#include "system/kelAppDataFolderBase.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::wstring iconsFolder = L"D:\\Data\\Vantrel\\icons";
const std::wstring editorPath = L"C:\\Program Files\\Editor\\Editor.exe";

std::wstring storedIcon(const std::wstring& name)
{
    return iconsFolder + kelAppDataFolderBase::separator + name;
}

class VtAppInfoDbTest : public ::testing::Test {
protected:
    VtAppInfoDbTest()
    {
        programs->products[editorPath] = L"Editor";
        programs->withIcons.insert(editorPath);
    }

    std::shared_ptr<AppInfo> appFor(const std::wstring& programPath)
    {
        auto app = database->createValue();
        app->setFromRunningApp(FakeRunningApp(40, programPath));
        return app;
    }

    // The application database as "apps.vt" holds it: each item's values by name.
    std::vector<std::map<std::wstring, std::wstring>> saved()
    {
        MemoryTreeStream stream;
        kelSerializationIoStream io(static_cast<kelSerializationOutputStream&>(stream));
        EXPECT_TRUE(database->serialize(io, 0));
        std::vector<std::map<std::wstring, std::wstring>> items;
        for (std::size_t index = 0; index < stream.childCount(L"item"); ++index) {
            const auto item = stream.childAt(L"item", index);
            std::map<std::wstring, std::wstring> values;
            for (const wchar_t* name : {L"item-id", L"item-refs", L"icon_id", L"binary_path", L"ui_name"})
                values[name] = item->value(name).value_or(L"<none>");
            items.push_back(values);
        }
        return items;
    }

    const std::shared_ptr<FakeIconFiles> disk = std::make_shared<FakeIconFiles>();
    const std::shared_ptr<FakeProgramFiles> programs = std::make_shared<FakeProgramFiles>(*disk);
    const std::shared_ptr<VtIconDatabase> icons = std::make_shared<VtIconDatabase>(iconsFolder, disk);
    std::shared_ptr<VtAppInfoDb> database = std::make_shared<VtAppInfoDb>(icons, programs, disk);
};

TEST_F(VtAppInfoDbTest, TheNameShownIsTheProductNameWithTheFileNameOrTheFileNameAlone)
{
    programs->products[L"C:/Games/foo.exe"] = L"Foo";
    EXPECT_EQ(appFor(editorPath)->uiName(), L"Editor (Editor.exe)");
    EXPECT_EQ(appFor(L"C:/Games/foo.exe")->uiName(), L"Foo (foo.exe)");
    EXPECT_EQ(appFor(L"C:\\Tools\\plain.exe")->uiName(), L"plain.exe");
    EXPECT_EQ(appFor(editorPath)->binaryPath(), editorPath);
}

TEST_F(VtAppInfoDbTest, ARunningApplicationMatchesWhateverTheLetterCaseOfItsPath)
{
    const auto app = appFor(editorPath);
    EXPECT_TRUE(app->matchesRunningApp(FakeRunningApp(7, L"c:\\program files\\editor\\EDITOR.EXE")));
    EXPECT_FALSE(app->matchesRunningApp(FakeRunningApp(7, L"C:\\Program Files\\Editor\\Editor2.exe")));
}

TEST_F(VtAppInfoDbTest, AddedTwiceInTwoLetterCasesItIsOneApplicationUntilBothReferencesGo)
{
    const unsigned id = database->addRef(appFor(editorPath));
    ASSERT_EQ(id, 1u);
    EXPECT_EQ(database->addRef(appFor(L"c:\\PROGRAM FILES\\editor\\editor.exe")), id);

    auto items = saved();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0][L"item-refs"], L"2");
    EXPECT_EQ(items[0][L"binary_path"], editorPath) << "the first spelling stays";
    EXPECT_EQ(items[0][L"ui_name"], L"Editor (Editor.exe)");
    EXPECT_EQ(items[0][L"icon_id"], L"1") << "the first save stores the icon";
    EXPECT_TRUE(disk->has(storedIcon(L"icon.ico")));
    EXPECT_TRUE(icons->isModified());

    database->remove(id);
    items = saved();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0][L"item-refs"], L"1");
    EXPECT_TRUE(disk->has(storedIcon(L"icon.ico")));

    database->remove(id);
    EXPECT_TRUE(saved().empty());
    EXPECT_FALSE(disk->has(storedIcon(L"icon.ico"))) << "the last reference takes the icon with it";
    EXPECT_EQ(icons->iconFor(1, 16, 16), nullptr);
}

TEST_F(VtAppInfoDbTest, TheIconIsShownFromTheProgramBeforeTheFirstSaveAndFromTheCopyAfterIt)
{
    const auto app = appFor(editorPath);
    const IconHandle extracted = app->icon(16, 16);
    ASSERT_NE(extracted, nullptr);
    EXPECT_EQ(app->iconId(), 0u);
    const auto temporary = disk->all();
    EXPECT_EQ(temporary.size(), 2u) << "the .ico file and the file that reserved its name";

    database->addRef(app);
    saved();
    ASSERT_EQ(app->iconId(), 1u);
    EXPECT_EQ(app->icon(16, 16), icons->iconFor(1, 16, 16));
    EXPECT_EQ(programs->extractionCount(), 1);

    database.reset();
    EXPECT_TRUE(app->icon(16, 16));
    EXPECT_EQ(disk->all().size(), 3u) << "the record lives on with its temporary files";
}

TEST_F(VtAppInfoDbTest, TheTemporaryFilesAndIconsGoWithTheRecord)
{
    auto app = appFor(editorPath);
    ASSERT_TRUE(app->icon(16, 16));
    ASSERT_TRUE(app->icon(32, 32));
    EXPECT_EQ(disk->all().size(), 2u);
    app.reset();
    EXPECT_TRUE(disk->all().empty());
    EXPECT_EQ(disk->liveIcons(), 0u);
    EXPECT_EQ(disk->destroyedTwiceOrUnknown, 0);
}

// Showing the record tries the program once; each save tries again, so a
// program that gets its icon later (being installed or updated) has it
// stored at the next save.
TEST_F(VtAppInfoDbTest, AProgramWithoutAnIconIsSavedWithIconIdZeroAndTriedAgainAtEachSave)
{
    const std::wstring plainPath = L"C:\\Tools\\plain.exe";
    const auto app = appFor(plainPath);
    EXPECT_EQ(app->icon(16, 16), nullptr);
    EXPECT_EQ(app->icon(32, 32), nullptr);
    EXPECT_EQ(programs->extractionCount(), 1);
    database->addRef(app);
    EXPECT_EQ(saved()[0][L"icon_id"], L"0");
    EXPECT_EQ(saved()[0][L"icon_id"], L"0");
    EXPECT_EQ(programs->extractionCount(), 3);
    EXPECT_FALSE(icons->isModified());

    programs->withIcons.insert(plainPath);
    EXPECT_EQ(saved()[0][L"icon_id"], L"1");
    EXPECT_TRUE(icons->isModified());
    EXPECT_NE(app->icon(16, 16), nullptr);
}

TEST_F(VtAppInfoDbTest, AFailedCopyIntoTheIconsFolderIsTriedAgainAtTheNextSave)
{
    database->addRef(appFor(editorPath));
    disk->failCopies = true;
    EXPECT_EQ(saved()[0][L"icon_id"], L"0");
    disk->failCopies = false;
    EXPECT_EQ(saved()[0][L"icon_id"], L"1");
    EXPECT_EQ(programs->extractionCount(), 1) << "the extracted icon is kept for the retry";
}

TEST_F(VtAppInfoDbTest, ReadingStopsAtAnIncompleteItemAndKeepsTheOnesBeforeIt)
{
    MemoryTreeStream stream;
    const auto first = stream.addChild(L"item");
    for (const auto& [name, value] : std::map<std::wstring, std::wstring>{{L"item-id", L"4"},
                                                                         {L"item-refs", L"2"},
                                                                         {L"icon_id", L"3"},
                                                                         {L"binary_path", editorPath},
                                                                         {L"ui_name", L"Editor (Editor.exe)"}})
        first->writeValue(name, value, true);
    const auto second = stream.addChild(L"item");
    for (const auto& [name, value] : std::map<std::wstring, std::wstring>{
             {L"item-id", L"5"}, {L"item-refs", L"1"}, {L"icon_id", L"0"}, {L"binary_path", L"C:\\x.exe"}})
        second->writeValue(name, value, true);
    kelSerializationIoStream io(static_cast<kelSerializationInputStream&>(stream));

    EXPECT_FALSE(database->serialize(io, 0));
    const auto items = database->getItems();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items.at(4)->refs, 2u);
    EXPECT_EQ(items.at(4)->value->iconId(), 3u);
    EXPECT_EQ(database->addRef(appFor(L"C:\\Tools\\plain.exe")), 5u);
}

// The settings page shows icons on the UI thread while the autosave thread
// writes the database and the automatic-action thread matches the program in
// front (the thread sanitizer watches the host build).
TEST_F(VtAppInfoDbTest, PagesSavesAndMatchingRunTogether)
{
    programs->withIcons.insert(L"C:\\Games\\game.exe");
    const unsigned editor = database->addRef(appFor(editorPath));
    const unsigned game = database->addRef(appFor(L"C:\\Games\\game.exe"));
    std::atomic<bool> done{false};
    std::atomic<int> passes{0};

    std::thread autosave([&] {
        for (; !done.load(); ++passes) {
            MemoryTreeStream stream;
            kelSerializationIoStream io(static_cast<kelSerializationOutputStream&>(stream));
            EXPECT_TRUE(database->serialize(io, 0));
            MemoryTreeStream iconStream;
            kelSerializationIoStream iconIo(static_cast<kelSerializationOutputStream&>(iconStream));
            EXPECT_TRUE(icons->serialize(iconIo, 0));
        }
    });
    std::thread matching([&] {
        const FakeRunningApp inFront(9, L"c:\\games\\GAME.exe");
        while (!done.load()) {
            unsigned found = 0;
            for (const auto& [id, item] : database->getItems()) {
                if (item->value->matchesRunningApp(inFront)) {
                    found = id;
                    break;
                }
            }
            EXPECT_EQ(found, game);
        }
    });
    for (int round = 0; round < 200 || passes.load() < 2; ++round) {
        for (const auto& [id, item] : database->getItems())
            item->value->icon(16, 16);
        const unsigned added = database->addRef(appFor(L"C:\\Tools\\tool" + std::to_wstring(round % 3) + L".exe"));
        database->remove(added);
    }
    done.store(true);
    autosave.join();
    matching.join();
    EXPECT_EQ(database->getItems().size(), 2u);
    EXPECT_NE(database->getItem(editor)->value->iconId(), 0u);
}

} // namespace
