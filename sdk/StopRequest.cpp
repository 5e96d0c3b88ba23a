// A request to stop work that runs on another thread.
#include "StopRequest.h"

#include <utility>

#include <unistd.h>

void StopRequest::Stop() {
    const std::lock_guard<std::mutex> lock(mutex_);
    requested_.store(true, std::memory_order_relaxed);
    if (!unfinished_.empty())
        ::unlink(unfinished_.c_str());
    unfinished_.clear();
}

void StopRequest::Unfinished(std::string path) {
    const std::lock_guard<std::mutex> lock(mutex_);
    unfinished_ = std::move(path);
    if (Requested() && !unfinished_.empty()) {
        ::unlink(unfinished_.c_str());
        unfinished_.clear();
    }
}

bool StopRequest::CommitUnlessStopped(const std::function<bool()>& commit) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (Requested())
        return false;
    unfinished_.clear();
    committed_ = true;
    return commit();
}

bool StopRequest::TakeCommitted() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(committed_, false);
}

bool StopRequest::Committed() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return committed_;
}
