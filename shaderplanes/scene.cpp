// The mutable state of the shaderplanes scene: houses, cars, pointer, launch and
// ring animation, and the reset that puts houses and cars back.
#include "shaderplanes.h"

// All zero until the first frame's reset (reset_requested starts at 1).
SceneObject houses[SCENE_OBJECT_COUNT];
SceneObject cars[SCENE_OBJECT_COUNT];

float pointer_x = 0, pointer_y = 0;
float aim_angle_left = 0, aim_angle_right = 0;
int button_down = 0;
float target_x = 0, target_y = 0;
float shot_angle_left = 0, shot_angle_right = 0;
float shot_left_x = 0, shot_left_y = 0;
float shot_right_x = 0, shot_right_y = 0;
int launch_busy = 0;
int shots_flying = 0;
int blast_active = 0;
float blast_scale = 0;
float pulse = 0;
int pulse_dir = 1;
int ring_angle = 0;

// Start points; a house's point is the pivot it turns over about.
static const float house_start[SCENE_OBJECT_COUNT][2] = {
    {-500, -200}, {-300, 300}, {50, 50}, {250, 350}, {400, -150},
};
static const float car_start[SCENE_OBJECT_COUNT][2] = {
    {-450, 100}, {-250, -150}, {-100, 200}, {150, -200}, {450, 150},
};

static void put_at_start(SceneObject& object, const float start[2])
{
    object.hit = 0;
    object.x = start[0];
    object.y = start[1];
    object.angle = 0;
    object.scale = 2.0f;
}

// Only houses and cars go back; aim, launch, pulse and ring keep their values.
// Clearing hit is what stops a house or car in mid-motion.
void reset_objects()
{
    for (int i = 0; i < SCENE_OBJECT_COUNT; ++i) {
        put_at_start(houses[i], house_start[i]);
        put_at_start(cars[i], car_start[i]);
    }
    reset_requested = 0;
}
