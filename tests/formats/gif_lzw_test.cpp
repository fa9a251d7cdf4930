// The LZW coder of GIF image data: round trips, exact output against a plain
// dictionary coder and a published stream, and hostile code streams.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

#include "formats/byte_reader.h"
#include "formats/gif_lzw_decoder.h"
#include "formats/gif_lzw_encoder.h"
#include "gif_test_bytes.h"
#include "ppm_reference.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::PackCodes;
using testing::SizedCode;
using testing::SubBlocks;

std::vector<uint8_t> Encode(const std::vector<uint8_t>& indices, int minCodeSize, size_t chunk = 997) {
  std::vector<uint8_t> out;
  GifLzwEncoder encoder(minCodeSize, out);
  for (size_t i = 0; i < indices.size(); i += chunk)
    encoder.Add(indices.data() + i, std::min(chunk, indices.size() - i));
  encoder.Finish();
  return out;
}

struct Decoded {
  std::vector<uint8_t> indices;
  bool ok = false;
};

Decoded Decode(const std::vector<uint8_t>& data, int minCodeSize, size_t count) {
  ByteReader input(data.data(), data.size());
  GifLzwDecoder decoder(input, minCodeSize);
  Decoded d;
  d.indices.assign(count, 0xEE);
  d.ok = decoder.Decode(d.indices.data(), count);
  return d;
}

// Straightforward LZW with the same table policy (clear once 4096 codes are
// in use) but an ordinary dictionary instead of the hash table.
std::vector<uint8_t> ReferenceEncode(const std::vector<uint8_t>& indices, int b) {
  const int clear = 1 << b;
  std::vector<SizedCode> codes;
  int size = b + 1, next = clear + 2;
  std::map<std::pair<int, int>, int> table;
  auto emit = [&](int code) {
    codes.push_back({code, size});
    if (next > (1 << size) - 1 && size < 12) ++size;
  };
  emit(clear);
  int prefix = indices[0];
  for (size_t i = 1; i < indices.size(); ++i) {
    const int c = indices[i];
    auto found = table.find({prefix, c});
    if (found != table.end()) {
      prefix = found->second;
      continue;
    }
    emit(prefix);
    if (next == 4096) {
      table.clear();
      next = clear + 2;
      emit(clear);
      size = b + 1;
    } else {
      table[{prefix, c}] = next++;
    }
    prefix = c;
  }
  emit(prefix);
  emit(clear + 1);
  return SubBlocks(PackCodes(codes));
}

std::vector<uint8_t> RandomIndices(size_t n, int colours, uint32_t seed, int runLength) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n;) {
    const auto value = static_cast<uint8_t>(rng() % static_cast<unsigned>(colours));
    for (int k = 0; k < 1 + static_cast<int>(rng() % static_cast<unsigned>(runLength)) && i < n; ++k) v[i++] = value;
  }
  return v;
}

TEST(GifLzw, EncoderMatchesAPlainDictionaryCoderAndRoundTrips) {
  struct Case {
    int minCodeSize, colours, runLength;
    size_t pixels;
  };
  // Long enough to fill the code table several times over.
  for (const Case& c : {Case{2, 4, 1, 60000}, Case{2, 2, 9, 80000}, Case{3, 8, 3, 50000}, Case{4, 16, 1, 40000},
                        Case{8, 256, 1, 120000}, Case{8, 200, 6, 200000}, Case{8, 3, 40, 300000}}) {
    SCOPED_TRACE(::testing::Message() << "min code size " << c.minCodeSize << ", colours " << c.colours);
    const std::vector<uint8_t> indices = RandomIndices(c.pixels, c.colours, 7u + static_cast<uint32_t>(c.colours), c.runLength);
    const std::vector<uint8_t> encoded = Encode(indices, c.minCodeSize);
    EXPECT_EQ(encoded, ReferenceEncode(indices, c.minCodeSize));
    const Decoded decoded = Decode(encoded, c.minCodeSize, indices.size());
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.indices, indices);
  }
}

TEST(GifLzw, LongestStringsFitTheDecoderStack) {
  // One long run makes every new code one index longer than the last, so the
  // final codes stand for strings of about 4090 indices.
  const std::vector<uint8_t> zeros(9'000'000, 0);
  const std::vector<uint8_t> encoded = Encode(zeros, 2, 1 << 20);
  const Decoded decoded = Decode(encoded, 2, zeros.size());
  EXPECT_TRUE(decoded.ok);
  EXPECT_EQ(decoded.indices, zeros);
}

