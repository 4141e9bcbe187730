// How long the editor takes for what a chemist does most: repaint and recompose after an
// edit, and fuse a ring onto a large structure. Both must stay well under one frame (16 ms).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "chem/element_data_files.h"
#include "loaded_elements.h"
#include "render/structure_painter.h"
#include "settings/settings.h"
#include "structure/editor.h"
#include "structure/structure.h"
#include "structure/structure_composition.h"

namespace {

const qzx::ElementTable& elements() {
    return qzx::bench::loadedElementTable();
}

/// Places `rings` free benzene rings on a grid and `loneAtoms` chlorine atoms below them.
qzx::Structure drawnStructure(int rings, int loneAtoms, const qzx::Settings& settings) {
    qzx::Structure s;
    qzx::Editor editor(s, elements(), settings);
    const qzx::KeyModifiers shift{true, false, false};
    editor.setTool(2);
    for (int i = 0; i < rings; ++i) {
        const int x = 40 + (i % 20) * 75, y = 20 + (i / 20) * 80;
        editor.press(x, y, qzx::MouseButton::Left, shift);
        editor.release(x, y, qzx::MouseButton::Left, shift);
    }
    editor.setTool(22);
    editor.setCurrentElement(6);
    for (int i = 0; i < loneAtoms; ++i) {
        const int x = 20 + (i % 40) * 35, y = 900 + (i / 40) * 40;
        editor.press(x, y, qzx::MouseButton::Left, shift);
        editor.release(x, y, qzx::MouseButton::Left, shift);
    }
    return s;
}

void BM_RepaintAndCompose900Atoms(benchmark::State& state) {
    const qzx::Settings settings;
    // 120 benzene rings and 180 lone atoms: 900 atoms, 720 bonds, 120 circles and 1,740 draw
    // items, close to the 1,800 the draw list holds.
    const qzx::Structure s = drawnStructure(120, 180, settings);
    if (s.count.atoms != 900) state.SkipWithError("the structure does not have 900 atoms");
    QImage image(qzx::kDrawingWidth, qzx::kDrawingHeight, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    for (auto _ : state) {
        QPainter painter(&image);
        qzx::paintStructure(painter, s, elements(), settings);
        painter.end();
        benchmark::DoNotOptimize(qzx::composeStructure(s, elements(), false));
    }
    state.counters["atoms"] = s.count.atoms;
}
BENCHMARK(BM_RepaintAndCompose900Atoms)->Unit(benchmark::kMillisecond);

void BM_FuseBenzeneOnto600Atoms(benchmark::State& state) {
    const qzx::Settings settings;
    const qzx::Structure base = drawnStructure(100, 0, settings);
    if (base.count.atoms != 600) state.SkipWithError("the structure does not have 600 atoms");
    qzx::Structure s;
    for (auto _ : state) {
        state.PauseTiming();
        s = base;
        qzx::Editor editor(s, elements(), settings);
        editor.setTool(2);
        state.ResumeTiming();
        // Onto the right edge of the last ring (anchored at (1465, 340)): the fusion searches
        // every pair of existing atom and template vertex.
        editor.press(1505, 340, qzx::MouseButton::Left, {});
        const qzx::EditorEffects effects = editor.release(1505, 340, qzx::MouseButton::Left, {});
        benchmark::DoNotOptimize(effects);
    }
    if (s.count.rings != 101) state.SkipWithError("the ring was not fused");
}
BENCHMARK(BM_FuseBenzeneOnto600Atoms)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Text on the image needs the font machinery of a GUI application, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
