// Scripts of a recording written by the recording maker: compiled when the
// opener reads it, errors handed to the window hook, and run on every row of
// physical values through the row hook.
#include <QFile>
#include <QTemporaryDir>

#include "ScriptTestUtil.h"
#include "config/Defauts.h"
#include "math/InstallationScripts.h"
#include "recmaker/RecMaker.h"
#include "recording/OuvreREC.h"

namespace {

recmaker::Voie Analogique(int numero, const char* nom) {
    recmaker::Voie v;
    v.Numero = numero;
    v.Nom = nom;
    v.Gain = 1.f;
    v.Decalage = 0.f;
    v.Donnees = recmaker::Rampe(0, 1);
    return v;
}

recmaker::Voie Calculee(int numero) {
    recmaker::Voie v;
    v.Numero = numero;
    v.Nom = "Script";
    v.CoefA = 100.f; // a formula would give something else
    v.CoefB = 100.f;
    return v;
}

// TKOS: recorded "Pression  " (padded) and "Temp", script channels 72, 73 and 74.
recmaker::Enregistrement Essai() {
    recmaker::Enregistrement e;
    e.Famille = FamilleTKOS;
    e.RevisionVoies = 4;
    e.Revision = 4;
    e.Modele = "TKOS 8";
    e.NombreScans = 10;
    e.Voies = {Analogique(0, "Pression  "), Analogique(1, "Temp"), Calculee(72), Calculee(73), Calculee(74)};
    e.Scripts = {{0, {"// double", "function = 'Pression' * 2;"}},
                 {1, {"function = ;"}},
                 {2, {"int a = 7;", "function = a/2 + 'Temp';"}}};
    return e;
}

class ScriptOuverture : public ScriptTest {
protected:
    void SetUp() override {
        ScriptTest::SetUp();
        INIT_CONFIG();
        ASSERT_TRUE(Dossier.isValid());
        Chemin = Dossier.filePath(QStringLiteral("scripts.rec"));
    }
    void TearDown() override {
        Ouvre.FERMER_FICHIER();
        ScriptTest::TearDown();
    }
    uint8_t Ouvrir(const recmaker::Enregistrement& e) {
        EXPECT_TRUE(recmaker::Ecrire(e, QFile::encodeName(Chemin).toStdString()));
        Ouvre.VraiNomFichier = Ouvre.NomFichier = Chemin;
        return Ouvre.OUVRIR_REC(1);
    }

    QTemporaryDir Dossier;
    QString Chemin;
    OuvreREC Ouvre;
};

TEST_F(ScriptOuverture, OpenedRecordingRunsItsScriptsOnEveryRow) {
    const auto installation = INSTALLER_SCRIPTS(Ouvre);
    std::vector<int> signales;
    int appels = 0;
    Ouvre.MontrerErreursScripts = [&](const uint8_t(&erreurs)[NombreSlotsScript]) {
        ++appels;
        for (int s = 0; s < NombreSlotsScript; ++s)
            if (erreurs[s] != 0) signales.push_back(s);
    };
    ASSERT_EQ(Ouvrir(Essai()), LectureOK) << Ouvre.CauseErreur;
    ASSERT_EQ(ValiditeAngelScript, 1);
    EXPECT_EQ(appels, 1);
    EXPECT_EQ(signales, std::vector<int>{1});
    auto* moteur = dynamic_cast<MoteurScript*>(Ouvre.Scripts.get());
    ASSERT_NE(moteur, nullptr);
    EXPECT_TRUE(moteur->SlotEnMarche(0));
    EXPECT_FALSE(moteur->SlotEnMarche(1));
    EXPECT_TRUE(moteur->SlotEnMarche(2));
    ASSERT_EQ(EnteteF.NombreVoiesAnalog, 2);
    ASSERT_EQ(EnteteF.NombreVoiesTotal, 5);

    for (uint16_t r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        const auto ligne = Ligne({uint16_t(10 + r), uint16_t(r)});
        EXPECT_DOUBLE_EQ(ligne[2], 2.0 * (10 + r)); // slot 0
        EXPECT_DOUBLE_EQ(ligne[3], 0.0);            // slot 1 did not compile
        EXPECT_DOUBLE_EQ(ligne[4], 3.5 + r);        // slot 2, a floating-point division
    }
}

TEST_F(ScriptOuverture, WithoutTheEngineOrAfterItIsRemovedScriptChannelsStayZero) {
    ASSERT_EQ(Ouvrir(Essai()), LectureOK);
    EXPECT_EQ(dynamic_cast<MoteurScript*>(Ouvre.Scripts.get()), nullptr);
    EXPECT_DOUBLE_EQ(Ligne({10, 1})[2], 0.0);
    {
        const auto installation = INSTALLER_SCRIPTS(Ouvre);
        ASSERT_EQ(Ouvrir(Essai()), LectureOK);
        EXPECT_DOUBLE_EQ(Ligne({10, 1})[2], 20.0);
    }
    // The hook is gone with the installation, and the next opening gets the plain holder.
    EXPECT_DOUBLE_EQ(Ligne({10, 1})[2], 0.0);
    ASSERT_EQ(Ouvrir(Essai()), LectureOK);
    EXPECT_EQ(dynamic_cast<MoteurScript*>(Ouvre.Scripts.get()), nullptr);
}

} // namespace
