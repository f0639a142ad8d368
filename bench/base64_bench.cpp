// Throughput of the Base64 codec, at 64 B, 64 KiB, 16 MiB and 64 MiB of data:
// - Base64EncodeInto/PATH/N and Base64DecodeInto/PATH/N: each path the processor has, into a
//   buffer kept from call to call, as a program converting many inputs uses the codec;
// - Memcpy/N: copying the same bytes into a kept buffer, the floor for the large sizes;
// - Base64Encode/N, Base64Decode/N and Base64Decode/spaces+crlf/N: the functions that return a new
//   value, on the path chosen at start.
// Every benchmark counts the bytes it reads (raw bytes for the encoder, Base64 text for the
// decoder) as bytes processed, and the bytes it writes as the "output" rate. The decoders run with
// a no-op events hook installed, as a program with a window has one.
#include "base64_bench.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "convert/base64.h"
#include "convert/codec_path.h"
#include "convert/runtime.h"
#include "noop_hook.h"

namespace korimbo::bench {
namespace {

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

// Installs the no-op events hook and a codec path for the lifetime of the object.
class Setting
{
  public:
    explicit Setting(CodecPath path)
        : previousHook_(SetPendingEventsHook(&NoOpEventsHook)), previousPath_(UseCodecPath(path))
    {
    }
    ~Setting()
    {
        SetPendingEventsHook(previousHook_);
        UseCodecPath(previousPath_);
    }
    Setting(const Setting &) = delete;
    Setting &operator=(const Setting &) = delete;

  private:
    PendingEventsHook previousHook_;
    CodecPath previousPath_;
};

void EncodeInto(benchmark::State &state, CodecPath path)
{
    const Setting setting(path);
    const std::string data = RandomBytes(static_cast<std::size_t>(state.range(0)));
    std::string text;
    Base64EncodeInto(data, text); // the buffer's memory is had before timing
    for (auto _ : state) {
        Base64EncodeInto(data, text);
        benchmark::DoNotOptimize(text.data());
        benchmark::ClobberMemory();
    }
    SetRates(state, data.size(), text.size());
}

void DecodeInto(benchmark::State &state, CodecPath path)
{
    const Setting setting(path);
    const std::string data = RandomBytes(static_cast<std::size_t>(state.range(0)));
    const std::string text(Base64Encode(ByteSet(data)).bytes());
    std::string bytes;
    Base64DecodeInto(text, bytes);
    if (bytes != data) {
        state.SkipWithError("the decoder does not give the data back");
        return;
    }
    for (auto _ : state) {
        Base64DecodeInto(text, bytes);
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
    SetRates(state, text.size(), data.size());
}

void BM_Memcpy(benchmark::State &state)
{
    const std::string data = RandomBytes(static_cast<std::size_t>(state.range(0)));
    std::string copy(data.size(), '\0');
    for (auto _ : state) {
        std::memcpy(copy.data(), data.data(), data.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    SetRates(state, data.size(), data.size());
}

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
    const Setting setting(ActiveCodecPath());
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
    for (const std::int64_t size : kCodecSizes)
        benchmark->Arg(size);
}

} // namespace

void RegisterCodecBenchmarks()
{
    for (const CodecPath path : AvailableCodecPaths()) {
        const std::string name(CodecPathName(path));
        benchmark::RegisterBenchmark(("Base64EncodeInto/" + name).c_str(), EncodeInto, path)->Apply(CodecSizes);
        benchmark::RegisterBenchmark(("Base64DecodeInto/" + name).c_str(), DecodeInto, path)->Apply(CodecSizes);
    }
    benchmark::RegisterBenchmark("Memcpy", BM_Memcpy)->Apply(CodecSizes);
    benchmark::RegisterBenchmark("Base64Encode", BM_Base64Encode)->Apply(CodecSizes);
    benchmark::RegisterBenchmark("Base64Decode", BM_Base64Decode)->Apply(CodecSizes);
    benchmark::RegisterBenchmark("Base64Decode/spaces+crlf", BM_Base64DecodeSpacesAndLineBreaks)->Apply(CodecSizes);
}

} // namespace korimbo::bench
