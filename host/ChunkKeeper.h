#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

/** Holds the state chunk last handed to the host. The host only borrows the memory: it stays
    valid until the next chunk request or until it has been held for keepMilliseconds, after
    which the owner's timer releases it. Times are millisecond counter values; wrap-around is
    harmless. The host's thread keeps chunks while a timer thread releases them. */
class ChunkKeeper
{
public:
    static constexpr std::uint32_t keepMilliseconds = 2000;

    /** Takes over a new chunk, releasing the previous one; returns where the host reads it. */
    const char* keep (std::vector<char> chunk, std::uint32_t nowMilliseconds);

    /** Releases the chunk once it has been held long enough; true while one is still held. */
    bool releaseIfExpired (std::uint32_t nowMilliseconds);

    bool isHolding() const;

private:
    mutable std::mutex lock;
    std::vector<char> held;
    std::uint32_t keptAt = 0;
    bool holding = false;
};
