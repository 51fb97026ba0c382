#include "persistence/XmlParserWithoutByteScan.h"
#include "persistence/XmlTestDocuments.h"
#include "persistence/kelXmlDoctypeGuard.h"
#include "persistence/kelXmlInputStreamFactory.h"
#include "persistence/kelXmlSerializationOutputStream.h"
#include "support/ScratchFolder.h"
#include "support/kelComInitialize.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* declaration = R"(<?xml version="1.0" encoding="UTF-8"?>)";

// Output of a settings file's top-level stream, as the configuration makes it.
class XmlWriter {
public:
    XmlWriter() { stream->bind(sink); }

    std::string bytes()
    {
        EXPECT_TRUE(stream->flush());
        return sink->str();
    }

    std::shared_ptr<kelXmlSerializationOutputStream> stream =
        std::make_shared<kelXmlSerializationOutputStream>(L"Vantrel", kelXmlSerializationOutputStream::preserveSpace);
    std::shared_ptr<std::ostringstream> sink = std::make_shared<std::ostringstream>();
};

std::string withDeclaration(const std::string& element)
{
    return declaration + element;
}

// The bytes of a wide string in UTF-16LE with a byte order mark.
std::string utf16le(const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    for (const wchar_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
    }
    return bytes;
}

class XmlStreamsTest : public testing::Test {
protected:
    // The platform reader, bound to the bytes; empty if binding failed.
    std::shared_ptr<kelSerializationInputStream> bindReader(const std::string& bytes)
    {
        auto reader = makePlatformXmlInputStream();
        auto* binding = dynamic_cast<kelSerializationInputStreamBinding*>(reader.get());
        if (!binding || !binding->bind(std::make_shared<std::istringstream>(bytes)))
            return nullptr;
        return reader;
    }

    std::wstring readAttribute(const std::string& bytes, const std::wstring& name)
    {
        const auto reader = bindReader(bytes);
        std::wstring value;
        EXPECT_TRUE(reader && reader->readValue(name, value, true));
        return value;
    }

    std::wstring roundTripAttribute(const std::wstring& value)
    {
        XmlWriter writer;
        writer.stream->writeValue(L"name", value, true);
        return readAttribute(writer.bytes(), L"name");
    }

    kelComInitialize com;
};

