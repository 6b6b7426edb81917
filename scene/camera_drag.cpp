#include "camera_drag.h"

void CameraDrag::press(int button, int x, int y, OrbitCamera& camera, int width, int height) {
    apply(camera, width, height);
    dragButton = button;
    pressX = mouseX = x;
    pressY = mouseY = y;
    pressCamera = camera;
}

bool CameraDrag::moveTo(int x, int y) {
    if (!active()) return false;
    mouseX = x;
    mouseY = y;
    return true;
}

void CameraDrag::apply(OrbitCamera& camera, int width, int height) const {
    if (!active()) return;
    dragOrbitCamera(camera, pressCamera, dragButton, pressX - mouseX, pressY - mouseY, width,
                    height);
}

bool CameraDrag::release(int x, int y, OrbitCamera& camera, int width, int height) {
    if (!moveTo(x, y)) return false;
    apply(camera, width, height);
    end();
    return true;
}
