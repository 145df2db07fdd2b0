#include "workerpool.h"

#include <system_error>

namespace bearing::cli {

WorkerPool::WorkerPool(std::size_t count)
{
    threads_.reserve(count > 0 ? count - 1 : 0);
    for (std::size_t worker = 1; worker < count; ++worker) {
        try {
            threads_.emplace_back([this, worker] { serve(worker); });
        } catch (const std::system_error&) {
            break;
        }
    }
    failures_.resize(size());
}

WorkerPool::~WorkerPool()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
}

void WorkerPool::run(const std::function<void(std::size_t)>& work)
{
    if (threads_.empty()) {
        work(0);
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        work_ = &work;
        busy_ = threads_.size();
        ++round_;
    }
    wake_.notify_all();
    perform(0);
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return busy_ == 0; });
    work_ = nullptr;
    std::exception_ptr first;
    for (std::exception_ptr& failure : failures_) {
        if (!first) {
            first = failure;
        }
        failure = nullptr;
    }
    if (first) {
        std::rethrow_exception(first);
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
        perform(worker);
        const std::lock_guard lock(mutex_);
        if (--busy_ == 0) {
            done_.notify_one();
        }
    }
}

void WorkerPool::perform(std::size_t worker) noexcept
{
    try {
        (*work_)(worker);
    } catch (...) {
        failures_[worker] = std::current_exception();
    }
}

}  // namespace bearing::cli
