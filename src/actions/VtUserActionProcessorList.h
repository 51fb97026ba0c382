#pragma once

#include "actions/VtUserActionProcessor.h"

#include <vector>

// The processors the hotkeys and the per-application automation hand their
// actions to: each action goes to the first member that takes it. The
// members are set up at start-up and not changed afterwards, so the list
// needs no lock.
class VtUserActionProcessorList : public VtUserActionProcessor {
public:
    bool process(const std::shared_ptr<VtUserAction>& action, bool restorable) override;
    bool withdraw(const std::shared_ptr<VtUserAction>& action) override;
    void withdrawAll() override;

    std::vector<std::shared_ptr<VtUserActionProcessor>> processors;
};
