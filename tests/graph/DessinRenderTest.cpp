// `ombrix render`: every sample recording drawn in a range of display settings
// (zones, logic band, XY, absolute time, name and bound styles, cursors) by the
// built program found in the build folder (OMBRIX_BUILD_DIR), without a display.
#include <gtest/gtest.h>

#include <functional>

#include "ProgrammeLance.h"
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "QtGuiTestEnv.h"
#include "config/Coherence.h"
#include "config/Config.h"
#include "config/Defauts.h"
#include "config/FichierConfig.h"
#include "recmaker/RecMaker.h"

namespace graphe_test {
namespace {

struct Resultat {
    int Code = -1;
    QString Erreurs;
};

Resultat Render(const QStringList& arguments) {
    Resultat r;
    const QByteArray dossier = qgetenv("OMBRIX_BUILD_DIR");
    if (dossier.isEmpty()) {
        ADD_FAILURE() << "OMBRIX_BUILD_DIR is not set (run through ctest)";
        return r;
    }
    // No display at all: the program must choose the offscreen platform itself.
    const programme_test::tResultat p = programme_test::LANCER(
        QString::fromLocal8Bit(dossier) + QStringLiteral("/ombrix"),
        QStringList{QStringLiteral("render")} + arguments, std::chrono::seconds(120),
        {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("QT_QPA_PLATFORM")});
    if (!p.Fini) {
        ADD_FAILURE() << "ombrix did not run: " << p.Erreurs.toStdString();
        return r;
    }
    r.Code = p.Code;
    r.Erreurs = QString::fromUtf8(p.Erreurs);
    return r;
}

// Bit depth and colour type of a PNG file (8 and 2 for 24-bit RGB).
std::pair<int, int> FormatPNG(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return {-1, -1};
    const QByteArray debut = f.read(26);
    if (debut.size() < 26 || !debut.startsWith("\x89PNG\r\n\x1a\n")) return {-1, -1};
    return {static_cast<uint8_t>(debut[24]), static_cast<uint8_t>(debut[25])};
}

struct Reglage {
    const char* Nom;
    std::function<void(tConfig&)> Modifier;
    QStringList Options;
};

class DessinRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        APPLICATION_GUI();
        ASSERT_TRUE(Dossier.isValid());
        const std::pair<const char*, recmaker::Enregistrement> exemples[] = {
            {"tkar.rec", recmaker::ExempleTKAR()},
            {"tkos.rec", recmaker::ExempleTKOS()},
            {"tkos_sup.rec", recmaker::ExempleTKOSSup()},
            {"vel.rec", recmaker::ExempleVEL()},
        };
        for (const auto& [nom, e] : exemples) {
            const QString chemin = Dossier.filePath(QString::fromLatin1(nom));
            ASSERT_TRUE(recmaker::Ecrire(e, chemin.toStdString()));
            Enregistrements.push_back(chemin);
        }
    }
    void TearDown() override { RESET_GLOBAL_CONFIG(); }

    // A configuration file with the defaults changed by `modifier`.
    QString Configuration(const char* nom, const std::function<void(tConfig&)>& modifier) {
        RESET_GLOBAL_CONFIG();
        INIT_CONFIG();
        modifier(Config);
        COHERENCE_CONFIGURATION();
        const QString chemin = Dossier.filePath(QString::fromLatin1(nom) + QStringLiteral(".spt"));
        EXPECT_EQ(ECRIRE_CONFIGURATION(chemin), ResultatConfigOk);
        return chemin;
    }

    QTemporaryDir Dossier;
    std::vector<QString> Enregistrements;
};

