// Windows-style event and mutex for the emulated backend: a manual- or auto-reset event, and a
// recursive mutex owned by the thread that acquired it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/platform.h"

namespace vornik::emulation {

class SyncObject {
  public:
    static std::shared_ptr<SyncObject> event(bool manualReset, bool initiallySet);
    static std::shared_ptr<SyncObject> mutex(bool initiallyOwned);

    platform::WaitResult wait(std::uint32_t timeoutMs);
    bool set();
    bool reset();
    bool release();
    bool isEvent() const { return kind_ == Kind::Event; }

  private:
    enum class Kind { Event, Mutex };

  public:
    explicit SyncObject(Kind kind) : kind_(kind) {}

  private:
    bool availableLocked() const;

    Kind kind_;
    bool manualReset_ = true;
    bool signaled_ = false;
    std::thread::id owner_{};
    int depth_ = 0;
    std::mutex mutex_;
    std::condition_variable cv_;
};

}  // namespace vornik::emulation
