#pragma once
// A temporary folder for one test, removed with everything in it afterwards.
#include <string>

namespace zq::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::wstring& Path() const noexcept { return m_path; }
    // Full path of a name inside the folder.
    [[nodiscard]] std::wstring operator/(const std::wstring& name) const;
    // Writes bytes to a file inside the folder (creating sub-folders); returns its full path.
    std::wstring WriteFile(const std::wstring& name, const std::string& bytes) const;
    std::wstring MakeDir(const std::wstring& name) const;

  private:
    std::wstring m_path;
};

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
// Removes a folder tree (read-only files included).
bool RemoveTree(const std::wstring& path);

}  // namespace zq::test
