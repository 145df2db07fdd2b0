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

// A fixed crew of workers for rounds of work: the calling thread and up to count − 1
// threads, started once and kept for every round, so that a batch does not pay for a
// thread a round. With a count of 1 no thread is started. A thread the system refuses is
// done without: the crew is as large as it could be made.
class WorkerPool {
public:
    explicit WorkerPool(std::size_t count);
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;
    WorkerPool(WorkerPool&&) = delete;
    WorkerPool& operator=(WorkerPool&&) = delete;
    ~WorkerPool();

    [[nodiscard]] std::size_t size() const { return threads_.size() + 1; }

    // Calls `work(worker)` once on every worker, the calling thread as worker 0, and
    // returns when every call has returned; an exception thrown by one of them is thrown
    // again here.
    void run(const std::function<void(std::size_t)>& work);

private:
    void serve(std::size_t worker);
    void perform(std::size_t worker) noexcept;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    const std::function<void(std::size_t)>* work_ = nullptr;
    std::uint64_t round_ = 0;
    std::size_t busy_ = 0;
    bool stopping_ = false;
    std::vector<std::exception_ptr> failures_;  // one a worker, for the round
    std::vector<std::jthread> threads_;         // last: joined before the rest goes
};

}  // namespace bearing::cli
