#include "system/kelDirectoryMaker.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// A file system of folder names: records every creation asked for.
class FakeDirectoryMaker : public kelDirectoryMaker {
public:
    std::set<std::wstring> existing;
    std::wstring refused;
    std::vector<std::wstring> asked;

protected:
    Outcome createDirectory(const std::wstring& path) override
    {
        asked.push_back(path);
        if (path == refused)
            return Outcome::failed;
        return existing.insert(path).second ? Outcome::created : Outcome::alreadyExists;
    }
};

struct FolderCase {
    const char* label;
    std::wstring folder;
    std::set<std::wstring> existing;
    std::wstring refused;
    bool expectedResult;
    std::vector<std::wstring> expectedAsked;
};

class DirectoryMakerTest : public testing::TestWithParam<FolderCase> {};

const std::wstring longName(240, L'x');

INSTANTIATE_TEST_SUITE_P(
    Paths, DirectoryMakerTest,
    testing::Values(
        FolderCase{"DrivePathLevelByLevel", L"C:\\Users\\Ann\\Vendor\\Vantrel", {L"C:\\Users", L"C:\\Users\\Ann"}, L"", true,
                   {L"C:\\Users", L"C:\\Users\\Ann", L"C:\\Users\\Ann\\Vendor", L"C:\\Users\\Ann\\Vendor\\Vantrel"}},
        FolderCase{"ExistingFolderIsNoError", L"C:\\Data", {L"C:\\Data"}, L"", true, {L"C:\\Data"}},
        FolderCase{"ForwardSlashes", L"D:/a/b", {}, L"", true, {L"D:/a", L"D:/a/b"}},
        FolderCase{"NetworkPathStartsAfterShare", L"\\\\server\\share\\Vendor\\Vantrel", {}, L"", true,
                   {L"\\\\server\\share\\Vendor", L"\\\\server\\share\\Vendor\\Vantrel"}},
        FolderCase{"NetworkPathWithoutShareFails", L"\\\\server", {}, L"", false, {}},
        FolderCase{"NetworkShareAloneFails", L"\\\\server\\share", {}, L"", false, {}},
        FolderCase{"RelativePath", L"a\\b", {}, L"", true, {L"a", L"a\\b"}},
        FolderCase{"RootedPathSkipsTheRoot", L"/tmp//x", {}, L"", true, {L"/tmp", L"/tmp//x"}},
        FolderCase{"FailureStopsTheWalk", L"C:\\a\\b\\c", {}, L"C:\\a\\b", false, {L"C:\\a", L"C:\\a\\b"}},
        FolderCase{"LongestPathThatFits", L"C:\\" + std::wstring(247, L'x'), {}, L"", true, {L"C:\\" + std::wstring(247, L'x')}},
        FolderCase{"PathTooLongFailsBeforeCreating", L"C:\\" + std::wstring(248, L'x'), {}, L"", false, {}},
        FolderCase{"VeryLongPathFails", L"C:\\" + longName + L"\\" + longName, {}, L"", false, {}}),
    [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.label); });

} // namespace

TEST_P(DirectoryMakerTest, CreatesEachMissingLevel)
{
    const FolderCase& c = GetParam();
    FakeDirectoryMaker maker;
    maker.existing = c.existing;
    maker.refused = c.refused;
    EXPECT_EQ(maker.createPath(c.folder), c.expectedResult);
    EXPECT_EQ(maker.asked, c.expectedAsked);
}
