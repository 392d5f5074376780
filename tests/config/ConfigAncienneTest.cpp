#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "FichierConfigTestUtil.h"
#include "config/Coherence.h"
#include "config/ConfigAncienne.h"
#include "config/Defauts.h"
#include "config/FichierConfig.h"

namespace {

// Where each field of an older file lands in the current record, written out by hand from the
// two layouts (offsets in the file of version 115, of version 119, and in the record).
struct tChamp {
    size_t Config;
    size_t V115;
    size_t V119;
    size_t Taille; // bytes per element
    int Nombre;    // elements; ParVoie for one per channel of the layout
};
constexpr int ParVoie = -1;

constexpr tChamp Champs[] = {
    {112, 0x1C, 0x40, 4, 1},          {116, 0x20, 0x44, 4, 1},          {120, 0x24, 0x48, 4, 1},
    {124, 0x28, 0x4C, 4, ParVoie},    {1100, 0xD0, 0x1CC, 4, 16},       {1164, 0x110, 0x20C, 1, ParVoie},
    {1408, 0x13A, 0x26C, 1, 1},       {1409, 0x13B, 0x26D, 1, ParVoie}, {1653, 0x165, 0x2CD, 1, ParVoie},
    {1897, 0x18F, 0x32D, 1, ParVoie}, {2141, 0x1B9, 0x38D, 1, ParVoie}, {2388, 0x1E4, 0x3F0, 16, ParVoie},
    {6292, 0x484, 0x9F0, 1, 4},       {6296, 0x488, 0x9F4, 1, 64},      {6360, 0x4C8, 0xA34, 4, 1},
    {6364, 0x4CC, 0xA38, 4, 1},       {6368, 0x4D0, 0xA3C, 4, 1},       {6372, 0x4D4, 0xA40, 4, 1},
    {6376, 0x4D8, 0xA44, 1, 64},      {6440, 0x518, 0xA84, 4, 1},       {6444, 0x51C, 0xA88, 4, 1},
    {6448, 0x520, 0xA8C, 4, 1},       {6452, 0x524, 0xA90, 1, 64},      {6516, 0x564, 0xAD0, 4, 1},
    {6520, 0x568, 0xAD4, 4, 1},       {6524, 0x56C, 0xAD8, 4, 1},       {6528, 0x570, 0xADC, 1, 6},
    {6536, 0x578, 0xAE4, 60, 6},      {6896, 0x6E0, 0xC4C, 1, 1},       {6900, 0x6E4, 0xC50, 4, 1},
    {6904, 0x6E8, 0xC54, 1, 9},       {6914, 0x6F2, 0xC5E, 2, 1},       {6916, 0x6F4, 0xC60, 1, 1},
    {6917, 0x6F5, 0xC61, 1, 128},     {7048, 0x778, 0xCE4, 4, 1},       {7052, 0x77C, 0xCE8, 1, 2},
    {7054, 0x77E, 0xCEA, 2, 10},
};

template <class Ancien> constexpr size_t DANS_FICHIER(const tChamp& c) {
    return Ancien::NombreVoies == 42 ? c.V115 : c.V119;
}

// An older file whose every byte differs from its neighbours, with sensible screens and ranges so
// that the consistency pass changes as little as possible.
template <class Ancien> Ancien AncienConnu(uint8_t version) {
    constexpr int n = Ancien::NombreVoies;
    std::vector<uint8_t> motif(sizeof(Ancien));
    for (size_t i = 0; i < motif.size(); ++i) motif[i] = static_cast<uint8_t>(i * 37 + 11);
    Ancien a;
    std::memcpy(&a, motif.data(), sizeof a);
    a.VersionConfig = version;
    a.CouleurFond = static_cast<int32_t>(0xFF000000);
    a.NbEcran = 3;
    for (int i = 0; i < n; ++i) {
        a.HautEcran[i] = static_cast<uint8_t>(i % 3 * 60);
        a.BasEcran[i] = static_cast<uint8_t>(i % 3 == 2 ? 200 : i % 3 * 60 + 60);
        a.NbDivEcran[i] = 5;
        a.EcranVoie[i] = static_cast<uint8_t>(1 + i % 3);
        a.EpaisseurVoie[i] = static_cast<uint8_t>(2 + i % 7);
        a.ParamVoie[i].BorneMin = -1.0f - static_cast<float>(i);
        a.ParamVoie[i].BorneMax = 10.0f + static_cast<float>(i);
    }
    a.ParamVoie[5].BorneMin = 3.0f; // an empty range, mended on loading
    a.ParamVoie[5].BorneMax = 3.0f;
    a.HauteurVoiesLogiques = 40;
    a.PoliceNom.Taille = 9.0f;
    a.PoliceBaseDeTemps.Taille = 11.0f;
    a.PoliceReserve.Taille = 8.0f;
    for (auto& f : a.TabFonction) f.CoeffA = f.CoeffB = f.CoeffC = 0.5f;
    a.CurseurXY = 1;
    a.NombreCalcul = 6;
    std::strcpy(a.TexteAnnotation, "Ancienne annotation \xB5V");
    return a;
}

// Config before the load: the fields an older file does not hold carry values of their own.
void PoserConfigAvant(int nombreVoiesAncien) {
    INIT_CONFIG();
    auto* octets = reinterpret_cast<uint8_t*>(&Config);
    for (int i = 0; i < 36; ++i) {
        octets[offsetof(tConfig, VoiesPresentes) + i] = static_cast<uint8_t>(0xAA ^ i);
        octets[offsetof(tConfig, VoiesAffichees) + i] = static_cast<uint8_t>(0x55 ^ i);
        octets[offsetof(tConfig, Reserve76) + i] = static_cast<uint8_t>(i);
    }
    for (int n = nombreVoiesAncien; n < NombreVoiesConfig; ++n) {
        Config.CouleurVoie[n] = static_cast<int32_t>(0xFF102030u + static_cast<uint32_t>(n));
        Config.EpaisseurVoie[n] = 7;
        Config.ReticEcran.HautEcran[n] = 9;
        Config.ReticEcran.BasEcran[n] = 19;
        Config.ReticEcran.NbDivEcran[n] = 3;
        Config.ReticEcran.EcranVoie[n] = 3;
        Config.ParamVoie[n].BorneMin = 100.0f;
        Config.ParamVoie[n].BorneMax = 200.0f + static_cast<float>(n);
    }
    Config.VoieCurseurY = 12;
    Config.PositionCurseurY1 = 111;
    Config.PositionCurseurY2 = 888;
    Config.AnnotationsMasquees = 1;
    Config.NombreVoieCurseur = 17;
    Config.ReticulePerso = 1;
    Config.AffichageBornes = 0;
    std::strcpy(Config.FichierReticulePerso, "/grilles/perso.bmp");
    Config.XYPoints = 1;
    Config.FormatExportFixe = 1;
}

// What a conversion must give: the record before, with each listed field copied from the file.
template <class Ancien> QByteArray ImageAttendue(const QByteArray& avant, const Ancien& a) {
    QByteArray attendu = avant;
    const auto* fichier = reinterpret_cast<const uint8_t*>(&a);
    for (const tChamp& c : Champs) {
        const int nombre = c.Nombre == ParVoie ? Ancien::NombreVoies : c.Nombre;
        std::memcpy(attendu.data() + c.Config, fichier + DANS_FICHIER<Ancien>(c), c.Taille * nombre);
    }
    attendu[0] = static_cast<char>(121);
    return attendu;
}

using ConfigAncienne = FichiersConfig;

template <class Ancien> void VerifierCopie(uint8_t version, void (*copie)(const Ancien&)) {
    const Ancien a = AncienConnu<Ancien>(version);
    PoserConfigAvant(Ancien::NombreVoies);
    const QByteArray avant(reinterpret_cast<const char*>(&Config), sizeof Config);
    copie(a);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&Config), sizeof Config), ImageAttendue(avant, a));
}

