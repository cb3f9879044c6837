#pragma once
// The name generator of "名前の変更": a pattern of ordinary characters, "?"
// (one character of the old name), "*" (the rest of it), "%text%" (text as
// it stands) and a number field "$n" / "$<digits>n" is expanded against each
// old name, separately for the name and the extension.  Numbers make the
// name one that is not yet in the directory.
#include <functional>
#include <string>
#include <string_view>

#include "fileops/CharConvert.h"

namespace zq::fileops {

struct RenameOptions {
    std::wstring pattern = L"*.*";
    int nameStart = 0;  // 0 … 9999
    int extStart = 0;
    bool alwaysAccumulate = false;  // "ファイル名は常に積算する"
    bool convertWidths = false;     // "半角/全角変換"
    CharConvertInfo widths;
};

// Whether a name is taken in the directory (a file or a directory).
using NameTaken = std::function<bool(const std::wstring& name)>;

class RenameGenerator {
  public:
    // Starts a batch: the counters go back to the start numbers.
    void Init(std::wstring directory, const RenameOptions& options);
    // The new name for `oldName`; false when the pattern is malformed or no
    // free name is left.  Without `taken` the directory on disk is asked.
    [[nodiscard]] bool Generate(const std::wstring& oldName, std::wstring& newName, const NameTaken& taken = {});

  private:
    struct Part {
        std::wstring text;  // expanded, number field removed
        int slot = -1;      // where the number goes; -1 none
        int digits = 2;
    };
    struct Counter {
        std::wstring lastText;
        int lastSlot = -1;
        bool used = false;
        unsigned next = 0;
    };
    [[nodiscard]] static bool Expand(std::wstring_view pattern, std::wstring_view old, Part& out);

    std::wstring m_directory;
    RenameOptions m_options;
    std::wstring m_namePattern;
    std::wstring m_extPattern;
    Counter m_name;
    Counter m_ext;
};

// The pattern's split at its last "." outside a "%…%" literal.
void SplitRenamePattern(std::wstring_view pattern, std::wstring& name, std::wstring& extension);

// Why a name cannot be given to a file; kNameOk when it can.
enum class NameProblem { kNameOk, kEmpty, kReserved, kTrailingDotOrBlank, kInvalidCharacter, kTooLong };
[[nodiscard]] NameProblem CheckNewName(std::wstring_view directory, std::wstring_view name);

// Case conversion of a whole new name: 0 none, 1 upper, 2 lower.
[[nodiscard]] std::wstring ConvertCase(std::wstring name, unsigned conversion);

}  // namespace zq::fileops
