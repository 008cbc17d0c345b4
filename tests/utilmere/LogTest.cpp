#include "utilmere/Utilmere.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/testing/Drivers.h"
#include "platform/win/user/ModalLoop.h"
#include "tests/utilmere/UtilmereTest.h"

namespace {

struct Captured {
  UINT code;
  std::string line;
};
std::vector<Captured> g_later;
std::vector<Captured> g_outDialog;
std::vector<Captured> g_shown;  // lines the log window took off the queue

void captureLater(UINT code, const char* line) { g_later.push_back({code, line}); }
void captureOutDialog(UINT code, const char* line) { g_outDialog.push_back({code, line}); }

LRESULT CALLBACK logWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GX_SHOWLOG) {
    CStringArray lines;
    CUIntArray codes;
    GetLastLogStrAry(&lines, &codes);
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) g_shown.push_back({codes[i], std::string(lines[i])});
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

class LogTest : public utilmere::testing::UtilmereTest {
 protected:
  void SetUp() override {
    UtilmereTest::SetUp();
    g_later.clear();
    g_outDialog.clear();
    g_shown.clear();
    SetCallbackFunc_LogHandleLater(captureLater);
    SetCallbackFunc_LogHandleOutDlg(nullptr);
    Set_LogOutDefaultPosistion(0);
    Init_Utilmere("Wavorel");
    setNow(2008, 3, 14, 9, 5, 1);
    wavorel::setModalResponder([this](const wavorel::ModalWindow& box) {
      boxes_.push_back(box);
      return IDOK;
    });
  }
  void TearDown() override {
    SetCallbackFunc_LogHandleLater(nullptr);
    UtilmereTest::TearDown();
  }

  std::string logFile(const char* month) const { return programLinux() + "/Log-Wavorel-" + month + ".txt"; }

  HWND makeLogWindow() {
    WNDCLASS wc = {};
    wc.lpfnWndProc = logWindowProc;
    wc.lpszClassName = "UtilmereLogWindow";
    RegisterClass(&wc);
    return CreateWindow("UtilmereLogWindow", "log", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                        nullptr, nullptr);
  }

  std::vector<wavorel::ModalWindow> boxes_;
};

TEST_F(LogTest, LineBytesAndTheMonthlyFile) {
  EXPECT_STREQ(GetCurDir(), "C:\\Program Files\\app\\");
  EXPECT_STREQ(GetLogFileName(), "C:\\Program Files\\app\\Log-Wavorel-200803.txt");
  Log(GXLOG_ERROR, "step %d of %s", 7, "init");
  Log(GXLOG_NORMAL, "second");
  EXPECT_EQ(readLinuxFile(logFile("200803")),
            "[2008-03-14 09:05:01] <ERROR> step 7 of init\r\n"
            "[2008-03-14 09:05:01] <NORMAL> second\r\n");

  setNow(2008, 4, 1, 0, 0, 0);
  Log(GXLOG_WARNING, "april");
  EXPECT_EQ(readLinuxFile(logFile("200804")), "[2008-04-01 00:00:00] <WARNING> april\r\n");
  EXPECT_EQ(readLinuxFile(logFile("200803")).size(), 85u);  // last month's file stays
}

TEST_F(LogTest, LevelNamesWithUndefinedLevelsShownAsInvalid) {
  const struct {
    UINT code;
    const char* name;
  } cases[] = {{0, "VERBOSE"}, {1, "NORMAL"}, {2, "WARNING"}, {3, "ERROR"},   {4, "DEBUG"},
               {5, "INVALID"}, {6, "INVALID"}, {15, "INVALID"}, {0x80E, "INVALID"}};
  for (const auto& c : cases) {
    g_later.clear();
    Log(c.code, "t");
    ASSERT_EQ(g_later.size(), 1u);
    EXPECT_EQ(g_later[0].code, c.code);
    EXPECT_EQ(g_later[0].line, std::string("[2008-03-14 09:05:01] <") + c.name + "> t\r\n");
  }
}

TEST_F(LogTest, LongTextsCutBelowTheLineLimit) {
  const std::string text(3000, 'x');
  Log(GXLOG_NORMAL, "%s", text.c_str());
  ASSERT_EQ(g_later.size(), 1u);
  const std::string& line = g_later[0].line;
  EXPECT_EQ(line.size(), 2047u);
  EXPECT_EQ(line.substr(0, 31), "[2008-03-14 09:05:01] <NORMAL> ");
  EXPECT_EQ(line.substr(2045), "\r\n");
  EXPECT_EQ(line.find_first_not_of('x', 31), 2045u);
  EXPECT_EQ(readLinuxFile(logFile("200803")), line);
}

