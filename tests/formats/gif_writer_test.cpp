// Writing GIF files: layout, palette choice, transparency, interlace and
// safe replacement of the target.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <vector>

#include "doc/image_doc.h"
#include "formats/colour_quantiser.h"
#include "formats/gif_reader.h"
#include "formats/gif_save_options.h"
#include "formats/gif_writer.h"
#include "ppm_reference.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::MakeDoc;
using testing::Rgb;

// Fields of a file written by WriteGifFile (fixed layout: header, screen,
// global table, control extension, image descriptor, data).
struct WrittenGif {
  std::vector<uint8_t> bytes;
  int entries = 0;
  std::vector<Rgb> palette;
  uint8_t controlFlags = 0, transparentIndex = 0, descriptorPacked = 0, minCodeSize = 0;

  explicit WrittenGif(std::vector<uint8_t> b) : bytes(std::move(b)) {
    if (bytes.size() < 13) return;
    entries = 2 << (bytes[10] & 7);
    size_t p = 13;
    for (int i = 0; i < entries; ++i, p += 3) palette.push_back({bytes[p], bytes[p + 1], bytes[p + 2]});
    controlFlags = bytes[p + 3];
    transparentIndex = bytes[p + 6];
    descriptorPacked = bytes[p + 8 + 9];
    minCodeSize = bytes[p + 8 + 10];
  }
};

class GifWriter : public ::testing::Test {
 protected:
  WrittenGif Save(ImageDoc& doc, const GifSaveOptions& options, const std::string& name = "out.gif") {
    path = folder.Path(name);
    EXPECT_NE(WriteGifFile(shell, path, doc, options), 0);
    EXPECT_TRUE(shell.errors.empty());
    EXPECT_EQ(shell.waitDepth, 0);
    return WrittenGif(testing::ReadFileBytes(path));
  }
  ImageDoc ReadBack() {
    ImageDoc doc;
    EXPECT_NE(ReadGifFile(shell, path, doc), 0);
    return doc;
  }
  static GifSaveOptions Options(int maxColours, bool interlace = false) {
    GifSaveOptions o;
    o.maxColours = maxColours;
    o.interlace = interlace;
    return o;
  }
  static GifSaveOptions Transparent(int maxColours, Rgb colour) {
    GifSaveOptions o = Options(maxColours);
    o.transparent = true;
    o.transparentColour = {colour.r, colour.g, colour.b};
    return o;
  }

  testing::TempFolder folder;
  testing::RecordingShell shell;
  std::string path;
};

// n distinct colours that are not histogram cell centres, in a fixed order.
Rgb Colour(int i) { return {static_cast<uint8_t>(17 + 7 * (i % 30)), static_cast<uint8_t>(9 * (i / 30) + 1), 77}; }

TEST_F(GifWriter, WritesTheWholeLayoutOfATwoColourPicture) {
  ImageDoc doc = MakeDoc(2, 1, [](int32_t x, int32_t) { return x == 0 ? Rgb{0, 0, 0} : Rgb{255, 255, 255}; });
  const WrittenGif gif = Save(doc, Options(256));
  const std::vector<uint8_t> expected = {
      'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0,  // screen: 2-entry global table
      0, 0, 0, 255, 255, 255,                                 // table in order of first appearance
      0x21, 0xF9, 4, 0x02, 0, 0, 0, 0,                        // control: user input flag only
      0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0x00,                     // image descriptor
      2, 2, 0x44, 0x0A, 0,                                    // codes clear, 0, 1, end at 3 bits
      0x3B};
  EXPECT_EQ(gif.bytes, expected);
}

TEST_F(GifWriter, ExactPalettesArePaddedToAPowerOfTwo) {
  struct Case {
    int colours, entries, packed, minCodeSize;
  };
  for (const Case& c : {Case{1, 2, 0x80, 2}, Case{3, 4, 0x81, 2}, Case{5, 8, 0x82, 3}, Case{9, 16, 0x83, 4},
                        Case{33, 64, 0x85, 6}, Case{129, 256, 0x87, 8}, Case{255, 256, 0x87, 8}}) {
    SCOPED_TRACE(c.colours);
    ImageDoc doc = MakeDoc(c.colours, 2, [](int32_t x, int32_t) { return Colour(x); });
    const WrittenGif gif = Save(doc, Options(256));
    EXPECT_EQ(gif.entries, c.entries);
    EXPECT_EQ(gif.bytes[10], c.packed);
    EXPECT_EQ(gif.minCodeSize, c.minCodeSize);
    EXPECT_EQ(gif.descriptorPacked, c.packed & 7);
    for (int i = 0; i < c.entries; ++i)
      EXPECT_EQ(gif.palette[static_cast<size_t>(i)], i < c.colours ? Colour(i) : Rgb{}) << "entry " << i;
    ImageDoc back = ReadBack();
    EXPECT_EQ(testing::DescribePixelDifference(doc, back), "");
  }
}

