#pragma once
// The decisions of start-up and shut-down, as pure functions: the command
// line's "-d" options, window placement, and the answer to a quit request.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "filer/FilerPath.h"

namespace zq {

// Up to two "-d"/"-D" options, each directly followed by a path (quotes dropped).
std::vector<std::wstring> ParseStartDirectories(const std::wstring& commandLine);
// Blank-separated arguments, blanks inside double quotes kept.
std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine);
struct StructPlacementInput {
    int startSize = 0;  // STARTSIZE 0-5
    int startPos = 0;   // STARTPOS 0-2
    int firstX = 0, firstY = 0, firstWide = 640, firstHeight = 480;
    int endX = 0, endY = 0, endWide = 640, endHeight = 480;
    RECT created{};         // the frame as it was created
    SIZE nonClientExtra{};  // frame size minus the view's client size
    SIZE wallpaper{};       // a loaded Filer wallpaper, 0x0 when none
};

struct StructPlacement {
    bool act = false;  // false: nothing to do in this phase
    bool maximise = false;
    bool move = false;    // position changes
    bool resize = false;  // size changes
    POINT position{};
    SIZE size{};
};

// phase 1 at the view's creation, 0 at the first paint.
StructPlacement DecidePlacement(const StructPlacementInput& in, int phase);

// The figures recorded after placing (ENDX, ENDY, ENDWIDE, ENDHEIGHT): unchanged
// when the frame is minimised or maximised, so the last normal size survives.
struct StructLastPlacement {
    int endX, endY, endWide, endHeight;
};
StructLastPlacement RecordLastPlacement(const StructLastPlacement& previous, const RECT& frame, bool minimised,
                                        bool maximised);

enum class QuitAnswer { Quit, Cancel, ShutDown, Reboot };

struct StructQuitInput {
    bool copyRunning = false;
    bool deleteRunning = false;
    bool unpackRunning = false;
    bool fromClose = false;
    int notQuitMessage = 0;   // NOTQUITMESSAGE
    int askAlwaysAtExit = 0;  // ASK_ALWAYS_AT_EXIT
    bool packRunning = false;
};

struct StructQuitDecision {
    std::wstring refusal;  // non-empty: show it (no caption, OK) and keep running
    bool showDialog = false;
};

// First half of the quit request: a refusal, the question, or a plain yes.
StructQuitDecision DecideQuit(const StructQuitInput& in);

}  // namespace zq
