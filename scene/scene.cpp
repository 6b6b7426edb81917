#include "scene.h"

#include <algorithm>
#include <cmath>

#include "orbit_camera.h"

namespace {

// 360 / pi: turns a half-angle in radians into the full angle in degrees.
constexpr double kHalfRadiansToFullDegrees = 114.59155902616465;

}  // namespace

double verticalFieldOfView(int width, int height) {
    return std::atan(std::tan(kHorizontalFieldOfView * kPi / 360) * height / width) *
           kHalfRadiansToFullDegrees;
}

float lightingFactor() {
    // GL lights a vertex whose colour c is both its ambient and its diffuse
    // material (colour tracking) to
    //   c * model ambient + c * light ambient + c * diffuse * max(N . L, 0) + specular,
    // clamped per channel. Light 0's ambient is GL's default (0, 0, 0), its
    // diffuse white and its specular black, so that is c * (0.2 + N . L).
    // The normal N and the light's direction L are both carried into eye
    // space by the view, and N is also turned with the lattice, about z, which
    // leaves (0, 0, 1) as it is: N . L is the world's, 1 / sqrt(3).
    const float length =
        std::sqrt(kLightPosition[0] * kLightPosition[0] + kLightPosition[1] * kLightPosition[1] +
                  kLightPosition[2] * kLightPosition[2]);
    const float dot = (kNormal[0] * kLightPosition[0] + kNormal[1] * kLightPosition[1] +
                       kNormal[2] * kLightPosition[2]) /
                      length;
    // The light is white: every channel alike.
    return kModelAmbient + std::max(dot, 0.0f) * kLightDiffuse[0];
}

std::vector<bool> shellSites(const Volume& volume) {
    std::vector<bool> onShell;
    onShell.reserve(static_cast<std::size_t>(kLatticeSize) * kSitesPerPlane);
    forEachSiteInDrawingOrder(
        volume, [](int) {}, [&onShell](const Site& site, int, int) {
            onShell.push_back(hasNullLink(site));
        });
    return onShell;
}
