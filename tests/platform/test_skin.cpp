// A stand-in for the skin library: counts the calls of SkinH_Attach.
#include <cstdint>

#ifdef _WIN32
#define TEST_SKIN_EXPORT __declspec(dllexport)
#else
#define TEST_SKIN_EXPORT __attribute__((visibility("default")))
#endif

namespace {
int attachCalls = 0;
}

extern "C" {
TEST_SKIN_EXPORT std::int32_t SkinH_Attach() {
    ++attachCalls;
    return 42;
}
TEST_SKIN_EXPORT int testSkinAttachCalls() { return attachCalls; }
}
