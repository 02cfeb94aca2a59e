// Our SHA-1 with each compression beside OpenSSL's, on the same buffers in the same run.
// OpenSSL is here as the yardstick only; the product never links it.
//
// After the usual output a table gives MB/s (10^6 bytes per second) and the ratio to OpenSSL,
// from the medians when run with --benchmark_repetitions=N, from the single runs otherwise.

#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "sha1/sha1.h"

namespace {

const std::vector<uint8_t>& Buffer(size_t size) {
    static std::map<size_t, std::vector<uint8_t>> buffers;
    std::vector<uint8_t>& buffer = buffers[size];
    if (buffer.size() != size) {
        std::mt19937 random(static_cast<uint32_t>(size));
        buffer.resize(size);
        for (uint8_t& byte : buffer)
            byte = static_cast<uint8_t>(random());
    }
    return buffer;
}

void DigestOurs(benchmark::State& state, bool scalar) {
    if (!scalar && !Sha1HardwareCompressionAvailable()) {
        state.SkipWithError("this CPU has no SHA instructions");
        return;
    }
    const std::vector<uint8_t>& buffer = Buffer(static_cast<size_t>(state.range(0)));
    UseScalarSha1Compression(scalar);
    uint8_t digest[20];
    for (auto _ : state) {
        CSHA1 sha;
        sha.AddData(buffer.data(), static_cast<uint32_t>(buffer.size()));
        sha.Finish();
        sha.CopyDigest(digest);
        benchmark::DoNotOptimize(digest);
    }
    UseScalarSha1Compression(false);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void Accelerated(benchmark::State& state) {
    DigestOurs(state, false);
}

void Scalar(benchmark::State& state) {
    DigestOurs(state, true);
}

// OpenSSL at its leanest: the digest fetched once and one context reused, so that small
// buffers do not pay for a lookup per call, which the one-shot SHA1() does.
void OpenSSL(benchmark::State& state) {
    const std::vector<uint8_t>& buffer = Buffer(static_cast<size_t>(state.range(0)));
    EVP_MD* sha1 = EVP_MD_fetch(nullptr, "SHA1", nullptr);
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    uint8_t digest[EVP_MAX_MD_SIZE];
    unsigned size = 0;
    for (auto _ : state) {
        EVP_DigestInit_ex2(context, sha1, nullptr);
        EVP_DigestUpdate(context, buffer.data(), buffer.size());
        EVP_DigestFinal_ex(context, digest, &size);
        benchmark::DoNotOptimize(digest);
    }
    EVP_MD_CTX_free(context);
    EVP_MD_free(sha1);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

const char* const kNames[] = {"OpenSSL", "Accelerated", "Scalar"};
const int64_t kSizes[] = {1 << 10, 64 << 10, 1 << 20};

BENCHMARK(OpenSSL)->Arg(kSizes[0])->Arg(kSizes[1])->Arg(kSizes[2]);
BENCHMARK(Accelerated)->Arg(kSizes[0])->Arg(kSizes[1])->Arg(kSizes[2]);
BENCHMARK(Scalar)->Arg(kSizes[0])->Arg(kSizes[1])->Arg(kSizes[2]);

// Prints as usual and keeps the bytes per second of each (name, size): the median when there
// are repetitions, else the plain run.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    SummaryReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (run.error_occurred || !(median || single))
                continue;
            const auto rate = run.counters.find("bytes_per_second");
            if (rate != run.counters.end())
                rates_[run.run_name.function_name][run.run_name.args] = rate->second.value;
        }
    }

    void PrintSummary() const {
        std::printf("\nSHA-1, MB/s (10^6 bytes/s) and ratio to OpenSSL\n");
        std::printf("%-12s", "buffer");
        for (const char* name : kNames)
            std::printf(" %18s", name);
        std::printf("\n");
        for (int64_t size : kSizes) {
            const std::string arg = std::to_string(size);
            std::printf("%-12s", size >= (1 << 20) ? "1 MiB" : size >= (64 << 10) ? "64 KiB" : "1 KiB");
            const double reference = Rate(kNames[0], arg);
            for (const char* name : kNames) {
                const double rate = Rate(name, arg);
                if (rate <= 0)
                    std::printf(" %18s", "-");
                else
                    std::printf(" %9.0f (%5.2fx)", rate / 1e6, reference > 0 ? rate / reference : 0.0);
            }
            std::printf("\n");
        }
    }

private:
    double Rate(const std::string& name, const std::string& arg) const {
        const auto byName = rates_.find(name);
        if (byName == rates_.end())
            return 0;
        const auto byArg = byName->second.find(arg);
        return byArg == byName->second.end() ? 0 : byArg->second;
    }

    std::map<std::string, std::map<std::string, double>> rates_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.PrintSummary();
    return 0;
}
