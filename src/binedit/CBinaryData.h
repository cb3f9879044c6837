#pragma once
// One file open in the binary editor.  The file is never loaded whole: bytes
// come through a window cache, and every change waits in a sparse change
// record until the file is saved, when only the changed 32-byte chunks are
// written back in place.  The file's size never changes.  Offsets are 64-bit, so
// files of any size open and edit alike.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "binedit/BinarySearch.h"
#include "common/FileSystem.h"
#include "common/Handle.h"

namespace zq::binedit {

enum class WriteMode { Byte, HighNibble, LowNibble };

class CBinaryData {
  public:
    static constexpr int kRowBytes = 16;
    static constexpr int kRowNibbles = 32;
    static constexpr int kChunkBytes = 32;
    static constexpr int kBucketBytes = 320;
    static constexpr int kCacheBytes = 32000;
    static constexpr int kCacheBack = 16000;

    explicit CBinaryData(IFileSystem& fileSystem = RealFileSystem());
    virtual ~CBinaryData();
    CBinaryData(const CBinaryData&) = delete;
    CBinaryData& operator=(const CBinaryData&) = delete;

    // Opens the file for reading (others may read and write it) and resets
    // the cursor, the top row and the selection.  False: LastError() says why.
    [[nodiscard]] bool Open(const std::wstring& path);
    [[nodiscard]] const std::wstring& Path() const noexcept { return m_path; }
    [[nodiscard]] std::int64_t Size() const noexcept { return m_size; }
    [[nodiscard]] std::int64_t Rows() const noexcept { return (m_size + kRowBytes - 1) / kRowBytes; }
    // The call that failed last (Open, Save, WriteChangedPositions).
    [[nodiscard]] Win32Error LastError() const noexcept { return m_error; }
    // Case-insensitive, as the other pane's path is compared after a save.
    [[nodiscard]] bool IsSameFile(const std::wstring& path) const;

    // The edited bytes (changes applied) at [offset, offset + count), cut at
    // the file end, through the window cache; returns how many were read.
    std::size_t ReadBytes(std::int64_t offset, std::size_t count, std::uint8_t* buffer);
    // Forgets the window, for when the file changed beneath it.
    void InvalidateCache() noexcept;

    // Writes below the file size only; false when ignored or when the
    // chunk's bytes could not be read.
    bool WriteByte(std::int64_t offset, std::uint8_t value, WriteMode mode);
    // The buffer from offset, stopping before end (and the file end); returns the bytes written.
    std::int64_t WriteRun(std::int64_t offset, const std::uint8_t* data, std::size_t count, std::int64_t end);
    // The buffer again and again from offset up to end, the last copy cut short.
    std::int64_t WriteRepeat(std::int64_t offset, const std::uint8_t* data, std::size_t count, std::int64_t end);
    [[nodiscard]] bool AnyChange() const noexcept { return !m_buckets.empty(); }
    // Whether the byte at offset was written since the last save (also when
    // written back to its old value).
    [[nodiscard]] bool IsChanged(std::int64_t offset) const;

    // Writes every changed 32-byte chunk back in place and empties the record.  On a
    // failure nothing is forgotten: the record keeps every change (those
    // already written included), so a second save can finish the job.
    [[nodiscard]] bool Save();
    // Whether another program wrote the file since it was opened or last
    // saved here (its time or size differ); a file that cannot be looked at
    // counts as unchanged, and the save then reports what is wrong.
    [[nodiscard]] bool ChangedOnDisk();

    // Undo and redo, back to the last save.  Every write after BeginEdit()
    // belongs to one step, so that a command that writes many bytes is undone
    // at once.  A save forgets both lists.
    void BeginEdit() noexcept { m_newStep = true; }
    bool Undo();
    bool Redo();
    [[nodiscard]] bool CanUndo() const noexcept { return !m_undo.empty(); }
    [[nodiscard]] bool CanRedo() const noexcept { return !m_redo.empty(); }

    // The "ADDRESS    DATA" listing of every changed byte, UTF-16 with a byte-order mark.
    [[nodiscard]] bool WriteChangedPositions(const std::wstring& outputPath);

