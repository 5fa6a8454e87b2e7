// A refusal names the parameter the user can change to draw the island:
// the one whose value alone makes it impossible, or the pair when two
// values conflict. Setting what it names back to the kind's value draws
// the island again.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "islands/ParallelIsland.h"
#include "islands/TriangularIsland.h"

namespace {

struct BlameCase {
    const char* what;
    IslandKind kind;
    void (*change)(IslandParameters&);
    IslandLimit limit;
    const char* parameter;
    const char* second;
    const char* message;
};

void PrintTo(const BlameCase& c, std::ostream* os) { *os << c.what; }

IslandParameters defaultsOf(IslandKind kind)
{
    IslandParameters p;
    applyKindValues(p, kind);
    return p;
}

IslandFault build(const IslandParameters& p, IslandKind kind)
{
    const ZcGePoint3d p1(0, 0, 0), p2(10, 0, 0);
    return kind == IslandKind::kTriangular ? BuildTriangularIsland(p, p1, p2).fault
                                           : BuildParallelIsland(p, p1, p2).fault;
}

// The lengths a refusal of the kerbs may name.
double IslandParameters::*member(const std::string& name)
{
    static const std::map<std::string, double IslandParameters::*> members = {
        {"Sw", &IslandParameters::Sw}, {"Su", &IslandParameters::Su},   {"Rw", &IslandParameters::Rw},
        {"Ru", &IslandParameters::Ru}, {"Rw1", &IslandParameters::Rw1}, {"Ru1", &IslandParameters::Ru1}};
    return members.at(name);
}

const char* const kInletEntryArc =
    "\nŁuk krawędzi wlotu o promieniu Rw sięga od ronda poza jej załamanie ku krawędzi jezdni; wyspy nie narysowano.";
const char* const kInletArcs =
    "\nŁuki krawędzi wlotu o promieniach Rw i Rw1 nie mieszczą się razem między jej odcinkami; wyspy nie narysowano.";

class IslandBlame : public ::testing::TestWithParam<BlameCase> {};

}  // namespace

TEST_P(IslandBlame, NamesWhatToChange)
{
    const BlameCase& c = GetParam();
    IslandParameters p = defaultsOf(c.kind);
    c.change(p);
    const IslandFault fault = build(p, c.kind);
    EXPECT_EQ(fault.limit, c.limit) << IslandFaultMessage(fault);
    EXPECT_STREQ(fault.parameter, c.parameter);
    EXPECT_STREQ(fault.second, c.second);
    EXPECT_EQ(IslandFaultMessage(fault), c.message);

    for (const char* named : {c.parameter, c.second}) {
        if (!*named)
            continue;
        IslandParameters fixed = p;
        fixed.*member(named) = defaultsOf(c.kind).*member(named);
        EXPECT_FALSE(build(fixed, c.kind)) << "with " << named << " as the kind has it";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kerbs, IslandBlame,
    ::testing::Values(
        // Both arcs of this kerb fit: a sound island, drawn.
        BlameCase{"triangular, Rw 30", IslandKind::kTriangular, [](IslandParameters& p) { p.Rw = 30.0; },
                  IslandLimit::None, "", "", ""},
        BlameCase{"triangular, Rw 60", IslandKind::kTriangular, [](IslandParameters& p) { p.Rw = 60.0; },
                  IslandLimit::KerbEntryArc, "Rw", "", kInletEntryArc},
        BlameCase{"parallel, Rw 60", IslandKind::kParallel, [](IslandParameters& p) { p.Rw = 60.0; },
                  IslandLimit::KerbEntryArc, "Rw", "", kInletEntryArc},
        BlameCase{"parallel, Rw 100", IslandKind::kParallel, [](IslandParameters& p) { p.Rw = 100.0; },
                  IslandLimit::KerbEntryArc, "Rw", "", kInletEntryArc},
        BlameCase{"triangular, Sw 1e308", IslandKind::kTriangular, [](IslandParameters& p) { p.Sw = 1e308; },
                  IslandLimit::TooLarge, "Sw", "",
                  "\nParametr Sw nie może przekraczać 10000000; wyspy nie narysowano."},
        BlameCase{"parallel, Sw 1e308", IslandKind::kParallel, [](IslandParameters& p) { p.Sw = 1e308; },
                  IslandLimit::TooLarge, "Sw", "",
                  "\nParametr Sw nie może przekraczać 10000000; wyspy nie narysowano."},
        BlameCase{"triangular, Rw 40 against Rw1 150", IslandKind::kTriangular,
                  [](IslandParameters& p) {
                      p.Rw = 40.0;
                      p.Rw1 = 150.0;
                  },
                  IslandLimit::KerbArcs, "Rw", "Rw1", kInletArcs},
        BlameCase{"parallel, Rw 20 against Rw1 100", IslandKind::kParallel,
                  [](IslandParameters& p) {
                      p.Rw = 20.0;
                      p.Rw1 = 100.0;
                  },
                  IslandLimit::KerbArcs, "Rw", "Rw1", kInletArcs},
        BlameCase{"triangular, outlet break 1000", IslandKind::kTriangular, [](IslandParameters& p) { p.Ru1 = 1000.0; },
                  IslandLimit::KerbBreak, "Ru1", "",
                  "\nŁuk załamania krawędzi wylotu o promieniu Ru1 nie mieści się między jej odcinkami; wyspy nie "
                  "narysowano."}));
