// The search engine on files made in temporary folders: the five codes,
// the window border, the walk with its conditions, and what it passes over.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/TextConv.h"
#include "filer/FilerPane.h"
#include "filer/SelectionSnapshot.h"
#include "main/TempDir.h"
#include "search/ContentMatcher.h"
#include "search/FindWalker.h"
#include "search/SearchResultSource.h"

namespace zq {
namespace {

const std::wstring kWord = L"検索ワード";

// The word's bytes as another program writes them (JIS without its escapes).
struct CodeCase {
    FindCharCode code;
    std::string bytes;
};
const CodeCase kCodes[] = {
    {kFindSjis, "\x8c\x9f\x8d\xf5\x83\x8f\x81\x5b\x83\x68"},
    {kFindEuc, "\xb8\xa1\xba\xf7\xa5\xef\xa1\xbc\xa5\xc9"},
    {kFindUnicode, std::string("\x1c\x69\x22\x7d\xef\x30\xfc\x30\xc9\x30", 10)},
    {kFindJis, "\x38\x21\x3a\x77\x25\x6f\x21\x3c\x25\x49"},
    {kFindUtf8, "\xe6\xa4\x9c\xe7\xb4\xa2\xe3\x83\xaf\xe3\x83\xbc\xe3\x83\x89"},
};

FindCharCodes Only(FindCharCode code) {
    FindCharCodes codes{};
    codes[static_cast<size_t>(code)] = true;
    return codes;
}

ContentResult SearchFile(const std::wstring& path, const FindCharCodes& codes,
                         size_t window = ContentMatcher::kWindow) {
    Win32FileSystem fs;
    ContentMatcher matcher(BuildPatternSet(kWord, codes), window);
    return matcher.Search(fs, path, nullptr);
}

TEST(FindPatterns, EachCodeGivesTheBytesOtherProgramsWrite) {
    for (const CodeCase& c : kCodes) EXPECT_EQ(EncodeForSearch(kWord, c.code), c.bytes) << "code " << c.code;
    EXPECT_TRUE(BuildPatternSet(L"", FindCharCodes{true, true, true, true, true}).Empty());
}

TEST(ContentMatcher, FindsTheWordOnlyInTheEnabledCode) {
    test::TempDir dir;
    for (const CodeCase& written : kCodes) {
        const std::wstring path = dir.WriteFile(L"f.txt", "head " + written.bytes + " tail");
        for (const CodeCase& asked : kCodes) {
            const ContentResult expected = written.code == asked.code ? ContentResult::Found : ContentResult::NotFound;
            EXPECT_EQ(SearchFile(path, Only(asked.code)), expected)
                << "written in " << written.code << ", looked for in " << asked.code;
        }
    }
}

TEST(ContentMatcher, FindsAMatchAtEveryPlaceAcrossWindowBorders) {
    test::TempDir dir;
    const std::string word = kCodes[0].bytes;
    // A small window puts a border under every offset of the word somewhere in the file.
    for (size_t at = 0; at + word.size() <= 70; ++at) {
        std::string bytes(70, 'x');
        bytes.replace(at, word.size(), word);
        const std::wstring path = dir.WriteFile(L"w.bin", bytes);
        EXPECT_EQ(SearchFile(path, Only(kFindSjis), 24), ContentResult::Found) << "at " << at;
    }
    // The real window, with the word split 3 / 7 over its first border.
    std::string big(ContentMatcher::kWindow + 10000, 'y');
    big.replace(ContentMatcher::kWindow - 3, word.size(), word);
    EXPECT_EQ(SearchFile(dir.WriteFile(L"big.bin", big), Only(kFindSjis)), ContentResult::Found);
    big.replace(ContentMatcher::kWindow - 3, word.size(), std::string(word.size(), 'y'));
    EXPECT_EQ(SearchFile(dir.WriteFile(L"big.bin", big), Only(kFindSjis)), ContentResult::NotFound);
}

TEST(ContentMatcher, AgreesWithAPlainSearchOnCrowdedText) {
    // Three letters make partial matches and shared pairs everywhere, where a
    // shift one too long would skip a start.
    uint32_t seed = 7;
    const auto next = [&seed](uint32_t below) {
        seed = seed * 1103515245 + 12345;
        return (seed >> 16) % below;
    };
    const auto letters = [&next](size_t count) {
        std::string text;
        for (size_t i = 0; i < count; ++i) text += static_cast<char>('a' + next(3));
        return text;
    };
    for (int trial = 0; trial < 3000; ++trial) {
        FindPatternSet set;
        for (uint32_t n = 1 + next(5); n > 0; --n) set.patterns.push_back(letters(1 + next(7)));
        const std::string text = letters(next(60));
        bool expected = false;
        for (const std::string& pattern : set.patterns) expected |= text.find(pattern) != std::string::npos;
        const ContentMatcher matcher(set);
        EXPECT_EQ(matcher.Contains(text.data(), text.size()), expected) << "trial " << trial << " text " << text;
    }
}

// A share that hands out a file in short pieces: each read is short of what
// was asked although the end is still far.
class ShortReadFileSystem final : public Win32FileSystem {
  public:
    bool Read(HANDLE file, void* buffer, DWORD bytes, DWORD* read) override {
        return Win32FileSystem::Read(file, buffer, std::min<DWORD>(bytes, 1000), read);
    }
};

TEST(ContentMatcher, ReadsToTheEndWhateverTheListingSaid) {
    test::TempDir dir;
    std::string bytes(5000, 'x');
    bytes += kCodes[0].bytes;
    const std::wstring path = dir.WriteFile(L"tail.txt", bytes);
    ContentMatcher matcher(BuildPatternSet(kWord, Only(kFindSjis)));
    ShortReadFileSystem pieces;
    EXPECT_EQ(matcher.Search(pieces, path, nullptr, nullptr, bytes.size()), ContentResult::Found);
    // Grown since it was listed: the word lies past the listed size.
    Win32FileSystem fs;
    EXPECT_EQ(matcher.Search(fs, path, nullptr, nullptr, 100), ContentResult::Found);
    EXPECT_EQ(matcher.Search(pieces, path, nullptr, nullptr, 100), ContentResult::Found);
}

// A directory that is gone by the time the walk reaches it.
class VanishingFileSystem final : public Win32FileSystem {
  public:
    HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW* data) override {
        if (pattern.find(L"\\gone\\") != std::wstring::npos) {
            ::SetLastError(ERROR_PATH_NOT_FOUND);
            return INVALID_HANDLE_VALUE;
        }
        return Win32FileSystem::FindFirst(pattern, data);
    }
};

struct Walk {
    std::vector<std::wstring> found;  // directory\name, in delivery order
    std::vector<FindProblem> problems;
};

Walk RunWalk(const FindRequest& request) {
    VanishingFileSystem fs;
    FindWalker walker(fs, request);
    Walk walk;
    std::atomic<bool> stop{false};
    walker.Run(
        [&](const structFindThreadInfo& hit) { walk.found.push_back(JoinPath(hit.directory, hit.find.cFileName)); },
        stop);
    walk.problems = walker.Problems();
    return walk;
}

class FindWalkerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir.WriteFile(L"a.txt", "plain");
        m_dir.WriteFile(L"sub\\b.txt", "has " + kCodes[0].bytes);
        m_dir.WriteFile(L"sub\\deep\\c.log", "has " + kCodes[0].bytes);
        m_dir.WriteFile(L"gone\\d.txt", "has " + kCodes[0].bytes);
        m_dir.MakeDir(L"x.txt");  // a directory whose name matches *.txt
        m_request.directory = m_dir.Path();
        m_request.nameCondition = L"*.*";
    }
    std::wstring At(const std::wstring& name) const { return m_dir / name; }
    test::TempDir m_dir;
    FindRequest m_request;
};

