#include "level_fixture.h"

level_fixture::level_fixture() : level_world(::testing::UnitTest::GetInstance()->current_test_info()->name()) {}
