#include <gtest/gtest.h>

#include "app/ViewFileOpsDrop.h"
#include "fileops/CopyJob.h"

using namespace zq;

TEST(ViewFileOpsDrop, JobModeOfADrop) {
    constexpr unsigned kCopy = fileops::kModeDropCopy, kMove = fileops::kModeDropMove, kLink = fileops::kModeDropLink;
    struct Case {
        unsigned requested;
        std::vector<std::wstring> paths;
        std::optional<unsigned> expected;
    };
    const Case cases[] = {
        {kCopy, {L"C:\\a\\b.txt"}, kCopy},
        {kMove, {L"C:\\a\\b.txt", L"C:\\a\\c"}, kMove},
        {kLink, {L"C:\\a\\b.txt"}, kCopy},                      // linking is done as a copy
        {kLink, {L"C:\\tools\\run.exe"}, std::nullopt},         // ...but never of one program
        {kLink, {L"C:\\tools\\RUN.Exe"}, std::nullopt},         // whatever its case
        {kLink, {L"C:\\tools\\run.exe", L"C:\\x.txt"}, kCopy},  // programs among others are copied
        {kLink, {L"C:\\d.exe\\readme"}, kCopy},                 // the extension of the name, not of a folder
        {kCopy, {L"C:\\tools\\run.exe"}, kCopy},                // a plain copy copies programs too
        {kCopy, {}, std::nullopt},
        {fileops::kModeCopy, {L"C:\\a"}, std::nullopt},  // not a drop mode
    };
    for (const Case& c : cases)
        EXPECT_EQ(DropJobMode(c.requested, c.paths), c.expected) << c.requested << " " << c.paths.size();
}

TEST(ViewFileOpsDrop, KeysHeldWhileDropping) {
    EXPECT_EQ(DropModeForKeys(false, false), fileops::kModeDropCopy);
    EXPECT_EQ(DropModeForKeys(false, true), fileops::kModeDropCopy);
    EXPECT_EQ(DropModeForKeys(true, false), fileops::kModeDropMove);
    EXPECT_EQ(DropModeForKeys(true, true), fileops::kModeDropLink);
}
