#include "area_arg.h"

#include <charconv>
#include <string>

#include "masks/detection.h"

namespace veilo::cli {

namespace {

// Comma-separated coordinates, exactly `count` of them.
bool ParseCoordinates(std::string_view text, int32_t* out, int count) {
  for (int i = 0; i < count; ++i) {
    const bool last = i == count - 1;
    const size_t comma = last ? text.size() : text.find(',');
    if (comma == std::string_view::npos) return false;
    const auto v = ParseCoordinate(text.substr(0, comma));
    if (!v) return false;
    out[i] = *v;
    text = last ? std::string_view() : text.substr(comma + 1);
  }
  return true;
}

}  // namespace

std::optional<int32_t> ParseCoordinate(std::string_view s) {
  int32_t v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size() || v < 0 || v > 65535) return std::nullopt;
  return v;
}

std::optional<AreaArg> ParseAreaArg(std::string_view text) {
  AreaArg area;
  constexpr std::string_view kAuto = "auto:";
  if (text.substr(0, kAuto.size()) == kAuto) {
    int32_t point[2];
    if (!ParseCoordinates(text.substr(kAuto.size()), point, 2)) return std::nullopt;
    area.automatic = true;
    area.x = point[0];
    area.y = point[1];
    return area;
  }
  int32_t v[4];
  if (!ParseCoordinates(text, v, 4)) return std::nullopt;
  area.fixed = PixelRect{v[0], v[1], v[2], v[3]};
  return area;
}

bool CheckPointInPicture(CliShell& shell, const ImageDoc& doc, int32_t x, int32_t y) {
  if (x < doc.width && y < doc.height) return true;
  shell.Say("the point " + std::to_string(x) + "," + std::to_string(y) + " is outside the " +
            std::to_string(doc.width) + "x" + std::to_string(doc.height) + " picture");
  return false;
}

std::optional<PixelRect> AreaForPicture(CliShell& shell, ImageDoc& doc, const AreaArg& area) {
  if (!area.automatic) return area.fixed;
  if (!CheckPointInPicture(shell, doc, area.x, area.y)) return std::nullopt;
  // What `detect` and a first plain double-click find.
  DetectionMemory memory;
  const std::optional<PixelRect> found = DetectAreaAt(memory, doc, area.x, area.y);
  if (!found) {
    shell.Say("no masked area found around " + std::to_string(area.x) + "," + std::to_string(area.y));
  }
  return found;
}

}  // namespace veilo::cli
