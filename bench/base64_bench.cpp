// Throughput of the Base64 codec at 64 B, 64 KiB and 16 MiB of data. Every benchmark counts the
// bytes it reads (raw bytes for the encoder, Base64 text for the decoder) as bytes processed, and
// the bytes it writes as the "output" rate.
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "convert/base64.h"
#include "convert/runtime.h"
#include "noop_hook.h"

namespace {

using namespace korimbo;

std::string RandomBytes(std::size_t size)
{
    std::mt19937_64 generator(size);
    std::string bytes(size, '\0');
    for (char &byte : bytes)
        byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

// The encoding of the data as it arrives from a mail or a web page: a CR LF after every 76
// characters and a space in the middle of every line.
std::string WithSpacesAndLineBreaks(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 76) {
        const std::string_view line = text.substr(i, 76);
        out.append(line.substr(0, 38)).append(" ").append(line.substr(std::min<std::size_t>(38, line.size())));
        out.append("\r\n");
    }
    return out;
}

void SetRates(benchmark::State &state, std::size_t in, std::size_t out)
{
    const auto iterations = static_cast<std::int64_t>(state.iterations());
    state.SetBytesProcessed(iterations * static_cast<std::int64_t>(in));
    state.counters["output"] = benchmark::Counter(static_cast<double>(iterations) * static_cast<double>(out),
                                                  benchmark::Counter::kIsRate, benchmark::Counter::kIs1024);
}

// The decoder calls the events hook once per group; a program with a window has one installed.
class HookInstalled
{
  public:
    HookInstalled() : previous_(SetPendingEventsHook(&bench::NoOpEventsHook)) {}
    ~HookInstalled() { SetPendingEventsHook(previous_); }
    HookInstalled(const HookInstalled &) = delete;
    HookInstalled &operator=(const HookInstalled &) = delete;

  private:
    PendingEventsHook previous_;
};

void BM_Base64Encode(benchmark::State &state)
{
    const ByteSet data(RandomBytes(static_cast<std::size_t>(state.range(0))));
    std::size_t outSize = 0;
    for (auto _ : state) {
        AnsiText text = Base64Encode(data);
        outSize = text.bytes().size();
        benchmark::DoNotOptimize(text);
    }
    SetRates(state, data.bytes().size(), outSize);
}

void Decode(benchmark::State &state, const AnsiText &text, const ByteSet &expected)
{
    const HookInstalled hook;
    if (Base64Decode(text) != expected) {
        state.SkipWithError("the decoder does not give the data back");
        return;
    }
    for (auto _ : state) {
        ByteSet data = Base64Decode(text);
        benchmark::DoNotOptimize(data);
    }
    SetRates(state, text.bytes().size(), expected.bytes().size());
}

void BM_Base64Decode(benchmark::State &state)
{
    const ByteSet data(RandomBytes(static_cast<std::size_t>(state.range(0))));
    Decode(state, Base64Encode(data), data);
}

void BM_Base64DecodeSpacesAndLineBreaks(benchmark::State &state)
{
    const ByteSet data(RandomBytes(static_cast<std::size_t>(state.range(0))));
    Decode(state, AnsiText(WithSpacesAndLineBreaks(Base64Encode(data).bytes())), data);
}

void CodecSizes(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Arg(64)->Arg(64 << 10)->Arg(16 << 20);
}

} // namespace

BENCHMARK(BM_Base64Encode)->Name("Base64Encode")->Apply(CodecSizes);
BENCHMARK(BM_Base64Decode)->Name("Base64Decode")->Apply(CodecSizes);
BENCHMARK(BM_Base64DecodeSpacesAndLineBreaks)->Name("Base64Decode/spaces+crlf")->Apply(CodecSizes);
