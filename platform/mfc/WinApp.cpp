#include "platform/mfc/WinApp.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/mfc/Wnd.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Folders.h"
#include "platform/win/kernel/PrivateProfile.h"
#include "platform/win/registry/Registry.h"
#include "platform/win/kernel/Resources.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* g_app = nullptr;

}  // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName) {
  if (lpszAppName) {
    appName_ = lpszAppName;
    m_pszAppName = appName_.c_str();
  }
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

void CWinApp::SetCurrentHandles() {
  char path[MAX_PATH] = "";
  ::GetModuleFileName(m_hInstance, path, MAX_PATH);
  std::string name(path);
  // The help file: the module's path with the extension ".HLP".
  const size_t folderEnd = name.find_last_of("\\/") + 1;
  const size_t dot = name.rfind('.');
  helpFilePath_ = (dot != std::string::npos && dot >= folderEnd ? name.substr(0, dot) : name) + ".HLP";
  m_pszHelpFilePath = helpFilePath_.c_str();
  name = name.substr(folderEnd);
  if (name.size() > 4 && CString(name.substr(name.size() - 4).c_str()).CompareNoCase(".exe") == 0)
    name.resize(name.size() - 4);
  exeName_ = name;
  m_pszExeName = exeName_.c_str();
  if (m_pszAppName == nullptr) {
    CString title;
    appName_ = title.LoadString(AFX_IDS_APP_TITLE) ? std::string(title.GetString()) : exeName_;
    m_pszAppName = appName_.c_str();
  }
  if (m_pszProfileName == nullptr) {
    profileName_ = exeName_ + ".INI";
    m_pszProfileName = profileName_.c_str();
  }
}

// --- Profile values ---

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
  registryKey_ = lpszRegistryKey;
  m_pszRegistryKey = registryKey_.c_str();
  profileName_ = m_pszAppName ? m_pszAppName : "";
  m_pszProfileName = profileName_.c_str();
}

