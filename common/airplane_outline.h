// The airplane figure shared by all three programs: one vertex table, one part
// table and the centre point's size. No GL here; each program draws it its own way.
#pragma once

// Figure units: origin at the centre, x right, y up, nose toward -y.
// Stored as floats so that the shader program can upload the table as it stands;
// every value is an integer, so the immediate-mode programs emit them with glVertex2i.
inline constexpr float airplane_vertices[][2] = {
    // main wing
    {0, 0}, {-20, 15}, {-20, 20}, {0, 23}, {20, 20}, {20, 15},
    // forward wing (notched at (0, -10); filled as a fan from (0, -18))
    {0, -18}, {-11, -12}, {-12, -7}, {0, -10}, {12, -7}, {11, -12},
    // fuselage
    {0, -25}, {-6, 0}, {-6, 22}, {6, 22}, {6, 0},
    // tail cap
    {0, 25}, {-7, 24}, {-7, 21}, {7, 21}, {7, 24},
    // left wingtip pod
    {-20, 10}, {-18, 3}, {-16, 10}, {-18, 20}, {-20, 20},
    // right wingtip pod
    {20, 10}, {18, 3}, {16, 10}, {18, 20}, {20, 20},
    // centre point
    {0, 0},
};

struct AirplanePart {
    const char* name;
    int first;       // index of the part's first vertex in airplane_vertices
    int count;
    float color[3];  // standard colour, red, green, blue
};

enum {
    AIRPLANE_MAIN_WING,
    AIRPLANE_FORWARD_WING,
    AIRPLANE_FUSELAGE,
    AIRPLANE_TAIL_CAP,
    AIRPLANE_LEFT_POD,
    AIRPLANE_RIGHT_POD,
    AIRPLANE_CENTRE_POINT,
    AIRPLANE_PART_COUNT
};

// In draw order; later parts paint over earlier ones.
inline constexpr AirplanePart airplane_parts[AIRPLANE_PART_COUNT] = {
    {"main wing", 0, 6, {150 / 255.0f, 129 / 255.0f, 183 / 255.0f}},
    {"forward wing", 6, 6, {245 / 255.0f, 211 / 255.0f, 0.0f}},
    {"fuselage", 12, 5, {111 / 255.0f, 85 / 255.0f, 157 / 255.0f}},
    {"tail cap", 17, 5, {150 / 255.0f, 129 / 255.0f, 183 / 255.0f}},
    {"left wingtip pod", 22, 5, {245 / 255.0f, 211 / 255.0f, 0.0f}},
    {"right wingtip pod", 27, 5, {245 / 255.0f, 211 / 255.0f, 0.0f}},
    {"centre point", 32, 1, {1.0f, 0.0f, 0.0f}},
};

inline constexpr float airplane_point_size = 5.0f;  // pixels
