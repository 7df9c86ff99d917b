#pragma once
// How much of the full soak one run does. TUVO_SOAK_SCALE (a number above 0, at most 1) scales
// every count; 1 is the full soak (scripts/soak.sh). Unset, a run is the short one that the
// everyday test command makes: the same paths, far fewer repetitions.
#include <cstdint>

double SoakScale();

// fullCount scaled, and never below atLeast.
int Scaled(int fullCount, int atLeast);

// The seed of every random sequence in the soak: TUVO_SOAK_SEED, else a fixed one, so a failure
// can be run again exactly.
std::uint32_t SoakSeed();

// A small generator whose sequence is the same on every platform for a seed.
class SoakRandom {
public:
    explicit SoakRandom(std::uint32_t seed) : m_state(seed * 2654435761u + 1u) {}
    std::uint32_t Next();
    // A number in [0, n).
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
    // True with the given percent chance.
    bool Chance(int percent) { return Below(100) < percent; }

private:
    std::uint64_t m_state;
};
