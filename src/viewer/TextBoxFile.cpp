#include "viewer/TextBoxFile.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "common/Handle.h"
#include "common/TextConv.h"

namespace zq::viewer {

std::wstring LoadTextBoxFile(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    // A notepad is small; a huge file here is not ours to pour into an edit field.
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart > 64LL * 1024 * 1024) return {};
    std::vector<char> bytes(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() && !::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
        return {};
    bytes.resize(got);
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring text((bytes.size() - 2) / 2, L'\0');
        if (!text.empty()) std::memcpy(text.data(), bytes.data() + 2, text.size() * sizeof(wchar_t));
        return text;
    }
    return ToWide(std::string_view(bytes.data(), bytes.size()));
}

bool SaveTextBoxFile(const std::wstring& path, const std::wstring& text) {
    const std::wstring temporary = path + L".~new";
    bool ok = false;
    {
        UniqueFile file(
            ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        std::vector<unsigned char> bytes{0xFF, 0xFE};
        const auto* raw = reinterpret_cast<const unsigned char*>(text.data());
        bytes.insert(bytes.end(), raw, raw + text.size() * sizeof(wchar_t));
        DWORD written = 0;
        ok = ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
             written == bytes.size();
    }
    if (ok) ok = ::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) ::DeleteFileW(temporary.c_str());
    return ok;
}

}  // namespace zq::viewer
