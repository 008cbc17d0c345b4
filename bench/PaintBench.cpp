// Painting a 600 x 450 dialog-like window with a dozen controls: a full
// repaint (everything invalidated, erased and painted) and composition into
// one image, and the composition alone when nothing changed. Then the real
// thing: the program's main dialog (WavorelVista's, over the generated skin
// and the English texts, made as the program makes it), repainted in full
// and composed.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "apps/skin/SkinGenerator.h"
#include "frontend/WavorelApp.h"
#include "frontend/WavorelDlg.h"
#include "platform/Platform.h"
#include "platform/testing/BenchRoot.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/Resources.h"
#include "platform/win/kernel/Root.h"
#include "platform/present/WindowImage.h"
#include "utilmere/Utilmere.h"

namespace {

HWND makeDialog() {
  WNDCLASS wc{};
  wc.lpfnWndProc = DefWindowProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  wc.lpszClassName = "PaintBenchDialog";
  RegisterClass(&wc);  // fails harmlessly when the class is still there
  HWND dlg = CreateWindowEx(0, "PaintBenchDialog", "Bench", WS_POPUP | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                            0, 600, 450, nullptr, nullptr, nullptr, nullptr);
  auto add = [&](LPCSTR cls, LPCSTR text, DWORD style, int x, int y, int cx, int cy) {
    return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, dlg, nullptr, nullptr, nullptr);
  };
  add("Button", "OK", BS_DEFPUSHBUTTON, 400, 380, 80, 24);
  add("Button", "Cancel", BS_PUSHBUTTON, 490, 380, 80, 24);
  add("Button", "Remember the key", BS_AUTOCHECKBOX, 20, 20, 160, 20);
  add("Button", "Automatic", BS_AUTORADIOBUTTON, 20, 50, 160, 20);
  add("Button", "Security", BS_GROUPBOX, 10, 90, 280, 120);
  add("Static", "Network name:", SS_LEFT, 20, 110, 120, 20);
  add("Edit", "HomeNetwork", ES_AUTOHSCROLL, 140, 110, 140, 22);
  HWND list = add("ListBox", "", WS_BORDER, 300, 20, 280, 150);
  for (int i = 0; i < 10; ++i) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Access point entry"));
  HWND progress = add(PROGRESS_CLASS, "", 0, 20, 240, 560, 20);
  SendMessage(progress, PBM_SETPOS, 60, 0);
  add(TRACKBAR_CLASS, "", 0, 20, 280, 560, 30);
  HWND tab = add(WC_TABCONTROL, "", 0, 20, 320, 360, 100);
  for (LPCSTR text : {"General", "Advanced", "Status"}) {
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPSTR>(text);
    SendMessage(tab, TCM_INSERTITEM, 9, reinterpret_cast<LPARAM>(&item));
  }
  add(WC_IPADDRESS, "", 0, 300, 190, 160, 22);
  return dlg;
}

void BM_FullRepaintAndCompose(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  HWND dlg = makeDialog();
  for (auto _ : state) {
    RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    wavorel::WindowImage image = wavorel::composeWindow(dlg);
    benchmark::DoNotOptimize(image.pixels.data());
  }
  DestroyWindow(dlg);
}
BENCHMARK(BM_FullRepaintAndCompose)->Unit(benchmark::kMillisecond);

void BM_ComposeUnchanged(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  HWND dlg = makeDialog();
  wavorel::composeWindow(dlg);
  for (auto _ : state) {
    wavorel::WindowImage image = wavorel::composeWindow(dlg);
    benchmark::DoNotOptimize(image.pixels.data());
  }
  DestroyWindow(dlg);
}
BENCHMARK(BM_ComposeUnchanged)->Unit(benchmark::kMillisecond);

// The program's main dialog over a program folder with the skin and texts.
class MainDialog {
 public:
  MainDialog() {
    const std::string program = root_.path() + "/program";
    ::mkdir(program.c_str(), 0755);
    ::mkdir((program + "/Language").c_str(), 0755);
    wavorel::skin::writeSkin(program + "/Skin");
    std::ofstream(program + "/Language/English.ini")
        << "[Text]\r\nCompanyName=Quendal Wireless\r\nModel No.=Wavorel 802.11n Wireless Adapter\r\n";
    wavorel::setProgramFolder(program, "WavorelVista");
    Init_Utilmere("Wavorel");
    std::string line;
    AfxWinInit(wavorel::programInstance(), nullptr, line.data(), SW_SHOWNORMAL);
    app_.SetRegistryKey("Wavorel(Quendal)");
    app_.ParseCommandLine();
    app_.m_pMainWnd = &dialog_;
    if (dialog_.Create(IDD_WAVOREL_DIALOG, nullptr)) dialog_.ShowWindow(SW_SHOWNORMAL);
  }
  ~MainDialog() {
    if (dialog_.GetSafeHwnd()) dialog_.DestroyWindow();
    app_.m_pMainWnd = nullptr;
  }
  HWND hwnd() const { return dialog_.GetSafeHwnd(); }

 private:
  wavorel::testing::BenchRoot root_;
  CWavorelApp app_;
  CWavorelDlg dialog_;
};

void BM_MainDialogRepaintAndCompose(benchmark::State& state) {
  MainDialog main;
  if (!main.hwnd()) {
    state.SkipWithError("the main dialog cannot be made");
    return;
  }
  wavorel::composeWindow(main.hwnd());
  for (auto _ : state) {
    RedrawWindow(main.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    wavorel::WindowImage image = wavorel::composeWindow(main.hwnd());
    benchmark::DoNotOptimize(image.pixels.data());
  }
}
BENCHMARK(BM_MainDialogRepaintAndCompose)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
