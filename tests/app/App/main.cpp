#include <gtest/gtest.h>

#include <cstdio>

#include "support/OffscreenApp.h"
#include "support/PrivateMounts.h"

// The shell's tests start the application itself, which looks at every volume it can see: they
// run in a mount namespace of their own, where only the volumes a test mounts exist.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!GTEST_FLAG_GET(list_tests))
        if (const auto why = quillane::testing::enterPrivateMountNamespace())
            std::fprintf(stderr, "no private mount namespace: %s\n", why->c_str());
    return quillane::testing::runOffscreenTests(argc, argv);
}
