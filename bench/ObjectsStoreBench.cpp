#include "app/AppSerializableObjectsMgr.h"
#include "app/FolderAppConfiguration.h"
#include "persistence/kelSerializable.h"
#include "persistence/kelSerializationIoStream.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

// As large as a long profile list: 300 named entries of 8 monitor values each.
class ProfilesSizedDocument : public kelSerializable {
public:
    ProfilesSizedDocument()
    {
        for (int entry = 0; entry < 300; ++entry)
            names.push_back(L"Profile " + std::to_wstring(entry));
    }

    bool serialize(kelSerializationIoStream& io, unsigned) override
    {
        if (io.isReading()) {
            loadedEntries = 0;
            for (const auto& entry : io.children(L"profile")) {
                std::wstring name;
                entry->input()->read(L"name", name, true);
                loadedEntries += static_cast<int>(entry->children(L"monitor").size());
            }
            return true;
        }
        for (const auto& name : names) {
            const auto entry = io.child(L"profile");
            if (!entry || !entry->output()->write(L"name", name, true))
                return false;
            for (int value = 0; value < 8; ++value) {
                const auto monitor = entry->child(L"monitor");
                if (!monitor || !monitor->output()->write(L"id", value + 1, true) ||
                    !monitor->output()->write(L"brightness", 0.25f + value / 32.0f, true))
                    return false;
            }
        }
        return true;
    }

    std::vector<std::wstring> names;
    int loadedEntries = 0;
};

struct BenchFolder {
    BenchFolder() : path(std::filesystem::temp_directory_path() / "vantrel-store-bench")
    {
        std::filesystem::create_directories(path);
    }
    ~BenchFolder() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

std::shared_ptr<AppSerializableObjectsMgr> makeManager(const BenchFolder& folder)
{
    return std::make_shared<AppSerializableObjectsMgr>(
        std::make_shared<FolderAppConfiguration>(L"Vantrel", folder.path.wstring()));
}

void saveProfilesSizedDocument(benchmark::State& state)
{
    BenchFolder folder;
    auto document = std::make_shared<ProfilesSizedDocument>();
    auto manager = makeManager(folder);
    manager->registerObject(document, L"profiles.vt");
    for (auto _ : state) {
        if (!manager->saveObject(document, false))
            state.SkipWithError("save failed");
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(folder.path / "profiles.vt"));
}
BENCHMARK(saveProfilesSizedDocument)->Unit(benchmark::kMillisecond);

void loadProfilesSizedDocument(benchmark::State& state)
{
    BenchFolder folder;
    auto document = std::make_shared<ProfilesSizedDocument>();
    auto manager = makeManager(folder);
    manager->registerObject(document, L"profiles.vt");
    manager->saveObject(document, false);
    for (auto _ : state) {
        manager->registerObject(document, L"profiles.vt");
        if (document->loadedEntries != 300 * 8)
            state.SkipWithError("load incomplete");
    }
}
BENCHMARK(loadProfilesSizedDocument)->Unit(benchmark::kMillisecond);

} // namespace
