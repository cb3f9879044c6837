// Archives through zq's own paths: a ZIP of many members listed into a pane
// (the listing source the pane reads, which opens the archive through the
// archiver library as the program loads it), and archives unpacked by the
// job the unpack dialog runs, on a worker thread with an owner window that
// takes the library's progress messages.  The script times bsdtar on the
// very same files in the same run, so the figures become ratios.  Each case
// runs three times and the fastest run counts.
//
//   ArchiveBench <Unbypass.dll> <work folder> <listing zip> <mixed zip> <single-member tar.gz>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "archive/ArchiveSource.h"
#include "archive/ArchiverApi.h"
#include "archive/UnpackJob.h"
#include "common/Paths.h"
#include "common/TextConv.h"
#include "main/TempDir.h"

using namespace zq;

namespace {

constexpr int kRounds = 3;

struct QuietQuestions final : IUnpackQuestions {
    std::wstring said;
    bool OkCancel(const std::wstring& text, const std::wstring&) override {
        said = text;
        return false;
    }
    void Inform(const std::wstring& text) override { said = text; }
};

// What the dialog does with the library's progress: take the text of each
// message into a control of its own.
struct ProgressOwner {
    HWND window = nullptr;
    HWND label = nullptr;
    UINT message = 0;
    long long seen = 0;

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ProgressOwner*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && msg == self->message) {
            ++self->seen;
            if (const auto* info = reinterpret_cast<const arc::EXTRACTINGINFOEX*>(lParam))
                ::SetWindowTextA(self->label, info->exinfo.szSourceFileName);
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    ProgressOwner() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZqArchiveBenchOwner";
        ::RegisterClassW(&wc);
        window = ::CreateWindowW(wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 80, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        label = ::CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, window, nullptr, wc.hInstance,
                                nullptr);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        message = ::RegisterWindowMessageA(arc::kExtractMessageName);
    }
    ~ProgressOwner() { ::DestroyWindow(window); }
};

double ListIntoPane(const std::wstring& library, const std::wstring& zip, size_t& count) {
    // A fresh source, as a pane that enters the archive has not opened it yet.
    ArchiveSource source([&] { return library; });
    const double t0 = Now();
    count = 0;
    source.Enumerate(zip, L"*.*", [&](FileEntry&) {
        ++count;
        return true;
    });
    // A pane lists every folder it shows; entering the first folder below
    // the root is what the user does next and costs no new listing.
    return Now() - t0;
}

double Unpack(const std::wstring& library, const std::wstring& archive, const std::wstring& destination,
              ProgressOwner& owner, bool& ok, std::wstring& said) {
    (void)test::RemoveTree(destination);
    ::CreateDirectoryW(destination.c_str(), nullptr);
    UnpackRequest request;
    request.destination = destination;
    QuietQuestions questions;
    UnpackJob job(DefaultArchiverTable(), library, request,
                  {UnpackJob::Item{std::wstring(ParentPart(archive)), std::wstring(FileNamePart(archive))}}, questions);
    job.SetOwnerWindow(owner.window);
    const double t0 = Now();
    struct Work {
        UnpackJob* job;
        bool result = false;
        static DWORD WINAPI Run(void* self) {
            auto* work = static_cast<Work*>(self);
            work->result = work->job->Run();
            return 0;
        }
    } work{&job};
    const HANDLE thread = ::CreateThread(nullptr, 0, &Work::Run, &work, 0, nullptr);
    // The window thread pumps while the worker works, as under the dialog.
    for (;;) {
        const DWORD wait = ::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT);
        if (wait != WAIT_OBJECT_0 + 1) break;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
    ::CloseHandle(thread);
    const bool result = work.result;
    const double seconds = Now() - t0;
    ok = result;
    said = questions.said;
    return seconds;
}

unsigned long long TreeBytes(const std::wstring& folder, unsigned long long& files) {
    unsigned long long bytes = 0;
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            bytes += TreeBytes(folder + L"\\" + name, files);
        } else {
            ++files;
            bytes += (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return bytes;
}

void UnpackCase(const char* label, const std::wstring& library, const std::wstring& archive,
                const std::wstring& destination, ProgressOwner& owner) {
    double best = 1e9;
    bool allOk = true;
    std::wstring said;
    for (int round = 0; round < kRounds; ++round) {
        bool ok = false;
        best = std::min(best, Unpack(library, archive, destination, owner, ok, said));
        allOk = allOk && ok;
    }
    unsigned long long files = 0;
    const unsigned long long bytes = TreeBytes(destination, files);
    std::printf("  zq unpack %-8s %8.1f MB/s  (%.3f s)  %llu files, %llu bytes%s\n", label, bytes / 1e6 / best, best,
                files, bytes, allOk ? "" : "  FAILED");
    if (!allOk) std::printf("    said: %s\n", ToUtf8(said).c_str());
    (void)test::RemoveTree(destination);
}

// Unpacking into a folder that exists asks first whether any member's name
// is taken there.  100,000 members in 1,000 folders, none taken, against the
// baseline of asking the disk once per member.
void TakenNameCase(const std::wstring& work) {
    const std::wstring into = JoinPath(work, L"zq-taken");
    ::CreateDirectoryW(into.c_str(), nullptr);
    for (int f = 0; f < 1000; f += 10) {
        const std::wstring folder = JoinPath(into, L"f" + std::to_wstring(f));
        ::CreateDirectoryW(folder.c_str(), nullptr);
        const HANDLE file =
            ::CreateFileW(JoinPath(folder, L"other.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    }
    std::vector<std::wstring> members;
    for (int m = 0; m < 100000; ++m)
        members.push_back(L"f" + std::to_wstring(m % 1000) + L"/n" + std::to_wstring(m) + L".txt");
    double t0 = Now();
    const bool taken = AnyNameTaken(into, members, true);
    const double ours = Now() - t0;
    t0 = Now();
    int found = 0;
    for (std::wstring member : members) {
        std::replace(member.begin(), member.end(), L'/', L'\\');
        if (FileExists(JoinPath(into, member))) ++found;
    }
    const double baseline = Now() - t0;
    std::printf(
        "  taken-name check      %zu members  %.3f s (taken %d), one question per member %.3f s (found %d), "
        "ratio %.2f\n",
        members.size(), ours, taken ? 1 : 0, baseline, found, ours / baseline);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 6) {
        std::printf("usage: ArchiveBench <Unbypass.dll> <work folder> <listing zip> <mixed zip> <tar.gz>\n");
        return 2;
    }
    const std::wstring library = argv[1], work = argv[2], listing = argv[3], mixed = argv[4], tgz = argv[5];
    ::CreateDirectoryW(work.c_str(), nullptr);

    size_t count = 0;
    double best = 1e9;
    for (int round = 0; round < kRounds; ++round) best = std::min(best, ListIntoPane(library, listing, count));
    ArchiveSource source([&] { return library; });
    size_t members = 0;
    source.Enumerate(listing, L"*.*", [](FileEntry&) { return true; });
    members = source.Archive().Members().size();
    std::printf("  zq list into a pane  %zu members, %zu root entries  (%.3f s)\n", members, count, best);

    ProgressOwner owner;
    UnpackCase("zip", library, mixed, JoinPath(work, L"zq-zip"), owner);
    UnpackCase("tar.gz", library, tgz, JoinPath(work, L"zq-tgz"), owner);
    std::printf("  progress messages seen: %lld\n", owner.seen);
    TakenNameCase(work);
    return 0;
}
