#pragma once

#include "persistence/kelSerializable.h"

// A serializable made of serializable elements: a changed element makes the
// whole report modified, so the next save pass writes it, and clearing the
// whole after a save clears its elements too. Derived provides elements(), a
// range of shared_ptr to its elements, read under the composite's lock.
template <class Derived>
class kelSerializableComposite : public kelSerializable {
public:
    bool isModified() override
    {
        if (kelSerializable::isModified())
            return true;
        auto guard = autoLock();
        for (const auto& element : self().elements()) {
            if (element && element->isModified())
                return true;
        }
        return false;
    }

    void setModified(bool value) override
    {
        kelSerializable::setModified(value);
        if (value)
            return;
        auto guard = autoLock();
        for (const auto& element : self().elements()) {
            if (element)
                element->setModified(false);
        }
    }

private:
    Derived& self() { return static_cast<Derived&>(*this); }
};
