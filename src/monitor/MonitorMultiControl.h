#pragma once

#include "monitor/MonitorControl.h"

#include <array>
#include <memory>
#include <vector>

// The back-ends that reach one monitor, acting as one control. Each value is
// routed to exactly one back-end, chosen by the preferred method with a
// fallback to any back-end that serves it; states cover every back-end.
class MonitorMultiControl : public MonitorControl {
public:
    MonitorMultiControl(std::vector<std::shared_ptr<MonitorControl>> controls, ControlMethod preferredMethod);

    std::wstring controlName(MonitorValueKind kind) override;
    std::wstring name() override;
    ControlMethod controlMethodFor(MonitorValueKind kind) override;
    ControlMethod controlMethod() override;
    void setPreferredControlMethod(ControlMethod method) override;
    bool isSupported(MonitorValueKind kind) override;
    bool isColorTemperatureSupported(int index) override;
    bool getBrightness(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum) override;
    bool setBrightness(std::uint32_t value) override;
    bool getContrast(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum) override;
    bool setContrast(std::uint32_t value) override;
    bool getColorTemperature(int& index) override;
    bool setColorTemperature(int index) override;
    bool getGain(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                 std::uint32_t& maximum) override;
    bool setGain(ColorChannel channel, std::uint32_t value) override;
    bool getDrive(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                  std::uint32_t& maximum) override;
    bool setDrive(ColorChannel channel, std::uint32_t value) override;
    std::string saveState(MonitorStateKind kind) override;
    bool restoreState(MonitorStateKind kind, const std::string& state) override;

    const std::vector<std::shared_ptr<MonitorControl>>& backEnds() const { return controls; }

private:
    void select();
    std::shared_ptr<MonitorControl> chooseFor(MonitorValueKind kind) const;
    // A reference of its own, so a re-selection cannot destroy the back-end mid-call.
    std::shared_ptr<MonitorControl> chosenFor(int kind) const;
    // Runs call on the back-end chosen for kind; false when none serves it.
    template <class Call>
    bool forward(int kind, Call call) const
    {
        auto control = chosenFor(kind);
        return control && call(*control);
    }

    ControlMethod preferredMethod;
    ControlMethod commonMethod = ControlMethodNone;
    std::vector<std::shared_ptr<MonitorControl>> controls;
    std::array<std::shared_ptr<MonitorControl>, monitorValueKindCount> chosen;
};
