#include <gtest/gtest.h>

#include <cstring>
#include <future>

#include "common/Paths.h"
#include "main/TempDir.h"
#include "picture/Spi32Bridge.h"
#include "picture/Spi32Server.h"
#include "picture/SusiePluginHost.h"
#include "picture/SusieSettingsModel.h"

namespace zq {
namespace {

using namespace spi32;

// A picture of the test plug-in's run-length format: colour(x, y) from the top,
// in runs of up to 255 equal pixels.  mode 1 makes GetPicture fault, 2 hang.
template <typename Colour>
std::string RunLength(int width, int height, Colour colour, unsigned char mode = 0) {
    std::string bytes = "ZQRL";
    for (const int v : {width, height}) {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>(v >> 8);
    }
    bytes += static_cast<char>(mode);
    bytes.append(3, '\0');
    COLORREF run = 0;
    int count = 0;
    const auto flush = [&] {
        if (count == 0) return;
        bytes += static_cast<char>(count);
        bytes += static_cast<char>(GetBValue(run));
        bytes += static_cast<char>(GetGValue(run));
        bytes += static_cast<char>(GetRValue(run));
        count = 0;
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            if (count == 255 || (count > 0 && c != run)) flush();
            run = c;
            ++count;
        }
    flush();
    return bytes;
}

// Left half red, right half blue, a green top row.
COLORREF Split(int x, int y) {
    return y == 0 ? RGB(0, 200, 0) : x < 10 ? RGB(220, 10, 10) : RGB(10, 10, 230);
}

// The DIB holds Split at width x 6: bottom-up, 24 bits.
void ExpectSplit(const void* infoBytes, const void* bitsBytes, int width = 20) {
    const auto* header = static_cast<const BITMAPINFOHEADER*>(infoBytes);
    ASSERT_EQ(header->biWidth, width);
    ASSERT_EQ(header->biHeight, 6);
    ASSERT_EQ(header->biBitCount, 24);
    const auto* bits = static_cast<const BYTE*>(bitsBytes);
    const size_t stride = (width * 3 + 3) / 4 * 4;
    const auto pixel = [&](int x, int y) {
        const BYTE* p = bits + (5 - y) * stride + x * 3;
        return RGB(p[2], p[1], p[0]);
    };
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < width; ++x) ASSERT_EQ(pixel(x, y), Split(x, y)) << x << "," << y;
}

std::wstring TestPlugin(const wchar_t* folder, const wchar_t* name) {
    return JoinPath(JoinPath(JoinPath(ModuleDirectory(), L"testdlls"), folder), name);
}

std::wstring Helper() {
    return JoinPath(ZQ_BIN_DIR_W, L"zqspi32.exe");
}

struct Spi32ServerTest : testing::Test {
    test::TempDir dir;
    Spi32Server server{L"Local\\zqspi32-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-o"};
    Control control{};

    void Ask(Op op, const std::wstring& plugin) {
        std::memset(&control, 0, sizeof control);
        control.magic = kMagic;
        control.op = op;
        ASSERT_TRUE(PutText(control.plugin, plugin));
    }
};

// The engine against the x64 build of the same plug-in, in this process.
TEST_F(Spi32ServerTest, AnswersInfoProbeAndPictureInTheControlBlock) {
    const std::wstring plugin = TestPlugin(L"spi64", L"zqrle.sph");
    Ask(kOpInfo, plugin);
    EXPECT_TRUE(server.Serve(control));
    ASSERT_EQ(control.status, kDone);
    ASSERT_EQ(control.result, 4) << "version, name, one pattern and its format, then the empty entry";
    EXPECT_STREQ(control.text, "00IN");
    EXPECT_STREQ(control.text + 5 + std::strlen(control.text + 5) + 1, "*.zqr");

    const std::string bytes = RunLength(20, 6, Split);
    const std::string path = SusiePluginHost::PluginPath(dir.WriteFile(L"a.zqr", bytes));
    Ask(kOpIsSupported, plugin);
    ASSERT_TRUE(PutText(control.name, path));
    std::memcpy(control.head + 128, bytes.data(), bytes.size());
    EXPECT_TRUE(server.Serve(control));
    EXPECT_EQ(control.result, 1) << "the handle and the head from 0 refused, the head from 128 taken";
    EXPECT_EQ(control.offset, 128);

    Ask(kOpPicture, plugin);
    ASSERT_TRUE(PutText(control.name, path));
    EXPECT_TRUE(server.Serve(control));
    ASSERT_EQ(control.status, kDone);
    ASSERT_EQ(control.result, susie::kOk);
    SharedBlock output;
    ASSERT_TRUE(output.Open(std::wstring(control.outputBlock)));
    ASSERT_GE(output.Size(), BitsOffset(control.infoSize) + control.bitsSize);
    EXPECT_GE(control.bitsSize, 60u * 6);
    const auto* out = static_cast<const char*>(output.Data());
    ExpectSplit(out, out + BitsOffset(control.infoSize));
}

TEST_F(Spi32ServerTest, RefusesWhatItCannotServe) {
    Ask(kOpInfo, TestPlugin(L"spi64", L"zqrle.sph"));
    control.magic = 0;
    EXPECT_TRUE(server.Serve(control));
    EXPECT_EQ(control.status, kBadRequest);
    Ask(kOpInfo, dir / L"missing.sph");
    EXPECT_TRUE(server.Serve(control));
    EXPECT_EQ(control.status, kNoLibrary);
    Ask(kOpPicture, TestPlugin(L"spi64", L"zqrle.sph"));
    control.entry = kGetPreview;
    EXPECT_TRUE(server.Serve(control));
    EXPECT_EQ(control.status, kNoEntry) << "the plug-in has no GetPreview";
    Ask(kOpPicture, TestPlugin(L"spi64", L"zqrle.sph"));
    control.flag = susie::kInputMemory;
    control.inputSize = 100;
    EXPECT_TRUE(server.Serve(control));
    EXPECT_EQ(control.status, kNoMemory) << "memory input without a section";
    Ask(kOpQuit, L"");
    EXPECT_FALSE(server.Serve(control));
}

// The test runner says so when the machine's kernel runs no 32-bit programs:
// the helper cannot start there, whatever the program does.
void SkipWithout32Bit() {
    if (::GetEnvironmentVariableW(L"ZQ_NO_32BIT", nullptr, 0) != 0)
        GTEST_SKIP() << "this machine runs no 32-bit programs";
}

struct Spi32BridgeTest : testing::Test {
    test::TempDir dir;
    std::wstring plugin = TestPlugin(L"spi32", L"zqrle.spi");

