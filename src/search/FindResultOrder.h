#pragma once
// The order of the results list in the search dialog: unsorted, the newest
// result is on top; a clicked column sorts, the same column again reverses.
#include <cstdint>
#include <string>
#include <vector>

#include "search/FindRequest.h"

namespace zq {

// The list's columns: "ファイル名", "ディレクトリ名", "サイズ", "日付", "時間".
enum class FindColumn { None = -1, Name = 0, Directory = 1, Size = 2, Date = 3, Time = 4 };
inline constexpr int kFindColumnCount = 5;

struct FindOrder {
    FindColumn column = FindColumn::None;
    bool descending = false;
    bool logical = false;  // USE_STR_CMP_LOGICAL_W
};

[[nodiscard]] FindOrder ClickedColumn(FindOrder order, FindColumn column);
// Negative, 0 or positive as a sorts before, with or after b.
[[nodiscard]] int CompareFindResults(const structFindThreadInfo& a, const structFindThreadInfo& b,
                                     const FindOrder& order);

// The results as the list shows them.  Results arrive in the store's order
// (oldest first) and are placed as they come: before the first row that sorts
// after them, or at the top while no column is chosen.
class FindResultView {
  public:
    void Clear();
    void Append(std::vector<structFindThreadInfo> items);
    void SetOrder(const FindOrder& order);
    [[nodiscard]] const FindOrder& Order() const noexcept { return m_order; }
    [[nodiscard]] size_t Size() const noexcept { return m_rows.size(); }
    // What has come from the store so far: where the next Append starts.
    [[nodiscard]] size_t Taken() const noexcept { return m_items.size(); }
    [[nodiscard]] const structFindThreadInfo& Row(size_t row) const { return m_items[m_rows[row]]; }

  private:
    void SortAll();

    std::vector<structFindThreadInfo> m_items;  // the store's order
    std::vector<uint32_t> m_rows;               // indices into m_items, in display order
    FindOrder m_order;
};
// A row's text in column `column`: the size grouped in a field of 14 or
// "<DIR>", the date and time of the last write in local time.
[[nodiscard]] std::wstring FindColumnText(const structFindThreadInfo& item, FindColumn column);

}  // namespace zq
