// The concatenation dialog: the list kept in "HG", adding, ordering and
// removing entries, the two ways of joining (temporary recording or a named
// file), the wait cursor, and the boxes of a failed join.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <cstring>
#include <memory>
#include <optional>

#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"
#include "recording/Concatenation.h"
#include "recording/OuvreREC.h"
#include "shell/BoiteMessageEnregistreuse.h"
#include "shell/Messages.h"
#include "shell/Registre.h"
#include "ui/concatene.h"

namespace {

recmaker::Enregistrement Essai(float periode, int64_t scans) {
    recmaker::Enregistrement e;
    e.Famille = FamilleTKOS;
    e.PeriodeUs = periode;
    e.NombreScans = scans;
    e.Voies = {recmaker::Voie{.Numero = 0, .Nom = "Tension", .Donnees = recmaker::Rampe(0, 1)}};
    return e;
}

QStringList Selection(const QListWidget& liste) {
    QStringList l;
    for (int i = 0; i < liste.count(); ++i)
        if (liste.item(i)->isSelected()) l.append(liste.item(i)->text());
    return l;
}

} // namespace

class TestConcatene : public QObject {
    Q_OBJECT

    QTemporaryDir Dossier;
    BoiteMessageEnregistreuse Boites;
    std::optional<InstallationBoiteMessage> Installation;
    QString A, B, Lent;

    QString Chemin(const QString& nom) const { return Dossier.filePath(nom); }
    QString ResultatFixe() const { return QDir(QDir::tempPath()).filePath(QStringLiteral("OMB_MEM/00.rec")); }

    // A dialog over a given list (kept in "HG" first, as a previous join would have).
    static void Liste(const QStringList& fichiers) { QVERIFY(ECRIRE_LISTE_CONCATENATION(fichiers)); }

private slots:
    void initTestCase() {
        QVERIFY(Dossier.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Chemin(QStringLiteral("magasin")));
        QVERIFY(QDir().mkpath(Chemin(QStringLiteral("tmp"))));
        qputenv("TMPDIR", QFile::encodeName(Chemin(QStringLiteral("tmp"))));
        A = Chemin(QStringLiteral("a.rec"));
        B = Chemin(QStringLiteral("b.rec"));
        Lent = Chemin(QStringLiteral("lent.rec"));
        QVERIFY(recmaker::Ecrire(Essai(100.f, 50), A.toStdString()));
        QVERIFY(recmaker::Ecrire(Essai(100.f, 70), B.toStdString()));
        QVERIFY(recmaker::Ecrire(Essai(200.f, 70), Lent.toStdString()));
        std::strcpy(RepertoireSetUp, "/dossier/des/essais");
    }
    void init() {
        Langue = 1;
        Boites.Appels.clear();
        Installation.emplace(Boites);
        QFile::remove(ResultatFixe());
        Liste({});
    }
    void cleanup() {
        Installation.reset();
        RESET_ANNOTATIONS();
    }

    void theListComesFromHGWithTheFirstEntrySelected() {
        Liste({A, B, Lent});
        VIEW::concatene d;
        QCOMPARE(d.Fichiers(), QStringList({A, B, Lent}));
        QCOMPARE(Selection(*d.listBox1), QStringList({A}));
        Liste({});
        VIEW::concatene vide;
        QCOMPARE(vide.listBox1->count(), 0);
        QVERIFY(vide.listBox1->selectedItems().isEmpty());
    }

