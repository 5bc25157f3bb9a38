// Choice of the platform backend.
#include "platform/platform.h"

#include <cstdlib>
#include <mutex>
#include <utility>

#include "emulation/emulated_platform.h"
#include "platform/diagnostics.h"

namespace vornik::platform {

#ifdef _WIN32
std::shared_ptr<Platform> makeWindowsPlatform();  // windows_platform.cpp
#endif

namespace {

std::mutex& backendMutex() {
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<Platform>& installed() {
    static std::shared_ptr<Platform> backend;
    return backend;
}

std::shared_ptr<Platform> makeDefault() {
    const char* description = std::getenv("VORNIK_EMULATION");
    if (description != nullptr && *description != '\0') {
        try {
            return emulation::EmulatedPlatform::fromDescriptionFile(description);
        } catch (const std::exception& error) {
            // An unreadable description leaves an empty bus: no interface is ever found.
            diagnostics::warn("VORNIK_EMULATION: %s", error.what());
            return std::make_shared<emulation::EmulatedPlatform>();
        }
    }
#ifdef _WIN32
    return makeWindowsPlatform();
#else
    return std::make_shared<emulation::EmulatedPlatform>();
#endif
}

}  // namespace

std::shared_ptr<Platform> currentShared() {
    std::lock_guard lock(backendMutex());
    auto& backend = installed();
    if (!backend) backend = makeDefault();
    return backend;
}

void install(std::shared_ptr<Platform> backend) {
    std::lock_guard lock(backendMutex());
    installed() = std::move(backend);
}

ScopedPlatform::ScopedPlatform(std::shared_ptr<Platform> backend) {
    std::lock_guard lock(backendMutex());
    previous_ = std::exchange(installed(), std::move(backend));
}

ScopedPlatform::~ScopedPlatform() {
    install(std::move(previous_));
}

}  // namespace vornik::platform
