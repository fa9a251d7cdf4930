#include "mask_steps.h"

#include <charconv>
#include <map>

#include "masks/colour_masks.h"
#include "masks/cp_mask.h"
#include "masks/fl_mask.h"
#include "masks/flip_glass.h"
#include "masks/mask_log.h"
#include "masks/meko_mask.h"
#include "masks/q0_mask.h"
#include "masks/rotation.h"
#include "masks/win_mask.h"

namespace veilo::cli {

namespace {

struct StepInfo {
  StepKind kind;
  bool takesValue;
  int32_t defaultValue;
  int32_t minValue;
  int32_t maxValue;
};

const std::map<std::string_view, StepInfo>& StepTable() {
  static const std::map<std::string_view, StepInfo> table = {
      {"neg", {StepKind::kNeg, true, 7, 0, 7}},
      {"xor", {StepKind::kXor, true, 7, 0, 7}},
      {"rgb", {StepKind::kRgb, true, 0, 0, 3}},
      {"flip-tb", {StepKind::kFlipTb, false, 0, 0, 0}},
      {"flip-lr", {StepKind::kFlipLr, false, 0, 0, 0}},
      {"vglass", {StepKind::kVGlass, true, 8, 2, 999}},
      {"hglass", {StepKind::kHGlass, true, 8, 2, 999}},
      {"meko", {StepKind::kMeko, false, 0, 0, 0}},
      {"meko-rev", {StepKind::kMekoRev, false, 0, 0, 0}},
      {"fl", {StepKind::kFl, true, 1, 0, 1}},
      {"q0", {StepKind::kQ0, true, 8, 2, 999}},  // value: glass box size
      {"win", {StepKind::kWin, false, 0, 0, 0}},
      {"cp", {StepKind::kCp, false, 0, 0, 0}},
      {"rot90", {StepKind::kRot90, false, 0, 0, 0}},
      {"rot180", {StepKind::kRot180, false, 0, 0, 0}},
      {"rot270", {StepKind::kRot270, false, 0, 0, 0}},
      {"undo", {StepKind::kUndo, false, 0, 0, 0}},
      {"redo", {StepKind::kRedo, false, 0, 0, 0}},
  };
  return table;
}

std::optional<int32_t> ParseInt(std::string_view s, int32_t lo, int32_t hi) {
  int32_t v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return std::nullopt;
  return v;
}

std::string CpRefusal(const CpCodeCheck& check) {
  switch (check.error) {
    case CpCodeError::kBadCharacter:
      return std::string("the code contains the non-letter character '") + check.badChar + "'";
    case CpCodeError::kTooLong: return "the code has more than 16 letters";
    case CpCodeError::kEmpty: return "the code has no letters";
    case CpCodeError::kNone: break;
  }
  return {};
}

StepParse ParseQ0(MaskStep step, std::string_view rest) {
  if (rest.empty()) return {step, {}};
  const size_t colon = rest.find(':');
  const std::string_view flags = rest.substr(0, colon);
  if (flags.size() != 6) return {std::nullopt, "q0 flags must be six 0/1 digits"};
  for (size_t i = 0; i < 6; ++i) {
    if (flags[i] != '0' && flags[i] != '1') return {std::nullopt, "q0 flags must be six 0/1 digits"};
    step.q0Flags[i] = flags[i] - '0';
  }
  if (colon != std::string_view::npos) {
    const auto box = ParseInt(rest.substr(colon + 1), 2, 999);
    if (!box) return {std::nullopt, "q0 box size must be 2..999"};
    step.value = *box;
  }
  return {step, {}};
}

}  // namespace

StepParse ParseMaskStep(std::string_view word) {
  const size_t colon = word.find(':');
  const std::string_view name = word.substr(0, colon);
  const std::string_view rest = colon == std::string_view::npos ? std::string_view() : word.substr(colon + 1);
  const auto it = StepTable().find(name);
  if (it == StepTable().end()) return {std::nullopt, "unknown operation '" + std::string(word) + "'"};
  const StepInfo& info = it->second;
  MaskStep step;
  step.kind = info.kind;
  step.value = info.defaultValue;

  if (info.kind == StepKind::kQ0) return ParseQ0(step, rest);
  if (info.kind == StepKind::kCp) {
    if (colon == std::string_view::npos) return {std::nullopt, "cp needs a code: cp:CODE"};
    const CpCodeCheck check = CheckCpCode(rest);
    if (check.error != CpCodeError::kNone) return {std::nullopt, "cp: " + CpRefusal(check)};
    step.code = NormaliseCpCode(rest);
    return {step, {}};
  }
  if (colon == std::string_view::npos) return {step, {}};
  if (!info.takesValue) return {std::nullopt, std::string(name) + " takes no value"};
  const auto value = ParseInt(rest, info.minValue, info.maxValue);
  if (!value) {
    return {std::nullopt, "value of '" + std::string(name) + "' must be " + std::to_string(info.minValue) +
                              ".." + std::to_string(info.maxValue)};
  }
  step.value = *value;
  return {step, {}};
}

void ApplyMaskStep(MaskContext& ctx, ImageDoc& doc, const MaskStep& step) {
  MaskOptions& o = ctx.options;
  switch (step.kind) {
    case StepKind::kNeg:
      o.rgbNegChannels = static_cast<uint8_t>(step.value);
      NegPosLive(ctx, doc);
      break;
    case StepKind::kXor:
      o.rgbXorChannels = static_cast<uint8_t>(step.value);
      XorLive(ctx, doc);
      break;
    case StepKind::kRgb:
      o.rgbExchangeMode = static_cast<uint8_t>(step.value);
      ExchangeLive(ctx, doc);
      break;
    case StepKind::kFlipTb: FlipLive(ctx, doc, false); break;
    case StepKind::kFlipLr: FlipLive(ctx, doc, true); break;
    case StepKind::kVGlass:
    case StepKind::kHGlass:
      o.glassBoxSize = step.value;
      GlassLive(ctx, doc, step.kind == StepKind::kVGlass);
      break;
    case StepKind::kMeko: MekoLive(ctx, doc, 0); break;
    case StepKind::kMekoRev: MekoLive(ctx, doc, 1); break;
    case StepKind::kFl:
      o.flInvert = step.value;
      FlLive(ctx, doc);
      break;
    case StepKind::kQ0:
      o.glassBoxSize = step.value;
      o.q0VerticalGlass = step.q0Flags[0];
      o.q0HorizontalGlass = step.q0Flags[1];
      o.q0NegPos = step.q0Flags[2];
      o.q0LeftRight = step.q0Flags[3];
      o.q0UpDown = step.q0Flags[4];
      o.q0Xor = step.q0Flags[5];
      o.rgbNegChannels = 7;
      o.rgbXorChannels = 7;
      Q0Live(ctx, doc);
      break;
    case StepKind::kWin: WinLive(ctx, doc); break;
    case StepKind::kCp:
      // As the dialog's OK does: the code enters the remembered slots first.
      RememberCpCode(doc, step.code);
      CpLive(ctx, doc, step.code);
      break;
    case StepKind::kRot90: RotateLive(ctx, doc, kTurn90); break;
    case StepKind::kRot180: RotateLive(ctx, doc, kTurn180); break;
    case StepKind::kRot270: RotateLive(ctx, doc, kTurn270); break;
    case StepKind::kUndo: Undo(ctx, doc); break;
    case StepKind::kRedo: Redo(ctx, doc); break;
  }
}

}  // namespace veilo::cli
