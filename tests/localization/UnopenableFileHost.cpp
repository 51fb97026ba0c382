#include "localization/UnopenableFile.h"

#include "localization/LanguageFolder.h"

#include <filesystem>
#include <system_error>

struct UnopenableFile::State {
    std::filesystem::path path;
    std::filesystem::path keptAside;
    bool active = false;
};

UnopenableFile::UnopenableFile(const std::wstring& path) : state(std::make_unique<State>())
{
    state->path = LanguageFolder::nativePath(path);
    state->keptAside = state->path;
    state->keptAside += ".kept";
    std::error_code error;
    std::filesystem::rename(state->path, state->keptAside, error);
    if (!error)
        std::filesystem::create_symlink(state->path.parent_path() / "nowhere", state->path, error);
    state->active = !error;
}

UnopenableFile::~UnopenableFile()
{
    std::error_code ignored;
    std::filesystem::remove(state->path, ignored);
    std::filesystem::rename(state->keptAside, state->path, ignored);
}

bool UnopenableFile::active() const
{
    return state->active;
}
