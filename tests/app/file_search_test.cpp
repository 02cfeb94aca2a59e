// The file search on real temporary trees: which entries each kind offers, in which order,
// and how a search opens and closes.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/file_search.h"
#include "tests/app/temp_tree.h"

namespace {

std::vector<std::string> AllNames(SearchHandle& search, const std::string& pattern, SearchKind kind)
{
    std::vector<std::string> names;
    for (std::string name = search.FindFirst(pattern, kind); !name.empty(); name = search.FindNext())
        names.push_back(name);
    return names;
}

std::vector<std::string> AllNames(const std::string& pattern, SearchKind kind)
{
    FolderWalk walk;
    SearchHandle search(walk);
    return AllNames(search, pattern, kind);
}

void MakeSocket(const std::string& path)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << path;
    close(fd);
}

TEST(WildcardMatches, CasesOfTheTwoPatternsTheWalkUses)
{
    struct Case {
        const char* wildcard;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*.torrent", "a.torrent", true},
        {"*.torrent", "a.TORRENT", true},
        {"*.torrent", "b.Torrent", true},
        {"*.torrent", ".torrent", true},
        {"*.torrent", "x.torrent.torrent", true},
        {"*.torrent", "a.torrent.part", false},
        {"*.torrent", "atorrent", false},
        {"*.torrent", "a.torrentx", false},
        {"*.torrent", "\xe7\xa7\x8d.torrent", true},  // non-ASCII bytes compare as they are
        {"*.*", "no-dot", true},
        {"*.*", ".", true},
        {"*.*", "a.b", true},
        {"?.T*", "x.torrent", true},
        {"?.T*", "xy.torrent", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WildcardMatches(c.wildcard, c.name), c.matches) << c.wildcard << " vs " << c.name;
}

TEST(NameOrderLess, LettersWithoutCaseThenBytes)
{
    std::vector<std::string> names = {"_x", "b2", "a", "B10", "A", "b", "\xe7\xa7\x8d", "1"};
    std::sort(names.begin(), names.end(), NameOrderLess);
    // Folding is to upper case, so "_" (after "Z") sorts after the letters.
    const std::vector<std::string> expected = {"1", "A", "a", "b", "B10", "b2", "_x", "\xe7\xa7\x8d"};
    EXPECT_EQ(names, expected);
}

TEST(SearchHandle, FilesKindOffersRegularFilesAndLinksToThemInNameOrder)
{
    TempTree tree;
    tree.File("b.torrent", "1");
    tree.File("A.TORRENT", "2");
    tree.File("c.txt", "3");
    tree.File(".hidden.torrent", "4");
    tree.Link("link.torrent", "b.torrent");
    tree.Link("dangling.torrent", "missing");
    tree.Fifo("fifo.torrent");
    MakeSocket(tree.Path("socket.torrent"));
    tree.Folder("folder.torrent");
    tree.Link("folderlink.torrent", "folder.torrent");

    const std::vector<std::string> expected = {".hidden.torrent", "A.TORRENT", "b.torrent", "link.torrent"};
    EXPECT_EQ(AllNames(tree.Path("*.torrent"), SearchKind::Files), expected);
}

TEST(SearchHandle, FoldersKindOffersDotEntriesFirstThenFoldersAndLinksToThem)
{
    TempTree tree;
    tree.Folder("beta");
    tree.Folder("Alpha");
    tree.Folder(".hidden");
    tree.Folder("-dash");  // '-' sorts before '.', yet "." and ".." still come first
    tree.Link("gamma", "beta");
    tree.File("file", "x");
    tree.Fifo("fifo");

    FolderWalk walk;
    SearchHandle search(walk);
    const std::vector<std::string> expected = {".", "..", "-dash", ".hidden", "Alpha", "beta", "gamma"};
    EXPECT_EQ(AllNames(search, tree.Path("*.*"), SearchKind::Folders), expected);
}

TEST(SearchHandle, AFolderEnteredInTheWalkIsNotOfferedAgain)
{
    TempTree tree;
    tree.Folder("real/inner");
    tree.Link("real/loop", "..");  // back to the root
    tree.Link("a-link", "real");   // listed before "real": the same folder under two names

    FolderWalk walk;
    SearchHandle root(walk);
    EXPECT_EQ(root.FindFirst(tree.Path("*.*"), SearchKind::Folders), ".");  // enters the root
    EXPECT_EQ(root.FindNext(), "..");
    EXPECT_EQ(root.FindNext(), "a-link");
    {
        SearchHandle inside(walk);  // entering "a-link" enters "real"
        EXPECT_EQ(AllNames(inside, tree.Path("a-link/*.*"), SearchKind::Folders),
                  (std::vector<std::string>{".", "..", "inner"}));  // "loop" is the root
    }
    EXPECT_EQ(root.FindNext(), "");  // "real" was entered since the listing was read
    EXPECT_FALSE(root.IsOpen());
}

TEST(SearchHandle, OpensClosesAndRestarts)
{
    TempTree tree;
    tree.File("a.torrent", "");
    tree.File("b.torrent", "");
    tree.Folder("sub");

    FolderWalk walk;
    SearchHandle search(walk);
    EXPECT_FALSE(search.IsOpen());
    EXPECT_EQ(search.FindNext(), "");  // nothing open
    EXPECT_EQ(search.FindFirst(tree.Path("*.torrent"), SearchKind::Files), "a.torrent");
    EXPECT_TRUE(search.IsOpen());
    // A new search in the same handle replaces the open one.
    EXPECT_EQ(search.FindFirst(tree.Path("*.*"), SearchKind::Folders), ".");
    EXPECT_EQ(search.FindNext(), "..");
    EXPECT_EQ(search.FindNext(), "sub");
    EXPECT_EQ(search.FindNext(), "");  // ran out: closed itself
    EXPECT_FALSE(search.IsOpen());
    search.Close();  // closing a closed search does nothing
    EXPECT_EQ(search.FindNext(), "");
    EXPECT_EQ(search.FindFirst(tree.Path("*.torrent"), SearchKind::Files), "a.torrent");
    search.Close();
    EXPECT_EQ(search.FindNext(), "");
}

TEST(SearchHandle, AFolderThatCannotBeReadYieldsNoEntries)
{
    TempTree tree;
    tree.File("open/a.torrent", "");
    tree.File("locked/b.torrent", "");
    chmod(tree.Path("locked").c_str(), 0);

    EXPECT_EQ(AllNames(tree.Path("missing/*.torrent"), SearchKind::Files).size(), 0u);
    EXPECT_EQ(AllNames(tree.Path("open/a.torrent/*.*"), SearchKind::Folders).size(), 0u);  // a file
    const int result = RunWithoutPrivileges([&] {
        FolderWalk walk;
        SearchHandle search(walk);
        const bool readsOpen = search.FindFirst(tree.Path("open/*.torrent"), SearchKind::Files) == "a.torrent";
        const bool locked = search.FindFirst(tree.Path("locked/*.torrent"), SearchKind::Files).empty() &&
                            !search.IsOpen() &&
                            search.FindFirst(tree.Path("locked/*.*"), SearchKind::Folders).empty();
        return readsOpen && locked;
    });
    if (result == 77)
        GTEST_SKIP() << "cannot drop root's privileges here";
    EXPECT_EQ(result, 0);
}

}  // namespace
