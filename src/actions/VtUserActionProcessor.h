#pragma once

#include <memory>

class VtUserAction;

// Something that turns user actions into changes of the monitors. Actions are
// told apart by identity: withdraw() takes the very object process() got.
class VtUserActionProcessor {
public:
    // True when this processor took the action. A restorable action's
    // effect lasts until it is withdrawn.
    virtual bool process(const std::shared_ptr<VtUserAction>& action, bool restorable) = 0;
    // Ends a restorable action; true when this processor knew it.
    virtual bool withdraw(const std::shared_ptr<VtUserAction>& action) = 0;
    // The end of the program: every restorable action in force ends at once
    // (its effect undone), and actions still waiting to run are dropped.
    virtual void withdrawAll() = 0;
    virtual ~VtUserActionProcessor() = default;
};
