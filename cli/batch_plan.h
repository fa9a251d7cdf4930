#pragma once
// The batch forms of mask and convert: several files or folders in, one
// output folder (or each input's own), every output named after its input.
// Deciding what is written where happens here, before any file is read.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_options.h"

namespace veilo::cli {

struct BatchArgs {
  std::vector<std::string> inputs;   // as given: files or folders
  std::optional<std::string> outDir;
  std::optional<std::string> ext;    // the output extension, without its dot
  bool inPlace = false;              // an output may replace its own input
  std::optional<unsigned> threads;   // --jobs; all cores when absent
};

// Whether the arguments ask for the batch form (--out-dir, --in-place, --ext
// or --jobs anywhere); otherwise the single-file form applies.
bool IsBatchForm(const std::vector<std::string>& args);

// A word that starts an option rather than naming a file ("-" alone is a name).
bool IsOptionWord(std::string_view word);

// Takes args[i] (and its value, advancing i) when it is a batch option.
OptionParse ParseBatchOption(const std::vector<std::string>& args, size_t& i, BatchArgs& out,
                             std::string& error);

// Why the complete arguments make no batch, or empty when they do.
std::string CheckBatchArgs(const BatchArgs& args);

// The output name of an input name: the same, or with `ext` in place of its
// extension (added when it has none).
std::string OutputName(std::string_view inputName, const std::optional<std::string>& ext);

// One file of a batch.
struct BatchJob {
  std::string input;    // the path read
  std::string output;   // the path written
  std::string refusal;  // why the file is not done at all; empty when it is
};

// The files of the batch in the order given, a folder's pictures in name
// order; a file named twice is done once. A folder without pictures is a
// refused entry. Outputs that would replace their input without --in-place,
// or that several inputs would write, are refused: names that differ only
// in case count as one file, as they do on Windows.
std::vector<BatchJob> PlanBatch(const BatchArgs& args);

// What is printed when the batch ends: nothing when every file was done,
// else how many failed and each failed input on a line of its own.
std::string FailureSummary(const std::vector<std::string>& failedInputs, size_t total);

}  // namespace veilo::cli
