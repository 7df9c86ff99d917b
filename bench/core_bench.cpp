// The arithmetic each 50 ms tick runs, timed on its own: the follow smoother, the placement
// decision, the trail frame and its surface mapping for the 15 trail points, and the lens
// rectangles. Inputs change from one iteration to the next (a pointer moving on a circle), so
// nothing is computed once and reused.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

#include "framework/geometry.h"
#include "overlays/follow_smoother.h"
#include "overlays/lens_geometry.h"
#include "overlays/placement.h"
#include "ribbon/trail_geometry.h"

namespace {

// A pointer path: 256 positions on a circle wider than the trail surface, so the trail fit
// has to squeeze both axes, with every eighth position over the panel.
constexpr int kPathLength = 256;
const Rect kPanel{20, 20, 420, 220};
// The ribbon's surface as the window system makes it from its template.
constexpr int kSurfaceWidth = 750;
constexpr int kSurfaceHeight = 381;
constexpr int kDpi = 96;

std::array<Point, kPathLength> MakePath()
{
    std::array<Point, kPathLength> path{};
    for (int i = 0; i < kPathLength; ++i) {
        const double angle = i * 0.35;
        path[i] = i % 8 == 0 ? Point{200, 100}
                             : Point{960 + static_cast<int>(700 * std::cos(angle)),
                                     540 + static_cast<int>(450 * std::sin(angle))};
    }
    return path;
}

const std::array<Point, kPathLength>& Path()
{
    static const std::array<Point, kPathLength> path = MakePath();
    return path;
}

void BM_FollowSmootherUpdate(benchmark::State& state)
{
    CFollowSmoother smoother;
    smoother.Update(0, 0);
    smoother.Update(0, 0);  // running from here on, as on every tick after the first two
    unsigned i = 0;
    for (auto _ : state) {
        const Point p = Path()[i++ % kPathLength];
        benchmark::DoNotOptimize(smoother.Update(p.x, p.y));
    }
}
BENCHMARK(BM_FollowSmootherUpdate);

void BM_PlacementDecision(benchmark::State& state)
{
    constexpr CompanionState kCompanion[] = {CompanionState::Absent, CompanionState::Hidden,
                                             CompanionState::Visible};
    unsigned i = 0;
    for (auto _ : state) {
        const Point p = Path()[i % kPathLength];
        const CompanionState companion = kCompanion[i % 3];
        ++i;
        benchmark::DoNotOptimize(DecidePlacement(p, kPanel, companion));
        // The pointer highlight's window origin, centred on the pointer.
        benchmark::DoNotOptimize(TopLeftCentredOn(p, 81, 81));
    }
}
BENCHMARK(BM_PlacementDecision);

// The ribbon tick's arithmetic: push the new position, then fit, widths, head and origin.
void BM_TrailFrame(benchmark::State& state)
{
    TrailPoints history{};
    FillTrailHistory(history, Path()[0]);
    const TrailStyle style{5, 5, true, static_cast<bool>(state.range(0))};
    unsigned i = 0;
    for (auto _ : state) {
        PushTrailHistory(history, Path()[i++ % kPathLength]);
        TrailFrame frame = ComputeTrailFrame(history, kSurfaceWidth, kSurfaceHeight, kDpi, style);
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(BM_TrailFrame)->ArgName("dots")->Arg(0)->Arg(1);

// The 15 surface pixels one renderer draws through.
void BM_MapTrailToSurface(benchmark::State& state)
{
    TrailPoints history{};
    FillTrailHistory(history, Path()[0]);
    std::array<TrailPoints, kPathLength> fitted{};
    for (int i = 0; i < kPathLength; ++i) {
        PushTrailHistory(history, Path()[i]);
        FitTrail(history, kSurfaceWidth, kSurfaceHeight, fitted[i]);
    }
    TrailPoints surface{};
    unsigned i = 0;
    for (auto _ : state) {
        MapTrailToSurface(fitted[i++ % kPathLength], 3, kSurfaceWidth, kSurfaceHeight, surface);
        benchmark::DoNotOptimize(surface);
    }
}
BENCHMARK(BM_MapTrailToSurface);

// The lens tick: its window centred on the pointer and the screen area it magnifies.
void BM_LensRectangles(benchmark::State& state)
{
    const float zoom = LensZoomFactor(static_cast<int>(state.range(0)));
    unsigned i = 0;
    for (auto _ : state) {
        const Rect lens = LensWindowRect(Path()[i++ % kPathLength], 600, 337);
        benchmark::DoNotOptimize(LensSourceRect(lens, zoom));
    }
}
BENCHMARK(BM_LensRectangles)->ArgName("zoom")->Arg(2)->Arg(3);

}  // namespace

BENCHMARK_MAIN();
