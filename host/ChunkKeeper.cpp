#include "ChunkKeeper.h"

const char* ChunkKeeper::keep (std::vector<char> chunk, std::uint32_t nowMilliseconds)
{
    std::vector<char> previous;

    const std::lock_guard<std::mutex> guard (lock);
    previous.swap (held);
    held = std::move (chunk);
    keptAt = nowMilliseconds;
    holding = true;
    return held.data();
}

bool ChunkKeeper::releaseIfExpired (std::uint32_t nowMilliseconds)
{
    std::vector<char> expired;

    const std::lock_guard<std::mutex> guard (lock);

    if (holding && nowMilliseconds - keptAt >= keepMilliseconds)
    {
        expired.swap (held);
        holding = false;
    }

    return holding;
}

bool ChunkKeeper::isHolding() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return holding;
}
