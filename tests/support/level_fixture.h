#pragma once

// A test with a headless level world in a working folder named after the test,
// and every log line captured.

#include "headless_play/level_world.h"
#include "log_capture.h"

#include <gtest/gtest.h>

class level_fixture : public ::testing::Test, public level_world {
public:
    level_fixture();

    log_capture log;
};
