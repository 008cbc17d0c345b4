// Runs the resource compiler on small scripts written to a temporary folder.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/testing/PlatformTest.h"

namespace wavorel {
namespace {

class RcCompiler : public testing::PlatformTest {
 protected:
  std::string path(const std::string& name) const { return root() + "/" + name; }
  void write(const std::string& name, const std::string& text) const {
    std::ofstream(path(name), std::ios::binary) << text;
  }
  static std::string read(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Runs wavrc on `script`; returns its exit code and fills its messages.
  int run(const std::string& script, std::string& messages) const {
    std::string command = std::string(WAVRC_PATH) + " --depfile '" + path("out.d") + "' -o '" + path("out.cpp") +
                          "' '" + path(script) + "' 2> '" + path("messages.txt") + "'";
    int status = std::system(command.c_str());
    messages = read(path("messages.txt"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

TEST_F(RcCompiler, MalformedScriptsStopWithFileLineAndMessage) {
  struct Case {
    const char* script;
    int line;
    const char* message;
  } cases[] = {
      {"1 VERSIONINFO\nBEGIN\nEND\nFROB 1\n", 4, "unknown statement or undefined name 'FROB'"},
      {"1 DIALOGEX 0, 0, 10, 10\nSTYLE WS_POPUP |\n  WS_FOO\nBEGIN\nEND\n", 3, "unknown constant 'WS_FOO'"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 5, 5, SS_NOPE\nEND\n", 3, "unknown constant 'SS_NOPE'"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  PUSHBUTTON \"a\", 1, 0, 0, 5, 5\n", 3, "dialog without END"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  SLIDER 1, 0, 0, 5, 5\nEND\n", 3, "unknown control statement 'SLIDER'"},
      {"1 DIALOG 0, 0, 10, 10\nSIZE 3\nBEGIN\nEND\n", 2, "unknown dialog statement"},
      {"1 MENU\nBEGIN\n  POPUP \"a\"\n  BEGIN\n  END\nEND\n", 3, "empty POPUP"},
      {"1 MENU\nBEGIN\n  MENUITEM \"a\", 1, BOLD\nEND\n", 3, "unknown menu item option"},
      {"1 MENU\nBEGIN\n  MENUITEM \"a\", 1\n", 3, "menu without END"},
      {"STRINGTABLE\nBEGIN\n  1 \"a\"\n  1 \"b\"\nEND\n", 4, "duplicate string id 1"},
      {"STRINGTABLE\nBEGIN\n  1 \"a\n", 3, "unterminated string"},
      {"STRINGTABLE\nBEGIN\n  1 \"a\"\n}\n}\n", 5, "unexpected '}' outside any resource"},
      {"\n\n5 BITMAP \"missing.bmp\"\n", 3, "cannot find file 'missing.bmp'"},
      {"5 BITMAP \"text.bmp\"\n", 1, "'text.bmp' is not a valid bitmap file"},
      {"5 ICON \"text.bmp\"\n", 1, "'text.bmp' is not a valid icon file"},
      {"#include \"absent.h\"\n", 1, "cannot find include file 'absent.h'"},
      {"#ifdef X\n1 RCDATA { 1 }\n", 2, "#if without #endif"},
      {"#endif\n", 1, "#endif without #if"},
      {"#define F(x) x\n", 1, "function-like macros are not supported"},
      {"1 RCDATA { 1 }\n1 RCDATA { 2 }\n", 2, "duplicate resource 1 of this type and language"},
      {"1 DLGINIT\nBEGIN\n  5, 0x403, 9, 0, \"abc\\0\", 0\nEND\n", 1, "DLGINIT entry length runs past the data"},
      {"1 DIALOG 0, 0, 10, 10 / 0\nBEGIN\nEND\n", 1, "division by zero"},
      {"1 WIDGET 3\n", 1, "unknown resource type 'WIDGET'"},
      {"1 MENUEX\nBEGIN\nEND\n", 1, "MENUEX resources are not supported"},
      {"1 TOOLBAR 16, 15\nBEGIN\n  ICON 5\nEND\n", 3, "expected BUTTON, SEPARATOR or END in TOOLBAR"},
      {"/* open\n\n", 1, "unterminated comment"},
  };
  write("text.bmp", "not a picture at all, long enough to have a header of some sort");
  for (const Case& c : cases) {
    write("bad.rc", c.script);
    std::filesystem::remove(path("out.cpp"));
    std::string messages;
    EXPECT_EQ(run("bad.rc", messages), 1) << c.script;
    std::string where = path("bad.rc") + ":" + std::to_string(c.line) + ": ";
    EXPECT_EQ(messages.rfind(where, 0), 0u) << "expected at " << where << "\n" << messages;
    EXPECT_NE(messages.find(c.message), std::string::npos) << messages;
    EXPECT_FALSE(std::filesystem::exists(path("out.cpp"))) << "no output from a failed run";
  }
}

TEST_F(RcCompiler, FaultInAHeaderNamesTheHeader) {
  write("ids.h", "#define IDD_A 1\n#frobnicate\n");
  write("main.rc", "#include \"ids.h\"\nIDD_A RCDATA { 1 }\n");
  std::string messages;
  EXPECT_EQ(run("main.rc", messages), 1);
  EXPECT_EQ(messages.rfind(path("ids.h") + ":2: unknown directive '#frobnicate'", 0), 0u) << messages;
}

TEST_F(RcCompiler, DepfileListsEverythingTheScriptRead) {
  std::filesystem::create_directory(path("inc"));
  write("inc/ids.h", "#define IDB_A 7\n");
  std::ifstream bmp(std::string(RESOURCE_DATA_DIR) + "/logo.bmp", std::ios::binary);
  std::ofstream(path("inc/a.bmp"), std::ios::binary) << bmp.rdbuf();
  write("main.rc", "#include \"inc/ids.h\"\nIDB_A BITMAP \"inc/a.bmp\"\n");
  std::string messages;
  ASSERT_EQ(run("main.rc", messages), 0) << messages;
  std::string dep = read(path("out.d"));
  EXPECT_EQ(dep.rfind(path("out.cpp") + ":", 0), 0u) << dep;
  for (const char* f : {"main.rc", "inc/ids.h", "inc/a.bmp"}) {
    EXPECT_NE(dep.find(path(f)), std::string::npos) << f << " missing from\n" << dep;
  }
  std::string cpp = read(path("out.cpp"));
  EXPECT_NE(cpp.find("registerResourceModule(wavorel::programInstance()"), std::string::npos);
}

}  // namespace
}  // namespace wavorel
