// Process-wide numbering of emulated handles, so that a handle alone (as the WinUSB entry
// points receive it) tells which emulated platform owns it.
#pragma once

#include <cstdint>

namespace vornik::emulation {

class EmulatedPlatform;

namespace handle_registry {
// A fresh handle value owned by `owner`; never 0 or -1, never reused.
std::intptr_t allocate(EmulatedPlatform* owner);
void release(std::intptr_t handle);
// The owner of a live handle, or null.
EmulatedPlatform* owner(std::intptr_t handle);
// Forgets every handle of `owner` (it is being destroyed).
void releaseAll(EmulatedPlatform* owner);
}  // namespace handle_registry

}  // namespace vornik::emulation
