#include "app/FolderAppConfiguration.h"

#include "persistence/kelSerializationBindings.h"
#include "persistence/kelSerializationStreams.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

TEST(AppConfigurationTest, RootElementNameKeepsOnlyLettersAndDigits)
{
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"Vantrel", L"Vantrel"},
        {L"Vantrel Pro 2.0!", L"VantrelPro20"},
        {L"-- . !?", L"root"},
        {L"", L"root"},
    };
    for (const auto& [product, expected] : cases)
        EXPECT_EQ(AppConfiguration::rootElementName(product), expected);
}

TEST(AppConfigurationTest, OutputStreamWritesUnderTheProductRoot)
{
    const ScratchFolder folder;
    FolderAppConfiguration configuration(L"My Product!", folder.path().wstring());
    auto out = configuration.createOutputStream();
    auto sink = std::make_shared<std::ostringstream>();
    auto& binding = dynamic_cast<kelSerializationOutputStreamBinding&>(*out);
    ASSERT_TRUE(binding.bind(sink));
    ASSERT_TRUE(out->write(L"a", L"1", true));
    ASSERT_TRUE(binding.flush());
    EXPECT_NE(sink->str().find("<MyProduct "), std::string::npos) << sink->str();
    EXPECT_NE(configuration.createInputStream(L"any.vt"), nullptr);
}

TEST(AppConfigurationTest, FilePathIsInsideTheDataFolderWhichIsCreated)
{
    const ScratchFolder base;
    const auto folder = base.path() / "Vendor" / "Vantrel";
    FolderAppConfiguration configuration(L"Vantrel", folder.wstring());

    EXPECT_EQ(std::filesystem::path(configuration.dataFolder().filePath(L"settings.vt", false)), folder / "settings.vt");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

// Without a data folder a file name alone would land in the current folder,
// or in the root of the current drive.
TEST(AppConfigurationTest, NoDataFolderGivesNoFilePath)
{
    FolderAppConfiguration configuration(L"Vantrel", L"");
    EXPECT_EQ(configuration.dataFolder().folder(false), L"");
    EXPECT_EQ(configuration.dataFolder().filePath(L"settings.vt", false), L"");
}
