#include "picture/SusiePluginHost.h"

#include <gtest/gtest.h>
#include <wincodec.h>

#include <algorithm>

#include "common/Paths.h"
#include "common/TextConv.h"
#include "main/TempDir.h"
#include "picture/SusieThumbnailMaker.h"

namespace zq {
namespace {

// An 8 x 8 picture, its top half red and its bottom half blue, written by WIC
// in the given container.
std::string EncodedPicture(const GUID& container) {
    IWICImagingFactory* factory = nullptr;
    IStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    std::string bytes;
    BYTE pixels[8 * 8 * 3];
    for (int i = 0; i < 64; ++i) {
        const bool top = i < 32;
        pixels[i * 3] = top ? 0 : 255;  // BGR
        pixels[i * 3 + 1] = 0;
        pixels[i * 3 + 2] = top ? 255 : 0;
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                     reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
        SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
        SUCCEEDED(frame->SetSize(8, 8)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
        SUCCEEDED(frame->WritePixels(8, 24, sizeof pixels, pixels)) && SUCCEEDED(frame->Commit()) &&
        SUCCEEDED(encoder->Commit())) {
        HGLOBAL memory = nullptr;
        STATSTG stat{};
        if (SUCCEEDED(::GetHGlobalFromStream(stream, &memory)) && SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME))) {
            bytes.assign(static_cast<const char*>(::GlobalLock(memory)), static_cast<size_t>(stat.cbSize.QuadPart));
            ::GlobalUnlock(memory);
        }
    }
    for (IUnknown* object : {static_cast<IUnknown*>(frame), static_cast<IUnknown*>(encoder),
                             static_cast<IUnknown*>(stream), static_cast<IUnknown*>(factory)})
        if (object) object->Release();
    return bytes;
}

// Red above blue, bottom-up: the first row of bits is blue, the last red.
void ExpectRedAboveBlue(const SusiePicture& picture) {
    ASSERT_EQ(picture.width, 8);
    ASSERT_EQ(picture.height, 8);
    ASSERT_EQ(picture.bitCount, 24);
    const auto* bits = static_cast<const BYTE*>(::LocalLock(picture.bits.Get()));
    EXPECT_GT(bits[0], 200);
    EXPECT_LT(bits[2], 60) << "bottom row blue";
    EXPECT_LT(bits[7 * 24], 60);
    EXPECT_GT(bits[7 * 24 + 2], 200) << "top row red";
    ::LocalUnlock(picture.bits.Get());
}

struct SusieHost : testing::Test {
    test::TempDir dir;
    std::wstring susie = dir.MakeDir(L"spi");
    std::vector<std::wstring> reports;
    SusiePluginHost host{susie + L"\\", [this](const std::wstring& m) { reports.push_back(m); }};

