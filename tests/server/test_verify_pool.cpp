// The verification pool never lets a request wait without end: a full
// queue answers at once, a worker that hangs or dies is replaced, and the
// pool stops promptly with runs still in it.

#include "verify_pool.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

namespace fs = std::filesystem;

namespace {

// A stand-in worker that takes jobs and never answers, or answers nothing
// and leaves.
fs::path worker_script(const std::string& name, const std::string& body)
{
    const fs::path path = fs::temp_directory_path() / ("quillax_worker_" + std::to_string(::getpid()) + "_" + name);
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

// Waits, up to a generous limit, until `done` holds.
template <typename Check>
bool eventually(Check done)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}

TEST(verify_pool, a_full_queue_answers_busy_at_once_and_stopping_answers_the_rest)
{
    const fs::path hanging = worker_script("hanging", "exec sleep 600");
    std::future<std::optional<run_verdict>> first, second, third;
    {
        verify_pool pool(hanging.string(), 1, 1, std::chrono::minutes(5));
        first = std::async(std::launch::async, [&] { return pool.verify(verify_job{"a.map", "", ""}); });
        ASSERT_TRUE(eventually([&] { return pool.playing() == 1; }));
        second = std::async(std::launch::async, [&] { return pool.verify(verify_job{"a.map", "", ""}); });
        ASSERT_TRUE(eventually([&] { return pool.waiting() == 1; }));
        third = std::async(std::launch::async, [&] { return pool.verify(verify_job{"a.map", "", ""}); });
        ASSERT_EQ(third.wait_for(std::chrono::seconds(30)), std::future_status::ready) << "a full queue waits";
        EXPECT_FALSE(third.get().has_value());
    }
    EXPECT_EQ(first.get()->reason, "failed");
    EXPECT_EQ(second.get()->reason, "failed");
    fs::remove(hanging);
}

TEST(verify_pool, a_worker_that_runs_over_its_time_is_replaced)
{
    const fs::path hanging = worker_script("slow", "exec sleep 600");
    verify_pool pool(hanging.string(), 1, 4, std::chrono::milliseconds(200));
    for (int i = 0; i < 2; ++i) {
        const std::optional<run_verdict> verdict = pool.verify(verify_job{"a.map", "", ""});
        ASSERT_TRUE(verdict.has_value());
        EXPECT_EQ(verdict->reason, "failed");
        EXPECT_NE(verdict->message.find("within"), std::string::npos) << verdict->message;
    }
    fs::remove(hanging);
}

TEST(verify_pool, a_worker_that_dies_fails_its_run_and_the_next_run_gets_a_new_one)
{
    const fs::path dying = worker_script("dying", "exit 3");
    verify_pool pool(dying.string(), 1, 4, std::chrono::seconds(30));
    for (int i = 0; i < 2; ++i) {
        const std::optional<run_verdict> verdict = pool.verify(verify_job{"a.map", "", ""});
        ASSERT_TRUE(verdict.has_value());
        EXPECT_EQ(verdict->reason, "failed");
    }
    fs::remove(dying);
}
