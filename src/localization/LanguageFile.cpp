#include "localization/LanguageFile.h"

#include "localization/LanguageFileDecoder.h"
#include "localization/LanguageFileLines.h"
#include "localization/LanguageId.h"

namespace {

enum HeaderLine { NameLine = 0, NativeNameLine = 1, LanguageIdLine = 2 };

// Lines up to and including the marker; false if the file ends first.
bool readHeader(LanguageFileLines& lines, LanguageFileContent& content)
{
    int headerLine = NameLine;
    while (std::optional<std::wstring> line = lines.next()) {
        if (*line == languageFileMarker)
            return true;
        if (headerLine == NameLine)
            content.name = std::move(*line);
        else if (headerLine == NativeNameLine)
            content.nativeName = std::move(*line);
        else if (headerLine == LanguageIdLine)
            content.languageId = parseLanguageId(*line);
        if (headerLine <= LanguageIdLine)
            ++headerLine;
    }
    return false;
}

} // namespace

LanguageFileContent LanguageFileContent::read(std::streambuf& bytes, Extent extent)
{
    LanguageFileDecoder characters(bytes);
    LanguageFileLines lines(characters);
    LanguageFileContent content;
    if (!readHeader(lines, content) || extent == Extent::HeaderOnly)
        return content;
    while (std::optional<std::wstring> line = lines.next())
        content.strings.push_back(std::move(*line));
    return content;
}
