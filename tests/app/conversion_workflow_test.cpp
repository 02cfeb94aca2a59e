// The two buttons' conversions against a fake window, on real temporary folder trees.
#include "app/conversion_workflow.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/app/counting_heap.h"
#include "tests/app/fake_environment.h"
#include "tests/app/temp_tree.h"

namespace {

// Info hashes of TorrentBytes(name), from Python's hashlib over the info dictionary's bytes:
// python3 -c "import hashlib; n=b'alpha'; print(hashlib.sha1(b'd6:lengthi1e4:name%d:%s12:piece
//   lengthi16384e6:pieces20:%se' % (len(n), n, b'x'*20)).hexdigest())"
// and the same for each name; transmission-show prints the same hash for the written file.
const std::string kAlphaLink = "magnet:?xt=urn:btih:cb8556ff088c9ac4130448ec9c9dcf017e864b04";
const std::string kBetaLink = "magnet:?xt=urn:btih:5c8195fb5b9a6ad63c6e80a0607e9c0fb2b66d89";
const std::string kGammaLink = "magnet:?xt=urn:btih:27e47947bd59e5eac82d27f50995fd71b6cfc615";
const std::string kBareLink = "magnet:?xt=urn:btih:";

using Row = FakeEnvironment::Row;

class ConversionWorkflowTest : public ::testing::Test {
protected:
    void SetUp() override { outstandingBefore_ = CountingHeap::Outstanding(); }
    void TearDown() override
    {
        EXPECT_EQ(CountingHeap::Outstanding(), outstandingBefore_) << "a block of the shared heap was not released";
    }

    // The upper list's rows for these paths under the tree.
    std::vector<Row> FileRows(const std::vector<std::string>& relativePaths) const
    {
        std::vector<Row> rows;
        for (const std::string& relative : relativePaths)
            rows.push_back({tree.Path(relative), "", ""});
        return rows;
    }

