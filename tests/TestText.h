#pragma once
// Text helpers shared by the unit and window tests.

#include <cstddef>
#include <string>

namespace testsupport {

// n spaces: the padding of fixed-width command fields.
inline std::string spaces(std::size_t n) {
    return std::string(n, ' ');
}

}  // namespace testsupport
