#include "verify_pool.h"

#include "verify_protocol.h"
#include "wire_message.h"

#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

extern char** environ;

namespace {

run_verdict failed(const std::string& message)
{
    run_verdict verdict;
    verdict.reason = "failed";
    verdict.message = message;
    return verdict;
}

}

verify_pool::verify_pool(std::string program, unsigned workers, std::size_t queue_limit,
                         std::chrono::milliseconds job_limit)
    : program(std::move(program)), queue_limit(queue_limit), job_limit(job_limit)
{
    std::string root = (std::filesystem::temp_directory_path() / "quillax-server-XXXXXX").string();
    if (!::mkdtemp(root.data()))
        throw std::runtime_error("Cannot make a temporary folder for the verification workers in " +
                                 std::filesystem::temp_directory_path().string() + ": " + std::strerror(errno));
    scratch_root = root;
    for (unsigned i = 0; i < std::max(workers, 1u); ++i)
        slots.push_back(std::make_unique<slot>());
    for (auto& s : slots) {
        start(*s);
        s->feeder = std::thread([this, raw = s.get()] { feed(*raw); });
    }
}

verify_pool::~verify_pool()
{
    {
        std::lock_guard<std::mutex> hold(lock);
        stopping = true;
        for (const auto& p : queue)
            p->answer.set_value(failed("The server is stopping."));
        queue.clear();
        // A feeder waiting for an answer hears the end at once.
        for (auto& s : slots)
            if (s->fd >= 0)
                ::shutdown(s->fd, SHUT_RDWR);
    }
    wake.notify_all();
    for (auto& s : slots) {
        s->feeder.join();
        stop(*s, false);
    }
    std::error_code ignored;
    std::filesystem::remove_all(scratch_root, ignored);
}

std::optional<run_verdict> verify_pool::verify(verify_job job)
{
    auto p = std::make_shared<pending>();
    p->job = std::move(job);
    std::future<run_verdict> answer = p->answer.get_future();
    {
        std::lock_guard<std::mutex> hold(lock);
        if (stopping)
            return failed("The server is stopping.");
        if (queue.size() >= queue_limit)
            return std::nullopt;
        queue.push_back(std::move(p));
    }
    wake.notify_one();
    return answer.get();
}

void verify_pool::feed(slot& s)
{
    for (;;) {
        std::shared_ptr<pending> p;
        {
            std::unique_lock<std::mutex> hold(lock);
            wake.wait(hold, [this] { return stopping || !queue.empty(); });
            if (stopping)
                return;
            p = std::move(queue.front());
            queue.pop_front();
            ++busy;
        }
        run_verdict verdict = ask(s, p->job);
        {
            std::lock_guard<std::mutex> hold(lock);
            --busy;
        }
        p->answer.set_value(std::move(verdict));
    }
}

std::size_t verify_pool::waiting()
{
    std::lock_guard<std::mutex> hold(lock);
    return queue.size();
}

std::size_t verify_pool::playing()
{
    std::lock_guard<std::mutex> hold(lock);
    return busy;
}

run_verdict verify_pool::ask(slot& s, const verify_job& job)
{
    if (s.pid < 0 && !start(s))
        return failed("The server cannot start a verification worker.");
    const auto deadline = std::chrono::steady_clock::now() + job_limit;
    std::vector<std::string> fields;
    run_verdict verdict;
    if (wire_message::write(s.fd, verify_protocol::job_fields(job)) &&
        wire_message::read(s.fd, fields, verify_protocol::max_verdict_bytes, deadline) &&
        verify_protocol::verdict_from(fields, verdict))
        return verdict;
    const bool late = std::chrono::steady_clock::now() >= deadline;
    stop(s, true);
    std::fprintf(stderr, "quillax-server: a verification worker %s; starting another\n",
                 late ? "ran over its time and was stopped" : "stopped");
    return failed(late ? "The run could not be verified within " + std::to_string(job_limit.count() / 1000) + " s."
                       : "The server could not play the run.");
}

bool verify_pool::start(slot& s)
{
    const std::string scratch = scratch_root + "/worker-" + std::to_string(++started);
    std::error_code failed;
    std::filesystem::create_directories(scratch, failed);
    int ends[2];
    if (failed || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return false;
    // The worker's level files and meshes go in its own folder.
    std::vector<std::string> variables{"TMPDIR=" + scratch};
    for (char** v = environ; *v; ++v)
        if (std::strncmp(*v, "TMPDIR=", 7) != 0)
            variables.push_back(*v);
    std::vector<char*> envp;
    for (std::string& v : variables)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 0);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
    // Nothing of the server (its listening socket, clients' connections) may
    // stay open in a worker.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    const std::string flag = "--verify-worker";
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(flag.c_str()), nullptr};
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (spawned != 0) {
        ::close(ends[0]);
        std::filesystem::remove_all(scratch, failed);
        std::fprintf(stderr, "quillax-server: cannot start the verification worker %s\n", program.c_str());
        return false;
    }
    std::lock_guard<std::mutex> hold(lock);
    s.pid = pid;
    s.fd = ends[0];
    s.scratch = scratch;
    if (stopping)
        ::shutdown(s.fd, SHUT_RDWR);
    return true;
}

void verify_pool::stop(slot& s, bool at_once)
{
    int pid = -1;
    std::string scratch;
    {
        std::lock_guard<std::mutex> hold(lock);
        if (s.pid < 0)
            return;
        ::close(s.fd);
        pid = s.pid;
        scratch = s.scratch;
        s.pid = -1;
        s.fd = -1;
    }
    // A worker whose input ends leaves by itself, cleaning up; one still
    // busy after a while is ended.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(at_once ? 0 : 2);
    while (::waitpid(pid, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
}
