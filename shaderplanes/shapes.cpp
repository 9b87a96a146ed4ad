// The figures of shaderplanes, each in its own vertex buffer and vertex array, and
// the draw routines that colour and draw them part by part.
#include <iterator>

#include "airplane_outline.h"
#include "shaderplanes.h"

GLuint VBO_axes = 0, VAO_axes = 0;
GLuint VBO_airplane = 0, VAO_airplane = 0;
GLuint VBO_house = 0, VAO_house = 0;
GLuint VBO_car = 0, VAO_car = 0;
GLuint VBO_cannon = 0, VAO_cannon = 0;
GLuint VBO_sword = 0, VAO_sword = 0;
GLuint VBO_explosion = 0, VAO_explosion = 0;

// All zero until the first reshape: the cross then draws nothing visible.
GLfloat axes_vertices[8] = {0, 0, 0, 0, 0, 0, 0, 0};

// One filled part of a figure: its own vertex array, colour and primitive.
// Parts are stored back to back in table order; a part's first vertex is the
// sum of the counts before it.
struct ShapePart {
    const GLfloat* vertices;  // x, y pairs
    GLsizei count;
    const GLfloat* color;
    GLenum mode;
};

template <size_t N>
constexpr ShapePart part(const GLfloat (&vertices)[N][2], const GLfloat* color, GLenum mode = GL_TRIANGLE_FAN)
{
    return {&vertices[0][0], static_cast<GLsizei>(N), color, mode};
}

static const GLfloat color_black[3] = {0.0f, 0.0f, 0.0f};
static const GLfloat color_red[3] = {1.0f, 0.0f, 0.0f};

// --- house: a front view with a triangular roof ---
static const GLfloat house_roof[][2] = {{-12, 0}, {0, 12}, {12, 0}};
static const GLfloat house_wall[][2] = {{-12, -14}, {-12, 0}, {12, 0}, {12, -14}};
static const GLfloat house_chimney[][2] = {{6, 6}, {6, 14}, {10, 14}, {10, 2}};  // lower edge on the roof slope
static const GLfloat house_door[][2] = {{-8, -14}, {-8, -8}, {-4, -8}, {-4, -14}};
static const GLfloat house_window[][2] = {{4, -6}, {4, -2}, {8, -2}, {8, -6}};

static const GLfloat color_house_roof[3] = {200 / 255.0f, 39 / 255.0f, 42 / 255.0f};
static const GLfloat color_house_wall[3] = {235 / 255.0f, 225 / 255.0f, 196 / 255.0f};
static const GLfloat color_house_door[3] = {233 / 255.0f, 113 / 255.0f, 23 / 255.0f};
static const GLfloat color_house_window[3] = {44 / 255.0f, 180 / 255.0f, 49 / 255.0f};

static const ShapePart house_parts[] = {
    part(house_roof, color_house_roof),
    part(house_wall, color_house_wall),
    part(house_chimney, color_red),
    part(house_door, color_house_door),
    part(house_window, color_house_window),
};

// --- car: a front view; the window leaves a 2-unit frame of the cabin ---
static const GLfloat car_body[][2] = {{-16, -8}, {-16, 0}, {16, 0}, {16, -8}};
static const GLfloat car_frame[][2] = {{-10, 0}, {-10, 10}, {10, 10}, {10, 0}};
static const GLfloat car_window[][2] = {{-8, 0}, {-8, 8}, {8, 8}, {8, 0}};
static const GLfloat car_left_light[][2] = {{-9, -6}, {-10, -5}, {-9, -4}, {-8, -5}};
static const GLfloat car_right_light[][2] = {{9, -6}, {8, -5}, {9, -4}, {10, -5}};
static const GLfloat car_left_wheel[][2] = {{-10, -12}, {-10, -8}, {-6, -8}, {-6, -12}};
static const GLfloat car_right_wheel[][2] = {{6, -12}, {6, -8}, {10, -8}, {10, -12}};

static const GLfloat color_car_body[3] = {0.0f, 149 / 255.0f, 159 / 255.0f};
static const GLfloat color_car_window[3] = {216 / 255.0f, 208 / 255.0f, 174 / 255.0f};
static const GLfloat color_car_light[3] = {249 / 255.0f, 244 / 255.0f, 0.0f};
static const GLfloat color_car_wheel[3] = {21 / 255.0f, 30 / 255.0f, 26 / 255.0f};

static const ShapePart car_parts[] = {
    part(car_body, color_car_body),
    part(car_frame, color_car_body),
    part(car_window, color_car_window),
    part(car_left_light, color_car_light),
    part(car_right_light, color_car_light),
    part(car_left_wheel, color_car_wheel),
    part(car_right_wheel, color_car_wheel),
};

