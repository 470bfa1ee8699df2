// Decoding of a 1024 x 1024 texture: every texture, font atlas and background of the game
// passes through these readers at load time.
#include "LImageBMP.h"
#include "LImageTGA.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kSize = 1024;

std::string Header(int aType, int aDepth)
{
    std::string header(18, '\0');
    header[2] = char(aType);
    header[12] = char(kSize & 0xFF);
    header[13] = char(kSize >> 8);
    header[14] = char(kSize & 0xFF);
    header[15] = char(kSize >> 8);
    header[16] = char(aDepth);
    header[17] = 0x08; // bottom row first, the common case
    return header;
}

// Runs of 8 and raw packets of 8 pixels alternate, as in a picture with flat areas.
std::string RunLengthTga()
{
    std::string file = Header(10, 32);
    for (int i = 0; i < kSize * kSize / 16; ++i) {
        file += char(0x87);
        file += std::string("\x10\x20\x30\xFF", 4);
        file += char(0x07);
        for (int p = 0; p < 8; ++p) {
            file += std::string{char(p), char(i), char(p + i), char(0xFF)};
        }
    }
    return file;
}

void Decode(benchmark::State& aState, LImage& aImage, const std::string& aFile,
            int (*aParse)(LImage&, const unsigned char*, int))
{
    const auto* data = reinterpret_cast<const unsigned char*>(aFile.data());
    for (auto _ : aState) {
        if (!aParse(aImage, data, int(aFile.size()))) {
            aState.SkipWithError("decode failed");
            break;
        }
        benchmark::DoNotOptimize(aImage.GetPixelsConst());
    }
    aState.SetBytesProcessed(int64_t(aState.iterations()) * kSize * kSize * aImage.GetBytesPerPixel());
}

int ParseTga(LImage& aImage, const unsigned char* aData, int aSize)
{
    return static_cast<LImageTGA&>(aImage).CreateFromBuffer(aData, aSize);
}

int ParseBmp(LImage& aImage, const unsigned char* aData, int aSize)
{
    return static_cast<LImageBMP&>(aImage).CreateFromBuffer(aData, aSize);
}

} // namespace

static void BM_TgaUncompressed32(benchmark::State& aState)
{
    const std::string file = Header(2, 32) + std::string(size_t(kSize) * kSize * 4, '\x7F');
    LImageTGA image;
    Decode(aState, image, file, ParseTga);
}
BENCHMARK(BM_TgaUncompressed32)->Unit(benchmark::kMillisecond);

static void BM_TgaRunLength32(benchmark::State& aState)
{
    const std::string file = RunLengthTga();
    LImageTGA image;
    Decode(aState, image, file, ParseTga);
}
BENCHMARK(BM_TgaRunLength32)->Unit(benchmark::kMillisecond);

static void BM_Bmp24(benchmark::State& aState)
{
    std::string file(54, '\0');
    const auto put32 = [&](size_t aAt, uint32_t aValue) {
        for (int i = 0; i < 4; ++i) {
            file[aAt + i] = char(aValue >> (8 * i));
        }
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(10, 54);
    put32(14, 40);
    put32(18, kSize);
    put32(22, kSize);
    file[26] = 1;
    file[28] = 24;
    file += std::string(size_t(kSize) * kSize * 3, '\x40');
    LImageBMP image;
    Decode(aState, image, file, ParseBmp);
}
BENCHMARK(BM_Bmp24)->Unit(benchmark::kMillisecond);
