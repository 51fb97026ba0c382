#pragma once

#include "actions/VtUserAction.h"
#include "persistence/kelSerializable.h"

#include <cstdint>

// One per-application rule: while the application with this id in the
// application database is in front, the action applies. Plain data with no
// lock of its own; the rule database and the settings page lock around it.
// A rule holds one reference on its application's entry for as long as it
// names that application.
class VtOnAppAction : public kelSerializable {
public:
    ~VtOnAppAction() override = default;

    // Stored as "app_id" and the child "action"; reading fails on a missing
    // or unreadable id, a missing child or an action that does not read.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    // 0 while no application is chosen.
    std::uint32_t appId = 0;
    VtUserAction action;
};
