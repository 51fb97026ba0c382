#include "persistence/MemoryTreeStream.h"
#include "persistence/kelSerializationStreams.h"

#include <gtest/gtest.h>

#include <climits>
#include <locale>
#include <optional>
#include <string>
#include <vector>

namespace {

template <class T>
std::optional<std::wstring> textOf(T value)
{
    MemoryTreeStream node;
    if (!node.write(L"v", value, true))
        return std::nullopt;
    return node.value(L"v");
}

template <class T>
struct ReadCase {
    std::wstring text;
    T before;
    bool succeeds;
    T after;
};

template <class T>
void expectReads(const std::vector<ReadCase<T>>& cases)
{
    for (const auto& c : cases) {
        MemoryTreeStream node;
        node.writeValue(L"v", c.text, true);
        T field = c.before;
        EXPECT_EQ(node.read(L"v", field, true), c.succeeds) << "text: \"" << c.text << "\"";
        EXPECT_EQ(field, c.after) << "text: \"" << c.text << "\"";
    }
}

// A numeric punctuation no classic-locale reader would accept.
class CommaDecimals : public std::numpunct<wchar_t> {
protected:
    wchar_t do_decimal_point() const override { return L','; }
    wchar_t do_thousands_sep() const override { return L'.'; }
    std::string do_grouping() const override { return "\3"; }
};

class GlobalLocaleOverride {
public:
    explicit GlobalLocaleOverride(const std::locale& replacement) : previous(std::locale::global(replacement)) {}
    ~GlobalLocaleOverride() { std::locale::global(previous); }

private:
    std::locale previous;
};

} // namespace

TEST(kelSerializationStreamsTest, WritesTypedValuesAsClassicText)
{
    const std::vector<std::pair<std::optional<std::wstring>, std::wstring>> cases = {
        {textOf(true), L"1"},
        {textOf(false), L"0"},
        {textOf(-42), L"-42"},
        {textOf(INT_MIN), L"-2147483648"},
        {textOf(4294967295u), L"4294967295"},
        {textOf(1.0f), L"1"},
        {textOf(0.5f), L"0.5"},
        {textOf(1.0f / 3.0f), L"0.333333"},
        {textOf(1e-7f), L"1e-07"},
        {textOf(1234567.0f), L"1.23457e+06"},
        {textOf(L"plain text"), L"plain text"},
        {textOf(std::wstring(L"")), L""},
    };
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
}

TEST(kelSerializationStreamsTest, ReadsBoolInNumericFormOnly)
{
    expectReads<bool>({
        {L"1", false, true, true},
        {L"0", true, true, false},
        {L"true", false, false, false},
        {L"false", true, false, true},
        // The standard extraction stores true here while failing; the field must not change.
        {L"2", false, false, false},
        {L"", true, false, true},
    });
}

TEST(kelSerializationStreamsTest, ReadsIntegersAndKeepsFieldOnFailure)
{
    expectReads<int>({
        {L"-42", 0, true, -42},
        {L"12abc", 0, true, 12},
        {L" 7", 0, true, 7},
        {L"abc", 5, false, 5},
        {L"99999999999", 5, false, 5},
        {L"", 5, false, 5},
    });
    expectReads<unsigned>({
        {L"4294967295", 0, true, 4294967295u},
        {L"4294967296", 9, false, 9},
        {L"x1", 9, false, 9},
    });
}

TEST(kelSerializationStreamsTest, ReadsFloatsAndKeepsFieldOnFailure)
{
    expectReads<float>({
        {L"0.333333", 0.0f, true, 0.333333f},
        {L"1e-07", 0.0f, true, 1e-7f},
        {L"0.5%", 0.0f, true, 0.5f},
        {L"half", 0.25f, false, 0.25f},
        {L"1e99", 0.25f, false, 0.25f},
    });
}

TEST(kelSerializationStreamsTest, MissingValueFailsAndKeepsEveryFieldKind)
{
    MemoryTreeStream node;
    std::wstring text = L"kept";
    bool flag = true;
    int number = -3;
    unsigned count = 3;
    float fraction = 0.75f;
    EXPECT_FALSE(node.read(L"absent", text, true));
    EXPECT_FALSE(node.read(L"absent", flag, true));
    EXPECT_FALSE(node.read(L"absent", number, true));
    EXPECT_FALSE(node.read(L"absent", count, true));
    EXPECT_FALSE(node.read(L"absent", fraction, true));
    EXPECT_EQ(text, L"kept");
    EXPECT_TRUE(flag);
    EXPECT_EQ(number, -3);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(fraction, 0.75f);
}

TEST(kelSerializationStreamsTest, RoundTripKeepsEveryValue)
{
    MemoryTreeStream node;
    ASSERT_TRUE(node.write(L"on", true, true));
    ASSERT_TRUE(node.write(L"off", false, true));
    ASSERT_TRUE(node.write(L"int", INT_MIN, true));
    ASSERT_TRUE(node.write(L"unsigned", 4000000000u, true));
    ASSERT_TRUE(node.write(L"float", 0.05f, true));
    ASSERT_TRUE(node.write(L"text", L"Größe", true));

    bool on = false;
    bool off = true;
    int signedValue = 0;
    unsigned unsignedValue = 0;
    float floatValue = 0;
    std::wstring text;
    EXPECT_TRUE(node.read(L"on", on, true));
    EXPECT_TRUE(node.read(L"off", off, true));
    EXPECT_TRUE(node.read(L"int", signedValue, true));
    EXPECT_TRUE(node.read(L"unsigned", unsignedValue, true));
    EXPECT_TRUE(node.read(L"float", floatValue, true));
    EXPECT_TRUE(node.read(L"text", text, true));
    EXPECT_TRUE(on);
    EXPECT_FALSE(off);
    EXPECT_EQ(signedValue, INT_MIN);
    EXPECT_EQ(unsignedValue, 4000000000u);
    EXPECT_EQ(floatValue, 0.05f);
    EXPECT_EQ(text, L"Größe");
}

TEST(kelSerializationStreamsTest, ConversionsIgnoreTheGlobalLocale)
{
    GlobalLocaleOverride localeOverride(std::locale(std::locale::classic(), new CommaDecimals));
    MemoryTreeStream node;
    ASSERT_TRUE(node.write(L"float", 0.5f, true));
    ASSERT_TRUE(node.write(L"int", 1234567, true));
    EXPECT_EQ(node.value(L"float"), L"0.5");
    EXPECT_EQ(node.value(L"int"), L"1234567");

    float fraction = 0;
    EXPECT_TRUE(node.read(L"float", fraction, true));
    EXPECT_EQ(fraction, 0.5f);
}

TEST(kelSerializationStreamsTest, WriteFailsWhenTheFormatRefusesTheValue)
{
    MemoryTreeStream node;
    node.refuseValues = true;
    EXPECT_FALSE(node.write(L"v", true, true));
    EXPECT_FALSE(node.write(L"v", 1, true));
    EXPECT_FALSE(node.write(L"v", 1u, true));
    EXPECT_FALSE(node.write(L"v", 1.0f, true));
    EXPECT_FALSE(node.write(L"v", L"text", true));
}
