#include "soak/soak_scale.h"

#include <algorithm>
#include <cstdlib>

namespace {

const double kShortScale = 0.03;
const std::uint32_t kDefaultSeed = 20261210u;

}  // namespace

double SoakScale()
{
    static const double scale = [] {
        const char* text = std::getenv("TUVO_SOAK_SCALE");
        const double value = text != nullptr ? std::atof(text) : 0.0;
        return value > 0.0 ? std::min(value, 1.0) : kShortScale;
    }();
    return scale;
}

int Scaled(int fullCount, int atLeast)
{
    return std::max(atLeast, static_cast<int>(fullCount * SoakScale() + 0.5));
}

std::uint32_t SoakSeed()
{
    const char* text = std::getenv("TUVO_SOAK_SEED");
    return text != nullptr && *text != '\0'
               ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10))
               : kDefaultSeed;
}

std::uint32_t SoakRandom::Next()
{
    // 64-bit linear congruential step (Knuth's MMIX constants), high bits out.
    m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(m_state >> 33);
}
