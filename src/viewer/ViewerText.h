#pragma once
// The text one pane of the Viewer shows: the converted bytes (ANSI code page),
// the index of wrapped display lines built while a background thread reads
// the file, and the settings and codes it was loaded with.  Every reader of the
// text or the index goes through TextAvailable()/Release() (or TextLock), so
// that the loader can grow the buffers while the window draws.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "filer/FileEntry.h"
#include "viewer/KindSetting.h"
#include "viewer/ViewerConvert.h"

namespace zq::viewer {

class CViewDataThread;

// Directories on a virtual drive are translated to real ones before a file is
// opened.  Virtual drives are not there yet; with no translator every
// directory is taken as real.
class VirtualDriveTranslator {
  public:
    virtual ~VirtualDriveTranslator() = default;
    [[nodiscard]] virtual bool IsVirtual(const std::wstring& directory) const = 0;
    // False when the directory cannot be translated; the open then fails.
    [[nodiscard]] virtual bool ToRealPath(const std::wstring& directory, std::wstring& realDirectory) const = 0;
};

// What an open needs besides the file: the global tab width (TABCARAMES),
// columns per line (VIEWCHARWIDE), the per-extension rows and the global code
// request (VIEWER_CHAR_CODE).
struct ViewerOpenSettings {
    int tabWidth = 8;
    int columns = 80;
    ViewerCharCode request = kCharCodeSjis;
    const KindSettings* kinds = nullptr;  // none: no per-extension rows
};

// The fields the loader shares with the pane.  The loader writes the text
// length and the line count without the semaphore (readers see a prefix of the
// finished index); the two pointers change only while it holds the semaphore.
struct ViewerLoadState {
    char* text = nullptr;  // locked movable local memory
    std::atomic<std::int64_t> textLength{0};
    std::int64_t capacityTarget = 0;
    std::int64_t fileSize = 0;
    std::int64_t* lines = nullptr;  // lines[i] .. lines[i+1] is display line i
    std::int64_t lineCapacity = 0;  // entries allocated
    std::atomic<std::int32_t> lineCount{0};
    HANDLE semaphore = nullptr;
};

class ViewerText {
  public:
    static constexpr int kPaneCount = 2;

    explicit ViewerText(int paneNumber);
    ~ViewerText();
    ViewerText(const ViewerText&) = delete;
    ViewerText& operator=(const ViewerText&) = delete;

    // Opens entry (a file in directory, or in the pane's current directory
    // when directory is empty) for viewing.  Returns when the first block is
    // converted and indexed; the rest loads on the pane's loader thread.
    // False leaves the pane without text.
    [[nodiscard]] bool Open(const FileEntry& entry, const std::wstring& directory, const ViewerOpenSettings& settings);
    // Opens text that is already in memory (an archive member extracted into
    // a fresh block of `length` bytes).  The pane takes the block over in every
    // case.  directory is the archive's virtual directory, used for the viewed
    // path only.
    [[nodiscard]] bool OpenMemory(const FileEntry& entry, const std::wstring& directory, HLOCAL block,
                                  std::int64_t length, const ViewerOpenSettings& settings);
    // How many bytes of an archive member are extracted for viewing:
    // min(the entry's size, GETVIEWMEM x 1000).
    [[nodiscard]] static std::int64_t MemberByteLimit(const FileEntry& entry, int getViewMemThousands) noexcept;

    // Rebuilds the line index from the text in memory with a new tab width
    // and columns per line (a value <= 0 keeps the current one).  The codes
    // stay.  A text whose load was stopped before its end is read again.
    [[nodiscard]] bool Reindex(int tabWidth, int columns);
    // Stops the loader and frees the text and the index.
    void Close();

    // Opens the viewed file again from the viewed entry and directory (after a
    // change of the code request, say).  Only for text read from a file;
    // archive members are extracted again by their owner and given to
    // OpenMemory.
    [[nodiscard]] bool Reopen(const ViewerOpenSettings& settings);
    // Reload keeping the position: remembers the top line and reopens;
    // ReloadSettled() is polled (every 100 ms) until it answers true, then
    // FinishReload() puts the remembered top line back (the caller clamps it).
    [[nodiscard]] bool BeginReload(const ViewerOpenSettings& settings);
    [[nodiscard]] bool ReloadSettled() const noexcept;
    void FinishReload() noexcept;

    // The gate for every reader.  True: the caller holds the semaphore and
    // must call Release().  False at once while printing.
    [[nodiscard]] bool TextAvailable();
    void Release();
    // True when there is no loader or its thread has ended.
    [[nodiscard]] bool LoaderFinished() const;

    [[nodiscard]] ViewerCharCode EffectiveCode() const noexcept { return m_effectiveCode; }
    [[nodiscard]] ViewerCharCode DetectedCode() const noexcept { return m_detectedCode; }

