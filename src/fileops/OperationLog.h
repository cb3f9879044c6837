#pragma once
// The two text logs of the program: the general diagnostic log (zq.log, with
// rotation) and the per-job error log of copy and move jobs that run without
// questions.  Both are UTF-16LE with a byte-order mark and CRLF line ends, and
// both are written through AppendLogLine.  The program directory is always
// passed in: engines never look up where the program lives.
#include <windows.h>

#include <string>
#include <string_view>

namespace zq::fileops {

inline constexpr wchar_t kGeneralLogName[] = L"zq.log";
inline constexpr wchar_t kGeneralLogBackupName[] = L"zq_log.bck";
inline constexpr wchar_t kErrorLogDirectoryName[] = L"Log";
inline constexpr ULONGLONG kGeneralLogRotateAbove = 1000000;
// Longest line the append routine writes; longer lines are cut.
inline constexpr size_t kLogLineMax = 2047;

// Appends line + CRLF to the file at path, creating it with FF FE when it is new
// or empty.  A file that cannot be opened drops the line; the result says so.
bool AppendLineToFile(const std::wstring& path, std::wstring_view line);

// The append routine.  relativePath (may be null or empty) is joined to
// programDirectory; without it the line goes to zq.log, which is rotated to
// zq_log.bck first when it is above 1,000,000 bytes.  format uses the CRT's wide
// conventions (%s is a wide string).
bool AppendLog(const std::wstring& programDirectory, const wchar_t* relativePath, const wchar_t* format, ...);
bool AppendLogV(const std::wstring& programDirectory, const wchar_t* relativePath, const wchar_t* format, va_list args);

// The word of a copy job mode in its error-log name ("COPY", "MOVE", …); empty for
// an unknown mode.
std::wstring_view CopyModeLogWord(unsigned mode);
// WORD_ERROR_yyyy-mm-dd_hhmmss.log
std::wstring ErrorLogFileName(std::wstring_view logWord, const SYSTEMTIME& localStart);

// The error log of one job.  In question mode it writes nothing and Write answers
// 0, which tells the caller to ask the user instead.
class JobErrorLog {
  public:
    JobErrorLog() = default;
    JobErrorLog(std::wstring programDirectory, std::wstring logWord, bool noQuestion);

    // Builds the file name from the job's start and, in no-question mode, creates
    // the Log directory.  Called once, before the first item.
    void Start(const SYSTEMTIME& localStart);
    // One failure line: "call,code,path" or, with a file name, "call,code,path\name".
    // Returns 1 when the failure counts as logged, 0 in question mode.
    [[nodiscard]] int Write(std::wstring_view call, DWORD code, std::wstring_view path,
                            std::wstring_view fileName = {});

    // A line written in either mode (creating the Log directory when needed),
    // for what must be on record even when the user was also asked.
    void Record(std::wstring_view call, DWORD code, std::wstring_view path);

    [[nodiscard]] bool NoQuestion() const noexcept { return m_noQuestion; }
    [[nodiscard]] bool FailureLogged() const noexcept { return m_failureLogged; }
    [[nodiscard]] const std::wstring& FileName() const noexcept { return m_fileName; }
    [[nodiscard]] std::wstring Directory() const;
    [[nodiscard]] std::wstring FilePath() const;

  private:
    void Append(std::wstring_view call, DWORD code, std::wstring_view path, std::wstring_view fileName);

    std::wstring m_programDirectory;
    std::wstring m_logWord;
    std::wstring m_fileName;
    bool m_noQuestion = false;
    bool m_failureLogged = false;
};

// Opens a job's error log for the user: with the editor named in the settings
// (its Unicode option first when there is one) or with the log's associated
// program; the Log directory is the working directory.  Does nothing unless the
// job ran without questions and logged a failure.
bool OpenJobErrorLog(const JobErrorLog& log, const std::wstring& editorName, const std::wstring& unicodeOption);

}  // namespace zq::fileops
