#include "backends/WinDdcCiMonitorControl.h"

#include "backends/WinMonitorConfigurationApi.h"
#include "monitor/MonitorControlGenericState.h"

#include <algorithm>
#include <array>

namespace {

struct CapabilityRow {
    DWORD bit;
    MonitorValueKind kind;
};

constexpr std::array<CapabilityRow, 5> capabilityTable{{
    {MC_CAPS_BRIGHTNESS, Brightness},
    {MC_CAPS_COLOR_TEMPERATURE, ColorTemperature},
    {MC_CAPS_CONTRAST, Contrast},
    {MC_CAPS_RED_GREEN_BLUE_GAIN, RgbGain},
    {MC_CAPS_RED_GREEN_BLUE_DRIVE, RgbDrive},
}};

// The program's colour temperature index, its bit in the supported mask and
// the platform's value for it. The platform's "unknown" has no index.
struct ColorTemperatureRow {
    int index;
    DWORD supportedBit;
    MC_COLOR_TEMPERATURE platformValue;
};

constexpr std::array<ColorTemperatureRow, colorTemperatureCount> colorTemperatureTable{{
    {0, MC_SUPPORTED_COLOR_TEMPERATURE_4000K, MC_COLOR_TEMPERATURE_4000K},
    {1, MC_SUPPORTED_COLOR_TEMPERATURE_5000K, MC_COLOR_TEMPERATURE_5000K},
    {2, MC_SUPPORTED_COLOR_TEMPERATURE_6500K, MC_COLOR_TEMPERATURE_6500K},
    {3, MC_SUPPORTED_COLOR_TEMPERATURE_7500K, MC_COLOR_TEMPERATURE_7500K},
    {4, MC_SUPPORTED_COLOR_TEMPERATURE_8200K, MC_COLOR_TEMPERATURE_8200K},
    {5, MC_SUPPORTED_COLOR_TEMPERATURE_9300K, MC_COLOR_TEMPERATURE_9300K},
    {6, MC_SUPPORTED_COLOR_TEMPERATURE_10000K, MC_COLOR_TEMPERATURE_10000K},
    {7, MC_SUPPORTED_COLOR_TEMPERATURE_11500K, MC_COLOR_TEMPERATURE_11500K},
}};

template <typename Matches>
const ColorTemperatureRow* findColorTemperature(Matches matches)
{
    const auto found = std::find_if(colorTemperatureTable.begin(), colorTemperatureTable.end(), matches);
    return found == colorTemperatureTable.end() ? nullptr : &*found;
}

template <size_t N>
bool flagAt(const std::bitset<N>& flags, int position)
{
    return position >= 0 && static_cast<size_t>(position) < N && flags.test(static_cast<size_t>(position));
}

// A failed read must leave the caller's values as they were.
template <typename Read>
bool readRange(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum, Read read)
{
    DWORD readMinimum = 0, readCurrent = 0, readMaximum = 0;
    if (!read(readMinimum, readCurrent, readMaximum))
        return false;
    minimum = readMinimum;
    current = readCurrent;
    maximum = readMaximum;
    return true;
}

// A gain or drive write costs a slow bus command and some monitors flicker
// on every one, so a value the monitor already has is not sent again.
template <typename Read, typename Write>
bool writeOnDifference(std::uint32_t value, Read read, Write write)
{
    std::uint32_t minimum = 0, current = 0, maximum = 0;
    if (!read(minimum, current, maximum))
        return false;
    return current == value || write();
}

} // namespace

WinDdcCiMonitorControl::WinDdcCiMonitorControl(std::shared_ptr<WinMonitorConfigurationApi> api, HANDLE physicalMonitor)
    : api(std::move(api)), physicalMonitor(physicalMonitor)
{
    DWORD capabilities = 0, colorTemperatures = 0;
    if (this->api->getMonitorCapabilities(physicalMonitor, capabilities, colorTemperatures))
        readCapabilities(capabilities, colorTemperatures);
    else
        probe();
}

WinDdcCiMonitorControl::~WinDdcCiMonitorControl()
{
    api->destroyPhysicalMonitor(physicalMonitor);
}

void WinDdcCiMonitorControl::readCapabilities(DWORD capabilities, DWORD colorTemperatures)
{
    for (const CapabilityRow& row : capabilityTable) {
        if ((capabilities & row.bit) != 0)
            supportedKinds.set(row.kind);
    }
    for (const ColorTemperatureRow& row : colorTemperatureTable) {
        if ((colorTemperatures & row.supportedBit) != 0)
            supportedColorTemperatures.set(static_cast<size_t>(row.index));
    }
}

