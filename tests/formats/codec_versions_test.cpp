// Proves that every codec library is linked into the build at hand (natively the
// system's shared libraries, for Windows the static ones from .deps) and that
// the headers we compile against belong to the library we run with.

#include <gtest/gtest.h>

#include <cstdio>  // jpeglib.h needs FILE
#include <cstring>
#include <string>

#include <jpeglib.h>
#include <openjpeg.h>
#include <png.h>
#include <tiffio.h>
#include <zlib.h>

namespace {

static_assert(JPEG_LIB_VERSION == 62, "the JPEG glue is written against the version 62 API");

TEST(CodecVersions, JpegAcceptsVersion62DecompressStruct) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  // A version or struct-size mismatch ends in error_exit, which the default
  // handler turns into exit(): the test program would not get past this line.
  jpeg_CreateDecompress(&info, 62, sizeof info);
  EXPECT_EQ(info.global_state, 200);  // DSTATE_START: ready for a source
  jpeg_destroy_decompress(&info);
  EXPECT_EQ(info.global_state, 0);
}

TEST(CodecVersions, PngLibraryMatchesHeader) {
  const png_uint_32 version = png_access_version_number();
  EXPECT_GE(version, 10600u);
  EXPECT_LT(version, 10700u);
  EXPECT_EQ(version, static_cast<png_uint_32>(PNG_LIBPNG_VER));
}

TEST(CodecVersions, ZlibLibraryMatchesHeader) {
  const std::string version = zlibVersion();
  ASSERT_FALSE(version.empty());
  // zlib's own compatibility rule: the first digit must match the header's.
  EXPECT_EQ(version[0], ZLIB_VERSION[0]);
  EXPECT_EQ(version.rfind("1.", 0), 0u) << version;
}

TEST(CodecVersions, TiffIsVersion4WithTheCodecsOurReaderNeeds) {
  const std::string version = TIFFGetVersion();
  EXPECT_EQ(version.rfind("LIBTIFF, Version 4.", 0), 0u) << version;
  // The Windows build compiles libtiff itself; these must not be lost there.
  EXPECT_TRUE(TIFFIsCODECConfigured(COMPRESSION_LZW));
  EXPECT_TRUE(TIFFIsCODECConfigured(COMPRESSION_PACKBITS));
  EXPECT_TRUE(TIFFIsCODECConfigured(COMPRESSION_ADOBE_DEFLATE));
  EXPECT_TRUE(TIFFIsCODECConfigured(COMPRESSION_JPEG));
}

TEST(CodecVersions, OpenJpegIsAtLeast2_5) {
  const char* const version = opj_version();
  ASSERT_NE(version, nullptr);
  int major = 0;
  int minor = 0;
  ASSERT_EQ(std::sscanf(version, "%d.%d", &major, &minor), 2) << version;
  EXPECT_EQ(major, 2) << version;
  EXPECT_GE(minor, 5) << version;
}

}  // namespace