// --- cannon: a stepped base and a thin barrel toward +y, muzzle end at (0, 14) ---
static const GLfloat cannon_muzzle_tip[][2] = {{-0.5f, 14}, {-0.5f, 13}, {0.5f, 13}, {0.5f, 14}};
static const GLfloat cannon_barrel[][2] = {{-1, 8}, {-1, 13}, {1, 13}, {1, 8}};
static const GLfloat cannon_turret[][2] = {{8, 5}, {-8, 5}, {-8, 8}, {8, 8}};
static const GLfloat cannon_body[][2] = {{-10, 1}, {-10, 5}, {10, 5}, {10, 1}};
static const GLfloat cannon_base[][2] = {{-10, 0}, {-10, 1}, {10, 1}, {10, 0}};

static const GLfloat color_cannon_muzzle_tip[3] = {1.0f, 1.0f, 0.0f};
static const GLfloat color_cannon_barrel[3] = {0.0f, 0.0f, 120 / 255.0f};
static const GLfloat color_cannon_body[3] = {0.0f, 30 / 255.0f, 201 / 255.0f};
static const GLfloat color_cannon_base[3] = {0.0f, 10 / 255.0f, 140 / 255.0f};

static const ShapePart cannon_parts[] = {
    part(cannon_muzzle_tip, color_cannon_muzzle_tip),
    part(cannon_barrel, color_cannon_barrel),
    part(cannon_turret, color_cannon_body),
    part(cannon_body, color_cannon_body),
    part(cannon_base, color_cannon_base),
};

// --- sword: tip toward +y; the fuller and the gem are painted over blade and guard ---
static const GLfloat sword_crossguard[][2] = {{-6, 0}, {-6, -4}, {6, -4}, {6, 0}};
static const GLfloat sword_grip[][2] = {{-2, -4}, {-2, -6}, {2, -6}, {2, -4}};
static const GLfloat sword_blade[][2] = {{-2, 0}, {-2, 16}, {2, 16}, {2, 0}};
static const GLfloat sword_blade_tip[][2] = {{-2, 16}, {0, 19.46f}, {2, 16}};
static const GLfloat sword_fuller[][2] = {{-0.3f, 0.7f}, {-0.3f, 15.3f}, {0.3f, 15.3f}, {0.3f, 0.7f}};
static const GLfloat sword_pommel[][2] = {{-2, -6}, {2, -6}, {4, -8}, {-4, -8}};
static const GLfloat sword_gem[][2] = {{0, -1}, {1, -2.732f}, {0, -4.464f}, {-1, -2.732f}};

static const GLfloat color_sword_hilt[3] = {139 / 255.0f, 69 / 255.0f, 19 / 255.0f};
static const GLfloat color_sword_blade[3] = {155 / 255.0f, 155 / 255.0f, 155 / 255.0f};

static const ShapePart sword_parts[] = {
    part(sword_crossguard, color_sword_hilt),
    part(sword_grip, color_sword_hilt),
    part(sword_blade, color_sword_blade),
    part(sword_blade_tip, color_sword_blade),
    part(sword_fuller, color_black),
    part(sword_pommel, color_sword_hilt),
    part(sword_gem, color_red),
};

// --- explosion: three concentric octagons, largest first ---
static const GLfloat explosion_outer[][2] = {{4.8f, 0}, {4, 4}, {0, 4.8f}, {-4, 4},
                                             {-4.8f, 0}, {-4, -4}, {0, -4.8f}, {4, -4}};
static const GLfloat explosion_middle[][2] = {{3.5f, 0}, {2.8f, 2.8f}, {0, 3.5f}, {-2.8f, 2.8f},
                                              {-3.5f, 0}, {-2.8f, -2.8f}, {0, -3.5f}, {2.8f, -2.8f}};
static const GLfloat explosion_core[][2] = {{1.8f, 0}, {1.5f, 1.5f}, {0, 1.8f}, {-1.5f, 1.5f},
                                            {-1.8f, 0}, {-1.5f, -1.5f}, {0, -1.8f}, {1.5f, -1.5f}};

static const GLfloat color_explosion_outer[3] = {219 / 255.0f, 0.0f, 0.0f};
static const GLfloat color_explosion_middle[3] = {255 / 255.0f, 54 / 255.0f, 0.0f};
static const GLfloat color_explosion_core[3] = {255 / 255.0f, 241 / 255.0f, 54 / 255.0f};

static const ShapePart explosion_parts[] = {
    part(explosion_outer, color_explosion_outer),
    part(explosion_middle, color_explosion_middle),
    part(explosion_core, color_explosion_core),
};

// Binds the figure's buffer to attribute 0 in its vertex array; the same for every figure.
static void set_up_attributes(GLuint vao, GLuint vbo)
{
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, 0);
    glEnableVertexAttribArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