    void SetUp() override { SkipWithout32Bit(); }

    static int Decode(Spi32Bridge& bridge, const std::wstring& plugin, const std::string& path, UniqueLocal& info,
                      UniqueLocal& bits) {
        return bridge.Picture(plugin, kGetPicture, {path}, susie::kInputFile, info, bits).value_or(-100);
    }
};

TEST_F(Spi32BridgeTest, The32BitPluginDecodesFilesAndMemoryInTheHelper) {
    Spi32Bridge bridge(Helper());
    ASSERT_TRUE(bridge.Installed());
    const auto info = bridge.PluginInfo(plugin);
    ASSERT_TRUE(info);
    ASSERT_GE(info->size(), 4u);
    EXPECT_EQ((*info)[0], "00IN");
    EXPECT_EQ((*info)[2], "*.zqr");
    const std::string bytes = RunLength(20, 6, Split);
    const std::string path = SusiePluginHost::PluginPath(dir.WriteFile(L"a.zqr", bytes));
    UniqueLocal dibInfo;
    UniqueLocal dibBits;
    ASSERT_EQ(Decode(bridge, plugin, path, dibInfo, dibBits), susie::kOk);
    ExpectSplit(::LocalLock(dibInfo.Get()), ::LocalLock(dibBits.Get()));
    ASSERT_EQ(bridge.Picture(plugin, kGetPicture, {"a.zqr", 0, bytes.data(), bytes.size()}, susie::kInputMemory,
                             dibInfo, dibBits),
              susie::kOk);
    ExpectSplit(::LocalLock(dibInfo.Get()), ::LocalLock(dibBits.Get()));
    // A somewhat smaller picture lands in the block made ready by the last one's size.
    const std::string narrow = SusiePluginHost::PluginPath(dir.WriteFile(L"n.zqr", RunLength(17, 6, Split)));
    ASSERT_EQ(Decode(bridge, plugin, narrow, dibInfo, dibBits), susie::kOk);
    ExpectSplit(::LocalLock(dibInfo.Get()), ::LocalLock(dibBits.Get()), 17);
    susie::PictureInfo picture{};
    EXPECT_EQ(bridge.PictureInfo(plugin, {path}, susie::kInputFile, picture), susie::kOk);
    EXPECT_EQ(picture.width, 20);
    EXPECT_EQ(bridge.Picture(plugin, kGetPreview, {path}, susie::kInputFile, dibInfo, dibBits), -1);
    EXPECT_EQ(bridge.Starts(), 1) << "one helper for all of it";
}

TEST_F(Spi32BridgeTest, AFaultOrAHangEndsOnlyTheHelperAndTheNextCallGetsANewOne) {
    Spi32Bridge bridge(Helper(), {20000, 3000});
    const std::string good = SusiePluginHost::PluginPath(dir.WriteFile(L"good.zqr", RunLength(20, 6, Split)));
    const std::string crash = SusiePluginHost::PluginPath(dir.WriteFile(L"crash.zqr", RunLength(20, 6, Split, 1)));
    const std::string hang = SusiePluginHost::PluginPath(dir.WriteFile(L"hang.zqr", RunLength(20, 6, Split, 2)));
    UniqueLocal info;
    UniqueLocal bits;
    for (const std::string* bad : {&crash, &hang}) {
        SCOPED_TRACE(*bad);
        ASSERT_EQ(Decode(bridge, plugin, good, info, bits), susie::kOk);
        const int before = bridge.Starts();
        EXPECT_EQ(Decode(bridge, plugin, *bad, info, bits), -100) << "the call fails as a whole";
        EXPECT_EQ(bridge.Process(), nullptr) << "and the helper is gone";
        ASSERT_EQ(Decode(bridge, plugin, good, info, bits), susie::kOk);
        EXPECT_EQ(bridge.Starts(), before + 1);
        ExpectSplit(::LocalLock(info.Get()), ::LocalLock(bits.Get()));
    }
    Spi32Bridge missing(dir / L"none.exe");
    EXPECT_FALSE(missing.PluginInfo(plugin)) << "no helper is a failed call, not a hang";

    // A hung call given up from another thread ends long before its limit.
    Spi32Bridge patient(Helper(), {20000, 60000});
    std::future<int> call = std::async(std::launch::async, [&] { return Decode(patient, plugin, hang, info, bits); });
    EXPECT_EQ(call.wait_for(std::chrono::milliseconds(500)), std::future_status::timeout);
    patient.GiveUp();
    ASSERT_EQ(call.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(call.get(), -100);
    EXPECT_EQ(Decode(patient, plugin, good, info, bits), susie::kOk) << "the next call has a new helper";
}

struct Spi32HostTest : testing::Test {
    test::TempDir dir;
    std::wstring susie = dir.MakeDir(L"spi");
    std::vector<std::wstring> reports;
    Spi32Bridge bridge{Helper()};
    SusiePluginHost host{susie, [this](const std::wstring& m) { reports.push_back(m); }};

    void SetUp() override {
        SkipWithout32Bit();
        if (IsSkipped()) return;
        host.SetBridge(&bridge);
        ASSERT_TRUE(::CopyFileW(TestPlugin(L"spi32", L"zqrle.spi").c_str(), (susie + L"\\zqrle.spi").c_str(), FALSE));
    }
};

TEST_F(Spi32HostTest, ScanFindsSpiServesItAndRefusesA32BitSph) {
    // The same x86 library under the x64 name: never loaded here.
    ASSERT_TRUE(::CopyFileW(TestPlugin(L"spi32", L"zqrle.spi").c_str(), (susie + L"\\wrong.sph").c_str(), FALSE));
    host.Rescan(false, SusieLoadMode::NewOnly);
    ASSERT_EQ(host.Plugins().size(), 1u);
    EXPECT_TRUE(host.Plugins()[0].Is32Bit());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(L"wrong.sph は32bit用のDLLのため、読み込みません"), std::wstring::npos) << reports[0];
    const std::vector<std::wstring> stored = host.StoredValues(SusieLoadMode::NewOnly);
    EXPECT_EQ(stored, std::vector<std::wstring>{L"@zqrle.spi,00IN,*.zqr,ZQRL"});
    EXPECT_EQ(SusieSettingsModel(host.Plugins(), {}).Lines(kSusieImage)[0].text, L"zqrle.spi [*.zqr]ZQRL (32bit)");

    // Trusted from zq.ini alone, the record still goes to the helper.
    SusiePluginHost again(susie, nullptr);
    again.SetBridge(&bridge);
    again.Load(stored, SusieLoadMode::On);
    const std::string bytes = RunLength(20, 6, Split);
    for (SusiePluginHost* h : {&host, &again}) {
        SusiePicture picture;
        ASSERT_EQ(h->DecodeFile(dir.WriteFile(L"a.zqr", bytes), picture), susie::kOk);
        ExpectSplit(::LocalLock(picture.info.Get()), ::LocalLock(picture.bits.Get()));
        SusiePicture fromMemory;
        ASSERT_EQ(h->DecodeMemory(L"m.zqr", bytes.data(), bytes.size(), fromMemory), susie::kOk);
        ExpectSplit(::LocalLock(fromMemory.info.Get()), ::LocalLock(fromMemory.bits.Get()));
        SusiePicture preview;
        EXPECT_EQ(h->DecodePreview(dir / L"a.zqr", true, preview), susie::kOk);
    }
}

TEST_F(Spi32HostTest, AFaulting32BitPluginIsReportedAndLeftAlone) {
    host.Rescan(false, SusieLoadMode::NewOnly);
    SusiePicture picture;
    EXPECT_EQ(host.DecodeFile(dir.WriteFile(L"crash.zqr", RunLength(4, 4, Split, 1)), picture), susie::kInternalError);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], L"画像Plug-In zqrle.spi が異常終了したため、今回の起動中は使用しません");
    EXPECT_TRUE(host.Plugins()[0].runtime->faulted);
}

}  // namespace
}  // namespace zq
