#include "persistence/kelSerializationBindings.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

namespace {

// A format whose whole tree is one line of text.
class LineTreeBinding : public kelSerializationOutputStreamBinding {
public:
    bool flush() override
    {
        return flushTree([this](std::ostream& out) {
            out << line;
            return treeWritable;
        });
    }

    std::string line = "tree";
    bool treeWritable = true;
};

} // namespace

TEST(kelSerializationBindingTest, FlushWritesOncePerBinding)
{
    LineTreeBinding binding;
    EXPECT_FALSE(binding.flush()) << "nothing bound";

    auto sink = std::make_shared<std::ostringstream>();
    ASSERT_TRUE(binding.bind(sink));
    EXPECT_FALSE(binding.isFlushed());
    EXPECT_TRUE(binding.flush());
    EXPECT_TRUE(binding.isFlushed());
    EXPECT_FALSE(binding.flush()) << "already flushed";
    EXPECT_EQ(sink->str(), "tree");

    ASSERT_TRUE(binding.bind(sink));
    EXPECT_FALSE(binding.isFlushed());
    EXPECT_TRUE(binding.flush());
    EXPECT_EQ(sink->str(), "treetree");

    ASSERT_TRUE(binding.bind(nullptr));
    EXPECT_FALSE(binding.flush()) << "unbound";
    EXPECT_EQ(sink->str(), "treetree");
}

TEST(kelSerializationBindingTest, FlushReportsAFailedTreeOrSink)
{
    LineTreeBinding failingTree;
    failingTree.treeWritable = false;
    ASSERT_TRUE(failingTree.bind(std::make_shared<std::ostringstream>()));
    EXPECT_FALSE(failingTree.flush());

    LineTreeBinding failingSink;
    auto sink = std::make_shared<std::ostringstream>();
    sink->setstate(std::ios::badbit);
    ASSERT_TRUE(failingSink.bind(sink));
    EXPECT_FALSE(failingSink.flush());
}

TEST(kelSerializationBindingTest, BindingWithoutAFormatOnlyRecordsTheFlush)
{
    kelSerializationOutputStreamBinding binding;
    EXPECT_TRUE(binding.flush());
    EXPECT_TRUE(binding.isFlushed());
    ASSERT_TRUE(binding.bind(std::make_shared<std::ostringstream>()));
    EXPECT_FALSE(binding.isFlushed());
}
