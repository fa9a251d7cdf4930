#include "doc/title_table.h"

#include <algorithm>
#include <cstdio>

namespace veilo {

std::string NumberedCaption(std::string_view name, int instance) {
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, " :%d", instance);
  return std::string(name) + suffix;
}

std::optional<TitleRegistration> TitleTable::Register(std::string_view name, WindowRef window) {
  const auto freeEntry = std::find_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.serial == 0; });
  if (freeEntry == entries_.end()) return std::nullopt;

  int highest = 0;
  for (const Entry& e : entries_)
    if (e.serial != 0 && e.name == name) highest = std::max<int>(highest, e.instance);

  TitleRegistration result;
  if (highest == 1) {
    for (Entry& e : entries_)
      if (e.serial != 0 && e.name == name && e.instance == 1) {
        e.caption = NumberedCaption(name, 1);
        result.updates.push_back({e.window, e.caption});
      }
  }
  Entry& entry = *freeEntry;
  entry.serial = nextSerial_++;
  entry.instance = static_cast<uint8_t>(highest + 1);
  entry.window = window;
  entry.name = name;
  entry.caption = highest == 0 ? std::string(name) : NumberedCaption(name, highest + 1);
  result.serial = entry.serial;
  result.caption = entry.caption;
  return result;
}

std::vector<CaptionUpdate> TitleTable::Release(int32_t serial) {
  std::vector<CaptionUpdate> updates;
  if (serial == 0) return updates;
  const auto released =
      std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.serial == serial; });
  if (released == entries_.end()) return updates;
  const std::string name = std::move(released->name);
  const uint8_t instance = released->instance;
  *released = Entry{};

  Entry* last = nullptr;
  size_t remaining = 0;
  for (Entry& e : entries_) {
    if (e.serial == 0 || e.name != name) continue;
    ++remaining;
    last = &e;
    if (e.instance > instance) {
      --e.instance;
      e.caption = NumberedCaption(name, e.instance);
      updates.push_back({e.window, e.caption});
    }
  }
  if (remaining == 1 && last->caption != name) {
    last->caption = name;
    // Replace a renumbering of the same window, if any, by the plain name.
    std::erase_if(updates, [&](const CaptionUpdate& u) { return u.window == last->window; });
    updates.push_back({last->window, last->caption});
  }
  return updates;
}

std::optional<std::string> TitleTable::CaptionOf(int32_t serial) const {
  if (serial == 0) return std::nullopt;
  for (const Entry& e : entries_)
    if (e.serial == serial) return e.caption;
  return std::nullopt;
}

size_t TitleTable::UsedCount() const {
  return static_cast<size_t>(std::count_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.serial != 0; }));
}

std::string MaximisedFrameCaption(std::string_view frame, std::string_view document) {
  std::string caption(frame);
  if (document.empty()) return caption;
  caption += " - [";
  caption += document;
  caption += ']';
  return caption;
}

}  // namespace veilo
