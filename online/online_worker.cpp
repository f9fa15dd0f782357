#include "online_worker.h"

#include "app/log.h"

#include <exception>

online_worker::online_worker(std::size_t most_waiting) : most_waiting(most_waiting), thread([this] { run(); })
{
}

online_worker::~online_worker()
{
    {
        std::lock_guard<std::mutex> hold(lock);
        stopping = true;
        jobs.clear();
    }
    wake.notify_all();
    thread.join();
}

bool online_worker::post(job work)
{
    {
        std::lock_guard<std::mutex> hold(lock);
        if (jobs.size() >= most_waiting)
            return false;
        jobs.push_back(std::move(work));
    }
    wake.notify_one();
    return true;
}

unsigned online_worker::deliver()
{
    std::vector<answer> ready;
    {
        std::lock_guard<std::mutex> hold(lock);
        ready.swap(answers);
    }
    for (answer& each : ready)
        if (each)
            each();
    return unsigned(ready.size());
}

bool online_worker::idle() const
{
    std::lock_guard<std::mutex> hold(lock);
    return jobs.empty() && !busy && answers.empty();
}

void online_worker::run()
{
    for (;;) {
        job work;
        {
            std::unique_lock<std::mutex> hold(lock);
            wake.wait(hold, [this] { return stopping || !jobs.empty(); });
            if (stopping)
                return;
            work = std::move(jobs.front());
            jobs.pop_front();
            busy = true;
        }
        answer done;
        try {
            done = work(stopping);
        } catch (const std::exception& e) {
            // The log is the main thread's.
            done = [why = std::string(e.what())] { log_line("An online request failed: " + why); };
        }
        std::lock_guard<std::mutex> hold(lock);
        answers.push_back(std::move(done));
        busy = false;
    }
}
