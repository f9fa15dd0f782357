// Any bytes as the queue of runs waiting to be sent: whatever the reader
// takes is written back and read again as the very same runs.

#include "online/run_queue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<queued_run> runs;
    std::string error;
    if (!run_queue::parse(text, runs, error))
        return 0;
    std::string again = "quillax online queue 1\n";
    for (const queued_run& run : runs)
        again += "run " + std::to_string(run.replay_text.size()) + " " + run.level_file + "\n" + run.replay_text;
    std::vector<queued_run> back;
    if (!run_queue::parse(again, back, error) || back.size() != runs.size())
        std::abort();
    for (size_t i = 0; i < runs.size(); ++i)
        if (back[i].level_file != runs[i].level_file || back[i].replay_text != runs[i].replay_text ||
            back[i].level_hash != runs[i].level_hash)
            std::abort();
    return 0;
}