TEST_F(XmlStreamsTest, SettingsFileHasItsExactBytes)
{
    XmlWriter writer;
    writer.stream->write(L"switchProfilesUsingMlcOnTrayIcon", true, true);
    writer.stream->write(L"enableOnAppsActions", true, true);
    writer.stream->write(L"enableGlobalHotkeys", true, true);
    EXPECT_EQ(writer.bytes(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Vantrel xml:space=\"preserve\" "
                              "enableGlobalHotkeys=\"1\" enableOnAppsActions=\"1\" switchProfilesUsingMlcOnTrayIcon=\"1\" />");
}

TEST_F(XmlStreamsTest, AttributesComeOutInCodeUnitOrder)
{
    XmlWriter writer;
    int value = 0;
    for (const auto* name : {L"id", L"contrast", L"brightness", L"R", L"G", L"B"})
        writer.stream->write(name, ++value, true);
    EXPECT_EQ(writer.bytes(), withDeclaration(R"(<Vantrel xml:space="preserve" B="6" G="5" R="4" brightness="3" contrast="2" id="1" />)"));
}

TEST_F(XmlStreamsTest, ValuesAndChildrenComeOutInNameOrderAndListsInCreationOrder)
{
    XmlWriter writer;
    writer.stream->createChild(L"zeta")->writeValue(L"n", L"1", true);
    writer.stream->createChild(L"alpha");
    writer.stream->createChild(L"zeta")->writeValue(L"n", L"2", true);
    writer.stream->writeValue(L"text", L"first", false);
    writer.stream->writeValue(L"text", L"second", false);
    writer.stream->writeValue(L"Big", L"x", false);
    EXPECT_EQ(writer.bytes(), withDeclaration(R"(<Vantrel xml:space="preserve"><Big>x</Big><text>second</text>)"
                                              R"(<alpha /><zeta n="1" /><zeta n="2" /></Vantrel>)"));
}

TEST_F(XmlStreamsTest, EmptyElementsCloseThemselves)
{
    const auto sink = std::make_shared<std::ostringstream>();
    {
        kelXmlSerializationOutputStream root(L"root", 0);
        root.bind(sink);
    }
    EXPECT_EQ(sink->str(), withDeclaration("<root />"));
}

TEST_F(XmlStreamsTest, TextIsEscapedCleanedAndEncodedAsUtf8)
{
    const struct {
        std::wstring value;
        std::string written;
    } cases[] = {
        {L"a&b<c>d'e\"f", "a&amp;b&lt;c&gt;d&apos;e&quot;f"},
        {L"&amp;", "&amp;amp;"},
        {L"\t\n\r", "\t\n\r"},
        {std::wstring{L'x', wchar_t(0x01), wchar_t(0xFFFE), wchar_t(0xFFFF), L'y'}, "xy"},
        {std::wstring{L'x', wchar_t(0xD83D), wchar_t(0xDE00), L'y'}, "xy"},
        {std::wstring{wchar_t(0xDC00), wchar_t(0xD800)}, ""},
        {std::wstring{wchar_t(0xE9), wchar_t(0x20AC), wchar_t(0xD7FF), wchar_t(0xE000), wchar_t(0xFFFD)},
            "\xC3\xA9\xE2\x82\xAC\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBD"},
    };
    for (const auto& testCase : cases) {
        kelXmlSerializationOutputStream stream(L"r", kelXmlSerializationOutputStream::omitDeclaration);
        const auto sink = std::make_shared<std::ostringstream>();
        stream.bind(sink);
        stream.writeValue(L"v", testCase.value, true);
        ASSERT_TRUE(stream.flush());
        EXPECT_EQ(sink->str(), "<r v=\"" + testCase.written + "\" />");
    }
}

TEST_F(XmlStreamsTest, FlushWritesOncePerBindingAndClearKeepsTheElement)
{
    kelXmlSerializationOutputStream stream(L"r", kelXmlSerializationOutputStream::omitDeclaration);
    EXPECT_FALSE(stream.flush());
    auto sink = std::make_shared<std::ostringstream>();
    stream.bind(sink);
    stream.writeValue(L"a", L"1", true);
    EXPECT_TRUE(stream.flush());
    EXPECT_FALSE(stream.flush());
    EXPECT_EQ(sink->str(), R"(<r a="1" />)");

    stream.clear();
    sink = std::make_shared<std::ostringstream>();
    stream.bind(sink);
    EXPECT_TRUE(stream.flush());
    EXPECT_EQ(sink->str(), "<r />");
}

TEST_F(XmlStreamsTest, ObjectTreeRoundTripsThroughThePlatformReader)
{
    XmlTestDocument written;
    written.title = L"Tom & <Jerry> \"quoted\" 'single' \x00E9\x20AC";
    written.level = -3;
    written.owner = TestRecord(L"owner", 7);
    written.records.addItem(makeRecord(L"first", 1));
    written.records.addItem(makeRecord(L"second", 2));
    XmlWriter writer;
    ASSERT_TRUE(written.save(*writer.stream));

    const auto reader = bindReader(writer.bytes());
    ASSERT_TRUE(reader);
    XmlTestDocument read;
    ASSERT_TRUE(read.load(*reader));
    EXPECT_EQ(read.title, written.title);
    EXPECT_EQ(read.level, -3);
    EXPECT_EQ(read.owner.name, L"owner");
    EXPECT_EQ(read.owner.count, 7);
    const auto records = read.records.getItems();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0]->name, L"first");
    EXPECT_EQ(records[1]->name, L"second");
    EXPECT_EQ(records[1]->count, 2);
}

TEST_F(XmlStreamsTest, SavedTextLosesCharactersOutsideTheBasicPlaneAndLineBreaksReadAsBlanks)
{
    EXPECT_EQ(roundTripAttribute(std::wstring{L'x', wchar_t(0xD83D), wchar_t(0xDE00), L'y'}), L"xy");
    EXPECT_EQ(roundTripAttribute(L"one\ntwo\tthree"), L"one two three");
    EXPECT_EQ(roundTripAttribute(L""), L"");
}

TEST_F(XmlStreamsTest, ReaderAcceptsAnyRootAndUtf16)
{
    const std::string otherRoot = R"(<?xml version="1.0"?><Other title="t" level="4"><owner name="o" count="9" /><records /></Other>)";
    XmlTestDocument read;
    const auto reader = bindReader(otherRoot);
    ASSERT_TRUE(reader);
    EXPECT_TRUE(read.load(*reader));
    EXPECT_EQ(read.level, 4);
    EXPECT_EQ(read.owner.count, 9);

    const std::wstring wide = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?><r v=\"\x00E9\x20AC\" />";
    EXPECT_EQ(readAttribute(utf16le(wide), L"v"), L"\x00E9\x20AC");
}

