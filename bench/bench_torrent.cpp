// GetTorrentFileInfo plus the magnet link over a generated corpus of metainfo files, beside
// the floor: reading the same files and taking the SHA-1 (OpenSSL) of the bytes of their info
// dictionary alone, which any converter has to do. Prints both and the ratio.
//
// The corpus (kCorpusSize files, fixed seed) is written once to a temporary folder:
// most info dictionaries 5-50 KB, some with hundreds of files, some 100 KB-2 MB.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bencode/decoder.h"
#include "bencode/encoder.h"
#include "sha1/sha1.h"
#include "torrent/host_heap.h"
#include "torrent/torrent.h"
#include "torrent/torrent_file_info.h"

namespace {

constexpr int kCorpusSize = 3000;  // BTMAGNET_BENCH_FILES overrides it, e.g. for a profiler run
constexpr char kMagnetPrefix[] = "magnet:?xt=urn:btih:";

struct CorpusFile {
    std::string path;
    size_t infoOffset = 0;  // where the info dictionary's bytes lie in the file
    size_t infoLength = 0;
    size_t fileSize = 0;
};

std::string Str(const std::string& s)
{
    return std::to_string(s.size()) + ":" + s;
}

std::string Int(int64_t v)
{
    return "i" + std::to_string(v) + "e";
}

class CorpusGenerator {
public:
    std::string RandomBytes(size_t count)
    {
        std::string bytes(count, '\0');
        for (char& c : bytes)
            c = static_cast<char>(rng_() & 0xFF);
        return bytes;
    }

    std::string Word()
    {
        static const char* const kWords[] = {"season", "disc",   "track", "chapter", "extras", "sample", "cover",
                                             "subs",   "part",   "中文",  "第一集",  "音乐",   "readme", "video"};
        return kWords[rng_() % (sizeof kWords / sizeof *kWords)] + std::to_string(rng_() % 1000);
    }

    int64_t Uniform(int64_t low, int64_t high) { return std::uniform_int_distribution<int64_t>(low, high)(rng_); }

    // One metainfo document and where its info dictionary lies; keys in sorted order.
    std::string Document(size_t& infoOffset, size_t& infoLength)
    {
        const int kind = static_cast<int>(Uniform(0, 99));
        int64_t pieceCount = Uniform(250, 2500);  // 5-50 KB of piece hashes
        int fileCount = 1;
        if (kind < 10) {
            fileCount = static_cast<int>(Uniform(100, 800));  // hundreds of files
        } else if (kind < 15) {
            pieceCount = Uniform(5000, 100000);  // 100 KB-2 MB
            fileCount = static_cast<int>(Uniform(1, 40));
        } else if (kind < 40) {
            fileCount = static_cast<int>(Uniform(2, 30));
        }
        const int64_t pieceLength = int64_t{1} << Uniform(16, 24);

        std::string info = "d";
        int64_t total = 0;
        if (fileCount > 1) {
            info += "5:filesl";
            for (int i = 0; i < fileCount; ++i) {
                const int64_t length = Uniform(0, pieceLength * pieceCount / fileCount * 2);
                total += length;
                info += "d6:length" + Int(length) + "4:pathl";
                for (int depth = static_cast<int>(Uniform(1, 3)); depth > 0; --depth)
                    info += Str(Word());
                info += Str(Word() + ".mkv") + "ee";
            }
            info += "e";
        } else {
            info += "6:length" + Int(pieceLength * pieceCount - Uniform(0, pieceLength - 1));
        }
        info += "4:name" + Str(Word() + " " + Word()) + "12:piece length" + Int(pieceLength) + "6:pieces" +
                Str(RandomBytes(static_cast<size_t>(pieceCount) * 20)) + "e";

        std::string doc = "d8:announce" + Str("http://tracker" + std::to_string(Uniform(1, 9)) + ".example.org:6969/announce");
        doc += "13:announce-listl";
        for (int tier = static_cast<int>(Uniform(1, 6)); tier > 0; --tier)
            doc += "l" + Str("udp://tracker" + std::to_string(tier) + ".example.net:1337/announce") + "e";
        doc += "e7:comment" + Str("generated " + Word()) + "10:created by" + Str("bench 1.0") + "13:creation date" +
               Int(Uniform(1000000000, 1800000000)) + "4:info";
        infoOffset = doc.size();
        infoLength = info.size();
        doc += info;
        doc += "8:url-listl" + Str("http://seed.example.org/" + Word()) + "ee";
        return doc;
    }

private:
    std::mt19937_64 rng_{20261211};
};

class Corpus {
public:
    Corpus()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "btmagnet-bench.XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        folder_ = pattern;
        CorpusGenerator generator;
        const char* sizeOverride = std::getenv("BTMAGNET_BENCH_FILES");
        const int size = sizeOverride ? std::atoi(sizeOverride) : kCorpusSize;
        for (int i = 0; i < size; ++i) {
            CorpusFile file;
            const std::string doc = generator.Document(file.infoOffset, file.infoLength);
            file.path = folder_ + "/" + std::to_string(i) + ".torrent";
            file.fileSize = doc.size();
            std::FILE* out = std::fopen(file.path.c_str(), "wb");
            if (!out || std::fwrite(doc.data(), 1, doc.size(), out) != doc.size() || std::fclose(out) != 0)
                std::abort();
            totalBytes_ += doc.size();
            infoBytes_ += file.infoLength;
            files_.push_back(std::move(file));
        }
    }
    ~Corpus() { std::filesystem::remove_all(folder_); }

