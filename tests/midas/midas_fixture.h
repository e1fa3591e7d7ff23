// Every test starts from a freshly started library over a fake host, and leaves it closed.
#pragma once

#include "fake_host.h"
#include "midas.h"
#include "soft/faults.h"

#include <gtest/gtest.h>

#include <string>

class MidasTest : public testing::Test {
protected:
    FakeHost fakeHost;

    void SetUp() override
    {
        soft::clearFaults();
        host::install(&fakeHost);
        ASSERT_TRUE(MIDASstartup());
    }
    void TearDown() override
    {
        soft::clearFaults();
        MIDASclose();
        host::install(nullptr);
    }

    // Configures and initialises, as the demo does before it loads its song.
    void bringUp()
    {
        ASSERT_TRUE(MIDASconfig());
        ASSERT_TRUE(MIDASinit());
    }

    static std::string lastErrorText() { return MIDASgetErrorMessage(MIDASgetLastError()); }
};
