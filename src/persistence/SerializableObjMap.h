#pragma once

#include "persistence/kelSerializableComposite.h"
#include "persistence/kelSerializationIoStream.h"

#include <algorithm>
#include <map>
#include <memory>
#include <ranges>
#include <type_traits>
#include <utility>

// Serializable objects under unsigned ids, stored as one child node "item"
// per entry in ascending id order, the id being the node's value "item-id".
template <class K, class V>
class SerializableObjMap : public kelSerializableComposite<SerializableObjMap<K, V>> {
    static_assert(std::is_same_v<K, unsigned>, "ids travel as unsigned values");

public:
    // Reading replaces the entries and stops at the first item that cannot be
    // made or read; the entries read before it stay.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override
    {
        auto guard = this->autoLock();
        return io.isReading() ? readItems(io, flags) : writeItems(io, flags);
    }

    virtual std::shared_ptr<V> createItem(kelSerializationIoStream& child) = 0;

    virtual bool serializeItem(K& id, std::shared_ptr<V>& item, kelSerializationIoStream& child, unsigned flags)
    {
        return child.serializeValue(L"item-id", id, true) && item->serialize(child, flags);
    }

    // Replaces an item with the same id. An empty item is refused: it could never be written.
    virtual bool addItem(K id, std::shared_ptr<V> item)
    {
        if (!item)
            return false;
        items[id] = std::move(item);
        return true;
    }

    std::shared_ptr<V> getItem(K id)
    {
        auto guard = this->autoLock();
        const auto found = items.find(id);
        return found == items.end() ? nullptr : found->second;
    }

    std::map<K, std::shared_ptr<V>> getItems()
    {
        auto guard = this->autoLock();
        return items;
    }

protected:
    std::map<K, std::shared_ptr<V>> items;

private:
    friend class kelSerializableComposite<SerializableObjMap<K, V>>;
    auto elements() const { return std::views::values(items); }

    bool readItems(kelSerializationIoStream& io, unsigned flags)
    {
        items.clear();
        for (const auto& child : io.children(L"item")) {
            K id{};
            auto item = createItem(*child);
            if (!item || !serializeItem(id, item, *child, flags))
                return false;
            addItem(id, std::move(item));
        }
        return true;
    }

    bool writeItems(kelSerializationIoStream& io, unsigned flags)
    {
        for (const auto& [storedId, storedItem] : items) {
            K id = storedId;
            auto item = storedItem;
            auto child = io.child(L"item");
            if (!item || !child || !serializeItem(id, item, *child, flags))
                return false;
        }
        return true;
    }
};

// An id map that hands out ids itself, counting from 1 and always past the
// largest id it has held, so a removed item's id is not given out again.
template <class V, class K = unsigned>
class SerializableObjMapById : public SerializableObjMap<K, V> {
    using Base = SerializableObjMap<K, V>;

public:
    bool addItem(K id, std::shared_ptr<V> item) override
    {
        if (!Base::addItem(id, std::move(item)))
            return false;
        nextId = std::max(nextId, static_cast<K>(id + 1));
        return true;
    }

    // The new item's id, or 0 if the item was refused.
    virtual K add(std::shared_ptr<V> item)
    {
        auto guard = this->autoLock();
        const K id = addLocked(std::move(item));
        guard->unlock();
        if (id != K{})
            this->setModified(true);
        return id;
    }

    virtual void remove(K id)
    {
        auto guard = this->autoLock();
        const bool removed = removeItem(id);
        guard->unlock();
        if (removed)
            this->setModified(true);
    }

    // Called with the lock held.
    virtual bool removeItem(K id)
    {
        const auto found = this->items.find(id);
        if (found == this->items.end())
            return false;
        onRemove(found->second);
        this->items.erase(found);
        return true;
    }

    // Lets a database release what an item holds elsewhere; called with the lock held.
    virtual void onRemove(const std::shared_ptr<V>& item) {}

    K getNextId()
    {
        auto guard = this->autoLock();
        return nextId;
    }

protected:
    // Called with the lock held. nextId only meets a used id once the ids
    // have run out (after a document held an id near the top); the add is
    // then refused rather than replace that item.
    K addLocked(std::shared_ptr<V> item)
    {
        const K id = nextId;
        if (this->items.contains(id) || !addItem(id, std::move(item)))
            return K{};
        return id;
    }

    K nextId = 1;
};
