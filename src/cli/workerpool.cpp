#include "workerpool.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace bearing::cli {

WorkerPool::~WorkerPool()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
}

void WorkerPool::start(std::function<void(std::size_t)> work)
{
    for (std::size_t worker = threads_.size(); count_ > 1 && worker < count_; ++worker) {
        try {
            threads_.emplace_back([this, worker] { serve(worker); });
        } catch (const std::system_error&) {
            count_ = std::max<std::size_t>(threads_.size(), 1);
        }
    }
    if (threads_.empty()) {
        try {
            work(0);
        } catch (...) {
            failure_ = std::current_exception();
        }
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        work_ = std::move(work);
        busy_ = threads_.size();
        ++round_;
    }
    wake_.notify_all();
}

void WorkerPool::wait()
{
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return busy_ == 0; });
    if (failure_) {
        std::rethrow_exception(std::exchange(failure_, nullptr));
    }
}

void WorkerPool::serve(std::size_t worker)
{
    std::uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this, seen] { return stopping_ || round_ != seen; });
            if (stopping_) {
                return;
            }
            seen = round_;
        }
        std::exception_ptr failure;
        try {
            work_(worker);
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard lock(mutex_);
        if (failure && !failure_) {
            failure_ = failure;
        }
        if (--busy_ == 0) {
            done_.notify_one();
        }
    }
}

}  // namespace bearing::cli
