// The sample generator's drawing: a full-screen background with its title, written as a
// bitmap, and the largest font atlas, written as a Targa. The build runs the generator
// every time, so the whole sample must stay a matter of a fraction of a second.
#include "writers/LCanvas.h"
#include "writers/LPixelFont.h"

#include <benchmark/benchmark.h>

namespace {

void BackgroundToBitmap(benchmark::State& aState)
{
    for (auto _ : aState) {
        LCanvas canvas(800, 600);
        canvas.Gradient(0, 0, 800, 600, LCanvas::Color {18, 28, 52, 255}, LCanvas::Color {6, 8, 16, 255});
        canvas.Frame(8, 8, 784, 584, 3, LCanvas::kWhite);
        LPixelFont::DrawCentered(canvas, 400, 24, "CASE FILES", 3.0f, 3.0f, LCanvas::kWhite);
        benchmark::DoNotOptimize(canvas.Bmp());
    }
}
BENCHMARK(BackgroundToBitmap)->Unit(benchmark::kMillisecond);

void FontAtlasToTarga(benchmark::State& aState)
{
    for (auto _ : aState) {
        benchmark::DoNotOptimize(LPixelFont::Atlas(25, 256, LCanvas::kWhite).Tga());
    }
}
BENCHMARK(FontAtlasToTarga)->Unit(benchmark::kMillisecond);

} // namespace
