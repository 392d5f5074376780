// `ombrix info`: the JSON description of a recording, and its exit codes.
// Runs the built program found in the build folder (OMBRIX_BUILD_DIR).
#include "test_lecture_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>

using namespace lecture_test;
using recmaker::AnnotationAncienne;
using recmaker::AnnotationNouvelle;
using recmaker::EntreeSup;

namespace {

struct Sortie {
    int Code = -1;
    QByteArray Json, Erreurs;
};

class InfoTest : public LectureTest {
protected:
    Sortie Info(const std::string& chemin) {
        Sortie s;
        const QByteArray dossier = qgetenv("OMBRIX_BUILD_DIR");
        if (dossier.isEmpty()) {
            ADD_FAILURE() << "OMBRIX_BUILD_DIR is not set (run through ctest)";
            return s;
        }
        QProcess p;
        p.start(QString::fromLocal8Bit(dossier) + QStringLiteral("/ombrix"),
                {QStringLiteral("info"), QString::fromStdString(chemin)});
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
            ADD_FAILURE() << "ombrix did not run: " << p.errorString().toStdString();
            return s;
        }
        s.Code = p.exitCode();
        s.Json = p.readAllStandardOutput();
        s.Erreurs = p.readAllStandardError();
        return s;
    }
};

Enregistrement Echantillon() {
    Enregistrement e;
    e.Famille = FamilleTKAR;
    e.Modele = "TKAR 12";
    e.Checksum = true;
    e.PeriodeUs = 0.f; // external clock
    e.PreTrig = 7;
    e.NombreScans = 50;
    e.Annee = 23, e.Mois = 0, e.Jour = 2, e.Heure = 3, e.Minute = 4, e.Seconde = 5, e.Millisecondes = 678;
    e.Voies = {Voie{.Numero = 1,
                    .Nom = " Temp\351rature ",
                    .Unite = "x",
                    .Gain = 0.1f,
                    .Etendue = 200.f,
                    .Centre = 50.f,
                    .TypeUnite = 2,
                    .FormatVoie = 2,
                    .PositionVoie = -20},
               Voie{.Numero = 4,
                    .Nom = "Lin",
                    .Unite = "mm",
                    .CoefA = 10.f,
                    .CoefB = 0.f,
                    .CoefC = 0.f,
                    .CoefD = 5.f,
                    .TypeConversion = 1},
               Voie{.Numero = 38,
                    .Nom = "Rapport",
                    .Unite = "%",
                    .OperateurFonction = 3,
                    .Operande1 = 4,
                    .Operande2 = 1}};
    e.Logique = true;
    e.NomsLogiques = {" Porte ", "Alarme"};
    e.AnnotationsAnciennes = {AnnotationAncienne{.PositionMot = 10, .Texte = "d\351but"}};
    e.AnnotationsNouvelles = {AnnotationNouvelle{.PositionMot = 20,
                                                 .Genre = 1,
                                                 .Couleur = 0x123456,
                                                 .Hauteur = 300,
                                                 .Verticale = 1,
                                                 .Texte = "pic"},
                              AnnotationNouvelle{.Genre = 2, .Texte = "Titre \265"}};
    return e;
}

