#pragma once

// Verifies runs on a bounded pool of worker processes (see verify_worker)
// with a bounded queue in front of it. Each worker gets one run at a time
// and has `job_limit` to answer; a worker that runs over, dies or answers
// nonsense is killed and started again, and its run is answered "failed".
// A full queue is answered at once, so a request never waits without end.
// Safe to call from any number of threads. The destructor stops every
// worker; callers must have returned by then.

#include "run_verdict.h"
#include "verify_job.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class verify_pool {
public:
    // Starts `workers` workers as `program --verify-worker`.
    verify_pool(std::string program, unsigned workers, std::size_t queue_limit, std::chrono::milliseconds job_limit);
    ~verify_pool();
    verify_pool(const verify_pool&) = delete;
    verify_pool& operator=(const verify_pool&) = delete;

    // The verdict on `job`, or nothing at once when the queue is full.
    std::optional<run_verdict> verify(verify_job job);
    unsigned get_workers() const { return unsigned(slots.size()); }
    // Runs waiting for a worker, and runs being played now.
    std::size_t waiting();
    std::size_t playing();

private:
    struct pending {
        verify_job job;
        std::promise<run_verdict> answer;
    };
    // One worker process and the thread that feeds it. The feeder alone
    // changes pid and fd, under the lock, so the destructor can cut a
    // worker off while its feeder waits for an answer.
    struct slot {
        int pid = -1;
        int fd = -1;
        // The worker's own temporary folder (its TMPDIR), removed once it has
        // gone, however it went.
        std::string scratch;
        std::thread feeder;
    };

    void feed(slot& s);
    bool start(slot& s);
    // Ends the worker: at once, or after letting it leave by itself.
    void stop(slot& s, bool at_once);
    run_verdict ask(slot& s, const verify_job& job);

    std::string program;
    std::string scratch_root;
    unsigned started = 0;
    std::size_t queue_limit;
    std::chrono::milliseconds job_limit;
    std::vector<std::unique_ptr<slot>> slots;
    std::mutex lock;
    std::condition_variable wake;
    std::deque<std::shared_ptr<pending>> queue;
    std::size_t busy = 0;
    bool stopping = false;
};
