// Sign boards as a project's drawing actions build them: 200 distinct
// boards (40 place names on each of the five signs), then 2,000 more
// drawing actions that reuse those names, in a new drawing each round.
// BM_Boards gives the time per board; BM_MeasureText the time of measuring
// the 200 names alone, so that their ratio is the share spent measuring
// text. Each runs with the measurement cache (/1) and without it (/0).
// Run: bench_boards [--benchmark_filter=REGEX]

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "ZcDbDatabase.h"
#include "ZcDbMText.h"
#include "platform/text/FontFiles.h"
#include "platform/text/MeasureCache.h"
#include "services/TextStyle.h"
#include "signs/BoardBlocks.h"

using namespace platform;

namespace {

constexpr std::array kPlaces = {
    "Łódź",         "Świnoujście",  "Gdańsk Główny", "Kraków",    "Poznań",       "Wrocław",       "Białystok",
    "Zielona Góra", "Gorzów Wlkp.", "Bydgoszcz",     "Toruń",     "Częstochowa",  "Bielsko-Biała", "Rzeszów",
    "Przemyśl",     "Zamość",       "Chełm",         "Suwałki",   "Ełk",          "Giżycko",       "Olsztyn",
    "Elbląg",       "Słupsk",       "Koszalin",      "Kołobrzeg", "Szczecin",     "Stargard",      "Piła",
    "Kalisz",       "Ostrów Wlkp.", "Legnica",       "Wałbrzych", "Jelenia Góra", "Opole",         "Gliwice",
    "Żywiec",       "Nowy Sącz",    "Tarnów",        "Kielce",    "Radom",
};
constexpr int kBoards = int(kPlaces.size()) * 5;
constexpr int kReuses = 2000;

using Builder = void (*)(D_SignBoard&);
const std::array<std::pair<SignKind, Builder>, 5> kSigns = {{{SignKind::E17a, BuildE17aBlock},
                                                             {SignKind::E18a, BuildE18aBlock},
                                                             {SignKind::E21, BuildE21Block},
                                                             {SignKind::E4, BuildE4Block},
                                                             {SignKind::E5, BuildE5Block}}};

void buildBoard(int i)
{
    const auto& [kind, build] = kSigns[size_t(i) % kSigns.size()];
    D_SignBoard sign(kind);
    sign.MakeSignBlockName(kPlaces[size_t(i / int(kSigns.size())) % kPlaces.size()]);
    build(sign);
}

// A new working drawing for one round; the fonts are the shipped ones.
struct Round {
    ZcDbDatabase db;
    Round() { zcdbHostApplicationServices()->setWorkingDatabase(&db); }
    ~Round() { zcdbHostApplicationServices()->setWorkingDatabase(nullptr); }
};

void useCache(const benchmark::State& state)
{
    setFontInstallationFolder(TARVO_SOURCE_DIR "/resources");
    clearTextMeasureCache();
    setTextMeasureCapacity(state.range(0) ? 4096 : 0);
}

void BM_Boards(benchmark::State& state)
{
    useCache(state);
    for (auto _ : state) {
        Round round;
        for (int i = 0; i < kBoards; ++i)
            buildBoard(i);
        for (int i = 0; i < kReuses; ++i)
            buildBoard(i % kBoards);
    }
    state.counters["per_board"] = benchmark::Counter(
        double(kBoards + kReuses), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Boards)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The measuring the boards above do: each name's text in the style, once.
void BM_MeasureText(benchmark::State& state)
{
    useCache(state);
    for (auto _ : state) {
        Round round;
        const ZcDbObjectId style = EnsureTextStyle(kTarvoTextStyle);
        for (int i = 0; i < kBoards; ++i) {
            ZcDbMText text;
            text.setContents(kPlaces[size_t(i / 5) % kPlaces.size()]);
            text.setTextHeight(i % 5 == 4 ? 132.0 : 162.0);
            text.setTextStyle(style);
            ZcDbExtents extents;
            benchmark::DoNotOptimize(text.getGeomExtents(extents));
        }
    }
}
BENCHMARK(BM_MeasureText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