TEST(GifLzw, ReproducesAPublishedStreamExactly) {
  // The 10x10 four-colour sample: decode its data, encode again, compare bytes.
  const std::vector<uint8_t> file = testing::ReadFileBytes(testing::SharedDataPath("image-gif/samples/sample_1.gif"));
  ASSERT_GT(file.size(), 0x2Du);
  const std::vector<uint8_t> data(file.begin() + 0x2C, file.end() - 1);  // after the code size byte, before the trailer
  ASSERT_EQ(file[0x2B], 2);
  const Decoded decoded = Decode(data, 2, 100);
  ASSERT_TRUE(decoded.ok);
  EXPECT_EQ(Encode(decoded.indices, 2), data);
}

TEST(GifLzw, EncodedDataComesInFullSubBlocks) {
  const std::vector<uint8_t> encoded = Encode(RandomIndices(5000, 256, 3, 1), 8);
  size_t pos = 0, blocks = 0;
  while (encoded[pos] != 0) {
    if (encoded[pos + encoded[pos] + 1] != 0) {
      EXPECT_EQ(encoded[pos], 255) << "only the last block may be short";
    }
    pos += encoded[pos] + 1u;
    ++blocks;
  }
  EXPECT_EQ(pos + 1, encoded.size());
  EXPECT_GT(blocks, 2u);
}

// Hand-made code streams, minimum code size 2: clear 4, end 5, first free
// code 6, codes of 3 bits until 8 codes are in use.
struct StreamCase {
  const char* name;
  std::vector<uint8_t> data;
  size_t count;
  bool ok;
  std::vector<uint8_t> expected;  // checked when ok
};

TEST(GifLzw, DecodesHandMadeStreams) {
  const std::vector<StreamCase> cases = {
      {"code equal to the next free code repeats the string", SubBlocks(PackCodes({{4, 3}, {1, 3}, {6, 3}, {5, 3}})), 3,
       true, {1, 1, 1}},
      {"code above the next free code continues the previous string",
       SubBlocks(PackCodes({{4, 3}, {1, 3}, {7, 3}, {6, 3}, {5, 3}})), 5, true, {1, 1, 1, 1, 1}},
      {"end code leaves the rest at index 0", SubBlocks(PackCodes({{4, 3}, {2, 3}, {5, 3}})), 6, true,
       {2, 0, 0, 0, 0, 0}},
      {"zero-length block ends the data", SubBlocks(PackCodes({{4, 3}, {3, 3}})), 4, true, {3, 0, 0, 0}},
      {"end code right after a clear code counts as index 0", SubBlocks(PackCodes({{4, 3}, {5, 3}, {2, 3}})), 2, true,
       {0, 2}},
      // 16 bits exactly: the last code must come from the bits at hand, not
      // from the zero-length block behind them.
      {"last code uses exactly the remaining bits",
       SubBlocks(PackCodes({{4, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 4}})), 4, true, {1, 1, 1, 1}},
      {"codes spread over one-byte sub-blocks", SubBlocks(PackCodes({{4, 3}, {1, 3}, {2, 3}, {6, 3}, {3, 4}}), 1), 6,
       true, {1, 2, 1, 2, 3, 0}},
      {"data without terminator", SubBlocks(PackCodes({{4, 3}, {2, 3}}), 255, false), 3, false, {}},
      {"sub-block longer than the data", std::vector<uint8_t>{200, 0x0C, 0x01}, 2, false, {}},
      {"only clear codes up to the end of the input",
       SubBlocks(PackCodes(std::vector<SizedCode>(400, SizedCode{4, 3})), 255, false), 1, false, {}},
      {"end code without terminator after it", SubBlocks(PackCodes({{4, 3}, {2, 3}, {5, 3}}), 255, false), 2, false,
       {}},
  };
  for (const StreamCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Decoded d = Decode(c.data, 2, c.count);
    EXPECT_EQ(d.ok, c.ok);
    if (c.ok) {
      EXPECT_EQ(d.indices, c.expected);
    }
  }
}

TEST(GifLzw, IndicesWiderThanAByteKeepTheirLowByte) {
  // Minimum code size 11: literal 300 has no colour-table entry of its own.
  const Decoded d = Decode(SubBlocks(PackCodes({{2048, 12}, {300, 12}, {2050, 12}, {2049, 12}})), 11, 3);
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.indices, (std::vector<uint8_t>{44, 44, 44}));
}

TEST(GifLzw, RandomCodeStreamsStayBounded) {
  // Arbitrary bytes as data: the decoder must end (read error or index 0s),
  // never run outside its tables.
  std::mt19937 rng(99);
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> raw(1 + rng() % 3000);
    for (uint8_t& b : raw) b = static_cast<uint8_t>(rng());
    const int minCodeSize = 2 + static_cast<int>(rng() % 10);
    Decode(SubBlocks(raw, 1 + rng() % 255, rng() % 2 == 0), minCodeSize, 20000);
  }
  SUCCEED();
}

}  // namespace
}  // namespace veilo