TEST_F(InfoTest, DescribesTheHeaderAsJson) {
    Plan plan;
    const std::string chemin = EcrireFichier(recmaker::Construire(Echantillon(), &plan));
    const Sortie s = Info(chemin);
    ASSERT_EQ(s.Code, 0) << s.Erreurs.toStdString();
    QJsonParseError erreur{};
    const QJsonDocument doc = QJsonDocument::fromJson(s.Json, &erreur);
    ASSERT_EQ(erreur.error, QJsonParseError::NoError) << s.Json.toStdString();
    ASSERT_TRUE(doc.isObject());
    const QJsonObject o = doc.object();

    const QStringList cles = {"family",         "signature",       "revision",        "model_tkar",
                              "new_formula",    "scans",           "analog_channels", "total_channels",
                              "words_per_scan", "data_offset",     "period_us",       "internal_clock",
                              "pretrig",        "start_time_us",   "duration_us",     "trigger",
                              "trigger_ms",     "checksum_stored", "logic_words",     "logic_names",
                              "channels",       "annotations",     "title",           "scripts"};
    const QStringList presentes = o.keys();
    EXPECT_EQ(QSet<QString>(presentes.begin(), presentes.end()), QSet<QString>(cles.begin(), cles.end()));

    EXPECT_EQ(o["family"].toString(), "TKAR");
    EXPECT_EQ(o["signature"].toInt(), SignatureTKARChecksum);
    EXPECT_EQ(o["revision"].toInt(), 3);
    EXPECT_TRUE(o["model_tkar"].toBool());
    EXPECT_TRUE(o["new_formula"].toBool());
    EXPECT_EQ(o["scans"].toInteger(), 50);
    EXPECT_EQ(o["analog_channels"].toInt(), 2);
    EXPECT_EQ(o["total_channels"].toInt(), 3);
    EXPECT_EQ(o["words_per_scan"].toInt(), 3);
    EXPECT_EQ(o["data_offset"].toInt(), 52 + 3 * 72 + 2 * 20);
    EXPECT_EQ(o["data_offset"].toInt(), plan.DebutDonnees);
    EXPECT_DOUBLE_EQ(o["period_us"].toDouble(), 1.0);
    EXPECT_FALSE(o["internal_clock"].toBool());
    EXPECT_DOUBLE_EQ(o["pretrig"].toDouble(), 7.0);
    EXPECT_DOUBLE_EQ(o["start_time_us"].toDouble(), -14.0);
    EXPECT_DOUBLE_EQ(o["duration_us"].toDouble(), 50.0);
    EXPECT_EQ(o["trigger"].toString(), "2023-01-02 03:04:05");
    EXPECT_EQ(o["trigger_ms"].toInt(), 678);
    EXPECT_EQ(o["logic_words"].toInt(), 1);
    EXPECT_EQ(o["logic_names"].toArray(), (QJsonArray{"Porte", "Alarme"}));
    EXPECT_EQ(o["title"].toString(), QString::fromUtf8("Titre µ"));
    EXPECT_EQ(o["scripts"].toArray().size(), 0);

    // Checksum word as stored at offset 36.
    const std::vector<uint8_t> octets = recmaker::Construire(Echantillon());
    EXPECT_EQ(o["checksum_stored"].toInt(), octets[36] | (octets[37] << 8));

    const QJsonArray voies = o["channels"].toArray();
    ASSERT_EQ(voies.size(), 3);
    const QJsonObject t = voies[0].toObject();
    EXPECT_EQ(t["index"].toInt(), 0);
    EXPECT_EQ(t["name"].toString(), QString::fromUtf8("Température"));
    EXPECT_EQ(t["unit"].toString(), QString::fromUtf8("°C"));
    EXPECT_EQ(t["conversion"].toInt(), 0);
    EXPECT_FALSE(t["signed"].toBool());
    EXPECT_FALSE(t["computed"].toBool());
    EXPECT_DOUBLE_EQ(t["gain"].toDouble(), 0.1); // shortest text of the float
    EXPECT_DOUBLE_EQ(t["span"].toDouble(), 200.0);
    EXPECT_DOUBLE_EQ(t["centre"].toDouble(), 50.0);
    EXPECT_DOUBLE_EQ(t["offset"].toDouble(), 0.0);
    EXPECT_EQ(t["format"].toInt(), 2);
    EXPECT_EQ(t["position"].toInt(), -20);

    const QJsonObject l = voies[1].toObject();
    EXPECT_EQ(l["coef"].toArray(), (QJsonArray{0.5, 0.0, 0.0, 5.0})); // slope 5 / 10, offset 0
    EXPECT_EQ(l["unit"].toString(), "mm");

    const QJsonObject r = voies[2].toObject();
    EXPECT_TRUE(r["computed"].toBool());
    EXPECT_EQ(r["operator"].toInt(), 3);
    EXPECT_EQ(r["operands"].toArray(), (QJsonArray{1, 0})); // channels 4 and 1 among 1, 4, 38

    const QJsonObject a = o["annotations"].toObject();
    const QJsonArray anciennes = a["old"].toArray();
    ASSERT_EQ(anciennes.size(), 1);
    EXPECT_EQ(anciennes[0].toObject()["position"].toInteger(), 10);
    EXPECT_EQ(anciennes[0].toObject()["text"].toString(), QString::fromUtf8("début"));
    const QJsonArray nouvelles = a["new"].toArray();
    ASSERT_EQ(nouvelles.size(), 2);
    const QJsonObject n = nouvelles[0].toObject();
    EXPECT_EQ(n["position"].toInteger(), 20);
    EXPECT_EQ(n["kind"].toInt(), 1);
    EXPECT_EQ(n["color"].toInt(), 0x123456);
    EXPECT_EQ(n["height"].toInt(), 300);
    EXPECT_EQ(n["vertical"].toInt(), 1);
    EXPECT_EQ(n["text"].toString(), "pic");
    EXPECT_EQ(nouvelles[1].toObject()["kind"].toInt(), 2);
}

