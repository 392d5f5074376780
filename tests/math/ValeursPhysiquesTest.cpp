#include <cmath>
#include <cstring>
#include <limits>

#include "MathTestUtil.h"

namespace {

constexpr uint8_t Enregistreur = 0; // any conversion code other than the viewer's 12

struct CasFormule {
    const char* nom;
    uint8_t type;
    uint8_t modeleTKAR;
    uint8_t nouvelleFormule;
    uint8_t op;
    float coefB;
    uint16_t brutA, brutB;
    double attendu;
};

// CoefA 2, CoefC 5, CoefD 7 throughout; CoefB and the raw operands vary.
const CasFormule CasFormules[] = {
    // Viewer functions: C + (A*a op B*b).
    {"viewer_add", ConversionFonctionViewer, 0, 1, 0, 3.f, 10, 4, 5 + (20 + 12)},
    {"viewer_sub", ConversionFonctionViewer, 0, 1, 1, 3.f, 10, 4, 5 + (20 - 12)},
    {"viewer_mul", ConversionFonctionViewer, 0, 1, 2, 3.f, 10, 4, 5 + (20 * 12)},
    {"viewer_div", ConversionFonctionViewer, 0, 1, 3, 3.f, 10, 4, 5 + 20.0 / 12.0},
    {"viewer_add_B0", ConversionFonctionViewer, 0, 1, 0, 0.f, 10, 4, 5 + 20},
    {"viewer_sub_B0", ConversionFonctionViewer, 0, 1, 1, 0.f, 10, 4, 5 + 20},
    {"viewer_mul_B0", ConversionFonctionViewer, 0, 1, 2, 0.f, 10, 4, 5 + 0},
    {"viewer_div_B0_returns_dividend", ConversionFonctionViewer, 0, 1, 3, 0.f, 10, 4, 5 + 20},
    {"viewer_div_zero_channel", ConversionFonctionViewer, 0, 1, 3, 3.f, 10, 0, 5 + 20},
    {"viewer_op5_divides", ConversionFonctionViewer, 0, 1, 5, 3.f, 10, 4, 5 + 20.0 / 12.0},
    {"viewer_op5_zero_divisor", ConversionFonctionViewer, 0, 1, 5, 0.f, 10, 4, 5 + 20},
    // TKAR model: B is not applied to * and /, channel 2 is used as it stands.
    {"tkar_viewer_add_keeps_B", ConversionFonctionViewer, 1, 1, 0, 3.f, 10, 4, 5 + (20 + 12)},
    {"tkar_viewer_mul_noB", ConversionFonctionViewer, 1, 1, 2, 3.f, 10, 4, 5 + 20 * 4},
    {"tkar_viewer_div_noB", ConversionFonctionViewer, 1, 1, 3, 3.f, 10, 4, 5 + 20.0 / 4},
    {"tkar_viewer_mul_B0_noB", ConversionFonctionViewer, 1, 1, 2, 0.f, 10, 4, 5 + 20 * 4},
    // Recorder, newer formula: B + (A*a op C*b), or D*b on the TKAR model.
    {"newer_add", Enregistreur, 0, 1, 0, 3.f, 10, 4, 3 + (20 + 20)},
    {"newer_sub", Enregistreur, 0, 1, 1, 3.f, 10, 4, 3 + (20 - 20)},
    {"newer_mul", Enregistreur, 0, 1, 2, 3.f, 10, 4, 3 + 20 * 20},
    {"newer_div", Enregistreur, 0, 1, 3, 3.f, 10, 4, 3 + 20.0 / 20},
    {"newer_div_zero", Enregistreur, 0, 1, 3, 3.f, 10, 0, 3 + 20},
    {"newer_tkar_add_D", Enregistreur, 1, 1, 0, 3.f, 10, 4, 3 + (20 + 28)},
    {"newer_tkar_mul_D", Enregistreur, 1, 1, 2, 3.f, 10, 4, 3 + 20 * 28},
    {"newer_tkar_div_D", Enregistreur, 1, 1, 3, 3.f, 10, 4, 3 + 20.0 / 28},
    // Recorder, older formula: A * (a op b) + B.
    {"older_add", Enregistreur, 0, 0, 0, 3.f, 10, 4, 2 * 14 + 3},
    {"older_sub", Enregistreur, 0, 0, 1, 3.f, 10, 4, 2 * 6 + 3},
    {"older_mul", Enregistreur, 0, 0, 2, 3.f, 10, 4, 2 * 40 + 3},
    {"older_div", Enregistreur, 0, 0, 3, 3.f, 10, 4, 2 * 2.5 + 3},
    {"older_div_zero", Enregistreur, 0, 0, 3, 3.f, 10, 0, 2 * 10 + 3},
    {"older_op5", Enregistreur, 0, 0, 5, 3.f, 10, 4, 2 * 2.5 + 3},
    {"older_op200_zero", Enregistreur, 0, 0, 200, 3.f, 10, 0, 2 * 10 + 3},
    {"older_tkar_mul", Enregistreur, 1, 0, 2, 3.f, 10, 4, 2 * 40 + 3},
};

class Formules : public MathTest, public ::testing::WithParamInterface<CasFormule> {};

TEST_P(Formules, ComputedChannelValue) {
    const CasFormule& cas = GetParam();
    Analogiques(2);
    EnteteF.ModeleTKAR = cas.modeleTKAR;
    EnteteF.NouvelleFormule = cas.nouvelleFormule;
    const int k = Calculee(cas.type, cas.op, 0, 1, 2.f, cas.coefB, 5.f, 7.f);
    const auto ligne = Ligne({cas.brutA, cas.brutB});
    EXPECT_DOUBLE_EQ(ligne[0], cas.brutA);
    EXPECT_DOUBLE_EQ(ligne[1], cas.brutB);
    EXPECT_DOUBLE_EQ(ligne[k], cas.attendu);
}

INSTANTIATE_TEST_SUITE_P(Cas, Formules, ::testing::ValuesIn(CasFormules),
                         [](const auto& info) { return std::string(info.param.nom); });

using RecupDouble = MathTest;

TEST_F(RecupDouble, AnalogChannelsUseTheirScaling) {
    Analogiques(2);
    EnteteF.CalibVoie[1].Decalage = 2.f;
    EnteteF.CalibVoie[1].Gain = 0.5f;
    EnteteF.CalibVoie[1].TypeConversion = 2;
    EnteteF.CalibVoie[1].CoefA = 3.f;
    EnteteF.CalibVoie[1].CoefB = 1.f;
    const auto ligne = Ligne({7, 10});
    EXPECT_DOUBLE_EQ(ligne[0], 7.0);
    EXPECT_DOUBLE_EQ(ligne[1], 3.0 * ((10 - 2) * 0.5) + 1.0);
    // Slots beyond the channels of the recording, the logic slot included, stay as they were.
    EXPECT_EQ(ligne[2], -999.0);
    EXPECT_EQ(ligne[SlotLogique], -999.0);
}

TEST_F(RecupDouble, ArithmeticIsDoubleWithWidenedCoefficients) {
    Analogiques(1);
    const int k = Calculee(ConversionFonctionViewer, 0, 0, 0, 0.1f, 0.f, 0.f);
    const auto ligne = Ligne({10});
    // In single precision 0.1f * 10 rounds to exactly 1.
    EXPECT_EQ(ligne[k], 10.0 * static_cast<double>(0.1f));
    EXPECT_NE(ligne[k], 1.0);
}

TEST_F(RecupDouble, ChainUsesLowerNumberedResultOfTheSameRow) {
    Analogiques(2);
    const int somme = Calculee(ConversionFonctionViewer, 0, 0, 1);                             // ch0 + ch1
    const int produit = Calculee(ConversionFonctionViewer, 2, static_cast<uint8_t>(somme), 0); // somme * ch0
    const int ancienne =
        Calculee(Enregistreur, 1, static_cast<uint8_t>(produit), 1, 1.f, 0.f); // produit - ch1
    EnteteF.NouvelleFormule = 0;
    const auto ligne = Ligne({10, 4}, std::numeric_limits<double>::quiet_NaN());
    EXPECT_DOUBLE_EQ(ligne[somme], 14.0);
    EXPECT_DOUBLE_EQ(ligne[produit], 140.0);
    EXPECT_DOUBLE_EQ(ligne[ancienne], 136.0);
}

TEST_F(RecupDouble, OperandOutsideTheChannelsReadsZero) {
    // 255: an operand the recorder could not place; 244: the logic slot; 5..243:
    // slots of the row that hold no channel of this recording.
    for (uint8_t rang : {uint8_t{255}, uint8_t{245}, uint8_t{244}, uint8_t{200}, uint8_t{5}}) {
        SCOPED_TRACE(static_cast<int>(rang));
        RESET_ENTETE();
        Analogiques(2);
        const int somme = Calculee(ConversionFonctionViewer, 0, 0, rang, 1.f, 1.f, 0.5f);
        const int produit = Calculee(ConversionFonctionViewer, 2, rang, 1, 1.f, 1.f, 0.5f);
        Calculee(ConversionFonctionViewer, 0, 0, 1);
        std::vector<uint16_t> brut(NombreSlotsColonne, 1000);
        brut[0] = 10;
        brut[1] = 4;
        std::vector<double> ligne(NombreSlotsColonne, 77.0);
        RECUP_DOUBLE(brut.data(), ligne.data(), {});
        EXPECT_DOUBLE_EQ(ligne[somme], 10.5);
        EXPECT_DOUBLE_EQ(ligne[produit], 0.5);
    }
}

TEST_F(RecupDouble, OperandNotYetComputedInTheRowReadsZero) {
    // A function of itself or of a later channel: the slot still holds the value of the
    // previous conversion of this column, which must not leak into the result (nor grow at
    // every redraw).
    Analogiques(1);
    const int soi = Calculee(ConversionFonctionViewer, 0, 0, 1, 1.f, 1.f, 0.f);   // ch0 + itself
    const int avant = Calculee(ConversionFonctionViewer, 0, 0, 3, 1.f, 1.f, 0.f); // ch0 + next one
    const int apres = Calculee(ConversionFonctionViewer, 0, 0, 0, 2.f, 0.f, 0.f); // 2 x ch0
    std::vector<uint16_t> brut(NombreSlotsColonne, 0);
    brut[0] = 10;
    std::vector<double> ligne(NombreSlotsColonne, 500.0);
    for (int passe = 0; passe < 3; ++passe) {
        SCOPED_TRACE(passe);
        RECUP_DOUBLE(brut.data(), ligne.data(), {});
        EXPECT_DOUBLE_EQ(ligne[soi], 10.0);
        EXPECT_DOUBLE_EQ(ligne[avant], 10.0);
        EXPECT_DOUBLE_EQ(ligne[apres], 20.0);
    }
}

TEST_F(RecupDouble, ChannelCountsBeyondTheTablesStayInsideTheRow) {
    Analogiques(2);
    EnteteF.NombreVoiesAnalog = 250;
    EnteteF.NombreVoiesTotal = 255;
    std::vector<uint16_t> brut(NombreSlotsColonne, 3);
    std::vector<double> ligne(NombreSlotsColonne, -1.0);
    RECUP_DOUBLE(brut.data(), ligne.data(), {}); // the sanitizer build checks the bounds
    EXPECT_DOUBLE_EQ(ligne[1], 3.0);
    EXPECT_EQ(ligne[SlotLogique], -1.0);
}

TEST_F(RecupDouble, AllColumnsOfTheTable) {
    Analogiques(2);
    const int diff = Calculee(ConversionFonctionViewer, 1, 0, 1, 1.f, 1.f, 0.f);
    const int quotient = Calculee(ConversionFonctionViewer, 3, 1, 0, 1.f, 1.f, 0.f);
    std::vector<uint16_t> tab(static_cast<std::size_t>(NombreColonnesTable) * NombreSlotsColonne, 0);
    std::vector<double> flot(tab.size(), -5.0);
    for (int c = 0; c < NombreColonnesTable; ++c) {
        tab[c * NombreSlotsColonne + 0] = static_cast<uint16_t>(c);
        tab[c * NombreSlotsColonne + 1] = static_cast<uint16_t>(2 * c + 1);
        tab[c * NombreSlotsColonne + SlotLogique] = 0xFFFF;
    }
    RECUP_AVEC_FONCTION(tab.data(), flot.data());
    for (int c = 0; c < NombreColonnesAffichage; ++c) {
        const double* ligne = &flot[c * NombreSlotsColonne];
        ASSERT_DOUBLE_EQ(ligne[0], c) << c;
        ASSERT_DOUBLE_EQ(ligne[1], 2 * c + 1) << c;
        ASSERT_DOUBLE_EQ(ligne[diff], -c - 1.0) << c;
        ASSERT_DOUBLE_EQ(ligne[quotient], c == 0 ? 1.0 : (2 * c + 1.0) / c) << c;
        ASSERT_EQ(ligne[SlotLogique], -5.0) << c;
    }
    // Columns past the 1000 of a display pass are not touched.
    EXPECT_EQ(flot[NombreColonnesAffichage * NombreSlotsColonne], -5.0);
    RECUP_AVEC_FONCTION(tab.data(), flot.data(), NombreColonnesTable);
    EXPECT_DOUBLE_EQ(flot[(NombreColonnesTable - 1) * NombreSlotsColonne + diff],
                     -(NombreColonnesTable - 1) - 1.0);
}

// Script channels and the order of evaluation when a recording carries scripts.
class Scripts : public MathTest {
protected:
    int appels = 0;
    double* ligneVue = nullptr;

