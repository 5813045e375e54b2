// Wall time, host calls and peak heap of every run kind, the placement
// order and the ECO writer, on generated designs of 1000, 10001 and 100000
// components. "Plain" marks the straightforward ways, measured for
// comparison at the smaller sizes.
#include <benchmark/benchmark.h>

#include "app/map_labels.h"
#include "app/renumbering_session.h"
#include "eco/eco_format.h"
#include "eco/placement_file.h"
#include "fixtures.h"
#include "generated_designs.h"
#include "heap_use.h"
#include "plain_placement_order.h"
#include "plain_renumbering.h"
#include "plain_section_breaks.h"
#include "renumber/placement_order.h"
#include "renumber/planning.h"
#include "standin/memory_host.h"

namespace varnel::bench {
namespace {

// A session over the in-memory host, nothing else attached.
struct Setup : tests::HostedSession {
  app::RunRequest request;

  explicit Setup(standin::DesignData design)
      : HostedSession(std::make_shared<standin::MemoryHost>(std::move(design))) {
    link.attach([](host::HostEvent) {});
    host->resetCounts();
  }
};

void report(benchmark::State& state, const Setup& s, double per, const char* name) {
  state.counters[name] = static_cast<double>(s.host->totalCalls()) / per;
}

// The heap the timed part held at most beyond what was held before it, in
// MB; the designs and the host set up untimed are not counted.
class HeapPeak {
 public:
  HeapPeak() : before_(bench::heapInUse()) { bench::resetHeapPeak(); }
  void report(benchmark::State& state) const {
    const double peak = static_cast<double>(bench::heapPeak() - before_) / 1e6;
    state.counters["peakMB"] = std::max(state.counters["peakMB"].value, peak);
  }

 private:
  std::size_t before_;
};

// A run that fails skips the benchmark with its message: returned from at
// once, as the library asks.

// A whole run: read once, planned in memory, applied; or (plan only) the
// Preview's read and plan.
void allComponents(benchmark::State& state, bool planOnly) {
  const int size = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Setup s(allMove(size));
    const HeapPeak heap;
    state.ResumeTiming();
    if (planOnly) {
      const auto planned = s.session.plan(s.request);
      if (planned.error) return state.SkipWithError(planned.error->text().c_str());
    } else if (const auto outcome = s.session.run(s.request); outcome.error) {
      return state.SkipWithError(outcome.error->text().c_str());
    }
    state.PauseTiming();
    heap.report(state);
    report(state, s, size, "calls/component");
    state.ResumeTiming();
  }
}
void BM_AllComponents(benchmark::State& state) {
  allComponents(state, false);
}
void BM_PreviewAllComponents(benchmark::State& state) {
  allComponents(state, true);
}
BENCHMARK(BM_AllComponents)->Arg(1000)->Arg(10001)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewAllComponents)
    ->Arg(1000)
    ->Arg(10001)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// Undo of a "Rename all components" run: its journal read, the design read
// and checked, every rename taken back.
void BM_UndoAllComponents(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Setup s(allMove(size));
    s.journals.keep = true;
    const auto run = s.session.run(s.request);
    if (run.error) return state.SkipWithError(run.error->text().c_str());
    const auto undo = app::takingBack(app::parseJournal(s.journals.texts.at(run.journal)),
                                      run.journal, app::EcoOutput::none);
    s.host->resetCounts();
    const HeapPeak heap;
    state.ResumeTiming();
    if (const auto outcome = s.session.run(undo); outcome.error)
      return state.SkipWithError(outcome.error->text().c_str());
    state.PauseTiming();
    heap.report(state);
    report(state, s, size, "calls/component");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_UndoAllComponents)->Arg(1000)->Arg(10001)->Arg(100000)->Unit(benchmark::kMillisecond);

