#include "localization/LinearUiLocalizationManager.h"

#include "localization/LanguageFileBytes.h"
#include "localization/UnopenableFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int german = 0x407;
constexpr int english = 0x409;

class CodeCounter : public kelConsumesVaEvents {
public:
    void onVaEventCode(kelRaisesVaEvents* raiser, std::uint32_t code, va_list) override
    {
        codes.push_back(code);
    }
    std::vector<std::uint32_t> codes;
};

std::vector<std::wstring> namesOf(const std::vector<UiLocalization*>& languages)
{
    std::vector<std::wstring> names;
    for (const UiLocalization* language : languages)
        names.push_back(language->name());
    return names;
}

UiLocalization* named(LinearUiLocalizationManager& manager, const std::wstring& name)
{
    for (UiLocalization* language : manager.list()) {
        if (language->name() == name)
            return language;
    }
    return nullptr;
}

class LinearUiLocalizationManagerOver : public testing::Test {
protected:
    void writeEnglish() { folder.writeLanguage("eng.loc", U"English", U"409", U"Profile\nBrightness\nContrast\n"); }
    void writeGerman() { folder.writeLanguage("deu.loc", U"German", U"407", U"Profil\nHelligkeit\n"); }

    // Subscribed before anything is selected, unsubscribed before the manager goes.
    struct Watched {
        explicit Watched(const std::wstring& folder, int userLanguage) : manager(folder, userLanguage)
        {
            manager.addConsumer(&events);
        }
        ~Watched() { manager.removeConsumer(&events); }
        LinearUiLocalizationManager manager;
        CodeCounter events;
    };

    LanguageScratchFolder folder;
};

TEST_F(LinearUiLocalizationManagerOver, StartsInEnglishWhenNoFileMatchesTheUser)
{
    writeEnglish();
    folder.writeLanguage("fra.loc", U"French", U"40c", U"Profil\n");
    LinearUiLocalizationManager manager(folder.path(), german);
    ASSERT_NE(manager.effective(), nullptr);
    EXPECT_EQ(manager.effective(), manager.current());
    EXPECT_EQ(manager.current()->name(), L"English");
    EXPECT_EQ(manager.userDefault(), nullptr);
    EXPECT_EQ(manager.effective()->string(1), L"Brightness");
    EXPECT_EQ(manager.effective()->count(), 3);
}

TEST_F(LinearUiLocalizationManagerOver, StartsInSwissGermanForAGermanUser)
{
    writeEnglish();
    folder.writeLanguage("gsw.loc", U"Swiss German", U"807", U"Profil\n");
    LinearUiLocalizationManager manager(folder.path(), german);
    ASSERT_NE(manager.userDefault(), nullptr);
    EXPECT_EQ(manager.userDefault()->name(), L"Swiss German");
    EXPECT_EQ(manager.current(), manager.userDefault());
    EXPECT_EQ(manager.effective()->name(), L"Swiss German");
    EXPECT_EQ(manager.effective()->string(0), L"Profil");
    EXPECT_EQ(manager.effective()->string(1), L"Brightness");
}

TEST_F(LinearUiLocalizationManagerOver, TheFirstMatchingFileByNameIsTheUserDefault)
{
    writeEnglish();
    folder.writeLanguage("b-austria.loc", U"Austrian German", U"c07", U"Profil\n");
    folder.writeLanguage("a-germany.loc", U"German", U"407", U"Profil\n");
    LinearUiLocalizationManager manager(folder.path(), 0x807);
    EXPECT_EQ(manager.userDefault()->name(), L"German");
}

TEST_F(LinearUiLocalizationManagerOver, AnEnglishUserGetsTheEnglishFileAsDefault)
{
    writeEnglish();
    writeGerman();
    LinearUiLocalizationManager manager(folder.path(), 0x809);
    EXPECT_EQ(manager.userDefault(), named(manager, L"English"));
    EXPECT_EQ(manager.effective(), manager.userDefault());
}

TEST_F(LinearUiLocalizationManagerOver, AnUnknownUserLanguageDoesNotPickAFileWithoutId)
{
    writeEnglish();
    folder.writeLanguage("xx.loc", U"Nameless Id", U"not hex", U"x\n");
    LinearUiLocalizationManager manager(folder.path(), 0);
    EXPECT_EQ(manager.userDefault(), nullptr);
    EXPECT_EQ(manager.current()->name(), L"English");
}

TEST_F(LinearUiLocalizationManagerOver, ListsEveryNamedFileInNameOrder)
{
    writeEnglish();
    writeGerman();
    folder.writeLanguage("fra.LOC", U"French", U"40c", U"Profil\n");
    folder.write("nameless.loc", "{346C8741-79A9-4355-8129-A227067C9AD7}\nstring\n");
    folder.write("empty.loc", "");
    folder.write("readme.txt", "English\nEnglish\n409\n");
    std::filesystem::create_directory(folder.native("folder.loc"));
    LinearUiLocalizationManager manager(folder.path(), english);
    EXPECT_EQ(namesOf(manager.list()), (std::vector<std::wstring>{L"German", L"English", L"French"}));
}

