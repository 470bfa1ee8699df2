// Reading property-list text: a generated 10 MB file of realistic nesting (lists four
// deep, values of 10 to 60 characters) parsed from memory, against a plain split of the
// same bytes into lines.
#include "container/LPropertyList.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::string& Text()
{
    static const std::string text = [] {
        std::string out;
        unsigned seed = 12345;
        auto next = [&seed]() {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 16) & 0x7FFF;
        };
        auto value = [&]() {
            std::string v;
            const int length = 10 + static_cast<int>(next() % 51);
            for (int i = 0; i < length; ++i) {
                v += static_cast<char>('a' + next() % 26);
            }
            return v;
        };
        for (int top = 0; out.size() < 10u * 1024 * 1024; ++top) {
            out += "// section " + std::to_string(top) + "\r\n";
            out += "scene" + std::to_string(top) + "\r\n";
            for (int a = 0; a < 4; ++a) {
                out += "\tgroup" + std::to_string(a) + "\r\n";
                out += "\t\tname=" + value() + "\r\n";
                for (int b = 0; b < 3; ++b) {
                    out += "\t\titem" + std::to_string(b) + "\r\n";
                    for (int c = 0; c < 2; ++c) {
                        out += "\t\t\tleaf" + std::to_string(c) + "\r\n";
                        for (int k = 0; k < 4; ++k) {
                            out += "\t\t\t\tkey" + std::to_string(k) + "=" + value() + "\r\n";
                        }
                    }
                    out += "\t\t\tposition=" + std::to_string(next()) + "|" + std::to_string(next()) + "\r\n";
                }
            }
        }
        return out;
    }();
    return text;
}

void ParsePropertyList(benchmark::State& aState)
{
    const std::string& text = Text();
    for (auto _ : aState) {
        LPropertyList list;
        list.Parse(text.data(), static_cast<int>(text.size()));
        benchmark::DoNotOptimize(list.GetCount());
    }
    aState.SetBytesProcessed(static_cast<int64_t>(aState.iterations()) * static_cast<int64_t>(text.size()));
}

void SplitIntoLines(benchmark::State& aState)
{
    const std::string& text = Text();
    for (auto _ : aState) {
        std::vector<std::string> lines;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) {
                end = text.size();
            }
            lines.emplace_back(text, start, end - start);
            start = end + 1;
        }
        benchmark::DoNotOptimize(lines.data());
    }
    aState.SetBytesProcessed(static_cast<int64_t>(aState.iterations()) * static_cast<int64_t>(text.size()));
}

} // namespace

BENCHMARK(ParsePropertyList)->Unit(benchmark::kMillisecond);
BENCHMARK(SplitIntoLines)->Unit(benchmark::kMillisecond);
