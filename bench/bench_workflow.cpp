// A batch conversion of a generated tree of 10,000 small torrents through the real window
// (offscreen), beside the library alone (GetTorrentFileInfo and the link for each file) and the
// workflow without a window, on the same tree in the same run. Prints each figure and the ratio
// of the window's batch to the library's time.
//
//   QT_QPA_PLATFORM=offscreen build/release/bench/bench_workflow [files] [rounds]
// BENCH_VERBOSE=1 adds every round's figures and the time of each kind of call into the window.
#include <QApplication>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/conversion_commands.h"
#include "app/conversion_workflow.h"
#include "app/file_search.h"
#include "app/folder_browser.h"
#include "app/list_view.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/super_btn.h"
#include "app/text_codec.h"
#include "torrent/host_heap.h"
#include "torrent/torrent_file_info.h"

namespace {

using Clock = std::chrono::steady_clock;

// A single-file torrent of one piece, its name making every info hash different.
std::string TorrentBytes(int index)
{
    const std::string name = "file-" + std::to_string(index) + ".bin";
    return "d8:announce30:http://tracker.example:6969/an7:comment9:generated10:created by5:bench"
           "13:creation datei1700000000e4:infod6:lengthi" +
           std::to_string(1000 + index) + "e4:name" + std::to_string(name.size()) + ":" + name +
           "12:piece lengthi16384e6:pieces20:" + std::string(20, static_cast<char>('a' + index % 26)) + "ee";
}

// 100 folders of 100 files each, the way a download folder grows; returns the paths in the
// order the batch converts them.
std::vector<std::string> MakeTree(const std::string& root, int files)
{
    std::vector<std::string> paths;
    const int perFolder = 100;
    for (int i = 0; i < files; ++i) {
        char folder[32];
        std::snprintf(folder, sizeof folder, "/d%03d", i / perFolder);
        char file[32];
        std::snprintf(file, sizeof file, "/t%05d.torrent", i);
        std::filesystem::create_directories(root + folder);
        paths.push_back(root + folder + file);
        std::ofstream(paths.back(), std::ios::binary) << TorrentBytes(i);
    }
    return paths;
}

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double LibraryAlone(const std::vector<std::string>& paths)
{
    size_t checksum = 0;
    const auto start = Clock::now();
    for (const std::string& path : paths) {
        TorrentFileInfo* record = GetTorrentFileInfo(path.c_str());
        checksum += MagnetLink(record->infoHash).size();
        FreeTorrentFileInfo(*record);
        RegisteredHostHeap().release(record);
    }
    const double seconds = Seconds(Clock::now() - start);
    if (checksum != paths.size() * 60)
        std::fprintf(stderr, "unexpected links: %zu\n", checksum);
    return seconds;
}

// The workflow with an environment that shows nothing: the walk and the records, no widgets.
class SilentEnvironment final : public WorkflowEnvironment {
public:
    int rows = 0;
    void DeleteAllRows(ResultList) override { rows = 0; }
    int AppendRow(ResultList list) override { return list == ResultList::Links ? rows++ : rows; }
    void SetCell(ResultList, int, int, std::string_view, TextOrigin) override {}
    void SetLabelText(StatusLabel, std::string_view, std::string_view) override {}
    void ShowMessageBox(std::string_view) override {}
    std::string BrowseForFolder(std::string_view) override { return folder; }
    bool ShowOpenFileDialog(std::string_view, std::string&) override { return false; }
    bool KeepWindowAlive() override { return true; }
    std::string folder;
};

double WorkflowAlone(const std::string& root, int expectedRows)
{
    SilentEnvironment environment;
    environment.folder = root;
    ConversionWorkflow workflow(environment);
    const auto start = Clock::now();
    workflow.OnBatchConversionClick();
    const double seconds = Seconds(Clock::now() - start);
    if (environment.rows != expectedRows)
        std::fprintf(stderr, "workflow: %d rows, expected %d\n", environment.rows, expectedRows);
    return seconds;
}

double WindowBatch(MainWindow& window, const std::string& root, int expectedRows)
{
    MessageBox::SetNextAnswer();
    FolderBrowser::SetNextAnswer(PathFromBytes(QByteArray::fromStdString(root)));
    const auto start = Clock::now();
    window.BatchButton()->click();
    QCoreApplication::processEvents();  // the last paint belongs to the batch
    const double seconds = Seconds(Clock::now() - start);
    MessageBox::TakeAnsweredTexts();
    if (window.LinkList()->RowCount() != expectedRows)
        std::fprintf(stderr, "window: %d rows, expected %d\n", window.LinkList()->RowCount(), expectedRows);
    return seconds;
}

// Forwards to the window's environment and adds up the time each kind of call takes.
class TimedEnvironment final : public WorkflowEnvironment {
public:
    explicit TimedEnvironment(WorkflowEnvironment& inner) : inner_(inner) {}
    enum Call { Delete, Append, Cell, Label, Alive, Count };
    double seconds[Count] = {};

