#include "actions/VtHotkeysProcessor.h"

#include "actions/VtHotkey.h"
#include "actions/VtUserActionProcessorList.h"

void VtHotkeysProcessor::runHotkey(const Hotkey& hotkey)
{
    const auto* withAction = dynamic_cast<const VtHotkey*>(&hotkey);
    const auto list = processors.lock();
    if (withAction && list)
        list->process(withAction->action, false);
}