TEST_F(InfoTest, SupplementaryChannelIsSigned) {
    Enregistrement e = PetitTKOS();
    e.Voies.clear();
    e.BlocSup = std::vector<EntreeSup>{EntreeSup{
        .Type = 3, .Gain = 2.f, .BorneBasse = 0.f, .BorneHaute = 4.f, .Nom = "Pont", .Unite = "KN"}};
    const Sortie s = Info(EcrireFichier(recmaker::Construire(e)));
    ASSERT_EQ(s.Code, 0) << s.Erreurs.toStdString();
    const QJsonArray voies = QJsonDocument::fromJson(s.Json).object()["channels"].toArray();
    ASSERT_EQ(voies.size(), 1);
    const QJsonObject p = voies[0].toObject();
    EXPECT_EQ(p["name"].toString(), "Pont");
    EXPECT_EQ(p["unit"].toString(), "N");
    EXPECT_TRUE(p["signed"].toBool());
    EXPECT_FALSE(p["computed"].toBool());
    EXPECT_DOUBLE_EQ(p["gain"].toDouble(), 2000.0);
    EXPECT_DOUBLE_EQ(p["span"].toDouble(), 4000.0);
    EXPECT_DOUBLE_EQ(p["centre"].toDouble(), 2000.0);
}

TEST_F(InfoTest, ListsNonEmptyScriptSlots) {
    Enregistrement e = PetitVEL();
    e.Scripts = {{2, {"// un", "function = V0 * 2;"}}, {39, {"", "x"}}};
    const Sortie s = Info(EcrireFichier(recmaker::Construire(e)));
    ASSERT_EQ(s.Code, 0) << s.Erreurs.toStdString();
    const QJsonArray scripts = QJsonDocument::fromJson(s.Json).object()["scripts"].toArray();
    ASSERT_EQ(scripts.size(), 2);
    EXPECT_EQ(scripts[0].toObject()["slot"].toInt(), 2);
    EXPECT_EQ(scripts[0].toObject()["lines"].toArray(), (QJsonArray{"// un", "function = V0 * 2;"}));
    EXPECT_EQ(scripts[1].toObject()["slot"].toInt(), 39);
    EXPECT_EQ(scripts[1].toObject()["lines"].toArray(), (QJsonArray{"", "x"}));
}

TEST_F(InfoTest, ExitCodesOfUnreadableFiles) {
    std::vector<uint8_t> coupe = recmaker::Construire(PetitVEL());
    coupe.resize(200);
    Sortie s = Info(EcrireFichier(coupe, "coupe.rec"));
    EXPECT_EQ(s.Code, 1);
    EXPECT_TRUE(s.Json.isEmpty());
    EXPECT_TRUE(s.Erreurs.contains("File error")) << s.Erreurs.toStdString();

    s = Info(Dossier().toStdString() + "/absent.rec");
    EXPECT_EQ(s.Code, 1);
    EXPECT_TRUE(s.Erreurs.contains("File error")) << s.Erreurs.toStdString();

    std::vector<uint8_t> inconnu = recmaker::Construire(PetitTKAR());
    inconnu[0] = 'Z';
    s = Info(EcrireFichier(inconnu, "inconnu.rec"));
    EXPECT_EQ(s.Code, 2);
    EXPECT_TRUE(s.Json.isEmpty());
    EXPECT_TRUE(s.Erreurs.contains("These file is not compatible with this software"))
        << s.Erreurs.toStdString();
}

TEST_F(InfoTest, TkosDefaultDateWarnsOnStandardError) {
    Enregistrement e = PetitTKOS();
    e.Jour = 0;
    const Sortie s = Info(EcrireFichier(recmaker::Construire(e)));
    ASSERT_EQ(s.Code, 0);
    EXPECT_EQ(QJsonDocument::fromJson(s.Json).object()["trigger"].toString(), "1970-01-01 00:00:00");
    EXPECT_TRUE(s.Erreurs.contains("File Error - Erreur Fichier")) << s.Erreurs.toStdString();
}

} // namespace
