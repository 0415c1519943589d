// The scratch folder and the headless host of the fuzz targets.
#include "FuzzTarget.h"

#include "testkit/TempFolder.h"

namespace fuzz {

const std::string& ScratchFolder()
{
    static const testkit::TempFolder scratch;
    return scratch.Dir();
}

void UseHeadlessHost()
{
    // Before the first window: the host is chosen then. A value already set wins.
    setenv("PLATFORM_HOST", "null", 0);
}

} // namespace fuzz
