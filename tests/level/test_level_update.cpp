// The level's frame: which objects it updates, in what order, and when
// removed objects leave its registry.

#include "level/game_object.h"
#include "support/level_fixture.h"

#include <functional>
#include <string>
#include <vector>

namespace {

// Registers itself under its id and notes each update in a shared list.
class recorder : public game_object {
public:
    recorder(level* owner, const std::string& id, bool acts, std::vector<std::string>& updates)
        : game_object(owner, nullptr, true, "", id), acts(acts), updates(updates)
    {
    }
    ~recorder() override { remove(); }

    std::string type_name() const override { return "recorder"; }
    bool acts_each_frame() const override { return acts; }
    void update() override
    {
        updates.push_back(id);
        if (on_update)
            on_update();
    }

    std::function<void()> on_update;

private:
    const bool acts;
    std::vector<std::string>& updates;
};

class level_update : public level_fixture {
protected:
    std::unique_ptr<level> load_empty()
    {
        return load("empty.map", "<Level><Objects><Object type=\"start\"/></Objects></Level>");
    }

    std::vector<std::string> updates;
};

}

TEST_F(level_update, only_objects_that_act_are_updated_once_a_frame_in_id_order_also_when_they_join_later)
{
    auto lvl = load_empty();
    new recorder(lvl.get(), "c", true, updates);
    new recorder(lvl.get(), "b", false, updates);
    new recorder(lvl.get(), "a", true, updates);
    lvl->update();
    lvl->update();
    EXPECT_EQ(updates, (std::vector<std::string>{"a", "c", "a", "c"}));

    new recorder(lvl.get(), "bb", true, updates);
    updates.clear();
    lvl->update();
    EXPECT_EQ(updates, (std::vector<std::string>{"a", "bb", "c"}));
}

TEST_F(level_update, a_removed_object_is_found_until_the_end_of_the_next_update_and_is_not_updated_again)
{
    auto lvl = load_empty();
    auto* a = new recorder(lvl.get(), "a", true, updates);
    auto* b = new recorder(lvl.get(), "b", false, updates);
    auto* c = new recorder(lvl.get(), "c", true, updates);
    auto* d = new recorder(lvl.get(), "d", true, updates);
    lvl->update();

    // Removed between frames (as a contact would), by an earlier object's
    // update, and by its own update.
    b->remove();
    EXPECT_EQ(lvl->find_object("b"), b);
    a->on_update = [&] { c->remove(); };
    d->on_update = [&] { d->remove(); };
    updates.clear();
    lvl->update();
    EXPECT_EQ(updates, (std::vector<std::string>{"a", "d"}));
    EXPECT_EQ(lvl->find_object("a"), a);
    EXPECT_EQ(lvl->find_object("b"), nullptr);
    EXPECT_EQ(lvl->find_object("c"), nullptr);
    EXPECT_EQ(lvl->find_object("d"), nullptr);

    a->on_update = nullptr;
    updates.clear();
    lvl->update();
    EXPECT_EQ(updates, (std::vector<std::string>{"a"}));
}

TEST_F(level_update, an_object_refused_for_its_taken_id_leaves_the_one_that_has_it_in_play)
{
    auto lvl = load("twice.map", R"(<Level><Objects>
        <Object type="block" id="x" pos="0 0 0"/>
        <Object type="block" id="x" pos="50 0 0"/>
        </Objects></Level>)");
    game_object* kept = lvl->find_object("x");
    ASSERT_NE(kept, nullptr);
    lvl->update();
    EXPECT_EQ(lvl->find_object("x"), kept);
    EXPECT_EQ(kept->get_position(), Ogre::Vector3(0, 0, 0));
    EXPECT_FALSE(kept->is_removed());
}
