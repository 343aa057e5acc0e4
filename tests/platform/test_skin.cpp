// A stand-in for the skin library: counts the calls of SkinH_Attach.
#include <cstdint>

namespace {
int attachCalls = 0;
}

extern "C" {
__attribute__((visibility("default"))) std::int32_t SkinH_Attach() {
    ++attachCalls;
    return 42;
}
__attribute__((visibility("default"))) int testSkinAttachCalls() { return attachCalls; }
}
