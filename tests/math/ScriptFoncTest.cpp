// The channel type of the scripts on its own: every operator on a row, its
// edge values, and the rules without a row and outside the row.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "math/Fonc.h"
#include "math/ValeursPhysiques.h"
#include "recording/Conversion.h"

namespace {

class FoncTest : public ::testing::Test {
protected:
    void SetUp() override {
        RESET_CONVERSION();
        Ligne.assign(NombreSlotsColonne, 0.0);
    }
    void TearDown() override { TableauTravail = nullptr; }

    void Rangee() { TableauTravail = Ligne.data(); }
    Fonc Handle(int voie, double valeur) {
        if (voie >= 0 && voie < NombreSlotsColonne) Ligne[voie] = valeur;
        return Fonc{voie, 1};
    }

    std::vector<double> Ligne;
};

struct CasOperation {
    const char* nom;
    double v, w; // this handle's value, the other handle's value
    std::function<double(const Fonc&, Fonc&)> operation;
    double attendu;
};

const CasOperation Operations[] = {
    {"add_int", 6, 0, [](const Fonc& f, Fonc&) { return f.opAdd(2); }, 8},
    {"add_r_int", 6, 0, [](const Fonc& f, Fonc&) { return f.opAdd_r(2); }, 8},
    {"add_double", 6, 0, [](const Fonc& f, Fonc&) { return f.opAdd(0.5); }, 6.5},
    {"add_r_double", 6, 0, [](const Fonc& f, Fonc&) { return f.opAdd_r(0.5); }, 6.5},
    {"add_fonc", 6, 1.5, [](const Fonc& f, Fonc& g) { return f.opAdd(g); }, 7.5},
    {"add_r_fonc", 6, 1.5, [](const Fonc& f, Fonc& g) { return f.opAdd_r(g); }, 7.5},
    {"mul_int", 6, 0, [](const Fonc& f, Fonc&) { return f.opMul(3); }, 18},
    {"mul_r_int", 6, 0, [](const Fonc& f, Fonc&) { return f.opMul_r(3); }, 18},
    {"mul_double", 6, 0, [](const Fonc& f, Fonc&) { return f.opMul(0.5); }, 3},
    {"mul_r_double", 6, 0, [](const Fonc& f, Fonc&) { return f.opMul_r(0.5); }, 3},
    {"mul_fonc", 6, 1.5, [](const Fonc& f, Fonc& g) { return f.opMul(g); }, 9},
    {"mul_r_fonc", 6, 1.5, [](const Fonc& f, Fonc& g) { return f.opMul_r(g); }, 9},
    {"sub_int", 6, 0, [](const Fonc& f, Fonc&) { return f.opSub(2); }, 4},
    {"sub_r_int", 6, 0, [](const Fonc& f, Fonc&) { return f.opSub_r(2); }, -4},
    {"sub_double", 6, 0, [](const Fonc& f, Fonc&) { return f.opSub(0.5); }, 5.5},
    {"sub_r_double", 6, 0, [](const Fonc& f, Fonc&) { return f.opSub_r(0.5); }, -5.5},
    {"sub_fonc", 6, 1.5, [](const Fonc& f, Fonc& g) { return f.opSub(g); }, 4.5},
    {"neg", 6, 0, [](const Fonc& f, Fonc&) { return f.opNeg(); }, -6},
    {"div_int", 6, 0, [](const Fonc& f, Fonc&) { return f.opDiv(4); }, 1.5},
    {"div_int_zero", 6, 0, [](const Fonc& f, Fonc&) { return f.opDiv(0); }, DivisionImpossible},
    {"div_r_int", 6, 0, [](const Fonc& f, Fonc&) { return f.opDiv_r(3); }, 0.5},
    {"div_r_int_small_v", 0.001, 0, [](const Fonc& f, Fonc&) { return f.opDiv_r(3); }, DivisionImpossible},
    {"div_r_int_small_negative_v", -0.0005, 0, [](const Fonc& f, Fonc&) { return f.opDiv_r(3); },
     DivisionImpossible},
    {"div_double", 6, 0, [](const Fonc& f, Fonc&) { return f.opDiv(0.5); }, 12},
    {"div_double_small", 6, 0, [](const Fonc& f, Fonc&) { return f.opDiv(0.001); }, DivisionImpossible},
    {"div_double_small_negative", 6, 0, [](const Fonc& f, Fonc&) { return f.opDiv(-0.0009); },
     DivisionImpossible},
    {"div_double_just_above", 6, 0, [](const Fonc& f, Fonc&) { return f.opDiv(0.002); }, 3000},
    {"div_r_double", 4, 0, [](const Fonc& f, Fonc&) { return f.opDiv_r(2.0); }, 0.5},
    {"div_r_double_tiny_v_divides", 0.0005, 0, [](const Fonc& f, Fonc&) { return f.opDiv_r(1.0); }, 2000},
    {"div_r_double_zero_v", 0, 0, [](const Fonc& f, Fonc&) { return f.opDiv_r(1.0); }, DivisionImpossible},
    {"div_fonc", 6, 1.5, [](const Fonc& f, Fonc& g) { return f.opDiv(g); }, 4},
    {"div_fonc_small", 6, 0.001, [](const Fonc& f, Fonc& g) { return f.opDiv(g); }, DivisionImpossible},
    {"cmp_above", 2.0000002, 0, [](const Fonc& f, Fonc&) { return double(f.opCmp(2)); }, 1},
    {"cmp_within", 2.00000005, 0, [](const Fonc& f, Fonc&) { return double(f.opCmp(2)); }, 0},
    {"cmp_below", 1.9999998, 0, [](const Fonc& f, Fonc&) { return double(f.opCmp(2)); }, -1},
    {"equals_within", 3.0009, 0, [](const Fonc& f, Fonc&) { return double(f.opEquals(3)); }, 1},
    {"equals_below_within", 2.9991, 0, [](const Fonc& f, Fonc&) { return double(f.opEquals(3)); }, 1},
    {"equals_outside", 3.0011, 0, [](const Fonc& f, Fonc&) { return double(f.opEquals(3)); }, 0},
};

TEST_F(FoncTest, OperatorsOnTheRow) {
    Rangee();
    for (const CasOperation& c : Operations) {
        SCOPED_TRACE(c.nom);
        const Fonc f = Handle(3, c.v);
        Fonc g = Handle(7, c.w);
        EXPECT_DOUBLE_EQ(c.operation(f, g), c.attendu);
        EXPECT_DOUBLE_EQ(f.Valeur(), c.v);
    }
}

TEST_F(FoncTest, WithoutARowEverythingIsZeroAndNothingIsWritten) {
    Handle(3, 6);
    Fonc g = Handle(7, 2);
    const Fonc f{3, 1};
    for (const CasOperation& c : Operations) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(c.operation(f, g), 0.0);
    }
    EXPECT_EQ(f.opCmp(-5), 0);
    EXPECT_FALSE(f.opEquals(0));
    EXPECT_EQ(f.opAssign(9.0), 0.0);
    EXPECT_EQ(f.opAssign(g), 0.0);
    EXPECT_EQ(Ligne[3], 6.0);
}

