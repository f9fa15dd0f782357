#pragma once

// How verify_jobs and run_verdicts travel between the server and its
// workers as wire_message fields.

#include "run_verdict.h"
#include "verify_job.h"

#include <cstddef>
#include <string>
#include <vector>

class verify_protocol {
public:
    // More than any level and replay the server accepts.
    static constexpr std::size_t max_job_bytes = 256u << 20;
    static constexpr std::size_t max_verdict_bytes = 1u << 16;

    static std::vector<std::string> job_fields(const verify_job& job);
    static bool job_from(const std::vector<std::string>& fields, verify_job& job);
    static std::vector<std::string> verdict_fields(const run_verdict& verdict);
    static bool verdict_from(const std::vector<std::string>& fields, run_verdict& verdict);
};
