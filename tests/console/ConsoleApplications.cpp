// Loading and unloading applications through the console, as the host does.

#include <gtest/gtest.h>

#include "console/ConsoleRun.h"

TEST(ConsoleApplications, LoadUnloadAndLoadAgainReregistersTheCommands)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Punkt\n1,2\nARX U\nT_Punkt\nARX L\nT_Punkt\n3,4\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTNORM 1.000,2.000,0.000"));
    EXPECT_TRUE(Contains(r.out, "Wyładowano \"tarvo_test.zrx\"."));
    EXPECT_TRUE(Contains(r.out, "Nieznane polecenie \"T_Punkt\"."));
    EXPECT_TRUE(Contains(r.out, "Załadowano \"tarvo_test.zrx\"."));
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTNORM 3.000,4.000,0.000"));
}

TEST(ConsoleApplications, ATakenNameIsRefusedWithoutStoppingTheOthers)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Dup\nT_Po\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "odmowa t_dup: eDuplicateKey"));
    EXPECT_TRUE(Contains(r.out, "T_DUP pierwsze"));
    EXPECT_FALSE(Contains(r.out, "T_DUP drugie"));
    EXPECT_TRUE(Contains(r.out, "T_PO"));
}

TEST(ConsoleApplications, CommandsLeftBehindAtUnloadAreTakenOut)
{
    // The handler's code is gone after unloading; running it would crash.
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Obca\nARX U\nT_Obca\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "T_OBCA"));
    EXPECT_TRUE(Contains(r.out, "Usunięto polecenie TarvoObce/T_Obca"));
    EXPECT_TRUE(Contains(r.out, "Nieznane polecenie \"T_Obca\"."));
}

TEST(ConsoleApplications, TheSystemPluginLoadsUnloadsAndEnsuresItsTextStyleOnce)
{
    ScratchDir dir;
    const std::string out = dir.path("out.dxf").string();
    const ConsoleResult r =
        runTarvo({"run", "--script", dir.write("s.scr", "ARX U\nARX L\n"), "--out", out});
    ASSERT_EQ(r.status, 0) << r.err << r.out;
    EXPECT_TRUE(Contains(r.out, "Wyładowano \"tarvo.zrx\"."));
    EXPECT_TRUE(Contains(r.out, "Załadowano \"tarvo.zrx\"."));
    const std::string dxf = readFile(out);
    const size_t style = dxf.find("\nTarvowy\n");
    ASSERT_NE(style, std::string::npos);
    EXPECT_EQ(dxf.find("\nTarvowy\n", style + 1), std::string::npos) << "the style is added once";
    EXPECT_TRUE(Contains(dxf, "\nTarvowa.ttf\n"));
}

TEST(ConsoleApplications, AMissingPluginFailsTheRun)
{
    ScratchDir dir;
    const ConsoleResult r = runTarvo({"run", "--app", dir.path("nie-ma.zrx").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.out, "Nie można załadować"));
}
