#pragma once

#include "core/screen_metrics.h"

namespace lumora::platform {

// The primary screen's logical resolution and size; 96 dpi and 1024 x 768
// when there is no screen.
core::ScreenMetrics PrimaryScreenMetrics();

}  // namespace lumora::platform