    void DeleteAllRows(ResultList list) override { Time(Delete, [&] { inner_.DeleteAllRows(list); }); }
    int AppendRow(ResultList list) override
    {
        int row = -1;
        Time(Append, [&] { row = inner_.AppendRow(list); });
        return row;
    }
    void SetCell(ResultList list, int row, int column, std::string_view text, TextOrigin origin) override
    {
        Time(Cell, [&] { inner_.SetCell(list, row, column, text, origin); });
    }
    void SetLabelText(StatusLabel label, std::string_view text, std::string_view path) override
    {
        Time(Label, [&] { inner_.SetLabelText(label, text, path); });
    }
    void ShowMessageBox(std::string_view text) override { inner_.ShowMessageBox(text); }
    std::string BrowseForFolder(std::string_view title) override { return inner_.BrowseForFolder(title); }
    bool ShowOpenFileDialog(std::string_view filter, std::string& path) override
    {
        return inner_.ShowOpenFileDialog(filter, path);
    }
    bool KeepWindowAlive() override
    {
        bool alive = false;
        Time(Alive, [&] { alive = inner_.KeepWindowAlive(); });
        return alive;
    }

private:
    template <typename F>
    void Time(Call call, F&& f)
    {
        const auto start = Clock::now();
        f();
        seconds[call] += Seconds(Clock::now() - start);
    }
    WorkflowEnvironment& inner_;
};

// Where a window batch spends its time, by kind of call into the window.
void PrintBreakdown(MainWindow& window, const std::string& root, int files)
{
    WindowEnvironment inner(window);
    TimedEnvironment timed(inner);
    ConversionWorkflow workflow(timed);
    MessageBox::SetNextAnswer();
    FolderBrowser::SetNextAnswer(PathFromBytes(QByteArray::fromStdString(root)));
    const auto start = Clock::now();
    workflow.OnBatchConversionClick();
    const double total = Seconds(Clock::now() - start);
    MessageBox::TakeAnsweredTexts();
    const char* names[] = {"DeleteAllRows", "AppendRow", "SetCell", "SetLabelText", "KeepWindowAlive"};
    std::printf("one window batch, %.1f ms, by call:", total * 1e3);
    for (int call = 0; call < TimedEnvironment::Count; ++call)
        std::printf(" %s %.1f ms (%.2f us/file);", names[call], timed.seconds[call] * 1e3,
                    timed.seconds[call] * 1e6 / files);
    std::printf("\n");
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    QApplication application(argc, argv);
    RegisterHostHeap(ProcessHostHeap());

    std::string pattern = (std::filesystem::temp_directory_path() / "btmagnet-bench-XXXXXX").string();
    const std::string root = mkdtemp(pattern.data());
    const std::vector<std::string> paths = MakeTree(root, files);

    MainWindow window;
    new ConversionCommands(&window);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::fprintf(stderr, "the window was not exposed\n");

    LibraryAlone(paths);  // warms the page cache and the heap, untimed
    std::vector<double> library, workflow, batch;
    for (int round = 0; round < rounds; ++round) {
        library.push_back(LibraryAlone(paths));
        workflow.push_back(WorkflowAlone(root, files));
        batch.push_back(WindowBatch(window, root, files));
    }
    if (std::getenv("BENCH_VERBOSE"))
        PrintBreakdown(window, root, files);
    if (std::getenv("BENCH_VERBOSE"))
        for (int round = 0; round < rounds; ++round)
            std::printf("round %d: library %.1f ms, workflow %.1f ms, window %.1f ms\n", round, library[round] * 1e3,
                        workflow[round] * 1e3, batch[round] * 1e3);
    std::filesystem::remove_all(root);

    const double lib = Median(library), flow = Median(workflow), win = Median(batch);
    std::printf("%d torrents in %d folders, median of %d rounds\n", files, (files + 99) / 100, rounds);
    std::printf("  library alone (GetTorrentFileInfo + link): %8.1f ms  %6.1f us/file\n", lib * 1e3, lib * 1e6 / files);
    std::printf("  workflow, no window (walk + records):      %8.1f ms  %6.1f us/file\n", flow * 1e3, flow * 1e6 / files);
    std::printf("  window batch (offscreen, click to paint):  %8.1f ms  %6.1f us/file\n", win * 1e3, win * 1e6 / files);
    std::printf("  ratio window / library: %.2fx (goal <= 1.30x)\n", win / lib);
    return 0;
}
