// A thread of its own for work that would hold up the event loop (a movie's copy of a large file
// from a slow disk), which the event loop never waits for.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>

#include <QObject>

class QSocketNotifier;
class StopRequest;

// Jobs run one at a time, in the order they were posted; what each gives back (its answer) runs
// afterwards on the thread that posted it, from its event loop, in the same order: a few answers
// at a time while the worker has more to do, within a few hundredths of a second. Needs the
// application object.
class WorkerThread {
public:
    // Runs on the worker; gives back what runs on the event loop afterwards (or nothing). It looks
    // at the stop request between its steps and names its unfinished file to it. Never throws.
    using Job = std::function<std::function<void()>(StopRequest& stop)>;

    WorkerThread();
    // Stop(), without running any answer.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    void Post(Job job);
    // Jobs posted whose answers have not run yet.
    size_t Outstanding() const { return outstanding_; }

    // Ends the work at once: jobs not begun are dropped, the one under way is asked to stop and its
    // unfinished file is removed, without waiting for it (it ends on its own, and its answer never
    // runs). The answers of jobs that completed (a movie put in place before the stop) run here
    // first, in order. Nothing is run or posted afterwards.
    void Stop();

private:
    struct Shared;
    void RunAnswers();

    std::shared_ptr<Shared> shared_;
    QObject context_; // ends the answers' deliveries with this object
    QSocketNotifier* notifier_ = nullptr;
    std::deque<std::function<void()>> taken_; // answers taken from the worker, not yet run
    size_t outstanding_ = 0;
    bool started_ = false;
    bool threaded_ = false;
    bool stopped_ = false;
};