// A monitor whose capabilities string cannot be read may still answer the
// commands themselves; which presets it has stays unknown.
void WinDdcCiMonitorControl::probe()
{
    std::uint32_t minimum = 0, current = 0, maximum = 0;
    int colorTemperature = 0;
    supportedKinds.set(Brightness, getBrightness(minimum, current, maximum));
    supportedKinds.set(Contrast, getContrast(minimum, current, maximum));
    supportedKinds.set(RgbGain, getGain(Red, minimum, current, maximum));
    supportedKinds.set(RgbDrive, getDrive(Red, minimum, current, maximum));
    supportedKinds.set(ColorTemperature, getColorTemperature(colorTemperature));
}

std::wstring WinDdcCiMonitorControl::controlName(MonitorValueKind)
{
    return name();
}

std::wstring WinDdcCiMonitorControl::name()
{
    return L"DDC/CI";
}

ControlMethod WinDdcCiMonitorControl::controlMethodFor(MonitorValueKind)
{
    return controlMethod();
}

ControlMethod WinDdcCiMonitorControl::controlMethod()
{
    return ControlMethodHardware;
}

void WinDdcCiMonitorControl::setPreferredControlMethod(ControlMethod) {}

bool WinDdcCiMonitorControl::isSupported(MonitorValueKind kind)
{
    return flagAt(supportedKinds, kind);
}

bool WinDdcCiMonitorControl::isColorTemperatureSupported(int index)
{
    return flagAt(supportedColorTemperatures, index);
}

bool WinDdcCiMonitorControl::getBrightness(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum)
{
    return readRange(minimum, current, maximum, [this](DWORD& mn, DWORD& cur, DWORD& mx) {
        return api->getMonitorBrightness(physicalMonitor, mn, cur, mx);
    });
}

bool WinDdcCiMonitorControl::setBrightness(std::uint32_t value)
{
    return api->setMonitorBrightness(physicalMonitor, value);
}

bool WinDdcCiMonitorControl::getContrast(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum)
{
    return readRange(minimum, current, maximum, [this](DWORD& mn, DWORD& cur, DWORD& mx) {
        return api->getMonitorContrast(physicalMonitor, mn, cur, mx);
    });
}

bool WinDdcCiMonitorControl::setContrast(std::uint32_t value)
{
    return api->setMonitorContrast(physicalMonitor, value);
}

bool WinDdcCiMonitorControl::getColorTemperature(int& index)
{
    MC_COLOR_TEMPERATURE platformValue = MC_COLOR_TEMPERATURE_UNKNOWN;
    if (!api->getMonitorColorTemperature(physicalMonitor, platformValue))
        return false;
    const ColorTemperatureRow* row = findColorTemperature(
        [platformValue](const ColorTemperatureRow& r) { return r.platformValue == platformValue; });
    if (row == nullptr)
        return false;
    index = row->index;
    return true;
}

bool WinDdcCiMonitorControl::setColorTemperature(int index)
{
    const ColorTemperatureRow* row =
        findColorTemperature([index](const ColorTemperatureRow& r) { return r.index == index; });
    return row != nullptr && api->setMonitorColorTemperature(physicalMonitor, row->platformValue);
}

bool WinDdcCiMonitorControl::getGain(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                                     std::uint32_t& maximum)
{
    return readRange(minimum, current, maximum, [this, channel](DWORD& mn, DWORD& cur, DWORD& mx) {
        return api->getMonitorRedGreenOrBlueGain(physicalMonitor, static_cast<MC_GAIN_TYPE>(channel), mn, cur, mx);
    });
}

bool WinDdcCiMonitorControl::setGain(ColorChannel channel, std::uint32_t value)
{
    return writeOnDifference(
        value,
        [this, channel](std::uint32_t& mn, std::uint32_t& cur, std::uint32_t& mx) {
            return getGain(channel, mn, cur, mx);
        },
        [this, channel, value] {
            return api->setMonitorRedGreenOrBlueGain(physicalMonitor, static_cast<MC_GAIN_TYPE>(channel), value);
        });
}

bool WinDdcCiMonitorControl::getDrive(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                                      std::uint32_t& maximum)
{
    return readRange(minimum, current, maximum, [this, channel](DWORD& mn, DWORD& cur, DWORD& mx) {
        return api->getMonitorRedGreenOrBlueDrive(physicalMonitor, static_cast<MC_DRIVE_TYPE>(channel), mn, cur, mx);
    });
}

bool WinDdcCiMonitorControl::setDrive(ColorChannel channel, std::uint32_t value)
{
    return writeOnDifference(
        value,
        [this, channel](std::uint32_t& mn, std::uint32_t& cur, std::uint32_t& mx) {
            return getDrive(channel, mn, cur, mx);
        },
        [this, channel, value] {
            return api->setMonitorRedGreenOrBlueDrive(physicalMonitor, static_cast<MC_DRIVE_TYPE>(channel), value);
        });
}

std::string WinDdcCiMonitorControl::saveState(MonitorStateKind kind)
{
    return saveGenericState(*this, kind);
}

bool WinDdcCiMonitorControl::restoreState(MonitorStateKind kind, const std::string& state)
{
    return restoreGenericState(*this, kind, state);
}
