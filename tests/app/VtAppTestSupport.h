#pragma once

#include "app/FolderAppConfiguration.h"
#include "app/VtApp.h"
#include "monitor/FakeMonitorsManager.h"
#include "persistence/StoreTestSupport.h"
#include "support/kelComInitialize.h"
#include "tasks/MonitorsTasks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A start-up of the model over a data folder of its own and fake monitors.
class VtAppTest : public ::testing::Test {
protected:
    std::unique_ptr<VtApp> makeApp()
    {
        return std::make_unique<VtApp>(
            [this] { return std::make_shared<FolderAppConfiguration>(L"Vantrel", folder.path().wstring()); },
            sameFakePlatform(platform));
    }

    std::string file(const char* name) const { return readBytes(folder.path() / name).value_or(""); }

    std::shared_ptr<FakeMonitorManager> monitor(const std::wstring& name, const std::wstring& instance,
                                                const std::string& originalState)
    {
        auto fake = makeFakeMonitor(name, instance);
        fake->fakeControl->savedState = originalState;
        return fake;
    }

    // Starts the model, then ends it; the ids of the monitors it listed.
    std::vector<std::wstring> startAndListIds()
    {
        const auto app = makeApp();
        EXPECT_TRUE(app->initialize());
        EXPECT_TRUE(app->profiles());
        const auto guard = app->monitorsTasks()->autoLock();
        std::vector<std::wstring> ids;
        for (const auto& listed : *app->monitorsTasks()->monitorsManager()->monitors())
            ids.push_back(listed->displayDevice()->instanceName());
        return ids;
    }

    // The settings files are read through MSXML on Windows.
    const kelComInitialize com;
    StoreScratchFolder folder;
    std::shared_ptr<FakeMonitorsManager> platform = std::make_shared<FakeMonitorsManager>();
};
