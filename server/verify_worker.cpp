#include "verify_worker.h"

#include "replay_verifier.h"
#include "verify_protocol.h"
#include "wire_message.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int verify_worker::serve(int fd)
{
    try {
        replay_verifier verifier;
        std::vector<std::string> fields;
        while (wire_message::read(fd, fields, verify_protocol::max_job_bytes)) {
            verify_job job;
            if (!verify_protocol::job_from(fields, job))
                return 1;
            if (!wire_message::write(fd, verify_protocol::verdict_fields(
                                             verifier.verify(job.level_file, job.level_text, job.replay_text))))
                return 1;
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillax-server: a verification worker stops: %s\n", e.what());
        return 1;
    }
}
