#pragma once

// The thread the game's network requests run on, so that play never waits
// for the network. The main thread posts jobs; each job runs on the worker
// thread and hands back what the main thread is to do with its outcome,
// which deliver() carries out between frames. The queue of jobs is bounded
// (a full one refuses a job at once), and the destructor stops the thread:
// the running request gives up within a fraction of a second (see
// http_transport) and jobs not yet begun are dropped.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class online_worker {
public:
    // What the main thread does with a job's outcome.
    using answer = std::function<void()>;
    // Runs on the worker thread; `stopping` turns true when the game quits.
    using job = std::function<answer(const std::atomic<bool>& stopping)>;

    explicit online_worker(std::size_t most_waiting = 32);
    ~online_worker();
    online_worker(const online_worker&) = delete;
    online_worker& operator=(const online_worker&) = delete;

    // False when the queue is full: the job is not taken.
    bool post(job work);
    // Carries out the answers that have come back, on the calling thread;
    // returns how many.
    unsigned deliver();
    // No job waiting or running and no answer undelivered (tests).
    bool idle() const;

private:
    void run();

    const std::size_t most_waiting;
    mutable std::mutex lock;
    std::condition_variable wake;
    std::deque<job> jobs;
    std::vector<answer> answers;
    bool busy = false;
    std::atomic<bool> stopping{false};
    std::thread thread;
};
