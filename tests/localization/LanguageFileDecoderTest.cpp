#include "localization/LanguageFileDecoder.h"

#include "localization/LanguageFileBytes.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using Encoding = LanguageFileDecoder::Encoding;
using namespace LanguageFileBytes;

struct Decoded {
    Encoding encoding;
    std::wstring characters;
};

Decoded decode(const std::string& bytes)
{
    std::stringbuf buffer(bytes);
    LanguageFileDecoder decoder(buffer);
    Decoded decoded{decoder.encoding(), {}};
    while (const std::optional<wchar_t> character = decoder.next())
        decoded.characters += *character;
    return decoded;
}

// Umlauts, a character beyond the basic plane and a line break, in every encoding.
const std::u32string sample = U"Gr\u00FC\u00DFe \U0001F600\r\nEnde";

struct EncodingCase {
    const char* what;
    std::string bytes;
    Encoding encoding;
    std::wstring characters;
};

class LanguageFileDecoderEncodings : public testing::TestWithParam<EncodingCase> {};

TEST_P(LanguageFileDecoderEncodings, DecodesByTheByteOrderMark)
{
    const Decoded decoded = decode(GetParam().bytes);
    EXPECT_EQ(decoded.encoding, GetParam().encoding);
    EXPECT_EQ(decoded.characters, GetParam().characters);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageFileDecoderEncodings,
    testing::Values(EncodingCase{"utf8", utf8WithBom(sample), Encoding::Utf8, wide(sample)},
                    EncodingCase{"utf16le", utf16(sample, false), Encoding::Utf16LittleEndian, wide(sample)},
                    EncodingCase{"utf16be", utf16(sample, true), Encoding::Utf16BigEndian, wide(sample)},
                    EncodingCase{"bytes", singleBytes(U"Gr\u00FC\u00DFe\r\n\u00FF"), Encoding::Bytes,
                                 L"Gr\u00FC\u00DFe\r\n\u00FF"},
                    // UTF-8 without a byte order mark is taken byte by byte.
                    EncodingCase{"utf8NoBom", utf8(U"\u00FC"), Encoding::Bytes, L"\u00C3\u00BC"},
                    // Bytes that start like a byte order mark but are none stay text.
                    EncodingCase{"halfBom", "\xEF\xBB" "A", Encoding::Bytes, L"\u00EF\u00BB" L"A"},
                    EncodingCase{"shortFile", "\xEF", Encoding::Bytes, L"\u00EF"},
                    EncodingCase{"empty", "", Encoding::Bytes, L""},
                    EncodingCase{"bomOnly", "\xFF\xFE", Encoding::Utf16LittleEndian, L""}),
    [](const testing::TestParamInfo<EncodingCase>& info) { return info.param.what; });

struct DamageCase {
    const char* what;
    std::string bytes;
    std::wstring characters;
};

class LanguageFileDecoderDamage : public testing::TestWithParam<DamageCase> {};

TEST_P(LanguageFileDecoderDamage, ReplacesWhatIsNoCharacterAndKeepsTheRest)
{
    EXPECT_EQ(decode(GetParam().bytes).characters, GetParam().characters);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageFileDecoderDamage,
    testing::Values(
        // A cut sequence does not swallow the line feed after it.
        DamageCase{"utf8CutSequence", "\xEF\xBB\xBF" "a\xE2\x82\nb", L"a\uFFFD\nb"},
        DamageCase{"utf8StrayContinuation", "\xEF\xBB\xBF\x80" "a", L"\uFFFDa"},
        DamageCase{"utf8Overlong", "\xEF\xBB\xBF\xC0\xAF", L"\uFFFD\uFFFD"},
        DamageCase{"utf8EncodedSurrogate", "\xEF\xBB\xBF\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},
        DamageCase{"utf8BeyondUnicode", "\xEF\xBB\xBF\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
        DamageCase{"utf8CutAtEnd", "\xEF\xBB\xBF" "a\xF0\x9F", L"a\uFFFD"},
        DamageCase{"utf8Nul", std::string("\xEF\xBB\xBF" "a\0b", 6), std::wstring(L"a\0b", 3)},
        DamageCase{"utf8NulAfterLead", std::string("\xEF\xBB\xBF\xC3\0b", 6), std::wstring(L"\uFFFD\0b", 3)},
        // A high surrogate without its partner does not take the next character with it.
        DamageCase{"utf16LoneHigh", std::string("\xFF\xFE\x00\xD8\x41\x00", 6), L"\uFFFDA"},
        DamageCase{"utf16LoneLow", std::string("\xFF\xFE\x00\xDC\x41\x00", 6), L"\uFFFDA"},
        DamageCase{"utf16HighAtEnd", std::string("\xFE\xFF\x00\x41\xD8\x00", 6), L"A\uFFFD"},
        DamageCase{"utf16OddByte", std::string("\xFF\xFE\x41\x00\x42", 5), L"A"},
        DamageCase{"utf16Nul", std::string("\xFF\xFE\x00\x00", 4), std::wstring(1, L'\0')}),
    [](const testing::TestParamInfo<DamageCase>& info) { return info.param.what; });

TEST(LanguageFileDecoder, StaysAtTheEndOnceThere)
{
    std::stringbuf buffer("\xFE\xFF");
    LanguageFileDecoder decoder(buffer);
    EXPECT_FALSE(decoder.next());
    EXPECT_FALSE(decoder.next());
}

} // namespace
