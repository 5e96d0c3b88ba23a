// A request to stop work that runs on another thread, which the stopping thread never waits for.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

// The work looks at Requested() between its steps (a copy between its blocks) and gives up when it
// is set. The file the work is writing is named here while it is unfinished, so that Stop removes
// it at once, whatever the work is waiting for (a read from a slow disk, say); the work puts the
// file in place only through CommitUnlessStopped, so a file is either committed before the stop
// or removed by it, never both.
class StopRequest {
public:
    StopRequest() = default;
    StopRequest(const StopRequest&) = delete;
    StopRequest& operator=(const StopRequest&) = delete;

    bool Requested() const { return requested_.load(std::memory_order_relaxed); }

    // The stopping side: sets the request and removes the unfinished file named, if any. Waits only
    // while a commit is under way (a rename), never for the work itself.
    void Stop();

    // The working side: names the temporary file being written (empty: none). Named after the
    // stop, it is removed at once.
    void Unfinished(std::string path);
    // Runs commit (which puts the unfinished file in place and answers whether it did) unless a
    // stop was requested; false without running it then.
    bool CommitUnlessStopped(const std::function<bool()>& commit);
    // Whether a commit ran since the last call: the work's result stands even after a stop.
    bool TakeCommitted();
    bool Committed() const;

private:
    std::atomic<bool> requested_{false};
    mutable std::mutex mutex_;
    std::string unfinished_;
    bool committed_ = false;
};
