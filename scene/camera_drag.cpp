#include "camera_drag.h"

void CameraDrag::press(int button, int x, int y, const OrbitCamera& camera) {
    dragButton = button;
    pressX = mouseX = x;
    pressY = mouseY = y;
    pressCamera = camera;
}

void CameraDrag::moveTo(int x, int y) {
    if (dragButton == kNoDrag) return;
    mouseX = x;
    mouseY = y;
}

void CameraDrag::apply(OrbitCamera& camera, int width, int height) const {
    if (dragButton == kNoDrag) return;
    dragOrbitCamera(camera, pressCamera, dragButton, pressX - mouseX, pressY - mouseY, width,
                    height);
}

void CameraDrag::release(int x, int y, OrbitCamera& camera, int width, int height) {
    moveTo(x, y);
    apply(camera, width, height);
    dragButton = kNoDrag;
}
