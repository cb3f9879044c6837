// Loading files into a pane's text: the codes chosen, the converted bytes and
// the display lines, on files the tests write.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/TextConv.h"
#include "main/TempDir.h"
#include "viewer/ViewerText.h"

namespace zq::viewer {
namespace {

using Lines = std::vector<std::pair<std::int64_t, std::int64_t>>;

struct Snapshot {
    std::string text;
    Lines lines;
};

FileEntry EntryOf(const std::wstring& path) {
    FileEntry entry{};
    HANDLE find = ::FindFirstFileW(path.c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
    return entry;
}

bool WaitLoaded(const ViewerText& text) {
    for (int i = 0; i < 30000 && !text.LoaderFinished(); ++i) ::Sleep(1);
    return text.LoaderFinished();
}

Snapshot Take(ViewerText& text) {
    Snapshot s;
    TextLock lock(text);
    if (!lock) return s;
    s.text.assign(text.Text(), static_cast<size_t>(text.TextLength()));
    for (std::int32_t i = 0; i < text.LineCount(); ++i) s.lines.emplace_back(text.LineStart(i), text.LineEnd(i));
    return s;
}

// The display lines of a whole text, walked the plain way, one character at a time.
Lines ReferenceLines(const std::string& t, int tab, int columns) {
    Lines lines;
    size_t start = 0, p = 0;
    int column = 0;
    auto close = [&](size_t end) {
        lines.emplace_back(start, end);
        start = p = end;
        column = 0;
    };
    while (p < t.size()) {
        const auto b = static_cast<unsigned char>(t[p]);
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        if (b == '\n') {
            close(p + 1);
        } else if (b == '\r') {
            close(p + 1 < t.size() && t[p + 1] == '\n' ? p + 2 : p + 1);
        } else if (lead && column == columns - 1) {
            close(p);
        } else {
            column = b == '\t' ? (column / tab + 1) * tab : column + (lead ? 2 : 1);
            p = std::min(p + (lead ? 2 : 1), t.size());
            if (column >= columns) close(p);
        }
    }
    if (start < t.size() || lines.empty()) lines.emplace_back(start, t.size());
    return lines;
}

class ViewerTextTest : public ::testing::Test {
  protected:
    // Loads bytes from a file (or from memory) and waits for the loader.
    Snapshot Load(const std::string& bytes, ViewerCharCode request, bool fromMemory = false, int columns = 80,
                  int tab = 8) {
        const std::wstring path = m_dir.WriteFile(L"t.txt", bytes);
        const ViewerOpenSettings settings{tab, columns, request, nullptr};
        bool opened;
        if (fromMemory) {
            HLOCAL block = ::LocalAlloc(LMEM_MOVEABLE, bytes.size() + 1);
            std::copy(bytes.begin(), bytes.end(), static_cast<char*>(::LocalLock(block)));
            ::LocalUnlock(block);
            opened = m_text.OpenMemory(EntryOf(path), m_dir.Path(), block, static_cast<std::int64_t>(bytes.size()),
                                       settings);
        } else {
            opened = m_text.Open(EntryOf(path), m_dir.Path(), settings);
        }
        EXPECT_TRUE(opened);
        EXPECT_TRUE(WaitLoaded(m_text));
        return Take(m_text);
    }

    test::TempDir m_dir;
    ViewerText m_text{0};
};

TEST_F(ViewerTextTest, SmallFilesGiveTheirCodesTextAndLines) {
    const std::string x80(80, 'x'), x79(79, 'x');
    struct Case {
        const char* what;
        std::string bytes;
        ViewerCharCode request;
        ViewerCharCode effective, detected;
        std::string text;
        Lines lines;
        int columns = 80;
    } cases[] = {
        {"empty file", "", kCharCodeAuto, kCharCodeSjis, kCharCodeSjis, "", {{0, 0}}},
        {"trailing LF", "ab\n", kCharCodeSjis, kCharCodeSjis, kCharCodeSjis, "ab\n", {{0, 3}}},
        {"only FF FE", "\xFF\xFE", kCharCodeAuto, kCharCodeSjis, kCharCodeSjis, "\xFF\xFE", {{0, 2}}},
        {"only EF BB BF", "\xEF\xBB\xBF", kCharCodeAuto, kCharCodeSjis, kCharCodeSjis, "\xEF\xBB\xBF", {{0, 3}}},
        {"auto, UTF-8 mark",
         "\xEF\xBB\xBF"
         "a\xE3\x81\x82",
         kCharCodeAuto,
         kCharCodeUtf8,
         kCharCodeUtf8,
         "a\x82\xA0",
         {{0, 3}}},
        {"auto, no mark", "a\x82\xA0", kCharCodeAuto, kCharCodeSjis, kCharCodeSjis, "a\x82\xA0", {{0, 3}}},
        {"SJIS forced on a UTF-8 mark",
         "\xEF\xBB\xBFz",
         kCharCodeSjis,
         kCharCodeSjis,
         kCharCodeUtf8,
         "\xEF\xBB\xBFz",
         {{0, 4}}},
        {"auto, UTF-16 mark",
         std::string("\xFF\xFE"
                     "a\0\x42\x30",
                     6),
         kCharCodeAuto,
         kCharCodeUnicode,
         kCharCodeUnicode,
         "a\x82\xA0",
         {{0, 3}}},
        {"CR LF", "ab\r\ncd", kCharCodeSjis, kCharCodeSjis, kCharCodeSjis, "ab\r\ncd", {{0, 4}, {4, 6}}},
        {"lone CR", "a\rb", kCharCodeSjis, kCharCodeSjis, kCharCodeSjis, "a\rb", {{0, 2}, {2, 3}}},
        {"exactly 80 columns",
         x80 + "\n",
         kCharCodeSjis,
         kCharCodeSjis,
         kCharCodeSjis,
         x80 + "\n",
         {{0, 80}, {80, 81}}},
        {"two-byte char at column 79",
         x79 + "\x82\xA0",
         kCharCodeSjis,
         kCharCodeSjis,
         kCharCodeSjis,
         x79 + "\x82\xA0",
         {{0, 79}, {79, 81}}},
        {"TAB at column 0 reaches 8", "\txy", kCharCodeSjis, kCharCodeSjis, kCharCodeSjis, "\txy", {{0, 2}, {2, 3}}, 9},
        {"JIS ASCII, kanji, ASCII",
         "ab\x1B$B\x30\x21\x24\x22\x1B(Bcd",
         kCharCodeJis,
         kCharCodeJis,
         kCharCodeSjis,
         "ab\x88\x9F\x82\xA0"
         "cd",
         {{0, 8}}},
        {"JIS unknown escape drops text",
         "a\x1B$@\x30\x21\x1B(Jb",
         kCharCodeJis,
         kCharCodeJis,
         kCharCodeSjis,
         "ab",
         {{0, 2}}},
        {"EUC pair and half-width kana",
         "\xA4\xA2\xA5\xA2\x8E\xB1z",
         kCharCodeEuc,
         kCharCodeEuc,
         kCharCodeSjis,
         "\x82\xA0\x83\x41\xB1z",
         {{0, 6}}},
    };
    for (bool fromMemory : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (fromMemory ? " (memory)" : " (file)"));
            const Snapshot s = Load(c.bytes, c.request, fromMemory, c.columns);
            EXPECT_EQ(m_text.EffectiveCode(), c.effective);
            EXPECT_EQ(m_text.DetectedCode(), c.detected);
            EXPECT_EQ(s.text, c.text);
            EXPECT_EQ(s.lines, c.lines);
        }
    }
}

TEST_F(ViewerTextTest, CharactersCutByTheBlockBoundaryStayWhole) {
    // Each text puts a character across offset 65536 of the file.
    const std::string lines = [] {
        std::string t;
        while (t.size() < 65000) t += std::string(70, 'q') + "\r\n";
        return t;
    }();
    const std::string pad = lines + std::string(65535 - lines.size(), 'p');
    struct Case {
        const char* what;
        ViewerCharCode code;
        std::string bytes, text;
    } cases[] = {
        {"UTF-8", kCharCodeUtf8,
         pad.substr(0, 65534) +
             "\xE3\x81\x82"
             "\nz" +
             lines,
         pad.substr(0, 65534) + "\x82\xA0\nz" + lines},
        {"EUC", kCharCodeEuc, pad + "\xA4\xA2z", pad + "\x82\xA0z"},
        {"EUC single shift", kCharCodeEuc, pad + "\x8E\xB1z", pad + "\xB1z"},
        {"JIS", kCharCodeJis, pad.substr(0, 65532) + "\x1B$B\x30\x21\x1B(Bz", pad.substr(0, 65532) + "\x88\x9Fz"},
    };
    for (bool fromMemory : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (fromMemory ? " (memory)" : " (file)"));
            const Snapshot s = Load(c.bytes, c.code, fromMemory);
            EXPECT_EQ(s.text.size(), c.text.size());
            EXPECT_TRUE(s.text == c.text);
            EXPECT_EQ(s.lines, ReferenceLines(c.text, 8, 80));
        }
    }
}

