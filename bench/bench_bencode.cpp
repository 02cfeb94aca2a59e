// Decode and encode of two torrent-shaped documents, beside a memcpy of the same bytes.
//   bench_bencode [--benchmark_filter=...]
// After the table a summary prints, for each document, each operation's MB/s and how many
// times slower than memcpy it is.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "bencode/decoder.h"
#include "bencode/encoder.h"

namespace {

std::string Str(const std::string& s)
{
    std::string out = std::to_string(s.size());
    out += ':';
    out += s;
    return out;
}

std::string Int(int64_t v)
{
    std::string out = "i";
    out += std::to_string(v);
    out += 'e';
    return out;
}

// Appends bencoded pieces to a document.
struct Builder {
    std::string bytes;

    Builder& Raw(const char* s) { bytes += s; return *this; }
    Builder& Str(const std::string& s) { bytes += ::Str(s); return *this; }
    Builder& Int(int64_t v) { bytes += ::Int(v); return *this; }
    Builder& Doc(const std::string& encoded) { bytes += encoded; return *this; }
};

// A single-file torrent: one 200 KB pieces string and a few hundred small entries (trackers
// and web seeds).
std::string TorrentDocument()
{
    Builder announceList, urlList;
    announceList.Raw("l");
    urlList.Raw("l");
    for (int i = 0; i < 150; ++i) {
        announceList.Raw("l").Str("udp://tracker" + std::to_string(i) + ".example.org:6969/announce").Raw("e");
        urlList.Str("http://mirror" + std::to_string(i) + ".example.net/pub/big-image.iso");
    }
    announceList.Raw("e");
    urlList.Raw("e");
    std::string pieces(200 * 1000, '\0');
    for (size_t i = 0; i < pieces.size(); ++i)
        pieces[i] = static_cast<char>(i * 2654435761u >> 13);
    Builder info;
    info.Raw("d").Str("length").Int(2'684'354'560).Str("name").Str("big-image.iso");
    info.Str("piece length").Int(262144).Str("pieces").Str(pieces).Str("private").Int(0).Raw("e");
    Builder doc;
    doc.Raw("d").Str("announce").Str("udp://tracker0.example.org:6969/announce");
    doc.Str("announce-list").Doc(announceList.bytes).Str("comment").Str("benchmark document");
    doc.Str("created by").Str("btmagnet bench").Str("creation date").Int(1'700'000'000);
    doc.Str("info").Doc(info.bytes).Str("url-list").Doc(urlList.bytes).Raw("e");
    return doc.bytes;
}

// A multi-file torrent of 5,000 file entries.
std::string MultiFileDocument()
{
    Builder files;
    files.Raw("l");
    for (int i = 0; i < 5000; ++i) {
        files.Raw("d").Str("length").Int(1000 + i * 37).Str("path").Raw("l");
        files.Str("dir" + std::to_string(i % 50)).Str("file-" + std::to_string(i) + ".dat").Raw("ee");
    }
    files.Raw("e");
    Builder info;
    info.Raw("d").Str("files").Doc(files.bytes).Str("name").Str("bundle").Str("piece length").Int(65536);
    info.Str("pieces").Str(std::string(20 * 400, 'p')).Raw("e");
    Builder doc;
    doc.Raw("d").Str("announce").Str("http://tracker.example.org/announce").Str("info").Doc(info.bytes).Raw("e");
    return doc.bytes;
}

const std::string& Document(int64_t which)
{
    static const std::string torrent = TorrentDocument();
    static const std::string multiFile = MultiFileDocument();
    return which == 0 ? torrent : multiFile;
}

const char* DocumentName(int64_t which) { return which == 0 ? "torrent" : "multi_file"; }

void BM_Decode(benchmark::State& state)
{
    const std::string& doc = Document(state.range(0));
    for (auto _ : state) {
        std::unique_ptr<CAtom> atom(Decode(doc.data(), static_cast<uint32_t>(doc.size()), 0));
        benchmark::DoNotOptimize(atom.get());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(doc.size()));
    state.SetLabel(DocumentName(state.range(0)));
}

void BM_Encode(benchmark::State& state)
{
    const std::string& doc = Document(state.range(0));
    const std::unique_ptr<CAtom> atom(Decode(doc.data(), static_cast<uint32_t>(doc.size()), 0));
    const auto& dicti = dynamic_cast<const CAtomDicti&>(*atom);
    for (auto _ : state) {
        char* out = nullptr;
        int32_t len = 0;
        if (!EncodeDicti(dicti, &out, &len) || len != static_cast<int32_t>(doc.size()))
            state.SkipWithError("the document does not re-encode to its own size");
        benchmark::DoNotOptimize(out);
        delete[] out;
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(doc.size()));
    state.SetLabel(DocumentName(state.range(0)));
}

// The reference: copying the same bytes into a fresh buffer of their size.
void BM_Memcpy(benchmark::State& state)
{
    const std::string& doc = Document(state.range(0));
    for (auto _ : state) {
        auto copy = std::make_unique<char[]>(doc.size());
        std::memcpy(copy.get(), doc.data(), doc.size());
        benchmark::DoNotOptimize(copy.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(doc.size()));
    state.SetLabel(DocumentName(state.range(0)));
}

BENCHMARK(BM_Memcpy)->Arg(0)->Arg(1);
BENCHMARK(BM_Decode)->Arg(0)->Arg(1);
BENCHMARK(BM_Encode)->Arg(0)->Arg(1);

// Prints the usual table, then the summary against memcpy.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so a log stays plain text.
    RatioReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_None) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration || run.iterations == 0)
                continue;
            const std::string name = run.run_name.function_name;
            const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            secondsPerRun_[run.report_label][name] = seconds;
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nsummary (MB/s = 10^6 bytes per second of CPU time, as in the table)\n");
        for (const auto& [label, byName] : secondsPerRun_) {
            const auto memcpyIt = byName.find("BM_Memcpy");
            if (memcpyIt == byName.end())
                continue;
            const int64_t which = label == DocumentName(0) ? 0 : 1;
            const double bytes = static_cast<double>(Document(which).size());
            std::printf("%-10s %8.0f bytes  memcpy %9.1f MB/s", label.c_str(), bytes, bytes / memcpyIt->second / 1e6);
            for (const char* op : {"BM_Decode", "BM_Encode"}) {
                const auto it = byName.find(op);
                if (it != byName.end()) {
                    std::printf("  %s %8.1f MB/s (%.1fx the memcpy time)", op + 3, bytes / it->second / 1e6,
                                it->second / memcpyIt->second);
                }
            }
            std::printf("\n");
        }
    }

private:
    std::map<std::string, std::map<std::string, double>> secondsPerRun_;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
