#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The version numbers a version resource keeps as numbers, most significant first.
struct kelFixedFileVersions {
    std::array<std::uint16_t, 4> file{};
    std::array<std::uint16_t, 4> product{};
};

// A language and code page whose string table a version resource holds.
struct kelVersionTranslation {
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
};

// One file's version resource as loaded from the file; every answer lies
// within what was loaded.
class kelVersionResource {
public:
    virtual ~kelVersionResource() = default;
    virtual std::optional<kelFixedFileVersions> fixedVersions() const = 0;
    // The entries of "\VarFileInfo\Translation", in their order.
    virtual std::vector<kelVersionTranslation> translations() const = 0;
    // The string at a query path such as "\StringFileInfo\040904b0\ProductName".
    virtual std::optional<std::wstring> text(const std::wstring& queryPath) const = 0;
};

// Where version resources come from: program files, and the running one.
class kelVersionResourceReader {
public:
    virtual ~kelVersionResourceReader() = default;
    // Empty when the file cannot be read or has no version resource.
    virtual std::unique_ptr<kelVersionResource> open(const std::wstring& path) const = 0;
    virtual std::wstring runningExecutablePath() const = 0;
};
