#include "batch_plan.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "formats/folder_list.h"
#include "formats/image_files.h"
#include "platform/file_io.h"

namespace veilo::cli {

namespace {

// The separator a path built here gets: the system's own.
const char kSeparator = IsPathSeparator('\\') ? '\\' : '/';

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return IsPathSeparator(folder.back()) ? folder + name : folder + kSeparator + name;
}

// The folder part of a path with its last separator ("" for a bare name).
std::string FolderPartOf(const std::string& path) {
  size_t cut = path.size();
  while (cut > 0 && !IsPathSeparator(path[cut - 1])) --cut;
  return path.substr(0, cut);
}

// The same file, however its folder was spelled: the folder's full path plus the name, with one
// separator spelling. A folder given with a trailing separator ("in/" or "in\\") is the folder
// itself, so that "in/a.bmp" and --out-dir in name one file and the input is not replaced.
std::string FileKey(const std::string& folder, const std::string& name) {
  std::string f = folder.empty() ? "." : folder;
  const auto isRoot = [](const std::string& p) { return p.size() == 1 || (p.size() == 3 && p[1] == ':'); };
  while (f.size() > 1 && IsPathSeparator(f.back()) && !isRoot(f)) f.pop_back();
  std::string key = Join(StoredFullPath(f).value_or(f), name);
  std::replace_if(key.begin(), key.end(), [](char c) { return IsPathSeparator(c); }, kSeparator);
  return key;
}

bool SameFile(const std::string& a, const std::string& b) { return ComparePathsIgnoringCase(a, b) == 0; }

struct Planned {
  BatchJob job;
  std::string inputKey, outputKey;
};

}  // namespace

bool IsOptionWord(std::string_view word) { return word.size() > 1 && word[0] == '-'; }

bool IsBatchForm(const std::vector<std::string>& args) {
  return std::any_of(args.begin(), args.end(), [](const std::string& a) {
    return a == "--out-dir" || a == "--in-place" || a == "--ext" || a == "--jobs";
  });
}

OptionParse ParseBatchOption(const std::vector<std::string>& args, size_t& i, BatchArgs& out,
                             std::string& error) {
  const std::string& a = args[i];
  if (a == "--in-place") return out.inPlace = true, OptionParse::kTaken;
  if (a != "--out-dir" && a != "--ext" && a != "--jobs") return OptionParse::kNotAnOption;
  if (i + 1 >= args.size()) {
    error = a + " needs a value";
    return OptionParse::kBad;
  }
  const std::string& v = args[++i];
  if (a == "--out-dir") {
    if (v.empty()) return error = "--out-dir needs a folder", OptionParse::kBad;
    out.outDir = v;
    return OptionParse::kTaken;
  }
  if (a == "--ext") {
    const std::string ext = !v.empty() && v[0] == '.' ? v.substr(1) : v;
    const bool bad = ext.empty() || std::any_of(ext.begin(), ext.end(), [](char c) {
      return c == '/' || c == '\\' || c == ':' || c == '.';
    });
    if (bad) return error = "--ext needs an extension such as png", OptionParse::kBad;
    out.ext = ext;
    return OptionParse::kTaken;
  }
  unsigned n = 0;
  const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
  if (v.empty() || ec != std::errc() || end != v.data() + v.size() || n < 1 || n > 256)
    return error = "--jobs needs a number 1..256", OptionParse::kBad;
  out.threads = n;
  return OptionParse::kTaken;
}

std::string CheckBatchArgs(const BatchArgs& args) {
  if (args.inputs.empty()) return "no input files";
  if (!args.outDir && !args.inPlace) return "several inputs need --out-dir DIR (or --in-place)";
  return {};
}

std::string OutputName(std::string_view inputName, const std::optional<std::string>& ext) {
  if (!ext) return std::string(inputName);
  // A leading dot starts a name, not an extension (".hidden" has none).
  const size_t dot = inputName.rfind('.');
  const std::string_view stem = dot == std::string_view::npos || dot == 0 ? inputName : inputName.substr(0, dot);
  return std::string(stem) + "." + *ext;
}

std::vector<BatchJob> PlanBatch(const BatchArgs& args) {
  std::vector<Planned> plan;
  std::set<std::string> inputsSeen;
  const auto add = [&](const std::string& input) {
    Planned p;
    p.job.input = input;
    const std::string name = FileTitleOf(input);
    p.inputKey = FileKey(FolderPartOf(input), name);
    if (!inputsSeen.insert(p.inputKey).second) return;
    const std::string outName = OutputName(name, args.ext);
    const std::string folder = args.outDir ? *args.outDir : FolderPartOf(input);
    p.job.output = Join(folder, outName);
    p.outputKey = FileKey(folder, outName);
    if (!args.inPlace && SameFile(p.outputKey, p.inputKey))
      p.job.refusal = "the output would replace the input (--in-place allows it)";
    plan.push_back(std::move(p));
  };
  for (const std::string& input : args.inputs) {
    if (!IsDirectory(input)) {
      add(input);
      continue;
    }
    const std::vector<std::string> files = PictureFilesInFolder(input, kSeparator);
    if (files.empty()) {
      Planned p;
      p.job.input = input;
      p.job.refusal = "no pictures in this folder";
      plan.push_back(std::move(p));
    }
    for (const std::string& file : files) add(file);
  }

  // Outputs written from several inputs: none of them is written, as none
  // has a better claim than the others.
  std::vector<size_t> order;
  for (size_t i = 0; i < plan.size(); ++i)
    if (!plan[i].job.output.empty()) order.push_back(i);
  const auto keyLess = [&](size_t a, size_t b) {
    return ComparePathsIgnoringCase(plan[a].outputKey, plan[b].outputKey) < 0;
  };
  std::stable_sort(order.begin(), order.end(), keyLess);
  for (size_t start = 0, end = 0; start < order.size(); start = end) {
    end = start + 1;
    while (end < order.size() && SameFile(plan[order[start]].outputKey, plan[order[end]].outputKey)) ++end;
    if (end - start == 1) continue;
    for (size_t m = start; m < end; ++m) {
      BatchJob& job = plan[order[m]].job;
      std::string others;
      for (size_t o = start; o < end; ++o)
        if (o != m) others += (others.empty() ? "" : ", ") + plan[order[o]].job.input;
      if (job.refusal.empty()) job.refusal = job.output + " would also be written from " + others;
    }
  }
  std::vector<BatchJob> jobs;
  jobs.reserve(plan.size());
  for (Planned& p : plan) jobs.push_back(std::move(p.job));
  return jobs;
}

std::string FailureSummary(const std::vector<std::string>& failedInputs, size_t total) {
  if (failedInputs.empty()) return {};
  std::string text = "veilo-cli: " + std::to_string(failedInputs.size()) + " of " + std::to_string(total) +
                     (total == 1 ? " file" : " files") + " failed:\n";
  for (const std::string& input : failedInputs) text += "  " + input + "\n";
  return text;
}

}  // namespace veilo::cli
