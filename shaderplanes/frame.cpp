// One frame of the shaderplanes scene: every figure's model matrix built on the CPU,
// drawn back to front, with the pending reset and the explosion's hit test on the way.
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "shaderplanes.h"

static const float deg_to_rad = 0.017453292f;
static const float half_pi = 1.5707964f;
static const float pi = 3.1415927f;
static const float three_half_pi = 4.712389f;
static const float hit_radius_squared = 900.0f;  // 30 units, bound included

static const glm::vec3 z_axis(0.0f, 0.0f, 1.0f);

static glm::mat4 translate(const glm::mat4& m, float x, float y, float z = 0.0f)
{
    return glm::translate(m, glm::vec3(x, y, z));
}

static glm::mat4 rotate(const glm::mat4& m, float radians)
{
    return glm::rotate(m, radians, z_axis);
}

static glm::mat4 scale(const glm::mat4& m, float sx, float sy)
{
    return glm::scale(m, glm::vec3(sx, sy, 1.0f));
}

static void load_model(const glm::mat4& model)
{
    ModelViewProjectionMatrix = ViewProjectionMatrix * model;
    glUniformMatrix4fv(loc_ModelViewProjectionMatrix, 1, GL_FALSE, glm::value_ptr(ModelViewProjectionMatrix));
}

// Measured from the clicked point, not from the drawn explosion.
static void mark_hit(SceneObject& object)
{
    float dx = target_x - object.x;
    float dy = target_y - object.y;
    if (dx * dx + dy * dy <= hit_radius_squared)
        object.hit = 1;
}

static void draw_houses_and_cars()
{
    const glm::mat4 identity(1.0f);
    for (const SceneObject& h : houses) {
        // The figure's origin sits 12 left of and 14 above the pivot.
        glm::mat4 m = translate(identity, h.x, h.y);
        m = rotate(m, h.angle * deg_to_rad);
        m = translate(m, -12.0f, 14.0f);
        load_model(scale(m, h.scale, h.scale));
        draw_house();
    }
    for (const SceneObject& c : cars) {
        glm::mat4 m = translate(identity, c.x, c.y);
        m = rotate(m, c.angle * deg_to_rad);
        load_model(scale(m, c.scale, c.scale));
        draw_car();
    }
}

// Four short swords point at the pointer (tilted while the button is held); four long
// ones, stretched along the blade, reach in from far outside the window.
static void draw_crosshair()
{
    const glm::mat4 identity(1.0f);
    const int b = button_down;
    const float short_offsets[4][2] = {{0, -8}, {8, 0}, {0, 8}, {-8, 0}};
    for (int i = 0; i < 4; ++i) {
        glm::mat4 m = translate(identity, pointer_x + short_offsets[i][0], pointer_y + short_offsets[i][1]);
        m = rotate(m, static_cast<float>(90 * i - 45 * b) * deg_to_rad);
        load_model(scale(m, 0.4f, 0.4f));
        draw_sword();
    }
    load_model(scale(translate(identity, pointer_x, pointer_y - 1460.0f), 0.4f, 80.0f));
    draw_sword();
    const float long_offsets[3][2] = {{1460, 0}, {0, 1460}, {-1460, 0}};
    const float long_turns[3] = {half_pi, pi, three_half_pi};
    for (int i = 0; i < 3; ++i) {
        glm::mat4 m = translate(identity, pointer_x + long_offsets[i][0], pointer_y + long_offsets[i][1]);
        m = rotate(m, long_turns[i]);
        load_model(scale(m, 0.4f, 80.0f));
        draw_sword();
    }
}

// One airplane of the ring: turned about the pointer, pushed out, sized, and given
// a final quarter turn so that its nose points at the pointer.
static void draw_ring_airplane(int ring_turn, float ox, float oy, float sx, float sy, int quarter)
{
    static const float final_turns[4] = {0.0f, half_pi, pi, three_half_pi};
    glm::mat4 m = translate(glm::mat4(1.0f), pointer_x, pointer_y, 1.0f);
    m = rotate(m, static_cast<float>(ring_turn) * deg_to_rad);
    m = translate(m, ox, oy, 1.0f);
    m = scale(m, sx, sy);
    if (quarter != 0)
        m = rotate(m, final_turns[quarter]);
    load_model(m);
    draw_airplane();
}