    void textsFollowTheLanguage() {
        VIEW::concatene d;
        QCOMPARE(d.button1->text(), QStringLiteral("Add"));
        QCOMPARE(d.buttonefface->text(), QStringLiteral("remove"));
        QCOMPARE(d.buttonAnnule->text(), QStringLiteral("Abort"));
        QCOMPARE(d.button2->text(), QStringLiteral("Valid"));
        QCOMPARE(d.button_save->text(), QStringLiteral("Save file"));
        Langue = 0;
        d.init_texte();
        QCOMPARE(d.button1->text(), QStringLiteral("Ajouter"));
        QCOMPARE(d.button_save->text(), QStringLiteral("Sauver fichier"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Concatener"));
    }

    void addAppendsTheChosenFilesInTheirOrder() {
        Liste({A});
        VIEW::concatene d;
        QString dossier, nom, filtre;
        QStringList rendus = {Lent, B};
        d.DemanderFichiers = [&](const QString& de, const QString& n, const QString& f) {
            dossier = de;
            nom = n;
            filtre = f;
            return rendus;
        };
        QTest::mouseClick(d.button1, Qt::LeftButton);
        QCOMPARE(d.Fichiers(), QStringList({A, Lent, B}));
        QCOMPARE(dossier, QStringLiteral("/dossier/des/essais"));
        QCOMPARE(nom, QStringLiteral("*.rec"));
        // The first text of the filter message, whatever the language.
        QCOMPARE(filtre, QStringLiteral("Fichier enregistreur *.rec|*.rec"));
        rendus.clear(); // cancelled
        d.AJOUTER_FICHIER();
        QCOMPARE(d.listBox1->count(), 3);
    }

    void upAndDownMoveTheSelectedEntry_data() {
        QTest::addColumn<int>("selection"); // -1: none
        QTest::addColumn<bool>("haut");
        QTest::addColumn<QString>("ordre"); // letters of the entries afterwards
        QTest::addColumn<int>("choisi");    // selected row afterwards, -1 none
        QTest::newRow("up") << 2 << true << "acbd" << 1;
        QTest::newRow("down") << 1 << false << "acbd" << 2;
        QTest::newRow("up at the top") << 0 << true << "abcd" << 0;
        QTest::newRow("down at the bottom") << 3 << false << "abcd" << 3;
        QTest::newRow("up without selection") << -1 << true << "abcd" << -1;
        QTest::newRow("down without selection") << -1 << false << "abcd" << -1;
    }
    void upAndDownMoveTheSelectedEntry() {
        QFETCH(int, selection);
        QFETCH(bool, haut);
        QFETCH(QString, ordre);
        QFETCH(int, choisi);
        Liste({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
        VIEW::concatene d;
        d.listBox1->clearSelection();
        if (selection >= 0) d.listBox1->item(selection)->setSelected(true);
        QTest::mouseClick(haut ? d.pictureBoxHaut : d.pictureBoxBas, Qt::LeftButton);
        QCOMPARE(d.Fichiers().join(QString()), ordre);
        QCOMPARE(Selection(*d.listBox1),
                 choisi < 0 ? QStringList() : QStringList({d.listBox1->item(choisi)->text()}));
    }

    void eraseRemovesTheSelectionAndSelectsTheEntryInItsPlace_data() {
        QTest::addColumn<QList<int>>("selection");
        QTest::addColumn<QString>("reste");
        QTest::addColumn<QString>("choisi");
        QTest::newRow("middle") << QList<int>{1} << "acd"
                                << "c";
        QTest::newRow("several") << QList<int>{0, 2} << "bd"
                                 << "b";
        QTest::newRow("last") << QList<int>{3} << "abc"
                              << "c";
        QTest::newRow("the last two") << QList<int>{2, 3} << "ab"
                                      << "b";
        QTest::newRow("all") << QList<int>{0, 1, 2, 3} << ""
                             << "";
        QTest::newRow("none") << QList<int>{} << "abcd"
                              << "";
    }
    void eraseRemovesTheSelectionAndSelectsTheEntryInItsPlace() {
        QFETCH(QList<int>, selection);
        QFETCH(QString, reste);
        QFETCH(QString, choisi);
        Liste({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
        VIEW::concatene d;
        d.listBox1->clearSelection();
        for (int ligne : selection) d.listBox1->item(ligne)->setSelected(true);
        QTest::mouseClick(d.buttonefface, Qt::LeftButton);
        QCOMPARE(d.Fichiers().join(QString()), reste);
        QCOMPARE(Selection(*d.listBox1).join(QString()), choisi);
    }

    void validJoinsIntoTheTemporaryRecording() {
        Liste({A, B});
        VIEW::concatene d;
        d.DemanderEnregistrement = [](const QString&, const QString&, const QString&) {
            qFatal("no save dialog for Valid");
            return QString();
        };
        bool attente = false;
        const tEcritureMorceaux vrai;
        d.Concat.Ecriture.Ouvrir = [&](QFile& f) {
            attente =
                QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            return vrai.Ouvrir(f);
        };
        d.show();
        QTest::mouseClick(d.button2, Qt::LeftButton);
        QVERIFY(attente);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(d.ValiditeFic, uint8_t{1});
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.isVisible());
        QCOMPARE(d.FichierTemp(), ResultatFixe());
        QCOMPARE(d.PremierNomFichier(), A);
        QVERIFY(Boites.Appels.empty());
        QCOMPARE(LIRE_LISTE_CONCATENATION(), QStringList({A, B}));
        auto entete = std::make_unique<t_EnteteREC_GlobalTotal>();
        OuvreREC ouvre(entete.get());
        ouvre.VraiNomFichier = d.FichierTemp();
        QCOMPARE(ouvre.LECTURE_ENTETE(), uint8_t{0});
        QCOMPARE(int64_t{entete->NombreScans}, int64_t{120});
    }

    void saveJoinsIntoTheNamedFileWithTheRecExtension() {
        Liste({B, A});
        VIEW::concatene d;
        QString titre, dossier, filtre;
        d.DemanderEnregistrement = [&](const QString& t, const QString& de, const QString& f) {
            titre = t;
            dossier = de;
            filtre = f;
            return Chemin(QStringLiteral("sortie.dat"));
        };
        QTest::mouseClick(d.button_save, Qt::LeftButton);
        QCOMPARE(titre, QStringLiteral(" "));
        QCOMPARE(dossier, QStringLiteral("/dossier/des/essais"));
        QCOMPARE(filtre, QStringLiteral("file *.rec |*.rec"));
        const QString attendu = Chemin(QStringLiteral("sortie.rec"));
        QCOMPARE(d.ValiditeFic, uint8_t{1});
        QCOMPARE(d.FichierTemp(), attendu);
        QCOMPARE(d.PremierNomFichier(), attendu);
        QVERIFY(QFileInfo::exists(attendu));
        QVERIFY(!QFileInfo::exists(Chemin(QStringLiteral("sortie.dat"))));
        QVERIFY(!QFileInfo::exists(ResultatFixe()));
    }

    void aCancelledSaveDialogStillJoinsIntoTheTemporaryRecording() {
        Liste({A, B});
        VIEW::concatene d;
        d.DemanderEnregistrement = [](const QString&, const QString&, const QString&) { return QString(); };
        d.SAVE_CONCATE();
        QCOMPARE(d.ValiditeFic, uint8_t{1});
        QCOMPARE(d.FichierTemp(), ResultatFixe());
        QCOMPARE(d.PremierNomFichier(), A);
    }

    void incompatibleFilesShowTheConcatenationError() {
        Liste({A, Lent});
        VIEW::concatene d;
        d.show();
        QTest::mouseClick(d.button2, Qt::LeftButton);
        QCOMPARE(d.ValiditeFic, uint8_t{0});
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!d.isVisible());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(Boites.Appels.size(), size_t{1});
        QCOMPARE(Boites.Appels[0].Titre, QStringLiteral("Error"));
        QCOMPARE(Boites.Appels[0].Texte, QStringLiteral("Error:\n files headers are incompatibles"));
        QCOMPARE(Boites.Appels[0].Icone, tIconeBoite::Avertissement);
        QVERIFY(!QFileInfo::exists(ResultatFixe()));
        QCOMPARE(LIRE_LISTE_CONCATENATION(),
                 QStringList({A, Lent})); // as it was: the list is kept on success only
    }

    void anOutputThatCannotBeWrittenIsToldByItsName() {
        Liste({A, B});
        VIEW::concatene d;
        const QString cible = Chemin(QStringLiteral("nulle/part.rec"));
        d.DemanderEnregistrement = [&](const QString&, const QString&, const QString&) { return cible; };
        d.SAVE_CONCATE();
        QCOMPARE(d.ValiditeFic, uint8_t{0});
        QCOMPARE(Boites.Appels.size(), size_t{1});
        QCOMPARE(Boites.Appels[0].Texte, QStringLiteral("File error\n") + QDir::toNativeSeparators(cible));
        QVERIFY(!QFileInfo::exists(cible));
    }

    void abortJoinsNothing() {
        Liste({A, B});
        VIEW::concatene d;
        d.show();
        QTest::mouseClick(d.buttonAnnule, Qt::LeftButton);
        QCOMPARE(d.ValiditeFic, uint8_t{0});
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!QFileInfo::exists(ResultatFixe()));
        QVERIFY(Boites.Appels.empty());
    }
};

QTEST_MAIN(TestConcatene)
#include "tst_concatene.moc"
