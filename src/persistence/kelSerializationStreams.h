#pragma once

#include <memory>
#include <string>
#include <vector>

// A readable tree of named nodes carrying named text values. Typed fields
// travel as text in the classic "C" locale, whatever the global locale is.
class kelSerializationInputStream {
public:
    virtual ~kelSerializationInputStream() = default;

    // The first child node called name, or empty.
    virtual std::shared_ptr<kelSerializationInputStream> getChild(const std::wstring& name) = 0;
    // Every child node called name, in document order.
    virtual std::vector<std::shared_ptr<kelSerializationInputStream>> getChildren(const std::wstring& name) = 0;
    // Copies the text value called name into out; false, with out untouched,
    // if there is none. asAttribute chooses between the formats' two kinds of
    // value where a format has two.
    virtual bool readValue(const std::wstring& name, std::wstring& out, bool asAttribute) = 0;
    // Called before each load; a stream that keeps no per-load state has nothing to do.
    virtual void reset() {}

    // Typed reads assign the field only when the whole conversion succeeds, so
    // a missing or malformed value leaves the field's earlier value in place.
    // Characters after the number are ignored.
    bool read(const std::wstring& name, std::wstring& out, bool asAttribute);
    bool read(const std::wstring& name, bool& out, bool asAttribute);
    bool read(const std::wstring& name, int& out, bool asAttribute);
    bool read(const std::wstring& name, unsigned& out, bool asAttribute);
    bool read(const std::wstring& name, float& out, bool asAttribute);
};

// A writable tree of named nodes carrying named text values.
class kelSerializationOutputStream {
public:
    virtual ~kelSerializationOutputStream() = default;

    // Appends a new child node called name; empty if the format refuses one.
    virtual std::shared_ptr<kelSerializationOutputStream> createChild(const std::wstring& name) = 0;
    // Sets the text value called name, replacing an earlier value of the same name and kind.
    virtual bool writeValue(const std::wstring& name, const std::wstring& value, bool asAttribute) = 0;
    // Forgets every value and child written so far.
    virtual void clear() = 0;

    // Typed writes: bool as "1" or "0", numbers in decimal, float in general
    // notation with 6 significant digits. False if formatting or writeValue fails.
    bool write(const std::wstring& name, const std::wstring& value, bool asAttribute);
    // Without this, a string literal would pick the bool overload.
    bool write(const std::wstring& name, const wchar_t* value, bool asAttribute);
    bool write(const std::wstring& name, bool value, bool asAttribute);
    bool write(const std::wstring& name, int value, bool asAttribute);
    bool write(const std::wstring& name, unsigned value, bool asAttribute);
    bool write(const std::wstring& name, float value, bool asAttribute);
};
