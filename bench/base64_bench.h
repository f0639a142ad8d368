#pragma once

#include <cstdint>

// The codec's benchmarks, registered at start because there is one set per codec path.
namespace korimbo::bench {

// 64 B, 64 KiB, 16 MiB and 64 MiB.
inline constexpr std::int64_t kCodecSizes[] = {64, 64 << 10, 16 << 20, 64 << 20};

void RegisterCodecBenchmarks();

} // namespace korimbo::bench
