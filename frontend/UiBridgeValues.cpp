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
  for (auto it = m_values.begin(); it != m_values.end();) {
    if (IsWindow(it->second.target))
      ++it;
    else
      it = m_values.erase(it);
  }
}
