// korimbo-bench: runs the benchmarks as Google Benchmark does (its options work), then prints the
// ratios the codec's targets are stated in, from the medians of the runs just made:
// - each vector path against the scalar one (time of scalar / time of the path);
// - at 64 MiB, each path's time against memcpy's;
// - the time at 64 MiB against the time at 16 MiB (4 for a codec whose speed does not drop), for
//   memcpy too, whose own ratio shows how much of 16 MiB the processor's caches still hold.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "base64_bench.h"
#include "convert/codec_path.h"

namespace {

using namespace korimbo;

// Prints as the console does and keeps the real time of every run, by name.
class KeepingReporter : public benchmark::ConsoleReporter
{
  public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times_[run.run_name.str()].push_back(run.GetAdjustedRealTime() /
                                                     benchmark::GetTimeUnitMultiplier(run.time_unit));
        }
    }

    // The median time of the runs of `name` in seconds, or 0 when there were none.
    double Median(const std::string &name) const
    {
        const auto found = times_.find(name);
        if (found == times_.end() || found->second.empty())
            return 0;
        std::vector<double> times = found->second;
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }

  private:
    std::map<std::string, std::vector<double>> times_;
};

void PrintRatio(const char *what, double numerator, double denominator)
{
    if (numerator > 0 && denominator > 0)
        std::printf("  %-58s %7.2f\n", what, numerator / denominator);
}

void PrintRatios(const KeepingReporter &reporter)
{
    const auto name = [](const std::string &family, std::int64_t size) { return family + "/" + std::to_string(size); };
    std::printf("\nRatios (medians of the runs above)\n");
    for (const CodecPath path : AvailableCodecPaths()) {
        const std::string pathName(CodecPathName(path));
        for (const char *operation : {"Base64EncodeInto", "Base64DecodeInto"}) {
            const std::string family = std::string(operation) + "/" + pathName;
            for (const std::int64_t size : bench::kCodecSizes) {
                if (path != CodecPath::Scalar) {
                    const std::string what = family + "/" + std::to_string(size) + ": scalar time / this time";
                    PrintRatio(what.c_str(), reporter.Median(name(std::string(operation) + "/scalar", size)),
                               reporter.Median(name(family, size)));
                }
            }
            const std::int64_t large = bench::kCodecSizes[3], medium = bench::kCodecSizes[2];
            PrintRatio((family + ": time at 64 MiB / memcpy's").c_str(), reporter.Median(name(family, large)),
                       reporter.Median(name("Memcpy", large)));
            PrintRatio((family + ": time at 64 MiB / time at 16 MiB").c_str(), reporter.Median(name(family, large)),
                       reporter.Median(name(family, medium)));
        }
    }
    for (const char *family : {"Memcpy", "Base64Encode", "Base64Decode", "Base64Decode/spaces+crlf"}) {
        PrintRatio((std::string(family) + ": time at 64 MiB / time at 16 MiB").c_str(),
                   reporter.Median(name(family, bench::kCodecSizes[3])),
                   reporter.Median(name(family, bench::kCodecSizes[2])));
    }
}

} // namespace

int main(int argc, char **argv)
{
    bench::RegisterCodecBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