TEST_F(LinearUiLocalizationManagerOver, ReadsATranslationOnlyWhenItIsFirstSelected)
{
    writeEnglish();
    writeGerman();
    LinearUiLocalizationManager manager(folder.path(), english);
    auto* translation = dynamic_cast<LinearUiLocalization*>(named(manager, L"German"));
    ASSERT_NE(translation, nullptr);
    EXPECT_TRUE(translation->isHeaderOnly());
    EXPECT_FALSE(dynamic_cast<LinearUiLocalization*>(manager.current())->isHeaderOnly());

    ASSERT_TRUE(manager.select(translation));
    EXPECT_FALSE(translation->isHeaderOnly());
    EXPECT_EQ(manager.current(), translation);
    EXPECT_EQ(manager.effective()->string(1), L"Helligkeit");
    EXPECT_EQ(manager.effective()->string(2), L"Contrast");
}

TEST_F(LinearUiLocalizationManagerOver, ReadsEachFileOnce)
{
    writeEnglish();
    writeGerman();
    LinearUiLocalizationManager manager(folder.path(), german);
    folder.writeLanguage("deu.loc", U"German", U"407", U"Changed\n");
    folder.writeLanguage("eng.loc", U"English", U"409", U"Changed\n");
    ASSERT_TRUE(manager.select(named(manager, L"English")));
    ASSERT_TRUE(manager.select(named(manager, L"German")));
    EXPECT_EQ(manager.effective()->string(0), L"Profil");
    EXPECT_EQ(manager.effective()->string(2), L"Contrast");
}

TEST_F(LinearUiLocalizationManagerOver, RaisesCodeZeroForEveryChangeOnly)
{
    writeEnglish();
    writeGerman();
    Watched watched(folder.path(), english);
    LinearUiLocalizationManager& manager = watched.manager;
    UiLocalization* englishLanguage = named(manager, L"English");
    UiLocalization* germanLanguage = named(manager, L"German");

    EXPECT_TRUE(manager.select(englishLanguage));
    EXPECT_TRUE(watched.events.codes.empty());
    EXPECT_TRUE(manager.select(germanLanguage));
    EXPECT_TRUE(manager.select(germanLanguage));
    EXPECT_TRUE(manager.select(englishLanguage));
    EXPECT_EQ(watched.events.codes, (std::vector<std::uint32_t>{0, 0}));
    EXPECT_EQ(manager.effective(), englishLanguage);
}

TEST_F(LinearUiLocalizationManagerOver, RefusesWhatIsNotOneOfItsLanguages)
{
    writeEnglish();
    writeGerman();
    Watched watched(folder.path(), german);
    LinearUiLocalizationManager& manager = watched.manager;
    UiLocalization* before = manager.current();
    UiLocalization* pair = manager.effective();
    ASSERT_NE(pair, before);

    LinearUiLocalization stranger(folder.file("deu.loc"));
    stranger.readAll();
    EXPECT_FALSE(manager.select(pair));
    EXPECT_FALSE(manager.select(&stranger));
    EXPECT_FALSE(manager.select(nullptr));
    EXPECT_EQ(manager.current(), before);
    EXPECT_TRUE(watched.events.codes.empty());
}

TEST_F(LinearUiLocalizationManagerOver, ATranslationThatCannotBeOpenedWhenSelectedLeavesTheLanguageAsItWas)
{
    writeEnglish();
    writeGerman();
    Watched watched(folder.path(), english);
    const UnopenableFile locked(folder.file("deu.loc"));
    ASSERT_TRUE(locked.active());
    EXPECT_FALSE(watched.manager.select(named(watched.manager, L"German")));
    EXPECT_EQ(watched.manager.current()->name(), L"English");
    EXPECT_EQ(watched.manager.effective(), watched.manager.current());
    EXPECT_TRUE(watched.events.codes.empty());
}

TEST_F(LinearUiLocalizationManagerOver, ATranslationThatIsGoneWhenSelectedLeavesTheLanguageAsItWas)
{
    writeEnglish();
    writeGerman();
    LinearUiLocalizationManager manager(folder.path(), english);
    std::filesystem::remove(folder.native("deu.loc"));
    EXPECT_FALSE(manager.select(named(manager, L"German")));
    EXPECT_EQ(manager.current()->name(), L"English");
}

