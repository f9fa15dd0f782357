#pragma once

// What the verifier says of one submitted run: accepted, or refused with one
// of the reason codes the API answers with and a message for the player.

#include <string>

struct run_verdict {
    // "accepted", or a refusal: "broken", "run_unfinished", "time_differs",
    // "coins_differ"; "failed" when the run could not be played at all (a
    // fault of the server, not of the run).
    std::string reason;
    std::string message;
    double time = 0.0;
    int coins = 0;

    bool accepted() const { return reason == "accepted"; }
};
