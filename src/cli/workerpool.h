#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace bearing::cli {

// A fixed crew of threads for rounds of work, started with the first round and kept for
// every round after, so that a batch does not pay for a thread a round, nor for any when
// it runs no round. A round runs while its caller goes on with other work (reading and
// writing a batch) until it waits for it. A thread the system refuses is done without;
// with none, the round runs in the caller.
class WorkerPool {
public:
    explicit WorkerPool(std::size_t count)
        : count_(count)
    {
    }
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;
    WorkerPool(WorkerPool&&) = delete;
    WorkerPool& operator=(WorkerPool&&) = delete;
    // Lets a round under way end, then stops the threads.
    ~WorkerPool();

    // The workers a round may have, numbered from 0.
    [[nodiscard]] std::size_t size() const { return count_; }

    // Starts a round: `work(worker)` once on every worker.
    void start(std::function<void(std::size_t)> work);
    // Returns when the round has ended; an exception thrown by one of its calls is thrown
    // again here.
    void wait();

private:
    void serve(std::size_t worker);

    std::size_t count_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::function<void(std::size_t)> work_;
    std::uint64_t round_ = 0;
    std::size_t busy_ = 0;
    bool stopping_ = false;
    std::exception_ptr failure_;         // the round's first
    std::vector<std::jthread> threads_;  // last: joined before the rest goes
};

}  // namespace bearing::cli
