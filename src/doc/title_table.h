#pragma once
// The window-title numbering shared by all document windows: documents of the
// same name are captioned "name :1", "name :2", ... in the order they were
// opened, renumbered when one of them closes, and shown with the plain name
// again once only one is left.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "doc/window_ref.h"

namespace veilo {

// A caption the shell must show on another document's window.
struct CaptionUpdate {
  WindowRef window = 0;
  std::string caption;
  friend bool operator==(const CaptionUpdate&, const CaptionUpdate&) = default;
};

struct TitleRegistration {
  int32_t serial = 0;    // the document's titleSerial
  std::string caption;   // the new document's caption (and its title)
  std::vector<CaptionUpdate> updates;  // other windows whose caption changes
};

class TitleTable {
 public:
  static constexpr size_t kCapacity = 101;

  // Registers a document named `name` (compared byte for byte, so case
  // matters) shown in `window`. nullopt when all entries are in use.
  std::optional<TitleRegistration> Register(std::string_view name, WindowRef window);
  // Frees the entry of `serial` and returns the captions that change on the
  // remaining windows of the same name. Unknown serials change nothing.
  std::vector<CaptionUpdate> Release(int32_t serial);

  // The caption registered for `serial`, or nullopt.
  std::optional<std::string> CaptionOf(int32_t serial) const;
  size_t UsedCount() const;

 private:
  struct Entry {
    uint8_t instance = 0;
    int32_t serial = 0;  // 0 = free
    WindowRef window = 0;
    std::string name;
    std::string caption;
  };
  std::array<Entry, kCapacity> entries_{};
  int32_t nextSerial_ = 1;
};

// The caption of the instance-th document of a name: "name :instance".
std::string NumberedCaption(std::string_view name, int instance);

// The frame's caption while a document window is maximised in it, as the
// system shows it: "frame - [document]", or the frame's alone when the
// document has no caption.
std::string MaximisedFrameCaption(std::string_view frame, std::string_view document);

}  // namespace veilo
