#include <sys/utsname.h>

#include <cstdio>

#include "core/system_info.h"

namespace lumora::core {

bool KernelVersion(int& major, int& minor) {
  utsname info{};
  if (uname(&info) != 0) return false;
  return std::sscanf(info.release, "%d.%d", &major, &minor) == 2;
}

}  // namespace lumora::core