TEST_F(XmlStreamsTest, ElementValueIsTheTextOfAllDescendants)
{
    const auto reader = bindReader(R"(<r a="attr"><v>he<b>l<i>l</i></b>o</v><v>second</v></r>)");
    ASSERT_TRUE(reader);
    std::wstring value = L"untouched";
    EXPECT_FALSE(reader->readValue(L"a", value, false));
    EXPECT_FALSE(reader->readValue(L"v", value, true));
    EXPECT_EQ(value, L"untouched");
    ASSERT_TRUE(reader->readValue(L"v", value, false));
    EXPECT_EQ(value, L"hello");
    EXPECT_EQ(reader->getChildren(L"v").size(), 2u);
    EXPECT_FALSE(reader->getChild(L"missing"));
}

TEST_F(XmlStreamsTest, FailedBindKeepsTheEarlierTreeAndEmptyBindReleasesIt)
{
    const auto reader = bindReader(R"(<r a="1" />)");
    ASSERT_TRUE(reader);
    auto& binding = dynamic_cast<kelSerializationInputStreamBinding&>(*reader);
    EXPECT_FALSE(binding.bind(std::make_shared<std::istringstream>("<r a=")));
    std::wstring value;
    EXPECT_TRUE(reader->readValue(L"a", value, true));
    EXPECT_EQ(value, L"1");

    EXPECT_TRUE(binding.bind(nullptr));
    EXPECT_FALSE(reader->readValue(L"a", value, true));
}

// A real file that an external entity points at; its text must never show up.
class SecretFile {
public:
    SecretFile() { std::ofstream(path, std::ios::binary) << "TOPSECRET"; }

    std::string url() const
    {
        auto text = path.generic_string();
        if (!text.empty() && text.front() != '/')
            text.insert(0, "/");
        return "file://" + text;
    }

    const ScratchFolder folder;
    const std::filesystem::path path = folder.file("secret.txt");
};

TEST_F(XmlStreamsTest, BrokenAndHostileDocumentsAreRefused)
{
    const SecretFile secret;
    const std::string laughs = R"(<?xml version="1.0"?><!DOCTYPE r [<!ENTITY a "aaaaaaaaaa">)"
                               R"(<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;"><!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">)"
                               R"(<!ENTITY d "&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;"><!ENTITY e "&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;">)"
                               R"(<!ENTITY f "&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;"><!ENTITY g "&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;">)"
                               R"(]><r v="&g;">&g;</r>)";
    const std::string external = R"(<?xml version="1.0"?><!DOCTYPE r [<!ENTITY x SYSTEM ")" + secret.url()
        + R"(">]><r v="&x;"><v>&x;</v></r>)";
    const std::string binary("\x00\xFF\xFE<\x01\x80r\x00>", 10);
    const std::vector<std::string> documents = {
        "",
        "not xml at all",
        R"(<?xml version="1.0" encoding="UTF-8"?><Vantrel a="1")",
        R"(<r><v>x</v>)",
        binary,
        laughs,
        external,
        R"(<!DOCTYPE r SYSTEM ")" + secret.url() + R"("><r v="1" />)",
        utf16le(L"<!DOCTYPE r [<!ENTITY a \"expanded\">]><r v=\"&a;\" />"),
    };
    for (const auto& document : documents) {
        const auto reader = bindReader(document);
        EXPECT_FALSE(reader) << document;
        if (!reader)
            continue;
        std::wstring value;
        reader->readValue(L"v", value, true);
        EXPECT_EQ(value.find(L"TOPSECRET"), std::wstring::npos);
        EXPECT_LT(value.size(), 1000u);
    }
}

struct NamedDocument {
    std::string label;
    std::string bytes;
};

// Elements nested to the given depth, the root counting as 1.
std::string nestedTo(int depth)
{
    std::string bytes;
    for (int level = 0; level < depth; ++level)
        bytes += "<e>";
    for (int level = 0; level < depth; ++level)
        bytes += "</e>";
    return bytes;
}

