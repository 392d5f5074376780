// The display set-up derived on opening: ranges and number formats from the
// file, the screen count and layout, the logic band.
#include "test_ouverture_fixture.h"

#include <cmath>
#include <limits>

#include "config/Reticule.h"

using namespace ouverture_test;

namespace {

struct CasBornes {
    float Centre, Etendue;
    int8_t Position;
    float Min, Max;
};

TEST_F(OuvertureTest, RangesFromTheFileWhenTheRecorderRangeIsChosen) {
    const CasBornes cas[] = {
        {5.f, 20.f, -50, 0.f, 20.f},       {0.f, 65536.f, 0, -32768.f, 32768.f}, {5.f, 20.f, 30, -8.f, 12.f},
        {100.f, 10.f, -100, 100.f, 110.f}, {-2.5f, 1.f, 100, -3.5f, -2.5f},
    };
    Enregistrement e = PetitTKAR();
    e.Voies.clear();
    for (int i = 0; i < static_cast<int>(std::size(cas)); ++i)
        e.Voies.push_back(Voie{.Numero = i,
                               .Etendue = cas[i].Etendue,
                               .Centre = cas[i].Centre,
                               .PositionVoie = cas[i].Position});

    Config.TypeCalibre = 1;
    ASSERT_EQ(Ouvrir(e), LectureOK);
    for (int i = 0; i < static_cast<int>(std::size(cas)); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(Val(Config.ParamVoie[i].BorneMin), cas[i].Min);
        EXPECT_FLOAT_EQ(Val(Config.ParamVoie[i].BorneMax), cas[i].Max);
    }

    // Automatic ranges: the configured bounds stay.
    for (int i = 0; i < 5; ++i) Config.ParamVoie[i].BorneMin = -7.f, Config.ParamVoie[i].BorneMax = 9.f;
    Config.ParamVoie[0].FormatAffichage = 2;
    Config.TypeCalibre = 0;
    ASSERT_EQ(Ouvrir(e), LectureOK);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Val(Config.ParamVoie[i].BorneMin), -7.f);
        EXPECT_EQ(Val(Config.ParamVoie[i].BorneMax), 9.f);
    }
    EXPECT_EQ(Config.ParamVoie[0].FormatAffichage, 2);
}

TEST_F(OuvertureTest, RangesOfAHostileFileAreMadeUsable) {
    Enregistrement e = PetitTKAR();
    e.Voies = {Voie{.Numero = 0, .Etendue = std::numeric_limits<float>::quiet_NaN(), .Centre = 1.f},
               Voie{.Numero = 1, .Etendue = 0.f, .Centre = 3.f},
               Voie{.Numero = 2, .Etendue = std::numeric_limits<float>::infinity(), .Centre = 0.f}};
    Config.TypeCalibre = 1;
    ASSERT_EQ(Ouvrir(e), LectureOK);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const float bas = Config.ParamVoie[i].BorneMin, haut = Config.ParamVoie[i].BorneMax;
        EXPECT_TRUE(std::isfinite(bas) && std::isfinite(haut));
        EXPECT_GT(haut, bas);
    }
    // An empty span: the top is put above the bottom by the range rule.
    EXPECT_EQ(Val(Config.ParamVoie[1].BorneMin), 3.f);
    EXPECT_EQ(Val(Config.ParamVoie[1].BorneMax), 8.f);
}

TEST_F(OuvertureTest, NumberFormatOfRevisionZeroFollowsTheUnitKind) {
    Enregistrement e = PetitTKAR();
    e.Revision = 0;
    e.Voies.clear();
    for (int genre = 0; genre < 8; ++genre)
        e.Voies.push_back(Voie{.Numero = genre, .TypeUnite = static_cast<uint16_t>(genre), .FormatVoie = 2});
    e.Voies.push_back(Voie{.Numero = 8, .TypeUnite = 2, .TypeConversion = 2});             // another law
    e.Voies.push_back(Voie{.Numero = 36, .TypeUnite = 6, .Operande1 = 0, .Operande2 = 1}); // computed
    Config.TypeCalibre = 1;
    for (auto& p : Config.ParamVoie) p.FormatAffichage = 9;
    ASSERT_EQ(Ouvrir(e), LectureOK);
    ASSERT_EQ(E.NombreVoiesTotal, 10);
    const int attendu[10] = {0, 0, 1, 1, 0, 1, 1, 0, 0, 0};
    for (int n = 0; n < 10; ++n) EXPECT_EQ(Config.ParamVoie[n].FormatAffichage, attendu[n]) << n;
    EXPECT_EQ(Config.ParamVoie[10].FormatAffichage, 9); // beyond the recording: untouched
}

