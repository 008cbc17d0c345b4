// IcoMenuImageStore: the images of every IcoMenu of the process. One image
// list (colour DDB with mask, growth 1) made on first use with the icon size
// of the menu that first stores an image, and beside it the command id of
// each image. A command stored with the derived images owns three entries in
// a row (normal, faded, shadow), otherwise one. No menu destroys the store;
// entries are never moved or removed.
#pragma once

#include <vector>

#include "platform/Platform.h"

class IcoMenuImageStore {
 public:
  static IcoMenuImageStore& Instance();

  // The shared list, made with this size when there is none (or the one held
  // is gone, when the whole store starts again).
  HIMAGELIST List(int cx, int cy);
  // The shared list; NULL before the first image.
  HIMAGELIST Existing() const { return m_list; }
  // The first index of the command id, -1 when absent.
  int Find(UINT id) const;
  // Entries i + 1 and i + 2 exist and carry entry i's command id.
  bool HasDerived(int index) const;
  void AddId(UINT id) { m_ids.push_back(id); }
  int Count() const { return static_cast<int>(m_ids.size()); }
  UINT IdAt(int index) const { return m_ids[static_cast<size_t>(index)]; }
  // Back to the state at program start: no list, no ids.
  void Reset();

 private:
  IcoMenuImageStore() = default;

  HIMAGELIST m_list = nullptr;
  std::vector<UINT> m_ids;
};
