#pragma once

#include <functional>
#include <memory>

class VtUserAction;

// An action a provider offers the automatic-action thread. With an end
// condition the action is restorable and is withdrawn as soon as the
// condition holds; without one it is a one-shot step.
struct AutoUserAction {
    std::shared_ptr<VtUserAction> action;
    std::function<bool()> hasEnded;
};

// A source of automatic actions, asked by the automatic-action thread ten
// times a second; called on that thread only.
class VtAutoUserActionProvider {
public:
    // True and out filled when an action is ready.
    virtual bool nextAction(AutoUserAction& out) = 0;
    virtual ~VtAutoUserActionProvider() = default;
};
