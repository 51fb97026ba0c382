#pragma once

#include <memory>

class Hotkey;
class VtUserActionProcessorList;

// Hands a fired hotkey's own action to the action processors as a one-shot
// step. After the processors are gone (shut-down) a hotkey does nothing.
class VtHotkeysProcessor {
public:
    explicit VtHotkeysProcessor(std::weak_ptr<VtUserActionProcessorList> processors)
        : processors(std::move(processors))
    {
    }

    void runHotkey(const Hotkey& hotkey);

private:
    std::weak_ptr<VtUserActionProcessorList> processors;
};
