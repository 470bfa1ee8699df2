// The movies under "//dataroot/movies": Bink 1 files of 320 x 240 at 15 frames per
// second, 45 frames (3 s) each, every frame one flat colour fading in from black over the
// first 15 frames. The cut-scene player ends a movie ten frames before its last. Also the
// two small ambient movies of the riverbank.
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LBinkBytes.h"

namespace {

constexpr int kFrames = 45;
constexpr int kFadeFrames = 15;

} // namespace

std::string SampleMovie(uint8_t aY, uint8_t aU, uint8_t aV)
{
    LBinkBytes::MovieSpec spec;
    spec.mWidth = 320;
    spec.mHeight = 240;
    spec.mRate = 15;
    spec.mRateDiv = 1;
    spec.mFrames = LBinkBytes::Flat(kFrames, aY, aU, aV);
    for (int i = 0; i < kFadeFrames; ++i) {
        // From studio black (16) up to the colour's own luma.
        spec.mFrames[i].mY = static_cast<uint8_t>(16 + (aY - 16) * i / kFadeFrames);
    }
    return LBinkBytes::Make(spec);
}

// The riverbank's ambient animations: small movies of one flat colour, 64 x 32, 30 frames
// at 15 frames per second.
std::string AmbientMovie(uint8_t aY, uint8_t aU, uint8_t aV)
{
    LBinkBytes::MovieSpec spec;
    spec.mWidth = 64;
    spec.mHeight = 32;
    spec.mRate = 15;
    spec.mRateDiv = 1;
    spec.mFrames = LBinkBytes::Flat(30, aY, aU, aV);
    return LBinkBytes::Make(spec);
}

void WriteMovies(SampleOutput& aOut)
{
    aOut.Write("movies/amb_lantern.bik", AmbientMovie(180, 60, 170)); // lamp yellow
    aOut.Write("movies/amb_gull.bik", AmbientMovie(200, 128, 128));   // gull white
    aOut.Write("movies/Vesmar_Logo.bik", SampleMovie(60, 160, 110)); // deep blue
    aOut.Write("movies/000_all.bik", SampleMovie(120, 110, 150));    // sepia
    aOut.Write("movies/152_all.bik", SampleMovie(110, 110, 100));    // river green
    aOut.Write("movies/001_all.bik", SampleMovie(90, 128, 128));     // grey
    aOut.Write("movies/LisaApt_Monet_Box.bik", SampleMovie(100, 140, 120)); // lily green
    aOut.Write("movies/Harp_Puzzle.bik", SampleMovie(80, 150, 150));        // dusk violet
}
