#pragma once

// What the picture is made of, whatever draws it: the frame, the light, the
// marker cube, where the lattice lies and which site shows which point.

#include <vector>

#include "lattice.h"

// The frame.
constexpr float kClearColour[] = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr double kHorizontalFieldOfView = 45;  // degrees, whatever the window's shape
constexpr double kNearPlane = 1.0;
// The eye sees nothing farther than this along its line of sight.
constexpr double kFarPlane = 1000.0;

// The vertical field of view, in degrees, that gives a drawable of
// width x height pixels the horizontal field of view above.
double verticalFieldOfView(int width, int height);

// The one light. w = 0: a directional light from (1, 1, 1), fixed in the world.
constexpr float kLightDiffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr float kLightSpecular[] = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr float kLightPosition[] = {1.0f, 1.0f, 1.0f, 0.0f};
// No normal is ever given, so every vertex has GL's initial one.
constexpr float kNormal[] = {0.0f, 0.0f, 1.0f};
// GL's default ambient light of the light model.
constexpr float kModelAmbient = 0.2f;

// The share of its colour that every vertex of the scene is lit to.
float lightingFactor();

// A small cube at the world origin, each face of one colour and
// counter-clockwise seen from outside, so that culling hides it from inside.
struct CubeFace {
    float colour[3];
    float vertices[4][3];
};

constexpr CubeFace kMarkerCube[] = {
    {{0, 1, 0}, {{1, 1, -1}, {-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}}},         // y = +1
    {{1, 0.5f, 0}, {{1, -1, 1}, {-1, -1, 1}, {-1, -1, -1}, {1, -1, -1}}},  // y = -1
    {{1, 0, 0}, {{1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}}},         // z = +1
    {{1, 1, 0}, {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}}},     // z = -1
    {{0, 0, 1}, {{-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}, {-1, -1, 1}}},     // x = -1
    {{1, 0, 1}, {{1, 1, -1}, {1, 1, 1}, {1, -1, 1}, {1, -1, -1}}},         // x = +1
};

// The points: a site's tracer as green of that brightness, and a blue
// marker on the sites of the lattice's outer shell. Sizes are in pixels.
constexpr float kTracerPointSize = 3.0f;
constexpr float kShellPointSize = 1.0f;
constexpr float kShellColour[] = {0.1f, 0.6f, 1.0f};

// The lattice is turned this far about z, its planes one unit apart along
// the turned x axis and centred on the origin by kLatticeHalf.
constexpr float kLatticeTurn = 180.0f;  // degrees
constexpr int kLatticeHalf = kLatticeSize / 2;

struct WorldPoint {
    float x, y, z;
};

// Where the turn and the offsets put the site at (column, row, plane).
constexpr WorldPoint sitePosition(int column, int row, int plane) {
    return {static_cast<float>(kLatticeHalf - 1 - plane), static_cast<float>(kLatticeHalf - column),
            static_cast<float>(row - kLatticeHalf)};
}

// Whether the site lies on the lattice's outer shell: some link leads nowhere.
inline bool hasNullLink(const Site& site) {
    for (const Link& link : site.links) {
        if (!link.neighbour) return true;
    }
    return false;
}

enum class SitePoint { kNone, kTracer, kShell };

// The one point a site shows. A shell site with a tracer point would also get
// its marker, but the marker lies at the tracer point's vertex and depth, on
// the centre pixel of its 3 x 3, and under GL_LESS the point drawn first
// keeps the pixel: the marker never shows, so it is not drawn. A tracer of 0,
// a negative one or NaN shows nothing.
// The rule, for a tracer kept apart from its site.
inline SitePoint pointOf(float tracer, bool onShell) {
    if (tracer > 0) return SitePoint::kTracer;
    return onShell ? SitePoint::kShell : SitePoint::kNone;
}

inline SitePoint pointOf(const Site& site) {
    // A site with a tracer point needs no look at its links.
    if (site.getTracer() > 0) return SitePoint::kTracer;
    return pointOf(site.getTracer(), hasNullLink(site));
}

// Visits the sites in drawing order, which decides who wins a depth tie:
// plane by plane (onPlane(plane) before each), then row by row, then column
// by column, calling onSite(site, column, row).
template <typename PlaneVisitor, typename SiteVisitor>
void forEachSiteInDrawingOrder(const Volume& volume, PlaneVisitor onPlane, SiteVisitor onSite) {
    for (int plane = 0; plane < kLatticeSize; ++plane) {
        onPlane(plane);
        for (int row = 0; row < kLatticeSize; ++row) {
            for (int column = 0; column < kLatticeSize; ++column) {
                onSite(*volume.planes[plane]->siteAt(column, row), column, row);
            }
        }
    }
}

// Whether each site lies on the outer shell, in drawing order.
std::vector<bool> shellSites(const Volume& volume);