static const GLsizeiptr vertex_bytes = 2 * sizeof(GLfloat);

// Allocates the whole buffer, then fills it part by part at each part's offset.
static void prepare_figure(GLuint* vbo, GLuint* vao, const ShapePart* parts, size_t part_count)
{
    GLsizei total = 0;
    for (size_t i = 0; i < part_count; ++i)
        total += parts[i].count;
    glGenBuffers(1, vbo);
    glBindBuffer(GL_ARRAY_BUFFER, *vbo);
    glBufferData(GL_ARRAY_BUFFER, total * vertex_bytes, nullptr, GL_STATIC_DRAW);
    GLint first = 0;
    for (size_t i = 0; i < part_count; ++i) {
        glBufferSubData(GL_ARRAY_BUFFER, first * vertex_bytes, parts[i].count * vertex_bytes, parts[i].vertices);
        first += parts[i].count;
    }
    glGenVertexArrays(1, vao);
    set_up_attributes(*vao, *vbo);
}

// The airplane comes from the shared table: its part table already holds first and count.
static void prepare_airplane()
{
    glGenBuffers(1, &VBO_airplane);
    glBindBuffer(GL_ARRAY_BUFFER, VBO_airplane);
    glBufferData(GL_ARRAY_BUFFER, sizeof airplane_vertices, nullptr, GL_STATIC_DRAW);
    for (const AirplanePart& p : airplane_parts)
        glBufferSubData(GL_ARRAY_BUFFER, p.first * vertex_bytes, p.count * vertex_bytes, airplane_vertices[p.first]);
    glGenVertexArrays(1, &VAO_airplane);
    set_up_attributes(VAO_airplane, VBO_airplane);
}

void prepare_shapes()
{
    glGenBuffers(1, &VBO_axes);
    glBindBuffer(GL_ARRAY_BUFFER, VBO_axes);
    glBufferData(GL_ARRAY_BUFFER, sizeof axes_vertices, axes_vertices, GL_STATIC_DRAW);
    glGenVertexArrays(1, &VAO_axes);
    set_up_attributes(VAO_axes, VBO_axes);

    prepare_airplane();
    prepare_figure(&VBO_house, &VAO_house, house_parts, std::size(house_parts));
    prepare_figure(&VBO_car, &VAO_car, car_parts, std::size(car_parts));
    prepare_figure(&VBO_cannon, &VAO_cannon, cannon_parts, std::size(cannon_parts));
    prepare_figure(&VBO_sword, &VAO_sword, sword_parts, std::size(sword_parts));
    prepare_figure(&VBO_explosion, &VAO_explosion, explosion_parts, std::size(explosion_parts));
}

// Every part gets its own colour upload, even when it repeats the previous one.
static void draw_figure(GLuint vao, const ShapePart* parts, size_t part_count)
{
    glBindVertexArray(vao);
    GLint first = 0;
    for (size_t i = 0; i < part_count; ++i) {
        glUniform3fv(loc_primitive_color, 1, parts[i].color);
        glDrawArrays(parts[i].mode, first, parts[i].count);
        first += parts[i].count;
    }
    glBindVertexArray(0);
}

void draw_axes()
{
    glBindVertexArray(VAO_axes);
    glUniform3fv(loc_primitive_color, 1, color_black);
    glDrawArrays(GL_LINES, 0, 4);
    glBindVertexArray(0);
}

void draw_airplane()
{
    glBindVertexArray(VAO_airplane);
    for (int i = AIRPLANE_MAIN_WING; i <= AIRPLANE_RIGHT_POD; ++i) {
        glUniform3fv(loc_primitive_color, 1, airplane_parts[i].color);
        glDrawArrays(GL_TRIANGLE_FAN, airplane_parts[i].first, airplane_parts[i].count);
    }
    const AirplanePart& centre = airplane_parts[AIRPLANE_CENTRE_POINT];
    glUniform3fv(loc_primitive_color, 1, centre.color);
    glPointSize(airplane_point_size);
    glDrawArrays(GL_POINTS, centre.first, centre.count);
    glPointSize(1.0f);
    glBindVertexArray(0);
}

void draw_house()
{
    draw_figure(VAO_house, house_parts, std::size(house_parts));
}

void draw_car()
{
    draw_figure(VAO_car, car_parts, std::size(car_parts));
}

void draw_cannon()
{
    draw_figure(VAO_cannon, cannon_parts, std::size(cannon_parts));
}

void draw_sword()
{
    draw_figure(VAO_sword, sword_parts, std::size(sword_parts));
}

void draw_explosion()
{
    draw_figure(VAO_explosion, explosion_parts, std::size(explosion_parts));
}