    // Scripts of slots 0 and 2 on a two-channel recording of family `famille`; the
    // script channels carry recorder formulas that must never be applied.
    void Recording(FamilleREC famille) {
        Analogiques(2, famille);
        const int base = famille == FamilleTKOS ? LimiteAnalogTKOS : LimiteAnalogVEL;
        if (famille == FamilleTKOS) {
            EnteteF.EnteteTKOS.Presence.Masque[base / 32] |= 1u << (base % 32);
            EnteteF.EnteteTKOS.Presence.Masque[(base + 2) / 32] |= 1u << ((base + 2) % 32);
        } else {
            AJOUT_ONOFF(EnteteF.EnteteVEL.Presence, base);
            AJOUT_ONOFF(EnteteF.EnteteVEL.Presence, base + 2);
        }
        EnteteF.NouvelleFormule = 0;
        Calculee(Enregistreur, 0, 0, 1, 100.f, 100.f); // slot 0's channel 2
        Calculee(Enregistreur, 0, 0, 1, 100.f, 100.f); // slot 2's channel 3
        ValiditeAngelScript = 1;
        // Slot 0 writes its channel from channel 0; slot 2 assigns nothing.
        INSTALLER_CROCHET_SCRIPTS([this](tRangee) {
            ++appels;
            ligneVue = TableauTravail;
            if (TableauTravail != nullptr) TableauTravail[2] = TableauTravail[0] * 3;
        });
    }
};

TEST_F(Scripts, ScriptChannelsFollowTheAnalogChannels) {
    Recording(FamilleTKOS);
    EXPECT_EQ(NOMBRE_VOIES_SCRIPT(), 2);
    // Slots from 24 on never run, so they own no channel.
    EnteteF.EnteteTKOS.Presence.Masque[(LimiteAnalogTKOS + 24) / 32] |= 1u << ((LimiteAnalogTKOS + 24) % 32);
    EXPECT_EQ(NOMBRE_VOIES_SCRIPT(), 2);
    EnteteF.FamilleEnregistreur = FamilleTKAR;
    EXPECT_EQ(NOMBRE_VOIES_SCRIPT(), 0);
}

TEST_F(Scripts, ScriptsRunOnTheRowAndKeepTheirChannels) {
    Recording(FamilleTKOS);
    std::vector<uint16_t> brut(NombreSlotsColonne, 0);
    brut[0] = 10;
    brut[1] = 4;
    std::vector<double> ligne(NombreSlotsColonne, 55.0);
    RECUP_DOUBLE(brut.data(), ligne.data(), {});
    EXPECT_EQ(appels, 1);
    EXPECT_EQ(ligneVue, ligne.data());
    EXPECT_EQ(TableauTravail, nullptr); // no row is being computed any more
    EXPECT_DOUBLE_EQ(ligne[0], 10.0);   // the scripts see the analog values
    EXPECT_DOUBLE_EQ(ligne[2], 30.0);
    EXPECT_DOUBLE_EQ(ligne[3], 0.0); // cleared, not assigned, no formula applied
}

TEST_F(Scripts, WithoutEngineScriptChannelsAreZero) {
    Recording(FamilleVEL);
    INSTALLER_CROCHET_SCRIPTS({});
    const auto ligne = Ligne({10, 4});
    EXPECT_DOUBLE_EQ(ligne[2], 0.0);
    EXPECT_DOUBLE_EQ(ligne[3], 0.0);
}

TEST_F(Scripts, HookNotCalledWhenScriptsAreNotLoaded) {
    Recording(FamilleTKOS);
    ValiditeAngelScript = 0;
    const auto ligne = Ligne({10, 4});
    EXPECT_EQ(appels, 0);
    EXPECT_DOUBLE_EQ(ligne[2], 100 * 14 + 100); // the recorder formulas apply
}

TEST_F(Scripts, TkosFunctionsStartAtTheFirstAddedChannel) {
    Recording(FamilleTKOS);
    Definition(0, 1.f, 1.f, 0.f, 1, 2, 0); // ch1 + the script channel 2
    ASSERT_EQ(AJOUT_FONCTION(), 0);
    ASSERT_EQ(PremiereFonctionAjoutee, 4);
    const auto ligne = Ligne({10, 4});
    EXPECT_DOUBLE_EQ(ligne[2], 30.0);
    EXPECT_DOUBLE_EQ(ligne[3], 0.0);
    EXPECT_DOUBLE_EQ(ligne[4], 4.0 + 30.0);
}

TEST_F(Scripts, VelScriptChannelsKeepTheirResultsWhenFunctionsAreAdded) {
    Recording(FamilleVEL);
    // A recorder-computed channel after the script channels keeps its formula.
    EnteteF.NouvelleFormule = 1;
    const int enregistreur = Calculee(Enregistreur, 0, 0, 1, 1.f, 0.f, 1.f); // 0 + (ch0 + ch1)
    EnteteF.NombreVoiesTotalCopie = EnteteF.NombreVoiesTotal;
    Definition(0, 2.f, 1.f, 1.f, 2, static_cast<uint8_t>(enregistreur), 0);
    ASSERT_EQ(AJOUT_FONCTION(), 0);
    const auto ligne = Ligne({10, 4});
    EXPECT_DOUBLE_EQ(ligne[2], 30.0);
    EXPECT_DOUBLE_EQ(ligne[3], 0.0);
    EXPECT_DOUBLE_EQ(ligne[enregistreur], 14.0);
    EXPECT_DOUBLE_EQ(ligne[PremiereFonctionAjoutee], 1.0 + 2 * 30.0 + 14.0);
}

TEST_F(Scripts, TkosWithoutScriptsStillEvaluatesRecorderChannels) {
    Analogiques(2, FamilleTKOS);
    EnteteF.NouvelleFormule = 0;
    const int k = Calculee(Enregistreur, 0, 0, 1, 2.f, 1.f);
    Definition(0, 1.f, 1.f, 0.f, static_cast<uint8_t>(k), 0, 1);
    ASSERT_EQ(AJOUT_FONCTION(), 0);
    const auto ligne = Ligne({10, 4});
    EXPECT_DOUBLE_EQ(ligne[k], 2 * 14 + 1);
    EXPECT_DOUBLE_EQ(ligne[PremiereFonctionAjoutee], 29.0 - 10.0);
}

} // namespace
