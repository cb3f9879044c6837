#include <gtest/gtest.h>

#include "common/EventSound.h"
#include "main/TempDir.h"

TEST(EventSound, NothingIsPlayedWithoutAPlayableFile) {
    zq::test::TempDir dir;
    EXPECT_FALSE(zq::PlayEventSound(L""));
    EXPECT_FALSE(zq::PlayEventSound(dir.Path() + L"\\missing.wav"));
    EXPECT_FALSE(zq::PlayEventSound(dir.MakeDir(L"folder.wav")));
}
