#pragma once

#include <cstdint>

// The D3Q19 velocity set: one rest velocity, six axis velocities and twelve
// edge diagonals, with the per-direction constants of the equilibrium.
// Every constant depends only on the direction's class (rest, axis, diagonal).

using DirectionIndex = std::int32_t;

constexpr int kDirectionCount = 19;
// Index 0 is the rest velocity, 1..6 the axes, 7..18 the diagonals.
constexpr DirectionIndex kFirstAxis = 1;
constexpr DirectionIndex kFirstDiagonal = 7;

namespace velocity_set_detail {

struct Velocity {
    int dx, dy, dz;
};

constexpr Velocity kVelocities[kDirectionCount] = {
    {0, 0, 0},   {0, 0, -1}, {-1, 0, 0}, {0, 1, 0},   {1, 0, 0},   {0, -1, 0}, {0, 0, 1},
    {-1, 0, -1}, {0, 1, -1}, {1, 0, -1}, {0, -1, -1}, {-1, -1, 0}, {-1, 1, 0}, {1, 1, 0},
    {1, -1, 0},  {-1, 0, 1}, {0, 1, 1},  {1, 0, 1},   {0, -1, 1},
};

constexpr DirectionIndex kOpposite[kDirectionCount] = {
    0, 6, 4, 5, 2, 3, 1, 17, 18, 15, 16, 13, 14, 11, 12, 9, 10, 7, 8,
};

constexpr bool oppositesNegate() {
    for (DirectionIndex i = 0; i < kDirectionCount; ++i) {
        const Velocity& e = kVelocities[i];
        const Velocity& o = kVelocities[kOpposite[i]];
        if (o.dx != -e.dx || o.dy != -e.dy || o.dz != -e.dz) return false;
    }
    return true;
}
static_assert(oppositesNegate(), "the opposite of every direction must be its negation");

struct ClassConstants {
    float velocityLength;
    float weight;
    float linear;        // 3w
    float quadratic;     // 9/2 w
    float speedSquared;  // -3/2 w
};

// One row per class. The rest row has zero linear and quadratic
// coefficients, not 3w and 9/2 w.
constexpr ClassConstants kRest = {0.0f, 1.0f / 3, 0.0f, 0.0f, -1.0f / 2};
constexpr ClassConstants kAxis = {1.0f, 1.0f / 18, 1.0f / 6, 1.0f / 4, -1.0f / 12};
constexpr ClassConstants kDiagonal = {1.41421356237309505f, 1.0f / 36, 1.0f / 12, 1.0f / 8,
                                      -1.0f / 24};

constexpr const ClassConstants& constantsOf(DirectionIndex i) {
    return i < kFirstAxis ? kRest : (i < kFirstDiagonal ? kAxis : kDiagonal);
}

}  // namespace velocity_set_detail

// The index whose velocity is (dx, dy, dz), or -1 when no direction has it.
constexpr DirectionIndex directionOf(int dx, int dy, int dz) {
    for (DirectionIndex i = 0; i < kDirectionCount; ++i) {
        const auto& e = velocity_set_detail::kVelocities[i];
        if (e.dx == dx && e.dy == dy && e.dz == dz) return i;
    }
    return -1;
}

constexpr DirectionIndex opposite(DirectionIndex i) { return velocity_set_detail::kOpposite[i]; }

constexpr float velocityLength(DirectionIndex i) {
    return velocity_set_detail::constantsOf(i).velocityLength;
}
constexpr float weight(DirectionIndex i) { return velocity_set_detail::constantsOf(i).weight; }
constexpr float linearCoefficient(DirectionIndex i) {
    return velocity_set_detail::constantsOf(i).linear;
}
constexpr float quadraticCoefficient(DirectionIndex i) {
    return velocity_set_detail::constantsOf(i).quadratic;
}
constexpr float speedSquaredCoefficient(DirectionIndex i) {
    return velocity_set_detail::constantsOf(i).speedSquared;
}
