#include "verify_protocol.h"

#include <cstdio>
#include <cstdlib>

std::vector<std::string> verify_protocol::job_fields(const verify_job& job)
{
    return {job.level_file, job.level_text, job.replay_text};
}

bool verify_protocol::job_from(const std::vector<std::string>& fields, verify_job& job)
{
    if (fields.size() != 3)
        return false;
    job = verify_job{fields[0], fields[1], fields[2]};
    return true;
}

std::vector<std::string> verify_protocol::verdict_fields(const run_verdict& verdict)
{
    char time[40];
    std::snprintf(time, sizeof time, "%.17g", verdict.time);
    return {verdict.reason, verdict.message, time, std::to_string(verdict.coins)};
}

bool verify_protocol::verdict_from(const std::vector<std::string>& fields, run_verdict& verdict)
{
    if (fields.size() != 4 || fields[0].empty())
        return false;
    verdict.reason = fields[0];
    verdict.message = fields[1];
    verdict.time = std::strtod(fields[2].c_str(), nullptr);
    verdict.coins = std::atoi(fields[3].c_str());
    return true;
}
