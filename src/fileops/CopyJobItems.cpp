// The per-item rules of the copy job: directories, files, and what happens
// after a failure.
#include <cwchar>

#include "fileops/CopyJob.h"
#include "fileops/CopyText.h"

namespace zq::fileops {
namespace {

std::wstring Naming(const std::wstring& question, const std::wstring& path) {
    return path.empty() ? question : question + L"\n" + path;
}

// A failure question with its code, and the file it is about on a line of its
// own: in a job of many files the code alone does not say which one failed.
std::wstring WithCode(const wchar_t* format, const wchar_t* call, DWORD code, const std::wstring& path) {
    wchar_t text[256] = {};
    if (call != nullptr) {
        _snwprintf_s(text, 256, _TRUNCATE, format, call, static_cast<unsigned>(code));
    } else {
        _snwprintf_s(text, 256, _TRUNCATE, format, static_cast<unsigned>(code));
    }
    return Naming(text, path);
}

// The directory part of a relative path with its first component (the
// top-level directory's own name) left out.
std::wstring WithoutFirstComponent(const std::wstring& relative) {
    const size_t slash = relative.find(L'\\');
    return slash == std::wstring::npos ? std::wstring() : relative.substr(slash + 1);
}

// A same-volume move is a rename; over an existing file it is one replacing
// rename, so that a failure leaves the old destination where it was instead of
// deleting it first.
bool MoveWithinVolume(IFileSystem& fs, const std::wstring& source, const std::wstring& destination, bool replacing) {
    const DWORD blocking = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const DWORD existing = replacing ? fs.Attributes(destination) : INVALID_FILE_ATTRIBUTES;
    const bool cleared = existing != INVALID_FILE_ATTRIBUTES && (existing & blocking) != 0;
    if (cleared) fs.SetAttributes(destination, existing & ~blocking);
    if (replacing ? fs.Rename(source, destination, true) : fs.Move(source, destination)) return true;
    const DWORD code = ::GetLastError();
    if (cleared) fs.SetAttributes(destination, existing);
    ::SetLastError(code);
    return false;
}

}  // namespace

bool CopyJob::AskContinue(const std::wstring& question) {
    return m_services.asker.AskYesNo(question, std::wstring()) != kAnswerNo;
}

bool CopyJob::LogOrAsk(const wchar_t* call, DWORD code, const std::wstring& path, const std::wstring& question,
                       const std::wstring& fileName) {
    if (m_log.Write(call, code, path, fileName) == 1) return true;
    return AskContinue(question);
}

bool CopyJob::MakeDirectories(const std::wstring& path) {
    const DWORD attributes = m_fs.Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return true;
        ::SetLastError(ERROR_ALREADY_EXISTS);
        return false;
    }
    const size_t slash = path.rfind(L'\\');
    if (slash != std::wstring::npos && slash > 2 && !MakeDirectories(path.substr(0, slash))) return false;
    if (!m_fs.MakeDirectory(path)) return false;
    m_sameName.NoteCreatedDirectory(path);
    return true;
}

CopyJob::DirResult CopyJob::EnsureDirectory(const std::wstring& path, DWORD attributes, bool offerChoice) {
    if (OnVirtualDrive(path)) {
        // A directory on a virtual drive is a node of its list: nothing is made on any disk.
        if (m_services.virtualDrives->AddDirectory(path)) return DirResult::Ok;
        m_lastError = 0;
        return m_log.Write(L"AddToVirtualDrive", 0, path) == 1 ? DirResult::Skip : DirResult::End;
    }
    const DWORD existing = m_fs.Attributes(path);
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY)) return DirResult::Ok;
    if (!MakeDirectories(path)) {
        m_lastError = ::GetLastError();
        if (m_log.Write(L"CreateDirectory", m_lastError, path) == 1) return DirResult::Skip;
        if (offerChoice)
            return AskContinue(Naming(L"ディレクトリの作成に失敗しました。続けますか", path)) ? DirResult::Skip
                                                                                              : DirResult::End;
        m_services.asker.Tell(Naming(L"ディレクトリの作成に失敗しました", path));
        return DirResult::End;
    }
    if (attributes != 0) m_fs.SetAttributes(path, attributes & ~FILE_ATTRIBUTE_DIRECTORY);
    return DirResult::Ok;
}

