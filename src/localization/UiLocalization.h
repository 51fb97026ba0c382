#pragma once

#include <string>

// One language as the program sees it: a header naming the language and a
// list of texts looked up by their number. A number the language has no text
// for, negative numbers included, gives an empty text.
class UiLocalization {
public:
    // A Windows language identifier; 0 when the file gives none.
    virtual int languageId() const = 0;
    virtual std::wstring name() const = 0;
    virtual std::wstring nativeName() const = 0;
    virtual int count() const = 0;
    virtual std::wstring firstString(const std::wstring& text) const = 0;
    virtual std::wstring string(int index) const = 0;
    virtual ~UiLocalization() = default;
};
