#pragma once
// The five Filer display formats: which columns follow the name in a file's
// cell.  FILERINFONUMBER selects one of them.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zq::filer {

struct FilerDisplayFormat {
    bool date = false;
    bool time = false;
    bool secondsHidden = false;  // time cut to hours and minutes
    bool size = false;
    bool attributes = false;

    bool operator==(const FilerDisplayFormat&) const = default;
};

inline constexpr int kFilerFormatCount = 5;
using FilerDisplayFormats = std::array<FilerDisplayFormat, kFilerFormatCount>;

// Cells that the format's columns add to a file's cell: date 11, time 9
// (6 with seconds hidden), size 15, attributes 5.
[[nodiscard]] int FormatColumnsWidth(const FilerDisplayFormat& format);

// The menu label: "名前" followed by "+日付", "+時間(秒非表示)" or "+時間",
// "+サイズ", "+属性".
[[nodiscard]] std::wstring FormatMenuLabel(const FilerDisplayFormat& format);

// The stored form of a format under FILERINFO%d: five digits "0"/"1" in the
// order date, time, size, no-seconds, attributes.
[[nodiscard]] std::wstring FormatToDigits(const FilerDisplayFormat& format);
// Reads that form; any character other than '0' counts as set.  Fails on a
// value that is not exactly five characters long.
[[nodiscard]] std::optional<FilerDisplayFormat> FormatFromDigits(std::wstring_view digits);

// `@Changefilerinfo`: the format after `current`, wrapping to 0.
[[nodiscard]] int NextFormatNumber(int current);

}  // namespace zq::filer
