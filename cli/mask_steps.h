#pragma once
// The operations `veilo-cli mask` applies, parsed from words such as
// "neg:3", "vglass:12", "q0:101000:8" or "cp:ABC".
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "doc/image_doc.h"
#include "masks/mask_context.h"

namespace veilo::cli {

enum class StepKind {
  kNeg, kXor, kRgb, kFlipTb, kFlipLr, kVGlass, kHGlass, kMeko, kMekoRev, kFl, kQ0, kWin, kCp,
  kRot90, kRot180, kRot270, kUndo, kRedo,
};

struct MaskStep {
  StepKind kind = StepKind::kNeg;
  int32_t value = 0;      // channel set, mode, box size or FL inversion
  int32_t q0Flags[6] = {1, 1, 1, 0, 0, 0};  // Q0Option order
  std::string code;       // CP: the normalised code
};

struct StepParse {
  std::optional<MaskStep> step;
  std::string error;  // why the word was refused
};

StepParse ParseMaskStep(std::string_view word);

// Applies one step exactly as the application would with those options.
void ApplyMaskStep(MaskContext& ctx, ImageDoc& doc, const MaskStep& step);

}  // namespace veilo::cli