    CountingHeap heap;
    TempTree tree;
    FakeEnvironment environment;
    ConversionWorkflow workflow{environment};

private:
    long outstandingBefore_ = 0;
};

// A folder and one subfolder: the folder's two files in name order, then the subfolder's file;
// the labels show each folder and file, and "结束" when a folder's files are done.
TEST_F(ConversionWorkflowTest, BatchConvertsAFoldersFilesBeforeItsSubfolders)
{
    tree.File("b.torrent", TorrentBytes("beta"));
    tree.File("a.torrent", TorrentBytes("alpha"));
    tree.File("sub/c.torrent", TorrentBytes("gamma"));
    environment.folderAnswer = tree.Root();  // no trailing "/": the walk adds it

    workflow.OnBatchConversionClick();

    EXPECT_EQ(environment.files, FileRows({"a.torrent", "b.torrent", "sub/c.torrent"}));
    const std::vector<Row> links = {
        {tree.Path("a.torrent"), "alpha", kAlphaLink},
        {tree.Path("b.torrent"), "beta", kBetaLink},
        {tree.Path("sub/c.torrent"), "gamma", kGammaLink},
    };
    EXPECT_EQ(environment.links, links);
    const std::string root = tree.Root() + "/";
    const std::vector<std::string> labels = {
        "2:正在搜索目录： " + root,
        "3:正在转换BT： " + root + "a.torrent",
        "3:正在转换BT： " + root + "b.torrent",
        "2:正在转换BT： 结束",
        "3:正在转换BT： 结束",
        "2:正在搜索目录： " + root + "sub/",
        "3:正在转换BT： " + root + "sub/c.torrent",
        "2:正在转换BT： 结束",
        "3:正在转换BT： 结束",
    };
    EXPECT_EQ(environment.labelHistory, labels);
    EXPECT_EQ(environment.folderLabel, "正在转换BT： 结束");
    EXPECT_EQ(environment.fileLabel, "正在转换BT： 结束");
}

TEST_F(ConversionWorkflowTest, WhatABatchConverts)
{
    struct Case {
        const char* what;
        std::function<void(const TempTree&)> make;
        std::vector<std::vector<std::string>> links;  // relative path, name, link
    };
    const Case cases[] = {
        {"a folder whose name begins with '.' is not entered; a hidden file is converted",
         [](const TempTree& t) {
             t.File(".hidden/h.torrent", TorrentBytes("alpha"));
             t.File("..dots/h.torrent", TorrentBytes("alpha"));
             t.File("visible/.v.torrent", TorrentBytes("beta"));
         },
         {{"visible/.v.torrent", "beta", kBetaLink}}},
        {"the pattern ignores letter case",
         [](const TempTree& t) {
             t.File("x.TORRENT", TorrentBytes("alpha"));
             t.File("y.Torrent", TorrentBytes("beta"));
             t.File("z.torrent.txt", TorrentBytes("gamma"));
         },
         {{"x.TORRENT", "alpha", kAlphaLink}, {"y.Torrent", "beta", kBetaLink}}},
        {"a file that does not load still gets its rows",
         [](const TempTree& t) {
             t.File("bad.torrent", "not a metainfo file");
             t.File("empty.torrent", "");
         },
         {{"bad.torrent", "", kBareLink}, {"empty.torrent", "", kBareLink}}},
        {"a FIFO named x.torrent is not opened",
         [](const TempTree& t) {
             t.Fifo("x.torrent");
             t.File("y.torrent", TorrentBytes("beta"));
         },
         {{"y.torrent", "beta", kBetaLink}}},
        {"symbolic-link loops end; a link to a file is converted",
         [](const TempTree& t) {
             t.File("sub/a.torrent", TorrentBytes("alpha"));
             t.Link("sub/up", "..");
             t.Link("sub/self", ".");
             t.Link("sub/z.torrent", "a.torrent");
         },
         {{"sub/a.torrent", "alpha", kAlphaLink}, {"sub/z.torrent", "alpha", kAlphaLink}}},
        {"a folder reached by a link first is converted there, and only once",
         [](const TempTree& t) {
             t.File("real/g.torrent", TorrentBytes("gamma"));
             t.Link("alias", "real");
         },
         {{"alias/g.torrent", "gamma", kGammaLink}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree caseTree;
        c.make(caseTree);
        FakeEnvironment env;
        ConversionWorkflow caseWorkflow(env);
        env.folderAnswer = caseTree.Root();
        caseWorkflow.OnBatchConversionClick();

        std::vector<Row> expected;
        for (const auto& link : c.links)
            expected.push_back({caseTree.Path(link[0]), link[1], link[2]});
        EXPECT_EQ(env.links, expected);
        ASSERT_EQ(env.files.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(env.files[i][0], expected[i][0]);
    }
}

TEST_F(ConversionWorkflowTest, AFolderGivenWithItsSeparatorGetsNoSecondOne)
{
    tree.File("a.torrent", TorrentBytes("alpha"));
    environment.folderAnswer = tree.Root() + "/";
    workflow.OnBatchConversionClick();
    ASSERT_FALSE(environment.labelHistory.empty());
    EXPECT_EQ(environment.labelHistory[0], "2:正在搜索目录： " + tree.Root() + "/");
    EXPECT_EQ(environment.files, FileRows({"a.torrent"}));
}

TEST_F(ConversionWorkflowTest, AFolderThatCannotBeReadIsShownButYieldsNothing)
{
    tree.File("a.torrent", TorrentBytes("alpha"));
    tree.File("locked/b.torrent", TorrentBytes("beta"));
    tree.File("open/c.torrent", TorrentBytes("gamma"));
    chmod(tree.Path("locked").c_str(), 0);
    environment.folderAnswer = tree.Root();

    const int result = RunWithoutPrivileges([&] {
        workflow.OnBatchConversionClick();
        const std::string root = tree.Root() + "/";
        const std::vector<std::string> labels = {
            "2:正在搜索目录： " + root,
            "3:正在转换BT： " + root + "a.torrent",
            "2:正在转换BT： 结束",
            "3:正在转换BT： 结束",
            "2:正在搜索目录： " + root + "locked/",  // no files, no "结束": it has no entries
            "2:正在搜索目录： " + root + "open/",
            "3:正在转换BT： " + root + "open/c.torrent",
            "2:正在转换BT： 结束",
            "3:正在转换BT： 结束",
        };
        return environment.files == FileRows({"a.torrent", "open/c.torrent"}) &&
               environment.labelHistory == labels && CountingHeap::Outstanding() == 0;
    });
    if (result == 77)
        GTEST_SKIP() << "cannot drop root's privileges here";
    EXPECT_EQ(result, 0);
}

TEST_F(ConversionWorkflowTest, BatchEmptiesTheListsAndWarnsBeforeTheFolderBrowser)
{
    environment.files = {{"old", "", ""}};
    environment.links = {{"old", "name", kAlphaLink}};
    environment.folderAnswer = "";  // cancelled

    workflow.OnBatchConversionClick();

    const std::vector<std::string> calls = {
        "DeleteAllRows 2",
        "DeleteAllRows 1",
        "MessageBox 如果种子较多，或文件夹文件较多，搜索时间可能会减慢。请耐心等待一小会！",
        "BrowseForFolder 请选择BT文件搜在的磁盘或文件夹。软件会自动搜索并转换所有BT文件！",
    };
    EXPECT_EQ(environment.log, calls);
    EXPECT_TRUE(environment.listsEmptyAtMessageBox);
    EXPECT_TRUE(environment.files.empty());
    EXPECT_TRUE(environment.links.empty());
    EXPECT_TRUE(environment.labelHistory.empty());
}

TEST_F(ConversionWorkflowTest, SingleConversionFillsOneRowInEachList)
{
    tree.File("a.torrent", TorrentBytes("alpha"));
    environment.files = {{"old", "", ""}};
    environment.links = {{"old", "name", kBetaLink}};
    environment.fileAnswer = tree.Path("a.torrent");

    workflow.OnSingleConversionClick();

    const std::vector<std::string> calls = {
        "DeleteAllRows 1",
        "DeleteAllRows 2",
        "OpenFileDialog 种子文件(*.torrent)|*.torrent",
        "SetCell 1 column 0 path",
        "SetCell 2 column 0 path",
        "SetCell 2 column 2 text",
        "SetCell 2 column 1 text",
    };
    EXPECT_EQ(environment.log, calls);
    EXPECT_EQ(environment.files, FileRows({"a.torrent"}));
    EXPECT_EQ(environment.links, (std::vector<Row>{{tree.Path("a.torrent"), "alpha", kAlphaLink}}));
    EXPECT_TRUE(environment.labelHistory.empty());  // the labels belong to the batch
}

TEST_F(ConversionWorkflowTest, CancellingTheOpenFileDialogAfterAConversionLeavesBothListsEmpty)
{
    tree.File("a.torrent", TorrentBytes("alpha"));
    environment.fileAnswer = tree.Path("a.torrent");
    workflow.OnSingleConversionClick();
    ASSERT_EQ(environment.links.size(), 1u);

    environment.fileAnswer.reset();
    workflow.OnSingleConversionClick();
    EXPECT_TRUE(environment.files.empty());
    EXPECT_TRUE(environment.links.empty());

    environment.fileAnswer = "";  // confirmed without a path: nothing to convert either
    workflow.OnSingleConversionClick();
    EXPECT_TRUE(environment.links.empty());
}

TEST_F(ConversionWorkflowTest, ASingleConversionAfterABatchReplacesAllRows)
{
    tree.File("a.torrent", TorrentBytes("alpha"));
    tree.File("b.torrent", TorrentBytes("beta"));
    tree.File("sub/c.torrent", TorrentBytes("gamma"));
    environment.folderAnswer = tree.Root();
    workflow.OnBatchConversionClick();
    ASSERT_EQ(environment.links.size(), 3u);

    environment.fileAnswer = tree.Path("sub/c.torrent");
    workflow.OnSingleConversionClick();
    EXPECT_EQ(environment.files, FileRows({"sub/c.torrent"}));
    EXPECT_EQ(environment.links, (std::vector<Row>{{tree.Path("sub/c.torrent"), "gamma", kGammaLink}}));
}

TEST_F(ConversionWorkflowTest, ClosingTheWindowDuringABatchEndsIt)
{
    tree.File("a.torrent", TorrentBytes("alpha"));
    tree.File("b.torrent", TorrentBytes("beta"));
    tree.File("sub/c.torrent", TorrentBytes("gamma"));
    environment.folderAnswer = tree.Root();
    environment.aliveAnswers = 2;  // on entering the folder and after the first file

    workflow.OnBatchConversionClick();

    EXPECT_EQ(environment.files, FileRows({"a.torrent", "b.torrent"}));
    EXPECT_EQ(environment.fileLabel, "正在转换BT： " + tree.Path("b.torrent"));
    EXPECT_EQ(environment.folderLabel, "正在搜索目录： " + tree.Root() + "/");
}

TEST(MagnetLink, IsThePrefixAndTheInfoHashText)
{
    EXPECT_EQ(MagnetLink("cb8556ff088c9ac4130448ec9c9dcf017e864b04"), kAlphaLink);
    EXPECT_EQ(MagnetLink(nullptr), kBareLink);
    EXPECT_EQ(MagnetLink(""), kBareLink);
}

}  // namespace
