// Speed of the chart wheel: layout and paint of an 800 x 800 wheel into an image, and the two
// halves apart. The chart comes from the ephemeris file and the glyphs from the symbol font
// beside the executable.
#include "Ephemeris.h"
#include "Horoscope.h"
#include "ProgramDirectory.h"
#include "SymbolFonts.h"
#include "Wheel.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <memory>

using namespace kyr;

namespace {

constexpr int Side = 800;

// A ready chart with its aspects, and a wheel that shows it with chords, as the export does.
struct TWheelScene {
    THoroscope Horoscope;
    std::unique_ptr<TWheel> Wheel;
    QImage Image{Side, Side, QImage::Format_ARGB32_Premultiplied};

    bool Ready(benchmark::State &state) {
        if (!Wheel) {
            Horoscope.SetBirthDate(1962.0205L);
            Horoscope.SetBirthTime(0.0L);
            Horoscope.SetLatitude(28.36L);
            Horoscope.SetLongitude(-77.12L);
            Horoscope.SetOptions(OptionAspects);
            Horoscope.SetActive(true);
            Wheel = std::make_unique<TWheel>();
            Wheel->SetOpaque(true);
            Wheel->SetColor(Qt::white);
            Wheel->SetShowAspects(true);
            Wheel->SetHoroscope(&Horoscope);
        }
        if (!Wheel->HoroscopeReady()) {
            state.SkipWithError(("cannot open " + EphemerisPath()).c_str());
            return false;
        }
        return true;
    }
};

TWheelScene &Scene() {
    static TWheelScene scene;
    return scene;
}

// What printing and the export do: lay out for the rectangle, then paint.
void BM_LayoutAndPaint800(benchmark::State &state) {
    TWheelScene &scene = Scene();
    if (!scene.Ready(state))
        return;
    QPainter painter(&scene.Image);
    for (auto _ : state)
        scene.Wheel->Picture().Draw(painter, QRect(0, 0, Side, Side));
    benchmark::DoNotOptimize(scene.Image.constBits());
}
BENCHMARK(BM_LayoutAndPaint800)->Unit(benchmark::kMillisecond);

void BM_Layout800(benchmark::State &state) {
    TWheelScene &scene = Scene();
    if (!scene.Ready(state))
        return;
    for (auto _ : state) {
        scene.Wheel->LayoutWheel({0, 0, Side, Side});
        benchmark::DoNotOptimize(scene.Wheel->Geometry().Chords.data());
    }
}
BENCHMARK(BM_Layout800)->Unit(benchmark::kMicrosecond);

// A screen repaint of an unchanged size: no layout, only painting.
void BM_Paint800(benchmark::State &state) {
    TWheelScene &scene = Scene();
    if (!scene.Ready(state))
        return;
    scene.Wheel->LayoutWheel({0, 0, Side, Side});
    QPainter painter(&scene.Image);
    for (auto _ : state)
        scene.Wheel->DrawWheel(painter, QRect(0, 0, Side, Side));
    benchmark::DoNotOptimize(scene.Image.constBits());
}
BENCHMARK(BM_Paint800)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (!RegisterSymbolFonts()) {
        std::fprintf(stderr, "bench_wheel: no symbol font in %s\n", ProgramDirectory().c_str());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The wheel goes before the application that its widget belongs to.
    Scene().Wheel.reset();
    return 0;
}