TEST_F(LinearUiLocalizationManagerOver, ASavedNameSelectsItsLanguageExactly)
{
    writeEnglish();
    writeGerman();
    folder.writeLanguage("fra.loc", U"French", U"40c", U"Profil\n");
    LinearUiLocalizationManager manager(folder.path(), german);
    EXPECT_TRUE(manager.selectByName(L"French"));
    EXPECT_EQ(manager.current()->name(), L"French");
    EXPECT_FALSE(manager.selectByName(L"german"));
    EXPECT_EQ(manager.current()->name(), L"French");
}

TEST_F(LinearUiLocalizationManagerOver, ASavedNameWithoutAFileLeavesTheUserDefault)
{
    writeEnglish();
    writeGerman();
    LinearUiLocalizationManager manager(folder.path(), german);
    EXPECT_FALSE(manager.selectByName(L"Klingon"));
    EXPECT_FALSE(manager.selectByName(L""));
    EXPECT_EQ(manager.current(), manager.userDefault());
    EXPECT_EQ(manager.current()->name(), L"German");
}

struct LockedFileCase {
    const char* file;
    std::vector<std::wstring> listed;
};

class LinearUiLocalizationManagerLocked : public testing::TestWithParam<LockedFileCase> {};

// A file held open without sharing by another program: a translation is
// passed over, English is missing and the manager unusable.
TEST_P(LinearUiLocalizationManagerLocked, PassesOverAFileThatCannotBeOpenedAtStart)
{
    LanguageScratchFolder folder;
    folder.writeLanguage("eng.loc", U"English", U"409", U"Profile\n");
    folder.writeLanguage("deu.loc", U"German", U"407", U"Profil\n");
    const UnopenableFile locked(folder.file(GetParam().file));
    ASSERT_TRUE(locked.active());
    LinearUiLocalizationManager manager(folder.path(), german);
    EXPECT_EQ(namesOf(manager.list()), GetParam().listed);
    EXPECT_EQ(manager.effective() != nullptr, !GetParam().listed.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, LinearUiLocalizationManagerLocked,
                         testing::Values(LockedFileCase{"deu.loc", {L"English"}}, LockedFileCase{"eng.loc", {}}));

struct BrokenFolderCase {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;
};

class LinearUiLocalizationManagerBroken : public testing::TestWithParam<BrokenFolderCase> {};

// Start-up reports each of these as a damaged installation.
TEST_P(LinearUiLocalizationManagerBroken, IsUnusable)
{
    LanguageScratchFolder folder;
    for (const auto& [name, bytes] : GetParam().files)
        folder.write(name, bytes);
    LinearUiLocalizationManager manager(folder.path(), german);
    EXPECT_EQ(manager.effective(), nullptr);
    EXPECT_EQ(manager.current(), nullptr);
    EXPECT_EQ(manager.userDefault(), nullptr);
    EXPECT_TRUE(manager.list().empty());
    EXPECT_FALSE(manager.selectByName(L"German"));
}

const std::string markerLine = "{346C8741-79A9-4355-8129-A227067C9AD7}\n";
const std::string englishFile = "English\nEnglish\n409\n" + markerLine + "Profile\n";
const std::string germanFile = "German\nDeutsch\n407\n" + markerLine + "Profil\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, LinearUiLocalizationManagerBroken,
    testing::Values(BrokenFolderCase{"emptyFolder", {}},
                    BrokenFolderCase{"noEnglish", {{"deu.loc", germanFile}}},
                    BrokenFolderCase{"englishNotALanguageFile", {{"eng.txt", englishFile}, {"deu.loc", germanFile}}},
                    BrokenFolderCase{"twoEnglish", {{"eng.loc", englishFile}, {"en2.loc", englishFile}}},
                    BrokenFolderCase{"englishInOtherCase", {{"eng.loc", "english\n" + markerLine + "Profile\n"}}},
                    BrokenFolderCase{"englishWithABlank", {{"eng.loc", " English\n" + markerLine}}}),
    [](const testing::TestParamInfo<BrokenFolderCase>& info) { return info.param.what; });

TEST(LinearUiLocalizationManager, AMissingFolderMakesItUnusable)
{
    LanguageScratchFolder folder;
    LinearUiLocalizationManager manager(folder.file("Localizations"), german);
    EXPECT_EQ(manager.effective(), nullptr);
    LinearUiLocalizationManager noFolder(L"", german);
    EXPECT_EQ(noFolder.effective(), nullptr);
}

TEST(LinearUiLocalizationManager, AnEnglishFileWithoutStringsIsEnough)
{
    LanguageScratchFolder folder;
    folder.write("eng.loc", "English\n");
    LinearUiLocalizationManager manager(folder.path(), german);
    ASSERT_NE(manager.effective(), nullptr);
    EXPECT_EQ(manager.effective()->string(0), L"");
}

} // namespace
