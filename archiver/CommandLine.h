#pragma once
// The command line of the command function ("<Prefix>(hwnd, line, out, size)").
//
// Every prefix of this library takes the same line, so that the forms callers
// write for the different archivers all work:
//
//   x | e | l | t | p        the command word (LHA and 7-Zip style), or a tar
//   xvaf, -xf, -pxf, -x, -p  style cluster; "p" wins over "x", "x" over "t"
//   archive                  the first plain word after the options
//   dest\  dest/  -odest     the destination folder (the current one if none)
//   member …                 the members to act on, "*" and "?" allowed (all if none)
//   -d0 -j --use-directory=0 folders in the archive are ignored ("e" alone too)
//   -d1 --use-directory=1    folders are kept ("x" alone too)
//   -Ppw -p<pw> -ppw         the password (ZIP, RAR and 7-Zip forms; a
//                            tar-style cluster such as "-pxf" is a command)
//
// "a", "u", "m", "d" and "f" (the LHA family's changing commands) are known
// and refused.  Other options are accepted and ignored.  Words may be quoted with double quotes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace unbypass {

enum class CommandKind { Extract, Print, List, Test, Change };

struct CommandLine {
    CommandKind kind = CommandKind::Extract;
    bool keepFolders = true;
    std::wstring archive;
    std::wstring destination;
    std::vector<std::wstring> members;
    std::wstring password;
};

// The words of a line, split at blanks outside double quotes, quotes removed.
std::vector<std::wstring> CommandWords(std::wstring_view line);

// Nullopt when no archive is named.
std::optional<CommandLine> ParseCommandLine(std::wstring_view line);

}  // namespace unbypass
