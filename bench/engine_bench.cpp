// The program's hot paths on the simulation: the cover's key lookup, a key click on a long
// password, rewriting the captions, laying out the keys, and the mouse-move path of hover entry,
// which must not allocate.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "allocation_counter.h"
#include "app/main.h"
#include "keyboard/keyboard.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_toolkit.h"
#include "protection/cover_keys.h"

namespace tessarin {
namespace {

struct BenchProgram {
  BenchProgram() {
    directory = std::filesystem::temp_directory_path() / "tessarin-bench";
    std::filesystem::create_directories(directory);
    const std::string dir = directory.string();
    system = std::make_unique<sim::SimSystem>(std::u16string(dir.begin(), dir.end()));
    platform = std::make_unique<platform::Platform>(platform::Platform{toolkit, *system});
    app = Main(*platform);
  }
  ~BenchProgram() {
    app->Keyboard().Form().form().unload();
    app.reset();
    std::filesystem::remove_all(directory);
  }
  Keyboard& kb() { return app->Keyboard(); }
  std::filesystem::path directory;
  sim::SimToolkit toolkit;
  std::unique_ptr<sim::SimSystem> system;
  std::unique_ptr<platform::Platform> platform;
  std::unique_ptr<Application> app;
};

void BM_KeyAtCoverPoint(benchmark::State& state) {
  float x = 0;
  for (auto _ : state) {
    x = x > 8325 ? 0 : x + 37.5f;
    benchmark::DoNotOptimize(KeyAtCoverPoint(8325, 2775, x, 1500));
  }
}
BENCHMARK(BM_KeyAtCoverPoint);

void BM_ButtonClickOnLongPassword(benchmark::State& state) {
  BenchProgram program;
  auto& kb = program.kb();
  auto& key = kb.Form().Command(31);
  auto& backspace = kb.Form().Command(kBackspace);
  for (int i = 0; i < 256; ++i) kb.ButtonClick(&key);
  auto& box = *kb.Form().txtPassword;
  for (auto _ : state) {
    box.setSelStart(128);
    kb.ButtonClick(&key);
    kb.ButtonClick(&backspace);
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_ButtonClickOnLongPassword);

void BM_SetKeyCaptions(benchmark::State& state) {
  BenchProgram program;
  for (auto _ : state) program.kb().SetKeyCaptions();
}
BENCHMARK(BM_SetKeyCaptions);

void BM_PositionKeys(benchmark::State& state) {
  BenchProgram program;
  for (auto _ : state) program.kb().Resize(true);
}
BENCHMARK(BM_PositionKeys);

// The same key again and again, as while the pointer moves within one key in hover mode.
void BM_ButtonMouseMoveSameKey(benchmark::State& state) {
  BenchProgram program;
  auto& kb = program.kb();
  kb.InputMode(kModeHover);
  auto* key = &kb.Form().Command(31);
  kb.ButtonMouseMove(key, 0, 0, 0, 0);
  const long before = AllocationCount();
  for (auto _ : state) kb.ButtonMouseMove(key, 0, 0, 10, 10);
  state.counters["allocations_per_move"] =
      static_cast<double>(AllocationCount() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ButtonMouseMoveSameKey);

}  // namespace
}  // namespace tessarin

BENCHMARK_MAIN();