// A board already numbered, every name moved aside and back, or names
// already right kept (arg 1): renames and host calls a component.
void BM_NumberedBoard(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Setup s(alreadyNumbered(size));
    s.request.renumbering()->settings.rules.keepRight = state.range(1) != 0;
    const HeapPeak heap;
    state.ResumeTiming();
    const auto outcome = s.session.run(s.request);
    state.PauseTiming();
    if (outcome.error) return state.SkipWithError(outcome.error->text().c_str());
    heap.report(state);
    report(state, s, size, "calls/component");
    state.counters["renames"] = static_cast<double>(outcome.log.size());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_NumberedBoard)
    ->ArgsProduct({{1000, 10001, 100000}, {0, 1}})
    ->ArgNames({"size", "keepRight"})
    ->Unit(benchmark::kMillisecond);

// The same algorithm straight on the host, as first written.
void BM_AllComponentsPlain(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Setup s(allMove(size));
    state.ResumeTiming();
    tests::plainRenumbering(*s.host, s.request.renumbering()->settings);
    state.PauseTiming();
    report(state, s, size, "calls/component");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AllComponentsPlain)->Arg(1000)->Arg(10001)->Unit(benchmark::kMillisecond);

void selectedRun(benchmark::State& state, bool duplicates, bool plain) {
  const int size = static_cast<int>(state.range(0));
  // Past 10001 components three in ten are selected, as below 10000.
  const int selected = size > 10001 ? size * 3 / 10 : std::min(3000, size * 3 / 10);
  for (auto _ : state) {
    state.PauseTiming();
    Setup s(takenNames(size, selected));
    s.request.renumbering()->settings.scope = renumber::RunScope::selectedComponents;
    s.request.renumbering()->settings.conflictRule = duplicates
                                                         ? renumber::ConflictRule::renameDuplicates
                                                         : renumber::ConflictRule::assignNextFree;
    const HeapPeak heap;
    state.ResumeTiming();
    if (plain)
      tests::plainRenumbering(*s.host, s.request.renumbering()->settings);
    else if (const auto outcome = s.session.run(s.request); outcome.error)
      return state.SkipWithError(outcome.error->text().c_str());
    state.PauseTiming();
    heap.report(state);
    report(state, s, selected, "calls/selected");
    report(state, s, size, "calls/component");
    state.ResumeTiming();
  }
}

void BM_SelectedAssign(benchmark::State& state) {
  selectedRun(state, false, false);
}
void BM_SelectedAssignPlain(benchmark::State& state) {
  selectedRun(state, false, true);
}
void BM_SelectedDuplicates(benchmark::State& state) {
  selectedRun(state, true, false);
}
void BM_SelectedDuplicatesPlain(benchmark::State& state) {
  selectedRun(state, true, true);
}
BENCHMARK(BM_SelectedAssign)->Arg(1000)->Arg(10001)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectedAssignPlain)->Arg(1000)->Arg(10001)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectedDuplicates)->Arg(1000)->Arg(10001)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectedDuplicatesPlain)->Arg(1000)->Arg(10001)->Unit(benchmark::kMillisecond);

// A placement file of the design's parts, as a KiCad CSV export writes it:
// positions in millimetres, one part in ten on the bottom side.
std::string placementFileOf(const standin::DesignData& design) {
  std::string text = "Ref,Val,Package,PosX,PosY,Rot,Side\n";
  for (std::size_t k = 0; k < design.parts.size(); ++k) {
    const auto& part = design.parts[k];
    text += "\"" + part.designator + "\",\"10k\",\"R_0603_1608Metric\"," +
            std::to_string(part.x * 0.0254) + "," + std::to_string(part.y * 0.0254) + ",90," +
            (k % 10 == 0 ? "bottom" : "top") + "\n";
  }
  return text;
}

