#include "view_matrix.h"

#include <cmath>

#include "scene.h"

namespace {

// Column-major, as GL keeps it: element (row, column) at [column * 4 + row].
using Matrix = std::array<double, 16>;

struct Vector {
    double x, y, z;
};

Vector cross(const Vector& a, const Vector& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector normalised(const Vector& v) {
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / length, v.y / length, v.z / length};
}

double dot(const Vector& a, const Vector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Matrix multiplied(const Matrix& a, const Matrix& b) {
    Matrix product{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
            product[column * 4 + row] = sum;
        }
    }
    return product;
}

// gluPerspective's matrix.
Matrix perspective(double fovyDegrees, double aspect, double near, double far) {
    const double cotangent = 1 / std::tan(fovyDegrees * kPi / 360);
    Matrix m{};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(far + near) / (far - near);
    m[11] = -1;
    m[14] = -2 * near * far / (far - near);
    return m;
}

// gluLookAt's matrix, with +z up.
Matrix lookAt(const Vector& eye, const Vector& centre) {
    const Vector forward = normalised({centre.x - eye.x, centre.y - eye.y, centre.z - eye.z});
    const Vector side = normalised(cross(forward, {0, 0, 1}));
    const Vector up = cross(side, forward);
    return {side.x, up.x, -forward.x, 0, side.y,          up.y,          -forward.y,        0,
            side.z, up.z, -forward.z, 0, -dot(side, eye), -dot(up, eye), dot(forward, eye), 1};
}

}  // namespace

Matrix4 viewProjection(const OrbitCamera& camera, int width, int height) {
    const EyePosition eye = eyePosition(camera);
    const Matrix projection = perspective(verticalFieldOfView(width, height),
                                          static_cast<double>(width) / static_cast<double>(height),
                                          kNearPlane, kFarPlane);
    const Matrix view = lookAt({eye.x, eye.y, eye.z}, {camera.targetX, camera.targetY, kTargetZ});
    const Matrix both = multiplied(projection, view);
    Matrix4 rounded;
    for (int i = 0; i < 16; ++i) rounded[i] = static_cast<float>(both[i]);
    return rounded;
}
