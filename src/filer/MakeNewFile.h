#pragma once
// New, empty documents from the platform's "ShellNew" registrations: the
// MAKENEWFILE rows name an extension, a display name and which registration
// value to use ("NullFile", "FileName" or "Data").  An existing file is
// never overwritten: the first free one of "新規<name>.<ext>",
// "新規<name>(2).<ext>" … "(100)" is made.
//
//     RegistryNewFileTemplates registry;
//     NewFileOutcome made = MakeNewFileFromRow(directory, row, registry, windowsDirectory);
#include <optional>
#include <string>
#include <vector>

#include "settings/Settings.h"

namespace zq {

// The registrations under HKEY_CLASSES_ROOT\.<ext>\ShellNew.
class INewFileTemplates {
  public:
    virtual ~INewFileTemplates() = default;
    // The bytes of the value, a text value as its UTF-16 units without the
    // closing NUL; nothing when the extension has no such value.
    [[nodiscard]] virtual std::optional<std::vector<unsigned char>> Value(const std::wstring& extension,
                                                                          const std::wstring& valueName) = 0;
};

class RegistryNewFileTemplates final : public INewFileTemplates {
  public:
    [[nodiscard]] std::optional<std::vector<unsigned char>> Value(const std::wstring& extension,
                                                                  const std::wstring& valueName) override;
};

enum class NewFileResult {
    Made,
    NotARow,     // an empty extension, or a kind other than the three
    NoTemplate,  // the registration lacks the value, or its template file is missing
    NoFreeName,  // every name up to "(100)" is taken
    Failed,      // the file could not be written (its partial remains are removed)
};

struct NewFileOutcome {
    NewFileResult result = NewFileResult::NotARow;
    std::wstring path;  // the file made
};

// The candidate names in the order they are tried: number 0 is the plain one, then 2 to 100.
[[nodiscard]] std::wstring NewFileName(const std::wstring& directory, const std::wstring& display,
                                       const std::wstring& extension, int number);

[[nodiscard]] NewFileOutcome MakeNewFileFromRow(const std::wstring& directory, const Settings::NewFileKind& row,
                                                INewFileTemplates& templates, const std::wstring& windowsDirectory);

}  // namespace zq
