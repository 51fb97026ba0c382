#include "persistence/MemoryTreeStream.h"
#include "persistence/kelSerializationIoStream.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> labelsOf(const std::vector<std::shared_ptr<kelSerializationIoStream>>& streams)
{
    std::vector<std::wstring> labels;
    for (const auto& stream : streams) {
        std::wstring label;
        stream->input()->read(L"label", label, true);
        labels.push_back(label);
    }
    return labels;
}

} // namespace

TEST(kelSerializationIoStreamTest, DirectionFollowsTheStreamGiven)
{
    MemoryTreeStream node;
    kelSerializationIoStream reading(static_cast<kelSerializationInputStream&>(node));
    kelSerializationIoStream writing(static_cast<kelSerializationOutputStream&>(node));
    EXPECT_TRUE(reading.isReading());
    EXPECT_NE(reading.input(), nullptr);
    EXPECT_EQ(reading.output(), nullptr);
    EXPECT_FALSE(writing.isReading());
    EXPECT_EQ(writing.input(), nullptr);
    EXPECT_NE(writing.output(), nullptr);
}

TEST(kelSerializationIoStreamTest, ReadingChildrenKeepsDocumentOrderAndName)
{
    MemoryTreeStream node;
    node.addChild(L"item")->writeValue(L"label", L"first", true);
    node.addChild(L"other")->writeValue(L"label", L"not an item", true);
    node.addChild(L"item")->writeValue(L"label", L"second", true);
    kelSerializationIoStream io(static_cast<kelSerializationInputStream&>(node));

    EXPECT_EQ(labelsOf(io.children(L"item")), (std::vector<std::wstring>{L"first", L"second"}));
    EXPECT_EQ(labelsOf({io.child(L"item")}), std::vector<std::wstring>{L"first"});
    EXPECT_EQ(io.child(L"missing"), nullptr);
    EXPECT_TRUE(io.children(L"missing").empty());
}

TEST(kelSerializationIoStreamTest, WritingChildrenIsAlwaysEmpty)
{
    MemoryTreeStream node;
    node.addChild(L"item");
    kelSerializationIoStream io(static_cast<kelSerializationOutputStream&>(node));
    EXPECT_TRUE(io.children(L"item").empty());
}

TEST(kelSerializationIoStreamTest, WritingChildAppendsANodeUnlessTheFormatRefuses)
{
    MemoryTreeStream node;
    kelSerializationIoStream io(static_cast<kelSerializationOutputStream&>(node));
    auto first = io.child(L"item");
    auto second = io.child(L"item");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(first->isReading());
    second->output()->write(L"label", L"second", true);
    EXPECT_EQ(node.childCount(L"item"), 2u);
    EXPECT_EQ(node.childAt(L"item", 1)->value(L"label"), L"second");

    node.refuseChildren = true;
    EXPECT_EQ(io.child(L"item"), nullptr);
}

TEST(kelSerializationIoStreamTest, ChildStreamOutlivesItsParentNode)
{
    auto root = std::make_shared<MemoryTreeStream>();
    root->addChild(L"nested")->writeValue(L"label", L"kept alive", true);
    auto nested = kelSerializationIoStream(std::shared_ptr<kelSerializationInputStream>(root)).child(L"nested");
    root.reset();

    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(labelsOf({nested}), std::vector<std::wstring>{L"kept alive"});
}

TEST(kelSerializationIoStreamTest, RefusesAnEmptyStream)
{
    EXPECT_THROW(kelSerializationIoStream{std::shared_ptr<kelSerializationInputStream>{}}, std::invalid_argument);
    EXPECT_THROW(kelSerializationIoStream{std::shared_ptr<kelSerializationOutputStream>{}}, std::invalid_argument);
}

TEST(kelSerializationIoStreamTest, SerializeValueGoesTheStreamsWay)
{
    MemoryTreeStream node;
    kelSerializationIoStream writing(static_cast<kelSerializationOutputStream&>(node));
    unsigned written = 42;
    ASSERT_TRUE(writing.serializeValue(L"v", written, true));
    EXPECT_EQ(node.value(L"v"), L"42");

    kelSerializationIoStream reading(static_cast<kelSerializationInputStream&>(node));
    unsigned read = 0;
    ASSERT_TRUE(reading.serializeValue(L"v", read, true));
    EXPECT_EQ(read, 42u);
    EXPECT_FALSE(reading.serializeValue(L"absent", read, true));
    EXPECT_EQ(read, 42u);
}
