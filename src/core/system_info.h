#pragma once

namespace lumora::core {

// The running kernel's version, major and minor; false when it cannot be read.
bool KernelVersion(int& major, int& minor);

}  // namespace lumora::core
