#include "skin.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace zelkor {
namespace {

int attachCallsSoFar() {
    void* handle = dlopen(TEST_SKIN_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr) return 0;
    auto calls = reinterpret_cast<int (*)()>(dlsym(handle, "testSkinAttachCalls"));
    const int result = calls();
    dlclose(handle);
    return result;
}

TEST(Skin, CallsSkinAttachOnceAndPassesItsResultBack) {
    EXPECT_EQ(attachCallsSoFar(), 0);
    const auto result = attachSkin(TEST_SKIN_LIBRARY);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, 42);
    EXPECT_EQ(attachCallsSoFar(), 1);
}

TEST(Skin, MissingLibraryOrFunctionIsReportedAsNoSkin) {
    EXPECT_FALSE(attachSkin("libno-such-skin-library.so").has_value());
    EXPECT_FALSE(attachSkin(kSkinLibraryName).has_value()) << "no skin library on this machine";
    // A library that loads but has no SkinH_Attach.
    EXPECT_FALSE(attachSkin("libm.so.6").has_value());
}

}  // namespace
}  // namespace zelkor
