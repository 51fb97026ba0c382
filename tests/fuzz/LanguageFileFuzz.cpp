// Feeds arbitrary bytes to the language file reader, whole and header only.
// Besides surviving any input, the two reads must agree on the header, and
// every string must be a line that counts: not empty, no comment, no line
// feed, no longer than a line part, and free of escapes once resolved.

#include "localization/LanguageFile.h"
#include "localization/LanguageFileLines.h"
#include "localization/LinearUiLocalization.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

bool isCountingLine(const std::wstring& line)
{
    return !line.empty() && line[0] != L';' && line.find(L'\n') == std::wstring::npos &&
           line.size() <= LanguageFileLines::maxPartLength;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::stringbuf wholeBytes(bytes);
    std::stringbuf headerBytes(bytes);
    const LanguageFileContent whole = LanguageFileContent::read(wholeBytes, LanguageFileContent::Extent::Whole);
    const LanguageFileContent header =
        LanguageFileContent::read(headerBytes, LanguageFileContent::Extent::HeaderOnly);

    if (header.name != whole.name || header.nativeName != whole.nativeName ||
        header.languageId != whole.languageId || !header.strings.empty())
        __builtin_trap();
    for (const std::wstring* field : {&whole.name, &whole.nativeName}) {
        if (!field->empty() && !isCountingLine(*field))
            __builtin_trap();
    }
    const LinearUiLocalization reader(L"");
    for (const std::wstring& line : whole.strings) {
        if (!isCountingLine(line) || reader.unescape(line).find(L"\\n") != std::wstring::npos)
            __builtin_trap();
    }
    return 0;
}
