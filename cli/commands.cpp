#include "commands.h"

#include <cstdio>
#include <optional>

#include "area_arg.h"
#include "batch_commands.h"
#include "batch_plan.h"
#include "cli_shell.h"
#include "file_options.h"
#include "mask_steps.h"
#include "masks/detection.h"
#include "picture_io.h"
#include "picture_jobs.h"

namespace veilo::cli {

int UsageError(const std::string& why) {
  std::fprintf(stderr, "veilo-cli: %s\n", why.c_str());
  std::fprintf(stderr, "Try 'veilo-cli --help'.\n");
  return kExitUsage;
}

void PrintUsage(bool toStderr) {
  std::FILE* out = toStderr ? stderr : stdout;
  std::fputs(
      "Usage:\n"
      "  veilo-cli mask IN OUT --area AREA OP [OP ...] [FILE OPTIONS]\n"
      "  veilo-cli mask IN [IN ...] --out-dir DIR|--in-place [BATCH OPTIONS]\n"
      "                --area AREA OP [OP ...] [FILE OPTIONS]\n"
      "  veilo-cli detect IN X Y [--edge] [--no-smooth-read]\n"
      "  veilo-cli convert IN OUT [FILE OPTIONS]\n"
      "  veilo-cli convert IN [IN ...] --out-dir DIR|--in-place [BATCH OPTIONS]\n"
      "                [FILE OPTIONS]\n"
      "  veilo-cli info FILE\n"
      "  veilo-cli next FILE [--back]\n"
      "  veilo-cli --help\n"
      "\n"
      "Pictures are read by their extension: .jpg .jpeg .jpe .jfif (JPEG), .png,\n"
      ".gif, .tif .tiff, .jp2 .jpc (JPEG 2000); anything else is read as BMP. They\n"
      "are written the same way, except that .tif and unknown extensions write BMP.\n"
      "\n"
      "mask applies the operations in order to the area and saves the result as OUT.\n"
      "AREA is X1,Y1,X2,Y2 (corners in pixels, right and bottom exclusive) or\n"
      "auto:X,Y, the masked rectangle that detect finds around the point X,Y in\n"
      "each picture (a picture where none is found fails). Operations:\n"
      "  neg[:CH]  xor[:CH]      negative/positive, XOR 0x80; CH channel set 0..7\n"
      "                          (1 red, 2 green, 4 blue; default 7)\n"
      "  rgb[:MODE]              RGB exchange: 0 R->G->B->R (default), 1 R<->G,\n"
      "                          2 G<->B, 3 R<->B\n"
      "  flip-tb  flip-lr        flip the whole area top/bottom or left/right\n"
      "  vglass[:BOX] hglass[:BOX]  glass, box size 2..999 (default 8)\n"
      "  meko  meko-rev          Meko mask, forward or reverse order\n"
      "  fl[:INV]                FL mask; INV 1 inverts moved blocks (default), 0 not\n"
      "  q0[:FLAGS[:BOX]]        Q0 mask; FLAGS six 0/1 digits: vertical glass,\n"
      "                          horizontal glass, negative/positive, left/right,\n"
      "                          top/bottom, XOR (default 111000); BOX default 8\n"
      "  win                     WIN mask\n"
      "  cp:CODE                 CP mask with a code of 1..16 letters\n"
      "  rot90  rot180  rot270   turn the whole picture clockwise\n"
      "  undo  redo              undo or redo the last operation\n"
      "\n"
      "detect prints the masked area found around the point X,Y as X1,Y1,X2,Y2\n"
      "(right and bottom exclusive), by rectangle search or, with --edge, edge scan.\n"
      "\n"
      "convert loads IN and saves it as OUT. info prints what the properties dialog\n"
      "shows: the full path, 'Size W x H', the exact colour count ('N colors'), then\n"
      "each PNG text as 'text KEY=TEXT' and each CP code slot as 'cpN CODE'. next\n"
      "prints the next (--back: previous) picture of FILE's folder in\n"
      "case-insensitive name order.\n"
      "\n"
      "Batch forms: each IN is a picture or a folder (its .jpg .jpeg .jpe .bmp .dib\n"
      ".png .gif .tif .tiff files), done on all cores; each output keeps its input's\n"
      "name. A file that fails is named at the end and the others go on.\n"
      "  --out-dir DIR           write the outputs into the folder DIR\n"
      "  --in-place              allow an output to replace its input (safely: a\n"
      "                          temporary file replaces it once written); without\n"
      "                          --out-dir the outputs go next to their inputs\n"
      "  --ext EXT               give the outputs the extension EXT (e.g. png)\n"
      "  --jobs N                use N threads (default: one per core)\n"
      "Outputs that would replace their input without --in-place, or that two\n"
      "inputs would write (a.jpg and a.png with --ext bmp), are failures.\n"
      "\n"
      "File options (without them each writer uses its dialog's start values):\n"
      "  --quality N  --smoothing N  --progressive  --no-optimize  --sampling-2x2\n"
      "                          JPEG writing: quality 0..100 (80), smoothing 1..100\n"
      "                          (off), progressive, no Huffman optimisation, 2x2\n"
      "                          chroma sampling\n"
      "  --no-smooth-read        JPEG reading: plain chroma upsampling\n"
      "  --colors N              GIF: 8, 16, 32, 64, 128 or 256 colours (256)\n"
      "  --reduce N              PNG: reduce to 256, 128, 64, 32 or 16 colours (0: no)\n"
      "  --interlace             GIF and PNG: interlaced\n"
      "  --text KEY=TEXT         PNG: add or replace a text entry (repeatable)\n"
      "  --text-delete KEY       PNG: remove a text entry (with --text, in order)\n"
      "  --transparent RRGGBB    GIF and PNG: transparent colour\n"
      "  --bmp-reduce 0|16|256   BMP: reduce colours (256 only for pictures of more\n"
      "                          than 256 colours)\n"
      "  --jp2-rate R            JPEG 2000: rate 0<R<1 (lossless when absent)\n"
      "\n"
      "Exit status: 0 success, 1 the operation (or any file of a batch) failed,\n"
      "2 bad usage.\n",
      out);
}

int RunMask(const std::vector<std::string>& args) {
  if (IsBatchForm(args)) return RunMaskBatch(args);
  if (args.size() < 2) return UsageError("mask needs IN and OUT");
  const std::string& in = args[0];
  const std::string& out = args[1];
  std::optional<AreaArg> area;
  MaskJob job;
  for (size_t i = 2; i < args.size(); ++i) {
    std::string optionError;
    const OptionParse option = ParseFileOption(args, i, job.fileOptions, optionError);
    if (option == OptionParse::kBad) return UsageError(optionError);
    if (option == OptionParse::kTaken) continue;
    if (args[i] == "--area") {
      if (i + 1 >= args.size()) return UsageError("--area needs X1,Y1,X2,Y2 or auto:X,Y");
      area = ParseAreaArg(args[++i]);
      if (!area) return UsageError("--area needs four numbers X1,Y1,X2,Y2 or auto:X,Y (0..65535)");
      continue;
    }
    const StepParse parsed = ParseMaskStep(args[i]);
    if (!parsed.step) return UsageError(parsed.error);
    job.steps.push_back(*parsed.step);
  }
  if (!area) return UsageError("mask needs --area X1,Y1,X2,Y2 or --area auto:X,Y");
  if (job.steps.empty()) return UsageError("mask needs at least one operation");
  job.area = *area;
  CliShell shell;
  return MaskFile(shell, in, out, job) ? kExitOk : kExitFailed;
}

int RunDetect(const std::vector<std::string>& args) {
  bool edge = false;
  FileOptionArgs fileOptions;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--edge") {
      edge = true;
      continue;
    }
    std::string optionError;
    const OptionParse option = ParseFileOption(args, i, fileOptions, optionError);
    if (option == OptionParse::kBad) return UsageError(optionError);
    if (option == OptionParse::kNotAnOption) positional.push_back(args[i]);
  }
  if (positional.size() != 3) return UsageError("detect needs IN X Y");
  const auto x = ParseCoordinate(positional[1]);
  const auto y = ParseCoordinate(positional[2]);
  if (!x || !y) return UsageError("X and Y must be numbers 0..65535");

  CliShell shell;
  ImageDoc doc;
  if (!LoadPicture(shell, positional[0], doc, MakeLoadOptions(fileOptions))) return kExitFailed;
  if (!CheckPointInPicture(shell, doc, *x, *y)) return kExitFailed;
  std::optional<PixelRect> found;
  if (edge) {
    found = EdgeScan(doc, *x, *y);
  } else {
    DetectionMemory memory;
    found = DetectAreaAt(memory, doc, *x, *y);
  }
  if (!found) {
    std::fprintf(stderr, "veilo-cli: no masked area found around %d,%d\n", *x, *y);
    return kExitFailed;
  }
  std::printf("%d,%d,%d,%d\n", found->left, found->top, found->right, found->bottom);
  return kExitOk;
}

}  // namespace veilo::cli
