#include "fileops/OperationLog.h"

#include <shellapi.h>

#include "common/Handle.h"
#include "common/Paths.h"

namespace zq::fileops {
namespace {

struct ModeWord {
    unsigned mode;
    const wchar_t* word;
};
constexpr ModeWord kModeWords[] = {
    {0, L"COPY"},        {1, L"MOVE"},        {2, L"UP_MOVE"},   {3, L"NEGLECT_DIR"}, {4, L"DROP_COPY"},
    {5, L"COPY_TO_ALL"}, {6, L"SYNCRO_COPY"}, {7, L"DROP_MOVE"}, {8, L"DROP_LINK"},
};

}  // namespace

std::wstring_view CopyModeLogWord(unsigned mode) {
    for (const ModeWord& row : kModeWords)
        if (row.mode == mode) return row.word;
    return {};
}

std::wstring ErrorLogFileName(std::wstring_view logWord, const SYSTEMTIME& t) {
    wchar_t stamp[40] = {};
    swprintf(stamp, 40, L"%04u-%02u-%02u_%02u%02u%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    std::wstring name(logWord);
    name += L"_ERROR_";
    name += stamp;
    name += L".log";
    return name;
}

JobErrorLog::JobErrorLog(std::wstring programDirectory, std::wstring logWord, bool noQuestion)
    : m_programDirectory(std::move(programDirectory)), m_logWord(std::move(logWord)), m_noQuestion(noQuestion) {}

std::wstring JobErrorLog::Directory() const {
    return JoinPath(m_programDirectory, kErrorLogDirectoryName);
}

std::wstring JobErrorLog::FilePath() const {
    return JoinPath(Directory(), m_fileName);
}

void JobErrorLog::Start(const SYSTEMTIME& localStart) {
    m_fileName = ErrorLogFileName(m_logWord, localStart);
    if (m_noQuestion) ::CreateDirectoryW(Directory().c_str(), nullptr);
}

int JobErrorLog::Write(std::wstring_view call, DWORD code, std::wstring_view path, std::wstring_view fileName) {
    if (!m_noQuestion) return 0;
    // A line that could not be written still counts: the user chose not to be
    // asked, and asking now would surprise more than a missing line.
    Append(call, code, path, fileName);
    m_failureLogged = true;
    return 1;
}

void JobErrorLog::Record(std::wstring_view call, DWORD code, std::wstring_view path) {
    if (m_fileName.empty() || m_programDirectory.empty()) return;
    if (!m_noQuestion) ::CreateDirectoryW(Directory().c_str(), nullptr);
    Append(call, code, path, {});
}

void JobErrorLog::Append(std::wstring_view call, DWORD code, std::wstring_view path, std::wstring_view fileName) {
    std::wstring line(call);
    line += L',';
    line += std::to_wstring(code);
    line += L',';
    line.append(path);
    if (!fileName.empty()) {
        line += L'\\';
        line.append(fileName);
    }
    AppendLineToFile(FilePath(), line);
}

bool OpenJobErrorLog(const JobErrorLog& log, const std::wstring& editorName, const std::wstring& unicodeOption) {
    if (!log.NoQuestion() || !log.FailureLogged()) return false;
    const std::wstring directory = log.Directory();
    HINSTANCE result = nullptr;
    if (!editorName.empty()) {
        const std::wstring parameters = unicodeOption.empty() ? log.FileName() : unicodeOption + L" " + log.FileName();
        result =
            ::ShellExecuteW(nullptr, L"open", editorName.c_str(), parameters.c_str(), directory.c_str(), SW_SHOWNORMAL);
    } else {
        result = ::ShellExecuteW(nullptr, L"open", log.FileName().c_str(), nullptr, directory.c_str(), SW_SHOWNORMAL);
    }
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace zq::fileops
