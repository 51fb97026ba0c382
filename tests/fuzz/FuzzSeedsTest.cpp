// Every seed of the fuzz targets runs through its target as an ordinary
// test of the host builds, so an input that once broke a reader, kept in
// the target's corpus folder once fixed, proves the fix on every run. A
// target stops the process on a finding (a trap or an abort), which fails
// the run; under the sanitizers it stops on any bad memory access too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// The targets' entry points, each renamed from LLVMFuzzerTestOneInput by the build.
extern "C" int jsonReaderFuzzInput(const std::uint8_t* data, std::size_t size);
extern "C" int xmlReaderFuzzInput(const std::uint8_t* data, std::size_t size);
extern "C" int languageFileFuzzInput(const std::uint8_t* data, std::size_t size);
extern "C" int iconGroupFuzzInput(const std::uint8_t* data, std::size_t size);

namespace {

using FuzzTarget = int (*)(const std::uint8_t*, std::size_t);

struct TargetCorpus {
    const char* folder; // below tests/fuzz/corpus
    FuzzTarget target;
};

constexpr TargetCorpus corpora[] = {
    {"json", jsonReaderFuzzInput},
    {"xml", xmlReaderFuzzInput},
    {"loc", languageFileFuzzInput},
    {"icon", iconGroupFuzzInput},
};

struct Seed {
    std::string folder;
    std::filesystem::path file;
    FuzzTarget target;
};

void PrintTo(const Seed& seed, std::ostream* out)
{
    *out << seed.folder << '/' << seed.file.filename().string();
}

std::filesystem::path corpusFolder(const char* folder)
{
    return std::filesystem::path(VANTREL_FUZZ_CORPUS) / folder;
}

std::vector<Seed> allSeeds()
{
    std::vector<Seed> seeds;
    for (const TargetCorpus& corpus : corpora) {
        std::error_code unreadable;
        for (const auto& entry : std::filesystem::directory_iterator(corpusFolder(corpus.folder), unreadable)) {
            if (entry.is_regular_file())
                seeds.push_back({corpus.folder, entry.path(), corpus.target});
        }
    }
    return seeds;
}

std::string testName(const testing::TestParamInfo<Seed>& info)
{
    std::string name = info.param.folder + "_" + info.param.file.filename().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

class FuzzSeedTest : public testing::TestWithParam<Seed> {};

} // namespace

// The bytes go to the target in an allocation of their exact size, as the
// fuzzer hands them, so that a read past the end is caught.
TEST_P(FuzzSeedTest, PassesItsTargetsChecks)
{
    std::ifstream in(GetParam().file, std::ios::binary);
    ASSERT_TRUE(in) << GetParam().file;
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto exact = std::make_unique<std::uint8_t[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), exact.get());
    EXPECT_EQ(GetParam().target(exact.get(), bytes.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(Corpus, FuzzSeedTest, testing::ValuesIn(allSeeds()), testName);

// Without this, a corpus folder that moved would leave its target untested in silence.
TEST(FuzzSeeds, EveryTargetHasSeeds)
{
    for (const TargetCorpus& corpus : corpora) {
        std::error_code unreadable;
        const auto seeds = std::distance(std::filesystem::directory_iterator(corpusFolder(corpus.folder), unreadable),
                                         std::filesystem::directory_iterator());
        EXPECT_FALSE(unreadable) << corpusFolder(corpus.folder);
        EXPECT_GT(seeds, 0) << corpusFolder(corpus.folder);
    }
}
