#pragma once

#include "persistence/kelSerializableComposite.h"
#include "persistence/kelSerializationIoStream.h"

#include <memory>
#include <utility>
#include <vector>

// A list of serializable objects, stored as one child node "item" per
// element in vector order. T is a shared_ptr to a kelSerializable class.
template <class T>
class kelSerializableObjVector : public kelSerializableComposite<kelSerializableObjVector<T>> {
public:
    // Reading replaces the elements and stops at the first element that cannot
    // be made or read; the elements read before it stay.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override
    {
        auto guard = this->autoLock();
        return io.isReading() ? readItems(io, flags) : writeItems(io, flags);
    }

    virtual T createItem(kelSerializationIoStream& child) = 0;

    // An empty element is refused: it could never be written.
    virtual bool addItem(T item)
    {
        if (!item)
            return false;
        items.push_back(std::move(item));
        return true;
    }

    std::vector<T> getItems()
    {
        auto guard = this->autoLock();
        return items;
    }

protected:
    std::vector<T> items;

private:
    friend class kelSerializableComposite<kelSerializableObjVector<T>>;
    const std::vector<T>& elements() const { return items; }

    bool readItems(kelSerializationIoStream& io, unsigned flags)
    {
        items.clear();
        for (const auto& child : io.children(L"item")) {
            T item = createItem(*child);
            if (!item || !item->serialize(*child, flags))
                return false;
            addItem(std::move(item));
        }
        return true;
    }

    bool writeItems(kelSerializationIoStream& io, unsigned flags)
    {
        for (const auto& item : items) {
            auto child = io.child(L"item");
            if (!item || !child || !item->serialize(*child, flags))
                return false;
        }
        return true;
    }
};

// An object vector whose elements are default-constructed before they read themselves.
template <class X>
class kelSerializableSharedObjVector : public kelSerializableObjVector<std::shared_ptr<X>> {
public:
    std::shared_ptr<X> createItem(kelSerializationIoStream& child) override { return std::make_shared<X>(); }
};
