// Joining a recording written in pieces from the viewer: the progress window
// and the wait cursor during the copy, nothing shown on No, the window gone
// before a failure is told, and the folder export that joins before opening.
#include "EtatProgramme.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <optional>

#include "config/Config.h"
#include "config/Defauts.h"
#include "export/ExportDossier.h"
#include "export/GlobauxExport.h"
#include "export/OptionsCSV.h"
#include "graph/GlobauxGraphe.h"
#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"
#include "recording/EnteteREC.h"
#include "recording/EtatFonctions.h"
#include "recording/MorceauxREC.h"
#include "recording/OuvreREC.h"
#include "recording/ScriptsREC.h"
#include "recording/SousEchantillonnage.h"
#include "recording/TexteTemps.h"
#include "shell/BoiteMessageEnregistreuse.h"
#include "shell/Messages.h"
#include "ui/ConcatMorceaux.h"
#include "ui/bargraphe.h"

namespace {

recmaker::Enregistrement Essai(int64_t scans) {
    recmaker::Enregistrement e;
    e.Famille = FamilleTKAR;
    e.Modele = "TKAR 8";
    e.PeriodeUs = 250.f;
    e.NombreScans = scans;
    e.Voies = {recmaker::Voie{.Numero = 0, .Nom = "Tension", .Unite = "V", .Donnees = recmaker::Rampe(0, 1)},
               recmaker::Voie{.Numero = 1, .Nom = "Temp", .Unite = "C", .Donnees = recmaker::Constant(3)}};
    return e;
}

QByteArray Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

void Ecrire(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(octets), octets.size());
}

// The progress windows on screen.
QList<VIEW::bargraphe*> Fenetres() {
    QList<VIEW::bargraphe*> l;
    for (QWidget* w : QApplication::allWidgets()) {
        if (auto* b = qobject_cast<VIEW::bargraphe*>(w)) l.append(b);
    }
    return l;
}

// Records the boxes, and what was on screen when each one came.
class BoitesEtEcran : public BoiteMessageEnregistreuse {
public:
    std::vector<bool> FenetreVisible, CurseurAttente;
    void MONTRER(const QString& titre, const QString& texte, tIconeBoite icone) override {
        Noter();
        BoiteMessageEnregistreuse::MONTRER(titre, texte, icone);
    }
    bool DEMANDER(const QString& titre, const QString& texte, tIconeBoite icone, bool sansEffet) override {
        Noter();
        return BoiteMessageEnregistreuse::DEMANDER(titre, texte, icone, sansEffet);
    }

private:
    void Noter() {
        FenetreVisible.push_back(!Fenetres().isEmpty());
        CurseurAttente.push_back(QApplication::overrideCursor() != nullptr);
    }
};

// What a timer saw while the join ran.
struct tVu {
    bool Passe = false;
    int Fenetres = 0;
    bool Visible = false;
    QString Nom;
    QWidget* Parent = nullptr;
    bool Attente = false;
};

} // namespace

class TestConcatMorceaux : public QObject {
    Q_OBJECT

    QTemporaryDir Dossier;
    BoitesEtEcran Boites;
    std::optional<InstallationBoiteMessage> Installation;
    QByteArray Original;

    QString Chemin(const QString& nom) const { return Dossier.filePath(nom); }

    // A recording cut into three pieces at arbitrary bytes.
    QStringList Decouper(const QString& nom) {
        const QString tout = Chemin(QStringLiteral("entier.tmp"));
        if (!recmaker::Ecrire(Essai(20000), QFile::encodeName(tout).toStdString())) return {};
        Original = Lire(tout);
        QFile::remove(tout);
        const qsizetype a = Original.size() / 3 + 17, b = 2 * Original.size() / 3 + 5;
        const QStringList pieces = {nom, nom + QStringLiteral("0"), nom + QStringLiteral("00")};
        Ecrire(pieces[0], Original.left(a));
        Ecrire(pieces[1], Original.mid(a, b - a));
        Ecrire(pieces[2], Original.mid(b));
        return pieces;
    }

    // Runs `action` while a timer, 30 ms into the 100 ms pause, looks at the screen. The timer
    // is stopped afterwards: it never fires once `vu` is gone.
    template <typename F> tVu Observer(F action) {
        tVu vu;
        QTimer minuterie;
        minuterie.setSingleShot(true);
        QObject::connect(&minuterie, &QTimer::timeout, [&] {
            vu.Passe = true;
            const QList<VIEW::bargraphe*> f = Fenetres();
            vu.Fenetres = static_cast<int>(f.size());
            if (!f.isEmpty()) {
                vu.Visible = f[0]->isVisible();
                vu.Nom = f[0]->label1->text();
                vu.Parent = f[0]->parentWidget();
            }
            vu.Attente = QApplication::overrideCursor() != nullptr &&
                         QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        });
        minuterie.start(30);
        action();
        minuterie.stop();
        return vu;
    }

private slots:
    void initTestCase() {
        QVERIFY(Dossier.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(Dossier.filePath(QStringLiteral("data"))));
        Installation.emplace(Boites);
    }
    void init() {
        RESET_ETAT_PROGRAMME();
        Boites.Appels.clear();
        Boites.Reponses.clear();
        Boites.FenetreVisible.clear();
        Boites.CurseurAttente.clear();
        for (const QString& f : QDir(Dossier.path()).entryList(QDir::Files)) QFile::remove(Chemin(f));
    }

