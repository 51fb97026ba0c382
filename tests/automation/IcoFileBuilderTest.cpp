#include "automation/IcoFileBuilder.h"

#include "automation/IconResourceBytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Images = std::map<std::uint16_t, Bytes>;
using R = IconResourceBytes;

std::optional<std::string> build(const Bytes& group, const Images& images)
{
    // An exactly sized copy, so a read past its end is a read past its allocation.
    const Bytes exactGroup(group.begin(), group.end());
    return IcoFileBuilder::build(exactGroup, R::lookupIn(images));
}

std::uint32_t fieldAt(const std::string& bytes, std::size_t offset, std::size_t size)
{
    std::uint32_t value = 0;
    for (std::size_t at = 0; at < size; ++at)
        value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[offset + at])) << (8 * at);
    return value;
}

// Whatever the input was, a file that came out must hold together: its
// directory names images that lie inside it, one after another.
void expectConsistentFile(const std::string& file, std::size_t imagesInGroup)
{
    ASSERT_GE(file.size(), 6u);
    EXPECT_EQ(fieldAt(file, 0, 2), 0u);
    EXPECT_EQ(fieldAt(file, 2, 2), 1u);
    const std::size_t count = fieldAt(file, 4, 2);
    ASSERT_EQ(count, imagesInGroup);
    std::uint64_t expectedOffset = 6 + 16 * count;
    ASSERT_GE(file.size(), expectedOffset);
    for (std::size_t index = 0; index < count; ++index) {
        const std::size_t entry = 6 + 16 * index;
        const std::uint32_t size = fieldAt(file, entry + 8, 4);
        const std::uint32_t offset = fieldAt(file, entry + 12, 4);
        ASSERT_EQ(offset, expectedOffset);
        expectedOffset += size;
    }
    EXPECT_EQ(expectedOffset, file.size());
}

TEST(IcoFileBuilder, WritesTheGroupsImagesWithTheirOwnDirectoryEntries)
{
    Images images;
    images[7] = R::bitmap(16, 32, 1, 4, 20);
    images[9] = R::png(17);
    // The group's own numbers for the bitmap are wrong on purpose: the .ico
    // directory takes the bitmap's, and the group's only for the PNG image.
    const Bytes group = R::group({{99, 99, 99, 9, 9, 999, 7}, {0, 0, 0, 1, 32, 25, 9}});

    const auto file = build(group, images);

    ASSERT_TRUE(file);
    Bytes expected = {0, 0, 1, 0, 2, 0};
    expected.insert(expected.end(), {16, 16, 16, 0, 1, 0, 4, 0, 60, 0, 0, 0, 38, 0, 0, 0});
    expected.insert(expected.end(), {0, 0, 0, 0, 1, 0, 32, 0, 25, 0, 0, 0, 98, 0, 0, 0});
    Bytes bitmap = images[7];
    bitmap[20] = bitmap[21] = bitmap[22] = bitmap[23] = 0;
    expected.insert(expected.end(), bitmap.begin(), bitmap.end());
    expected.insert(expected.end(), images[9].begin(), images[9].end());
    EXPECT_EQ(*file, std::string(expected.begin(), expected.end()));
}

TEST(IcoFileBuilder, ColourCountAndSizesComeFromTheBitmapHeader)
{
    struct HeaderCase {
        std::int32_t width, height;
        std::uint16_t planes, bitCount;
        std::uint8_t expectedWidth, expectedHeight, expectedColours;
    };
    const std::vector<HeaderCase> cases = {
        {32, 64, 1, 1, 32, 32, 2},     {32, 64, 1, 2, 32, 32, 4},   {48, 96, 2, 2, 48, 48, 16},
        {48, 96, 1, 8, 48, 48, 0},     {24, 48, 1, 32, 24, 24, 0},  {256, 512, 1, 32, 0, 0, 0},
        {-16, -32, 1, 4, 0, 0, 16},    {300, 20, 0, 0, 0, 10, 1},
    };
    for (const HeaderCase& header : cases) {
        SCOPED_TRACE(::testing::Message() << header.width << "x" << header.height << " planes " << header.planes
                                          << " bits " << header.bitCount);
        Images images;
        images[1] = R::bitmap(header.width, header.height, header.planes, header.bitCount, 4);
        const auto file = build(R::group({{0, 0, 0, 1, 32, 0, 1}}), images);
        ASSERT_TRUE(file);
        EXPECT_EQ(static_cast<std::uint8_t>((*file)[6]), header.expectedWidth);
        EXPECT_EQ(static_cast<std::uint8_t>((*file)[7]), header.expectedHeight);
        EXPECT_EQ(static_cast<std::uint8_t>((*file)[8]), header.expectedColours);
        EXPECT_EQ(fieldAt(*file, 10, 2), header.planes);
        EXPECT_EQ(fieldAt(*file, 12, 2), header.bitCount);
    }
}

struct MalformedCase {
    const char* what;
    std::function<Bytes()> group;
    std::function<Images()> images;
};

Images oneGoodImage()
{
    Images images;
    images[1] = R::bitmap(16, 32, 1, 32, 64);
    return images;
}