CopyJob::Step CopyJob::HandleDirectory(const Item& item) {
    const unsigned mode = m_options.mode;
    std::wstring destination;
    if (mode == kModeNeglectDir) {
        destination = m_destinationRoot;
    } else if (mode == kModeUpMove) {
        const std::wstring rest = WithoutFirstComponent(item.relativePath);
        destination = rest.empty() ? m_destinationRoot : m_destinationRoot + L"\\" + rest;
    } else {
        destination = m_destinationRoot + L"\\" + item.relativePath;
    }
    const std::wstring source = item.sourceDirectory + L"\\" + item.find.cFileName;

    const bool oneStepMove = (mode == kModeMove || mode == kModeUpMove || mode == kModeDropMove) &&
                             !m_input.source.isVirtual && m_filter.Empty() && !OnVirtualDrive(destination) &&
                             m_fs.Attributes(destination) == INVALID_FILE_ATTRIBUTES && SameVolume(source, destination);
    if (oneStepMove) {
        if (mode == kModeUpMove || mode == kModeDropMove) {
            const size_t slash = destination.rfind(L'\\');
            if (slash != std::wstring::npos && EnsureDirectory(destination.substr(0, slash), 0, true) == DirResult::End)
                return Step::End;
        }
        if (!m_fs.Move(source, destination)) {
            m_lastError = ::GetLastError();
            if (!LogOrAsk(L"MoveFile", m_lastError, source,
                          WithCode(L"ファイルのコピーに失敗しました。続けますか\n(MoveFile:Error Code=%u)", nullptr,
                                   m_lastError, source)))
                return Step::End;
        } else {
            m_sameName.NoteWrittenTree(destination);
        }
        return Step::Next;
    }

    switch (EnsureDirectory(destination, item.find.dwFileAttributes, true)) {
        case DirResult::End:
            return Step::End;
        case DirResult::Skip:
            return Step::Next;  // nothing below could be written there
        case DirResult::Ok:
            break;
    }
    CopyFrame& frame = m_walk.Enter(JoinPath(item.sourceDirectory, item.find.cFileName), item.relativePath).extra;
    frame.destination = destination;
    frame.creationTime = item.find.ftCreationTime;
    frame.lastAccessTime = item.find.ftLastAccessTime;
    frame.lastWriteTime = item.find.ftLastWriteTime;
    return Step::Next;
}

CopyJob::Step CopyJob::Skip(const Item& item) {
    m_totals.bytesDone += FindDataSize(item.find);
    return Step::Next;
}

CopyJob::Step CopyJob::CopyOne(const Item& item, const std::wstring& destinationPath, ULONGLONG replacedSize,
                               bool& copied, bool& answered) {
    copied = false;
    const ULONGLONG size = FindDataSize(item.find);
    // Written under a temporary name, the new file needs its whole size while
    // the old one still stands.
    ULONGLONG needed = size;
    if (!m_copier.SafeReplace()) needed = replacedSize >= size ? 0 : size - replacedSize;
    ULONGLONG free = 0;
    for (bool fresh = false; m_copier.FreeBytes(item.destinationDirectory, needed, fresh, &free); fresh = true) {
        m_services.progress.SetText(ProgressField::FreeSpace, GroupDigits(free));
        if (free >= needed) break;
        if (m_services.asker.AskYesNo(Naming(L"容量が足りませんディスクを入れ替えてください", destinationPath),
                                      std::wstring()) == kAnswerNo) {
            m_lastError = ERROR_DISK_FULL;
            answered = true;
            m_totals.bytesDone += size;
            return Step::Next;
        }
    }
    // The folder is looked up once for the run of files that go into it, not
    // once per file; a failed copy makes the next one look again.
    if (m_ensuredDirectory != item.destinationDirectory) {
        switch (EnsureDirectory(item.destinationDirectory, 0, true)) {
            case DirResult::End:
                return Step::End;
            case DirResult::Skip:
                answered = true;
                return Skip(item);
            case DirResult::Ok:
                break;
        }
        m_ensuredDirectory = item.destinationDirectory;
        // What a killed copy left here goes before this one adds its own.
        FILETIME now{};
        ::GetSystemTimeAsFileTime(&now);
        (void)FileCopier::RemoveStaleTemporaries(m_fs, item.destinationDirectory, now);
    }
    switch (m_copier.Copy(item.sourceDirectory, item.find, destinationPath, m_cancel)) {
        case FileCopier::Result::Done:
            copied = true;
            m_sameName.NoteWritten(destinationPath);
            return Step::Next;
        case FileCopier::Result::Cancelled:
            return Step::End;
        case FileCopier::Result::Exists:
            m_appeared = true;
            answered = true;
            return Step::Next;
        case FileCopier::Result::Failed:
            break;
    }
    m_ensuredDirectory.clear();
    m_lastError = m_copier.ErrorCode();
    answered = true;
    // A difference found by the comparison goes to the log even when the user
    // is asked: it is the record of what the copy could not be trusted with.
    if (!m_options.noQuestion && wcscmp(m_copier.FailedCall(), L"Compare") == 0)
        m_log.Record(m_copier.FailedCall(), m_lastError, m_copier.FailedPath());
    if (!LogOrAsk(m_copier.FailedCall(), m_lastError, m_copier.FailedPath(),
                  WithCode(L"ファイルのコピーに失敗しました。続けますか\n(%s:Error Code=%u)", m_copier.FailedCall(),
                           m_lastError, m_copier.FailedPath())))
        return Step::End;
    return Step::Next;
}

