// The real event loop and frame timer with a window that counts its
// drawings: a tick redraws only when the picture can have changed, and what
// the toolkit redraws by itself looks as before. Needs a display: CTest runs
// it under an Xvfb of its own.
#include <gtest/gtest.h>
// After the test framework: the X headers define macros such as None.
#include <FL/Fl.H>
#include <FL/x.H>

#include <chrono>
#include <vector>

#include "counting_window.h"
#include "event_loop.h"

namespace {

using Clock = std::chrono::steady_clock;

// Runs the loop until the condition holds; false if it did not within the time.
template <typename Condition>
bool runUntil(Condition condition, double seconds = 5) {
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (Clock::now() >= end) return false;
        Fl::wait(0.01);
    }
    return true;
}

// What the X server shows of the window: the picture a user sees.
std::vector<char> shownPixels(const Fl_Window& window) {
    XSync(fl_display, False);
    XImage* image =
        XGetImage(fl_display, fl_xid(&window), 0, 0, window.w(), window.h(), AllPlanes, ZPixmap);
    if (!image) return {};
    std::vector<char> pixels(image->data, image->data + image->bytes_per_line * image->height);
    XDestroyImage(image);
    return pixels;
}

class Redraw : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Fl::visual(FL_RGB);
        // Never freed, like the program's window.
        window = new CountingWindow(kWindowX, kWindowY, kWindowWidth, kWindowHeight, kWindowTitle);
        window->show();
        Fl::add_timeout(0.0, timerTick, window);
        EXPECT_TRUE(runUntil([] { return window->visible() && window->draws > 0; }))
            << "the window was never drawn";
    }

    void SetUp() override { settle(); }

    // Waits for the drawing to catch up: no drawing for a few frame periods,
    // or five seconds at most. Then counts afresh.
    static void settle() {
        for (int i = 0; i < 50; ++i) {
            const long before = window->draws;
            runFor(4 * kFramePeriod);
            if (window->draws == before) break;
        }
        window->draws = 0;
    }

    static void send(int event, int x, int y, int button = 0) {
        Fl::e_x = x;
        Fl::e_y = y;
        if (button) Fl::e_keysym = FL_Button + button;
        window->handle(event);
    }

    static inline CountingWindow* window = nullptr;
};

TEST_F(Redraw, AnUntouchedWindowIsNotDrawnAgain) {
    runFor(1.0);
    EXPECT_EQ(window->draws, 0);
}

TEST_F(Redraw, AStepIsDrawnOnce) {
    testing::internal::CaptureStdout();
    Fl::e_keysym = 'f';
    window->handle(FL_KEYBOARD);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(runUntil([] { return window->draws > 0; }, 2.0));
    runFor(0.5);
    EXPECT_EQ(window->draws, 1);
}

TEST_F(Redraw, AMovingDragIsDrawnOnEveryTickAHeldButtonNever) {
    send(FL_PUSH, 400, 300, FL_LEFT_MOUSE);
    runFor(0.5);
    EXPECT_EQ(window->draws, 0) << "button held still";

    constexpr long kMoves = 10;
    for (long move = 1; move <= kMoves; ++move) {
        send(FL_DRAG, 400 - 8 * move, 300);
        EXPECT_TRUE(runUntil([move] { return window->draws == move; }, 2.0)) << move;
    }
    runFor(0.3);
    EXPECT_EQ(window->draws, kMoves);
    send(FL_RELEASE, 0, 0);
    // The drag leaves the camera turned; back to the start for the next test.
    window->camera = kInitialCamera;
}

// The period the timer asks for, read from the toolkit's own order of
// timeouts rather than from a clock. Inside a timeout's callback, a repeated
// timeout is due a period after that callback was due, however late it ran.
// So a tick run from the callback `start`, which also arms one marker 20 ms
// and one 30 ms after itself, must come between the two: a busy machine
// delays all three alike.
namespace period {
CountingWindow* window;
long drawsAtStart;
bool tickedBy20ms;
bool tickedBy30ms;
bool done;

bool ticked() { return window->damage() || window->draws != drawsAtStart; }
void at20ms(void*) { tickedBy20ms = ticked(); }
void at30ms(void*) {
    tickedBy30ms = ticked();
    done = true;
}
void start(void*) {
    timerTick(window);
    window->clear_damage();
    drawsAtStart = window->draws;
    Fl::repeat_timeout(0.020, at20ms);
    Fl::repeat_timeout(0.030, at30ms);
}
}  // namespace period

TEST_F(Redraw, TheFrameTimerTicksEvery25Milliseconds) {
    window->countOnly = true;  // every tick redraws, at no cost
    window->drawnLatticeIsCurrent = false;
    Fl::remove_timeout(timerTick, window);
    period::window = window;
    period::done = false;
    Fl::add_timeout(0.0, period::start);
    EXPECT_TRUE(runUntil([] { return period::done; }));
    EXPECT_FALSE(period::tickedBy20ms) << "the timer ticks sooner than every 20 ms";
    EXPECT_TRUE(period::tickedBy30ms) << "the timer ticks later than every 30 ms";
    window->countOnly = false;
    window->redraw();
}

TEST_F(Redraw, WhatTheToolkitRedrawsLooksAsBefore) {
    const std::vector<char> before = shownPixels(*window);
    ASSERT_FALSE(before.empty());

    // Covered and uncovered by another window.
    Fl_Window cover(kWindowX + 100, kWindowY + 100, 300, 200);
    cover.show();
    runUntil([&cover] { return cover.visible(); });
    runFor(0.2);
    cover.hide();
    settle();
    EXPECT_EQ(shownPixels(*window), before) << "uncovered";

    // Unmapped and mapped again: a new context, drawn afresh.
    window->hide();
    runFor(0.2);
    window->show();
    EXPECT_TRUE(runUntil([] { return window->visible() && window->draws > 0; }));
    settle();
    EXPECT_EQ(shownPixels(*window), before) << "mapped again";

    // Resized: the same as a window opened at the new size.
    window->size(640, 480);
    EXPECT_TRUE(runUntil([] { return window->draws > 0; }));
    settle();
    const std::vector<char> resized = shownPixels(*window);
    window->hide();
    auto* opened = new CountingWindow(kWindowX, kWindowY, 640, 480, kWindowTitle);
    delete opened->volume;
    opened->volume = window->volume;
    opened->show();
    Fl::add_timeout(0.0, timerTick, opened);
    EXPECT_TRUE(runUntil([opened] { return opened->visible() && opened->draws > 0; }));
    runFor(0.3);
    EXPECT_EQ(shownPixels(*opened), resized);
    Fl::remove_timeout(timerTick, opened);
    delete opened;  // frees nothing of the lattice
    window->size(kWindowWidth, kWindowHeight);
    window->show();
}

}  // namespace
