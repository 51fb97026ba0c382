#pragma once

#include "persistence/kelSerializable.h"
#include "system/kelAppVersion.h"

#include <string>

class kelVersionResource;
class kelVersionResourceReader;

// What a program file's version resource says about it: the standard texts
// and the product and file versions.
class kelBinaryFileVersionInfo : public kelSerializable {
public:
    // Reads path's version resource; false, with every text empty and both
    // versions cleared, when it has none that can be read. The texts come
    // from the string table of the first language the resource lists.
    bool read(const std::wstring& path, const kelVersionResourceReader& reader);

    // The texts as elements under their resource names, then both versions
    // in their short form as "ProductVersionDigit" and "FileVersionDigit".
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    std::wstring comments;
    std::wstring companyName;
    std::wstring fileDescription;
    std::wstring fileVersionText;
    std::wstring internalName;
    std::wstring legalCopyright;
    std::wstring legalTrademarks;
    std::wstring originalFilename;
    std::wstring privateBuild;
    std::wstring productName;
    std::wstring productVersionText;
    std::wstring specialBuild;

    // The numbers of the resource, the product version replaced by its text
    // when that reads as a version (so "1.8 beta" keeps its suffix).
    kelAppVersion productVersion;
    kelAppVersion fileVersion;

private:
    void clear();
    void readTexts(const kelVersionResource& resource);
    void readVersions(const kelVersionResource& resource);
};
