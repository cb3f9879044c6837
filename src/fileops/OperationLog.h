#pragma once
// The per-job error log of copy and move jobs that run without questions,
// written with the general log's line routine.
#include <windows.h>

#include <string>
#include <string_view>

#include "common/GeneralLog.h"

namespace zq::fileops {

using zq::AppendLineToFile;
using zq::AppendLog;
using zq::AppendLogV;
using zq::kErrorLogDirectoryName;
using zq::kGeneralLogBackupName;
using zq::kGeneralLogName;
using zq::kGeneralLogRotateAbove;
using zq::kLogLineMax;

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
