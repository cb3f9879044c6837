#include "filer/DriveList.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

#include "filer/FilerCellText.h"

namespace zq {

namespace {

constexpr int kLabelCells = 26;
constexpr size_t kRemoteNameUnits = 50;

wchar_t Upper(wchar_t c) {
    return static_cast<wchar_t>(std::towupper(c));
}

std::wstring DriveName(wchar_t letter) {
    return std::wstring{Upper(letter), L':'};
}

}  // namespace

std::wstring PadVolumeLabel(std::wstring_view label) {
    std::wstring padded(label);
    const int bytes = label.empty() ? 0
                                    : ::WideCharToMultiByte(CP_ACP, 0, label.data(), static_cast<int>(label.size()),
                                                            nullptr, 0, nullptr, nullptr);
    // A character the code page writes in two bytes is drawn two cells wide.
    const int width = kLabelCells + static_cast<int>(label.size()) - bytes;
    if (static_cast<int>(padded.size()) < width) padded.append(static_cast<size_t>(width) - padded.size(), L' ');
    return padded;
}

std::wstring WithoutDrivePart(std::wstring_view displayName, wchar_t letter) {
    std::wstring name(displayName);
    const std::wstring part = L"(" + DriveName(letter) + L")";
    size_t at = name.find(part);
    if (at == std::wstring::npos) {
        // Some shells write the letter in lower case.
        std::wstring lower = part;
        lower[1] = static_cast<wchar_t>(std::towlower(lower[1]));
        at = name.find(lower);
    }
    if (at != std::wstring::npos) name.erase(at, part.size());
    while (!name.empty() && name.back() == L' ') name.pop_back();
    return name;
}

DriveListLine DriveLineOf(const StructDriveFacts& drive) {
    DriveListLine line;
    line.name = DriveName(drive.letter);
    const bool asksMedium = drive.type == DRIVE_REMOVABLE || drive.type == DRIVE_FIXED || drive.type == DRIVE_REMOTE ||
                            drive.type == DRIVE_CDROM || drive.type == DRIVE_RAMDISK;
    if (!asksMedium) return line;
    if (!drive.known) {
        line.pending = true;
        return line;
    }
    // The removable drive's text comes from the shell, which does not touch the medium.
    if (drive.type == DRIVE_REMOVABLE) {
        line.text = WithoutDrivePart(drive.displayName, drive.letter);
        return line;
    }
    if (!drive.ready) {
        line.notReady = true;
        line.text = kNotReadyText;
        return line;
    }
    switch (drive.type) {
        case DRIVE_FIXED:
            line.text = PadVolumeLabel(drive.label) + L" " + filer::ShortSizeText(drive.totalBytes) + L"/" +
                        filer::ShortSizeText(drive.freeBytes) + L" FREE";
            break;
        case DRIVE_REMOTE:
            line.text = PadVolumeLabel(drive.label) + L" " + drive.remoteName.substr(0, kRemoteNameUnits);
            break;
        default:
            line.text = drive.label;
            break;
    }
    return line;
}

std::vector<DriveListLine> BuildDriveListLines(const DriveListInput& input) {
    std::vector<DriveListLine> lines;
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        const auto found = std::find_if(input.drives.begin(), input.drives.end(),
                                        [letter](const StructDriveFacts& d) { return Upper(d.letter) == letter; });
        if (found != input.drives.end()) {
            lines.push_back(DriveLineOf(*found));
        } else if (input.virtualDrives & (1u << (letter - L'A'))) {
            lines.push_back({DriveName(letter), kVirtualDriveText});
        }
    }
    if (!input.networkRootLeft.empty()) lines.push_back({input.networkRootLeft, L""});
    if (input.viewNetworkOnList) lines.push_back({kNetworkComputerLine, L""});
    return lines;
}

wchar_t LetterOfLine(const DriveListLine& line) {
    if (line.name.size() != 2 || line.name[1] != L':') return 0;
    const wchar_t letter = Upper(line.name[0]);
    return letter >= L'A' && letter <= L'Z' ? letter : 0;
}

int DriveLineOfLetter(std::span<const DriveListLine> lines, wchar_t letter) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (LetterOfLine(lines[i]) != 0 && LetterOfLine(lines[i]) == Upper(letter)) return static_cast<int>(i);
    return -1;
}

int DriveListCursorFor(std::span<const DriveListLine> lines, const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':') {
        const int line = DriveLineOfLetter(lines, path[0]);
        if (line >= 0) return line;
    }
    for (size_t i = 0; i < lines.size(); ++i)
        if (::CompareStringOrdinal(lines[i].name.c_str(), -1, path.c_str(), -1, TRUE) == CSTR_EQUAL)
            return static_cast<int>(i);
    return 0;
}

}  // namespace zq
