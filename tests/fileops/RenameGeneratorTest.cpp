#include "fileops/RenameGenerator.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace zq::fileops {
namespace {

// The directory as a set of names; a generated name is taken at once, as the
// rename that follows it would do.
struct Directory {
    std::set<std::wstring> names;
    NameTaken Taken() {
        return [this](const std::wstring& n) { return names.count(n) > 0; };
    }
};

struct Case {
    const wchar_t* pattern;
    std::vector<std::wstring> existing;
    std::vector<std::wstring> olds;
    std::vector<std::wstring> expected;  // L"" where generation fails
    int nameStart = 0;
    int extStart = 0;
};

TEST(RenameGeneratorTest, PatternsAndNumbersGiveTheExpectedNames) {
    const Case cases[] = {
        {L"*.*", {}, {L"a.txt", L"b.c"}, {L"a.txt", L"b.c"}},
        {L"*", {}, {L"a.txt", L"b.c"}, {L"a", L"b"}},
        {L"x$3n.*", {L"x001.txt"}, {L"a.txt", L"b.txt", L"c.txt"}, {L"x000.txt", L"x002.txt", L"x003.txt"}},
        {L"$n.*", {}, {L"a.txt", L"b.doc"}, {L"05.txt", L"05.doc"}, 5},
        {L"**.txt", {}, {L"a.txt"}, {L""}},
        {L"?_?.%v1.0%", {}, {L"abc.txt"}, {L"a_b.v1.0"}},
        {L"a\\b", {}, {L"a.txt"}, {L""}},
        {L"%100%.txt", {}, {L"q"}, {L"100.txt"}},
        {L"50%*.txt", {}, {L"q.txt"}, {L"50%q.txt"}},
        {L"new.*", {L"new.txt"}, {L"a.txt"}, {L""}},
        {L"*.$1n", {}, {L"f.a", L"f.b", L"g.c"}, {L"f.0", L"f.1", L"g.0"}},
        {L"$1n", {}, {L"a", L"b"}, {L"8", L"9"}, 8},
        {L"$1n$n", {}, {L"a"}, {L""}},
        {L"*.%a%%b%", {}, {L"a"}, {L""}},
    };
    for (const Case& c : cases) {
        Directory dir;
        dir.names.insert(c.existing.begin(), c.existing.end());
        dir.names.insert(c.olds.begin(), c.olds.end());
        RenameGenerator generator;
        RenameOptions options;
        options.pattern = c.pattern;
        options.nameStart = c.nameStart;
        options.extStart = c.extStart;
        generator.Init(L"C:\\d", options);
        for (size_t i = 0; i < c.olds.size(); ++i) {
            std::wstring made;
            const bool ok = generator.Generate(c.olds[i], made, dir.Taken());
            EXPECT_EQ(ok ? made : L"", c.expected[i]) << c.pattern << L" on " << c.olds[i];
            if (ok) {
                dir.names.erase(c.olds[i]);
                dir.names.insert(made);
            }
        }
    }
}

TEST(RenameGeneratorTest, AlwaysAccumulateCarriesTheNameNumberIntoTheNextBatch) {
    for (const bool accumulate : {false, true}) {
        Directory dir;
        RenameGenerator generator;
        RenameOptions options;
        options.pattern = L"$2n.*";
        options.alwaysAccumulate = accumulate;
        generator.Init(L"C:\\d", options);
        std::wstring first, second;
        ASSERT_TRUE(generator.Generate(L"a.txt", first, dir.Taken()));
        // Another extension: the parts no longer match the previous entry.
        ASSERT_TRUE(generator.Generate(L"b.doc", second, dir.Taken()));
        EXPECT_EQ(first, L"00.txt");
        EXPECT_EQ(second, accumulate ? L"01.doc" : L"00.doc");
    }
}

TEST(RenameGeneratorTest, FullRangeTakenFailsAndStartsOverAtTheStartNumber) {
    Directory dir;
    for (int i = 0; i < 10; ++i) dir.names.insert(std::to_wstring(i) + L".t");
    RenameGenerator generator;
    RenameOptions options;
    options.pattern = L"$1n.*";
    generator.Init(L"C:\\d", options);
    std::wstring made;
    EXPECT_FALSE(generator.Generate(L"x.t", made, dir.Taken()));
    dir.names.erase(L"0.t");
    EXPECT_TRUE(generator.Generate(L"x.t", made, dir.Taken()));
    EXPECT_EQ(made, L"0.t");
}

TEST(RenameGeneratorTest, CaseOnlyChangeAndWidthConversionOfTheNamePartOnly) {
    Directory dir{{L"ABC.TXT"}};
    RenameGenerator generator;
    RenameOptions options;
    options.pattern = L"abc.txt";
    generator.Init(L"C:\\d", options);
    std::wstring made;
    EXPECT_TRUE(generator.Generate(L"ABC.TXT", made, dir.Taken()));
    EXPECT_EQ(made, L"abc.txt");

    options.pattern = L"*$1n.*";
    options.convertWidths = true;
    options.widths.alphabet = kConvertFull;
    options.widths.katakana = kConvertFull;
    generator.Init(L"C:\\d", options);
    EXPECT_TRUE(generator.Generate(L"aｶﾞb.txt", made, dir.Taken()));
    EXPECT_EQ(made, L"ａガｂ0.txt");
}

TEST(RenameGeneratorTest, NewNamesAreCheckedForWhatWindowsRefuses) {
    const struct {
        const wchar_t* name;
        NameProblem expected;
    } cases[] = {
        {L"ok.txt", NameProblem::kNameOk},         {L"", NameProblem::kEmpty},
        {L"con", NameProblem::kReserved},          {L"Nul.txt", NameProblem::kReserved},
        {L"COM1", NameProblem::kReserved},         {L"lpt9.log", NameProblem::kReserved},
        {L"COM10", NameProblem::kNameOk},          {L"console", NameProblem::kNameOk},
        {L"a.", NameProblem::kTrailingDotOrBlank}, {L"a ", NameProblem::kTrailingDotOrBlank},
        {L"a:b", NameProblem::kInvalidCharacter},  {L"a|b", NameProblem::kInvalidCharacter},
        {L"a\tb", NameProblem::kInvalidCharacter}, {L"名前.txt", NameProblem::kNameOk},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckNewName(L"C:\\d", c.name), c.expected) << c.name;
    EXPECT_EQ(CheckNewName(L"C:\\d", std::wstring(256, L'a')), NameProblem::kTooLong);
    EXPECT_EQ(CheckNewName(std::wstring(250, L'd'), L"abcdefghij"), NameProblem::kTooLong);
    EXPECT_EQ(ConvertCase(L"Ab.Txt", 1), L"AB.TXT");
    EXPECT_EQ(ConvertCase(L"Ab.Txt", 2), L"ab.txt");
}

}  // namespace
}  // namespace zq::fileops
