#pragma once

#include "persistence/SerializableObjMap.h"

#include <algorithm>
#include <concepts>
#include <memory>
#include <ranges>
#include <utility>

// A value type tells by its own identity whether two values stand for the
// same thing (an application, for instance, by its key text).
template <class T>
concept kelHasSerializableIdentity = requires(const T& value, const T& other) {
    { value.sameIdentity(other) } -> std::convertible_to<bool>;
};

// One shared value with the count of its holders, stored as the value's own
// node plus the count as "item-refs".
template <class T>
class SerializableObjMapByIdWithRefsItem : public kelSerializableComposite<SerializableObjMapByIdWithRefsItem<T>> {
public:
    bool serialize(kelSerializationIoStream& io, unsigned flags) override
    {
        return io.serializeValue(L"item-refs", refs, true) && value && value->serialize(io, flags);
    }

    unsigned refs = 0;
    std::shared_ptr<T> value;

private:
    friend class kelSerializableComposite<SerializableObjMapByIdWithRefsItem<T>>;
    auto elements() const { return std::views::single(value); }
};

// A map of shared values that counts references: adding a value equal to a
// stored one hands out the stored one's id, and an item goes only when its
// last reference is removed.
template <class T, class K = unsigned>
    requires kelHasSerializableIdentity<T>
class SerializableObjMapByIdWithRefs : public SerializableObjMapById<SerializableObjMapByIdWithRefsItem<T>, K> {
public:
    using Item = SerializableObjMapByIdWithRefsItem<T>;

    std::shared_ptr<Item> createItem(kelSerializationIoStream& child) override
    {
        auto value = createValue(child);
        return value ? makeItem(std::move(value)) : nullptr;
    }

    // Drops one reference; the last one removes the item. The decision and the
    // removal happen under one hold of the lock, so an addRef of the same
    // value from another thread can never be handed an id that is about to go.
    void remove(K id) override
    {
        auto guard = this->autoLock();
        const auto found = this->items.find(id);
        const bool dropRef = found != this->items.end() && found->second->refs > 1;
        if (dropRef)
            --found->second->refs;
        const bool changed = dropRef || this->removeItem(id);
        guard->unlock();
        if (changed)
            this->setModified(true);
    }

    // The id of the stored value equal to value (one reference more), or of a
    // new item holding value; 0 if value is empty or no id is left.
    virtual K addRef(std::shared_ptr<T> value)
    {
        if (!value)
            return K{};
        auto guard = this->autoLock();
        const auto found = std::ranges::find_if(this->items, [&value](const auto& entry) {
            return entry.second->value && entry.second->value->sameIdentity(*value);
        });
        bool changed = true;
        K id{};
        if (found != this->items.end()) {
            ++found->second->refs;
            id = found->first;
        } else {
            id = this->addLocked(makeItem(std::move(value)));
            changed = id != K{};
        }
        guard->unlock();
        if (changed)
            this->setModified(true);
        return id;
    }

    virtual std::shared_ptr<T> createValue(kelSerializationIoStream& child) = 0;

private:
    static std::shared_ptr<Item> makeItem(std::shared_ptr<T> value)
    {
        auto item = std::make_shared<Item>();
        item->refs = 1;
        item->value = std::move(value);
        return item;
    }
};