// Some megabytes of mixed text: long and short lines, tabs, two-byte characters, CR LF.
std::string MixedText(size_t bytes) {
    std::string t;
    unsigned seed = 12345;
    while (t.size() < bytes) {
        seed = seed * 1103515245 + 12345;
        const unsigned r = (seed >> 16) % 9;
        if (r < 3)
            t += std::string(1 + (seed >> 8) % 150, static_cast<char>('a' + r));
        else if (r < 5)
            t += "\x93\xFA\x96\x7B\x8C\xEA";
        else if (r == 5)
            t += '\t';
        else
            t += r == 6 ? "\r\n" : (r == 7 ? "\n" : " ");
    }
    return t;
}

TEST_F(ViewerTextTest, ThreadLoadsAMultiMegabyteFileAsOneWalkWould) {
    const std::string text = MixedText(6 << 20);
    for (bool fromMemory : {false, true}) {
        SCOPED_TRACE(fromMemory ? "memory" : "file");
        const Snapshot s = Load(text, kCharCodeSjis, fromMemory, 72, 4);
        EXPECT_TRUE(s.text == text);
        EXPECT_EQ(s.lines, ReferenceLines(text, 4, 72));
    }
    // The same text as UTF-8 goes through the cut-and-seek-back path.
    const std::string utf8 = ToUtf8(ToWide(text));
    const Snapshot s = Load("\xEF\xBB\xBF" + utf8, kCharCodeAuto);
    EXPECT_TRUE(s.text == text);
    EXPECT_EQ(s.lines, ReferenceLines(text, 8, 80));
}

