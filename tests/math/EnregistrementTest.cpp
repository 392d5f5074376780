// Computed channels of a recording written by the recording maker and read by
// the opener: the recorder's operand numbers become ranks in the row of values.
#include <QFile>
#include <QTemporaryDir>

#include "MathTestUtil.h"
#include "recmaker/RecMaker.h"
#include "recording/OuvreREC.h"

namespace {

recmaker::Voie VoieAnalogique(int numero) {
    recmaker::Voie v;
    v.Numero = numero;
    v.Gain = 1.f;
    return v;
}

recmaker::Voie VoieCalculee(int numero, uint8_t op, uint8_t op1, uint8_t op2) {
    recmaker::Voie v;
    v.Numero = numero;
    v.OperateurFonction = op;
    v.Operande1 = op1;
    v.Operande2 = op2;
    v.CoefA = 1.f; // newer formula on the TKAR model: B + (A x a op D x b)
    v.CoefB = 0.5f;
    v.CoefD = 2.f;
    return v;
}

using Enregistrement = MathTest;

TEST_F(Enregistrement, TkarComputedChannelsReadTheirOperandsByRank) {
    recmaker::Enregistrement e;
    e.Famille = FamilleTKAR;
    e.NombreScans = 4;
    // Channels 0 and 1 absent: an operand on channel 1 has no present channel at or below it.
    e.Voies = {VoieAnalogique(2), VoieAnalogique(5), VoieCalculee(36, 0, 2, 5), VoieCalculee(37, 2, 5, 1),
               VoieCalculee(38, 1, 36, 2)};
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString chemin = dossier.filePath(QStringLiteral("calc.rec"));
    const std::vector<uint8_t> octets = recmaker::Construire(e);
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    ASSERT_EQ(fichier.write(reinterpret_cast<const char*>(octets.data()), static_cast<qint64>(octets.size())),
              static_cast<qint64>(octets.size()));
    fichier.close();

    OuvreREC ouvre;
    ouvre.VraiNomFichier = chemin;
    ASSERT_EQ(ouvre.LECTURE_ENTETE(), LectureOK) << ouvre.CauseErreur;
    ASSERT_EQ(EnteteF.NombreVoiesAnalog, 2);
    ASSERT_EQ(EnteteF.NombreVoiesTotal, 5);
    ASSERT_EQ(EnteteF.ModeleTKAR, 1);
    ASSERT_EQ(EnteteF.NouvelleFormule, 1);
    EXPECT_EQ(EnteteF.CalibVoie[3].Operande2, 255);

    const auto ligne = Ligne({10, 4});
    EXPECT_DOUBLE_EQ(ligne[2], 0.5 + (10 + 2 * 4));      // ch2 + ch5
    EXPECT_DOUBLE_EQ(ligne[3], 0.5 + 4 * (2 * 0.0));     // ch5 x (channel 1: no value)
    EXPECT_DOUBLE_EQ(ligne[4], 0.5 + (18.5 - 2 * 10.0)); // ch36 - ch2
    ouvre.FERMER_FICHIER();
}

} // namespace
