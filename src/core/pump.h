#pragma once

#include <functional>

namespace lumora::core {

// Called between the items of a long loop, so that the window keeps painting;
// returns false when the work is to stop (the window is closing).
using Pump = std::function<bool()>;

}  // namespace lumora::core
