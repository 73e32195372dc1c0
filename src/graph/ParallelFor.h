#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace ovgGraph {

// Runs work(i) for every i below count on the calling thread and up to one helper thread per
// further core, and returns when all are done. Plain threads joined at the end, so that every
// write of a job happens before the return (and thread checkers can see it).
template <class Work>
void ParallelFor(size_t count, Work work)
{
    std::atomic<size_t> next{0};
    const auto drain = [&] {
        for (size_t i = next++; i < count; i = next++) work(i);
    };
    const size_t cores = std::max<size_t>(1, std::thread::hardware_concurrency());
    std::vector<std::thread> helpers;
    for (size_t k = 1; k < std::min(cores, count); ++k) helpers.emplace_back(drain);
    drain();
    for (std::thread& helper : helpers) helper.join();
}

}  // namespace ovgGraph