CopyJob::Step CopyJob::DeleteMovedSource(const Item& item) {
    if (item.fromVirtualListing) {
        if (m_services.virtualDrives != nullptr)
            m_services.virtualDrives->Remove(m_input.source.directory, item.sourceDirectory, item.find.cFileName);
        return Step::Next;
    }
    const std::wstring source = item.sourceDirectory + L"\\" + item.find.cFileName;
    m_fs.SetAttributes(source, FILE_ATTRIBUTE_ARCHIVE);
    if (m_fs.Delete(source)) return Step::Next;
    m_lastError = ::GetLastError();
    if (!LogOrAsk(L"DeleteFile", m_lastError, source,
                  WithCode(L"ファイルの移動に失敗しました。続けますか\n(DeleteFile:Error Code=%u)", nullptr,
                           m_lastError, source)))
        return Step::End;
    return Step::Next;
}

CopyJob::Step CopyJob::VirtualDestination(const Item& item, bool& failed, bool& answered) {
    const std::wstring source = item.sourceDirectory + L"\\" + item.find.cFileName;
    if (m_fs.Attributes(source) == INVALID_FILE_ATTRIBUTES) {
        failed = true;
        m_lastError = 0;
        answered = m_log.Write(L"ExistFile", 0, source) == 1;
        return Step::Next;
    }
    if (!m_services.virtualDrives->Add(item.destinationDirectory, source)) {
        failed = true;
        m_lastError = 0;
        answered = m_log.Write(L"AddToVirtualDrive", 0, item.destinationDirectory, item.find.cFileName) == 1;
        return Step::Next;
    }
    // The real file stays where it is: only the listing of a virtual source
    // loses the entry, never the file itself.
    if (IsMoveMode(m_options.mode) && item.fromVirtualListing)
        m_services.virtualDrives->Remove(m_input.source.directory, item.sourceDirectory, item.find.cFileName);
    return Step::Next;
}

CopyJob::Step CopyJob::HandleFile(const Item& item) {
    if (m_totals.overallDisplay) {
        ++m_totals.filesDone;
        m_services.progress.SetText(ProgressField::OverallFiles,
                                    std::to_wstring(m_totals.filesDone) + L"/" + std::to_wstring(m_totals.totalFiles));
    }
    m_appeared = false;
    const Step step = PlaceFile(item, false);
    if (step == Step::End || !m_appeared) return step;
    // A file took the name after the job found it free: it is met as any
    // collision is, with the same-name rules and their question.  Should the
    // name be free again by then, the copy goes through a temporary name,
    // whose final rename replaces nothing.
    m_appeared = false;
    m_copier.SetNewFilesInPlace(false);
    const Step again = PlaceFile(item, true);
    m_copier.SetNewFilesInPlace(m_options.newFilesInPlace);
    return again;
}

