#pragma once
// The one search of the binary editor: a byte pattern in the edited data, or
// a position-by-position comparison with a second file under chosen
// conditions.  It steps through the positions one byte at a time in the
// chosen direction, wraps around the file's ends and stops when it comes back
// to where the search began.  A step may run on a worker thread; the window
// must leave the data alone until it returns.
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "binedit/BinaryInput.h"
#include "common/FileSystem.h"
#include "common/Handle.h"

namespace zq::binedit {

class CBinaryData;

enum class SearchDirection : int { Down = 0, Up = 1 };
enum class SearchStatus { Found, NotFound, Cancelled };

struct SearchResult {
    SearchStatus status = SearchStatus::NotFound;
    std::int64_t offset = -1;  // the match's first byte
};

// What the comparison dialog hands over.
struct CompareRequest {
    std::wstring comparePath;
    InputType type = InputType::Hex;
    bool isSigned = false;
    bool editEnabled = false;  // bytes expected in the edited file
    std::wstring editText;
    bool compareEnabled = false;  // bytes expected in the comparison file
    std::wstring compareText;
    bool differenceEnabled = false;  // comparison value minus edited value, decimal
    std::wstring differenceText;
    bool differing = false;  // the two files' bytes differ
    SearchDirection direction = SearchDirection::Down;
};

enum class CompareStart {
    Started,
    EditDataInvalid,
    CompareDataInvalid,
    DifferenceInvalid,
    NothingToFind,
    LengthsDiffer,
    OpenFailed
};
// The message for a comparison that did not start; nullptr for Started.
[[nodiscard]] const wchar_t* CompareStartMessage(CompareStart result);

class BinarySearch {
  public:
    explicit BinarySearch(IFileSystem& fileSystem) : m_fs(fileSystem) {}

    // A pattern search from origin (the cursor's byte or 0).  False when the
    // text is not valid for the type ("検索データが不正です").
    [[nodiscard]] bool StartSearch(InputType type, bool isSigned, std::wstring_view text, std::int64_t origin,
                                   SearchDirection direction);
    // A comparison from origin; opens the comparison file.
    [[nodiscard]] CompareStart StartComparison(const CompareRequest& request, std::int64_t origin);
    // Leaves the comparison file and forgets the search.
    void Reset();

    // One step: `reverse` goes against the chosen direction (the previous-match command).
    SearchResult Step(CBinaryData& data, bool reverse, const std::atomic<bool>* cancel = nullptr);

    [[nodiscard]] bool Started() const noexcept { return m_length > 0; }
    [[nodiscard]] bool CompareMode() const noexcept { return m_compareMode; }
    // The bytes a match covers, for selecting it.
    [[nodiscard]] std::size_t MatchLength() const noexcept { return m_length; }
    [[nodiscard]] std::int64_t Origin() const noexcept { return m_origin; }
    [[nodiscard]] std::int64_t Position() const noexcept { return m_position; }
    [[nodiscard]] const std::wstring& ComparePath() const noexcept { return m_comparePath; }

  private:
    struct Block;
    bool ScanSegment(CBinaryData& data, std::int64_t first, std::int64_t count, int step,
                     const std::atomic<bool>* cancel, std::int64_t& hit, std::int64_t& done);
    std::size_t ReadCompare(std::int64_t offset, std::size_t count, std::uint8_t* buffer);
    bool Test(const std::uint8_t* edited, const std::uint8_t* other) const;
    std::int64_t FindInBlock(const std::uint8_t* edited, const std::uint8_t* other, std::int64_t otherValid,
                             std::int64_t count, int step) const;

    IFileSystem& m_fs;
    std::string m_pattern;  // the plain search's pattern
    std::size_t m_length = 0;
    std::array<std::size_t, 256> m_shiftDown{};  // Horspool's shifts for each direction
    std::array<std::size_t, 256> m_shiftUp{};
    std::int64_t m_origin = 0;
    std::int64_t m_position = 0;
    SearchDirection m_direction = SearchDirection::Down;

    bool m_compareMode = false;
    std::wstring m_comparePath;
    UniqueFile m_compareFile;
    std::int64_t m_compareSize = 0;
    std::int64_t m_comparePointer = -1;
    std::vector<std::uint8_t> m_window;  // the comparison file's bytes at [m_windowStart, m_windowEnd)
    std::int64_t m_windowStart = 0;
    std::int64_t m_windowEnd = 0;
    InputType m_type = InputType::Hex;
    bool m_signed = false;
    bool m_editCondition = false;
    std::string m_editData;
    bool m_compareCondition = false;
    std::string m_compareData;
    bool m_differenceCondition = false;
    std::int64_t m_difference = 0;
    bool m_differingCondition = false;

    std::vector<std::uint8_t> m_edited;
    std::vector<std::uint8_t> m_other;
};

}  // namespace zq::binedit
