#include "physics_world.h"

void physics_world::destroy_all_scenes() {}
void physics_world::simulate(float) {}
void physics_world::render(float) {}
