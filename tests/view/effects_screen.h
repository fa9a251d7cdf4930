#pragma once
// Plays selection effects onto a model of the window: which XOR frames are on
// screen (a frame drawn twice is gone), whether the area commands are on,
// whether the mouse is captured, which cursor shows.
#include <map>
#include <ostream>
#include <tuple>
#include <vector>

#include "doc/pixel_buffer.h"
#include "view/selection_effects.h"

namespace veilo::testing {

class EffectsScreen {
 public:
  void Play(const SelectionEffects& effects) {
    for (const SelectionEffect& e : effects) {
      switch (e.kind) {
        case SelectionEffect::Kind::kDrawFrame: {
          const PixelRect r = NormalisedRect(e.x1, e.y1, e.x2, e.y2);
          draws_[std::tuple(r.left, r.top, r.right, r.bottom)] ^= 1;
          break;
        }
        case SelectionEffect::Kind::kEnableArea: areaEnabled = true; break;
        case SelectionEffect::Kind::kDisableArea: areaEnabled = false; break;
        case SelectionEffect::Kind::kCaptureMouse: ++captures; break;
        case SelectionEffect::Kind::kReleaseMouse: --captures; break;
        case SelectionEffect::Kind::kSetCursor: cursor = e.cursor; break;
        case SelectionEffect::Kind::kBeep: ++beeps; break;
        default: break;
      }
    }
  }

  // The frames drawn an odd number of times.
  std::vector<PixelRect> Shown() const {
    std::vector<PixelRect> shown;
    for (const auto& [key, odd] : draws_) {
      if (odd != 0) shown.push_back({std::get<0>(key), std::get<1>(key), std::get<2>(key), std::get<3>(key)});
    }
    return shown;
  }

  bool areaEnabled = false;
  int captures = 0;
  int beeps = 0;
  CursorId cursor = CursorId::kArrow;

 private:
  std::map<std::tuple<int32_t, int32_t, int32_t, int32_t>, int> draws_;
};

inline int CountOf(const SelectionEffects& effects, SelectionEffect::Kind kind) {
  int n = 0;
  for (const SelectionEffect& e : effects) n += e.kind == kind ? 1 : 0;
  return n;
}

}  // namespace veilo::testing

namespace veilo {
inline void PrintTo(const PixelRect& r, std::ostream* os) {
  *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
}  // namespace veilo
