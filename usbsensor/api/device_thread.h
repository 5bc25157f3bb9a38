// Watch thread: rescans for arrivals and removals every 100 ms while it is allowed to.
#pragma once
#include <QThread>
#include <atomic>
#include <memory>

#include "platform/platform.h"

namespace vornik {

class CVorApi;

class DeviceThread : public QThread {
  public:
    static constexpr unsigned long kScanIntervalMs = 100;

    // Sleeps through the backend current at construction, which it keeps alive.
    explicit DeviceThread(CVorApi* api);
    ~DeviceThread() override;

    CVorApi* api() const { return api_; }
    // Both are set before the thread starts (not in run), so a stop asked for right after a
    // start is never lost.
    std::atomic<bool> scanEnabled{false};
    std::atomic<bool> stopRequested{false};
    // The thread ended on an unexpected error (caught in run, never passed to Qt).
    bool failed() const { return failed_.load(); }

  protected:
    void run() override;

  private:
    void cycles();

    CVorApi* api_;
    std::shared_ptr<platform::Platform> os_;
    std::atomic<bool> failed_{false};
};

}  // namespace vornik
