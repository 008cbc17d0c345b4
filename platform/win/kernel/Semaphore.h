// A semaphore object: signalled while its count is above zero; every
// satisfied wait takes one from the count.
#pragma once

#include <memory>

#include "platform/win/kernel/NamedObject.h"
#include "platform/win/kernel/Types.h"
#include "platform/win/kernel/Waitable.h"

namespace wavorel {

class Semaphore : public Waitable {
 public:
  Semaphore(LONG initialCount, LONG maximumCount, std::unique_ptr<NameClaim> name = nullptr)
      : count_(initialCount), maximum_(maximumCount), name_(std::move(name)) {}

  bool signalled() const override { return count_ > 0; }
  void acquire() override { --count_; }
  // Adds `count` (takes the kernel lock). Fails, leaving the count alone, when
  // that would pass the maximum; `previous` gets the count before.
  bool release(LONG count, LONG& previous);

 private:
  LONG count_;
  const LONG maximum_;
  std::unique_ptr<NameClaim> name_;
};

}  // namespace wavorel