CopyJob::Step CopyJob::PlaceFile(const Item& item, bool lookUp) {
    const std::wstring source = item.sourceDirectory + L"\\" + item.find.cFileName;
    std::wstring destination = item.destinationDirectory + L"\\" + item.find.cFileName;
    const bool virtualDestination = OnVirtualDrive(item.destinationDirectory);

    WIN32_FIND_DATAW existing{};
    bool collision = false;
    // One attribute lookup answers both whether the name is taken and, when
    // it is, the size and times the same-name rules compare: a find would
    // open the folder as well.  In a directory this job created, only what
    // the job put there can exist (a file that appears there from elsewhere
    // meanwhile makes the final rename fail, since nothing is replaced without
    // a collision seen here).
    if (!virtualDestination && (lookUp || !m_sameName.KnownAbsent(item.destinationDirectory, destination)))
        collision = m_fs.FindData(destination, &existing) && !SelectionSnapshot::IsDirectory(existing);
    bool renamed = false;
    if (collision) {
        // The existing file may be one this job has just written from another
        // source of the same name: that is asked about (or numbered, when no
        // question may be asked) even under "以後同設定".
        const bool ownCopy = m_sameName.WrittenByThisJob(destination);
        if (!(ownCopy && m_options.noQuestion) && (m_sameName.QuestionDue() || ownCopy)) {
            SameNameFile file;
            file.source = item.find;
            file.destination = existing;
            file.sourceDirectory = item.sourceDirectory;
            file.destinationDirectory = item.destinationDirectory;
            if (!m_sameName.Ask(m_services.asker, &file)) return Step::End;
        }
        const SameNameOutcome outcome =
            ownCopy && m_options.noQuestion
                ? SameNameResolver::Numbered(m_fs, item.find, item.destinationDirectory)
                : m_sameName.Apply(m_fs, m_services.asker, item.find, existing, item.destinationDirectory);
        switch (outcome.action) {
            case SameNameAction::EndJob:
                return Step::End;
            case SameNameAction::Skip:
                return Skip(item);
            case SameNameAction::SkipAfterNoCopy: {
                const NoCopyFailure failure = m_sameName.RunNoCopyProcessing(m_fs, item.find, destination);
                if (failure.Failed()) {
                    m_lastError = failure.code;
                    wchar_t question[512] = {};
                    _snwprintf_s(question, 512, _TRUNCATE, L"%sの変更に失敗しました。続けますか?(Error Code=%u)",
                                 failure.words.c_str(), static_cast<unsigned>(failure.code));
                    if (!LogOrAsk(failure.call, failure.code, destination, Naming(question, destination)))
                        return Step::End;
                }
                return Skip(item);
            }
            case SameNameAction::CopyAs:
                destination = outcome.newPath;
                renamed = true;
                break;
            case SameNameAction::Copy:
                break;
        }
    }
    // A file that is its own destination (the same text, or the same file
    // through a link) would be destroyed: by the copy's truncation, or by the
    // move's removal of the "existing" destination.
    if (collision && !renamed && IsSameFile(source, destination)) return RefuseSelf(item, source);

    bool failed = false;
    bool answered = false;
    const bool replacing = collision && !renamed;
    m_copier.SetReplaceExisting(replacing);
    if (virtualDestination) {
        if (VirtualDestination(item, failed, answered) == Step::End) return Step::End;
    } else if (!IsMoveMode(m_options.mode)) {
        // The copier keeps an existing destination's attributes until the new
        // file replaces it; only the plain in-place write needs them cleared now.
        if (replacing && !m_copier.SafeReplace()) m_fs.SetAttributes(destination, FILE_ATTRIBUTE_NORMAL);
        bool copied = false;
        if (CopyOne(item, destination, replacing ? FindDataSize(existing) : 0, copied, answered) == Step::End)
            return Step::End;
        failed = !copied;
        if (m_appeared) return Step::Next;
    } else if (item.fromVirtualListing || !SameVolume(source, item.destinationDirectory)) {
        // A virtual listing's entry stands for a real file that must stay:
        // it is copied, never renamed, and only the listing forgets it.
        bool copied = false;
        if (CopyOne(item, destination, replacing ? FindDataSize(existing) : 0, copied, answered) == Step::End)
            return Step::End;
        failed = !copied;
        if (m_appeared) return Step::Next;
        // The source goes only after its copy is complete.
        if (copied && DeleteMovedSource(item) == Step::End) return Step::End;
    } else if (!MoveWithinVolume(m_fs, source, destination, replacing)) {
        m_lastError = ::GetLastError();
        m_totals.bytesDone += FindDataSize(item.find);
        answered = m_log.Write(L"MoveFile", m_lastError, source) == 1;
        failed = true;
    } else {
        m_sameName.NoteWritten(destination);
        if (item.fromVirtualListing && m_services.virtualDrives != nullptr)
            m_services.virtualDrives->Remove(m_input.source.directory, item.sourceDirectory, item.find.cFileName);
    }
    if (failed && !answered && !m_cancel.load() && !m_options.noQuestion) {
        if (!AskContinue(
                WithCode(L"ファイルのコピーに失敗しました。続けますか\n(Error Code=%u)", nullptr, m_lastError, source)))
            return Step::End;
    }
    return Step::Next;
}

}  // namespace zq::fileops
