// Two threads making, one using in order.
#include "maptool/ordered_work.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {
class OrderedWork {
public:
    OrderedWork(size_t count, size_t ahead, const std::function<bool(size_t)>& make)
        : count_(count), ahead_(ahead), made_(count, false), make_(make) {}

    // The second thread: makes whatever may be made until nothing is left.
    void helper() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!stop_ && taken_ < count_) {
            if (!makeNext(lock)) changed_.wait(lock);
        }
    }

    // Waits for item i, making others meanwhile; false when the work has stopped.
    bool await(size_t i) {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!made_[i] && !stop_) {
            if (!makeNext(lock)) changed_.wait(lock);
        }
        return !stop_;
    }

    void used(size_t i) {
        std::lock_guard<std::mutex> lock(mutex_);
        used_ = i + 1;
        changed_.notify_all();
    }

    void stop() {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
        changed_.notify_all();
    }

    void rethrowFailure() {
        if (failure_) std::rethrow_exception(failure_);
    }

private:
    // Makes the next item when one may be made, with the lock let go meanwhile.
    bool makeNext(std::unique_lock<std::mutex>& lock) {
        if (stop_ || taken_ >= count_ || taken_ > used_ + ahead_) return false;
        const size_t i = taken_++;
        lock.unlock();
        bool ok = false;
        std::exception_ptr failure;
        try {
            ok = make_(i);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        if (failure && !failure_) failure_ = failure;
        made_[i] = ok;
        if (!ok) stop_ = true;
        changed_.notify_all();
        return true;
    }

    const size_t count_;
    const size_t ahead_;
    std::vector<bool> made_;
    const std::function<bool(size_t)>& make_;
    std::mutex mutex_;
    std::condition_variable changed_;
    size_t taken_ = 0;
    size_t used_ = 0;
    bool stop_ = false;
    std::exception_ptr failure_;
};
}  // namespace

bool makeAndUseInOrder(size_t count, size_t ahead, const std::function<bool(size_t)>& make,
                       const std::function<bool(size_t)>& use) {
    if (count == 0) return true;
    if (count == 1) return make(0) && use(0);
    OrderedWork work(count, ahead, make);
    std::thread helper([&] { work.helper(); });
    bool ok = true;
    std::exception_ptr failure;
    try {
        for (size_t i = 0; ok && i < count; ++i) {
            ok = work.await(i) && use(i);
            if (ok) work.used(i);
        }
    } catch (...) {
        failure = std::current_exception();
        ok = false;
    }
    work.stop();
    helper.join();
    if (failure) std::rethrow_exception(failure);
    work.rethrowFailure();
    return ok;
}