// IBM037, an EBCDIC code page, for the ASCII letters, digits and markup the
// documents here use.
std::string ebcdic(std::string_view ascii)
{
    constexpr std::string_view punctuation = " <>?!\"=&;[]./-";
    constexpr std::string_view punctuationCodes = "\x40\x4C\x6E\x6F\x5A\x7F\x7E\x50\x5E\xBA\xBB\x4B\x61\x60";
    const auto letter = [](char c, char first, unsigned char code) {
        // The letters come in three runs: A-I, J-R and S-Z.
        const int offset = c - first;
        return static_cast<char>(code + offset + (offset >= 9 ? 7 : 0) + (offset >= 18 ? 8 : 0));
    };
    std::string bytes;
    for (const char c : ascii) {
        if (c >= 'a' && c <= 'z')
            bytes.push_back(letter(c, 'a', 0x81));
        else if (c >= 'A' && c <= 'Z')
            bytes.push_back(letter(c, 'A', 0xC1));
        else if (c >= '0' && c <= '9')
            bytes.push_back(static_cast<char>(0xF0 + (c - '0')));
        else
            bytes.push_back(punctuationCodes.at(punctuation.find(c)));
    }
    return bytes;
}

// The parser step alone, as if the byte scan had missed every declaration:
// what the reader's parser settings and its own checks refuse by themselves.
TEST_F(XmlStreamsTest, HostileDocumentsAreRefusedByTheParserWithoutTheByteScan)
{
    const SecretFile secret;
    const std::vector<NamedDocument> hostile = {
        {"entity expansion", R"(<?xml version="1.0"?><!DOCTYPE r [<!ENTITY a "aaaaaaaaaa">)"
                             R"(<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;"><!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">)"
                             R"(<!ENTITY d "&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;">]><r v="&d;">&d;</r>)"},
        {"internal entity", R"(<!DOCTYPE r [<!ENTITY a "expanded">]><r v="&a;">&a;</r>)"},
        {"internal entity in UTF-16", utf16le(L"<!DOCTYPE r [<!ENTITY a \"expanded\">]><r v=\"&a;\" />")},
        {"external entity",
         R"(<!DOCTYPE r [<!ENTITY x SYSTEM ")" + secret.url() + R"(">]><r v="1"><v>&x;</v></r>)"},
        {"external parameter entity",
         R"(<!DOCTYPE r [<!ENTITY % x SYSTEM ")" + secret.url() + R"("> %x;]><r v="1" />)"},
        {"external subset", R"(<!DOCTYPE r SYSTEM ")" + secret.url() + R"("><r v="1" />)"},
        {"declaration after a comment", R"(<!-- settings --><!DOCTYPE r [<!ENTITY a "x">]><r v="&a;" />)"},
        {"one level deeper than the limit", nestedTo(kelXmlMaxElementDepth + 1)},
        {"very deep nesting", nestedTo(100000)},
    };
    for (const auto& document : hostile)
        EXPECT_FALSE(platformParserAccepts(document.bytes)) << document.label;

    const std::vector<NamedDocument> harmless = {
        {"settings file", withDeclaration(R"(<Vantrel xml:space="preserve" a="1"><b c="2" /></Vantrel>)")},
        {"nesting at the limit", nestedTo(kelXmlMaxElementDepth)},
        {"UTF-16", utf16le(L"<r v=\"1\" />")},
    };
    for (const auto& document : harmless)
        EXPECT_TRUE(platformParserAccepts(document.bytes)) << document.label;
}

// Declarations in forms and encodings that the byte scan does not match
// reach the parser through the reader itself.
TEST_F(XmlStreamsTest, DeclarationsThatGetPastTheByteScanAreRefused)
{
    const std::string subset = R"(<!DOCTYPE r [<!ENTITY a "expanded">]><r v="&a;">&a;</r>)";
    const std::vector<NamedDocument> documents = {
        {"lower-case keyword", R"(<!doctype r [<!ENTITY a "expanded">]><r v="&a;">&a;</r>)"},
        {"keyword split by a byte order mark", "<!DOC\xEF\xBB\xBFTYPE r [<!ENTITY a \"expanded\">]><r v=\"&a;\" />"},
        {"EBCDIC", ebcdic(R"(<?xml version="1.0" encoding="IBM037"?>)" + subset)},
        {"UTF-7", R"(<?xml version="1.0" encoding="UTF-7"?>)"
                  "+ADwAIQ-DOCTYPE r +AFsAPAAh-ENTITY a +ACI-expanded+ACIAPgBdAD4APA-r v+AD0AIgAm-a+ADsAIgA+ACY-a+ADsAPAAv-r+AD4-"},
    };
    for (const auto& document : documents) {
        ASSERT_FALSE(kelXmlHasDoctype(document.bytes)) << document.label << " must get past the byte scan";
        const auto reader = bindReader(document.bytes);
        EXPECT_FALSE(reader) << document.label;
        std::wstring value;
        if (reader && reader->readValue(L"v", value, true)) {
            EXPECT_EQ(value.find(L"expanded"), std::wstring::npos) << document.label;
        }
    }
}

} // namespace