    void Install(const std::wstring& from, const wchar_t* name) {
        ASSERT_TRUE(::CopyFileW(from.c_str(), JoinPath(susie, name).c_str(), FALSE)) << from;
    }
    void InstallOurs() { Install(JoinPath(ZQ_SPI_DIR, L"ifwic.sph"), L"ifwic.sph"); }
    void InstallArchivePlugin() { Install(JoinPath(ZQ_SPI_DIR, L"axzip.sph"), L"axzip.sph"); }
    static std::wstring Fixture(const wchar_t* name) {
        return JoinPath(JoinPath(ModuleDirectory(), L"archiver-fixtures"), name);
    }
    static std::string Member(const susie::FileInfo& entry) {
        return entry.path[0] ? std::string(entry.path) + "\\" + entry.filename : std::string(entry.filename);
    }
    std::string Extract(const SusieArchive& archive, size_t index) {
        UniqueLocal data;
        size_t size = 0;
        if (host.ExtractMember(archive, archive.entries[index], data, size) != susie::kOk) return "(failed)";
        std::string bytes(static_cast<const char*>(::LocalLock(data.Get())), size);
        ::LocalUnlock(data.Get());
        return bytes;
    }
};

TEST_F(SusieHost, OurPluginDecodesFilesAndMemoryThroughTheHost) {
    InstallOurs();
    host.Rescan(false, SusieLoadMode::Off);
    ASSERT_EQ(host.Plugins().size(), 1u);
    const StructSusieDllFile& ours = host.Plugins()[0];
    EXPECT_STREQ(ours.apiVersion, "00IN");
    EXPECT_EQ(std::count(ours.patterns.begin(), ours.patterns.end(), L"*.jpeg"), 1) << "given once, not added again";
    EXPECT_EQ(host.StoredValues(SusieLoadMode::Off), std::vector<std::wstring>{L"@ifwic.sph"});

    struct Case {
        const wchar_t* name;
        GUID container;
    };
    for (const Case& c : {Case{L"a.png", GUID_ContainerFormatPng}, Case{L"b.JPG", GUID_ContainerFormatJpeg},
                          Case{L"c.bmp", GUID_ContainerFormatBmp}, Case{L"𠮷野家.png", GUID_ContainerFormatPng}}) {
        SCOPED_TRACE(c.name);
        const std::string bytes = EncodedPicture(c.container);
        ASSERT_FALSE(bytes.empty());
        SusiePicture fromFile;
        ASSERT_EQ(host.DecodeFile(dir.WriteFile(c.name, bytes), fromFile), susie::kOk);
        ExpectRedAboveBlue(fromFile);
        SusiePicture fromMemory;
        ASSERT_EQ(host.DecodeMemory(c.name, bytes.data(), bytes.size(), fromMemory), susie::kOk);
        ExpectRedAboveBlue(fromMemory);
    }
    // Behind a 128-byte header the third IsSupported call finds it, and decoding starts there.
    const std::string png = EncodedPicture(GUID_ContainerFormatPng);
    SusiePicture skipped;
    EXPECT_EQ(host.DecodeFile(dir.WriteFile(L"mac.png", std::string(128, 'M') + png), skipped), susie::kOk);
    ExpectRedAboveBlue(skipped);
    susie::PictureInfo info{};
    EXPECT_EQ(host.PictureInfoOf(dir / L"a.png", info), susie::kOk);
    EXPECT_EQ(info.width, 8);
    EXPECT_TRUE(reports.empty());
}

TEST_F(SusieHost, WhatNoPluginTakes) {
    InstallOurs();
    host.Rescan(false, SusieLoadMode::Off);
    SusiePicture picture;
    EXPECT_EQ(host.DecodeFile(dir.WriteFile(L"notes.png", "not a picture at all"), picture), susie::kUnknownFormat)
        << "the extension is claimed, the head is refused";
    EXPECT_EQ(host.DecodeFile(dir.WriteFile(L"empty.png", ""), picture), susie::kUnknownFormat);
    EXPECT_EQ(host.DecodeFile(dir.WriteFile(L"a.txt", EncodedPicture(GUID_ContainerFormatPng)), picture),
              susie::kUnknownFormat)
        << "a plug-in is tried only for names its patterns claim";
    EXPECT_FALSE(picture.bits);
    // A progress callback that says stop ends the decoding with result 1.
    const auto stop = [](int, int, LONG_PTR calls) { return ++*reinterpret_cast<int*>(calls); };
    int calls = 0;
    EXPECT_EQ(host.DecodeFile(dir.WriteFile(L"a.png", EncodedPicture(GUID_ContainerFormatPng)), picture,
                              {stop, reinterpret_cast<LONG_PTR>(&calls)}),
              susie::kAborted);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(host.Plugins()[0].runtime->faulted);

    host.SetDirectory(dir / L"no such folder");
    host.Rescan(false, SusieLoadMode::Off);
    EXPECT_TRUE(host.Plugins().empty());
    EXPECT_TRUE(reports.empty()) << "a missing directory is no message";
}

TEST_F(SusieHost, APluginThatCrashesOrLiesIsDisabledForTheRun) {
    Install(JoinPath(ModuleDirectory(), L"testdlls\\broken-spi\\broken.sph"), L"broken.sph");
    InstallOurs();
    host.Rescan(false, SusieLoadMode::Off);
    ASSERT_EQ(host.Plugins().size(), 2u);
    auto& plugins = host.Plugins();
    std::stable_partition(plugins.begin(), plugins.end(),
                          [](const StructSusieDllFile& p) { return p.FileName() == L"broken.sph"; });
    const std::string png = EncodedPicture(GUID_ContainerFormatPng);
    for (const wchar_t* name : {L"crash.png", L"lie.png"}) {
        SCOPED_TRACE(name);
        plugins[0].runtime->faulted = false;
        reports.clear();
        SusiePicture picture;
        ASSERT_EQ(host.DecodeFile(dir.WriteFile(name, png), picture), susie::kOk) << "the next plug-in took it";
        EXPECT_EQ(picture.plugin, 1);
        EXPECT_TRUE(plugins[0].runtime->faulted);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_NE(reports[0].find(L"broken.sph"), std::wstring::npos);
        EXPECT_FALSE(host.Supports(name, kSusieImage, 0));
    }
    // Stored and read back in the fast mode, the order and the flags stay; a rescan finds nothing new.
    plugins[1].enabled = 0;
    const std::vector<std::wstring> stored = host.StoredValues(SusieLoadMode::NewOnly);
    SusiePluginHost again(susie, {});
    again.Load(stored, SusieLoadMode::NewOnly);
    EXPECT_EQ(again.StoredValues(SusieLoadMode::NewOnly), stored);
    EXPECT_FALSE(again.Supports(L"x.png", kSusieAny, 1)) << "disabled by the user";
    EXPECT_FALSE(again.Supports(L"x.png", kSusieArchive, 0)) << "an image plug-in is no archive plug-in";
    EXPECT_TRUE(again.Supports(L"X.PNG", kSusieImage, 0));
}

TEST_F(SusieHost, ThumbnailsComeThroughPreviewsOrFullDecodingPastABrokenPlugin) {
    Install(JoinPath(ModuleDirectory(), L"testdlls\\broken-spi\\broken.sph"), L"broken.sph");
    InstallOurs();
    host.Rescan(false, SusieLoadMode::Off);
    auto& plugins = host.Plugins();
    std::stable_partition(plugins.begin(), plugins.end(),
                          [](const StructSusieDllFile& p) { return p.FileName() == L"broken.sph"; });
    const std::wstring path = dir.WriteFile(L"t.png", EncodedPicture(GUID_ContainerFormatPng));
    for (const bool full : {false, true}) {
        SCOPED_TRACE(full ? "full decoding" : "previews");
        SusieThumbnailMaker maker(host, 4, 2, full);
        StructThumbnail thumb;
        ASSERT_TRUE(maker.Make(path, FileEntry{}, thumb));
        ASSERT_EQ(thumb.width, 2) << "8 x 8 into 4 x 2";
        ASSERT_EQ(thumb.height, 2);
        ASSERT_EQ(thumb.bits.size(), 16u) << "rows of 6 bytes padded to 8";
        EXPECT_GT(thumb.bits[0], 200) << "bottom row blue";
        EXPECT_GT(thumb.bits[8 + 2], 200) << "top row red";
    }
    // Only full decoding reached the broken plug-in's GetPicture; it lied and is out.
    EXPECT_TRUE(plugins[0].runtime->faulted);
    EXPECT_EQ(reports.size(), 1u);
    StructThumbnail none;
    SusieThumbnailMaker maker(host, 4, 4, false);
    EXPECT_FALSE(maker.Make(dir.WriteFile(L"n.png", "no picture"), FileEntry{}, none));
}

TEST_F(SusieHost, OurArchivePluginListsZipMembersAndHandsThemOut) {
    InstallOurs();
    InstallArchivePlugin();
    host.Rescan(false, SusieLoadMode::Off);
    ASSERT_EQ(host.Plugins().size(), 2u);
    SusieArchive archive;
    ASSERT_EQ(host.ListArchive(Fixture(L"pictures.zip"), archive), susie::kOk);
    EXPECT_STREQ(host.Plugins()[static_cast<size_t>(archive.plugin)].apiVersion, "00AM");
    ASSERT_EQ(archive.entries.size(), 3u) << "the folder entry is implied by its members";
    EXPECT_EQ(Member(archive.entries[0]), "readme.txt");
    EXPECT_EQ(Member(archive.entries[1]), "pics\\first.png");
    // The DOS time 2021-03-04 05:06:08 is local time; the stamp is UTC.
    const SYSTEMTIME local{2021, 3, 4, 4, 5, 6, 8, 0};
    SYSTEMTIME utc{};
    FILETIME stamp{};
    ASSERT_TRUE(::TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) && ::SystemTimeToFileTime(&utc, &stamp));
    const auto ticks = (static_cast<std::uint64_t>(stamp.dwHighDateTime) << 32) | stamp.dwLowDateTime;
    EXPECT_EQ(archive.entries[0].timestamp, static_cast<LONG_PTR>(ticks / 10000000 - 11644473600LL));
    EXPECT_EQ(Extract(archive, 0), "not a picture\n");
    // A member handed out in memory decodes like a file of its own.
    UniqueLocal png;
    size_t size = 0;
    ASSERT_EQ(host.ExtractMember(archive, archive.entries[2], png, size), susie::kOk);
    EXPECT_EQ(size, archive.entries[2].filesize);
    SusiePicture picture;
    ASSERT_EQ(host.DecodeMemory(L"second.png", ::LocalLock(png.Get()), size, picture), susie::kOk);
    ::LocalUnlock(png.Get());
    EXPECT_EQ(picture.width, 16);

