#include "platform/win/kernel/PlatformLog.h"

#include <cstdarg>
#include <cstdio>
#include <exception>
#include <mutex>

namespace wavorel {

namespace {

std::mutex g_mutex;  // one line at a time, and the handler
FaultHandler g_handler;

std::string format(const char* fmt, va_list args) {
  va_list again;
  va_copy(again, args);
  int n = std::vsnprintf(nullptr, 0, fmt, again);
  va_end(again);
  if (n <= 0) return std::string();
  std::string text(static_cast<size_t>(n) + 1, '\0');
  std::vsnprintf(&text[0], text.size(), fmt, args);
  text.resize(static_cast<size_t>(n));
  return text;
}

void writeLine(const std::string& text) {
  std::string line = "wavorel: " + text + "\n";
  std::lock_guard<std::mutex> lock(g_mutex);
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

void logNote(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::string text = format(fmt, args);
  va_end(args);
  writeLine(text);
}

void logFault(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::string text = format(fmt, args);
  va_end(args);
  writeLine(text);
  FaultHandler handler;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    handler = g_handler;
  }
  if (handler) handler(text);
}

FaultHandler setFaultHandler(FaultHandler handler) {
  std::lock_guard<std::mutex> lock(g_mutex);
  std::swap(g_handler, handler);
  return handler;
}

std::string currentExceptionText() {
  try {
    throw;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "an exception that is not a std::exception";
  }
}

}  // namespace wavorel
