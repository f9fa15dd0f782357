#pragma once

// The follow camera: turns the camera slowly round the ball until it looks
// the way the ball rolls, as whole mouse counts added to the frame's turn, so
// that a recorded run holds what the camera did and replays the same with the
// setting on or off. It yields to the player: a frame in which the player
// turns the camera turns nothing more, and following waits a moment after
// the player's last turn. A ball that stands, or rolls back toward the
// camera, is not followed.

#include <OgreQuaternion.h>
#include <OgreVector.h>

class camera_follow {
public:
    // After the player's last turn of the camera, how long following waits.
    static constexpr float wait_after_player = 1.5f;

    // The counts that turn the camera this frame, given its heading (the
    // camera node's orientation), the ball's velocity and the counts the
    // player turned it by this frame.
    int turn(const Ogre::Quaternion& heading, const Ogre::Vector3& velocity, int player_turn, float dt);

private:
    float since_player = wait_after_player;
    // Parts of a count not yet turned, carried into the next frame.
    double left_over = 0.0;
};