TEST_F(FoncTest, AssignmentWritesItsChannelExceptIndexZero) {
    Rangee();
    const Fonc f = Handle(5, 0);
    EXPECT_EQ(f.opAssign(2.5), 2.5);
    EXPECT_EQ(Ligne[5], 2.5);
    Fonc source = Handle(8, -4);
    EXPECT_EQ(f.opAssign(source), -4.0);
    EXPECT_EQ(Ligne[5], -4.0);

    const Fonc zero = Handle(0, 11);
    EXPECT_EQ(zero.opAssign(5.0), 0.0);
    EXPECT_EQ(zero.opAssign(source), 0.0);
    EXPECT_EQ(Ligne[0], 11.0);
    EXPECT_EQ(zero.Valeur(), 11.0); // read as any channel
}

TEST_F(FoncTest, IndexOutsideTheRowReadsZeroAndWritesNothing) {
    Rangee();
    std::fill(Ligne.begin(), Ligne.end(), 1.0);
    // The sanitizer build checks that nothing is read or written past the row.
    for (const int voie : {-1, -100000, NombreSlotsColonne, NombreSlotsColonne + 1, 1 << 30}) {
        SCOPED_TRACE(voie);
        const Fonc f{voie, 1};
        EXPECT_EQ(f.Valeur(), 0.0);
        EXPECT_EQ(f.opAssign(3.0), 0.0);
        EXPECT_EQ(f.opAdd(2), 2.0);
        EXPECT_EQ(f.opDiv_r(1.0), DivisionImpossible);
    }
    for (const double x : Ligne) EXPECT_EQ(x, 1.0);
    // The last slot of the row is still in it.
    const Fonc dernier{NombreSlotsColonne - 1, 1};
    EXPECT_EQ(dernier.opAssign(7.0), 7.0);
    EXPECT_EQ(Ligne.back(), 7.0);
}

TEST_F(FoncTest, ReferenceCountDeletesAtZero) {
    Fonc* f = Fonc::Fabrique(4);
    EXPECT_EQ(f->Voie, 4);
    EXPECT_EQ(f->Compte, 1);
    f->AddRef();
    EXPECT_EQ(f->Compte, 2);
    f->Release();
    EXPECT_EQ(f->Compte, 1);
    f->Release(); // deleted: the sanitizer build reports a leak or a double release
}

} // namespace
