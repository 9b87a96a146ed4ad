// Recognises the figures a frame of transformplanes emits: each routine's own primitives,
// captured alone at the origin, are matched in order against the frame's feedback, and
// the transformation that placed each match is solved for.
#pragma once

#include <string>
#include <vector>

struct FigureRoutine {
    const char* name;
    void (*draw)();
};

// Where a figure's origin landed (world units), its rotation in degrees (-180, 180]
// and its stretch along the world axes.
struct PlacedFigure {
    std::string name;
    double x, y;
    double angle;
    double sx, sy;
};

struct FrameFigures {
    std::vector<PlacedFigure> figures;
    int unmatched;   // primitives no routine accounted for (0 when all matched)
    int overflowed;  // the feedback buffer was too small
};

// Viewport 1024 x 800 showing world x -2048..2048, y -1600..1600 (4 units per pixel),
// so figures far from the centre are not clipped away; model-view identity.
void set_wide_projection();

// Runs draw in feedback mode under the wide projection and recognises its figures.
FrameFigures capture_frame_figures(void (*draw)(), const std::vector<FigureRoutine>& routines);

// Every routine of transformplanes, by its name.
const std::vector<FigureRoutine>& transformplanes_routines();

// Difference of two angles in degrees, folded into (-180, 180].
double angle_difference(double a, double b);