    // Names come in the ANSI code page, from a UTF-8 flag or as Shift_JIS bytes
    // stored; sizes written after the data are taken from the directory.
    struct Case {
        const wchar_t* fixture;
        const wchar_t* member;
        std::string data;
    };
    for (const Case& c :
         {Case{L"utf8.zip", L"日本語\\表.txt", "utf8\n"}, Case{L"sjis.zip", L"表\\ソ.txt", "sjis folder\n"},
          Case{L"streamed.zip", L"s\\streamed.txt", [] {
                   std::string text;
                   for (int i = 0; i < 100; ++i) text += "written as a stream\n";
                   return text;
               }()}}) {
        SCOPED_TRACE(c.fixture);
        ASSERT_EQ(host.ListArchive(Fixture(c.fixture), archive), susie::kOk);
        const auto found = std::find_if(archive.entries.begin(), archive.entries.end(),
                                        [&](const susie::FileInfo& e) { return Member(e) == ToNarrow(c.member); });
        ASSERT_NE(found, archive.entries.end());
        EXPECT_EQ(Extract(archive, static_cast<size_t>(found - archive.entries.begin())), c.data);
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(SusieHost, BrokenZipsFailThroughThePluginWithoutDisablingIt) {
    InstallArchivePlugin();
    host.Rescan(false, SusieLoadMode::Off);
    SusieArchive archive;
    EXPECT_EQ(host.ListArchive(Fixture(L"truncated.zip"), archive), susie::kUnknownFormat)
        << "cut in half: the directory's end is gone";
    EXPECT_EQ(host.ListArchive(dir.WriteFile(L"text.zip", "PK\x03\x04 and then nothing of a zip"), archive),
              susie::kUnknownFormat);
    EXPECT_EQ(host.ListArchive(Fixture(L"notarchive.txt"), archive), susie::kUnknownFormat) << "*.zip only";
    // Whole headers, spoiled data: listed, and the member fails its check.
    ASSERT_EQ(host.ListArchive(Fixture(L"corrupt.zip"), archive), susie::kOk);
    ASSERT_EQ(Member(archive.entries[0]), "a.txt");
    UniqueLocal data;
    size_t size = 0;
    EXPECT_EQ(host.ExtractMember(archive, archive.entries[0], data, size), susie::kBrokenData);
    EXPECT_FALSE(data);
    EXPECT_EQ(Extract(archive, 1), "bravo\n") << "the next member is whole";
    // A position that is no member's is refused, not read as one.
    susie::FileInfo wrong = archive.entries[1];
    wrong.position += 1;
    EXPECT_EQ(host.ExtractMember(archive, wrong, data, size), susie::kBrokenData);
    EXPECT_FALSE(host.Plugins()[0].runtime->faulted);
    EXPECT_TRUE(reports.empty());
}

}  // namespace
}  // namespace zq