    const std::vector<CorpusFile>& files() const { return files_; }
    size_t totalBytes() const { return totalBytes_; }
    size_t infoBytes() const { return infoBytes_; }

private:
    std::string folder_;
    std::vector<CorpusFile> files_;
    size_t totalBytes_ = 0;
    size_t infoBytes_ = 0;
};

const Corpus* corpus = nullptr;

void SetRates(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(corpus->files().size()));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(corpus->totalBytes()));
    state.counters["files/s"] = benchmark::Counter(static_cast<double>(corpus->files().size()),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}

// Reads each whole file and digests the bytes of its info dictionary.
void BM_Floor(benchmark::State& state)
{
    std::vector<char> buffer;
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    for (auto _ : state) {
        for (const CorpusFile& file : corpus->files()) {
            std::FILE* in = std::fopen(file.path.c_str(), "rb");
            std::fseek(in, 0, SEEK_END);
            buffer.resize(static_cast<size_t>(std::ftell(in)));
            std::fseek(in, 0, SEEK_SET);
            if (std::fread(buffer.data(), 1, buffer.size(), in) != buffer.size())
                state.SkipWithError("short read");
            std::fclose(in);
            unsigned char digest[EVP_MAX_MD_SIZE];
            unsigned int digestLength = 0;
            EVP_DigestInit_ex(context, EVP_sha1(), nullptr);
            EVP_DigestUpdate(context, buffer.data() + file.infoOffset, file.infoLength);
            EVP_DigestFinal_ex(context, digest, &digestLength);
            benchmark::DoNotOptimize(digest);
        }
    }
    EVP_MD_CTX_free(context);
    SetRates(state);
}

// The whole conversion of each file: record, magnet link, release.
void BM_Conversion(benchmark::State& state)
{
    RegisterHostHeap(ProcessHostHeap());
    for (auto _ : state) {
        for (const CorpusFile& file : corpus->files()) {
            TorrentFileInfo* info = GetTorrentFileInfo(file.path.c_str());
            std::string link = kMagnetPrefix;
            if (info->infoHash)
                link += info->infoHash;
            else
                state.SkipWithError("a corpus file did not load");
            benchmark::DoNotOptimize(link);
            FreeTorrentFileInfo(*info);
            RegisteredHostHeap().release(info);
        }
    }
    SetRates(state);
}

