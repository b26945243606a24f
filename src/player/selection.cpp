// Least-played selection: a circular search for the lowest play count that
// starts at a place taken from the tick count, so every saver is shown once
// before any is repeated, in an order that differs from run to run.
#include <climits>

#include "platform/process.h"
#include "player/launcher.h"

std::int32_t SelectLeastPlayed(SaverList& list) {
    if (list.count <= 0) return -1;
    const std::uint32_t count = static_cast<std::uint32_t>(list.count);
    SaverEntry* entries = Entries(list);

    // The start moves every 128 ms of uptime.
    std::uint32_t position = plat::GetTickCount() >> 7;
    std::int32_t best = INT32_MAX;
    std::uint32_t chosen = (position + 1) % count;
    for (std::uint32_t visited = 0; visited < count; ++visited) {
        position = (position + 1) % count;
        // Strictly less: the first of several equal counts met keeps its place.
        if (entries[position].playCount < best) {
            chosen = position;
            best = entries[position].playCount;
        }
    }

    // The count wraps like a 32-bit register; once it has gone negative the
    // ordering means nothing, so every count starts again from 0.
    std::int32_t raised =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(entries[chosen].playCount) + 1u);
    entries[chosen].playCount = raised;
    if (raised < 0)
        for (std::uint32_t i = 0; i < count; ++i) entries[i].playCount = 0;
    return static_cast<std::int32_t>(chosen);
}
