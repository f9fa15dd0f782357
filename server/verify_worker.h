#pragma once

// The verification worker process: the server starts its own program again
// with --verify-worker, its standard input and output joined to one socket,
// and sends it verify_jobs as wire_messages; the worker answers each with
// its run_verdict. A worker holds one replay_verifier (OGRE and the working
// folder are a process's own), so the server runs as many workers as it
// verifies runs at once, and a fault while playing a run ends one worker,
// never the server.

class verify_worker {
public:
    // Serves jobs on `fd` until the server closes it; the process's exit status.
    static int serve(int fd);
};
