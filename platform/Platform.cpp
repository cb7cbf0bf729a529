#include "platform/Platform.h"

namespace orvex {

namespace {
Platform gPlatform;
}

Platform& platform() { return gPlatform; }

void installPlatform(const Platform& p) { gPlatform = p; }

}  // namespace orvex