// The stages of the conversion one by one, to show where its time goes.
void BM_StageDecodeFile(benchmark::State& state)
{
    for (auto _ : state) {
        for (const CorpusFile& file : corpus->files())
            delete DecodeFile(file.path.c_str());
    }
    SetRates(state);
}

void BM_StageLoadFile(benchmark::State& state)
{
    for (auto _ : state) {
        for (const CorpusFile& file : corpus->files()) {
            CTorrent torrent;
            benchmark::DoNotOptimize(torrent.LoadFile(file.path));
        }
    }
    SetRates(state);
}

void BM_StageEncodeInfo(benchmark::State& state)
{
    std::vector<std::unique_ptr<CTorrent>> torrents;
    for (const CorpusFile& file : corpus->files()) {
        torrents.push_back(std::make_unique<CTorrent>());
        if (!torrents.back()->LoadFile(file.path))
            state.SkipWithError("a corpus file did not load");
    }
    for (auto _ : state) {
        for (const auto& torrent : torrents) {
            char* encoded = nullptr;
            int32_t length = 0;
            if (EncodeDicti(torrent->infoDict, &encoded, &length))
                delete[] encoded;
        }
    }
    SetRates(state);
}

void BM_StageSha1Info(benchmark::State& state)
{
    std::vector<std::string> infos;
    std::vector<char> buffer;
    for (const CorpusFile& file : corpus->files()) {
        std::FILE* in = std::fopen(file.path.c_str(), "rb");
        buffer.resize(file.fileSize);
        if (std::fread(buffer.data(), 1, buffer.size(), in) != buffer.size())
            state.SkipWithError("short read");
        std::fclose(in);
        infos.emplace_back(buffer.data() + file.infoOffset, file.infoLength);
    }
    for (auto _ : state) {
        for (const std::string& info : infos) {
            CSHA1 sha;
            sha.AddData(reinterpret_cast<const uint8_t*>(info.data()), static_cast<uint32_t>(info.size()));
            sha.Finish();
            benchmark::DoNotOptimize(sha.digest);
        }
    }
    SetRates(state);
}

BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_Conversion)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_StageDecodeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageLoadFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageEncodeInfo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageSha1Info)->Unit(benchmark::kMillisecond);

struct PassTime {
    double realSeconds = 0;
    double cpuSeconds = 0;
};

// Keeps the time per pass of every benchmark, for the ratio printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                const std::string name = run.run_name.function_name;
                times[name] = {run.GetAdjustedRealTime() / 1e3, run.GetAdjustedCPUTime() / 1e3};  // ms to s
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, PassTime> times;
};

void PrintLine(const char* label, const PassTime& time, double files, double megabytes)
{
    std::printf("%-11s %8.0f files/s %8.1f MB/s  (CPU time; wall clock: %8.0f files/s %8.1f MB/s)\n", label,
                files / time.cpuSeconds, megabytes / time.cpuSeconds, files / time.realSeconds,
                megabytes / time.realSeconds);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const Corpus generated;
    corpus = &generated;
    std::printf("corpus: %zu files, %.1f MB, info dictionaries %.1f MB\n", generated.files().size(),
                generated.totalBytes() / 1e6, generated.infoBytes() / 1e6);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto floor = reporter.times.find("BM_Floor");
    const auto conversion = reporter.times.find("BM_Conversion");
    if (floor != reporter.times.end() && conversion != reporter.times.end()) {
        const double files = static_cast<double>(generated.files().size());
        const double megabytes = generated.totalBytes() / 1e6;
        PrintLine("floor:", floor->second, files, megabytes);
        PrintLine("conversion:", conversion->second, files, megabytes);
        std::printf("ratio conversion/floor: %.2fx CPU time, %.2fx wall clock (goal: at most 1.5x)\n",
                    conversion->second.cpuSeconds / floor->second.cpuSeconds,
                    conversion->second.realSeconds / floor->second.realSeconds);
    }
    benchmark::Shutdown();
    return 0;
}