TEST_F(FindWalkerTest, NameConditionsAndAttributeMask) {
    m_request.nameCondition = L"*.txt";
    Walk walk = RunWalk(m_request);
    std::sort(walk.found.begin(), walk.found.end());
    EXPECT_EQ(walk.found, (std::vector<std::wstring>{At(L"a.txt"), At(L"sub\\b.txt"), At(L"x.txt")}));
    // Without the directory bit the matching directory is left out.
    m_request.conditions.attributeMask &= ~static_cast<uint32_t>(FILE_ATTRIBUTE_DIRECTORY);
    walk = RunWalk(m_request);
    std::sort(walk.found.begin(), walk.found.end());
    EXPECT_EQ(walk.found, (std::vector<std::wstring>{At(L"a.txt"), At(L"sub\\b.txt")}));
    m_request.conditions.minimumSize = 6;
    EXPECT_EQ(RunWalk(m_request).found, std::vector<std::wstring>{At(L"sub\\b.txt")});
}

TEST_F(FindWalkerTest, ContentSearchGoesDepthFirstAndPassesOverWhatItCannotRead) {
    m_request.searchText = kWord;
    const std::wstring locked = m_dir.WriteFile(L"sub\\locked.txt", "has " + kCodes[0].bytes);
    // Held open without sharing: the walk cannot read it.
    UniqueFile hold(::CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(hold.Valid());
    const Walk walk = RunWalk(m_request);
    // A directory's own matches come before those of its subdirectories.
    EXPECT_EQ(walk.found, (std::vector<std::wstring>{At(L"sub\\b.txt"), At(L"sub\\deep\\c.log")}));
    ASSERT_EQ(walk.problems.size(), 2u);
    std::vector<std::wstring> paths{walk.problems[0].path, walk.problems[1].path};
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::wstring>{At(L"gone"), locked}));

    m_request.directory = At(L"nowhere");
    const Walk missing = RunWalk(m_request);
    EXPECT_TRUE(missing.found.empty());
    ASSERT_EQ(missing.problems.size(), 1u);
    EXPECT_EQ(missing.problems[0].kind, FindProblem::Kind::MissingDirectory);
}

