#pragma once
// What `mask` and `convert` do to one file, in the single-file form and for
// each file of a batch alike.
#include <string>
#include <vector>

#include "area_arg.h"
#include "cli_shell.h"
#include "file_options.h"
#include "mask_steps.h"

namespace veilo::cli {

struct MaskJob {
  AreaArg area;
  std::vector<MaskStep> steps;
  FileOptionArgs fileOptions;
};

// Loads `in`, applies the steps in order to the area and saves the result as
// `out`. False after saying why; nothing is written when a step is refused.
bool MaskFile(CliShell& shell, const std::string& in, const std::string& out, const MaskJob& job);

// Loads `in` and saves it as `out`. False after saying why.
bool ConvertFile(CliShell& shell, const std::string& in, const std::string& out,
                 const FileOptionArgs& fileOptions);

}  // namespace veilo::cli
