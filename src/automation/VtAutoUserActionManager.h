#pragma once

#include "automation/VtAutoUserActionProvider.h"
#include "support/kelCreatesThreads2.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

class VtUserActionProcessorList;

// The automatic-action thread: ten times a second it collects what its
// providers offer, withdraws the active actions whose end condition holds,
// then runs the offered ones. An application that was left thus gives back
// the monitors before the next application's actions save them, even when
// the change of application is first seen while the offers are collected.
//
// Threads and locks: the thread starts at construction and is the only one
// that asks the providers, evaluates end conditions and calls the processor
// list, with no lock of the manager held. addProvider() and setEnabled() may
// come from any thread. stop() and destruction stop and join the thread and
// withdraw nothing: the processor puts the monitors back (withdrawAll).
class VtAutoUserActionManager : private kelCreatesThreads2 {
public:
    explicit VtAutoUserActionManager(std::shared_ptr<VtUserActionProcessorList> processors);
    ~VtAutoUserActionManager() override;

    void addProvider(std::shared_ptr<VtAutoUserActionProvider> provider);
    // No action is run or withdrawn once it returns. Not from the thread itself.
    void stop() { requestStop(true); }
    // While off, offered actions are dropped unseen; active ones still end.
    void setEnabled(bool enable) { enabled = enable; }
    bool isEnabled() const { return enabled; }

private:
    void run();
    void withdrawEnded();
    std::vector<AutoUserAction> collectOffered();
    void runAction(AutoUserAction offered);

    const std::shared_ptr<VtUserActionProcessorList> processors;
    std::mutex providersMutex;
    std::vector<std::shared_ptr<VtAutoUserActionProvider>> providers;
    // Touched by the thread only.
    std::vector<AutoUserAction> activeAutoActions;
    std::atomic<bool> enabled{false};
};
