#include "persistence/JsonTestStates.h"
#include "persistence/kelJson2SerializationStreams.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string pictureText = R"({"b":"1","brightness":"0.5","contrast":"0.75","g":"1","have":"31","r":"1"})";

std::vector<ControlEntry> someControls(int count)
{
    std::vector<ControlEntry> controls;
    for (int i = 1; i <= count; ++i)
        controls.push_back({L"u" + std::to_wstring(i), L"s" + std::to_wstring(i)});
    return controls;
}

std::shared_ptr<kelJson2SerializationInputStream> boundInput(const std::string& text, bool* parsed = nullptr)
{
    auto stream = std::make_shared<kelJson2SerializationInputStream>();
    const bool result = stream->bind(std::make_shared<std::istringstream>(text));
    if (parsed)
        *parsed = result;
    return stream;
}

// The object a failed load hands back must be the one it was given.
void expectLoadFails(const std::string& text)
{
    PictureTestState picture;
    picture.brightness = 0.25f;
    EXPECT_FALSE(loadFromJsonString(picture, text)) << text.substr(0, 80);
    EXPECT_EQ(picture.have, 0u) << text.substr(0, 80);
}

// A list-only object finds nothing missing in an empty tree, so only the
// parse itself can tell that such a text is unreadable.
void expectListLoadFails(const std::string& text)
{
    ControlListTestState state;
    EXPECT_FALSE(loadFromJsonString(state, text)) << text.substr(0, 80);
    EXPECT_TRUE(state.controls.empty()) << text.substr(0, 80);
}

} // namespace

TEST(kelJson2SerializationTest, PictureIsWrittenAndReadByteForByte)
{
    PictureTestState picture;
    picture.have = 31;
    picture.brightness = 0.5f;
    picture.contrast = 0.75f;
    picture.red = picture.green = picture.blue = 1;
    EXPECT_EQ(saveToJsonString(picture), pictureText);

    PictureTestState read;
    ASSERT_TRUE(loadFromJsonString(read, pictureText));
    EXPECT_EQ(read.have, 31u);
    EXPECT_EQ(read.brightness, 0.5f);
    EXPECT_EQ(read.contrast, 0.75f);
    EXPECT_EQ(read.red, 1.0f);
    EXPECT_EQ(read.green, 1.0f);
    EXPECT_EQ(read.blue, 1.0f);
}

TEST(kelJson2SerializationTest, ListsTakeTheirShapeFromTheirLength)
{
    const std::string one = R"({"state":"s1","uid":"u1"})";
    const std::string two = R"({"state":"s2","uid":"u2"})";
    const std::string three = R"({"state":"s3","uid":"u3"})";
    struct Case {
        int count;
        std::optional<std::wstring> label;
        std::string text;
    };
    const Case cases[] = {
        {0, std::nullopt, "{}"},
        {0, L"x", R"({"label":"x"})"},
        {1, std::nullopt, R"({"control":)" + one + "}"},
        {2, std::nullopt, "[" + one + "," + two + "]"},
        {3, std::nullopt, "[" + one + "," + two + "," + three + "]"},
        {1, L"x", R"({"control":)" + one + R"(,"label":"x"})"},
        {2, L"x", R"({"control":[)" + one + "," + two + R"(],"label":"x"})"},
    };
    for (const auto& c : cases) {
        ControlListTestState written;
        written.label = c.label;
        written.controls = someControls(c.count);
        EXPECT_EQ(saveToJsonString(written), c.text);

        ControlListTestState read;
        ASSERT_TRUE(loadFromJsonString(read, c.text)) << c.text;
        EXPECT_EQ(read.controls, written.controls) << c.text;
        EXPECT_EQ(read.label, written.label) << c.text;
    }
}

TEST(kelJson2SerializationTest, ReaderAcceptsAListOfOneAsAnArrayMember)
{
    ControlListTestState read;
    ASSERT_TRUE(loadFromJsonString(read, R"({"control":[{"uid":"u1","state":"s1"}]})"));
    EXPECT_EQ(read.controls, someControls(1));
}

