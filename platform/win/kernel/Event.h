// An event object: signalled or not; an auto-reset event lets exactly one
// waiter through per signal, a manual-reset event stays signalled until reset.
#pragma once

#include <memory>

#include "platform/win/kernel/NamedObject.h"
#include "platform/win/kernel/Waitable.h"

namespace wavorel {

class Event : public Waitable {
 public:
  Event(bool manualReset, bool initialState, std::unique_ptr<NameClaim> name = nullptr)
      : manualReset_(manualReset), signalled_(initialState), name_(std::move(name)) {}

  bool signalled() const override { return signalled_; }
  void acquire() override {
    if (!manualReset_) signalled_ = false;
  }
  // Both take the kernel lock.
  void set();
  void reset();

 private:
  const bool manualReset_;
  bool signalled_;
  std::unique_ptr<NameClaim> name_;
};

}  // namespace wavorel