TEST_F(LogTest, FileDeletedOnlyPastTwoMebibytes) {
  const std::string path = logFile("200803");
  const std::string line = "[2008-03-14 09:05:01] <NORMAL> next\r\n";

  writeLinuxFile(path, std::string(2097152, 'a'));
  Log(GXLOG_NORMAL, "next");
  EXPECT_EQ(std::filesystem::file_size(path), 2097152u + line.size());

  writeLinuxFile(path, std::string(2097153, 'a'));
  Log(GXLOG_NORMAL, "next");
  EXPECT_EQ(readLinuxFile(path), line);

  // Past 4 GiB the high word of the size counts (the low word alone is small).
  writeLinuxFile(path, "");
  std::filesystem::resize_file(path, (4ull << 30) + 16);
  Log(GXLOG_NORMAL, "next");
  EXPECT_EQ(readLinuxFile(path), line);
}

TEST_F(LogTest, LinesFromManyThreadsAreAllWrittenWhole) {
  SetCallbackFunc_LogHandleLater(nullptr);
  constexpr int kThreads = 8;
  constexpr int kLines = 250;
  const std::string padding(150, '.');
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &padding] {
      for (int i = 0; i < kLines; ++i) Log(GXLOG_NORMAL, "thread %d line %d %s", t, i, padding.c_str());
    });
  }
  for (std::thread& thread : threads) thread.join();

  const std::string text = readLinuxFile(logFile("200803"));
  std::set<std::pair<int, int>> seen;
  size_t start = 0;
  int lines = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    ASSERT_NE(end, std::string::npos) << "a line without its end";
    const std::string line = text.substr(start, end - start);
    start = end + 2;
    ++lines;
    int t = -1, i = -1;
    char rest[200] = "";
    ASSERT_EQ(std::sscanf(line.c_str(), "[2008-03-14 09:05:01] <NORMAL> thread %d line %d %199s", &t, &i, rest), 3)
        << line;
    EXPECT_EQ(rest, padding) << line;
    EXPECT_TRUE(seen.insert({t, i}).second) << "twice: " << line;
  }
  EXPECT_EQ(lines, kThreads * kLines);
  EXPECT_EQ(seen.size(), static_cast<size_t>(kThreads * kLines));
}

TEST_F(LogTest, ProgramFolder) {
  Init_Utilmere("");  // an empty name keeps the log name
  EXPECT_STREQ(GetLogFileName(), "C:\\Program Files\\app\\Log-Wavorel-200803.txt");
  Log(GXLOG_NORMAL, "kept");
  EXPECT_TRUE(std::filesystem::exists(logFile("200803")));
  char buffer[MAX_PATH];
  EXPECT_EQ(GetProgramDir(buffer, sizeof(buffer)), 20);
  EXPECT_STREQ(buffer, "C:\\Program Files\\app\\");
  EXPECT_STREQ(GetProgramDir(), "C:\\Program Files\\app\\");
  char small[10];
  memset(small, 'x', sizeof(small));
  EXPECT_EQ(GetProgramDir(small, sizeof(small)), 0);
  EXPECT_EQ(std::string(small, sizeof(small)), std::string(sizeof(small), '\0'));
  EXPECT_EQ(GetProgramDir(nullptr, 10), 0);
}

TEST_F(LogTest, RoutingByCodeBits) {
  // 0x200 without an out-dialog callback: the text alone in a message box,
  // literally (its % signs are not a format).
  Log(0x203, "%s", "100% sure %d");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "100% sure %d");
  EXPECT_EQ(boxes_[0].caption, "Pellandor.Omrin.LogInfo");
  EXPECT_EQ(boxes_[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
  SetAppName("Wavorel");
  Log(0x201, "named");
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].caption, "Wavorel");
  EXPECT_EQ(boxes_[1].style & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));

  SetCallbackFunc_LogHandleOutDlg(captureOutDialog);
  Log(0x202, "to dialog");
  EXPECT_EQ(boxes_.size(), 2u);
  ASSERT_EQ(g_outDialog.size(), 1u);
  EXPECT_EQ(g_outDialog[0].code, 0x202u);
  EXPECT_EQ(g_outDialog[0].line, "[2008-03-14 09:05:01] <WARNING> to dialog\r\n");

  ::testing::internal::CaptureStdout();
  Log(0x301, "%s", "50% console");  // 0x100 comes before 0x200
  Log(0xB01, "silent");       // 0x800 comes before both
  Set_LogOutDefaultPosistion(GXLOG_OUT_CONSOLE);
  Log(GXLOG_ERROR, "by default");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "[2008-03-14 09:05:01] <NORMAL> 50% console\r\n"
            "[2008-03-14 09:05:01] <ERROR> by default\r\n");
  EXPECT_EQ(g_outDialog.size(), 1u);

  // Every line reached the file and the later-handling callback.
  EXPECT_EQ(g_later.size(), 6u);
  const std::string file = readLinuxFile(logFile("200803"));
  EXPECT_NE(file.find("<NORMAL> silent\r\n"), std::string::npos);
  EXPECT_NE(file.find("<ERROR> 100% sure %d\r\n"), std::string::npos);
}

