#include "support/level_fixture.h"
#include "support/recording_sound_device.h"

namespace {

class level_music : public level_fixture {
protected:
    level_music() { context.sound = &music; }

    recording_sound_device music;
};

}

TEST_F(level_music, starts_with_the_level_plays_on_and_stops_when_the_level_is_destroyed)
{
    auto lvl = load("tune.map", R"(<Level music="theme.ogg"><Objects><Object type="start"/></Objects></Level>)");
    EXPECT_EQ(music.playing, "media/audio/theme.ogg");
    run(*lvl, 1.0f, 60.0f);
    EXPECT_EQ(music.playing, "media/audio/theme.ogg");
    EXPECT_EQ(music.started.size(), 1u) << "the music started again during play";
    lvl.reset();
    EXPECT_EQ(music.playing, "");
}

TEST_F(level_music, a_level_without_music_plays_none_and_the_next_level_starts_its_own)
{
    load("quiet.map", R"(<Level><Objects><Object type="start"/></Objects></Level>)").reset();
    EXPECT_TRUE(music.started.empty());
    auto next = load("next.map", R"(<Level music="next.ogg"/>)");
    EXPECT_EQ(music.playing, "media/audio/next.ogg");
}
