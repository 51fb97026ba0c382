#include "automation/FakeForegroundKeeperPlatform.h"
#include "automation/FakeIconFiles.h"
#include "automation/FakeRunningApp.h"
#include "automation/VtAppInfoDb.h"
#include "automation/VtForegroundAppKeeper.h"
#include "automation/VtIconDatabase.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace std::chrono_literals;

const std::wstring editorPath = L"C:\\Tools\\Editor.exe";
const std::wstring playerPath = L"C:\\Tools\\Player.exe";

class ForegroundAppKeeperTest : public ::testing::Test {
protected:
    std::shared_ptr<const RunningAppInfo> app(std::uint32_t processId, const std::wstring& path)
    {
        return std::make_shared<FakeRunningApp>(processId, path);
    }

    std::uint32_t addApplication(const std::wstring& path)
    {
        auto application = database->createValue();
        application->setFromRunningApp(FakeRunningApp(1, path));
        return database->addRef(application);
    }

    const std::shared_ptr<FakeForegroundKeeperPlatform> clock = std::make_shared<FakeForegroundKeeperPlatform>();
    const std::shared_ptr<FakeIconFiles> disk = std::make_shared<FakeIconFiles>();
    const std::shared_ptr<VtAppInfoDb> database = std::make_shared<VtAppInfoDb>(
        std::make_shared<VtIconDatabase>(L"D:\\icons", disk), std::make_shared<FakeProgramFiles>(*disk), disk);
    VtForegroundAppKeeper keeper{database, clock};
};

} // namespace

TEST_F(ForegroundAppKeeperTest, AnApplicationBecomesCurrentAfterThreeSecondsInFront)
{
    const auto editor = app(10, editorPath);
    keeper.onForegroundApp(editor);
    clock->advance(2999ms);
    EXPECT_EQ(keeper.currentApp(), nullptr);
    clock->advance(1ms);
    EXPECT_EQ(keeper.currentApp(), editor);
}

TEST_F(ForegroundAppKeeperTest, LeavingAndComingBackWithinTheDelayChangesNothing)
{
    const auto editor = app(10, editorPath);
    keeper.onForegroundApp(editor);
    clock->advance(3s);
    ASSERT_EQ(keeper.currentApp(), editor);

    keeper.onForegroundApp(app(20, playerPath));
    clock->advance(2s);
    EXPECT_EQ(keeper.currentApp(), editor);
    keeper.onForegroundApp(editor);
    clock->advance(5s);
    EXPECT_EQ(keeper.currentApp(), editor);
}

TEST_F(ForegroundAppKeeperTest, AnotherWindowOfTheCurrentProcessIsCurrentAtOnce)
{
    keeper.onForegroundApp(app(10, editorPath));
    clock->advance(3s);
    ASSERT_NE(keeper.currentApp(), nullptr);

    const auto secondWindow = app(10, editorPath);
    keeper.onForegroundApp(secondWindow);
    EXPECT_EQ(keeper.currentApp(), secondWindow);
}

TEST_F(ForegroundAppKeeperTest, AfterTheScreenChangedSizeTheCurrentApplicationStaysSevenSeconds)
{
    const auto editor = app(10, editorPath);
    keeper.onForegroundApp(editor);
    clock->advance(3s);
    ASSERT_EQ(keeper.currentApp(), editor);

    clock->setScreenWidth(1920);
    const auto player = app(20, playerPath);
    keeper.onForegroundApp(player);
    EXPECT_EQ(keeper.currentApp(), editor) << "the size change is seen here";
    clock->advance(6999ms);
    EXPECT_EQ(keeper.currentApp(), editor);
    clock->advance(1ms);
    EXPECT_EQ(keeper.currentApp(), player) << "the switch pending since the change is taken over";
}

TEST_F(ForegroundAppKeeperTest, TheCurrentApplicationIsKnownByItsProgramsIdInAnyLetterCase)
{
    addApplication(playerPath);
    const std::uint32_t editorId = addApplication(editorPath);

    keeper.onForegroundApp(app(10, L"c:\\tools\\EDITOR.exe"));
    EXPECT_EQ(keeper.currentAppId(), 0u) << "not yet current";
    clock->advance(3s);
    EXPECT_EQ(keeper.currentAppId(), editorId);

    keeper.onForegroundApp(app(30, L"C:\\Tools\\Unknown.exe"));
    clock->advance(3s);
    EXPECT_EQ(keeper.currentAppId(), 0u) << "a program the database does not know";

    keeper.onForegroundApp(nullptr);
    clock->advance(3s);
    EXPECT_EQ(keeper.currentApp(), nullptr);
    EXPECT_EQ(keeper.currentAppId(), 0u);
}
