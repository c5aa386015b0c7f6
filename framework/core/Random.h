#pragma once

#include <cstdint>

namespace fw {

// Uniform in [0, 1); seeded once per run unless a test seeds it.
double Rnd();
void SeedRnd(std::uint64_t seed);

} // namespace fw
