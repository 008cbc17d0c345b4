#include "frontend/UiBridgeValues.h"

CUiBridgeValues& CUiBridgeValues::Instance() {
  static CUiBridgeValues values;
  return values;
}

LPARAM CUiBridgeValues::Add(HWND target, const char* text) {
  std::lock_guard<std::mutex> lock(m_mutex);
  SweepLocked();
  // Tokens count up and are never reused, so a stale lParam never names a
  // newer value.
  LPARAM token = static_cast<LPARAM>(++m_lastToken);
  m_values.emplace(token, Value{target, CString(text)});
  return token;
}

BOOL CUiBridgeValues::Take(LPARAM token, CString& text) {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto it = m_values.find(token);
  if (it == m_values.end()) return FALSE;
  text = std::move(it->second.text);
  m_values.erase(it);
  return TRUE;
}

void CUiBridgeValues::Release(LPARAM token) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_values.erase(token);
}

int CUiBridgeValues::Count() {
  std::lock_guard<std::mutex> lock(m_mutex);
  SweepLocked();
  return static_cast<int>(m_values.size());
}

void CUiBridgeValues::SweepLocked() {
  // The values in flight mostly share one receiver: a run of values for the
  // same window looks it up once.
  HWND checked = nullptr;
  bool exists = false;
  for (auto it = m_values.begin(); it != m_values.end();) {
    if (it->second.target != checked || !checked) {
      checked = it->second.target;
      exists = IsWindow(checked) != FALSE;
    }
    if (exists)
      ++it;
    else
      it = m_values.erase(it);
  }
}
