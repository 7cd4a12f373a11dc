// Time of the map's two redraws at the side panel's size (238 x 238 px) and
// default extent, with the state, county and country outlines ticked: the
// background (DrawMapOutlines: white box, outlines, site dots) and the panel
// refresh (RefreshMap: the background copied, the sigma-level overlay with
// its feature lines and texts, the travel times).
#include <benchmark/benchmark.h>

#include "bench/bench_app.h"
#include "bench/panel_bench_util.h"

#include <QGuiApplication>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/reader.h"
#include "panels/mapdraw.h"

namespace ondrik {
namespace {

constexpr int kPanelPx = 238;


const std::string kData = ONDRIK_DATA_DIR;

std::string InData(const std::string& name) { return kData + "/" + name; }

// The shipped sites, as the site list finds them.
const std::vector<MapSite> kSites = {
    {0, 42.36f, 71.01f, 3}, {1, 39.77f, 104.87f, 10}, {2, 44.88f, 93.22f, 20}, {3, 35.39f, 97.60f, 3}};
const std::array<bool, kMapLayerCount> kStateCountyCountry = {false, false, true, true, true};

// At the screen scale of the run (percent, its first argument).
PictureBox MapPicture(const benchmark::State& state) {
  PictureBox pic(kPanelPx, kPanelPx);
  pic.Resize(kPanelPx, kPanelPx, state.range(0) / 100.0);
  pic.BackColor = kWhite;
  pic.FontName = "Arial";
  pic.FontSize = 7;
  ScaleToExtent(pic, MapExtent{});
  return pic;
}

void BM_DrawMapOutlines(benchmark::State& state) {
  bench::EnsureApp();
  MapOutlines outlines([](const std::string& name) { return InData(name); });
  PictureBox buffer = MapPicture(state);
  DrawMapOutlines(buffer, kStateCountyCountry, outlines, MapPoint{97.6, 35.39}, kSites);  // reads the files
  for (auto _ : state) {
    ClearMap(buffer);
    DrawMapOutlines(buffer, kStateCountyCountry, outlines, MapPoint{97.6, 35.39}, kSites);
    benchmark::DoNotOptimize(buffer.Image().constBits());
  }
  // ONDRIK_BENCH_MAP_PNG=<path> keeps a copy of the background to look at.
  if (const char* out = std::getenv("ONDRIK_BENCH_MAP_PNG")) buffer.Image().save(QString::fromLocal8Bit(out));
}

void BM_RefreshMap(benchmark::State& state) {
  bench::EnsureApp();
  LoadOptions o;
  o.modelKey = "eta";
  const LoadResult r = LoadProfileFile(InData("NAM_KBOS.ond"), o);
  if (!r.ok) {
    state.SkipWithError(r.message.c_str());
    return;
  }
  gLoadingState = false;
  gCurDataset = 1;
  const MapFeatureTable features = ReadLookupTable(InData("Ondrik.Dat"));
  MapOutlines outlines([](const std::string& name) { return InData(name); });
  PictureBox buffer = MapPicture(state), pic = MapPicture(state);
  DrawMapOutlines(buffer, kStateCountyCountry, outlines, MapPoint{gSiteLon(1), gSiteLat(1)}, kSites);
  const std::array<ReferenceLine, 2> lines = {ReferenceLine{270, 200, 300}, ReferenceLine{180, 60, 200}};
  const Integer level = std::min<Integer>(10, gNumLevels(1) - 3);
  gWdir(1, 0, level) = 275;  // a westerly: every lake band is drawn
  Flow flow;
  for (auto _ : state) {
    pic.CopyPicture(buffer);
    if (std::optional<Flow> f = DrawMapSigmaWind(pic, features, 1, 0, level, 3)) flow = *f;
    PrintMapTravelTimes(pic, lines, flow);
    benchmark::DoNotOptimize(pic.Image().constBits());
  }
}

}  // namespace
}  // namespace ondrik

BENCHMARK(ondrik::BM_DrawMapOutlines)
    ->Apply(ondrik::bench::AtScreenScales)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(ondrik::BM_RefreshMap)
    ->Apply(ondrik::bench::AtScreenScales)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
