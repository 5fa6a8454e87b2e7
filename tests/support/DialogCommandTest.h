#pragma once

#include <gtest/gtest.h>

#include "frame/CommandSettings.h"
#include "frame/ModuleResources.h"
#include "tests/support/TestDrawing.h"

// A dialog command's test: the plug-in's resources, a working drawing, and
// the process's last choices, which the dialogs change, put back afterwards.
// Every object the command opened must be closed again.
class DialogCommandTest : public testing::Test {
protected:
    void SetUp() override { m_saved = TheCommandSettings(); }
    void TearDown() override
    {
        TheCommandSettings() = m_saved;
        EXPECT_EQ(drawing.openCount(), 0u);
    }

    ModuleResourceChain resources;
    TestDrawing drawing;

private:
    CommandSettings m_saved;
};
