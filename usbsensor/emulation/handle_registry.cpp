// Process-wide numbering of emulated handles.
#include "emulation/handle_registry.h"

#include <map>
#include <mutex>

namespace vornik::emulation::handle_registry {

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::intptr_t, EmulatedPlatform*> owners;
    std::intptr_t next = 0x1000;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

}  // namespace

std::intptr_t allocate(EmulatedPlatform* owner) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    const std::intptr_t handle = r.next;
    r.next += 4;  // handle values are multiples of 4, as on Windows
    r.owners[handle] = owner;
    return handle;
}

void release(std::intptr_t handle) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    r.owners.erase(handle);
}

EmulatedPlatform* owner(std::intptr_t handle) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    const auto it = r.owners.find(handle);
    return it == r.owners.end() ? nullptr : it->second;
}

void releaseAll(EmulatedPlatform* owner) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    std::erase_if(r.owners, [owner](const auto& entry) { return entry.second == owner; });
}

}  // namespace vornik::emulation::handle_registry
