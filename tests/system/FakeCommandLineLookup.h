#pragma once

#include "system/kelCommandLineLookup.h"

#include <map>
#include <set>
#include <string>

// A machine made of a few files, a search path and environment variables.
class FakeCommandLineLookup : public kelCommandLineLookup {
public:
    std::set<std::wstring> files;
    // Name as given → the full path the platform's search would find.
    std::map<std::wstring, std::wstring> searchPathFinds;
    std::map<std::wstring, std::wstring> environment;

    std::wstring expandEnvironment(const std::wstring& text) const override
    {
        std::wstring result = text;
        for (const auto& [name, value] : environment) {
            const std::wstring reference = L"%" + name + L"%";
            for (auto at = result.find(reference); at != std::wstring::npos; at = result.find(reference, at))
                result.replace(at, reference.size(), value);
        }
        return result;
    }
    std::wstring searchPath(const std::wstring& program) const override
    {
        const auto found = searchPathFinds.find(program);
        return found == searchPathFinds.end() ? std::wstring() : found->second;
    }
    bool isFile(const std::wstring& path) const override { return files.count(path) != 0; }
};
