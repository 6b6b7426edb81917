#include "viewer_window.h"

#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

namespace {

// One window for the suite, never shown: building it builds the lattice.
class Window : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        window = new ViewerWindow(kWindowX, kWindowY, kWindowWidth, kWindowHeight, kWindowTitle);
    }

    void SetUp() override {
        window->camera = kInitialCamera;
        window->drag.end();
        window->size(800, 600);
    }

    // Sets the event state that the toolkit's queries read, then delivers it.
    static int send(int event, int x = 0, int y = 0, int button = 0) {
        Fl::e_number = event;
        Fl::e_x = x;
        Fl::e_y = y;
        if (button) Fl::e_keysym = FL_Button + button;
        return window->handle(event);
    }

    // A focused window gets its keys as FL_KEYBOARD, one without the focus
    // as FL_SHORTCUT.
    static int key(int code, int event = FL_KEYBOARD) {
        Fl::e_keysym = code;
        return window->handle(event);
    }

    static inline ViewerWindow* window = nullptr;  // like the program's, never freed
};

TEST_F(Window, StartsWithTheInitialCameraAndASeededLattice) {
    const ViewerWindow fresh(0, 0, 10, 10, "x");
    EXPECT_EQ(fresh.drag.dragButton, kNoDrag);
    EXPECT_EQ(fresh.camera.distance, 100.0f);
    EXPECT_EQ(fresh.camera.azimuth, 0.0f);
    EXPECT_EQ(fresh.volume->tau, 0.56f);
    const Site* source = fresh.volume->planes[25]->siteAt(25, 25);
    EXPECT_TRUE(source->getIsSource());
    EXPECT_EQ(source->getTracer(), 0.42f);
    delete fresh.volume;
}

TEST_F(Window, PressDragReleaseRecordTheDrag) {
    window->camera = {5.0f, 6.0f, 70.0f, 1.0f, 2.0f};
    EXPECT_EQ(send(FL_PUSH, 300, 200, 1), 1);
    EXPECT_EQ(window->drag.dragButton, 1);
    EXPECT_EQ(window->drag.pressX, 300);
    EXPECT_EQ(window->drag.mouseX, 300);
    EXPECT_EQ(window->drag.pressY, 200);
    EXPECT_EQ(window->drag.mouseY, 200);
    EXPECT_EQ(window->drag.pressCamera.distance, 70.0f);

    EXPECT_EQ(send(FL_DRAG, 100, 260), 1);
    EXPECT_EQ(window->drag.mouseX, 100);
    EXPECT_EQ(window->drag.mouseY, 260);
    EXPECT_EQ(window->camera.azimuth, 6.0f);  // applied on the next tick, not here

    window->applyDrag();
    EXPECT_EQ(window->camera.azimuth, 96.0f);
    EXPECT_EQ(window->camera.elevation, -4.0f);
    window->applyDrag();
    EXPECT_EQ(window->camera.azimuth, 96.0f);

    EXPECT_EQ(send(FL_RELEASE, 100, 260, 1), 1);
    EXPECT_EQ(window->drag.dragButton, kNoDrag);
    EXPECT_EQ(window->camera.azimuth, 96.0f);
    send(FL_DRAG, 700, 500);
    window->applyDrag();
    EXPECT_EQ(window->camera.azimuth, 96.0f);
}

// Pressed, moved and released between two ticks: the release moves the
// camera to where the pointer ended.
TEST_F(Window, AFlickReleasedBeforeATickStillTurns) {
    send(FL_PUSH, 400, 300, 1);
    send(FL_DRAG, 300, 300);
    EXPECT_EQ(send(FL_RELEASE, 200, 300, 1), 1);
    EXPECT_EQ(window->camera.azimuth, 90.0f);
    window->applyDrag();
    EXPECT_EQ(window->camera.azimuth, 90.0f);
}

// The second press comes before a tick has applied the first drag's motion:
// the press applies it, so that none of it is lost.
TEST_F(Window, SecondPressStartsANewDragWhereTheFirstLeftTheCamera) {
    send(FL_PUSH, 400, 300, 1);
    send(FL_DRAG, 300, 300);
    send(FL_PUSH, 500, 100, 2);
    EXPECT_EQ(window->drag.dragButton, 2);
    EXPECT_EQ(window->drag.pressX, 500);
    EXPECT_EQ(window->drag.pressCamera.azimuth, 45.0f);
    send(FL_DRAG, 500, 700);
    window->applyDrag();
    EXPECT_EQ(window->camera.distance, 150.0f);
    EXPECT_EQ(window->camera.azimuth, 45.0f);
    send(FL_RELEASE);
}

TEST_F(Window, ReleasesOfTheWheelLeaveTheDragUnderWay) {
    send(FL_PUSH, 400, 300, 1);
    for (int wheel = 4; wheel <= 7; ++wheel) {
        Fl::pushed(nullptr);  // as the toolkit leaves it on any release
        send(FL_RELEASE, 400, 300, wheel);
        EXPECT_EQ(window->drag.dragButton, 1) << wheel;
        EXPECT_EQ(Fl::pushed(), window) << wheel;
    }
    send(FL_DRAG, 200, 300);
    window->applyDrag();
    EXPECT_EQ(window->camera.azimuth, 90.0f);
    send(FL_RELEASE, 200, 300, 1);
    EXPECT_EQ(window->drag.dragButton, kNoDrag);
}

// A button with no camera action, and a window without size, move nothing.
TEST_F(Window, DragsThatCannotMoveTheCameraLeaveItAlone) {
    for (const auto [button, width, height] : {std::array{8, 800, 600}, std::array{1, 0, 0}}) {
        window->size(width, height);
        send(FL_PUSH, 400, 300, button);
        EXPECT_EQ(window->drag.dragButton, button);
        send(FL_DRAG, 10, 10);
        window->applyDrag();
        EXPECT_EQ(window->camera.azimuth, 0.0f) << button;
        EXPECT_EQ(window->camera.elevation, 0.0f) << button;
        EXPECT_EQ(window->camera.distance, 100.0f) << button;
        send(FL_RELEASE);
    }
}

TEST_F(Window, KeyFStepsAndEveryOtherKeyIsConsumedWithOrWithoutFocus) {
    for (int event : {FL_KEYBOARD, FL_SHORTCUT}) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(key('f', event), 1);
        const std::string step = testing::internal::GetCapturedStdout();
        EXPECT_EQ(std::count(step.begin(), step.end(), '\n'), 11) << event;
        EXPECT_EQ(step.rfind("Lattice 0: ", 0), 0u);

        testing::internal::CaptureStdout();
        for (int code : {FL_Escape, int('a'), int('g'), FL_Enter, FL_Shift_L, int(' ')}) {
            EXPECT_EQ(key(code, event), 1) << event << " " << code;
        }
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    }
}

TEST_F(Window, KeyQExitsWithStatusOne) {
    EXPECT_EXIT(key('q'), testing::ExitedWithCode(1), "");
    EXPECT_EXIT(key('q', FL_SHORTCUT), testing::ExitedWithCode(1), "");
}

TEST_F(Window, TheWheelLeavesTheCameraAlone) {
    Fl::e_dy = 1;
    send(FL_MOUSEWHEEL);
    EXPECT_EQ(window->camera.distance, 100.0f);
}

}  // namespace
