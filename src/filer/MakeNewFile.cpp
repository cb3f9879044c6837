#include "filer/MakeNewFile.h"

#include <windows.h>

#include <cstring>

#include "common/Handle.h"
#include "common/Paths.h"

namespace zq {
namespace {

enum class Kind { NullFile, FileName, Data, Unknown };

Kind KindOf(const std::wstring& name) {
    if (name == L"NullFile") return Kind::NullFile;
    if (name == L"FileName") return Kind::FileName;
    if (name == L"Data") return Kind::Data;
    return Kind::Unknown;
}

std::wstring TextOf(const std::vector<unsigned char>& bytes) {
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

bool NameTaken(DWORD error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

// Writes the bytes into a file that did not exist.  false with taken set when
// the name was taken after all (by another program since the look).
bool WriteNewFile(const std::wstring& path, const std::vector<unsigned char>& bytes, bool& taken) {
    UniqueFile file(::CreateFileW(PlatformPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        taken = NameTaken(::GetLastError());
        return false;
    }
    DWORD written = 0;
    const bool ok =
        bytes.empty() || (::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                          written == bytes.size());
    file.Reset();
    // A half-written file is ours alone (it did not exist before): it goes.
    if (!ok) ::DeleteFileW(PlatformPath(path).c_str());
    return ok;
}

}  // namespace

std::optional<std::vector<unsigned char>> RegistryNewFileTemplates::Value(const std::wstring& extension,
                                                                          const std::wstring& valueName) {
    const std::wstring key = L"." + extension + L"\\ShellNew";
    DWORD size = 0;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), valueName.c_str(), RRF_RT_ANY | RRF_NOEXPAND, nullptr, nullptr,
                       &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<unsigned char> bytes(size);
    if (size != 0 && ::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), valueName.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                                    nullptr, bytes.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    bytes.resize(size);
    return bytes;
}

std::wstring NewFileName(const std::wstring& directory, const std::wstring& display, const std::wstring& extension,
                         int number) {
    std::wstring name = L"新規" + display;
    if (number > 0) name += L"(" + std::to_wstring(number) + L")";
    return JoinPath(directory, name + L"." + extension);
}

NewFileOutcome MakeNewFileFromRow(const std::wstring& directory, const Settings::NewFileKind& row,
                                  INewFileTemplates& templates, const std::wstring& windowsDirectory) {
    const Kind kind = KindOf(row.shellNew);
    if (row.kind.empty() || kind == Kind::Unknown) return {NewFileResult::NotARow, {}};
    // An empty file needs nothing of the registration but its kind; the
    // other two take their content from it.
    std::vector<unsigned char> data;
    std::wstring templatePath;
    if (kind != Kind::NullFile) {
        std::optional<std::vector<unsigned char>> value = templates.Value(row.kind, row.shellNew);
        if (!value) return {NewFileResult::NoTemplate, {}};
        if (kind == Kind::Data) data = std::move(*value);
        if (kind == Kind::FileName) {
            templatePath = JoinPath(JoinPath(windowsDirectory, L"ShellNew"), TextOf(*value));
            if (TextOf(*value).empty() || !FileExists(templatePath)) return {NewFileResult::NoTemplate, {}};
        }
    }
    for (int number = 0; number <= 100; number = number == 0 ? 2 : number + 1) {
        const std::wstring path = NewFileName(directory, row.display, row.kind, number);
        if (::GetFileAttributesW(PlatformPath(path).c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        bool taken = false;
        bool made = false;
        if (kind == Kind::FileName) {
            made = ::CopyFileW(PlatformPath(templatePath).c_str(), PlatformPath(path).c_str(), TRUE) != FALSE;
            taken = !made && NameTaken(::GetLastError());
        } else {
            made = WriteNewFile(path, data, taken);
        }
        if (made) return {NewFileResult::Made, path};
        if (!taken) return {NewFileResult::Failed, {}};
    }
    return {NewFileResult::NoFreeName, {}};
}

}  // namespace zq
