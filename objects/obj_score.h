#pragma once

// A coin that hovers 5 above its `pos` and spins; the ball passes through it
// and collects it once, for 10 points, or 100 for a blue one (`score_type`
// 1). The coin collides with nothing; a volume of its size notices the ball.

#include "level/trigger_object.h"

class obj_score : public trigger_object {
public:
    obj_score(level* owner, const TiXmlElement* element);
    ~obj_score() override;

    std::string type_name() const override { return "score"; }
    bool acts_each_frame() const override;
    void update() override;
    void on_level_loaded() override;
    void on_remove() override;
    void on_enter(physics_trigger& trigger, physics_body& body) override;

    int get_points() const { return points; }

private:
    float rotation_speed = 2.0f;
    int points = 0;
};
