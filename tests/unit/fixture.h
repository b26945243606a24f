// The base of the fixtures that drive the program against the fake: every
// test, and every row of a table inside one, starts as a fresh process
// would, with every area of the fake reset, the settings record holding its
// defaults and no desktop-composition library.
#pragma once

#include <gtest/gtest.h>

#include "fake/fake.h"
#include "settings/settings.h"

class FakeFixture : public ::testing::Test {
protected:
    void SetUp() override {
        fake::ResetAll();
        Settings = kDefaultSettings;
        DwmLibrary = nullptr;
        Arrange();
    }
    void TearDown() override { Finish(); }

    // The next row of a table: the last row is finished, while the fake heap
    // still knows what it holds, then everything starts again as in SetUp.
    void NextRow() {
        Finish();
        SetUp();
    }

    // What the fixture's tests start from, on top of the reset.
    virtual void Arrange() {}
    // Gives back what a test or row holds, and checks what it must leave.
    virtual void Finish() {}
};
