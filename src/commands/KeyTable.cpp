#include "commands/KeyTable.h"

#include <iterator>

namespace zq {

namespace {

const StructKey kKeys[] = {
    {0x41, L"A"},         {0x42, L"B"},         {0x43, L"C"},         {0x44, L"D"},         {0x45, L"E"},
    {0x46, L"F"},         {0x47, L"G"},         {0x48, L"H"},         {0x49, L"I"},         {0x4A, L"J"},
    {0x4B, L"K"},         {0x4C, L"L"},         {0x4D, L"M"},         {0x4E, L"N"},         {0x4F, L"O"},
    {0x50, L"P"},         {0x51, L"Q"},         {0x52, L"R"},         {0x53, L"S"},         {0x54, L"T"},
    {0x55, L"U"},         {0x56, L"V"},         {0x57, L"W"},         {0x58, L"X"},         {0x59, L"Y"},
    {0x5A, L"Z"},         {0x31, L"1"},         {0x32, L"2"},         {0x33, L"3"},         {0x34, L"4"},
    {0x35, L"5"},         {0x36, L"6"},         {0x37, L"7"},         {0x38, L"8"},         {0x39, L"9"},
    {0x30, L"0"},         {0xBD, L"-"},         {0xDE, L"^"},         {0xDC, L"\\"},        {0xC0, L"@"},
    {0xDB, L"["},         {0xBB, L";"},         {0xBA, L":"},         {0xDD, L"]"},         {0xBC, L"("},
    {0xBE, L"."},         {0xBF, L"/"},         {0x70, L"F1"},        {0x71, L"F2"},        {0x72, L"F3"},
    {0x73, L"F4"},        {0x74, L"F5"},        {0x75, L"F6"},        {0x76, L"F7"},        {0x77, L"F8"},
    {0x78, L"F9"},        {0x79, L"F10"},       {0x7A, L"F11"},       {0x7B, L"F12"},       {0x09, L"TAB"},
    {0x20, L"SPACE"},     {0x26, L"UP"},        {0x25, L"LEFT"},      {0x27, L"RIGHT"},     {0x28, L"DOWN"},
    {0x2E, L"DELETE"},    {0x2D, L"INSERT"},    {0x60, L"0(TENKEY)"}, {0x61, L"1(TENKEY)"}, {0x62, L"2(TENKEY)"},
    {0x63, L"3(TENKEY)"}, {0x64, L"4(TENKEY)"}, {0x65, L"5(TENKEY)"}, {0x66, L"6(TENKEY)"}, {0x67, L"7(TENKEY)"},
    {0x68, L"8(TENKEY)"}, {0x69, L"9(TENKEY)"}, {0x6B, L"+(TENKEY)"}, {0x6A, L"*(TENKEY)"}, {0x6D, L"-(TENKEY)"},
    {0x6E, L".(TENKEY)"}, {0x6F, L"/(TENKEY)"}, {0x08, L"BACK"},      {0x24, L"HOME"},      {0x23, L"END"},
    {0x21, L"ROLLUP"},    {0x22, L"ROLLDOWN"},  {0x1B, L"ESCAPE"},
};
static_assert(std::size(kKeys) == kKeyCount);

}  // namespace

std::span<const StructKey> KeyTable() {
    return kKeys;
}

int FindKeyIndex(unsigned virtualKey) {
    for (int i = 0; i < kKeyCount; ++i)
        if (kKeys[i].virtualKey == virtualKey) return i;
    return -1;
}

int FindKeyIndexByName(std::wstring_view name) {
    for (int i = 0; i < kKeyCount; ++i)
        if (name == kKeys[i].name) return i;
    return -1;
}

int ModifierIndex(bool shiftDown, bool ctrlDown) {
    if (shiftDown) return kModifierShift;
    if (ctrlDown) return kModifierCtrl;
    return kModifierNone;
}

}  // namespace zq