void BM_ReadPlacementFile(benchmark::State& state) {
  const std::string file = placementFileOf(allMove(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(eco::readPlacementFile(file, "board-pos.csv"));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_ReadPlacementFile)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A whole "Rename all components" by board position: the placement file
// read, the board ordered, every component moved aside and numbered.
void BM_AllComponentsByBoard(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const standin::DesignData design = allMove(size);
  const std::string file = placementFileOf(design);
  for (auto _ : state) {
    state.PauseTiming();
    Setup s(design);
    s.files.files["board-pos.csv"] = file;
    renumber::BoardSettings board;
    board.file = "board-pos.csv";
    s.request.renumbering()->settings.rules.board = board;
    const HeapPeak heap;
    state.ResumeTiming();
    if (const auto outcome = s.session.run(s.request); outcome.error)
      return state.SkipWithError(outcome.error->text().c_str());
    state.PauseTiming();
    heap.report(state);
    report(state, s, size, "calls/component");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AllComponentsByBoard)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The labels of a map the Preview paints, on a picture of 600 by 500
// pixels: every paint places them again.
void BM_PlaceMapLabels(benchmark::State& state) {
  const std::size_t count = static_cast<std::size_t>(state.range(0));
  std::vector<app::MapPoint> map;
  for (std::size_t k = 0; k < count; ++k)
    map.push_back({double(k % 317), double(k * 7 % 211), "R" + std::to_string(k + 1), k % 9 == 0});
  const auto pixels = app::mapLayout(map, 600, 500, 24);
  const std::vector<app::LabelSize> sizes(count, app::LabelSize{36, 13});
  for (auto _ : state)
    benchmark::DoNotOptimize(app::placeLabels(map, pixels, sizes, 600, 500, {4, 2, 3}));
}
BENCHMARK(BM_PlaceMapLabels)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The selection in placement order: one prefix, every component selected,
// reverse placement order.
void BM_PlacementSort(benchmark::State& state) {
  renumber::RunSettings settings;
  settings.scope = renumber::RunScope::selectedComponents;
  renumber::Planning planning(reversePlacement(static_cast<int>(state.range(0))), settings);
  for (auto _ : state) planning.sortSelection();
}
BENCHMARK(BM_PlacementSort)->Arg(1000)->Arg(10001)->Arg(100000)->Unit(benchmark::kMillisecond);

std::vector<renumber::PlacementKey> reverseKeys(int size) {
  std::vector<renumber::PlacementKey> keys;
  const auto design = reversePlacement(size);
  for (const auto& p : design.parts)
    keys.push_back(renumber::keyOf(renumber::coordinateText(p.x), renumber::coordinateText(p.y)));
  return keys;
}

void BM_PlacementOrder(benchmark::State& state) {
  const auto keys = reverseKeys(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(renumber::placementOrder(keys));
}
BENCHMARK(BM_PlacementOrder)->Arg(1000)->Arg(10001)->Arg(100000)->Unit(benchmark::kMillisecond);

// The procedure done literally: a row moved to the end shifts the rest.
void BM_PlacementOrderPlain(benchmark::State& state) {
  const auto keys = reverseKeys(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(tests::plainPlacementOrder(keys));
}
BENCHMARK(BM_PlacementOrderPlain)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);

void BM_EcoWriter(benchmark::State& state) {
  std::vector<std::string> oldNames, newNames;
  chainedLog(static_cast<int>(state.range(0)), oldNames, newNames);
  for (auto _ : state) benchmark::DoNotOptimize(eco::ecoText(oldNames, newNames));
}
BENCHMARK(BM_EcoWriter)->Arg(1000)->Arg(10001)->Arg(100000)->Unit(benchmark::kMillisecond);

// The three passes with a scratch list scanned linearly.
void BM_EcoBreaksPlain(benchmark::State& state) {
  std::vector<std::string> oldNames, newNames;
  chainedLog(static_cast<int>(state.range(0)), oldNames, newNames);
  for (auto _ : state) benchmark::DoNotOptimize(tests::plainSectionBreaks(oldNames, newNames));
}
BENCHMARK(BM_EcoBreaksPlain)->Arg(1000)->Arg(10001)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnel::bench

BENCHMARK_MAIN();