    // Read these only between TextAvailable() and Release().
    [[nodiscard]] const char* Text() const noexcept { return m_state.text; }
    [[nodiscard]] std::int64_t TextLength() const noexcept { return m_state.textLength.load(); }
    [[nodiscard]] const std::int64_t* Lines() const noexcept { return m_state.lines; }
    [[nodiscard]] std::int32_t LineCount() const noexcept { return m_state.lineCount.load(); }
    [[nodiscard]] std::int64_t LineStart(std::int32_t line) const noexcept { return m_state.lines[line]; }
    [[nodiscard]] std::int64_t LineEnd(std::int32_t line) const noexcept { return m_state.lines[line + 1]; }

    [[nodiscard]] std::int64_t FileSize() const noexcept { return m_state.fileSize; }
    [[nodiscard]] std::int64_t CapacityTarget() const noexcept { return m_state.capacityTarget; }
    [[nodiscard]] int TabWidth() const noexcept { return m_tabWidth; }
    [[nodiscard]] int Columns() const noexcept { return m_columns; }
    // columns-per-line + 10 spaces, to fill the rest of a drawn row.
    [[nodiscard]] std::string_view BlankLine() const noexcept { return m_blankLine; }
    [[nodiscard]] const std::wstring& ViewedPath() const noexcept { return m_viewedPath; }
    [[nodiscard]] const FileEntry& ViewedEntry() const noexcept { return m_viewedEntry; }
    [[nodiscard]] const std::wstring& ViewedDirectory() const noexcept { return m_viewedDirectory; }
    [[nodiscard]] bool FromMemory() const noexcept { return m_fromMemory; }
    [[nodiscard]] int PaneNumber() const noexcept { return m_pane; }

    [[nodiscard]] std::int32_t TopLine() const noexcept { return m_topLine; }
    void SetTopLine(std::int32_t line) noexcept { m_topLine = line; }
    [[nodiscard]] std::int32_t VisibleRows() const noexcept { return m_visibleRows; }
    void SetVisibleRows(std::int32_t rows) noexcept { m_visibleRows = rows; }
    [[nodiscard]] bool BinaryDisplay() const noexcept { return m_binaryDisplay; }
    void SetBinaryDisplay(bool on) noexcept { m_binaryDisplay = on; }
    // While printing, TextAvailable() refuses at once.
    [[nodiscard]] bool Printing() const noexcept { return m_printing; }
    void SetPrinting(bool on) noexcept { m_printing = on; }
    // The viewer search's origin and position; Close() sets both to 0.
    std::int64_t searchOrigin = 0;
    std::int64_t searchPosition = 0;

    // The directory shown when Open() is given none.
    void SetCurrentDirectory(const std::wstring& directory) { m_currentDirectory = directory; }
    void SetVirtualDriveTranslator(const VirtualDriveTranslator* translator) noexcept { m_translator = translator; }

  private:
    bool PrepareOpen(const FileEntry& entry, const std::wstring& directory, const ViewerOpenSettings& settings);
    bool StartLoad(HANDLE file, std::int64_t size, bool reindex, bool converted, ViewerCharCode request);
    void StopLoader();
    void FreeText();
    void FreeLines();

    int m_pane;
    ViewerLoadState m_state;
    std::unique_ptr<CViewDataThread> m_loader;
    int m_tabWidth = 8;
    int m_columns = 80;
    ViewerCharCode m_requestedCode = kCharCodeSjis;
    ViewerCharCode m_effectiveCode = kCharCodeSjis;
    ViewerCharCode m_detectedCode = kCharCodeSjis;
    std::string m_blankLine;
    std::wstring m_viewedPath;
    std::wstring m_viewedDirectory;
    std::wstring m_currentDirectory;
    FileEntry m_viewedEntry{};
    bool m_fromMemory = false;
    bool m_binaryDisplay = false;
    bool m_printing = false;
    std::int32_t m_topLine = 0;
    std::int32_t m_visibleRows = 0;
    std::int32_t m_reloadTopLine = 0;
    const VirtualDriveTranslator* m_translator = nullptr;
};

// Holds the text for one reader; false when there is nothing to read.
class TextLock {
  public:
    explicit TextLock(ViewerText& text) : m_text(text), m_held(text.TextAvailable()) {}
    ~TextLock() {
        if (m_held) m_text.Release();
    }
    TextLock(const TextLock&) = delete;
    TextLock& operator=(const TextLock&) = delete;
    explicit operator bool() const noexcept { return m_held; }

  private:
    ViewerText& m_text;
    bool m_held;
};

// Whether a change of the code request must open a shown text again.
[[nodiscard]] bool CodeChangeNeedsReopen(ViewerCharCode request, ViewerCharCode effective,
                                         ViewerCharCode detected) noexcept;

}  // namespace zq::viewer
