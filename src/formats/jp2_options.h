#pragma once
// Choices of the JPEG 2000 writer (the options dialog's fields).

namespace veilo {

struct Jp2WriteOptions {
  bool lossless = true;  // reversible coding, no rate
  // Target size as a fraction of the uncompressed picture; used when not
  // lossless, and valid only strictly between 0 and 1.
  float rate = 0.1f;
};

inline bool IsValidJp2Rate(float rate) { return rate > 0.0f && rate < 1.0f; }

}  // namespace veilo
