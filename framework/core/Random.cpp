#include "framework/core/Random.h"

#include <random>

namespace fw {

namespace {

std::mt19937_64& Generator() {
    static std::mt19937_64 generator{[] {
        std::random_device device;
        return (static_cast<std::uint64_t>(device()) << 32) ^ device();
    }()};
    return generator;
}

} // namespace

double Rnd() {
    // The top 53 bits give every double of [0, 1) on a 2^-53 grid; 1.0 is never reached.
    return static_cast<double>(Generator()() >> 11) * 0x1.0p-53;
}

void SeedRnd(std::uint64_t seed) {
    Generator().seed(seed);
}

} // namespace fw
