#pragma once

#include <initializer_list>
#include <string>
#include <vector>

// A version as people write it: numbers separated by dots or commas, each
// keeping its leading zeros (so 1.04 stays 1.04), and an optional text after
// them ("beta").
class kelAppVersion {
public:
    struct Part {
        int value = 0;
        int leadingZeros = 0;

        bool operator==(const Part&) const = default;
    };

    kelAppVersion() = default;
    // The numbers of a version resource; trailing zeros beyond the second
    // number are dropped as parse drops them.
    kelAppVersion(std::initializer_list<int> numbers);

    // Reads text such as "1.4.0.0", "1, 8, 0, 0", "V2.3 beta" or a leading
    // date "12/31/2020 1.2"; true when at least two numbers were read. A
    // number too large for an int is no version: parse then fails and keeps
    // no numbers.
    bool parse(const std::wstring& text);
    // The short form: the numbers joined by dots with their leading zeros,
    // trailing zeros beyond the second number dropped, then the suffix.
    std::wstring toString() const;

    std::vector<Part> parts;
    std::wstring suffix;

private:
    void dropTrailingZeroParts();
};
