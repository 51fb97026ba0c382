// The host build's program files: the host's programs carry neither version
// information nor icons of the kind the program shows.
#include "automation/ProgramFiles.h"

namespace {

class HostProgramFiles : public ProgramFiles {
public:
    std::wstring productName(const std::wstring&) override { return {}; }
    std::optional<ExtractedIconFiles> extractIcon(const std::wstring&) override { return std::nullopt; }
};

} // namespace

std::shared_ptr<ProgramFiles> ProgramFiles::real()
{
    return std::make_shared<HostProgramFiles>();
}
