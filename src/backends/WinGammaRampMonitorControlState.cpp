#include "backends/WinGammaRampMonitorControlState.h"

#include "persistence/kelBase64.h"
#include "persistence/kelSerializationIoStream.h"
#include "persistence/kelUtf8.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <vector>

namespace {

const wchar_t* const rampKey = L"gammaRamp";
constexpr std::size_t rampBytes = 2 * std::tuple_size_v<GammaRamp>;

const wchar_t* const coefficientKeys[] = {L"coeffRgb", L"coeffR", L"coeffG", L"coeffB"};

// The coefficient coefficientKeys[index] names: the brightness, then red, green and blue.
template <class Coefficients>
auto& coefficientAt(Coefficients& coefficients, std::size_t index)
{
    return index == 0 ? coefficients.rgb : coefficients.channels[index - 1];
}

// The shortest text that reads back as the very same float. A Controlled
// restore compares the ramp made from the read coefficients with the card's
// entry by entry, so a coefficient rounded to fewer digits would often miss.
std::wstring exactText(float value)
{
    char buffer[32];
    char* const end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::wstring(buffer, end);
}

std::string rampText(const GammaRamp& ramp)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(rampBytes);
    for (const std::uint16_t entry : ramp) {
        bytes.push_back(static_cast<std::uint8_t>(entry & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(entry >> 8));
    }
    return kelBase64Encode(bytes);
}

std::optional<GammaRamp> rampOf(const std::wstring& text)
{
    const auto bytes = kelBase64Decode(kelWideToUtf8(text));
    if (!bytes || bytes->size() != rampBytes)
        return std::nullopt;
    GammaRamp ramp{};
    for (std::size_t index = 0; index < ramp.size(); ++index)
        ramp[index] = static_cast<std::uint16_t>((*bytes)[2 * index] | ((*bytes)[2 * index + 1] << 8));
    return ramp;
}

} // namespace

bool WinGammaRampMonitorControlState::serialize(kelSerializationIoStream& io, unsigned flags)
{
    return io.isReading() ? read(*io.input()) : write(*io.output());
}

bool WinGammaRampMonitorControlState::read(kelSerializationInputStream& in)
{
    GammaCoefficients readCoefficients;
    for (std::size_t index = 0; index < std::size(coefficientKeys); ++index) {
        float& field = coefficientAt(readCoefficients, index);
        // The control only ever makes finite coefficients of at least zero.
        if (!in.read(coefficientKeys[index], field, true) || !std::isfinite(field) || field < 0.0f)
            return false;
    }
    std::optional<GammaRamp> readRamp;
    std::wstring text;
    if (in.read(rampKey, text, true)) {
        readRamp = rampOf(text);
        if (!readRamp)
            return false;
    } else if (in.getChild(rampKey)) {
        return false; // there, but not as text
    }
    coefficients = readCoefficients;
    ramp = readRamp;
    return true;
}

bool WinGammaRampMonitorControlState::write(kelSerializationOutputStream& out) const
{
    for (std::size_t index = 0; index < std::size(coefficientKeys); ++index) {
        if (!out.write(coefficientKeys[index], exactText(coefficientAt(coefficients, index)), true))
            return false;
    }
    return !ramp || out.write(rampKey, kelUtf8ToWide(rampText(*ramp)), true);
}
