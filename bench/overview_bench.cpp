// Time of one overview redraw at the batch picture size (857 x 561), on a
// screen of scale 1 and 1.75 (the argument, in hundredths), over 24
// datasets (the ensemble sample file three times over, every dataset shown
// and overlaid): a typical layout of five fields and ten strips, everything
// ticked, both at contour interval 5 and 1, the typical layout's fields
// alone, and the cold first draw after a load, which computes the series
// the fields and strips need. The same with everything ticked on a file of
// 24 datasets whose levels are all missing but the lowest (bad input must
// draw as fast as good input), and on the 24 datasets with temperatures no
// air has low in two hours.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>

#include "bench/bench_app.h"
#include "bench/generated_file.h"
#include "core/reader.h"
#include "core/shared.h"
#include "overview/plotdata.h"

namespace ondrik {
namespace {

// The 8-member sample file three times: 24 datasets of 85 hours and 32 levels.
const std::string& File24() {
  static const std::string path = [] {
    std::ifstream in(std::string(ONDRIK_DATA_DIR) + "/SREF_KOKC.ond", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::filesystem::path p = std::filesystem::temp_directory_path() / "ondrik_bench_overview24.ond";
    std::ofstream out(p, std::ios::binary);
    for (int i = 0; i < 3; ++i) out << text.str();
    return p.string();
  }();
  return path;
}

// 24 datasets of 85 hours and 67 levels, every level but the lowest missing
// all values but its pressure; written once per run by the generator.
const std::string& FileMissing24() {
  static const std::string path = bench::GeneratedFile("--missing", "ondrik_bench_missing24.ond");
  return path;
}

// The 24 datasets with temperatures no air has (9999 C) low in two hours of
// the first: a file the reader accepts, whose fields span thousands of
// contour values.
const std::string& FileAbsurd24() {
  static const std::string path = [] {
    std::ifstream in(File24(), std::ios::binary);
    const std::filesystem::path p = std::filesystem::temp_directory_path() / "ondrik_bench_absurd24.ond";
    std::ofstream out(p, std::ios::binary);
    int times = 0;
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("TIME =", 0) == 0) ++times;
      const size_t blank = line.find(' ');
      if ((times == 2 || times == 3) && line.rfind('9', 0) == 0 && blank != std::string::npos) {
        const size_t next = line.find(' ', blank + 1);
        if (next != std::string::npos) line = line.substr(0, blank) + " 9999.0" + line.substr(next);
      }
      out << line << '\n';
    }
    return p.string();
  }();
  return path;
}

bool Load(OverviewState& s, const std::string& file = File24()) {
  LoadOptions o;
  o.modelKey = "eta";
  o.srInflowDepth = 3;
  if (file.empty() || !LoadProfileFile(file, o).ok) return false;
  gLoadingState = false;
  gOverlayAll = true;
  for (int d = 0; d <= kMaxDatasets; ++d) gDatasetShown(d) = true;
  gCurDataset = 1;
  s.in.ProfileCaption = "KOKC - SREF - ONDRIK";
  s.in.HourValue = 12;
  PrepareLogPressure(s);
  StartFrame(s);
  SetTimeWindow(s.frame, ColumnsOfWindow(84 * gHoursPerStep), 0);
  return gDatasetCount == 24;
}

struct Pictures {
  PictureBox rh{857, 561}, left{60, 561}, right{60, 561};
  explicit Pictures(const benchmark::State& state) {
    const double scale = static_cast<double>(state.range(0)) / 100;
    for (PictureBox* p : {&rh, &left, &right}) {
      p->Resize(p->PixelWidth(), p->PixelHeight(), scale);
      p->BackColor = kBlack;
    }
  }
};

// Five fields and ten strips, the height grid and the cursor.
void TypicalLayout(OverviewOptions& o) {
  for (BoxId id : {kBoxRH0, kBoxTemperature, kBoxVelocity, kBoxInversions, kBoxInstability, kBoxMeanWind,
                   kBoxSfcTemp, kBoxSfcDewPoint, kBoxHelicity, kBoxMBEspeed, kBoxCAPE, kBoxPrecipAcumm,
                   kBoxPrecipWater, kBoxTotalTotals, kBoxCloudBase, kBoxGridHeight, kBoxCursor})
    o.box[static_cast<size_t>(id)] = 1;
}

// The fields of the typical layout alone (what drew before the strips had
// plotters), to compare redraws of the same picture.
void TypicalFields(OverviewOptions& o) {
  TypicalLayout(o);
  for (const OverviewRow& r : OverviewRows())
    if (r.kind == BoxKind::Strip) o.box[static_cast<size_t>(r.id)] = 0;
}

void Everything(OverviewOptions& o) {
  for (const OverviewRow& r : OverviewRows())
    if (r.kind == BoxKind::Field || r.kind == BoxKind::Strip) o.box[static_cast<size_t>(r.id)] = 1;
  o.box[kBoxRH1] = 0;  // the two humidity fills are one field
  o.box[kBoxGridHeight] = o.box[kBoxGridTime] = o.box[kBoxCursor] = 1;
}

void Redraw(benchmark::State& state, void (*layout)(OverviewOptions&), Integer interval,
            const std::string& file = File24()) {
  bench::EnsureApp();
  OverviewState s;
  if (!Load(s, file)) {
    state.SkipWithError("the 24-dataset file did not load");
    return;
  }
  layout(s.opt);
  s.opt.ContourInterval = interval;
  Pictures p(state);
  OverviewDraw d{s, p.rh, p.left, p.right};
  PlotData(d);  // the series are computed from here on
  if (const char* out = std::getenv("ONDRIK_BENCH_PNG")) p.rh.Image().save(QString::fromLocal8Bit(out));
  for (auto _ : state) {
    PlotData(d);
    benchmark::DoNotOptimize(p.rh.Image().constBits());
  }
  gOverlayAll = false;
}

void BM_OverviewTypical24(benchmark::State& state) { Redraw(state, TypicalLayout, 5); }
void BM_OverviewTypical24Interval1(benchmark::State& state) { Redraw(state, TypicalLayout, 1); }
void BM_OverviewEverything24(benchmark::State& state) { Redraw(state, Everything, 5); }
void BM_OverviewTypicalFields24(benchmark::State& state) { Redraw(state, TypicalFields, 5); }

void BM_OverviewEverythingMissing24(benchmark::State& state) { Redraw(state, Everything, 5, FileMissing24()); }
void BM_OverviewEverythingAbsurd24(benchmark::State& state) { Redraw(state, Everything, 5, FileAbsurd24()); }

void ColdFirstDraw(benchmark::State& state, const std::string& file) {
  bench::EnsureApp();
  Pictures p(state);
  for (auto _ : state) {
    state.PauseTiming();
    OverviewState s;
    if (!Load(s, file)) {
      state.SkipWithError("the 24-dataset file did not load");
      return;
    }
    Everything(s.opt);
    OverviewDraw d{s, p.rh, p.left, p.right};
    state.ResumeTiming();
    PlotData(d);
    benchmark::DoNotOptimize(p.rh.Image().constBits());
  }
  gOverlayAll = false;
}

void BM_OverviewColdFirstDraw24(benchmark::State& state) { ColdFirstDraw(state, File24()); }
void BM_OverviewColdFirstDrawMissing24(benchmark::State& state) { ColdFirstDraw(state, FileMissing24()); }

}  // namespace
}  // namespace ondrik

BENCHMARK(ondrik::BM_OverviewTypical24)->Arg(100)->Arg(175)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ondrik::BM_OverviewTypical24Interval1)->Arg(100)->Arg(175)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ondrik::BM_OverviewTypicalFields24)->Arg(100)->Arg(175)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ondrik::BM_OverviewEverything24)->Arg(100)->Arg(175)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ondrik::BM_OverviewEverythingMissing24)->Arg(100)->Arg(175)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ondrik::BM_OverviewEverythingAbsurd24)->Arg(100)->Arg(175)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ondrik::BM_OverviewColdFirstDraw24)->Arg(100)->Arg(175)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(ondrik::BM_OverviewColdFirstDrawMissing24)->Arg(100)->Arg(175)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->ReportAggregatesOnly(true);
