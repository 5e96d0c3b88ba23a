// A thread of its own for work that would hold up the event loop.
#include "run/WorkerThread.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include <sys/eventfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>

#include "StopRequest.h"

namespace {

using Clock = std::chrono::steady_clock;

// Answers are handed to the event loop a few at a time while the worker has more work queued, so
// that a batch of short jobs does not wake the loop once for each; never later than this after
// the first of them was ready, nor when the worker runs out of work.
constexpr size_t kAnswersPerWake = 16;
constexpr auto kLongestWait = std::chrono::milliseconds(20);

} // namespace

// What the event loop and the worker share; the worker keeps it alive as long as it runs, also
// after the WorkerThread is gone (a job stopped while it waits for a slow disk ends on its own).
struct WorkerThread::Shared {
    ~Shared() {
        if (wakeLoop >= 0)
            ::close(wakeLoop);
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Job> jobs;
    std::deque<std::function<void()>> answers;
    Clock::time_point firstAnswerReady;
    bool loopWoken = false; // the counter tells of the answers waiting
    bool ending = false;
    bool working = false; // a job runs, or its answer is not yet queued
    StopRequest stop;
    int wakeLoop = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK); // readable while answers wait

    // Lock held: wakes the loop for the answers waiting, when it is time.
    void WakeLoopIfDue() {
        if (loopWoken || answers.empty())
            return;
        if (answers.size() < kAnswersPerWake && !jobs.empty() &&
            Clock::now() - firstAnswerReady < kLongestWait)
            return;
        loopWoken = true;
        const uint64_t one = 1;
        if (::write(wakeLoop, &one, sizeof one) != sizeof one) {
            // A counter already full wakes the loop all the same.
        }
    }

    // Takes the next job, or false once the work ends.
    bool Next(Job& job) {
        std::unique_lock<std::mutex> lock(mutex);
        WakeLoopIfDue();
        changed.wait(lock, [this] { return ending || !jobs.empty(); });
        if (ending)
            return false;
        job = std::move(jobs.front());
        jobs.pop_front();
        working = true;
        return true;
    }

    // Runs the job and queues its answer for the event loop.
    void Run(Job& job) {
        std::function<void()> answer = job(stop);
        job = nullptr;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            // A job the stop cut short gives nothing; one that put its movie in place first does.
            const bool committed = stop.TakeCommitted();
            if (answer && (!stop.Requested() || committed)) {
                if (answers.empty())
                    firstAnswerReady = Clock::now();
                answers.push_back(std::exchange(answer, nullptr));
                WakeLoopIfDue();
            }
            working = false;
        }
        changed.notify_all();
    }
};

WorkerThread::WorkerThread() : shared_(std::make_shared<Shared>()) {
    if (shared_->wakeLoop >= 0) {
        notifier_ = new QSocketNotifier(shared_->wakeLoop, QSocketNotifier::Read, &context_);
        QObject::connect(notifier_, &QSocketNotifier::activated, notifier_, [this] { RunAnswers(); });
    }
}

WorkerThread::~WorkerThread() {
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->ending = true;
        shared_->stop.Stop();
        shared_->jobs.clear();
        shared_->answers.clear();
    }
    shared_->changed.notify_all();
}

void WorkerThread::Post(Job job) {
    if (stopped_)
        return;
    if (!started_ && notifier_) {
        started_ = true;
        // Never joined: a stop does not wait for a job that waits for a disk, nor does the end of
        // the program. The thread ends once it sees the end, keeping what it shares alive till then.
        try {
            std::thread([shared = shared_] {
                for (Job next; shared->Next(next);)
                    shared->Run(next);
            }).detach();
            threaded_ = true;
        } catch (const std::system_error&) {
            // No thread to be had (a limit on processes): the jobs run here, one per post.
        }
    }
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->jobs.push_back(std::move(job));
    }
    ++outstanding_;
    shared_->changed.notify_all();
    if (threaded_ || !shared_->Next(job))
        return;
    shared_->Run(job);
    // Without the counter to wake the loop, the answer is run from the loop all the same.
    if (!notifier_)
        QTimer::singleShot(0, &context_, [this] { RunAnswers(); });
}

// Runs the answers waiting, in order. An answer may stop the work: Stop then runs the rest.
void WorkerThread::RunAnswers() {
    uint64_t count = 0;
    if (shared_->wakeLoop >= 0 && ::read(shared_->wakeLoop, &count, sizeof count) < 0) {
        // Nothing to read: the wake-up was taken with answers already run.
    }
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->loopWoken = false;
        while (!shared_->answers.empty()) {
            taken_.push_back(std::move(shared_->answers.front()));
            shared_->answers.pop_front();
        }
    }
    while (!taken_.empty()) {
        std::function<void()> answer = std::move(taken_.front());
        taken_.pop_front();
        --outstanding_;
        answer();
    }
}

void WorkerThread::Stop() {
    if (std::exchange(stopped_, true))
        return;
    std::deque<Job> dropped;
    {
        std::unique_lock<std::mutex> lock(shared_->mutex);
        shared_->ending = true;
        dropped.swap(shared_->jobs);
        shared_->stop.Stop();
        // A job that put its movie in place before the stop still gives its answer: wait for it,
        // which takes no reading or copying any more.
        shared_->changed.wait(lock, [this] { return !shared_->working || !shared_->stop.Committed(); });
    }
    shared_->changed.notify_all();
    if (notifier_)
        notifier_->setEnabled(false);
    RunAnswers();
    outstanding_ = 0;
}
