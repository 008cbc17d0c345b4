#include "widgets/IcoMenuData.h"

#include <vector>

void IcoMenuData::SetAnsiString(LPCSTR text) {
  m_text.clear();
  if (!text || !*text) return;
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 0) return;
  std::vector<WCHAR> wide(static_cast<size_t>(length));
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  m_text.assign(wide.data());
}

CString IcoMenuData::GetAnsiString() const {
  if (m_text.empty()) return CString();
  const int length = WideCharToMultiByte(CP_ACP, 0, m_text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return CString();
  std::vector<char> ansi(static_cast<size_t>(length));
  WideCharToMultiByte(CP_ACP, 0, m_text.c_str(), -1, ansi.data(), length, nullptr, nullptr);
  return CString(ansi.data());
}
