// ConvertAddress on a typical 60-byte address, given in each of the four forms and asked for each
// of the four kinds.
#include <array>
#include <cstdint>
#include <string>

#include <benchmark/benchmark.h>

#include "convert/address.h"
#include "convert/runtime.h"
#include "noop_hook.h"

namespace {

using namespace korimbo;

const AnsiText kAddress = "http://downloads.example.com/pub/tools/korimbo-1.2.3-x64.zip"; // 60 bytes

const std::array<const char *, 4> kFormNames = {"plain", "thunder", "flashget", "qqdl"};

AnsiText InputInForm(std::int64_t form)
{
    switch (form) {
    case 1:
        return EncodeThunder(kAddress);
    case 2:
        return EncodeFlashGet(kAddress);
    case 3:
        return EncodeWhirlwind(kAddress);
    default:
        return kAddress;
    }
}

void BM_ConvertAddress(benchmark::State &state)
{
    const AnsiText input = InputInForm(state.range(0));
    const auto kind = static_cast<std::int32_t>(state.range(1));
    const PendingEventsHook previous = SetPendingEventsHook(&bench::NoOpEventsHook);
    if (TextLength(kAddress) != 60 || ConvertAddress(input, RealAddress) != kAddress)
        state.SkipWithError("the input does not convert back to the address");
    for (auto _ : state) {
        AnsiText output = ConvertAddress(input, kind);
        benchmark::DoNotOptimize(output);
    }
    SetPendingEventsHook(previous);
    state.SetLabel(std::string(kFormNames[static_cast<std::size_t>(state.range(0))]) + " -> kind " +
                   std::to_string(kind));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

} // namespace

BENCHMARK(BM_ConvertAddress)
    ->Name("ConvertAddress")
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1, 2, 3}})
    ->ArgNames({"form", "kind"});
