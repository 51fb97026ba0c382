#pragma once

#include "localization/LanguageFile.h"
#include "localization/UiLocalization.h"

#include <string>
#include <vector>

// One language file. It starts knowing only its path; a header read fills in
// the name, native name and id, a full read the strings as well, each string
// with its escapes resolved. A read fails only when the file cannot be
// opened or read (whatever its content), and then leaves everything as it
// was.
class LinearUiLocalization : public UiLocalization {
public:
    explicit LinearUiLocalization(std::wstring path);

    int languageId() const override { return id; }
    std::wstring name() const override { return languageName; }
    std::wstring nativeName() const override { return nativeLanguageName; }
    int count() const override { return static_cast<int>(strings.size()); }
    // String number 0, whatever text is given.
    std::wstring firstString(const std::wstring& text) const override;
    std::wstring string(int index) const override;

    // The two characters backslash and "n" stand for a line break; there is
    // no other escape.
    virtual std::wstring unescape(const std::wstring& line) const;

    bool readHeader();
    bool readAll();
    bool isHeaderOnly() const { return headerOnly; }
    const std::wstring& filePath() const { return path; }

private:
    bool read(LanguageFileContent::Extent extent);

    std::wstring languageName;
    std::wstring nativeLanguageName;
    int id = 0;
    std::vector<std::wstring> strings;
    bool headerOnly = true;
    std::wstring path;
};