TEST(IcoFileBuilder, MalformedGroupsAndImagesFailCleanly)
{
    const auto oneEntry = [] { return R::group({{16, 16, 0, 1, 32, 104, 1}}); };
    const auto cut = [](Bytes bytes, std::size_t size) {
        bytes.resize(size);
        return bytes;
    };
    const auto imageOf = [](Bytes bytes) {
        return [bytes] {
            Images images;
            images[1] = bytes;
            return images;
        };
    };
    const std::vector<MalformedCase> cases = {
        {"an empty group", [] { return Bytes{}; }, oneGoodImage},
        {"a group one byte short of one entry",
         [&] {
             Bytes group = oneEntry();
             group.pop_back();
             return group;
         },
         oneGoodImage},
        {"a header alone", [&] { return cut(oneEntry(), 6); }, oneGoodImage},
        {"a count of 0 with an entry there",
         [&] {
             Bytes group = oneEntry();
             group[4] = 0;
             return group;
         },
         oneGoodImage},
        {"a count of two over one entry",
         [&] {
             Bytes group = oneEntry();
             group[4] = 2;
             return group;
         },
         oneGoodImage},
        {"the largest count over one entry",
         [&] {
             Bytes group = oneEntry();
             group[4] = group[5] = 0xFF;
             return group;
         },
         oneGoodImage},
        {"an image id with no image", [] { return R::group({{16, 16, 0, 1, 32, 104, 2}}); }, oneGoodImage},
        {"an image of no bytes", oneEntry, imageOf({})},
        {"a bitmap header one byte short", oneEntry, imageOf(cut(R::bitmap(16, 32, 1, 32, 0), 39))},
        {"a header size past the image", oneEntry, imageOf(R::bitmap(16, 32, 1, 32, 8, 49))},
        {"the largest header size", oneEntry, imageOf(R::bitmap(16, 32, 1, 32, 8, 0xFFFFFFFF))},
        {"a header size below the header's own", oneEntry, imageOf(R::bitmap(16, 32, 1, 32, 8, 39))},
        {"a header size of 0", oneEntry, imageOf(R::bitmap(16, 32, 1, 32, 8, 0))},
        {"a PNG signature cut short", oneEntry, imageOf(cut(R::png(0), 7))},
        {"a good image after a missing one",
         [] { return R::group({{16, 16, 0, 1, 32, 104, 2}, {16, 16, 0, 1, 32, 104, 1}}); }, oneGoodImage},
    };
    for (const MalformedCase& malformed : cases) {
        SCOPED_TRACE(malformed.what);
        const Images images = malformed.images();
        EXPECT_FALSE(build(malformed.group(), images));
    }
}

TEST(IcoFileBuilder, ImagesWhoseSizesAddUpPastTheDirectorysReachFail)
{
    // 65535 entries naming one 70000-byte image: 4.6 GB of file, beyond 32-bit offsets.
    Images images;
    images[1] = R::bitmap(16, 32, 1, 32, 70000 - 40);
    const Bytes group = R::group(std::vector<R::GroupEntry>(0xFFFF, {16, 16, 0, 1, 32, 70000, 1}));
    EXPECT_FALSE(build(group, images));

    const Bytes fewer = R::group(std::vector<R::GroupEntry>(3, {16, 16, 0, 1, 32, 70000, 1}));
    const auto file = build(fewer, images);
    ASSERT_TRUE(file);
    expectConsistentFile(*file, 3);
}

// Random damage to a valid group and its images: every result is a clean
// failure or a consistent file, and nothing is read past the bytes given
// (the address sanitizer watches the host build).
TEST(IcoFileBuilder, RandomlyDamagedResourcesFailCleanlyOrGiveAConsistentFile)
{
    Images pristineImages;
    pristineImages[1] = R::bitmap(16, 32, 1, 4, 48);
    pristineImages[2] = R::bitmap(32, 64, 1, 32, 80);
    pristineImages[3] = R::png(30);
    const Bytes pristineGroup =
        R::group({{16, 16, 16, 1, 4, 88, 1}, {32, 32, 0, 1, 32, 120, 2}, {0, 0, 0, 1, 32, 38, 3}});

    std::mt19937 random(777);
    int built = 0;
    int failed = 0;
    for (int round = 0; round < 20000; ++round) {
        Bytes group = pristineGroup;
        Images images = pristineImages;
        const int damages = 1 + static_cast<int>(random() % 4);
        for (int damage = 0; damage < damages; ++damage) {
            const std::uint16_t target = static_cast<std::uint16_t>(random() % 4);
            Bytes& bytes = target == 0 ? group : images[target];
            if (bytes.empty())
                continue;
            if (random() % 5 == 0)
                bytes.resize(random() % bytes.size());
            else
                bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        }
        const auto file = build(group, images);
        if (!file) {
            ++failed;
            continue;
        }
        ++built;
        expectConsistentFile(*file, group.size() >= 6 ? group[4] | (group[5] << 8) : 0);
        if (::testing::Test::HasFatalFailure())
            return;
    }
    EXPECT_GT(built, 0);
    EXPECT_GT(failed, 0);
}

} // namespace
