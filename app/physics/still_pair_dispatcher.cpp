#include "still_pair_dispatcher.h"

namespace {

// The user index is an int; the count wraps round within its range.
int stamp(unsigned int round)
{
    return int(round & 0x7fffffffu);
}

}

still_pair_dispatcher::still_pair_dispatcher(btCollisionConfiguration* configuration)
    : btCollisionDispatcher(configuration)
{
    setNearCallback(test_pair);
}

void still_pair_dispatcher::mark_moved(btCollisionObject& object) const
{
    object.setUserIndex2(stamp(round + 1));
}

bool still_pair_dispatcher::moved_since_dispatch(const btCollisionObject& object) const
{
    return object.getUserIndex2() == stamp(round + 1);
}

bool still_pair_dispatcher::moved(const btCollisionObject& object) const
{
    return object.getUserIndex2() == stamp(round);
}

void still_pair_dispatcher::dispatchAllCollisionPairs(btOverlappingPairCache* pairs, const btDispatcherInfo& info,
                                                      btDispatcher* dispatcher)
{
    ++round;
    btCollisionDispatcher::dispatchAllCollisionPairs(pairs, info, dispatcher);
}

void still_pair_dispatcher::test_pair(btBroadphasePair& pair, btCollisionDispatcher& dispatcher,
                                      const btDispatcherInfo& info)
{
    const auto& self = static_cast<const still_pair_dispatcher&>(dispatcher);
    const auto* first = static_cast<const btCollisionObject*>(pair.m_pProxy0->m_clientObject);
    const auto* second = static_cast<const btCollisionObject*>(pair.m_pProxy1->m_clientObject);
    // A pair with an algorithm has been tested in every dispatch since it
    // formed, the last time at the poses its objects still have.
    if (pair.m_algorithm && !self.moved(*first) && !self.moved(*second))
        return;
    defaultNearCallback(pair, dispatcher, info);
}
