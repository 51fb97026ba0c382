#pragma once

#include "backends/WinGammaRampApi.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// Video cards by display name, each holding a ramp, with switches to make its
// calls fail. Device contexts are numbered handles that must be deleted
// exactly once; a gamma call on a handle that is not open throws.
class FakeGammaRampApi : public WinGammaRampApi {
public:
    struct Card {
        GammaRamp ramp = straightRamp();
        bool createFails = false;
        bool getFails = false;
        bool setFails = false;
        int colorManagementCaps = CM_GAMMA_RAMP;
        // Every SetDeviceGammaRamp call, failed ones included.
        int sets = 0;
        std::optional<GammaRamp> lastSet;
    };

    // The identity ramp, entry i = 257 x i.
    static GammaRamp straightRamp()
    {
        GammaRamp ramp{};
        for (std::size_t index = 0; index < ramp.size(); ++index)
            ramp[index] = static_cast<std::uint16_t>(257 * (index % gammaRampChannelSize));
        return ramp;
    }

    // The display a null name opens is the one called "".
    std::map<std::wstring, Card> cards;
    // The name each createDisplayDC call was given; empty for a null name.
    std::vector<std::optional<std::wstring>> requestedNames;

    std::size_t openDCs() const { return open.size(); }
    std::size_t createdDCs() const { return handles.size(); }
    std::size_t deletes = 0;

    HDC createDisplayDC(const wchar_t* deviceName) override
    {
        requestedNames.push_back(deviceName ? std::optional<std::wstring>(deviceName) : std::nullopt);
        const auto found = cards.find(deviceName ? deviceName : L"");
        if (found == cards.end() || found->second.createFails)
            return nullptr;
        handles.push_back(&found->second);
        const HDC dc = reinterpret_cast<HDC>(static_cast<std::uintptr_t>(handles.size()));
        open.insert(dc);
        return dc;
    }

    bool getDeviceGammaRamp(HDC dc, GammaRamp& ramp) override
    {
        Card& card = cardOf(dc);
        if (card.getFails)
            return false;
        ramp = card.ramp;
        return true;
    }

    int getDeviceCaps(HDC dc, int index) override
    {
        return index == COLORMGMTCAPS ? cardOf(dc).colorManagementCaps : 0;
    }

    bool setDeviceGammaRamp(HDC dc, const GammaRamp& ramp) override
    {
        Card& card = cardOf(dc);
        ++card.sets;
        if (card.setFails)
            return false;
        card.ramp = ramp;
        card.lastSet = ramp;
        return true;
    }

    // Counts every call, so a second delete of one handle shows as one too many.
    void deleteDC(HDC dc) override
    {
        ++deletes;
        open.erase(dc);
    }

private:
    Card& cardOf(HDC dc)
    {
        if (open.count(dc) == 0)
            throw std::logic_error("gamma call on a device context that is not open");
        return *handles[reinterpret_cast<std::uintptr_t>(dc) - 1];
    }

    std::vector<Card*> handles;
    std::set<HDC> open;
};
