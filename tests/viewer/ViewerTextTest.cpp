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
        // Auto goes by the mark only: short texts of other codes without one stay as their bytes.
        {"auto, UTF-8 「ちわ\\」 without a mark",
         "\xE3\x80\x8C\xE3\x81\xA1\xE3\x82\x8F\x5C\xE3\x80\x8D",
         kCharCodeAuto,
         kCharCodeSjis,
         kCharCodeSjis,
         "\xE3\x80\x8C\xE3\x81\xA1\xE3\x82\x8F\x5C\xE3\x80\x8D",
         {{0, 13}}},
        {"auto, half-width katakana",
         "\xB1\xB2\xB3\xB4\xB5",
         kCharCodeAuto,
         kCharCodeSjis,
         kCharCodeSjis,
         "\xB1\xB2\xB3\xB4\xB5",
         {{0, 5}}},
        {"auto, 10 bytes of EUC",
         "\xA4\xB3\xA4\xF3\xA4\xCB\xA4\xC1\xA4\xCF",
         kCharCodeAuto,
         kCharCodeSjis,
         kCharCodeSjis,
         "\xA4\xB3\xA4\xF3\xA4\xCB\xA4\xC1\xA4\xCF",
         {{0, 10}}},
        {"forced EUC, the same 10 bytes",
         "\xA4\xB3\xA4\xF3\xA4\xCB\xA4\xC1\xA4\xCF",
         kCharCodeEuc,
         kCharCodeEuc,
         kCharCodeSjis,
         "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD",
         {{0, 8}, {8, 10}},
         8},
        // Broken escapes: one cut by the text end, one started again inside
        // another, a pair cut by an escape.
        {"JIS escape at the end", "ab\x1B", kCharCodeJis, kCharCodeJis, kCharCodeSjis, "ab", {{0, 2}}},
        {"JIS escape inside an escape",
         "\x1B(\x1B$B\x30\x21",
         kCharCodeJis,
         kCharCodeJis,
         kCharCodeSjis,
         "\x88\x9F",
         {{0, 2}}},
        {"JIS pair cut by an escape", "\x1B$B\x30\x1B(Bz", kCharCodeJis, kCharCodeJis, kCharCodeSjis, "z", {{0, 1}}},
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
    const auto utf16 = [](const std::string& ascii) {
        const std::wstring wide = ToWide(ascii);
        return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    };
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
        // A surrogate pair in units 32767 and 32768: one character, as the whole text converts it.
        {"UTF-16 pair", kCharCodeUnicode, utf16(pad.substr(0, 32767)) + "\x42\xD8\xB7\xDF" + utf16("z"),
         ToNarrow(ToWide(pad.substr(0, 32767)) + L"\xD842\xDFB7z")},
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

