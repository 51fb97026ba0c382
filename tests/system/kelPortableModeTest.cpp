#include "persistence/StoreTestSupport.h"
#include "system/kelPortableMode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::filesystem::path> entriesOf(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> entries;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        entries.push_back(entry.path().filename());
    return entries;
}

enum class Marker { none, emptyFile, fileWithText, folder };

struct MarkerCase {
    const char* label;
    Marker marker;
    bool portable;
};

class PortableModeMarker : public testing::TestWithParam<MarkerCase> {};

} // namespace

TEST_P(PortableModeMarker, PutsTheDataFolderBesideTheProgramOnlyForAMarkerFile)
{
    const StoreScratchFolder program;
    const std::filesystem::path marker = program.path() / "portable.ini";
    switch (GetParam().marker) {
    case Marker::none:
        break;
    case Marker::emptyFile:
        writeText(marker, "");
        break;
    case Marker::fileWithText:
        writeText(marker, "[anything]\nkey=value\n");
        break;
    case Marker::folder:
        std::filesystem::create_directory(marker);
        break;
    }

    const std::wstring folder = kelPortableMode::dataFolder(program.path().wstring());

    EXPECT_EQ(folder, GetParam().portable ? (program.path() / "Data").wstring() : std::wstring());
    EXPECT_FALSE(std::filesystem::exists(program.path() / "Data")) << "choosing the folder must not make it";
}

INSTANTIATE_TEST_SUITE_P(Markers, PortableModeMarker,
                         testing::Values(MarkerCase{"none", Marker::none, false},
                                         MarkerCase{"emptyFile", Marker::emptyFile, true},
                                         MarkerCase{"fileWithText", Marker::fileWithText, true},
                                         MarkerCase{"folder", Marker::folder, false}),
                         [](const testing::TestParamInfo<MarkerCase>& info) { return info.param.label; });

TEST(PortableModeFolder, AMissingFolderIsMadeWithItsParentsAndLeftEmpty)
{
    const StoreScratchFolder program;
    const std::filesystem::path data = program.path() / "stick" / "Vantrel" / "Data";

    EXPECT_TRUE(kelPortableMode::canWriteIn(data.wstring()));

    ASSERT_TRUE(std::filesystem::is_directory(data));
    EXPECT_TRUE(entriesOf(data).empty()) << "the check left a file behind";
}

TEST(PortableModeFolder, AFolderWithSettingsKeepsThemUntouched)
{
    const StoreScratchFolder data;
    writeText(data.path() / "settings.vt", "<Vantrel/>");

    EXPECT_TRUE(kelPortableMode::canWriteIn(data.path().wstring()));

    EXPECT_EQ(entriesOf(data.path()), std::vector<std::filesystem::path>{"settings.vt"});
    std::ifstream in(data.path() / "settings.vt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "<Vantrel/>");
}

// The tests run as root, whom no permission refuses; a file standing where
// the folder or one of its parents should be refuses every write as a
// read-only medium does.
TEST(PortableModeFolder, AFileInTheFoldersPlaceMakesItUnwritableAndStaysAsItWas)
{
    const StoreScratchFolder program;
    writeText(program.path() / "Data", "not a folder");
    writeText(program.path() / "parent", "not a folder");

    EXPECT_FALSE(kelPortableMode::canWriteIn((program.path() / "Data").wstring()));
    EXPECT_FALSE(kelPortableMode::canWriteIn((program.path() / "parent" / "Data").wstring()));

    EXPECT_TRUE(std::filesystem::is_regular_file(program.path() / "Data"));
    std::ifstream in(program.path() / "Data", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not a folder");
}
