// The skin generator: draws every skin file the front end loads from its
// "Skin" folder (frame strips side by side, dialog and page backgrounds cut to
// their shape by the transparent yellow 0x00FFFF, list images, the tray
// strip, icons and cursors) and writes them into a folder.
#pragma once

#include <string>
#include <vector>

namespace wavorel::skin {

// The main dialog's background: its size in pixels, and the height of the
// top band that holds the logo, the close button, the mode radios and the
// web link (the host of the tab controls starts below it).
constexpr int kMainDialogWidth = 600;
constexpr int kMainDialogHeight = 470;
constexpr int kMainDialogBandHeight = 80;

// The colour outside every shape (COLORREF 0x00FFFF, red 255, green 255).
constexpr unsigned kTransparentColor = 0x00FFFF;

enum class Look {
  Dialog,        // a window background with rounded corners and a title band
  Page,          // a tab page background
  Button,        // push button frames: normal, hover, pressed, disabled
  Close,         // a small close button (4 frames)
  Logo,          // the product logo (4 frames)
  TabLabel,      // tab labels (6 frames: the check/radio states)
  Radio,         // round radio (6 frames)
  Check,         // square check box (6 frames)
  ModeStation,   // mode radio with a computer (6 frames)
  ModeAP,        // mode radio with an antenna mast (6 frames)
  BarBack,       // progress bar trough
  BarFore,       // progress bar fill
  ProfileImages, // list images: profile, flagged, connected, second state
  SignalImages,  // list images: five signal levels, then the same connected
  WpsImages,     // list images: plain, state 0, state 1
  Tray,          // tray frames by connection state
  AppIcon,       // .ico: the program icon
  InfoIcon,      // .ico: the message box icons
  WarningIcon,
  QuestionIcon,
  ErrorIcon,
  CheckCursor,   // .cur: the radio cursors
  UncheckCursor
};

struct SkinFile {
  const char* name;
  Look look;
  int frames;      // images side by side
  int frameWidth;  // of one image
  int height;
  int band;  // dialogs and pages: the height of the dark title band
};

// Every file the generator writes, with its geometry.
const std::vector<SkinFile>& skinFiles();

// Writes every file into `folder` (a Linux path, created when missing).
// False, with a message in `error` when given, when a file cannot be written.
bool writeSkin(const std::string& folder, std::string* error = nullptr);

}  // namespace wavorel::skin
