// Reading and writing a JSON document of about 1 MB, the size of the largest exchange
// file the program accepts.

#include <benchmark/benchmark.h>

#include <string>

#include "layout/json_value.h"

namespace tessary {
namespace {

JsonValue LayoutTree(int depth, int& region) {
  JsonValue node = JsonValue::MakeObject();
  if (depth == 0) {
    node.AddMember("index", region++ % 16);
    return node;
  }
  node.AddMember("axis", depth % 2 ? "column" : "row");
  node.AddMember("ratio", 0.08 + 0.84 * (region % 7) / 7.0);
  node.AddMember("first", LayoutTree(depth - 1, region));
  node.AddMember("second", LayoutTree(depth - 1, region));
  return node;
}

// Layouts with names, app paths and trees, until the pretty layout text passes 1 MB.
const JsonValue& Document() {
  static const JsonValue document = [] {
    JsonValue layouts = JsonValue::MakeArray();
    std::string text;
    for (int i = 0; text.size() < 1000000; ++i) {
      JsonValue layout = JsonValue::MakeObject();
      layout.AddMember("id", "custom-" + std::to_string(i * 7919));
      layout.AddMember("name", "Layout \xC3\xA9 \"" + std::to_string(i) + "\" with a/b\t");
      JsonValue apps = JsonValue::MakeArray();
      for (int a = 0; a < 4; ++a) {
        JsonValue paths = JsonValue::MakeArray();
        paths.Append("C:\\Program Files\\App " + std::to_string(a) + "\\app.exe");
        apps.Append(paths);
      }
      layout.AddMember("apps", apps);
      int region = i;
      layout.AddMember("tree", LayoutTree(3 + i % 3, region));
      layout.AddMember("created", 1.7e12 + i * 1000.5);
      layouts.Append(layout);
      if (i % 64 == 0) text = WriteJsonSorted(layouts, true);
    }
    JsonValue root = JsonValue::MakeObject();
    root.AddMember("format", "quandervolt.Tessary.layouts");
    root.AddMember("version", 1);
    root.AddMember("layouts", layouts);
    return root;
  }();
  return document;
}

void BM_ParseJson(benchmark::State& state) {
  const std::string text = WriteJsonSorted(Document(), true);
  for (auto _ : state) {
    JsonValue value;
    const bool ok = ParseJson(text, value);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(value);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ParseJson)->Unit(benchmark::kMillisecond);

void BM_WriteJsonSortedPretty(benchmark::State& state) {
  std::size_t size = 0;
  for (auto _ : state) {
    const std::string text = WriteJsonSorted(Document(), true);
    size = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_WriteJsonSortedPretty)->Unit(benchmark::kMillisecond);

void BM_WriteJsonCompact(benchmark::State& state) {
  std::size_t size = 0;
  for (auto _ : state) {
    const std::string text = WriteJsonCompact(Document());
    size = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_WriteJsonCompact)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessary
