// Something that happens to an emulated interface at a chosen time: it drops off the bus or comes
// back, the next transfers of one of its pipes fail, or its stream carries a broken frame.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vornik::emulation {

struct ScheduledEvent {
    enum class Action {
        Unplug,      // drops off the bus (handles opened before stay dead)
        PlugBack,    // comes back under a new device node
        FailPipe,    // the next `count` transfers of `pipe` fail
        BadMarker,   // the stream carries a frame whose marker is not 0xC3
        BadChannel,  // the stream carries a frame for a channel the interface does not have
    };
    // Milliseconds after the bus was created, on the bus's clock.
    std::int64_t atMs = 0;
    // The interface, by plug-in order.
    std::size_t interfaceIndex = 0;
    Action action = Action::Unplug;
    std::uint8_t pipe = 0x82;
    int count = 1;
};

}  // namespace vornik::emulation