TEST(kelJson2SerializationTest, BareArrayGivesItsElementsWhateverTheName)
{
    const auto stream = boundInput(R"([{"a":"1"},{"a":"2"}])");
    EXPECT_EQ(stream->getChildren(L"control").size(), 2u);
    EXPECT_EQ(stream->getChildren(L"other").size(), 2u);
    EXPECT_EQ(stream->getChild(L"control"), nullptr);
    std::wstring out = L"kept";
    EXPECT_FALSE(stream->readValue(L"a", out, true));
    EXPECT_EQ(out, L"kept");
}

TEST(kelJson2SerializationTest, ChildOfANodeThatIsNoObjectIsEmpty)
{
    for (const std::string text : {R"(["a"])", R"("a")", "7", "null"}) {
        const auto stream = boundInput(text);
        EXPECT_EQ(stream->getChild(L"a"), nullptr) << text;
    }
    const auto stream = boundInput(R"({"a":{"b":"1"},"s":"x"})");
    EXPECT_EQ(stream->getChild(L"missing"), nullptr);
    EXPECT_EQ(stream->getChild(L"s")->getChild(L"b"), nullptr);
    std::wstring out;
    ASSERT_TRUE(stream->getChild(L"a")->readValue(L"b", out, true));
    EXPECT_EQ(out, L"1");
}

TEST(kelJson2SerializationTest, OnlyStringMembersAreValues)
{
    const auto stream = boundInput(R"({"n":5,"t":true,"z":null,"o":{},"a":["x"],"s":"5"})");
    for (const wchar_t* name : {L"n", L"t", L"z", L"o", L"a", L"missing"}) {
        std::wstring out = L"kept";
        EXPECT_FALSE(stream->readValue(name, out, true)) << name;
        EXPECT_EQ(out, L"kept") << name;
    }
    std::wstring out;
    EXPECT_TRUE(stream->readValue(L"s", out, true));
    EXPECT_EQ(out, L"5");
    expectLoadFails(R"({"b":"1","brightness":"0.5","contrast":"0.75","g":"1","have":31,"r":"1"})");
}

TEST(kelJson2SerializationTest, StringsAreEscapedAndReadBackUnchanged)
{
    struct Case {
        std::wstring value;
        std::string text;
    };
    const Case cases[] = {
        {L"a/b", R"("a\/b")"},
        {L"q\"b\\", R"("q\"b\\")"},
        {L"\b\f\n\r\t", R"("\b\f\n\r\t")"},
        {L"\x01\x1f\x7f", R"("\u0001\u001f\u007f")"},
        {L"caf\u00e9", "\"caf\xc3\xa9\""},
        {L"\U0001F600", "\"\xf0\x9f\x98\x80\""},
    };
    for (const auto& c : cases) {
        ControlListTestState written;
        written.label = c.value;
        const std::string text = saveToJsonString(written);
        EXPECT_EQ(text, R"({"label":)" + c.text + "}");

        ControlListTestState read;
        ASSERT_TRUE(loadFromJsonString(read, text)) << text;
        EXPECT_EQ(read.label, c.value) << text;
    }
}

TEST(kelJson2SerializationTest, MembersAreSortedByTheirUtf8Bytes)
{
    kelJson2SerializationOutputStream stream;
    // U+00E9 sorts after every ASCII name in UTF-8, U+FF21 after U+00E9.
    for (const wchar_t* name : {L"\uff21", L"\u00e9", L"b", L"B", L"a"})
        stream.writeValue(name, L"v", true);
    EXPECT_EQ(stream.toJson().serialize(),
              "{\"B\":\"v\",\"a\":\"v\",\"b\":\"v\",\"\xc3\xa9\":\"v\",\"\xef\xbc\xa1\":\"v\"}");
}

TEST(kelJson2SerializationTest, BrokenDocumentsFailToLoadWithoutHarm)
{
    std::vector<std::string> texts = {
        "",
        "   ",
        std::string("\x00\xff\xfe{\x80", 5),
        std::string(100000, '['),
        std::string(100000, '{'),
        pictureText + "x",
        pictureText + pictureText,
        R"("just a string")",
        "31",
        "null",
        "1e999",
        R"({"b":"1","brightness":"0.5","contrast":-1e999,"g":"1","have":"31","r":"1"})",
        R"({"b":"1","brightness":"0.5","contrast":"0.75","g":"1","have":"\ud800","r":"1"})",
    };
    std::string nestedObjects;
    for (int i = 0; i < 100000; ++i)
        nestedObjects += R"({"a":)";
    texts.push_back(nestedObjects);
    // Every proper prefix of a valid document, including the one that lacks
    // only the closing brace and already holds all six values.
    for (std::size_t length = 1; length < pictureText.size(); ++length)
        texts.push_back(pictureText.substr(0, length));
    for (const auto& text : texts) {
        expectLoadFails(text);
        expectListLoadFails(text);
    }

    PictureTestState picture;
    EXPECT_TRUE(loadFromJsonString(picture, " \n" + pictureText + "\r\n\t "));
}

