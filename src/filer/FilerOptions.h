#pragma once
// The settings the Filer engines read, handed in as plain values.  Field names
// are the settings keys; defaults are the keys' defaults.
#include <array>

namespace zq {

// Automatic reload of one drive class: on/off and the interval in timer ticks
// (the view's timer ticks once a second).
struct ReloadClassSetting {
    int ENABLE = 0;
    int TIME = 1;
};

// Drive classes, as DriveClass() answers them and as RELOAD_SETTING indexes them.
enum DriveClassKind : int {
    kDriveFixed = 0,
    kDriveFloppy = 1,
    kDriveCdRom = 2,
    kDriveRemovable = 3,
    kDriveNetwork = 4
};

// Built-in RELOAD_SETTING.  Fixed disks are watched through change
// notifications, so checking them every tick costs a 10 ms wait and no disk
// access.  Removable media are checked every 3 s; floppies, CDs and network
// shares are not reloaded automatically because every check touches slow
// hardware or the network.
inline constexpr std::array<ReloadClassSetting, 5> kDefaultReloadSetting = {{
    {1, 1},   // HDD
    {0, 10},  // FDD
    {0, 10},  // CD
    {1, 3},   // removable
    {0, 10},  // network
}};

struct FilerOptions {
    // Display-file settings.
    int HIDDENVIEWFLAG = 1;
    int DISP_SYSTEM_FILE = 1;
    int DISP_FIRST_DOT_FILE = 1;
    int DISP_READ_ONLY_FILE = 1;
    int NOTVIEWCURRENTDIR = 0;
    int NOTVIEWUPDIR = 0;

    int VIEWFILETIMETYPE = 2;
    int USE_STR_CMP_LOGICAL_W = 0;
    int FIND_FILE_NEGLECT_DOS_NAME = 0;
    int CHYNCROSORT = 1;

    int CURSORTOGGLE = 0;
    int SAVECURSORPOSITION = 0;
    int SUMSAVECURPOS = 30;
    int ACTIVECHECKMEDIAIN = 1;

    std::array<ReloadClassSetting, 5> RELOAD_SETTING = kDefaultReloadSetting;
};

// One stored group of DISP_FILE_SETTING: bit 0 hidden, 1 system, 2 dot files,
// 3 read-only, 4 NOTVIEWCURRENTDIR, 5 NOTVIEWUPDIR (the last two as stored,
// 1 = hide).
[[nodiscard]] inline unsigned DisplayGroupOf(const FilerOptions& o) noexcept {
    return (o.HIDDENVIEWFLAG ? 1u : 0u) | (o.DISP_SYSTEM_FILE ? 2u : 0u) | (o.DISP_FIRST_DOT_FILE ? 4u : 0u) |
           (o.DISP_READ_ONLY_FILE ? 8u : 0u) | (o.NOTVIEWCURRENTDIR ? 16u : 0u) | (o.NOTVIEWUPDIR ? 32u : 0u);
}
inline void ApplyDisplayGroup(FilerOptions& o, unsigned group) noexcept {
    o.HIDDENVIEWFLAG = (group >> 0) & 1;
    o.DISP_SYSTEM_FILE = (group >> 1) & 1;
    o.DISP_FIRST_DOT_FILE = (group >> 2) & 1;
    o.DISP_READ_ONLY_FILE = (group >> 3) & 1;
    o.NOTVIEWCURRENTDIR = (group >> 4) & 1;
    o.NOTVIEWUPDIR = (group >> 5) & 1;
}

}  // namespace zq
