// CSaveWithoutShowingFlag: what the station tab control offers the site
// editor: its flag of a site saved without showing the editor (set by the
// survey's save request, read and cleared when the editor opens). Cancel on
// the editor and every message box clear it through the main dialog's
// station tab control.
#pragma once

class CSaveWithoutShowingFlag {
 public:
  virtual ~CSaveWithoutShowingFlag() = default;
  virtual int& SaveWithoutShowingFlag() = 0;

  // The flag of the main dialog's station tab control; null while the
  // application's main window holds none.
  static int* OfMainWindow();
};
