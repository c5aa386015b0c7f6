// The layout judgement of installed fonts for an alphabet: printable ASCII, and ASCII with
// Latin-1 and Latin Extended-A (about three hundred glyphs). Run from the build folder:
//   build/r/bin/open_type_layout_bench
#include "framework/core/OpenTypeLayout.h"
#include "tests/core/OpenTypeFontFile.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

const char* const kFonts[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf",
    "/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf",
};

void BM_Judge(benchmark::State& state) {
    const otltest::FontFile font(kFonts[state.range(0)]);
    if (!font.Loaded()) {
        state.SkipWithError("font not installed");
        return;
    }
    std::vector<std::uint32_t> glyphs;
    const char32_t last = state.range(1) == 0 ? 0x7E : 0x17F;
    for (char32_t ch = 0x20; ch <= last; ++ch) {
        if (ch < 0x7F || ch >= 0xA0) {
            glyphs.push_back(font.Glyph(ch));
        }
    }
    const fw::LayoutTables tables = font.Layout();
    for (auto _ : state) {
        benchmark::DoNotOptimize(fw::JudgePairwiseShaping(tables, glyphs));
    }
    state.SetLabel(std::string(kFonts[state.range(0)]).substr(
                       std::string(kFonts[state.range(0)]).rfind('/') + 1) +
                   ", " + std::to_string(glyphs.size()) + " glyphs");
}
BENCHMARK(BM_Judge)->ArgsProduct({{0, 1, 2}, {0, 1}})->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