TEST_F(ViewerTextTest, ReindexUsesTheTextInMemoryAndKeepsTheCodes) {
    const std::string text = MixedText(1 << 20);
    Load("\xEF\xBB\xBF" + ToUtf8(ToWide(text)), kCharCodeAuto);
    ::DeleteFileW((m_dir / L"t.txt").c_str());  // a re-index must not need the file
    struct Case {
        int tab, columns, wantTab, wantColumns;
    } cases[] = {{4, 40, 4, 40}, {0, 132, 4, 132}, {8, 0, 8, 132}};
    for (const Case& c : cases) {
        ASSERT_TRUE(m_text.Reindex(c.tab, c.columns));
        ASSERT_TRUE(WaitLoaded(m_text));
        const Snapshot s = Take(m_text);
        EXPECT_EQ(m_text.EffectiveCode(), kCharCodeUtf8);
        EXPECT_EQ(m_text.DetectedCode(), kCharCodeUtf8);
        EXPECT_TRUE(s.text == text);
        EXPECT_EQ(s.lines, ReferenceLines(text, c.wantTab, c.wantColumns));
    }
}

TEST_F(ViewerTextTest, StoppingALoadMidwayLeavesNothingBehindOrReadsAgain) {
    const std::string text = MixedText(24 << 20);
    const std::wstring path = m_dir.WriteFile(L"big.txt", text);
    const ViewerOpenSettings settings{8, 80, kCharCodeSjis, nullptr};
    ASSERT_TRUE(m_text.Open(EntryOf(path), m_dir.Path(), settings));
    m_text.Close();
    EXPECT_TRUE(m_text.LoaderFinished());
    EXPECT_FALSE(m_text.TextAvailable());
    EXPECT_EQ(m_text.LineCount(), 0);
    EXPECT_TRUE(m_text.ViewedPath().empty());
    // A re-index while loading reads the file again rather than keep a part of it.
    ASSERT_TRUE(m_text.Open(EntryOf(path), m_dir.Path(), settings));
    ASSERT_TRUE(m_text.Reindex(4, 72));
    ASSERT_TRUE(WaitLoaded(m_text));
    const Snapshot s = Take(m_text);
    EXPECT_TRUE(s.text == text);
    EXPECT_EQ(s.lines.size(), ReferenceLines(text, 4, 72).size());
}

