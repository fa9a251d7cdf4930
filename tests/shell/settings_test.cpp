#include "shell/settings.h"

#include <gtest/gtest.h>

#include "profile_temp_dir.h"

namespace veilo {
namespace {

// Compares every field, naming the first that differs.
void ExpectSameOptions(const AppOptions& a, const AppOptions& b) {
  EXPECT_EQ(a.frameLeft, b.frameLeft);
  EXPECT_EQ(a.frameTop, b.frameTop);
  EXPECT_EQ(a.frameWidth, b.frameWidth);
  EXPECT_EQ(a.frameHeight, b.frameHeight);
  EXPECT_EQ(a.frameMaximized, b.frameMaximized);
  EXPECT_EQ(a.quickZoomX, b.quickZoomX);
  EXPECT_EQ(a.quickZoomY, b.quickZoomY);
  EXPECT_EQ(a.quickZoomWidth, b.quickZoomWidth);
  EXPECT_EQ(a.quickZoomHeight, b.quickZoomHeight);
  EXPECT_EQ(a.areaStartUnit, b.areaStartUnit);
  EXPECT_EQ(a.areaSizeUnit, b.areaSizeUnit);
  EXPECT_EQ(a.mask.flInvert, b.mask.flInvert);
  EXPECT_EQ(a.mask.glassBoxSize, b.mask.glassBoxSize);
  EXPECT_EQ(a.mask.q0VerticalGlass, b.mask.q0VerticalGlass);
  EXPECT_EQ(a.mask.q0HorizontalGlass, b.mask.q0HorizontalGlass);
  EXPECT_EQ(a.mask.q0NegPos, b.mask.q0NegPos);
  EXPECT_EQ(a.mask.q0LeftRight, b.mask.q0LeftRight);
  EXPECT_EQ(a.mask.q0UpDown, b.mask.q0UpDown);
  EXPECT_EQ(a.mask.q0Xor, b.mask.q0Xor);
  EXPECT_EQ(a.mask.rgbNegChannels, b.mask.rgbNegChannels);
  EXPECT_EQ(a.mask.rgbXorChannels, b.mask.rgbXorChannels);
  EXPECT_EQ(a.mask.rgbExchangeMode, b.mask.rgbExchangeMode);
  EXPECT_EQ(a.jpegQuality, b.jpegQuality);
  EXPECT_EQ(a.jpegSmoothing, b.jpegSmoothing);
  EXPECT_EQ(a.jpegSmoothingOn, b.jpegSmoothingOn);
  EXPECT_EQ(a.jpegNoSmoothRead, b.jpegNoSmoothRead);
  EXPECT_EQ(a.jpegProgressive, b.jpegProgressive);
  EXPECT_EQ(a.jpegOptimize, b.jpegOptimize);
  EXPECT_EQ(a.jpegSampling1x1, b.jpegSampling1x1);
  EXPECT_EQ(a.saveDir, b.saveDir);
  EXPECT_EQ(a.loadDir, b.loadDir);
  EXPECT_EQ(a.openPreview, b.openPreview);
  EXPECT_EQ(a.jp2Lossless, b.jp2Lossless);
  EXPECT_FLOAT_EQ(a.jp2Rate, b.jp2Rate);
  EXPECT_EQ(a.languagePath, b.languagePath);
  EXPECT_EQ(a.slideFolder, b.slideFolder);
  EXPECT_EQ(a.slideSeconds, b.slideSeconds);
}

// The frame as it would be at exit; minimised while nothing places it.
FrameState NormalFrame(const AppOptions& o) {
  if (o.frameLeft == kUseDefaultPosition) return FrameState{true, false, 0, 0, 0, 0};
  return FrameState{false, false, o.frameLeft, o.frameTop, o.frameLeft + o.frameWidth, o.frameTop + o.frameHeight};
}

TEST(Settings, NothingStoredGivesTheDefaults) {
  testing::ProfileTempDir dir;
  const LoadedSettings loaded = loadSettings(dir.Path("veilo.ini"), dir.Path("win.ini"));
  EXPECT_EQ(loaded.readFrom, "");
  ExpectSameOptions(loaded.options, AppOptions{});
  EXPECT_EQ(loaded.options.frameLeft, kUseDefaultPosition);
  EXPECT_EQ(loaded.options.mask.glassBoxSize, 8);
  EXPECT_FLOAT_EQ(loaded.options.jp2Rate, 0.1f);
}

TEST(Settings, FreshFileHoldsEveryKeyInOrderWithItsFormat) {
  testing::ProfileTempDir dir;
  AppOptions o;
  o.saveDir = "C:\\out";
  const FrameState frame{false, false, 10, 20, 810, 620};
  ASSERT_TRUE(saveSettings(dir.Path("veilo.ini"), o, frame, std::string("C:\\lang")));
  EXPECT_EQ(dir.Read("veilo.ini"),
            "[veilo by Kestrani]\r\n"
            "Window Dimensions=10 800 20 600\r\n"
            "Zoomed=0\r\n"
            "ViewWin=300 200 160 160\r\n"
            "AreaUnit=8 8\r\n"
            "FLMaskFlg=1\r\n"
            "GRSBoxSZ=8\r\n"
            "JpegOption=80 1 0 0 0 1 1\r\n"
            "SaveDir=C:\\out\r\n"
            "LoadDir=\r\n"
            "preView=0\r\n"
            "Q0Option=1 1 1 0 0 0\r\n"
            "RGBOption=7 7 0\r\n"
            "Path=C:\\lang\r\n"
            "JP2=1 0.1\r\n");
}

AppOptions ChangedOptions() {
  AppOptions o;
  o.frameLeft = -8;  // a frame partly off the left of the screen
  o.frameTop = -4;
  o.frameWidth = 1024;
  o.frameHeight = 700;
  o.quickZoomX = 5;
  o.quickZoomY = 6;
  o.quickZoomWidth = 200;
  o.quickZoomHeight = 150;
  o.areaStartUnit = 1;
  o.areaSizeUnit = 16;
  o.mask.flInvert = 0;
  o.mask.glassBoxSize = 999;
  o.mask.q0VerticalGlass = 0;
  o.mask.q0HorizontalGlass = 0;
  o.mask.q0NegPos = 0;
  o.mask.q0LeftRight = 1;
  o.mask.q0UpDown = 1;
  o.mask.q0Xor = 1;
  o.mask.rgbNegChannels = 5;
  o.mask.rgbXorChannels = 2;
  o.mask.rgbExchangeMode = 3;
  o.jpegQuality = 100;
  o.jpegSmoothing = 100;
  o.jpegSmoothingOn = true;
  o.jpegNoSmoothRead = true;
  o.jpegProgressive = true;
  o.jpegOptimize = false;
  o.jpegSampling1x1 = false;
  o.saveDir = "D:\\pictures\\out dir\\";
  o.loadDir = "E:\\\x95\x5C\\in";  // system code page bytes pass through unchanged
  o.openPreview = true;
  o.jp2Lossless = false;
  o.jp2Rate = 0.25f;
  return o;
}

TEST(Settings, RoundTripKeepsEveryOption) {
  for (const AppOptions& original : {AppOptions{}, ChangedOptions()}) {
    testing::ProfileTempDir dir;
    const AppOptions& stored = original;
    ASSERT_TRUE(saveSettings(dir.Path("veilo.ini"), stored, NormalFrame(stored), std::nullopt));
    const LoadedSettings loaded = loadSettings(dir.Path("veilo.ini"), dir.Path("win.ini"));
    EXPECT_EQ(loaded.readFrom, dir.Path("veilo.ini"));
    ExpectSameOptions(loaded.options, stored);
  }
}

TEST(Settings, JpegDefaultResetsTheSevenJpegOptionsAndNothingElse) {
  AppOptions o = ChangedOptions();
  ResetJpegOptions(o);
  AppOptions expected = ChangedOptions();
  expected.jpegQuality = 80;
  expected.jpegSmoothing = 1;
  expected.jpegSmoothingOn = false;
  expected.jpegNoSmoothRead = false;
  expected.jpegProgressive = false;
  expected.jpegOptimize = true;
  expected.jpegSampling1x1 = true;
  ExpectSameOptions(o, expected);
}

TEST(Settings, MissingOrFolderSettingsFileFallsBackToWinIniButWritesVeiloIni) {
  for (const bool settingsIsFolder : {false, true}) {
    SCOPED_TRACE(settingsIsFolder ? "veilo.ini is a folder" : "veilo.ini is missing");
    testing::ProfileTempDir dir;
    if (settingsIsFolder) std::filesystem::create_directory(dir.Path("veilo.ini"));
    const std::string winIni = "[fonts]\r\n[veilo by Kestrani]\r\nGRSBoxSZ=12\r\nZoomed=1\r\n";
    dir.Write("win.ini", winIni);
    const LoadedSettings loaded = loadSettings(dir.Path("veilo.ini"), dir.Path("win.ini"));
    EXPECT_EQ(loaded.readFrom, dir.Path("win.ini"));
    EXPECT_EQ(loaded.options.mask.glassBoxSize, 12);
    EXPECT_EQ(loaded.options.frameMaximized, 1);

    const bool saved = saveSettings(dir.Path("veilo.ini"), loaded.options, FrameState{false, true, 0, 0, 9, 9},
                                    std::nullopt);
    EXPECT_EQ(dir.Read("win.ini"), winIni);
    if (settingsIsFolder) {
      EXPECT_FALSE(saved);  // nothing can be written over a folder; the failure is ignored by the caller
    } else {
      ASSERT_TRUE(saved);
      EXPECT_EQ(loadSettings(dir.Path("veilo.ini"), "").options.mask.glassBoxSize, 12);
    }
  }
}

struct PartialCase {
  const char* line;
  std::function<void(AppOptions&)> expect;  // sets the fields the line gives
};

TEST(Settings, ValuesWithFewerNumbersFillOnlyTheLeadingFields) {
  const std::vector<PartialCase> cases = {
      {"Window Dimensions=10 800", [](AppOptions& o) { o.frameLeft = 10; o.frameWidth = 800; }},
      {"Window Dimensions=", [](AppOptions&) {}},
      {"ViewWin=1 2 3", [](AppOptions& o) { o.quickZoomX = 1; o.quickZoomY = 2; o.quickZoomWidth = 3; }},
      {"AreaUnit=16", [](AppOptions& o) { o.areaStartUnit = 16; }},
      {"AreaUnit=16,1", [](AppOptions& o) { o.areaStartUnit = 16; }},
      {"JpegOption=50 4 1", [](AppOptions& o) { o.jpegQuality = 50; o.jpegSmoothing = 4; o.jpegSmoothingOn = true; }},
      {"Q0Option=0 0", [](AppOptions& o) { o.mask.q0VerticalGlass = 0; o.mask.q0HorizontalGlass = 0; }},
      {"RGBOption=3", [](AppOptions& o) { o.mask.rgbNegChannels = 3; }},
      {"JP2=0", [](AppOptions& o) { o.jp2Lossless = false; }},
      {"JP2=0 0.5", [](AppOptions& o) { o.jp2Lossless = false; o.jp2Rate = 0.5f; }},
      {"JP2=x 0.5", [](AppOptions&) {}},
      {"JP2=0 1e300", [](AppOptions& o) { o.jp2Lossless = false; }},
      {"JP2=0 nan", [](AppOptions& o) { o.jp2Lossless = false; }},
      {"Zoomed=abc", [](AppOptions&) {}},
  };
  for (const PartialCase& c : cases) {
    SCOPED_TRACE(c.line);
    testing::ProfileTempDir dir;
    dir.Write("veilo.ini", std::string("[veilo by Kestrani]\r\n") + c.line + "\r\n");
    AppOptions expected;
    c.expect(expected);
    ExpectSameOptions(loadSettings(dir.Path("veilo.ini"), "").options, expected);
  }
}

TEST(Settings, FlagsReadAnyNonzeroAsOnAndAreWrittenAsZeroOrOne) {
  testing::ProfileTempDir dir;
  dir.Write("veilo.ini",
            "[veilo by Kestrani]\r\nJpegOption=80 1 5 -1 0 2 0\r\nQ0Option=5 0 -3 0 0 2\r\npreView=7\r\nJP2=9 0.3\r\n");
  const AppOptions o = loadSettings(dir.Path("veilo.ini"), "").options;
  EXPECT_TRUE(o.jpegSmoothingOn);
  EXPECT_TRUE(o.jpegNoSmoothRead);
  EXPECT_FALSE(o.jpegProgressive);
  EXPECT_TRUE(o.jpegOptimize);
  EXPECT_FALSE(o.jpegSampling1x1);
  EXPECT_EQ(o.mask.q0VerticalGlass, 1);
  EXPECT_EQ(o.mask.q0NegPos, 1);
  EXPECT_EQ(o.mask.q0Xor, 1);
  EXPECT_TRUE(o.openPreview);
  EXPECT_TRUE(o.jp2Lossless);

  ASSERT_TRUE(saveSettings(dir.Path("veilo.ini"), o, NormalFrame(o), std::nullopt));
  const std::string text = dir.Read("veilo.ini");
  EXPECT_NE(text.find("JpegOption=80 1 1 1 0 1 0\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Q0Option=1 0 1 0 0 1\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("preView=1\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("JP2=1 0.3\r\n"), std::string::npos) << text;
}

TEST(Settings, ChannelSetsKeepEightBitsAndDangerousValuesAreBroughtIntoRange) {
  testing::ProfileTempDir dir;
  dir.Write("veilo.ini",
            "[veilo by Kestrani]\r\nRGBOption=263 7 9\r\nGRSBoxSZ=0\r\nAreaUnit=0 5\r\nJpegOption=300 0\r\n");
  const AppOptions o = loadSettings(dir.Path("veilo.ini"), "").options;
  EXPECT_EQ(o.mask.rgbNegChannels, 7);   // 263 & 0xFF
  EXPECT_EQ(o.mask.rgbXorChannels, 7);
  EXPECT_EQ(o.mask.rgbExchangeMode, 0);  // no mode 9
  EXPECT_EQ(o.mask.glassBoxSize, 2);     // a box of 0 pixels cannot tile an area
  EXPECT_EQ(o.areaStartUnit, 8);         // grids are 1, 8 or 16 pixels
  EXPECT_EQ(o.areaSizeUnit, 8);
  EXPECT_EQ(o.jpegQuality, 100);
  EXPECT_EQ(o.jpegSmoothing, 1);
}

TEST(Settings, WindowDimensionsStayWhileTheFrameIsMinimisedOrMaximised) {
  struct Case {
    FrameState frame;
    const char* dimensions;
    const char* zoomed;
  };
  const Case cases[] = {
      {{false, false, 100, 50, 900, 650}, "Window Dimensions=100 800 50 600", "Zoomed=0"},
      {{false, true, 0, 0, 1920, 1080}, "Window Dimensions=1 2 3 4", "Zoomed=1"},
      {{true, false, -32000, -32000, -31840, -31970}, "Window Dimensions=1 2 3 4", "Zoomed=0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dimensions);
    testing::ProfileTempDir dir;
    dir.Write("veilo.ini", "[veilo by Kestrani]\r\nWindow Dimensions=1 2 3 4\r\nZoomed=0\r\n");
    ASSERT_TRUE(saveSettings(dir.Path("veilo.ini"), AppOptions{}, c.frame, std::nullopt));
    const std::string text = dir.Read("veilo.ini");
    EXPECT_NE(text.find(std::string(c.dimensions) + "\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(std::string(c.zoomed) + "\r\n"), std::string::npos) << text;
  }
}

TEST(Settings, NegativeFramePositionWrittenUnsignedComesBackNegative) {
  testing::ProfileTempDir dir;
  ASSERT_TRUE(saveSettings(dir.Path("veilo.ini"), AppOptions{}, FrameState{false, false, -8, -8, 1000, 700},
                           std::nullopt));
  EXPECT_NE(dir.Read("veilo.ini").find("Window Dimensions=4294967288 1008 4294967288 708\r\n"), std::string::npos);
  const AppOptions o = loadSettings(dir.Path("veilo.ini"), "").options;
  EXPECT_EQ(o.frameLeft, -8);
  EXPECT_EQ(o.frameWidth, 1008);
  EXPECT_EQ(o.frameTop, -8);
  EXPECT_EQ(o.frameHeight, 708);
}

TEST(Settings, PathIsWrittenOnlyWithALoadedLanguageFileAndOtherLinesSurvive) {
  testing::ProfileTempDir dir;
  dir.Write("veilo.ini", "; kept\r\n[veilo by Kestrani]\r\nPath=C:\\old\r\nFuture=1\r\n[Other]\r\nx=y\r\n");
  AppOptions o = loadSettings(dir.Path("veilo.ini"), "").options;
  EXPECT_EQ(o.languagePath, "C:\\old");

  ASSERT_TRUE(saveSettings(dir.Path("veilo.ini"), o, NormalFrame(o), std::nullopt));
  std::string text = dir.Read("veilo.ini");
  EXPECT_EQ(text.rfind("; kept\r\n[veilo by Kestrani]\r\nPath=C:\\old\r\nFuture=1\r\n", 0), 0u) << text;
  EXPECT_NE(text.find("[Other]\r\nx=y\r\n"), std::string::npos) << text;

  ASSERT_TRUE(saveSettings(dir.Path("veilo.ini"), o, NormalFrame(o), std::string("D:\\lang")));
  text = dir.Read("veilo.ini");
  EXPECT_NE(text.find("Path=D:\\lang\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("C:\\old"), std::string::npos) << text;
}

TEST(Settings, FoldersAreCutToTheirBuffers) {
  testing::ProfileTempDir dir;
  const std::string longDir(300, 'a');
  dir.Write("veilo.ini", "[veilo by Kestrani]\r\nSaveDir=" + longDir + "\r\nPath=" + longDir + "\r\n");
  const AppOptions o = loadSettings(dir.Path("veilo.ini"), "").options;
  EXPECT_EQ(o.saveDir.size(), 255u);
  EXPECT_EQ(o.languagePath.size(), 259u);
}

TEST(SlideSettings, ReadAndWrittenInWinIni) {
  testing::ProfileTempDir dir;
  dir.Write("win.ini", "[windows]\r\nload=\r\n[veilo by Kestrani]\r\nSLD_PATH=C:\\shows\r\nSLD_TM=12\r\n");
  AppOptions o;
  loadSlideSettings(dir.Path("win.ini"), o);
  EXPECT_EQ(o.slideFolder, "C:\\shows");
  EXPECT_EQ(o.slideSeconds, 12);

  o.slideFolder = "D:\\other";
  o.slideSeconds = 3;
  ASSERT_TRUE(saveSlideSettings(dir.Path("win.ini"), o));
  EXPECT_EQ(dir.Read("win.ini"), "[windows]\r\nload=\r\n[veilo by Kestrani]\r\nSLD_PATH=D:\\other\r\nSLD_TM=3\r\n");
}

// The settings dialog takes 259 characters, of any script: such a folder reads back whole, and
// a longer one is cut between characters, never inside one.
TEST(SlideSettings, TheFolderIsCutTo259CharactersNotBytes) {
  const std::string kanji = "\xE5\x86\x99";     // 写, three bytes
  const std::string emoji = "\xF0\x9F\x93\xB7";  // U+1F4F7, four bytes and two UTF-16 units
  std::string japanese259, japanese300, emojiAcross;
  for (int i = 0; i < 259; ++i) japanese259 += kanji;
  for (int i = 0; i < 300; ++i) japanese300 += kanji;
  for (int i = 0; i < 258; ++i) emojiAcross += "a";
  const struct {
    std::string stored, read;
  } cases[] = {
      {"C:\\" + japanese259.substr(9), "C:\\" + japanese259.substr(9)},
      {japanese300, japanese259},
      {std::string(300, 'a'), std::string(259, 'a')},
      {emojiAcross + emoji, emojiAcross},  // the pair would end beyond the 259th unit
  };
  for (const auto& c : cases) {
    testing::ProfileTempDir dir;
    dir.Write("win.ini", "[veilo by Kestrani]\r\nSLD_PATH=" + c.stored + "\r\n");
    AppOptions o;
    loadSlideSettings(dir.Path("win.ini"), o);
    EXPECT_EQ(o.slideFolder, c.read) << c.stored.size();
  }
}

TEST(SlideSettings, AbsentKeysEmptyTheFolderAndKeepTheSeconds) {
  testing::ProfileTempDir dir;
  AppOptions o;
  o.slideFolder = "stale";
  o.slideSeconds = 9;
  loadSlideSettings(dir.Path("win.ini"), o);
  EXPECT_EQ(o.slideFolder, "");
  EXPECT_EQ(o.slideSeconds, 9);

  dir.Write("win.ini", "[veilo by Kestrani]\r\nSLD_TM=\r\n");
  loadSlideSettings(dir.Path("win.ini"), o);
  EXPECT_EQ(o.slideSeconds, 9);
  dir.Write("win.ini", "[veilo by Kestrani]\r\nSLD_TM=soon\r\n");
  loadSlideSettings(dir.Path("win.ini"), o);
  EXPECT_EQ(o.slideSeconds, 0);  // converted like atoi
}

}  // namespace
}  // namespace veilo
