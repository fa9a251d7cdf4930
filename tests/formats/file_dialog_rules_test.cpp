// The open and save dialogs' rules: the name a save starts with, the name
// after a type change, the remembered folder and the preview's fit.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "formats/file_dialog_rules.h"

namespace veilo {
namespace {

TEST(SaveNamePrefill, DropsTheWindowNumberAndSuppliesAnExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"photo.jpg", "photo.jpg"},
      {"photo.jpg :2", "photo.jpg"},
      {"photo.jpg :12", "photo.jpg"},
      {"my photo.png :3", "my photo.png"},
      {"写真 の.gif :2", "写真 の.gif"},
      {"NewImage001", "NewImage001.jpg"},
      {"CB001", "CB001.jpg"},
      // A name without a dot loses its number too: ':' is no file-name character.
      {"photo :2", "photo.jpg"},
      {"写真 :3", "写真.jpg"},
      // A blank after the dot that is not a window number stays.
      {"v1.5 final", "v1.5 final"},
      {"v1.5 final :2", "v1.5 final"},
      // Only a trailing " :digits" is a window number.
      {"a :b.png", "a :b.png"},
      {"", ""},
  };
  for (auto [title, name] : cases) EXPECT_EQ(SaveNamePrefill(title), name) << title;
}

TEST(TypeChangedName, TheChosenTypesExtensionReplacesTheNamesOwn) {
  struct Case {
    const char* name;
    int filterIndex;
    std::optional<std::string> changed;
  };
  const Case cases[] = {
      {"photo.jpg", 2, "photo.BMP"},
      {"photo.jpg", 3, "photo.JPG"},
      {"photo.jpg", 4, "photo.JP2"},
      {"photo.jpg", 5, "photo.PNG"},
      {"photo.bmp", 6, "photo.GIF"},
      {"photo", 5, "photo.PNG"},
      {"archive.tar.gz", 2, "archive.tar.BMP"},
      {"写真.jpg", 5, "写真.PNG"},
      {"C:\\pics\\photo.jpg", 6, "C:\\pics\\photo.GIF"},
      // A dot in a folder name is not the file's extension.
      {"C:\\a.b\\photo", 5, "C:\\a.b\\photo.PNG"},
      {"sub.dir/photo", 2, "sub.dir/photo.BMP"},
      // The first type (all pictures) and the last (all files) change nothing.
      {"photo.jpg", 1, std::nullopt},
      {"photo.jpg", 7, std::nullopt},
      {"photo.jpg", 0, std::nullopt},
      {"", 5, std::nullopt},
      {".jpg", 5, std::nullopt},
      {"C:\\pics\\", 5, std::nullopt},
      {"C:\\pics\\.hidden", 5, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.name << " / " << c.filterIndex);
    EXPECT_EQ(TypeChangedName(c.name, c.filterIndex), c.changed);
  }
}

TEST(FolderOfChosenPath, ThePathWithoutItsFileKeepsTheSeparator) {
  struct Case {
    const char* path;
    const char* title;
    const char* folder;
  };
  const Case cases[] = {
      {"C:\\pics\\photo.jpg", "photo.jpg", "C:\\pics\\"},
      {"C:\\photo.jpg", "photo.jpg", "C:\\"},
      {"D:\\写真\\夏.png", "夏.png", "D:\\写真\\"},
      {"\\\\server\\share\\a.b\\photo", "photo", "\\\\server\\share\\a.b\\"},
      // A title that is not the path's end (extension hidden) cuts at the separator.
      {"C:\\pics\\photo.jpg", "photo", "C:\\pics\\"},
      {"C:\\pics\\photo.jpg", "", "C:\\pics\\"},
      // A title longer than the path cuts nothing it should not.
      {"a.jpg", "C:\\long\\a.jpg", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FolderOfChosenPath(c.path, c.title), c.folder) << c.path;
}

TEST(FitPreview, AspectKeptAndCentred) {
  struct Case {
    int32_t picW, picH, areaW, areaH;
    PreviewFit fit;
  };
  const Case cases[] = {
      {400, 200, 100, 100, {0, 25, 100, 50}},    // wider: full width, centred vertically
      {200, 400, 100, 100, {25, 0, 50, 100}},    // taller: full height, centred horizontally
      {100, 100, 200, 100, {50, 0, 100, 100}},   // a square in a wide area
      {300, 200, 150, 100, {0, 0, 150, 100}},    // the area's ratio exactly
      {10, 10, 200, 150, {25, 0, 150, 150}},     // small pictures are enlarged
      {1000, 3, 160, 120, {0, 60, 160, 0}},      // truncated to nothing high
      {333, 100, 100, 101, {0, 35, 100, 30}},    // truncation: 100 * 100 / 333 = 30
      {0, 100, 100, 100, {}},
      {100, 0, 100, 100, {}},
      {100, 100, 0, 100, {}},
      {100, 100, 100, -1, {}},
      {65535, 65535, 65535, 65535, {0, 0, 65535, 65535}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.picW << "x" << c.picH << " in " << c.areaW << "x" << c.areaH);
    EXPECT_EQ(FitPreview(c.picW, c.picH, c.areaW, c.areaH), c.fit);
  }
}

TEST(PreviewSizeText, WidthTimesHeight) {
  EXPECT_EQ(PreviewSizeText(640, 480), "640 x 480");
  EXPECT_EQ(PreviewSizeText(65535, 1), "65535 x 1");
}

}  // namespace
}  // namespace veilo
