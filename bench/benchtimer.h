#pragma once

#include <chrono>

// Wall-clock milliseconds since construction.
class BenchTimer
{
public:
    double elapsedMs() const
    {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};
