#pragma once

// Bullet's collision dispatcher, made to skip the narrow phase of a pair
// whose two objects have not moved since the pair was last tested: at the
// same poses the test finds the same contacts, and the pair's manifold still
// holds them, with the impulses the solver stored. Courses are full of bodies
// that rest flush against their neighbours (blocks that wait to fall or to be
// pushed, platforms at a waypoint), and testing those pairs again in every
// step cost more than all the rest of a frame.
//
// Whoever moves a collision object (the world when it integrates, a body set
// to a new pose) marks it with mark_moved before the next dispatch. Objects
// that are added or re-added form new pairs, which are always tested.

#include <btBulletCollisionCommon.h>

class still_pair_dispatcher : public btCollisionDispatcher {
public:
    explicit still_pair_dispatcher(btCollisionConfiguration* configuration);

    void mark_moved(btCollisionObject& object) const;
    // Whether the object was marked since the last dispatch.
    bool moved_since_dispatch(const btCollisionObject& object) const;

    void dispatchAllCollisionPairs(btOverlappingPairCache* pairs, const btDispatcherInfo& info,
                                   btDispatcher* dispatcher) override;

private:
    static void test_pair(btBroadphasePair& pair, btCollisionDispatcher& dispatcher, const btDispatcherInfo& info);
    bool moved(const btCollisionObject& object) const;

    // Dispatches so far. A moved object carries the number of the next one
    // in its second user index.
    unsigned int round = 0;
};