TEST_F(ViewerTextTest, AUtf8LineLongerThanABlockKeepsEveryCharacterWhole) {
    // 「日本語」 is three bytes a character: the 64 KiB block's end falls
    // inside one, once from the file and once from memory (a member).
    std::string text;
    while (text.size() < (200u << 10)) text += "\x93\xFA\x96\x7B\x8C\xEA";
    const std::string utf8 = ToUtf8(ToWide(text));
    for (bool fromMemory : {false, true}) {
        SCOPED_TRACE(fromMemory ? "memory" : "file");
        const Snapshot s = Load(utf8, kCharCodeUtf8, fromMemory, 80, 8);
        EXPECT_TRUE(s.text == text) << s.text.find('?');
    }
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

// Files that change, are locked or hold no text: the load ends, keeps what
// it read, and every line it indexed ends where the text ends.
TEST_F(ViewerTextTest, BadInputEndsTheLoadWithWhatCame) {
    const ViewerOpenSettings settings{8, 80, kCharCodeSjis, nullptr};
    auto endsAtTextEnd = [](const Snapshot& s) {
        return !s.lines.empty() && s.lines.back().second == std::int64_t(s.text.size());
    };
    {
        SCOPED_TRACE("shrinks while loading");
        const std::string text = MixedText(64 << 20);
        const std::wstring path = m_dir.WriteFile(L"shrink.txt", text);
        ASSERT_TRUE(m_text.Open(EntryOf(path), m_dir.Path(), settings));
        HANDLE writer = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
        LARGE_INTEGER cut{};
        cut.QuadPart = 1 << 20;
        ASSERT_TRUE(::SetFilePointerEx(writer, cut, nullptr, FILE_BEGIN) && ::SetEndOfFile(writer));
        ::CloseHandle(writer);
        ASSERT_TRUE(WaitLoaded(m_text));
        const Snapshot s = Take(m_text);
        EXPECT_LT(s.text.size(), text.size());
        EXPECT_TRUE(text.compare(0, s.text.size(), s.text) == 0);
        EXPECT_TRUE(endsAtTextEnd(s));
        m_text.Close();
    }
    {
        SCOPED_TRACE("locked by another opener");
        const std::wstring path = m_dir.WriteFile(L"locked.txt", "locked");
        HANDLE owner = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_FALSE(m_text.Open(EntryOf(path), m_dir.Path(), settings));
        EXPECT_FALSE(m_text.TextAvailable());
        ::CloseHandle(owner);
    }
    {
        SCOPED_TRACE("binary, NUL bytes and no line break");
        std::string binary(3 << 20, '\0');
        unsigned seed = 99;
        for (size_t i = 0; i < binary.size(); i += 3) {
            seed = seed * 1103515245 + 12345;
            const auto b = static_cast<char>(seed >> 24);
            binary[i] = b == '\n' || b == '\r' ? 'x' : b;
        }
        for (ViewerCharCode code : {kCharCodeSjis, kCharCodeUtf8, kCharCodeUnicode, kCharCodeEuc, kCharCodeJis}) {
            SCOPED_TRACE(code);
            const Snapshot s = Load(binary, code);
            EXPECT_TRUE(endsAtTextEnd(s));
            if (code == kCharCodeSjis) {
                EXPECT_EQ(s.lines, ReferenceLines(binary, 8, 80));
            }
        }
    }
    {
        SCOPED_TRACE("invalid UTF-8 and unpaired surrogates");
        const Snapshot utf8 = Load("a\xC0z\xE3\x81\n\xF8\x88\x80\x80\x80\xED\xA0\x80\xE3\x81\x82", kCharCodeUtf8);
        EXPECT_EQ(utf8.text.substr(0, 1), "a");
        EXPECT_NE(utf8.text.find("z"), std::string::npos);
        EXPECT_EQ(utf8.text.substr(utf8.text.size() - 2), "\x82\xA0");
        EXPECT_TRUE(endsAtTextEnd(utf8));
        const Snapshot utf16 = Load(std::string("a\0\x00\xD8z\0\x00\xDC\x42\x30", 10), kCharCodeUnicode);
        EXPECT_EQ(utf16.text.substr(0, 1), "a");
        EXPECT_NE(utf16.text.find("z"), std::string::npos);
        EXPECT_EQ(utf16.text.substr(utf16.text.size() - 2), "\x82\xA0");
    }
    {
        SCOPED_TRACE("5 GiB, sparse");
        const std::wstring path = m_dir / L"sparse.bin";
        HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        LARGE_INTEGER size{};
        size.QuadPart = 5LL << 30;
        ASSERT_TRUE(::SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && ::SetEndOfFile(file));
        ::CloseHandle(file);
        ASSERT_TRUE(m_text.Open(EntryOf(path), m_dir.Path(), settings));
        EXPECT_EQ(m_text.FileSize(), 5LL << 30);
        {
            TextLock lock(m_text);
            ASSERT_TRUE(lock);
            EXPECT_GE(m_text.LineCount(), 100);
            EXPECT_EQ(m_text.LineEnd(0), 80);
        }
        m_text.Close();  // stops the loader in the step it is in
        EXPECT_TRUE(m_text.LoaderFinished());
        ::DeleteFileW(path.c_str());
    }
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
