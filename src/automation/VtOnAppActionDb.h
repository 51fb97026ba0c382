#pragma once

#include "automation/VtOnAppAction.h"
#include "persistence/kelSerializableObjVector.h"
#include "support/kelOwnedMutex.h"

#include <cstdint>
#include <memory>
#include <vector>

// The per-application rules ("apps_actions.vt"), kept ordered by application
// id so the rules of one application are found by bisection. Its mutex is
// held only inside its own operations (the settings page edits, the
// automatic-action thread looks up, the autosave thread saves); it is never
// held while anything outside the database is called.
class VtOnAppActionDb : public kelSerializable {
public:
    void lock() override { mutex.lock(); }
    void unlock() override { mutex.unlock(); }

    // Reading stops at the first rule that does not read, keeping the rules before it.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;
    bool isModified() override;
    void setModified(bool value) override;

    // The rules of that application, in their stored order; the rule objects are shared.
    std::vector<std::shared_ptr<VtOnAppAction>> rulesFor(std::uint32_t appId);
    void addRule(const std::shared_ptr<VtOnAppAction>& rule);
    // Removes this very rule object; nothing when the database does not hold it.
    void removeRule(const std::shared_ptr<VtOnAppAction>& rule);

private:
    class Rules : public kelSerializableSharedObjVector<VtOnAppAction> {
    public:
        using Range = std::pair<std::vector<std::shared_ptr<VtOnAppAction>>::iterator,
                                std::vector<std::shared_ptr<VtOnAppAction>>::iterator>;
        void sortByApp();
        Range rangeOf(std::uint32_t appId);
        void erase(std::vector<std::shared_ptr<VtOnAppAction>>::iterator at) { items.erase(at); }
    };

    Rules rules;
    kelOwnedMutex mutex;
};
