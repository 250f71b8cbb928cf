#pragma once
// A test that cannot run on this machine (eqlink or ecfsim did not start,
// socat is missing) skips; under CI=true it fails instead. CTest counts a skip
// as a pass, and the machine scripts/setup.sh prepares has all of it, so on CI
// a skip would hide a fault.

#include <cstdlib>
#include <cstring>

namespace testsupport {

inline bool skipsFail() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && *ci != '\0' && std::strcmp(ci, "0") != 0 &&
           std::strcmp(ci, "false") != 0;
}

}  // namespace testsupport

// In a GoogleTest test, fixture set-up included.
#define SKIP_OR_FAIL_UNDER_CI(reason)           \
    do {                                        \
        if (::testsupport::skipsFail()) {       \
            FAIL() << (reason) << " (CI=true)"; \
        }                                       \
        GTEST_SKIP() << (reason);               \
    } while (false)

// In a Qt Test function; `reason` is a C string.
#define QSKIP_OR_FAIL_UNDER_CI(reason)                 \
    do {                                               \
        if (::testsupport::skipsFail()) QFAIL(reason); \
        QSKIP(reason);                                 \
    } while (false)