TEST_F(DessinRenderTest, EverySampleInEverySetting) {
    const Reglage reglages[] = {
        {"defaults", [](tConfig&) {}, {}},
        {"zones", [](tConfig& c) { c.ReticEcran.NbEcran = 3; }, {}},
        {"logicbottom",
         [](tConfig& c) {
             c.PositionVoiesLogiques = 1;
             c.VoiesLogiquesEnDehors = 1;
             c.HauteurVoiesLogiques = 60;
         },
         {}},
        {"logictop",
         [](tConfig& c) {
             c.PositionVoiesLogiques = 0;
             c.VoiesLogiquesEnDehors = 1;
             c.ReticEcran.NbEcran = 2;
         },
         {}},
        {"xy",
         [](tConfig& c) {
             c.ModeXY = 1;
             c.VoieX = 1;
         },
         {QStringLiteral("--cursors"), QStringLiteral("0.25,0.75")}},
        {"xydots",
         [](tConfig& c) {
             c.ModeXY = 1;
             c.XYPoints = 1;
         },
         {}},
        {"absolute",
         [](tConfig& c) { c.TempsAbsolu = 1; },
         {QStringLiteral("--cursors"), QStringLiteral("0.2,0.7"), QStringLiteral("--start"),
          QStringLiteral("0.1"), QStringLiteral("--width"), QStringLiteral("0.3")}},
        {"verticalsingle",
         [](tConfig& c) {
             c.NomsVerticaux = 1;
             c.BorneUnique = 1;
             c.ReticEcran.NbEcran = 2;
         },
         {}},
        {"multiplebounds",
         [](tConfig& c) {
             c.BorneUnique = 0;
             c.PositionBoiteCurseur = 3;
         },
         {QStringLiteral("--cursors"), QStringLiteral("0.3,0.6"), QStringLiteral("--ycursors"),
          QStringLiteral("100,900,0"), QStringLiteral("--lang"), QStringLiteral("fr")}},
        {"nobounds",
         [](tConfig& c) {
             c.AffichageBornes = 0;
             c.AnnotationsMasquees = 1;
             c.PositionBoiteCurseur = 2;
         },
         {QStringLiteral("--cursors"), QStringLiteral("0.1,0.9"), QStringLiteral("--lang"),
          QStringLiteral("de")}},
    };
    for (const Reglage& r : reglages) {
        const QString config = Configuration(r.Nom, r.Modifier);
        for (const QString& rec : Enregistrements) {
            // OMBRIX_RENDER_DIR keeps the pictures somewhere to look at them.
            const QString garde = qEnvironmentVariable("OMBRIX_RENDER_DIR");
            const QString sortie = (garde.isEmpty() ? Dossier.path() : garde) + QLatin1Char('/') +
                                   QString::fromLatin1(r.Nom) + QLatin1Char('_') + QFileInfo(rec).baseName() +
                                   QStringLiteral(".png");
            const Resultat res =
                Render(QStringList{rec, QStringLiteral("-o"), sortie, QStringLiteral("--size"),
                                   QStringLiteral("640x420"), QStringLiteral("--config"), config} +
                       r.Options);
            ASSERT_EQ(res.Code, 0) << r.Nom << " " << rec.toStdString() << ": " << res.Erreurs.toStdString();
            const QImage image(sortie);
            EXPECT_EQ(image.size(), QSize(640, 420)) << r.Nom;
            EXPECT_EQ(FormatPNG(sortie), std::make_pair(8, 2)) << r.Nom; // 24-bit RGB
        }
    }
}

TEST_F(DessinRenderTest, DefaultSizeAndRefusedArguments) {
    const QString sortie = Dossier.filePath(QStringLiteral("defaut.png"));
    const Resultat ok = Render({Enregistrements[0], QStringLiteral("-o"), sortie});
    ASSERT_EQ(ok.Code, 0) << ok.Erreurs.toStdString();
    EXPECT_EQ(QImage(sortie).size(), QSize(1200, 800));

    const QStringList mauvais[] = {
        {Enregistrements[0]}, // no output
        {Enregistrements[0], QStringLiteral("-o"), sortie, QStringLiteral("--size"), QStringLiteral("0x10")},
        {Enregistrements[0], QStringLiteral("-o"), sortie, QStringLiteral("--size"), QStringLiteral("12")},
        {Enregistrements[0], QStringLiteral("-o"), sortie, QStringLiteral("--cursors"),
         QStringLiteral("0.3")},
        {Enregistrements[0], QStringLiteral("-o"), sortie, QStringLiteral("--ycursors"),
         QStringLiteral("1,2")},
        {Enregistrements[0], QStringLiteral("-o"), sortie, QStringLiteral("--lang"), QStringLiteral("it")},
        {Enregistrements[0], QStringLiteral("-o"), sortie, QStringLiteral("--config"),
         Dossier.filePath(QStringLiteral("absent.spt"))},
        {Dossier.filePath(QStringLiteral("absent.rec")), QStringLiteral("-o"), sortie},
    };
    for (const QStringList& arguments : mauvais)
        EXPECT_NE(Render(arguments).Code, 0) << arguments.join(QLatin1Char(' ')).toStdString();
}

} // namespace
} // namespace graphe_test
