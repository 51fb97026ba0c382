#pragma once

#include "support/kelRaisesVaEvents.h"
#include "tasks/PictureValue.h"
#include "ui/ValueListUi.h"

#include <string>

// The facets of the main window that VtBaseSettingsUiManager drives. The
// window implements them on the UI thread, and raises their events through
// its own kelRaisesVaEvents (VtMainWindowUi) on the UI thread.

// The five sliders. A fraction is the slider's position over its 0..100 range.
class MonitorSettingsUi {
public:
    // A slider was moved by the user.
    struct VaEvent : kelVaEvent {
        explicit VaEvent(PictureValue value) : value(value) {}
        PictureValue value;
    };

    virtual float sliderFraction(PictureValue value) = 0;
    // Moves the slider to the whole percent below fraction and updates its label.
    virtual void setSliderFraction(PictureValue value, float fraction) = 0;
    // Enables or disables the slider with its caption and label.
    virtual void enableValue(PictureValue value, bool enabled) = 0;
    virtual ~MonitorSettingsUi() = default;
};

class VtBaseSettingsUi : public MonitorSettingsUi {
public:
    // The window has been initialised and wants its contents.
    struct VaEvent : kelVaEvent {};

    // The shown names of the monitors.
    virtual ValueListUi<std::wstring>& monitorList() = 0;
};

class ProfilesManageUi {
public:
    enum Kind : int { SaveProfile = 0, RestoreOriginals = 1, DeleteProfile = 2 };

    // A profile command the user confirmed.
    struct VaEvent : kelVaEvent {
        explicit VaEvent(int kind) : kind(kind) {}
        int kind;
    };
    struct VaDeleteProfileEvent : VaEvent {
        explicit VaDeleteProfileEvent(std::wstring name) : VaEvent(DeleteProfile), name(std::move(name)) {}
        std::wstring name;
    };

    // The name for a profile to save, as typed; empty when the user cancelled.
    virtual std::wstring askProfileName() = 0;
    virtual ValueListUi<std::wstring>& profileList() = 0;
    virtual ~ProfilesManageUi() = default;
};

// The main window as its settings manager sees it: both facets, and the
// raiser of their events.
class VtMainWindowUi : public VtBaseSettingsUi, public ProfilesManageUi, public kelRaisesVaEvents {};
