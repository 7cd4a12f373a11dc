// Time to load a profile file: the largest file the store holds (24 datasets
// of 85 hours and 67 levels, "eta" layout, from the sample-data generator),
// a shipped one-dataset file, and the two in turn (each load then finds the
// other file's values in the store it fills).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/generated_file.h"
#include "core/reader.h"

namespace {

// The maximal file, written once per run by the generator.
const std::string& MaximalFile() {
  static const std::string path = ondrik::bench::GeneratedFile("--max", "ondrik_bench_max.ond");
  return path;
}

const std::string kOneDataset = ONDRIK_DATA_DIR "/NAM_KOKC.ond";

ondrik::LoadOptions Options() {
  ondrik::LoadOptions options;
  options.modelKey = "eta";
  options.sigmaLevelStep = 2;
  options.sigmaLevelPres = 850;
  options.srInflowDepth = 3;
  return options;
}

void Load(benchmark::State& state, const std::vector<std::string>& paths) {
  const ondrik::LoadOptions options = Options();
  std::int64_t bytes = 0;
  for (const std::string& path : paths) {
    if (path.empty() || !std::filesystem::exists(path)) {
      state.SkipWithError("the profile file could not be made");
      return;
    }
    bytes += static_cast<std::int64_t>(std::filesystem::file_size(path));
  }
  for (auto _ : state) {
    for (const std::string& path : paths) {
      const ondrik::LoadResult r = ondrik::LoadProfileFile(path, options);
      if (!r.ok) state.SkipWithError(r.message.c_str());
      benchmark::DoNotOptimize(r.ok);
    }
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_LoadMaximalFile(benchmark::State& state) { Load(state, {MaximalFile()}); }
void BM_LoadOneDataset(benchmark::State& state) { Load(state, {kOneDataset}); }
void BM_LoadMaximalThenOneDataset(benchmark::State& state) { Load(state, {MaximalFile(), kOneDataset}); }

}  // namespace

BENCHMARK(BM_LoadMaximalFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadOneDataset)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadMaximalThenOneDataset)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
