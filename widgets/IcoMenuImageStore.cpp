#include "widgets/IcoMenuImageStore.h"

namespace {

constexpr UINT kListFlags = 0xFF;  // ILC_COLORDDB | ILC_MASK

bool alive(HIMAGELIST list) {
  int cx = 0, cy = 0;
  return list && ImageList_GetIconSize(list, &cx, &cy);
}

}  // namespace

IcoMenuImageStore& IcoMenuImageStore::Instance() {
  static IcoMenuImageStore store;
  return store;
}

HIMAGELIST IcoMenuImageStore::List(int cx, int cy) {
  if (m_list && !alive(m_list)) Reset();
  if (!m_list) m_list = ImageList_Create(cx, cy, kListFlags, 1, 1);
  return m_list;
}

int IcoMenuImageStore::Find(UINT id) const {
  for (size_t i = 0; i < m_ids.size(); ++i)
    if (m_ids[i] == id) return static_cast<int>(i);
  return -1;
}

bool IcoMenuImageStore::HasDerived(int index) const {
  if (index < 0) return false;
  const size_t i = static_cast<size_t>(index);
  return i + 2 < m_ids.size() && m_ids[i + 1] == m_ids[i] && m_ids[i + 2] == m_ids[i];
}

void IcoMenuImageStore::Reset() {
  if (alive(m_list)) ImageList_Destroy(m_list);
  m_list = nullptr;
  m_ids.clear();
}
