#pragma once

#include <functional>

#include "core/pump.h"

namespace lumora::content {

// Runs work(0) .. work(count - 1) on the machine's cores, in no set order.
// Meanwhile the calling thread runs pump about every 15 ms (at least once);
// when it returns false, no further item starts. Returns false when stopped.
// work must be safe to run on several threads at once.
bool RunInParallel(int count, const std::function<void(int)>& work, const core::Pump& pump = {});

}  // namespace lumora::content
