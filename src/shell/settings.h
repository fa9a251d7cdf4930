#pragma once
// The user's options (AppOptions) and their settings file: loaded once at
// start-up, edited in place by the option dialogs, saved when the frame goes.
#include <cstdint>
#include <optional>
#include <string>

#include "masks/mask_context.h"

namespace veilo {

// CW_USEDEFAULT: let the system place the frame.
inline constexpr int32_t kUseDefaultPosition = INT32_MIN;
inline constexpr char kSettingsSection[] = "veilo by Kestrani";
inline constexpr char kSettingsFileName[] = "veilo.ini";

struct AppOptions {
  int32_t frameLeft = kUseDefaultPosition;
  int32_t frameTop = kUseDefaultPosition;
  int32_t frameWidth = kUseDefaultPosition;
  int32_t frameHeight = kUseDefaultPosition;
  int32_t frameMaximized = 0;  // 1: show the frame maximised at start

  int32_t quickZoomX = 300;
  int32_t quickZoomY = 200;
  int32_t quickZoomWidth = 160;
  int32_t quickZoomHeight = 160;

  int32_t areaStartUnit = 8;  // 1 (free), 8 or 16
  int32_t areaSizeUnit = 8;   // 1 (free), 8 or 16

  // flInvert, glassBoxSize, the Q0 steps and the RGB options.
  MaskOptions mask;

  int32_t jpegQuality = 80;   // 0..100
  int32_t jpegSmoothing = 1;  // 1..100
  bool jpegSmoothingOn = false;
  bool jpegNoSmoothRead = false;
  bool jpegProgressive = false;
  bool jpegOptimize = true;
  bool jpegSampling1x1 = true;

  std::string saveDir;  // up to 255 bytes
  std::string loadDir;  // up to 255 bytes
  bool openPreview = false;

  bool jp2Lossless = true;
  float jp2Rate = 0.1f;  // used when not lossless; valid strictly between 0 and 1

  std::string languagePath;  // folder of the language file, up to 259 bytes
  std::string slideFolder;   // screen-saver slide show folder, up to 259 bytes
  int32_t slideSeconds = 5;
};

// The seven JPEG options (those of "JpegOption") of `from` into `to`; nothing
// else changes.
void CopyJpegOptions(const AppOptions& from, AppOptions& to);
// "Veilo Default" of the JPEG options dialog: the seven JPEG options back to
// their start values.
void ResetJpegOptions(AppOptions& options);

// Where the frame is when the settings are saved.
struct FrameState {
  bool minimized = false;
  bool maximized = false;
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // window rectangle
};

struct LoadedSettings {
  AppOptions options;
  std::string readFrom;  // the file the options came from ("" when neither exists)
};

// Reads `settingsFile` (veilo.ini next to the program), or `winIniFile` in
// the same section when the settings file is missing or is a folder. Absent
// keys keep their defaults; a value with fewer numbers than its format fills
// only the leading fields.
LoadedSettings loadSettings(const std::string& settingsFile, const std::string& winIniFile);

// Writes every key to `settingsFile` (never to win.ini), in the file's order.
// "Window Dimensions" stays as it is while the frame is minimised or
// maximised; "Path" is written only when a language file was loaded, with its
// folder. Other keys and sections of an existing file are kept. False when
// the file could not be written; the previous file is then intact.
bool saveSettings(const std::string& settingsFile, const AppOptions& options, const FrameState& frame,
                  const std::optional<std::string>& languageFolder);

// The screen-saver settings SLD_PATH and SLD_TM in win.ini.
void loadSlideSettings(const std::string& winIniFile, AppOptions& options);
bool saveSlideSettings(const std::string& winIniFile, const AppOptions& options);

}  // namespace veilo
