#include "persistence/MemoryTreeStream.h"
#include "system/kelBinaryFileVersionInfo.h"
#include "system/kelRunningAppVersionInfo.h"
#include "system/kelVersionResource.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// A version resource made of what a test puts in it, answering only the
// exact query paths it holds.
class FakeVersionResource : public kelVersionResource {
public:
    std::optional<kelFixedFileVersions> fixed;
    std::vector<kelVersionTranslation> languages;
    std::map<std::wstring, std::wstring> texts;

    std::optional<kelFixedFileVersions> fixedVersions() const override { return fixed; }
    std::vector<kelVersionTranslation> translations() const override { return languages; }
    std::optional<std::wstring> text(const std::wstring& queryPath) const override
    {
        const auto found = texts.find(queryPath);
        if (found == texts.end())
            return std::nullopt;
        return found->second;
    }
};

class FakeVersionResourceReader : public kelVersionResourceReader {
public:
    std::map<std::wstring, FakeVersionResource> files;
    std::wstring running = L"C:\\Program Files\\Vantrel\\Vantrel.exe";

    std::unique_ptr<kelVersionResource> open(const std::wstring& path) const override
    {
        const auto found = files.find(path);
        if (found == files.end())
            return nullptr;
        return std::make_unique<FakeVersionResource>(found->second);
    }
    std::wstring runningExecutablePath() const override { return running; }
};

const std::wstring germanTable = L"\\StringFileInfo\\040704b0\\";
const std::wstring englishTable = L"\\StringFileInfo\\040904e4\\";

// A German-first resource, as a translated program would carry it.
FakeVersionResource vantrelResource(const std::wstring& productVersionText)
{
    FakeVersionResource resource;
    resource.fixed = kelFixedFileVersions{{2, 5, 0, 7}, {1, 8, 0, 0}};
    resource.languages = {{0x0407, 0x04b0}, {0x0409, 0x04e4}};
    resource.texts = {{germanTable + L"ProductName", L"Vantrel"},
                      {germanTable + L"ProductVersion", productVersionText},
                      {germanTable + L"CompanyName", L"Vantrel Software"},
                      {germanTable + L"FileDescription", L"Bildschirmsteuerung"},
                      {germanTable + L"FileVersion", L"2.5.0.7"},
                      {englishTable + L"FileDescription", L"Monitor control"}};
    return resource;
}

} // namespace

TEST(BinaryFileVersionInfo, TextsComeFromTheFirstListedLanguage)
{
    FakeVersionResourceReader reader;
    reader.files[L"C:\\a.exe"] = vantrelResource(L"1, 8, 0, 0");
    kelBinaryFileVersionInfo info;
    ASSERT_TRUE(info.read(L"C:\\a.exe", reader));
    EXPECT_EQ(info.productName, L"Vantrel");
    EXPECT_EQ(info.companyName, L"Vantrel Software");
    EXPECT_EQ(info.fileDescription, L"Bildschirmsteuerung");
    EXPECT_EQ(info.productVersionText, L"1, 8, 0, 0");
    EXPECT_EQ(info.legalCopyright, L"");
}

TEST(BinaryFileVersionInfo, VersionsComeFromTheNumbersAndTheProductText)
{
    const struct {
        std::wstring productText;
        std::wstring expectedProduct;
    } cases[] = {
        {L"1, 8, 0, 0", L"1.8"},
        {L"1.8.6 beta", L"1.8.6beta"},
        // A text that is no version leaves the numbers' version.
        {L"preview", L"1.8"},
    };
    for (const auto& c : cases) {
        FakeVersionResourceReader reader;
        reader.files[L"C:\\a.exe"] = vantrelResource(c.productText);
        kelBinaryFileVersionInfo info;
        ASSERT_TRUE(info.read(L"C:\\a.exe", reader));
        EXPECT_EQ(info.productVersion.toString(), c.expectedProduct) << c.productText;
        EXPECT_EQ(info.fileVersion.toString(), L"2.5.0.7");
    }
}

TEST(BinaryFileVersionInfo, AFileWithoutAReadableResourceLeavesEverythingEmpty)
{
    FakeVersionResourceReader reader;
    reader.files[L"C:\\a.exe"] = vantrelResource(L"1.8");
    kelBinaryFileVersionInfo info;
    ASSERT_TRUE(info.read(L"C:\\a.exe", reader));

    EXPECT_FALSE(info.read(L"C:\\missing.exe", reader));
    EXPECT_EQ(info.productName, L"");
    EXPECT_EQ(info.productVersionText, L"");
    EXPECT_EQ(info.productVersion.toString(), L"");
    EXPECT_EQ(info.fileVersion.toString(), L"");
}

TEST(BinaryFileVersionInfo, WithoutLanguagesOnlyTheNumbersAreRead)
{
    FakeVersionResourceReader reader;
    FakeVersionResource resource = vantrelResource(L"1.8.6");
    resource.languages.clear();
    reader.files[L"C:\\a.exe"] = resource;
    kelBinaryFileVersionInfo info;
    ASSERT_TRUE(info.read(L"C:\\a.exe", reader));
    EXPECT_EQ(info.productName, L"");
    EXPECT_EQ(info.productVersion.toString(), L"1.8");
    EXPECT_EQ(info.fileVersion.toString(), L"2.5.0.7");
}

TEST(BinaryFileVersionInfo, StoredAsElementsWithBothVersionsInShortForm)
{
    FakeVersionResourceReader reader;
    reader.files[L"C:\\a.exe"] = vantrelResource(L"1, 8, 0, 0");
    kelBinaryFileVersionInfo info;
    ASSERT_TRUE(info.read(L"C:\\a.exe", reader));
    MemoryTreeStream tree;
    ASSERT_TRUE(info.save(tree));
    EXPECT_EQ(tree.value(L"ProductName", false), L"Vantrel");
    EXPECT_EQ(tree.value(L"ProductVersion", false), L"1, 8, 0, 0");
    EXPECT_EQ(tree.value(L"ProductVersionDigit", false), L"1.8");
    EXPECT_EQ(tree.value(L"FileVersionDigit", false), L"2.5.0.7");
    EXPECT_EQ(tree.value(L"ProductName", true), std::nullopt);

    kelBinaryFileVersionInfo loaded;
    ASSERT_TRUE(loaded.load(tree));
    EXPECT_EQ(loaded.companyName, L"Vantrel Software");
    EXPECT_EQ(loaded.productVersion.parts, info.productVersion.parts);
    EXPECT_EQ(loaded.fileVersion.toString(), L"2.5.0.7");
}

TEST(BinaryFileVersionInfo, RunningProgramReadsItsOwnFile)
{
    FakeVersionResourceReader reader;
    reader.files[reader.running] = vantrelResource(L"1.8.6");
    reader.files[L"C:\\other.exe"] = FakeVersionResource();
    const kelRunningAppVersionInfo running(reader);
    EXPECT_EQ(running.productName, L"Vantrel");
    EXPECT_EQ(running.productVersion.toString(), L"1.8.6");
}