static void draw_airplane_ring()
{
    const int b = button_down;
    const float p = pulse;
    const float r1 = (p + 40.0f) - static_cast<float>(25 * b);
    const float r1_neg = static_cast<float>(25 * b) - (p + 40.0f);
    const float r2 = 1.5f * p + 25.0f;
    const float r2_neg = -25.0f - 1.5f * p;
    const float grow = p / 80.0f;
    draw_ring_airplane(ring_angle, 0.0f, r1, grow + 0.4f, grow + 0.5f, 0);
    draw_ring_airplane(ring_angle, r1_neg, 0.0f, grow + 0.5f, grow + 0.4f, 1);
    draw_ring_airplane(ring_angle, 0.0f, r1_neg, grow + 0.4f, grow + 0.5f, 2);
    draw_ring_airplane(ring_angle, r1, 0.0f, grow + 0.5f, grow + 0.4f, 3);
    draw_ring_airplane(ring_angle + 45, 0.0f, r2, grow + 0.1f, grow + 0.2f, 0);
    draw_ring_airplane(ring_angle + 45, r2_neg, 0.0f, grow + 0.2f, grow + 0.1f, 1);
    draw_ring_airplane(ring_angle + 45, 0.0f, r2_neg, grow + 0.1f, grow + 0.2f, 2);
    draw_ring_airplane(ring_angle + 45, r2, 0.0f, grow + 0.2f, grow + 0.1f, 3);
}

// Subtracting a quarter turn points the sword's +y tip along its launcher's aim.
static void draw_flying_sword(float x, float y, float aim)
{
    glm::mat4 m = translate(glm::mat4(1.0f), x, y);
    m = rotate(m, aim - half_pi);
    load_model(scale(m, 1.5f, 1.5f));
    draw_sword();
}

// The barrel's muzzle end (y = 14) lies 210 from the base at y scale 15; a held
// button draws the launchers shorter, a recoil that leaves the launch geometry alone.
static void draw_launchers()
{
    const float height = static_cast<float>(15 - 2 * button_down);
    glm::mat4 m = rotate(translate(glm::mat4(1.0f), -550.0f, -450.0f), aim_angle_left - half_pi);
    load_model(scale(m, 10.0f, height));
    draw_cannon();
    m = rotate(translate(glm::mat4(1.0f), 550.0f, -450.0f), aim_angle_right - half_pi);
    load_model(scale(m, 10.0f, height));
    draw_cannon();
}

static void draw_decorations()
{
    const float lean = 0.34906584f;  // 20 degrees
    const glm::mat4 identity(1.0f);
    load_model(scale(rotate(translate(identity, 530.0f, -355.0f), lean), 10.0f, -10.0f));
    draw_cannon();
    load_model(scale(rotate(translate(identity, -530.0f, -355.0f), -lean), 10.0f, -10.0f));
    draw_cannon();
    load_model(scale(rotate(translate(identity, 530.0f, 375.0f), -lean), 10.0f, 10.0f));
    draw_cannon();
    load_model(scale(rotate(translate(identity, -530.0f, 375.0f), lean), 10.0f, 10.0f));
    draw_cannon();
    load_model(scale(translate(identity, 0.0f, -380.0f), 46.4f, -10.0f));
    draw_cannon();
}

void display()
{
    glClear(GL_COLOR_BUFFER_BIT);

    // The reset comes before the hit test, so a reset during an explosion re-hits at once.
    if (reset_requested != 0)
        reset_objects();

    load_model(glm::mat4(1.0f));
    draw_axes();

    if (blast_active != 0) {
        for (int i = 0; i < SCENE_OBJECT_COUNT; ++i) {
            mark_hit(houses[i]);
            mark_hit(cars[i]);
        }
    }

    draw_houses_and_cars();
    draw_crosshair();
    draw_airplane_ring();

    if (shots_flying != 0) {
        draw_flying_sword(shot_left_x, shot_left_y, shot_angle_left);
        draw_flying_sword(shot_right_x, shot_right_y, shot_angle_right);
    }
    if (blast_active != 0) {
        load_model(scale(translate(glm::mat4(1.0f), target_x, target_y), blast_scale, blast_scale));
        draw_explosion();
    }

    draw_launchers();
    draw_decorations();
    glFlush();
}
