// The built-in key assignments of the four modes.  They are what a fresh
// program does and the defaults of the key sections of the settings file;
// every key and modifier not listed here starts unassigned.
#include "commands/KeyAssignments.h"

namespace zq {

namespace {

struct StructDefaultKey {
    ModeGroup group;
    const wchar_t* key;  // key name in the key table
    int modifier;
    const wchar_t* command;
};

constexpr ModeGroup F = ModeGroup::Filer;
constexpr ModeGroup V = ModeGroup::Viewer;
constexpr ModeGroup G = ModeGroup::Graphic;
constexpr ModeGroup B = ModeGroup::BinaryEditor;
constexpr int N = kModifierNone;
constexpr int S = kModifierShift;
constexpr int C = kModifierCtrl;

const StructDefaultKey kDefaultKeys[] = {
    // Filer
    {F, L"A", N, L"@Attribute"},
    {F, L"C", N, L"@Copy"},
    {F, L"C", C, L"@Toclipfiles"},
    {F, L"D", N, L"@Delete"},
    {F, L"E", N, L"@Edit"},
    {F, L"F", N, L"@Wildcard"},
    {F, L"F", C, L"@Findfile"},
    {F, L"G", N, L"@GraphicviewB"},
    {F, L"G", S, L"@GraphicviewB"},
    {F, L"I", N, L"@Dirsize"},
    {F, L"J", N, L"@Dirjump"},
    {F, L"K", N, L"@Mkdir"},
    {F, L"L", N, L"@Dirchange"},
    {F, L"M", N, L"@Move"},
    {F, L"M", S, L"@Filesupdir"},
    {F, L"N", N, L"@Rename"},
    {F, L"P", N, L"@Pack"},
    {F, L"Q", N, L"@Quit"},
    {F, L"R", N, L"@Rename"},
    {F, L"S", N, L"@Sort"},
    {F, L"U", N, L"@Unpack"},
    {F, L"V", N, L"@View"},
    {F, L"V", C, L"@Fromclipfiles"},
    {F, L"W", N, L"@Wide"},
    {F, L"X", N, L"@Execute"},
    {F, L"X", C, L"@Tocutclipfiles"},
    {F, L"Y", N, L"@Wildcard"},
    {F, L"/", N, L"@Wide"},
    {F, L"F1", N, L"@Manualreload"},
    {F, L"TAB", N, L"@Changewindow"},
    {F, L"SPACE", N, L"@Select"},
    {F, L"UP", N, L"@Up"},
    {F, L"LEFT", N, L"@Left"},
    {F, L"RIGHT", N, L"@Right"},
    {F, L"DOWN", N, L"@Down"},
    {F, L"UP", S, L"@Upsel"},
    {F, L"LEFT", S, L"@Leftsel"},
    {F, L"RIGHT", S, L"@Rightsel"},
    {F, L"DOWN", S, L"@Downsel"},
    {F, L"1(TENKEY)", N, L"@LogA"},
    {F, L"2(TENKEY)", N, L"@LogB"},
    {F, L"3(TENKEY)", N, L"@LogC"},
    {F, L"4(TENKEY)", N, L"@LogD"},
    {F, L"5(TENKEY)", N, L"@LogE"},
    {F, L"6(TENKEY)", N, L"@LogF"},
    {F, L"7(TENKEY)", N, L"@LogG"},
    {F, L"8(TENKEY)", N, L"@LogH"},
    {F, L"9(TENKEY)", N, L"@LogI"},
    {F, L"BACK", N, L"@Updirectory"},
    {F, L"HOME", N, L"@Allselect"},
    {F, L"HOME", S, L"@Allselectdir"},
    {F, L"ROLLUP", N, L"@Beforepage"},
    {F, L"ROLLUP", S, L"@Beforepagesel"},
    {F, L"ROLLDOWN", N, L"@Nextpage"},
    {F, L"ROLLDOWN", S, L"@Nextpagesel"},
    {F, L"ESCAPE", N, L"@Quit"},

    // Viewer
    {V, L"A", C, L"@Viewallselect"},
    {V, L"B", N, L"@Changebinary"},
    {V, L"C", C, L"@Clipcopy"},
    {V, L"F", C, L"@Searchstr"},
    {V, L"J", N, L"@Jumptext"},
    {V, L"P", C, L"@Textprint"},
    {V, L"Q", N, L"@Quit"},
    {V, L"W", N, L"@Wide"},
    {V, L"/", N, L"@Wide"},
    {V, L"F3", N, L"@Nextsearch"},
    {V, L"F3", S, L"@Beforesearch"},
    {V, L"F5", N, L"@ReloadFile"},
    {V, L"TAB", N, L"@Changewindow"},
    {V, L"UP", N, L"@Up"},
    {V, L"LEFT", N, L"@Left"},
    {V, L"RIGHT", N, L"@Right"},
    {V, L"DOWN", N, L"@Down"},
    {V, L"UP", S, L"@Selectup"},
    {V, L"LEFT", S, L"@Selectleft"},
    {V, L"RIGHT", S, L"@Selectright"},
    {V, L"DOWN", S, L"@Selectdown"},
    {V, L"HOME", S, L"@Selectfirstline"},
    {V, L"HOME", C, L"@Jumpfirstline"},
    {V, L"END", S, L"@Selectendline"},
    {V, L"END", C, L"@Jumpendline"},
    {V, L"ROLLUP", N, L"@Beforepage"},
    {V, L"ROLLUP", S, L"@Selectbeforepage"},
    {V, L"ROLLDOWN", N, L"@Nextpage"},
    {V, L"ROLLDOWN", S, L"@Selectnextpage"},
    {V, L"ESCAPE", N, L"@Quit"},

    // Graphic
    {G, L"B", N, L"@Before"},
    {G, L"B", S, L"@10Before"},
    {G, L"N", N, L"@Next"},
    {G, L"N", S, L"@10Next"},
    {G, L"Q", N, L"@Quit"},
    {G, L"S", N, L"@SaveBmp"},
    {G, L"S", S, L"@NextSaveBmp"},
    {G, L"UP", N, L"@Up"},
    {G, L"LEFT", N, L"@Left"},
    {G, L"RIGHT", N, L"@Right"},
    {G, L"DOWN", N, L"@Down"},
    {G, L"UP", S, L"@Uppage"},
    {G, L"LEFT", S, L"@Leftpage"},
    {G, L"RIGHT", S, L"@Rightpage"},
    {G, L"DOWN", S, L"@Downpage"},
    {G, L"+(TENKEY)", C, L"@Zoomin"},
    {G, L"-(TENKEY)", C, L"@Zoomout"},
    {G, L"ESCAPE", N, L"@Exitgraphic"},

    // BinaryEditor.  Ctrl+A and Ctrl+X are bound to the select-all and end
    // commands that this mode actually has; Ctrl+Z and Ctrl+Y undo and redo.
    {B, L"A", N, L"@InputA"},
    {B, L"B", N, L"@InputB"},
    {B, L"C", N, L"@InputC"},
    {B, L"D", N, L"@InputD"},
    {B, L"E", N, L"@InputE"},
    {B, L"F", N, L"@InputF"},
    {B, L"0", N, L"@Input0"},
    {B, L"1", N, L"@Input1"},
    {B, L"2", N, L"@Input2"},
    {B, L"3", N, L"@Input3"},
    {B, L"4", N, L"@Input4"},
    {B, L"5", N, L"@Input5"},
    {B, L"6", N, L"@Input6"},
    {B, L"7", N, L"@Input7"},
    {B, L"8", N, L"@Input8"},
    {B, L"9", N, L"@Input9"},
    {B, L"0(TENKEY)", N, L"@Input0"},
    {B, L"1(TENKEY)", N, L"@Input1"},
    {B, L"2(TENKEY)", N, L"@Input2"},
    {B, L"3(TENKEY)", N, L"@Input3"},
    {B, L"4(TENKEY)", N, L"@Input4"},
    {B, L"5(TENKEY)", N, L"@Input5"},
    {B, L"6(TENKEY)", N, L"@Input6"},
    {B, L"7(TENKEY)", N, L"@Input7"},
    {B, L"8(TENKEY)", N, L"@Input8"},
    {B, L"9(TENKEY)", N, L"@Input9"},
    {B, L"A", C, L"@Binaryallselect"},
    {B, L"X", C, L"@Binaryeditend"},
    {B, L"Z", C, L"@Undo"},
    {B, L"Y", C, L"@Redo"},
    {B, L"C", C, L"@Copydata"},
    {B, L"F", C, L"@Searchdata"},
    {B, L"J", N, L"@Jumpline"},
    {B, L"S", C, L"@Filesave"},
    {B, L"V", C, L"@Pastedata"},
    {B, L"W", N, L"@Wide"},
    {B, L"/", N, L"@Wide"},
    {B, L"F3", N, L"@Nextsearch"},
    {B, L"F3", S, L"@Beforesearch"},
    {B, L"TAB", N, L"@Changewindow"},
    {B, L"UP", N, L"@Up"},
    {B, L"LEFT", N, L"@Left"},
    {B, L"RIGHT", N, L"@Right"},
    {B, L"DOWN", N, L"@Down"},
    {B, L"UP", S, L"@Selectup"},
    {B, L"LEFT", S, L"@Selectleft"},
    {B, L"RIGHT", S, L"@Selectright"},
    {B, L"DOWN", S, L"@Selectdown"},
    {B, L"HOME", S, L"@Jumpfirstline"},
    {B, L"END", S, L"@Jumpendline"},
    {B, L"ROLLUP", N, L"@Beforepage"},
    {B, L"ROLLUP", S, L"@Selectbeforepage"},
    {B, L"ROLLDOWN", N, L"@Nextpage"},
    {B, L"ROLLDOWN", S, L"@Selectnextpage"},
    {B, L"ESCAPE", N, L"@Binaryeditend"},
};

}  // namespace

void FillBuiltInAssignments(KeyAssignments& keys) {
    for (const StructDefaultKey& row : kDefaultKeys)
        keys.Set(row.group, FindKeyIndexByName(row.key), row.modifier, row.command);
}

}  // namespace zq
