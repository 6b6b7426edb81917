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

// Indexed by class: 0 rest, 1 axis, 2 diagonal. The rest row has zero linear
// and quadratic coefficients, not 3w and 9/2 w.
constexpr float kVelocityLength[3] = {0.0f, 1.0f, 1.41421356237309505f};
constexpr float kWeight[3] = {1.0f / 3, 1.0f / 18, 1.0f / 36};
constexpr float kLinear[3] = {0.0f, 1.0f / 6, 1.0f / 12};
constexpr float kQuadratic[3] = {0.0f, 1.0f / 4, 1.0f / 8};
constexpr float kSpeedSquared[3] = {-1.0f / 2, -1.0f / 12, -1.0f / 24};

constexpr int directionClass(DirectionIndex i) {
    return i < kFirstAxis ? 0 : (i < kFirstDiagonal ? 1 : 2);
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
    return velocity_set_detail::kVelocityLength[velocity_set_detail::directionClass(i)];
}
constexpr float weight(DirectionIndex i) {
    return velocity_set_detail::kWeight[velocity_set_detail::directionClass(i)];
}
constexpr float linearCoefficient(DirectionIndex i) {
    return velocity_set_detail::kLinear[velocity_set_detail::directionClass(i)];
}
constexpr float quadraticCoefficient(DirectionIndex i) {
    return velocity_set_detail::kQuadratic[velocity_set_detail::directionClass(i)];
}
constexpr float speedSquaredCoefficient(DirectionIndex i) {
    return velocity_set_detail::kSpeedSquared[velocity_set_detail::directionClass(i)];
}
