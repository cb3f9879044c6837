#include "main/TempDir.h"

#include <windows.h>

#include <atomic>

namespace zq::test {

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    for (;;) {
        m_path = std::wstring(base) + L"zqtest-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(counter++);
        if (::CreateDirectoryW(m_path.c_str(), nullptr)) break;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

TempDir::~TempDir() {
    RemoveTree(m_path);
}

std::wstring TempDir::operator/(const std::wstring& name) const {
    return m_path + L"\\" + name;
}

std::wstring TempDir::MakeDir(const std::wstring& name) const {
    std::wstring full = m_path;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t slash = name.find(L'\\', start);
        const std::wstring part = name.substr(start, slash == std::wstring::npos ? std::wstring::npos : slash - start);
        if (!part.empty()) {
            full += L"\\" + part;
            ::CreateDirectoryW(full.c_str(), nullptr);
        }
        if (slash == std::wstring::npos) break;
        start = slash + 1;
    }
    return full;
}

std::wstring TempDir::WriteFile(const std::wstring& name, const std::string& bytes) const {
    const size_t slash = name.rfind(L'\\');
    if (slash != std::wstring::npos) MakeDir(name.substr(0, slash));
    const std::wstring full = *this / name;
    HANDLE file = ::CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    return full;
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    LARGE_INTEGER size{};
    ::GetFileSizeEx(file, &size);
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

bool RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring full = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(full.c_str());
            }
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return ::RemoveDirectoryW(path.c_str()) != 0;
}

}  // namespace zq::test
