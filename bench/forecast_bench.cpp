// Time per StartForecast call on the plain field record, without a window.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>

#include "logic/forecast.h"

namespace lumivar {
namespace {

struct Draw {
  std::string_view label;
  std::u16string_view hundreds, tens, units;
};

// A typical draw, one whose selector has no banker line, and empty inputs.
constexpr std::array<Draw, 3> kDraws = {{
    {"123", u"1", u"2", u"3"},
    {"999", u"9", u"9", u"9"},
    {"empty", u"", u"", u""},
}};

void BM_StartForecast_ForecastFields(benchmark::State& state) {
  const Draw& draw = kDraws.at(static_cast<std::size_t>(state.range(0)));
  ForecastFields fields;
  fields.Set(FieldId::Text1, Text(draw.hundreds));
  fields.Set(FieldId::Text2, Text(draw.tens));
  fields.Set(FieldId::Text3, Text(draw.units));
  for (auto _ : state) {
    StartForecast(fields);
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::string(draw.label));
}
BENCHMARK(BM_StartForecast_ForecastFields)->DenseRange(0, kDraws.size() - 1);

}  // namespace
}  // namespace lumivar

BENCHMARK_MAIN();
