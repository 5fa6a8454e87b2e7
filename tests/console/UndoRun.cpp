// U, UNDO and REDO in a script: whole commands go back and forth, and the
// drawing written is the one a script without them writes.

#include <gtest/gtest.h>

#include "tests/console/ConsoleRun.h"

namespace {

const char* const kCurve = "D_Koszowa\n10\n-20,0\n0,0\n0,-20\n";

}  // namespace

TEST(UndoRun, UndoneAndRedoneCommandsLeaveTheDrawingOfTheScriptWithoutThem)
{
    ScratchDir dir;
    const std::string plain = std::string(kCurve);
    const std::string undone = std::string(kCurve) + "LAYER Projektowane\n" + kCurve + "UNDO 2\nREDO\nU\nU\nU\nREDO\n";
    const ConsoleResult a =
        runTarvo({"run", "--script", dir.write("a.scr", plain), "--out", dir.path("a.dxf").string()});
    const ConsoleResult b =
        runTarvo({"run", "--script", dir.write("b.scr", undone), "--out", dir.path("b.dxf").string()});
    ASSERT_EQ(a.status, 0) << a.out << a.err;
    ASSERT_EQ(b.status, 0) << b.out << b.err;
    EXPECT_TRUE(Contains(b.out, "Cofnięto: D_Koszowa\nCofnięto: LAYER\nPolecenie: REDO\nPrzywrócono: LAYER"));
    EXPECT_TRUE(Contains(b.out, "Nie ma czego cofnąć."));
    EXPECT_EQ(readFile(dir.path("a.dxf")), readFile(dir.path("b.dxf")));
}

TEST(UndoRun, AWrongCountStopsTheScript)
{
    ScratchDir dir;
    const std::string script = std::string(kCurve) + "UNDO 0\n";
    const ConsoleResult r = runTarvo({"run", "--script", dir.write("c.scr", script)});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "c.scr:6: UNDO: oczekiwano liczby kroków od 1 do 1000"));
}
