// Windows-style event and mutex for the emulated backend.
#include "emulation/sync_object.h"

#include <chrono>

namespace vornik::emulation {

std::shared_ptr<SyncObject> SyncObject::event(bool manualReset, bool initiallySet) {
    auto object = std::make_shared<SyncObject>(Kind::Event);
    object->manualReset_ = manualReset;
    object->signaled_ = initiallySet;
    return object;
}

std::shared_ptr<SyncObject> SyncObject::mutex(bool initiallyOwned) {
    auto object = std::make_shared<SyncObject>(Kind::Mutex);
    if (initiallyOwned) {
        object->owner_ = std::this_thread::get_id();
        object->depth_ = 1;
    }
    return object;
}

bool SyncObject::availableLocked() const {
    if (kind_ == Kind::Event) return signaled_;
    return depth_ == 0 || owner_ == std::this_thread::get_id();
}

platform::WaitResult SyncObject::wait(std::uint32_t timeoutMs) {
    std::unique_lock lock(mutex_);
    const auto ready = [this] { return availableLocked(); };
    if (timeoutMs == platform::kInfinite) {
        cv_.wait(lock, ready);
    } else if (!cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
        return platform::WaitResult::Timeout;
    }
    if (kind_ == Kind::Event) {
        if (!manualReset_) signaled_ = false;
    } else {
        owner_ = std::this_thread::get_id();
        ++depth_;
    }
    return platform::WaitResult::Signaled;
}

bool SyncObject::set() {
    std::lock_guard lock(mutex_);
    if (kind_ != Kind::Event) return false;
    signaled_ = true;
    cv_.notify_all();
    return true;
}

bool SyncObject::reset() {
    std::lock_guard lock(mutex_);
    if (kind_ != Kind::Event) return false;
    signaled_ = false;
    return true;
}

bool SyncObject::release() {
    std::lock_guard lock(mutex_);
    // Only the owner may release, as with ReleaseMutex.
    if (kind_ != Kind::Mutex || depth_ == 0 || owner_ != std::this_thread::get_id()) return false;
    if (--depth_ == 0) {
        owner_ = {};
        cv_.notify_all();
    }
    return true;
}

}  // namespace vornik::emulation
