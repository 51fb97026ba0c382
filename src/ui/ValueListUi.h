#pragma once

#include "support/kelRaisesVaEvents.h"

// A list the user picks one value from, as the model sees it: the window's
// combo boxes. UI thread only. VaEvent is raised when the user (not the
// program) changes the selection.
template <class Value>
class ValueListUi : public kelRaisesVaEvents {
public:
    struct VaEvent : kelVaEvent {};

    ~ValueListUi() override = default;

    virtual bool hasSelection() const = 0;
    // Selects the first entry equal to value (case-sensitive); false, with
    // nothing changed, when none is.
    virtual bool select(const Value& value) = 0;
    virtual Value selectedValue() const = 0;
    virtual void clearSelection() = 0;
    virtual void add(const Value& value) = 0;
    virtual void remove(const Value& value) = 0;
    virtual bool contains(const Value& value) const = 0;
    virtual void clear() = 0;
};