// The whole search root is removed while the walk is inside it: the read of
// the first file's content takes the tree away under the walk.  The root
// itself may stay, held by the walk's open listing, as when another program
// removes a tree that is being searched.
class RootRemovingFileSystem final : public Win32FileSystem {
  public:
    explicit RootRemovingFileSystem(std::wstring root) : m_root(std::move(root)) {}
    HANDLE Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) override {
        if (!m_removed) {
            m_removed = true;
            (void)test::RemoveTree(m_root);
        }
        return Win32FileSystem::Open(path, access, share, disposition, flags);
    }
    bool m_removed = false;

  private:
    std::wstring m_root;
};

TEST_F(FindWalkerTest, ARootThatVanishesMidWalkEndsTheWalkWithEveryLossNoted) {
    m_request.searchText = kWord;
    RootRemovingFileSystem fs(m_dir.Path());
    FindWalker walker(fs, m_request);
    FindProgress progress;
    std::atomic<bool> stop{false};
    std::vector<std::wstring> found;
    EXPECT_TRUE(
        walker.Run([&](const structFindThreadInfo& hit) { found.emplace_back(hit.find.cFileName); }, stop, &progress));
    ASSERT_TRUE(fs.m_removed);
    ASSERT_EQ(::GetFileAttributesW(At(L"sub").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(found.empty());
    // Every file it could not read and every directory it could not list is
    // noted below the root, and the count the dialog shows agrees.
    ASSERT_FALSE(walker.Problems().empty());
    EXPECT_EQ(progress.problems.load(), static_cast<uint32_t>(walker.Problems().size()));
    for (const FindProblem& p : walker.Problems()) EXPECT_EQ(p.path.rfind(m_dir.Path(), 0), 0u) << ToUtf8(p.path);
    EXPECT_EQ(walker.Problems().front().kind, FindProblem::Kind::UnreadableFile);
}

TEST(SearchResultSource, EachResultIsHandedOutWithItsOwnDirectory) {
    test::TempDir dir;
    SearchResults results;
    results.Begin(dir.Path());
    for (const wchar_t* folder : {L"one", L"two", L"three"}) {
        structFindThreadInfo hit{};
        const std::wstring path = dir.WriteFile(std::wstring(folder) + L"\\same.txt", "x");
        WIN32_FIND_DATAW data{};
        ::FindClose(::FindFirstFileW(path.c_str(), &data));
        hit.find = data;
        wcscpy(hit.directory, (dir / folder).c_str());
        results.Add(hit);
    }
    ::DeleteFileW((dir / L"three\\same.txt").c_str());  // gone since it was found

    SearchResultSource source(results);
    FilerPane pane;
    pane.SetListingSource(&source);
    pane.ChangeDirectory(kSearchResultLocation, false, nullptr);
    ASSERT_EQ(pane.Count(), 2);  // no "." and "..", no result whose file is gone
    pane.ApplyMarkKind(kMarkAllFiles);
    SelectionSnapshot selection;
    ASSERT_EQ(TakeSelection(pane, 0, selection), SelectionStatus::Ok);
    std::vector<std::wstring> directories{selection.DirectoryOf(0), selection.DirectoryOf(1)};
    std::sort(directories.begin(), directories.end());
    EXPECT_EQ(directories, (std::vector<std::wstring>{dir / L"one", dir / L"two"}));
    EXPECT_EQ(source.Up(kSearchResultLocation).path, dir.Path());
}

}  // namespace
}  // namespace zq