    void progressWindowDuringTheJoin() {
        QWidget principale;
        principale.show();
        const QString nom = Chemin(QStringLiteral("essai.rec"));
        const QStringList pieces = Decouper(nom);
        QCOMPARE(pieces.size(), 3);
        Boites.Reponses = {true};
        bool joint = false;
        const tVu vu = Observer([&] { joint = VIEW::Concat(&principale, nom); });

        QVERIFY(joint);
        QVERIFY(vu.Passe);
        QCOMPARE(vu.Fenetres, 1);
        QVERIFY(vu.Visible);
        QCOMPARE(vu.Nom, QDir::toNativeSeparators(nom));
        QCOMPARE(vu.Parent, &principale);
        QVERIFY(vu.Attente);
        // The question came before the window and the wait cursor.
        QCOMPARE(Boites.Appels.size(), size_t(1));
        QCOMPARE(Boites.TITRES()[0], std::string("Concatenation"));
        QCOMPARE(Boites.FenetreVisible, std::vector<bool>{false});
        QCOMPARE(Boites.CurseurAttente, std::vector<bool>{false});
        // Then the window is gone, the cursor back, the recording whole.
        QVERIFY(Fenetres().isEmpty());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCOMPARE(Lire(nom), Original);
        QVERIFY(!QFile::exists(pieces[1]));
        QVERIFY(!QFile::exists(pieces[2]));
    }

    void noShowsNothing() {
        const QString nom = Chemin(QStringLiteral("refus.rec"));
        const QStringList pieces = Decouper(nom);
        QCOMPARE(pieces.size(), 3);
        const QByteArray premier = Lire(pieces[0]);
        Boites.Reponses = {false};
        QVERIFY(!VIEW::Concat(nullptr, nom));
        QCOMPARE(Boites.Appels.size(), size_t(1));
        QVERIFY(Fenetres().isEmpty());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCOMPARE(Lire(pieces[0]), premier);
        QVERIFY(QFile::exists(pieces[1]) && QFile::exists(pieces[2]));
    }

    void failureIsToldOnceTheWindowIsGone() {
        const QString nom = Chemin(QStringLiteral("panne.rec"));
        const QStringList pieces = Decouper(nom);
        QCOMPARE(pieces.size(), 3);
        QList<QByteArray> avant;
        for (const QString& p : pieces) avant.append(Lire(p));
        // A folder in the way of the temporary file: it cannot be removed to make room.
        const QString temporaire = NOM_TEMPORAIRE_MORCEAUX(nom);
        QVERIFY(QDir().mkpath(temporaire + QStringLiteral("/occupe")));
        Boites.Reponses = {true};

        QVERIFY(!VIEW::Concat(nullptr, nom));
        for (qsizetype i = 0; i < pieces.size(); ++i) QCOMPARE(Lire(pieces[i]), avant[i]);
        QCOMPARE(Boites.Appels.size(), size_t(2));
        QCOMPARE(Boites.TITRES()[1], std::string("Error"));
        QCOMPARE(Boites.TEXTES()[1], ("The files could not be concatenated:\nno file was changed\n" +
                                      QDir::toNativeSeparators(temporaire))
                                         .toStdString());
        QCOMPARE(Boites.FenetreVisible, (std::vector<bool>{false, false}));
        QCOMPARE(Boites.CurseurAttente, (std::vector<bool>{false, false}));
        QVERIFY(QDir(temporaire).removeRecursively());
    }

    void folderExportJoinsBeforeOpening() {
        const QString lot = Chemin(QStringLiteral("lot"));
        QVERIFY(QDir().mkpath(lot));
        const QString nom = lot + QStringLiteral("/a.rec");
        const QStringList pieces = Decouper(nom);
        QCOMPARE(pieces.size(), 3);
        Config.LimitationExport = 0;
        Boites.Reponses = {true};
        OuvreREC ouvre;
        QWidget principale;

        const tResultatDossier r =
            SELECTIONNER_DOSSIER(lot, ouvre, VIEW::OUVERTURE_AVEC_MORCEAUX(&principale));
        ouvre.FERMER_FICHIER();
        QCOMPARE(r.Exportes, QStringList{lot + QStringLiteral("/a.csv")});
        QVERIFY(r.Ignores.isEmpty());
        QCOMPARE(Lire(nom), Original);
        QVERIFY(!QFile::exists(pieces[1]));
        // Every scan of the whole recording is in the export: the lines after the column header.
        const QList<QByteArray> lignes = Lire(lot + QStringLiteral("/a.csv")).split('\n');
        int rangees = -1;
        for (const QByteArray& l : lignes) {
            if (rangees >= 0 && !l.trimmed().isEmpty()) ++rangees;
            if (l.startsWith("Time")) rangees = 0;
        }
        QCOMPARE(rangees, 20000);
        QCOMPARE(Boites.TITRES().front(), std::string("Concatenation"));
        QCOMPARE(Boites.TITRES().back(), std::string("CSV Export"));
        QVERIFY(QDir(lot).removeRecursively());
    }
};

QTEST_MAIN(TestConcatMorceaux)
#include "tst_concat_morceaux.moc"
