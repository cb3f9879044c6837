#pragma once
// The list of logical drives a Filer pane can show instead of a directory:
// one line per drive, A to Z, then the share left last and the network line.
// The lines are computed from plain facts about each drive; reading those
// facts is behind IDriveProbe, because asking an absent floppy or a lost
// network connection can take many seconds.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

// What is known of one drive letter.
struct StructDriveFacts {
    wchar_t letter = L'A';
    unsigned type = 0;   // the platform's drive type: 2 removable, 3 fixed, 4 remote, 5 CD-ROM, 6 RAM disk
    bool known = false;  // the slow facts below have arrived
    bool ready = false;  // and the drive answered
    std::wstring label;  // volume label
    uint64_t totalBytes = 0;
    uint64_t freeBytes = 0;
    std::wstring displayName;  // removable: the shell's name of the root, "(X:)" included
    std::wstring remoteName;   // remote: the connection's "\\server\share"
};

struct DriveListLine {
    std::wstring name;  // "C:", a UNC path, or the network line's text
    std::wstring text;
    bool notReady = false;  // facts were asked for and the drive did not answer
    bool pending = false;   // facts are still on their way
    bool operator==(const DriveListLine&) const = default;
};

inline constexpr const wchar_t* kDriveListTitle = L"論理ドライブリスト";
inline constexpr const wchar_t* kNetworkComputerLine = L"ネットワーク コンピュータ";
inline constexpr const wchar_t* kVirtualDriveText = L"仮想ドライブ";
inline constexpr const wchar_t* kNotReadyText = L"NOT READY";

struct DriveListInput {
    std::span<const StructDriveFacts> drives;  // the letters present on the machine, any order
    uint32_t virtualDrives = 0;                // bit n: letter 'A' + n is enabled as a virtual drive
    std::wstring networkRootLeft;              // a share left upwards whose server was not known; may be empty
    bool viewNetworkOnList = false;            // VIEWNETWORKONLIST
};

[[nodiscard]] std::vector<DriveListLine> BuildDriveListLines(const DriveListInput& input);
[[nodiscard]] DriveListLine DriveLineOf(const StructDriveFacts& drive);

// The label filled out to 26 display cells (a double-width character takes
// two), by its length in bytes in the system code page.
[[nodiscard]] std::wstring PadVolumeLabel(std::wstring_view label);
// The shell's display name of a root without its "(X:)" part.
[[nodiscard]] std::wstring WithoutDrivePart(std::wstring_view displayName, wchar_t letter);

// The line the cursor starts on: the drive of `path`, or the line named
// `path` itself (a UNC path); 0 when neither is listed.
[[nodiscard]] int DriveListCursorFor(std::span<const DriveListLine> lines, const std::wstring& path);
// The line of drive `letter`; -1 when it is not listed.
[[nodiscard]] int DriveLineOfLetter(std::span<const DriveListLine> lines, wchar_t letter);
// The drive letter a line names ("C:" gives 'C'); 0 for the other lines.
[[nodiscard]] wchar_t LetterOfLine(const DriveListLine& line);

}  // namespace zq
