#include "localization/LinearUiLocalization.h"

#include "localization/LanguageFolder.h"

#include <fstream>
#include <utility>

LinearUiLocalization::LinearUiLocalization(std::wstring path) : path(std::move(path)) {}

std::wstring LinearUiLocalization::firstString(const std::wstring&) const
{
    return string(0);
}

std::wstring LinearUiLocalization::string(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return strings[static_cast<std::size_t>(index)];
}

std::wstring LinearUiLocalization::unescape(const std::wstring& line) const
{
    static constexpr std::wstring_view escapedLineBreak = L"\\n";
    std::wstring text;
    text.reserve(line.size());
    std::size_t from = 0;
    for (std::size_t found = line.find(escapedLineBreak); found != std::wstring::npos;
         found = line.find(escapedLineBreak, from)) {
        text.append(line, from, found - from);
        text += L'\n';
        from = found + escapedLineBreak.size();
    }
    text.append(line, from, std::wstring::npos);
    return text;
}

bool LinearUiLocalization::readHeader()
{
    return read(LanguageFileContent::Extent::HeaderOnly);
}

bool LinearUiLocalization::readAll()
{
    return read(LanguageFileContent::Extent::Whole);
}

bool LinearUiLocalization::read(LanguageFileContent::Extent extent)
{
    std::ifstream file(LanguageFolder::nativePath(path), std::ios::binary);
    if (!file.is_open())
        return false;
    LanguageFileContent content;
    try {
        content = LanguageFileContent::read(*file.rdbuf(), extent);
    } catch (const std::ios_base::failure&) {
        // The file buffer reports a failing read (a folder, a disk error) by
        // throwing; half a file is no language.
        return false;
    }
    languageName = std::move(content.name);
    nativeLanguageName = std::move(content.nativeName);
    id = content.languageId;
    strings.clear();
    strings.reserve(content.strings.size());
    for (const std::wstring& line : content.strings)
        strings.push_back(unescape(line));
    headerOnly = extent == LanguageFileContent::Extent::HeaderOnly;
    return true;
}