TEST_F(LogTest, LogWindowQueue) {
  Log(GXLOG_NORMAL, "before any window");
  HWND window = makeLogWindow();
  ASSERT_NE(window, nullptr);
  Set_RecvLogMsgHwnd(window);
  Set_RecvLogMsgHwnd(reinterpret_cast<HWND>(0x1234));  // not a window: ignored

  Log(GXLOG_WARNING, "posted");
  EXPECT_TRUE(g_shown.empty());
  wavorel::pumpMessages();
  ASSERT_EQ(g_shown.size(), 1u);
  EXPECT_EQ(g_shown[0].code, 2u);
  EXPECT_EQ(g_shown[0].line, "[2008-03-14 09:05:01] <WARNING> posted\r\n");

  Log(GXLOG_OUT_SEND | GXLOG_ERROR, "sent");
  ASSERT_EQ(g_shown.size(), 2u);  // handled before Log returned
  EXPECT_EQ(g_shown[1].code, GXLOG_OUT_SEND | GXLOG_ERROR);

  // The console route does not queue.
  ::testing::internal::CaptureStdout();
  Log(GXLOG_OUT_CONSOLE, "console");
  ::testing::internal::GetCapturedStdout();
  wavorel::pumpMessages();
  EXPECT_EQ(g_shown.size(), 2u);

  DestroyWindow(window);
  Log(GXLOG_NORMAL, "after");
  wavorel::pumpMessages();
  CStringArray lines;
  CUIntArray codes;
  GetLastLogStrAry(&lines, &codes);
  EXPECT_EQ(lines.GetSize(), 0);
  EXPECT_EQ(codes.GetSize(), 0);
  GetLastLogStrAry(nullptr, &codes);
}

TEST_F(LogTest, ExceptionsLogged) {
  try {
    AfxThrowMemoryException();
  } catch (CException* e) {
    char message[256] = {};
    e->GetErrorMessage(message, sizeof(message));
    Log_Exception(e, "In %s module", "Load");
    e->Delete();
    ASSERT_EQ(g_later.size(), 1u);
    EXPECT_EQ(g_later[0].code, 3u);
    EXPECT_EQ(g_later[0].line,
              std::string("[2008-03-14 09:05:01] <ERROR> Exception occured. ") + message + ". In Load module\r\n");
  }
  const std::string longText(400, 'e');
  Log_Exception(nullptr, "%s", longText.c_str());
  ASSERT_EQ(g_later.size(), 2u);
  EXPECT_EQ(g_later[1].line, "[2008-03-14 09:05:01] <ERROR> Exception occured. . " + std::string(255, 'e') + "\r\n");
}

TEST_F(LogTest, FormattingAndMessageBoxLimits) {
  const std::string text(2000, 'f');
  EXPECT_EQ(std::string(FormatString("%s", text.c_str())), std::string(1023, 'f'));
  EXPECT_EQ(std::string(GetMLTextPub("%s", text.c_str())), std::string(1023, 'f'));
  EXPECT_STREQ(FormatString("%d-%s", 5, "x"), "5-x");
  EXPECT_STREQ(FormatString(nullptr), "");

  EXPECT_EQ(gxMsgBox(nullptr, "Title", MB_OKCANCEL, "%s", text.c_str()), IDOK);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, std::string(254, 'f'));
  EXPECT_EQ(boxes_[0].caption, "Title");
  EXPECT_EQ(boxes_[0].buttons, (std::vector<int>{IDOK, IDCANCEL}));

  SetLastError(ERROR_ACCESS_DENIED);
  MsgBoxErr("Cannot open %s", "C:\\x");
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].text, "Cannot open C:\\x\r\nError NO : 5");
  SetLastError(2);
  MsgBoxErr("%s", text.c_str());
  ASSERT_EQ(boxes_.size(), 3u);
  EXPECT_EQ(boxes_[2].text, std::string(255, 'f') + "\r\nError NO : 2");
}

