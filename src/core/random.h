#pragma once

#include <cstdint>

namespace lumora::core {

// The program's one random-number generator.
void Randomize();                  // seeded from the system timer
void Randomize(std::uint64_t seed);  // a fixed seed, for repeatable runs
double Rnd();                      // uniform in [0, 1)

}  // namespace lumora::core
