#include "filer/MakeNewFile.h"

#include <gtest/gtest.h>

#include <cstring>

#include <map>

#include "common/Paths.h"
#include "main/TempDir.h"

namespace zq {
namespace {

// Registrations as a test wants them: (extension, value name) -> bytes.
class FakeTemplates final : public INewFileTemplates {
  public:
    std::map<std::pair<std::wstring, std::wstring>, std::vector<unsigned char>> values;
    std::optional<std::vector<unsigned char>> Value(const std::wstring& extension,
                                                    const std::wstring& valueName) override {
        const auto found = values.find({extension, valueName});
        if (found == values.end()) return std::nullopt;
        return found->second;
    }
};

std::vector<unsigned char> Utf16Value(const std::wstring& text) {
    std::vector<unsigned char> bytes((text.size() + 1) * sizeof(wchar_t), 0);
    std::memcpy(bytes.data(), text.c_str(), text.size() * sizeof(wchar_t));
    return bytes;
}

struct NewFileFixture : ::testing::Test {
    test::TempDir dir;
    test::TempDir windows;
    FakeTemplates templates;
    NewFileOutcome Make(const std::wstring& ext, const std::wstring& display, const std::wstring& kind) {
        return MakeNewFileFromRow(dir.Path(), {ext, display, kind}, templates, windows.Path());
    }
};

TEST_F(NewFileFixture, EachKindMakesItsFileUnderTheFirstFreeName) {
    const NewFileOutcome first = Make(L"txt", L"テキスト", L"NullFile");
    ASSERT_EQ(first.result, NewFileResult::Made);
    EXPECT_EQ(first.path, dir / L"新規テキスト.txt");
    EXPECT_TRUE(FileExists(first.path));
    EXPECT_EQ(test::ReadFileBytes(first.path), "");

    templates.values[{L"txt", L"Data"}] = {'a', 0, 'b'};
    const NewFileOutcome second = Make(L"txt", L"テキスト", L"Data");
    ASSERT_EQ(second.result, NewFileResult::Made);
    EXPECT_EQ(second.path, dir / L"新規テキスト(2).txt");
    EXPECT_EQ(test::ReadFileBytes(second.path), std::string("a\0b", 3));

    windows.WriteFile(L"ShellNew\\blank.doc", "template");
    templates.values[{L"doc", L"FileName"}] = Utf16Value(L"blank.doc");
    dir.MakeDir(L"新規文書.doc");  // a directory of that name is passed over too
    const NewFileOutcome copied = Make(L"doc", L"文書", L"FileName");
    ASSERT_EQ(copied.result, NewFileResult::Made);
    EXPECT_EQ(copied.path, dir / L"新規文書(2).doc");
    EXPECT_EQ(test::ReadFileBytes(copied.path), "template");
}

TEST_F(NewFileFixture, NothingIsMadeOrOverwrittenWithoutATemplateOrAFreeName) {
    const struct {
        const wchar_t* ext;
        const wchar_t* kind;
        NewFileResult result;
    } refused[] = {
        {L"", L"NullFile", NewFileResult::NotARow},
        {L"txt", L"nullfile", NewFileResult::NotARow},
        {L"txt", L"Data", NewFileResult::NoTemplate},
        {L"doc", L"FileName", NewFileResult::NoTemplate},
    };
    templates.values[{L"doc", L"FileName"}] = Utf16Value(L"missing.doc");
    for (const auto& c : refused) EXPECT_EQ(Make(c.ext, L"X", c.kind).result, c.result) << static_cast<int>(c.result);

    dir.WriteFile(L"新規X.txt", "keep");
    for (int n = 2; n <= 100; ++n) dir.WriteFile(L"新規X(" + std::to_wstring(n) + L").txt", "keep");
    EXPECT_EQ(Make(L"txt", L"X", L"NullFile").result, NewFileResult::NoFreeName);
    EXPECT_EQ(test::ReadFileBytes(dir / L"新規X.txt"), "keep");
    EXPECT_EQ(test::ReadFileBytes(dir / L"新規X(100).txt"), "keep");
    EXPECT_FALSE(FileExists(dir / L"新規X(101).txt"));
    EXPECT_FALSE(FileExists(dir / L"新規X(1).txt"));
}

}  // namespace
}  // namespace zq