TEST(kelJson2SerializationTest, NestingIsBoundedBeforeParsing)
{
    const auto nested = [](std::size_t depth) { return std::string(depth, '[') + std::string(depth, ']'); };
    const std::size_t limit = kelJson2SerializationInputStream::maxNesting;
    bool parsed = false;
    boundInput(nested(limit), &parsed);
    EXPECT_TRUE(parsed);
    boundInput(nested(limit + 1), &parsed);
    EXPECT_FALSE(parsed);
    // Brackets inside strings are text, not nesting.
    boundInput(R"({"a":")" + std::string(1000, '[') + R"(\""})", &parsed);
    EXPECT_TRUE(parsed);
}

TEST(kelJson2SerializationTest, InputBindingReplacesAndReleasesTheTree)
{
    kelJson2SerializationInputStream stream;
    std::wstring out;
    ASSERT_TRUE(stream.bind(std::make_shared<std::istringstream>(R"({"a":"1"})")));
    ASSERT_TRUE(stream.readValue(L"a", out, true));
    ASSERT_TRUE(stream.bind(std::make_shared<std::istringstream>(R"({"b":"2"})")));
    EXPECT_FALSE(stream.readValue(L"a", out, true));
    EXPECT_TRUE(stream.readValue(L"b", out, true));
    EXPECT_FALSE(stream.bind(std::make_shared<std::istringstream>(R"({"a":"1")")));
    EXPECT_FALSE(stream.readValue(L"b", out, true)) << "a failed parse keeps no tree";
    ASSERT_TRUE(stream.bind(std::make_shared<std::istringstream>(R"({"a":"1"})")));
    EXPECT_TRUE(stream.bind(nullptr));
    EXPECT_FALSE(stream.readValue(L"a", out, true));
    EXPECT_TRUE(stream.getChildren(L"a").empty());
}

TEST(kelJson2SerializationTest, OutputFlushesOncePerBindingAndOnDestruction)
{
    auto sink = std::make_shared<std::ostringstream>();
    {
        kelJson2SerializationOutputStream stream;
        EXPECT_FALSE(stream.flush()) << "nothing bound";
        stream.writeValue(L"a", L"1", true);
        ASSERT_TRUE(stream.bind(sink));
        EXPECT_TRUE(stream.flush());
        EXPECT_FALSE(stream.flush()) << "already flushed";
        EXPECT_EQ(sink->str(), R"({"a":"1"})");

        stream.clear();
        stream.writeValue(L"b", L"2", true);
        ASSERT_TRUE(stream.bind(sink));
    }
    EXPECT_EQ(sink->str(), R"({"a":"1"}{"b":"2"})") << "the bound, unflushed stream flushed itself";

    auto failing = std::make_shared<std::ostringstream>();
    failing->setstate(std::ios::badbit);
    kelJson2SerializationOutputStream stream;
    ASSERT_TRUE(stream.bind(failing));
    EXPECT_FALSE(stream.flush());
}

TEST(kelJson2SerializationTest, ChildCannotShareTheNameOfAValue)
{
    kelJson2SerializationOutputStream stream;
    ASSERT_TRUE(stream.writeValue(L"control", L"text", true));
    EXPECT_EQ(stream.createChild(L"control"), nullptr);
    ASSERT_NE(stream.createChild(L"other"), nullptr);
    EXPECT_EQ(stream.toJson().serialize(), R"({"control":"text","other":{}})");
}

TEST(kelJson2SerializationTest, ObjectThatFailsToWriteGivesAnEmptyString)
{
    class Failing : public kelSerializable {
    public:
        bool serialize(kelSerializationIoStream& io, unsigned flags) override
        {
            io.output()->write(L"a", L"1", true);
            return false;
        }
    };
    Failing failing;
    EXPECT_EQ(saveToJsonString(failing), "");
}