TEST_F(ConfigAncienne, Version115CopiesItsFieldsAndNothingElse) {
    VerifierCopie<tConfig_V19>(115, COPIE_V19_DANS_CONFIG);
}

TEST_F(ConfigAncienne, Version119CopiesItsFieldsAndNothingElse) {
    VerifierCopie<tConfig_TKOS>(119, COPIE_VTKOS_DANS_CONFIG);
}

// Through the loader: the conversion, then the consistency pass; higher channels as they were.
template <class Ancien>
void VerifierChargement(ConfigAncienne& test, uint8_t version, const QString& chemin) {
    constexpr int n = Ancien::NombreVoies;
    const Ancien a = AncienConnu<Ancien>(version);
    test.EcrireFichier(chemin, QByteArray(reinterpret_cast<const char*>(&a), sizeof a));

    PoserConfigAvant(n);
    const QByteArray avant(reinterpret_cast<const char*>(&Config), sizeof Config);
    std::memcpy(&Config, ImageAttendue(avant, a).constData(), sizeof Config);
    COHERENCE_CONFIGURATION();
    const QByteArray attendu(reinterpret_cast<const char*>(&Config), sizeof Config);

    PoserConfigAvant(n);
    ASSERT_EQ(APPEL_CONFIGURATION(chemin), ResultatConfigOk);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&Config), sizeof Config), attendu);

    EXPECT_EQ(Config.VersionConfig, 121);
    EXPECT_EQ(static_cast<uint32_t>(Config.CouleurVoie[n - 1]),
              static_cast<uint32_t>(a.CouleurVoie[n - 1]) | 0xFF000000u);
    EXPECT_EQ(static_cast<uint32_t>(Config.CouleurVoie[n]), 0xFF102030u + n);
    EXPECT_EQ(Config.EpaisseurVoie[n - 1], a.EpaisseurVoie[n - 1]);
    EXPECT_EQ(Config.EpaisseurVoie[n], 7);
    EXPECT_EQ(Config.ReticEcran.NbEcran, 3);
    EXPECT_EQ(Config.ReticEcran.EcranVoie[n - 1], a.EcranVoie[n - 1]);
    EXPECT_EQ(Config.ReticEcran.EcranVoie[n], 3);
    EXPECT_EQ(Config.ParamVoie[n - 1].BorneMax, a.ParamVoie[n - 1].BorneMax);
    EXPECT_EQ(Config.ParamVoie[n].BorneMax, 200.0f + static_cast<float>(n));
    EXPECT_EQ(Config.ParamVoie[5].BorneMin, 3.0f);
    EXPECT_EQ(Config.ParamVoie[5].BorneMax, 8.0f);
    EXPECT_STREQ(Config.TexteAnnotation, "Ancienne annotation \xB5V");
    EXPECT_STREQ(Config.FichierReticulePerso, "/grilles/perso.bmp");
    EXPECT_EQ(Config.PositionCurseurY2, 888);
    EXPECT_EQ(Config.NombreVoieCurseur, 17);
    EXPECT_EQ(Config.XYPoints, 1);
    EXPECT_EQ(Config.FormatExportFixe, 1);
    EXPECT_EQ(
        static_cast<uint8_t>(reinterpret_cast<const uint8_t*>(&Config)[offsetof(tConfig, VoiesPresentes)]),
        0xAA);
}

TEST_F(ConfigAncienne, Version115FileLoadsThroughTheConsistencyPass) {
    VerifierChargement<tConfig_V19>(*this, 115, Chemin(QStringLiteral("v115.spt")));
}

TEST_F(ConfigAncienne, Version119FileLoadsThroughTheConsistencyPass) {
    VerifierChargement<tConfig_TKOS>(*this, 119, Chemin(QStringLiteral("v119.spt")));
}

} // namespace