TEST_F(GifWriter, ExactlyTheMaximumGoesThroughTheQuantiser) {
  ImageDoc fifteen = MakeDoc(15, 3, [](int32_t x, int32_t) { return Colour(x); });
  WrittenGif gif = Save(fifteen, Options(16));
  EXPECT_EQ(gif.palette[0], Colour(0));
  EXPECT_EQ(gif.palette[14], Colour(14));
  EXPECT_EQ(gif.palette[15], Rgb{});

  ImageDoc sixteen = MakeDoc(16, 3, [](int32_t x, int32_t) { return Colour(x); });
  gif = Save(sixteen, Options(16));
  EXPECT_EQ(gif.entries, 16);
  // Reduced entries are means of histogram cell centres, none of which is an original colour.
  for (const Rgb& entry : gif.palette)
    for (int i = 0; i < 16; ++i) EXPECT_FALSE(entry == Colour(i));
}

TEST_F(GifWriter, ReducedPicturesUseTheQuantisersPaletteAndIndices) {
  ImageDoc doc = testing::MakeNoiseDoc(70, 40, 3);
  const WrittenGif gif = Save(doc, Options(64));
  std::vector<uint8_t> indices(70 * 40);
  const auto palette = QuantiseImage(DocPixels(doc), 64, indices.data());
  ASSERT_TRUE(palette);
  ASSERT_EQ(gif.entries, 64);
  for (int i = 0; i < 64; ++i) {
    const auto u = static_cast<size_t>(i);
    EXPECT_EQ(gif.palette[u], (Rgb{palette->red[u], palette->green[u], palette->blue[u]}));
  }
  ImageDoc back = ReadBack();
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 70; ++x)
      ASSERT_EQ(testing::PixelOf(back, x, y), gif.palette[indices[static_cast<size_t>(y * 70 + x)]]) << x << "," << y;
}

TEST_F(GifWriter, TransparentColourInAnExactPalette) {
  ImageDoc doc = MakeDoc(3, 1, [](int32_t x, int32_t) { return Colour(x); });
  WrittenGif gif = Save(doc, Transparent(256, Colour(2)));
  EXPECT_EQ(gif.controlFlags, 0x03);
  EXPECT_EQ(gif.transparentIndex, 2);
  ImageDoc back = ReadBack();
  EXPECT_EQ(back.useTransparent, 1);
  EXPECT_EQ(back.transparentColor, (std::array<uint8_t, 3>{Colour(2).r, Colour(2).g, Colour(2).b}));

  gif = Save(doc, Transparent(256, Rgb{1, 2, 3}));  // no entry has it
  EXPECT_EQ(gif.controlFlags, 0x02);
  EXPECT_EQ(gif.transparentIndex, 0);
  EXPECT_EQ(ReadBack().useTransparent, 0);
}

TEST_F(GifWriter, TransparentColourInAReducedPalette) {
  ImageDoc doc = MakeDoc(10, 10, [](int32_t x, int32_t y) { return Colour(y * 10 + x); });  // 100 colours
  const Rgb t = Colour(42);
  WrittenGif gif = Save(doc, Transparent(8, t));
  EXPECT_EQ(gif.entries, 8);
  EXPECT_EQ(gif.controlFlags, 0x02) << "no room for a transparent entry among 8";

  gif = Save(doc, Transparent(16, t));
  EXPECT_EQ(gif.controlFlags, 0x03);
  EXPECT_EQ(gif.transparentIndex, 15);
  EXPECT_EQ(gif.palette[15], t);
  ImageDoc back = ReadBack();
  EXPECT_EQ(testing::PixelOf(back, 2, 4), t);
  for (int i = 0; i < 100; ++i)
    if (i != 42) {
      EXPECT_FALSE(testing::PixelOf(back, i % 10, i / 10) == t) << i;
    }
}

