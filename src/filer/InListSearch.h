#pragma once
// The two ways of moving a listing's cursor by typing: the simple search
// jumps to the next name that begins with the typed character, the
// incremental search gathers typed characters and keeps the cursor on the
// first name that begins with all of them.  No window code: the view hands
// in key-downs and typed characters and moves the cursor where told.
//
//   InListSearch search;
//   search.SetIncrementalMode(kSearchPlain);
//   InListKeyResult r = search.OnKeyDown(vk, shift, ctrl, names, count, cursor);
//   if (r.taken && r.target >= 0) pane.MoveCursor(r.target - cursor, true);
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zq {

// The modes of either search: which key presses it takes.
enum SearchMode : unsigned {
    kSearchOff = 0,
    kSearchPlain = 1,     // key-downs without Shift or Ctrl
    kSearchShift = 2,     // key-downs with Shift
    kSearchCtrl = 3,      // key-downs with Ctrl
    kSearchExpanded = 4,  // typed characters, Ctrl up
};

// What a key gives the search: not taken (the key goes on to the commands),
// taken without a character, or taken with one.
struct SearchInput {
    bool taken = false;
    wchar_t ch = 0;
};

// A key-down's virtual key as the search reads it (Japanese keyboard).
[[nodiscard]] SearchInput TranslateSearchKey(unsigned virtualKey);
// A typed character (WM_CHAR, also what an input method hands over).
[[nodiscard]] SearchInput TranslateSearchChar(wchar_t ch);
// Whether a search in `mode` looks at this press at all.
[[nodiscard]] bool SearchModeTakes(unsigned mode, bool typedCharacter, bool shift, bool ctrl);

// The name at a display position.
using SearchNameAt = std::function<std::wstring_view(int position)>;

// The simple search: from the entry after `cursor` round to the one before
// it, the first whose first character matches `ch` (both upper-cased); -1 when none.
[[nodiscard]] int SimpleSearchTarget(const SearchNameAt& nameAt, int count, int cursor, wchar_t ch);
// The incremental search: the first entry from position 0 whose upper-cased
// name begins with the upper-cased `buffer`; -1 when none (and for an empty buffer).
[[nodiscard]] int IncrementalSearchTarget(const SearchNameAt& nameAt, int count, std::wstring_view buffer);

struct InListKeyResult {
    bool taken = false;        // the key is not dispatched as a command
    int target = -1;           // the position the cursor goes to, -1: it stays
    bool bufferShown = false;  // the header's search box shows something new
};

class InListSearch {
  public:
    static constexpr std::size_t kMaxBuffer = 520;

    void SetIncrementalMode(unsigned mode);
    void SetSimpleMode(unsigned mode) noexcept { m_simpleMode = mode; }
    [[nodiscard]] unsigned IncrementalMode() const noexcept { return m_incrementalMode; }
    [[nodiscard]] unsigned SimpleMode() const noexcept { return m_simpleMode; }
    [[nodiscard]] bool IncrementalActive() const noexcept { return m_incrementalMode != kSearchOff; }
    [[nodiscard]] const std::wstring& Buffer() const noexcept { return m_buffer; }

    // A key-down or a typed character of the listing; the incremental search
    // is asked first, the simple one only when the first did not take it.
    InListKeyResult OnKeyDown(unsigned virtualKey, bool shift, bool ctrl, const SearchNameAt& nameAt, int count,
                              int cursor);
    InListKeyResult OnChar(wchar_t ch, bool ctrl, const SearchNameAt& nameAt, int count, int cursor);
    // @BackIncSearch: the last character goes and the rest is searched again.
    InListKeyResult Back(const SearchNameAt& nameAt, int count);
    // Enter or a cursor move ends the search: the buffer empties and the mode goes off.
    void End();
    void ClearBuffer() noexcept { m_buffer.clear(); }

  private:
    InListKeyResult Offer(const SearchInput& input, bool incremental, bool simple, const SearchNameAt& nameAt,
                          int count, int cursor);

    unsigned m_incrementalMode = kSearchOff;
    unsigned m_simpleMode = kSearchOff;
    std::wstring m_buffer;
};

}  // namespace zq
