#include "system/kelBinaryFileVersionInfo.h"

#include "persistence/kelSerializationIoStream.h"
#include "system/kelVersionResource.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

struct NamedText {
    const wchar_t* name;
    std::wstring kelBinaryFileVersionInfo::*field;
};

// The standard texts of a version resource, under their names there.
constexpr NamedText namedTexts[] = {
    {L"Comments", &kelBinaryFileVersionInfo::comments},
    {L"CompanyName", &kelBinaryFileVersionInfo::companyName},
    {L"FileDescription", &kelBinaryFileVersionInfo::fileDescription},
    {L"FileVersion", &kelBinaryFileVersionInfo::fileVersionText},
    {L"InternalName", &kelBinaryFileVersionInfo::internalName},
    {L"LegalCopyright", &kelBinaryFileVersionInfo::legalCopyright},
    {L"LegalTrademarks", &kelBinaryFileVersionInfo::legalTrademarks},
    {L"OriginalFilename", &kelBinaryFileVersionInfo::originalFilename},
    {L"PrivateBuild", &kelBinaryFileVersionInfo::privateBuild},
    {L"ProductName", &kelBinaryFileVersionInfo::productName},
    {L"ProductVersion", &kelBinaryFileVersionInfo::productVersionText},
    {L"SpecialBuild", &kelBinaryFileVersionInfo::specialBuild},
};

// Four lower-case hexadecimal digits, as the string tables are named.
std::wstring hex4(std::uint16_t value)
{
    static const wchar_t digits[] = L"0123456789abcdef";
    std::wstring text(4, L'0');
    for (int i = 3; i >= 0; --i, value = static_cast<std::uint16_t>(value >> 4))
        text[static_cast<std::size_t>(i)] = digits[value & 0xF];
    return text;
}

std::wstring stringTablePath(const kelVersionTranslation& translation)
{
    return L"\\StringFileInfo\\" + hex4(translation.language) + hex4(translation.codePage) + L"\\";
}

kelAppVersion versionOf(const std::array<std::uint16_t, 4>& numbers)
{
    return kelAppVersion{numbers[0], numbers[1], numbers[2], numbers[3]};
}

bool serializeVersion(kelSerializationIoStream& io, const wchar_t* name, kelAppVersion& version)
{
    std::wstring text = version.toString();
    if (!io.serializeValue(name, text, false))
        return false;
    if (io.isReading())
        version.parse(text);
    return true;
}

} // namespace

bool kelBinaryFileVersionInfo::read(const std::wstring& path, const kelVersionResourceReader& reader)
{
    clear();
    const std::unique_ptr<kelVersionResource> resource = reader.open(path);
    if (!resource)
        return false;
    readTexts(*resource);
    readVersions(*resource);
    return true;
}

void kelBinaryFileVersionInfo::clear()
{
    for (const auto& [name, field] : namedTexts)
        (this->*field).clear();
    productVersion = {};
    fileVersion = {};
}

void kelBinaryFileVersionInfo::readTexts(const kelVersionResource& resource)
{
    const auto translations = resource.translations();
    if (translations.empty())
        return;
    const std::wstring table = stringTablePath(translations.front());
    for (const auto& [name, field] : namedTexts)
        this->*field = resource.text(table + name).value_or(std::wstring());
}

void kelBinaryFileVersionInfo::readVersions(const kelVersionResource& resource)
{
    if (const auto numbers = resource.fixedVersions()) {
        fileVersion = versionOf(numbers->file);
        productVersion = versionOf(numbers->product);
    }
    kelAppVersion fromText;
    if (fromText.parse(productVersionText))
        productVersion = fromText;
}

bool kelBinaryFileVersionInfo::serialize(kelSerializationIoStream& io, unsigned)
{
    for (const auto& [name, field] : namedTexts) {
        if (!io.serializeValue(name, this->*field, false))
            return false;
    }
    return serializeVersion(io, L"ProductVersionDigit", productVersion) &&
           serializeVersion(io, L"FileVersionDigit", fileVersion);
}