    // The cursor in nibbles: byte = cursor / 2, even = high nibble.
    [[nodiscard]] std::int64_t Cursor() const noexcept { return m_cursor; }
    [[nodiscard]] std::int64_t CursorByte() const noexcept { return m_cursor / 2; }
    [[nodiscard]] std::int64_t TopRow() const noexcept { return m_topRow; }
    void MoveCursor(std::int64_t delta);
    // Puts the cursor on a nibble, clamped into the file.
    void SetCursor(std::int64_t nibble);
    // Brings the cursor row among the `dataRows` rows on screen; returns the
    // change of the top row so that the caller can scroll or redraw.
    std::int64_t KeepCursorVisible(std::int64_t dataRows);
    // The jump dialog's row: the cursor goes to (or, relative, moves by) its
    // byte, row x 16, with the clamping of MoveCursor.
    void JumpToRow(std::int64_t row, bool relative);
    // Types a hexadecimal digit at the cursor and moves one nibble right.
    void TypeNibble(int digit);

    struct Selection {
        std::int64_t anchor = -1;
        std::int64_t end = -1;
        bool mouseSelecting = false;
        bool exists = false;
    };
    [[nodiscard]] const Selection& CurrentSelection() const noexcept { return m_selection; }
    // The selected bytes [first, last); false without a selection.
    [[nodiscard]] bool SelectedBytes(std::int64_t& first, std::int64_t& last) const;
    void SelectNibbles(std::int64_t anchor, std::int64_t end);
    // Bytes first to last inclusive.
    void SelectBytes(std::int64_t first, std::int64_t last);
    void SelectAll();
    void ClearSelection() noexcept;
    // Moves the selection end (starting one at the cursor when there is none); the cursor follows it.
    void MoveSelectionEnd(std::int64_t delta);
    void SetMouseSelecting(bool on) noexcept { m_selection.mouseSelecting = on; }

    // The search or comparison started last.
    [[nodiscard]] BinarySearch& Search() noexcept { return m_search; }

  private:
    struct ChangeChunk {
        std::uint8_t data[kChunkBytes] = {};  // the file's bytes with the changes applied
        std::uint32_t changed = 0;            // bit i: byte base + i was written
        std::int64_t base = 0;
    };
    // One bucket per 320 file bytes, its chunks in the order they were made.
    // The buckets are kept sparse, by index, because a head for every 320
    // bytes of a file of many gigabytes would cost more than the changes.
    using Bucket = std::vector<ChangeChunk>;

    bool ReadWindow(std::int64_t position);
    std::size_t ReadFileAt(std::int64_t offset, std::size_t count, std::uint8_t* buffer);
    void Overlay(std::int64_t offset, std::size_t count, std::uint8_t* buffer) const;
    ChangeChunk* FindOrMakeChunk(std::int64_t offset);
    std::vector<const ChangeChunk*> ChunksInOrder() const;
    bool Fail(const wchar_t* call);
    // Puts a byte back as an undo step left it; a chunk left without changes goes.
    void Restore(std::int64_t offset, std::uint8_t value, bool changed);
    // The file's last write time and size as the disk has them; false when not found.
    bool DiskStamp(FILETIME& written, std::uint64_t& size);

    FILETIME m_written{};
    std::uint64_t m_diskSize = 0;

    struct StepByte {
        std::int64_t offset;
        std::uint8_t before;
        std::uint8_t after;
        bool wasChanged;
    };
    using Step = std::vector<StepByte>;
    std::vector<Step> m_undo;
    std::vector<Step> m_redo;
    bool m_newStep = true;
    bool m_replaying = false;
    void ClampSelectionEnd();

    IFileSystem& m_fs;
    std::wstring m_path;
    std::int64_t m_size = 0;
    BinarySearch m_search;
    std::int64_t m_cursor = 0;
    std::int64_t m_topRow = 0;
    Selection m_selection;
    std::map<std::int64_t, Bucket> m_buckets;
    UniqueFile m_file;
    std::int64_t m_filePointer = -1;  // where the read handle's pointer stands; -1 unknown
    std::vector<std::uint8_t> m_cache;
    std::int64_t m_cacheStart = 0;
    std::int64_t m_cacheEnd = 0;  // empty window when equal to the start
    Win32Error m_error;
};

}  // namespace zq::binedit
