#include "tools/devmode_file.h"

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "platform/le_bytes.h"
#include "temp_folder.h"

namespace veilo {
namespace {

// A device-mode block of `size` bytes whose own size fields (at `at`) claim
// `fixed` + `extra` bytes, filled with a pattern.
std::vector<uint8_t> DevMode(size_t size, uint16_t fixed, uint16_t extra, size_t at = 36) {
  std::vector<uint8_t> block(size);
  for (size_t i = 0; i < size; ++i) block[i] = static_cast<uint8_t>(i * 7 + 1);
  if (size >= at + 4) {
    PutLe16(block.data() + at, fixed);
    PutLe16(block.data() + at + 2, extra);
  }
  return block;
}

PrinterSettings Sample() {
  PrinterSettings s;
  s.printerName = "Office Laser 5";
  s.devMode = DevMode(220, 156, 64);
  s.margins = {1000, 1500, -20, 0};
  return s;
}

void ExpectSame(const PrinterSettings& a, const PrinterSettings& b) {
  EXPECT_EQ(a.printerName, b.printerName);
  EXPECT_EQ(a.devMode, b.devMode);
  EXPECT_EQ(a.margins, b.margins);
}

TEST(DevmodeFile, LayoutOfTheBytes) {
  const std::vector<uint8_t> bytes = EncodePrinterSettings(Sample());
  ASSERT_EQ(bytes.size(), 260u + 4 + 220 + 16);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), "Office Laser 5");
  EXPECT_TRUE(std::all_of(bytes.begin() + 14, bytes.begin() + 260, [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(GetLe32(bytes.data() + 260), 220u);
  const std::vector<uint8_t> devMode = Sample().devMode;
  EXPECT_TRUE(std::equal(devMode.begin(), devMode.end(), bytes.begin() + 264));
  EXPECT_EQ(GetLe32(bytes.data() + 484), 1000u);
  EXPECT_EQ(GetLe32(bytes.data() + 488), 1500u);
  EXPECT_EQ(GetLe32(bytes.data() + 492), static_cast<uint32_t>(-20));
  EXPECT_EQ(GetLe32(bytes.data() + 496), 0u);
  const std::optional<PrinterSettings> back = DecodePrinterSettings(bytes);
  ASSERT_TRUE(back);
  ExpectSame(*back, Sample());
}

TEST(DevmodeFile, LongNamesCutWithinTheField) {
  PrinterSettings s = Sample();
  s.printerName = std::string(300, 'p');
  EXPECT_EQ(DecodePrinterSettings(EncodePrinterSettings(s))->printerName, std::string(259, 'p'));
  // A two-byte character across the 259th byte is left out whole.
  s.printerName = std::string(258, 'p') + "\xC3\xA9" + "x";
  EXPECT_EQ(DecodePrinterSettings(EncodePrinterSettings(s))->printerName, std::string(258, 'p'));
}

TEST(DevmodeFile, EveryTruncationIsRefused) {
  const std::vector<uint8_t> bytes = EncodePrinterSettings(Sample());
  for (size_t n = 0; n < bytes.size(); ++n) {
    // A copy of exactly n bytes: the sanitizer catches any read past it.
    const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_EQ(DecodePrinterSettings(cut), std::nullopt) << n;
  }
  std::vector<uint8_t> longer = bytes;
  longer.push_back(0);
  EXPECT_EQ(DecodePrinterSettings(longer), std::nullopt);
}

TEST(DevmodeFile, ForeignFilesAreRefused) {
  struct Case {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> spoil;
  };
  const Case cases[] = {
      {"size 0", [](auto& b) { PutLe32(b.data() + 260, 0); }},
      {"negative size", [](auto& b) { PutLe32(b.data() + 260, 0xFFFFFFF0u); }},
      {"size far past the file", [](auto& b) { PutLe32(b.data() + 260, 0x7FFFFFFFu); }},
      {"size one past the file", [](auto& b) { PutLe32(b.data() + 260, 221); }},
      {"size one short", [](auto& b) { PutLe32(b.data() + 260, 219); }},
      {"name without its terminating zero", [](auto& b) { std::fill(b.begin(), b.begin() + 260, 'n'); }},
      {"device mode claiming more than its block", [](auto& b) { PutLe16(b.data() + 264 + 38, 65); }},
      {"device mode too small for its own size fields", [](auto& b) { PutLe16(b.data() + 264 + 36, 20); }},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = EncodePrinterSettings(Sample());
    c.spoil(bytes);
    EXPECT_EQ(DecodePrinterSettings(bytes), std::nullopt) << c.what;
  }
  EXPECT_EQ(DecodePrinterSettings(std::vector<uint8_t>(280, 0)), std::nullopt);
}

TEST(DevmodeFile, DeviceModeSizesByLayout) {
  struct Case {
    std::vector<uint8_t> block;
    DevModeLayout layout;
    bool fits;
  };
  const Case cases[] = {
      {DevMode(220, 156, 64), DevModeLayout::kAnsi, true},
      {DevMode(220, 156, 65), DevModeLayout::kAnsi, false},
      {DevMode(220, 220, 0), DevModeLayout::kAnsi, true},
      {DevMode(39, 0, 0), DevModeLayout::kAnsi, false},  // too short to hold the fields
      {DevMode(300, 220, 80, 68), DevModeLayout::kWide, true},
      {DevMode(300, 220, 81, 68), DevModeLayout::kWide, false},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(DevModeFitsItsBlock(cases[i].block, cases[i].layout), cases[i].fits) << i;
}

class DevmodeFolderTest : public ::testing::Test {
 protected:
  std::string path() const { return folder_.Path(kPrinterSettingsFileName); }
  testing::TempFolder folder_;
};

TEST_F(DevmodeFolderTest, WrittenByOneRunRestoredInTheNext) {
  ASSERT_TRUE(SavePrinterSettings(path(), Sample()));
  PrinterSettings next;
  ASSERT_TRUE(LoadPrinterSettings(path(), next));
  ExpectSame(next, Sample());
}

TEST_F(DevmodeFolderTest, NothingWrittenWithoutADeviceMode) {
  PrinterSettings none;
  none.printerName = "x";
  EXPECT_FALSE(SavePrinterSettings(path(), none));
  EXPECT_FALSE(FileExists(path()));
  ASSERT_TRUE(SavePrinterSettings(path(), Sample()));
  EXPECT_FALSE(SavePrinterSettings(path(), none));  // the file of an earlier save stays
  PrinterSettings read;
  ASSERT_TRUE(LoadPrinterSettings(path(), read));
  ExpectSame(read, Sample());
}

TEST_F(DevmodeFolderTest, MissingOrForeignFileKeepsTheSettings) {
  PrinterSettings held = Sample();
  held.printerName = "held";
  EXPECT_FALSE(LoadPrinterSettings(path(), held));
  std::vector<uint8_t> bytes = EncodePrinterSettings(Sample());
  bytes.resize(bytes.size() - 3);
  {
    FilePtr f = OpenFile(path(), "wb");
    ASSERT_TRUE(f);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f.get()), bytes.size());
  }
  EXPECT_FALSE(LoadPrinterSettings(path(), held));
  EXPECT_EQ(held.printerName, "held");
  EXPECT_EQ(held.devMode, Sample().devMode);
}

}  // namespace
}  // namespace veilo