TEST_F(LogTest, SystemErrorTexts) {
  EXPECT_STREQ(GxFormatError(ERROR_FILE_NOT_FOUND), "The system cannot find the file specified.\r\n");
  char* first = GxFormatError(ERROR_ACCESS_DENIED);
  EXPECT_STREQ(first, "Access is denied.\r\n");
  EXPECT_STREQ(GxFormatError(0xDEAD), "");
  EXPECT_EQ(GxFormatError(ERROR_BAD_EXE_FORMAT), first);  // one buffer, overwritten
  EXPECT_STREQ(first, "%1 is not a valid Win32 application.\r\n");
}

}  // namespace

namespace {

class LogWindowTest : public LogTest {
 protected:
  void SetUp() override {
    LogTest::SetUp();
    parent_ = makeLogWindow();
    ASSERT_TRUE(rich_.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                             CRect(0, 0, 200, 100), CWnd::FromHandle(parent_), 5));
  }
  void TearDown() override {
    if (rich_.GetSafeHwnd() != nullptr) rich_.DestroyWindow();
    DestroyWindow(parent_);
    LogTest::TearDown();
  }
  std::vector<wavorel::RichEditRun> runs() { return wavorel::richEditRuns(rich_.GetSafeHwnd()); }

  HWND parent_ = nullptr;
  CRichEditCtrl rich_;
};

TEST_F(LogWindowTest, LinesAppendedInTheirLevelColours) {
  AddLogTextToEditCtrl(&rich_, "one\r\n", GXLOG_NORMAL);
  AddLogTextToEditCtrl(&rich_, "two\r\n", GXLOG_ERROR | GXLOG_OUT_SEND);
  AddLogTextToEditCtrl(&rich_, "three\r\n", 9);  // no level of its own
  AddLogTextToEditCtrl(&rich_, nullptr, GXLOG_NORMAL);
  AddLogTextToEditCtrl(nullptr, "none", GXLOG_NORMAL);
  CString text;
  rich_.GetWindowText(text);
  EXPECT_STREQ(text, "one\r\ntwo\r\nthree\r\n");
  const auto all = runs();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].color, 0x800000u);
  EXPECT_EQ(all[1].color, 0x0000FFu);
  EXPECT_EQ(all[2].color, 0x000000u);
  EXPECT_EQ(all[1].text, "two\r");
  long start = -1, end = -1;
  rich_.GetSel(start, end);
  EXPECT_EQ(start, rich_.GetTextLengthEx(GTL_NUMCHARS));
  EXPECT_EQ(end, start);
}

TEST_F(LogWindowTest, FullWindowClearedDownToTheNewLine) {
  const std::string line(100, 'v');
  for (int i = 0; i < 200; ++i) AddLogTextToEditCtrl(&rich_, (line + "\r\n").c_str(), GXLOG_VERBOSE);
  EXPECT_EQ(rich_.GetTextLength(), 200 * 102);  // below 20,480: still growing
  AddLogTextToEditCtrl(&rich_, (line + "\r\n").c_str(), GXLOG_VERBOSE);
  EXPECT_GE(rich_.GetTextLength(), 0x5000);
  AddLogTextToEditCtrl(&rich_, "fresh\r\n", GXLOG_WARNING);
  CString text;
  rich_.GetWindowText(text);
  EXPECT_STREQ(text, "fresh\r\n");
  ASSERT_EQ(runs().size(), 1u);
  EXPECT_EQ(runs()[0].color, 0x000080u);
}

TEST_F(LogWindowTest, QueuedLinesShownByTheHandler) {
  Set_RecvLogMsgHwnd(parent_);
  Log(GXLOG_DEBUG, "a");
  Log(GXLOG_VERBOSE, "b");
  EXPECT_EQ(OnWM_SHOWLOG(&rich_, 0, 0), 0);
  CString text;
  rich_.GetWindowText(text);
  EXPECT_STREQ(text, "[2008-03-14 09:05:01] <DEBUG> a\r\n[2008-03-14 09:05:01] <VERBOSE> b\r\n");
  const auto all = runs();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].color, 0x0000FFu);
  EXPECT_EQ(all[1].color, 0x404040u);
  OnWM_SHOWLOG(&rich_, 0, 0);  // the queue is empty now
  CString again;
  rich_.GetWindowText(again);
  EXPECT_STREQ(again, text);
}

}  // namespace
