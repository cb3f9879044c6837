#pragma once
// Completion of a typed path, one name per request: the text is split into a
// directory and a name prefix, the directory is listed for names beginning with
// the prefix, and each request hands out the next of them, starting over after
// the last.  An input field asks on Ctrl+Tab and tells Restart() when the user
// edits the text.
#include <optional>
#include <string>
#include <vector>

namespace zq {

class PathCompletion {
  public:
    explicit PathCompletion(bool directoriesOnly = false) : m_directoriesOnly(directoriesOnly) {}

    // The folder that a relative text is taken from; empty: the process's
    // current directory.
    void SetBaseDirectory(std::wstring base) { m_base = std::move(base); }
    void SetDirectoriesOnly(bool directoriesOnly) noexcept { m_directoriesOnly = directoriesOnly; }

    // The text the field shows after this request; nothing when no name
    // matches, and the field keeps its text.
    [[nodiscard]] std::optional<std::wstring> Next(const std::wstring& text);
    // The text was edited: the next request lists the directory afresh.
    void Restart() noexcept { m_active = false; }

  private:
    bool Start(const std::wstring& text);

    bool m_directoriesOnly;
    std::wstring m_base;
    bool m_active = false;
    bool m_hasDirectory = false;
    std::wstring m_directory;  // as typed, without the separator before the name
    std::vector<std::wstring> m_matches;
    size_t m_next = 0;
    std::wstring m_shown;  // the text last handed out
};

}  // namespace zq
