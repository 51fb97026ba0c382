// The host build's icon files: real folders and files, but no icons, which
// only the platform can load.
#include "automation/IconFiles.h"

#include <filesystem>
#include <system_error>

namespace {

class HostIconFiles : public IconFiles {
public:
    bool createFolder(const std::wstring& folder) override
    {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        return std::filesystem::is_directory(folder, error);
    }

    bool exists(const std::wstring& path) override
    {
        std::error_code error;
        const auto status = std::filesystem::status(path, error);
        return !error || status.type() != std::filesystem::file_type::not_found;
    }

    bool copy(const std::wstring& from, const std::wstring& to) override
    {
        std::error_code error;
        return std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    }

    void remove(const std::wstring& path) override
    {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }

    IconHandle loadIcon(const std::wstring&, int, int) override { return nullptr; }
    void destroyIcon(IconHandle) override {}
};

} // namespace

std::shared_ptr<IconFiles> IconFiles::real()
{
    return std::make_shared<HostIconFiles>();
}
