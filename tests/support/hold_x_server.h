// Included by an end-to-end test binary: an X server started without -noreset resets
// whenever its last client leaves, and refuses connections meanwhile; between two
// tests this process and the program may both be gone. One connection held for the
// whole run keeps the server up.
#pragma once

#include <X11/Xlib.h>
#include <gtest/gtest.h>

class HoldXServer : public ::testing::Environment {
public:
    void SetUp() override { dpy_ = XOpenDisplay(nullptr); }
    void TearDown() override
    {
        if (dpy_ != nullptr)
            XCloseDisplay(dpy_);
    }

private:
    Display* dpy_ = nullptr;
};

inline const ::testing::Environment* const kHoldXServer = ::testing::AddGlobalTestEnvironment(new HoldXServer);
