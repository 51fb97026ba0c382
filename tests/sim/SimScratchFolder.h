#pragma once

#include "support/ScratchFolder.h"

// A fresh folder for one test's simulated monitor files, removed with everything in it.
class SimScratchFolder : public ScratchFolder {
public:
    SimScratchFolder() : ScratchFolder("vantrel-sim") {}
};
