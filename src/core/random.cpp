#include "core/random.h"

#include <chrono>
#include <random>

namespace lumora::core {
namespace {
std::mt19937_64& Generator() {
  static std::mt19937_64 generator;
  return generator;
}
}  // namespace

void Randomize() {
  Randomize(static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

void Randomize(std::uint64_t seed) { Generator().seed(seed); }

double Rnd() { return std::uniform_real_distribution<double>(0.0, 1.0)(Generator()); }

}  // namespace lumora::core
