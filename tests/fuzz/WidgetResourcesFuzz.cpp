// libFuzzer target for the readers of menu, toolbar and bitmap resources: the
// input is offered at once as a menu template (IcoMenu::LoadMenu), a toolbar
// record (CToolBar::LoadToolBar) and a bitmap without its file header
// (AfxLoadSysColorBitmap); each loads or refuses without reading outside the
// input, which lies in a block of exactly its size.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Platform.h"
#include "widgets/IcoMenu.h"

namespace {

constexpr WORD kName = 1;

// One resource of each kind, repointed at every input.
wavorel::ResourceEntry g_entries[] = {
    {{4, nullptr}, {kName, nullptr}, 0, nullptr, 0},
    {{241, nullptr}, {kName, nullptr}, 0, nullptr, 0},
    {{2, nullptr}, {kName, nullptr}, 0, nullptr, 0},
};

HINSTANCE fuzzModule() {
  static HINSTANCE module = [] {
    HINSTANCE made = wavorel::moduleInstance("FuzzResources.dll");
    wavorel::registerResourceModule(made, wavorel::ResourceTable{g_entries, 3, nullptr, 0});
    wavorel::setResourceModule(made);
    return made;
  }();
  return module;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  HINSTANCE module = fuzzModule();
  std::vector<BYTE> input(data, data + size);
  for (wavorel::ResourceEntry& entry : g_entries) {
    entry.data = input.data();
    entry.size = static_cast<DWORD>(size);
  }
  {
    IcoMenu menu;
    menu.LoadMenu(kName);
  }
  {
    CToolBar bar;
    bar.LoadToolBar(kName);
  }
  if (HRSRC found = FindResource(module, MAKEINTRESOURCE(kName), RT_BITMAP)) {
    if (HBITMAP bitmap = AfxLoadSysColorBitmap(module, found)) DeleteObject(bitmap);
  }
  for (wavorel::ResourceEntry& entry : g_entries) {
    entry.data = nullptr;
    entry.size = 0;
  }
  return 0;
}
