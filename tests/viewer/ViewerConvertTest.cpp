// The block converters against the platform's own tables.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "viewer/ViewerConvert.h"

namespace zq::viewer {
namespace {

std::wstring Decode(UINT codePage, const std::string& bytes) {
    wchar_t wide[8] = {};
    const int n =
        ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), wide, 8);
    return std::wstring(wide, n > 0 ? static_cast<size_t>(n) : 0);
}

std::string Convert(ViewerCharCode code, const std::string& in) {
    std::string out(in.size() + 2, '\0');
    ConvertState state;
    std::vector<wchar_t> wide;
    const auto n =
        ConvertBlock(code, reinterpret_cast<const std::uint8_t*>(in.data()), static_cast<std::int64_t>(in.size()),
                     reinterpret_cast<std::uint8_t*>(out.data()), state, wide);
    out.resize(static_cast<size_t>(n));
    return out;
}

// Every character of JIS X 0208 that the platform's EUC-JP table knows, as
// EUC and as JIS, must become the Shift_JIS character that the platform
// reads as the same character, and that character must go back to the same
// two bytes.  Row 62 (EUC lead byte 0xDE) is the exception: the EUC
// arithmetic gives it the lead byte 0xDF, the JIS arithmetic the platform's
// 0x9F.  The platform's JIS tables are not there, but a JIS pair is the EUC
// pair without its high bits.
TEST(ViewerConvert, EucAndJisAgreeWithThePlatformOverJisX0208) {
    int compared = 0;
    int row62 = 0;
    std::wstring differing;
    for (int row = 1; row <= 84; ++row) {  // rows 85 to 94 are not in JIS X 0208
        for (int cell = 1; cell <= 94; ++cell) {
            const std::string euc{static_cast<char>(0xA0 + row), static_cast<char>(0xA0 + cell)};
            const std::wstring platform = Decode(20932, euc);
            if (platform.size() != 1 || (platform == L"\x30FB" && !(row == 1 && cell == 6))) continue;
            const std::string sjis = Convert(kCharCodeEuc, euc);
            const std::string jis =
                "\x1B$B" + std::string{static_cast<char>(0x20 + row), static_cast<char>(0x20 + cell)};
            ASSERT_EQ(sjis.size(), 2u) << row << "-" << cell;
            const std::string fromJis = Convert(kCharCodeJis, jis);
            if (row == 62) {
                EXPECT_EQ(sjis, (std::string{'\xDF', static_cast<char>(0xA0 + cell - 2)})) << cell;
                EXPECT_EQ(Decode(932, fromJis), platform) << cell;
                ++row62;
                continue;
            }
            EXPECT_EQ(fromJis, sjis) << row << "-" << cell;
            const std::wstring ours = Decode(932, sjis);
            if (ours != platform) differing += platform + ours;
            char back[4] = {};
            EXPECT_EQ(
                ::WideCharToMultiByte(932, 0, ours.data(), static_cast<int>(ours.size()), back, 4, nullptr, nullptr),
                2);
            EXPECT_EQ(std::string(back, 2), sjis) << row << "-" << cell;
            ++compared;
        }
    }
    EXPECT_GT(compared, 6700);
    EXPECT_EQ(row62, 94);
    // The two tables give six symbols different code points (the wave dash,
    // the double vertical line, the minus, cent, pound and not signs): the
    // platform's EUC reading first, its Shift_JIS reading second.  No other
    // character may differ.
    EXPECT_EQ(differing, L"\x301C\xFF5E\x2016\x2225\x2212\xFF0D\x00A2\xFFE0\x00A3\xFFE1\x00AC\xFFE2");
}

}  // namespace
}  // namespace zq::viewer
