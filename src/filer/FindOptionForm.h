#pragma once
// The rules behind the additional-conditions dialog "付加条件": a
// FileConditions record shown as the dialog's texts and boxes, the date
// operations, and the check on OK that turns the texts back into a record.
//
//   FindOptionForm form(pane.Conditions(), SystemLocalClock());
//   form.Values().text[FindOptionText(kRangeWrite, kPartFromDate)] = L"2026/02/01";
//   form.ApplyDateOperation(FindOptionText(kRangeWrite, kPartToDate), DateOperation::Today);
//   FindOptionOutcome out = form.Validate();   // out.message when !out.ok
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "filer/DateFields.h"
#include "filer/FileConditions.h"
#include "filer/LocalClock.h"

namespace zq {

// The three time ranges in the dialog's order.
enum FindOptionRange : int { kRangeCreation = 0, kRangeAccess = 1, kRangeWrite = 2, kFindOptionRangeCount = 3 };
// The four fields of one range.
enum FindOptionPart : int { kPartFromDate = 0, kPartFromTime = 1, kPartToDate = 2, kPartToTime = 3 };

// Index of a range's field in FindOptionValues::text.
[[nodiscard]] constexpr int FindOptionText(int range, int part) noexcept {
    return range * 4 + part;
}
inline constexpr int kTextSizeFrom = 12;
inline constexpr int kTextSizeTo = 13;
inline constexpr int kFindOptionTextCount = 14;

enum FindOptionCheck : int {
    kCheckUseCreation = 0,  // "有効" of each range, in range order
    kCheckUseAccess,
    kCheckUseWrite,
    kCheckPlain,  // "無属性"
    kCheckSystem,
    kCheckReadOnly,
    kCheckHidden,
    kCheckArchive,
    kCheckDirectory,
    kFindOptionCheckCount,
};

enum SizeUnit : int { kUnitByte = 0, kUnitKByte = 1, kUnitMByte = 2, kSizeUnitCount = 3 };

// What the dialog's controls hold.
struct FindOptionValues {
    std::array<std::wstring, kFindOptionTextCount> text;
    std::array<bool, kFindOptionCheckCount> check{};
    int sizeUnit = kUnitByte;
};

struct FindOptionOutcome {
    bool ok = false;
    std::wstring message;  // the complaint to show when not ok
    int focusText = -1;    // the text field at fault, -1 when none
    FileConditions conditions;
};

// "作成日", "アクセス日", "更新日".
[[nodiscard]] const wchar_t* RangeName(int range);
// The labels of the size fields for a unit: "Byteから" / "Byteまで" …
[[nodiscard]] const wchar_t* SizeFromLabel(int unit);
[[nodiscard]] const wchar_t* SizeToLabel(int unit);
// The unit list's items and the date-operation list's items, in list order.
[[nodiscard]] const wchar_t* SizeUnitItem(int unit);
[[nodiscard]] const wchar_t* DateOperationItem(int operation);

// A decimal count of `unit`s in bytes (a KByte is 1024 bytes); false for
// anything but digits and for counts beyond 64 bits.
[[nodiscard]] bool ParseSizeField(std::wstring_view text, int unit, uint64_t& bytes);

// The record a new search starts from: every range from 2000-01-01 00:00:00
// to today 23:59:59 local time, none in use, the default attributes and sizes.
[[nodiscard]] FileConditions DefaultSearchConditions(const LocalClock& clock);

class FindOptionForm {
  public:
    // A range whose two times are both zero (never set) shows the search
    // defaults, so that ticking "有効" starts from sensible dates.
    FindOptionForm(const FileConditions& initial, const LocalClock& clock);

    [[nodiscard]] FindOptionValues& Values() noexcept { return m_values; }
    [[nodiscard]] const FindOptionValues& Values() const noexcept { return m_values; }

    // Steps the date in text field `textIndex` (a from or to date); a field
    // that does not hold a valid date is stepped from today.  False when
    // `textIndex` is not a date field.
    bool ApplyDateOperation(int textIndex, DateOperation operation);

    // The check on OK, in the order of the dialog: the dates and times of the
    // ranges in use, the attributes, the sizes.  Ranges not in use keep their
    // fields' times when those are valid and their old times otherwise.
    [[nodiscard]] FindOptionOutcome Validate() const;

  private:
    bool RangeTimes(int range, FILETIME& from, FILETIME& to, FindOptionOutcome& outcome) const;

    FileConditions m_initial;
    const LocalClock& m_clock;
    FindOptionValues m_values;
};

}  // namespace zq