TEST_F(ViewerTextTest, ReloadKeepsThePositionOnceTheLinesAreBack) {
    const std::string text = MixedText(4 << 20);
    Load(text, kCharCodeSjis);
    m_text.SetTopLine(50000);
    ASSERT_TRUE(m_text.BeginReload({8, 80, kCharCodeSjis, nullptr}));
    EXPECT_EQ(m_text.TopLine(), 0);
    while (!m_text.ReloadSettled()) ::Sleep(1);
    EXPECT_TRUE(m_text.LineCount() > 50000 || m_text.LoaderFinished());
    m_text.FinishReload();
    EXPECT_EQ(m_text.TopLine(), 50000);
}

class FakeVirtualDrive : public VirtualDriveTranslator {
  public:
    explicit FakeVirtualDrive(std::wstring real) : m_real(std::move(real)) {}
    bool IsVirtual(const std::wstring& d) const override { return d.rfind(L"V:", 0) == 0; }
    bool ToRealPath(const std::wstring& d, std::wstring& real) const override {
        if (d != L"V:\\docs") return false;
        real = m_real;
        return true;
    }

  private:
    std::wstring m_real;
};

TEST_F(ViewerTextTest, OpenFailsWithoutTextForMissingFilesAndFailedTranslations) {
    const std::wstring path = m_dir.WriteFile(L"v.txt", "virtual");
    const FakeVirtualDrive drive(m_dir.Path());
    m_text.SetVirtualDriveTranslator(&drive);
    const ViewerOpenSettings settings{8, 80, kCharCodeSjis, nullptr};
    ASSERT_TRUE(m_text.Open(EntryOf(path), L"V:\\docs", settings));
    EXPECT_EQ(m_text.ViewedPath(), L"V:\\docs\\v.txt");
    EXPECT_EQ(Take(m_text).text, "virtual");
    struct Case {
        const wchar_t* directory;
        const wchar_t* name;
    } cases[] = {{L"V:\\elsewhere", L"v.txt"}, {m_dir.Path().c_str(), L"missing.txt"}};
    for (const Case& c : cases) {
        FileEntry entry = EntryOf(path);
        ::wcscpy(entry.cFileName, c.name);
        EXPECT_FALSE(m_text.Open(entry, c.directory, settings));
        EXPECT_FALSE(m_text.TextAvailable());
        EXPECT_EQ(m_text.CapacityTarget(), 0);
    }
}

}  // namespace
}  // namespace zq::viewer