TEST_F(OuvertureTest, NumberFormatOfLaterRevisionsComesFromTheRecord) {
    const uint8_t stocke[] = {0, 1, 2, 3, 7, 255};
    const uint8_t attendu[] = {0, 1, 2, 1, 1, 1};
    for (uint8_t revision : {1, 3}) {
        SCOPED_TRACE(int(revision));
        Enregistrement e = PetitTKAR();
        e.Revision = revision;
        e.Voies.clear();
        for (int i = 0; i < 6; ++i)
            e.Voies.push_back(Voie{.Numero = i, .TypeUnite = 2, .FormatVoie = stocke[i]});
        Config.TypeCalibre = 1;
        ASSERT_EQ(Ouvrir(e), LectureOK);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(Config.ParamVoie[i].FormatAffichage, attendu[i]) << i;
    }
}

struct CasEcrans {
    uint8_t Choix, Avant, Apres;
};

TEST_F(OuvertureTest, ScreenChoiceSetsTheScreenCountAndTheEvenLayout) {
    const CasEcrans cas[] = {{0, 3, 3}, {0, 1, 1}, {1, 3, 1}, {2, 1, 4}};
    for (const CasEcrans& c : cas) {
        SCOPED_TRACE(int(c.Choix));
        Config.NombreEcranFiltre = c.Choix;
        Config.ReticEcran.NbEcran = c.Avant;
        ASSERT_EQ(Ouvrir(PetitTKAR()), LectureOK); // four channels
        const tReticEcran& r = Config.ReticEcran;
        ASSERT_EQ(r.NbEcran, c.Apres);
        for (int z = 0; z < r.NbEcran; ++z) {
            EXPECT_EQ(r.HautEcran[z], z * 200 / r.NbEcran);
            EXPECT_EQ(r.BasEcran[z], (z + 1) * 200 / r.NbEcran);
        }
        EXPECT_EQ(r.NbDivEcran[0], NB_DIV_POUR_ECRANS(r.NbEcran));
        EXPECT_EQ(r.EcranVoie[3], r.NbEcran); // the last channel is in the last screen
    }
}

TEST_F(OuvertureTest, LogicBandKeptOutsideOnlyWhenTheLogicIsChosen) {
    Config.VoiesLogiquesEnDehors = 1;
    Config.HauteurVoiesLogiques = 50;
    Config.PositionVoiesLogiques = 0;
    Config.NombreEcranFiltre = 1;
    ASSERT_EQ(Ouvrir(PetitTKAR()), LectureOK);
    EXPECT_EQ(Config.ReticEcran.HautEcran[0], 50);
    EXPECT_EQ(Config.ReticEcran.BasEcran[0], 200);

    Dialogue.Action = [](FiltreFichierModele& f) { f.SELECTION(f.NombreEntrees() - 1, false); };
    ASSERT_EQ(Ouvrir(PetitTKAR(), 0), LectureOK);
    EXPECT_EQ(E.LogiqueAffichee, 0);
    EXPECT_EQ(Config.ReticEcran.HautEcran[0], 0);
}

TEST_F(OuvertureTest, LogicSelectionSetsCountAndMask) {
    Enregistrement e = PetitTKAR();
    e.NomsLogiques.clear();
    for (int i = 0; i < 16; ++i) e.NomsLogiques.push_back("  L" + std::to_string(i) + "  ");
    ASSERT_EQ(Ouvrir(e), LectureOK);
    EXPECT_EQ(Config.NombreVoiesLogiques, 16);
    EXPECT_EQ(Config.NombreVoiesLogiquesAffichees, 16);
    EXPECT_EQ(Val(Config.MasqueVoiesLogiques), 0xFFFF);
    EXPECT_STREQ(E.NomLogique[15], "L15");
}

TEST_F(OuvertureTest, DisplayNamesAndUnitsAreTrimmed) {
    Enregistrement e = PetitTKAR();
    e.Voies = {Voie{.Numero = 0, .Nom = "  Pression  ", .Unite = " bar", .TypeConversion = 2}};
    ASSERT_EQ(Ouvrir(e), LectureOK);
    EXPECT_STREQ(E.Affichage[0].NomAffiche, "Pression");
    EXPECT_STREQ(E.Affichage[0].UniteAffichee, "bar");
    EXPECT_EQ(Ouvre.Filtre.TexteEntree(0).toStdString(), "  Pression  "); // the list shows the record's name
}

} // namespace