HKEY CWinApp::OpenSectionKey(LPCTSTR lpszSection, bool create) const {
  std::string path = std::string("Software\\") + m_pszRegistryKey + "\\" + m_pszProfileName + "\\" + lpszSection;
  HKEY key = nullptr;
  LSTATUS status = create ? ::RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                             KEY_WRITE | KEY_READ, nullptr, &key, nullptr)
                          : ::RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
  return status == ERROR_SUCCESS ? key : nullptr;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
  if (m_pszRegistryKey == nullptr)
    return ::GetPrivateProfileInt(lpszSection, lpszEntry, nDefault, m_pszProfileName);
  HKEY key = OpenSectionKey(lpszSection, false);
  if (!key) return static_cast<UINT>(nDefault);
  DWORD type = 0, value = 0, size = sizeof value;
  LSTATUS status = ::RegQueryValueEx(key, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
  ::RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_DWORD ? value : static_cast<UINT>(nDefault);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
  if (m_pszRegistryKey == nullptr) {
    std::vector<char> buffer(4096);
    for (;;) {
      DWORD n = ::GetPrivateProfileString(lpszSection, lpszEntry, lpszDefault ? lpszDefault : "", buffer.data(),
                                          static_cast<DWORD>(buffer.size()), m_pszProfileName);
      if (n + 1 < buffer.size()) return CString(buffer.data(), static_cast<int>(n));
      buffer.resize(buffer.size() * 2);
    }
  }
  CString fallback(lpszDefault);
  HKEY key = OpenSectionKey(lpszSection, false);
  if (!key) return fallback;
  DWORD type = 0, size = 0;
  LSTATUS status = ::RegQueryValueEx(key, lpszEntry, nullptr, &type, nullptr, &size);
  CString value;
  if (status == ERROR_SUCCESS && type == REG_SZ) {
    std::vector<BYTE> data(size + 1, 0);
    status = ::RegQueryValueEx(key, lpszEntry, nullptr, &type, data.data(), &size);
    value = reinterpret_cast<const char*>(data.data());
  }
  ::RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_SZ ? value : fallback;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
  if (m_pszRegistryKey == nullptr) {
    std::string text = std::to_string(nValue);
    return ::WritePrivateProfileString(lpszSection, lpszEntry, text.c_str(), m_pszProfileName);
  }
  HKEY key = OpenSectionKey(lpszSection, true);
  if (!key) return FALSE;
  auto value = static_cast<DWORD>(nValue);
  LSTATUS status = ::RegSetValueEx(key, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  ::RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
  if (m_pszRegistryKey == nullptr)
    return ::WritePrivateProfileString(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
  if (lpszEntry == nullptr) {
    HKEY appKey = OpenSectionKey("", false);
    if (!appKey) return FALSE;
    LSTATUS status = ::SHDeleteKey(appKey, lpszSection);
    ::RegCloseKey(appKey);
    return status == ERROR_SUCCESS;
  }
  HKEY key = OpenSectionKey(lpszSection, true);
  if (!key) return FALSE;
  LSTATUS status =
      lpszValue == nullptr
          ? ::RegDeleteValue(key, lpszEntry)
          : ::RegSetValueEx(key, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                            static_cast<DWORD>(std::string(lpszValue).size() + 1));
  ::RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
  if (ppData == nullptr || pBytes == nullptr) return FALSE;
  *ppData = nullptr;
  *pBytes = 0;
  std::vector<BYTE> data;
  if (m_pszRegistryKey == nullptr) {
    CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
    if (text.IsEmpty() || text.GetLength() % 2 != 0) return FALSE;
    for (int i = 0; i < text.GetLength(); i += 2) {
      char pair[3] = {text[i], text[i + 1], '\0'};
      char* end = nullptr;
      unsigned long byte = std::strtoul(pair, &end, 16);
      if (end != pair + 2) return FALSE;
      data.push_back(static_cast<BYTE>(byte));
    }
  } else {
    HKEY key = OpenSectionKey(lpszSection, false);
    if (!key) return FALSE;
    DWORD type = 0, size = 0;
    LSTATUS status = ::RegQueryValueEx(key, lpszEntry, nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS && type == REG_BINARY) {
      data.resize(size);
      status = ::RegQueryValueEx(key, lpszEntry, nullptr, &type, data.data(), &size);
      data.resize(size);
    }
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_BINARY) return FALSE;
  }
  *ppData = new BYTE[data.size() ? data.size() : 1];
  std::copy(data.begin(), data.end(), *ppData);
  *pBytes = static_cast<UINT>(data.size());
  return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes) {
  if (pData == nullptr && nBytes != 0) return FALSE;
  if (m_pszRegistryKey == nullptr) {
    std::string text;
    static const char kDigits[] = "0123456789ABCDEF";
    for (UINT i = 0; i < nBytes; ++i) {
      text += kDigits[pData[i] >> 4];
      text += kDigits[pData[i] & 0x0F];
    }
    return ::WritePrivateProfileString(lpszSection, lpszEntry, text.c_str(), m_pszProfileName);
  }
  HKEY key = OpenSectionKey(lpszSection, true);
  if (!key) return FALSE;
  LSTATUS status = ::RegSetValueEx(key, lpszEntry, 0, REG_BINARY, pData, nBytes);
  ::RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

// --- Message boxes ---

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
  CWnd* pMainWnd = AfxGetMainWnd();
  HWND hWndOwner = pMainWnd ? pMainWnd->m_hWnd : ::GetActiveWindow();
  return ::MessageBox(hWndOwner, lpszPrompt, m_pszAppName, nType);
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
  if (CWinApp* pApp = AfxGetApp()) return pApp->DoMessageBox(lpszText, nType, nIDHelp);
  return ::MessageBox(::GetActiveWindow(), lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString prompt;
  prompt.LoadString(nIDPrompt);
  return AfxMessageBox(prompt, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

// --- Global access ---

CWinApp* AfxGetApp() { return g_app; }

LPCTSTR AfxGetAppName() { return g_app ? g_app->m_pszAppName : nullptr; }

CWnd* AfxGetMainWnd() {
  CWinThread* pThread = AfxGetThread();
  return pThread ? pThread->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
  return g_app && g_app->m_hInstance ? g_app->m_hInstance : wavorel::programInstance();
}

HINSTANCE AfxGetResourceHandle() {
  HINSTANCE module = wavorel::resourceModule();
  return module ? module : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource) { wavorel::setResourceModule(hInstResource); }

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
  return wavorel::findResourceModule(lpszName, lpszType);
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr) return FALSE;
  pApp->m_hInstance = hInstance;
  pApp->cmdLine_ = lpCmdLine ? lpCmdLine : "";
  pApp->m_lpCmdLine = pApp->cmdLine_.data();
  pApp->m_nCmdShow = nCmdShow;
  pApp->SetCurrentHandles();
  return TRUE;
}
