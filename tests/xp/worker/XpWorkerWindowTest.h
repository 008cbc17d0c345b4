// Fixture of Wavorel's station worker window on the simulated machine: the
// XP worker fixture, the stand-in front end, the program INI listing the
// machine's adapter (a family-8 board) and the OpenFile advance setting on;
// a test starts the worker, the fixture destroys it and frees its queue and
// current profile.
#pragma once

#include "platform/win/user/ModalLoop.h"
#include "tests/support/FrontEndRecorder.h"
#include "tests/xp/worker/XpWorkerTest.h"
#include "worker/ActionQueue.h"
#include "worker/HideDlg.h"

namespace xpworker::testing {

class XpWorkerWindowTest : public XpWorkerTest, protected wavorel::testing::FrontEndRecorder {
 protected:
  void SetUp() override {
    XpWorkerTest::SetUp();
    g_bProfileApplied = 0;
    openFrontEnd();
    setAdvance("OpenFile", "1");
    WritePrivateProfileString("VX31", "DeviceID_1", "USB\\VID_148F&PID_3070",
                              "C:\\Program Files\\Wavorel\\Wavorel.ini");
  }
  void TearDown() override {
    wavorel::setModalResponder(nullptr);
    DestroyHideDlg();
    pumpAll();
    closeFrontEnd();
    GetActionQueue().clear();
    FreeCurrentProfile();
    XpWorkerTest::TearDown();
  }

  void startWorker() {
    ASSERT_TRUE(CreateHideDlg());
    ASSERT_NE(g_pHideDlg, nullptr);
    pumpAll();
  }
};

}  // namespace xpworker::testing
