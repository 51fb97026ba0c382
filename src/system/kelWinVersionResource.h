#pragma once

#include "system/kelVersionResource.h"

#include <cstddef>
#include <utility>
#include <vector>

// A version resource as GetFileVersionInfoW copies it out of a file. Every
// answer VerQueryValueW points to is checked to lie within the copy, since
// the file may be any program's, made by anyone.
class kelWinVersionResource : public kelVersionResource {
public:
    explicit kelWinVersionResource(std::vector<unsigned char> block) : block(std::move(block)) {}

    std::optional<kelFixedFileVersions> fixedVersions() const override;
    std::vector<kelVersionTranslation> translations() const override;
    std::optional<std::wstring> text(const std::wstring& queryPath) const override;

private:
    // The bytes at queryPath, of the given unit size, limited to the block;
    // empty when the query fails or points outside it.
    std::pair<const unsigned char*, std::size_t> query(const std::wstring& queryPath, std::size_t unitSize) const;

    std::vector<unsigned char> block;
};

// Reads version resources with the platform's version library.
class kelWinVersionResourceReader : public kelVersionResourceReader {
public:
    std::unique_ptr<kelVersionResource> open(const std::wstring& path) const override;
    std::wstring runningExecutablePath() const override;
};