TEST_F(GifWriter, TransparentColourEqualToAQuantisedEntryIsNudged) {
  // Many colours in two distant cells plus pixels of the transparent colour
  // (4,2,4), which are quantised as black: the black cell's centre is (4,2,4)
  // itself, so the reserved entry becomes (3,2,4).
  ImageDoc doc = MakeDoc(20, 4, [](int32_t x, int32_t y) {
    if (y == 3) return Rgb{4, 2, 4};
    return Rgb{static_cast<uint8_t>(200 + x % 16), 100, static_cast<uint8_t>(40 + y)};
  });
  WrittenGif gif = Save(doc, Transparent(16, Rgb{4, 2, 4}));
  EXPECT_EQ(gif.palette[15], (Rgb{3, 2, 4}));
  EXPECT_EQ(gif.transparentIndex, 15);
  ImageDoc back = ReadBack();
  EXPECT_EQ(testing::PixelOf(back, 0, 3), (Rgb{3, 2, 4}));

  // Unused quantiser entries are black, so a black transparent colour moves
  // to red 1.
  gif = Save(doc, Transparent(32, Rgb{0, 0, 0}));
  EXPECT_EQ(gif.palette[31], (Rgb{1, 0, 0}));
  EXPECT_EQ(gif.controlFlags, 0x03);
}

TEST_F(GifWriter, InterlacedFilesReadBackRowForRow) {
  for (int32_t height : {1, 2, 3, 4, 5, 8, 13}) {
    SCOPED_TRACE(height);
    ImageDoc doc = MakeDoc(3, height, [](int32_t x, int32_t y) { return Colour(y * 3 + x); });
    const WrittenGif gif = Save(doc, Options(256, true));
    EXPECT_EQ(gif.descriptorPacked & 0x40, 0x40);
    ImageDoc back = ReadBack();
    EXPECT_EQ(testing::DescribePixelDifference(doc, back), "");
  }
}

TEST_F(GifWriter, LargeExactPictureRoundTrips) {
  // 255 colours in runs over 600 x 400: many code-table restarts.
  ImageDoc doc = MakeDoc(600, 400, [](int32_t x, int32_t y) { return Colour((x / 3 + y * 7) % 255); });
  Save(doc, Options(256));
  ImageDoc back = ReadBack();
  EXPECT_EQ(testing::DescribePixelDifference(doc, back), "");
}

TEST_F(GifWriter, MissingFolderIsAnOpenError) {
  ImageDoc doc = MakeDoc(2, 2, [](int32_t, int32_t) { return Rgb{}; });
  EXPECT_EQ(WriteGifFile(shell, folder.Path("no/such/folder/x.gif"), doc, Options(256)), 0);
  EXPECT_EQ(shell.errors, (std::vector<std::string>{"File Open Error!"}));
}

TEST_F(GifWriter, FailedSaveKeepsTheExistingFile) {
  const std::string target = folder.Path("keep.gif");
  std::ofstream(target, std::ios::binary) << "precious";
  ImageDoc empty;  // nothing to write
  EXPECT_EQ(WriteGifFile(shell, target, empty, Options(256)), 0);
  EXPECT_EQ(shell.errors, (std::vector<std::string>{"File Save Error!"}));
  EXPECT_EQ(shell.waitDepth, 0);
  const std::vector<uint8_t> kept = testing::ReadFileBytes(target);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "precious");
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"keep.gif"}));
}

TEST(GifSaveOptions, StartFromTheDocument) {
  ImageDoc doc;
  doc.useTransparent = 1;
  doc.transparentColor = {1, 2, 3};
  const GifSaveOptions o = StartingGifSaveOptions(doc);
  EXPECT_EQ(o.maxColours, 256);
  EXPECT_FALSE(o.interlace);
  EXPECT_TRUE(o.transparent);
  EXPECT_EQ(o.transparentColour, (std::array<uint8_t, 3>{1, 2, 3}));
  EXPECT_FALSE(StartingGifSaveOptions(ImageDoc{}).transparent);
}

TEST(GifSaveOptions, MaximumColoursAreAllowedSizes) {
  const std::pair<int, int> cases[] = {{0, 8}, {8, 8}, {9, 16}, {16, 16}, {100, 128}, {256, 256}, {1000, 256}};
  for (const auto& [in, out] : cases) EXPECT_EQ(NormalisedGifMaxColours(in), out) << in;
}

}  // namespace
}  // namespace veilo
