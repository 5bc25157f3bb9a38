// Watch thread: rescans for arrivals and removals every 100 ms while it is allowed to.
#pragma once
#include <QThread>
#include <atomic>

namespace vornik {

class CVorApi;

class DeviceThread : public QThread {
  public:
    static constexpr unsigned long kScanIntervalMs = 100;

    explicit DeviceThread(CVorApi* api) : api_(api) {}
    ~DeviceThread() override;

    CVorApi* api() const { return api_; }
    // Both are set before the thread starts (not in run), so a stop asked for right after a
    // start is never lost.
    std::atomic<bool> scanEnabled{false};
    std::atomic<bool> stopRequested{false};

  protected:
    void run() override;

  private:
    CVorApi* api_;
};

}  // namespace vornik
