// The file filter dialog over its model, the dialog seam during a real opening,
// and the message boxes of the viewer.
#include "EtatProgramme.h"
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "config/Config.h"
#include "config/Defauts.h"
#include "config/OnOff.h"
#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"
#include "recording/EnteteREC.h"
#include "recording/EtatFonctions.h"
#include "recording/FiltreFichierModele.h"
#include "recording/OuvreREC.h"
#include "recording/SousEchantillonnage.h"
#include "recording/TexteTemps.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "ui/BoiteMessageQt.h"
#include "ui/FiltreFichier.h"

using VIEW::FiltreFichier;

namespace {

// Runs `action` on the modal widget once the event loop shows it; a failed
// check inside `action` closes the widget so that the test goes on.
void QuandModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, qApp, [action] {
        QWidget* w = QApplication::activeModalWidget();
        if (w == nullptr) {
            QTest::qFail("no modal widget shown", __FILE__, __LINE__);
            return;
        }
        action(w);
        if (QApplication::activeModalWidget() == w) w->close();
    });
}

// A user's click on the indicator of a check box or radio button (the middle
// of a stretched button may lie beyond its text).
void Cliquer(QAbstractButton* b) {
    QVERIFY(b != nullptr);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

template <typename W> W* Controle(QWidget* parent, const char* nom) {
    return parent->findChild<W*>(QString::fromLatin1(nom));
}

} // namespace

class TestFiltreFichier : public QObject {
    Q_OBJECT

private:
    FiltreFichierModele Modele;

    // Three channels and the logic entry, all selected, sampled every 100 us.
    void Preparer(int voies = 3, bool logique = true) {
        Modele = FiltreFichierModele{};
        std::snprintf(Modele.Mes_Label, sizeof Modele.Mes_Label,
                      "essai.rec\nNumber of samples by channels :100");
        std::snprintf(Modele.Mes_DateTrigger, sizeof Modele.Mes_DateTrigger,
                      "Date :15 Jun 2024 12:00:00.000");
        for (int k = 0; k < voies; ++k) Modele.AJOUT_ENTREE(("Voie \xB5" + std::to_string(k)).c_str(), true);
        if (logique) Modele.AJOUT_ENTREE(POS_MESS(M_VoieLog), true);
        Modele.NombreVoieFonc = static_cast<uint8_t>(voies);
        samplingPeriod = 100.f;
        Modele.Init();
    }

    // Selects exactly the given rows of the list, as a user would.
    static void Choisir(QListWidget* liste, std::initializer_list<int> lignes) {
        liste->clearSelection();
        for (int k : lignes) liste->item(k)->setSelected(true);
    }

private slots:
    void init() { RESET_ETAT_PROGRAMME(); }

    void ControlsAndTheirTexts() {
        Preparer();
        FiltreFichier d(Modele);
        const struct {
            const char* Nom;
            const char* Texte;
        } boutons[] = {{"radioButtonCalibre1", "Automatic"},
                       {"radioButtonCalibre2", "Recorder"},
                       {"radioButtonAncienEcran", "No modification"},
                       {"radioButtonPlusieurEcran", "One screen"},
                       {"radioButton1ecran", "One screen by channel"},
                       {"checkBoxXY", "XY"},
                       {"sousEchantillon", "Undersampling"},
                       {"buttonOK", "Valid"},
                       {"button2", "Abort"}};
        for (const auto& b : boutons) {
            auto* w = Controle<QAbstractButton>(&d, b.Nom);
            QVERIFY2(w != nullptr, b.Nom);
            QCOMPARE(w->text(), QString::fromUtf8(b.Texte));
        }
        QCOMPARE(Controle<QGroupBox>(&d, "groupBoxCalibre")->title(), QStringLiteral("Range"));
        QCOMPARE(Controle<QGroupBox>(&d, "groupBoxEcran")->title(), QStringLiteral("Screen"));
        QCOMPARE(Controle<QGroupBox>(&d, "groupBoxUnderSampling")->title(), QStringLiteral("Undersampling"));
        QCOMPARE(Controle<QLabel>(&d, "label1")->text(),
                 QStringLiteral("essai.rec\nNumber of samples by channels :100"));
        QCOMPARE(Controle<QLabel>(&d, "label2")->text(), QStringLiteral("Date :15 Jun 2024 12:00:00.000"));

        auto* liste = Controle<QListWidget>(&d, "listBox1");
        QVERIFY(liste != nullptr);
        QCOMPARE(liste->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(liste->count(), 4);
        QCOMPARE(liste->item(0)->text(), QStringLiteral("Voie \u00B50"));
        QCOMPARE(liste->item(3)->text(), QStringLiteral("Logic channels :"));
        QCOMPARE(liste->selectedItems().size(), 4);

        // The period buttons: time texts, enabled above the 100 us sampling period only.
        const QString attendus[] = {QStringLiteral("1\u00B5s"), QStringLiteral("500ms"),
                                    QStringLiteral("10s")};
        const int indices[] = {1, 18, 22};
        for (int j = 0; j < 3; ++j)
            QCOMPARE(
                Controle<QRadioButton>(&d, ("radioButtonUS" + std::to_string(indices[j])).c_str())->text(),
                attendus[j]);
        QString actifs;
        for (int i = 1; i <= NombreBoutonsSousEchantillon; ++i) {
            auto* b = Controle<QRadioButton>(&d, ("radioButtonUS" + std::to_string(i)).c_str());
            QVERIFY(b != nullptr);
            if (b->isEnabled()) actifs += b->text() + QLatin1Char(' ');
        }
        QCOMPARE(actifs, QStringLiteral("200\u00B5s 1ms 2ms 10ms 20ms 100ms 200ms 1s 2s 10s "));
    }

    void InitialStateFollowsTheModel() {
        Config.TypeCalibre = 0;
        Config.NombreEcranFiltre = 2;
        Config.ModeXY = 1;
        Preparer();
        FiltreFichier d(Modele);
        QVERIFY(Controle<QRadioButton>(&d, "radioButtonCalibre1")->isChecked());
        QVERIFY(!Controle<QRadioButton>(&d, "radioButtonCalibre2")->isChecked());
        QVERIFY(Controle<QRadioButton>(&d, "radioButton1ecran")->isChecked());
        QVERIFY(Controle<QCheckBox>(&d, "checkBoxXY")->isChecked());
        QVERIFY(!Controle<QCheckBox>(&d, "sousEchantillon")->isChecked());
        // XY checked with three channels: the screen group is hidden.
        QVERIFY(!Controle<QWidget>(&d, "checkBoxXY")->isHidden());
        QVERIFY(Controle<QWidget>(&d, "groupBoxEcran")->isHidden());
    }

    void SelectingChannelsDrivesTheRules() {
        Config.ModeXY = 0;
        Preparer();
        FiltreFichier d(Modele);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        auto* liste = Controle<QListWidget>(&d, "listBox1");
        auto* xy = Controle<QCheckBox>(&d, "checkBoxXY");
        auto* ecran = Controle<QGroupBox>(&d, "groupBoxEcran");

        Choisir(liste, {1, 3}); // one channel and the logic entry
        QVERIFY(!Modele.EstSelectionnee(0));
        QVERIFY(Modele.EstSelectionnee(3));
        QCOMPARE(Modele.NombreVoiesSelectionnees(), 1);
        QVERIFY(!xy->isVisible());
        QVERIFY(ecran->isVisible());

        Choisir(liste, {0, 2});
        QVERIFY(xy->isVisible());
        Cliquer(xy);
        QVERIFY(xy->isChecked());
        QVERIFY(Modele.XYCoche());
        QVERIFY(!ecran->isVisible());

        Choisir(liste, {2});
        QVERIFY(!xy->isVisible());
        QVERIFY(ecran->isVisible());
    }

    void OkTakesTheChoices() {
        Config.TypeCalibre = 1;
        Config.NombreEcranFiltre = 0;
        Config.ModeXY = 0;
        Preparer();
        FiltreFichier d(Modele);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        Cliquer(Controle<QRadioButton>(&d, "radioButtonCalibre1"));
        Cliquer(Controle<QRadioButton>(&d, "radioButtonPlusieurEcran"));
        Cliquer(Controle<QCheckBox>(&d, "sousEchantillon"));
        QVERIFY(sousEchantillonageEnabled.load());                      // copied at once
        auto* desactive = Controle<QRadioButton>(&d, "radioButtonUS4"); // 10 us: not above 100 us
        Cliquer(desactive);
        QVERIFY(!desactive->isChecked());
        QCOMPARE(Modele.BoutonSousEchantillon(), -1);
        Cliquer(Controle<QRadioButton>(&d, "radioButtonUS13")); // 10 ms
        QCOMPARE(Modele.BoutonSousEchantillon(), 12);

        QTest::mouseClick(Controle<QPushButton>(&d, "buttonOK"), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(Modele.ValidSortie, uint8_t(1));
        QCOMPARE(Config.TypeCalibre, uint8_t(0));
        QCOMPARE(Config.NombreEcranFiltre, uint8_t(1));
        QCOMPARE(selectedValue, 10000.f);
        QCOMPARE(underSamplingRatio.load(), 100.f);
    }

    void AbortAndEscapeCancel() {
        Config.TypeCalibre = 1;
        Preparer();
        {
            FiltreFichier d(Modele);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            Cliquer(Controle<QRadioButton>(&d, "radioButtonCalibre1"));
            QTest::mouseClick(Controle<QPushButton>(&d, "button2"), Qt::LeftButton);
            QCOMPARE(d.result(), int(QDialog::Rejected));
            QCOMPARE(Modele.ValidSortie, uint8_t(0));
            QCOMPARE(Config.TypeCalibre, uint8_t(1));
        }
        Modele.ValidSortie = 1;
        FiltreFichier d(Modele);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QTest::keyClick(&d, Qt::Key_Escape);
        QCOMPARE(Modele.ValidSortie, uint8_t(0));
    }

    void DialogSeamShowsItModally() {
        Preparer();
        QuandModal([](QWidget* w) {
            QVERIFY(qobject_cast<FiltreFichier*>(w) != nullptr);
            Controle<QPushButton>(w, "buttonOK")->click();
        });
        VIEW::DialogueFiltreQt seam;
        QVERIFY(seam.EXECUTER(Modele));
        QCOMPARE(Modele.ValidSortie, uint8_t(1));

        Preparer();
        QuandModal([](QWidget* w) { Controle<QPushButton>(w, "button2")->click(); });
        QVERIFY(!seam.EXECUTER(Modele));
        QCOMPARE(Modele.ValidSortie, uint8_t(0));
    }

    void OpeningThroughTheRealDialog() {
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        recmaker::Enregistrement e;
        e.Famille = FamilleTKAR;
        e.PeriodeUs = 1000.f;
        e.NombreScans = 50;
        e.Voies = {recmaker::Voie{.Numero = 0, .Nom = "Pression"},
                   recmaker::Voie{.Numero = 1, .Nom = "Debit"}, recmaker::Voie{.Numero = 2, .Nom = "Niveau"}};
        e.Logique = true;
        e.NomsLogiques = {"Pompe"};
        const QString chemin = dossier.filePath(QStringLiteral("essai.rec"));
        QVERIFY(recmaker::Ecrire(e, chemin.toStdString()));

        RESET_ENTETE();
        RESET_ANNOTATIONS();
        VIEW::DialogueFiltreQt seam;
        auto ouvre = std::make_unique<OuvreREC>(&EnteteF);
        ouvre->VraiNomFichier = ouvre->NomFichier = chemin;
        ouvre->Dialogue = &seam;
        QuandModal([chemin](QWidget* w) {
            auto* liste = Controle<QListWidget>(w, "listBox1");
            QCOMPARE(liste->count(), 4);
            QCOMPARE(liste->item(3)->text(), QStringLiteral("Logic channels :"));
            QCOMPARE(Controle<QLabel>(w, "label1")->text(),
                     chemin + QStringLiteral("\nNumber of samples by channels :50"));
            liste->item(1)->setSelected(false);
            Controle<QPushButton>(w, "buttonOK")->click();
        });
        QCOMPARE(ouvre->OUVRIR_REC(0), LectureOK);
        QCOMPARE(ValidFichier, uint8_t(1));
        QVERIFY(TST_B_ONOFF(Config.VoiesPresentes, 0));
        QVERIFY(!TST_B_ONOFF(Config.VoiesPresentes, 1));
        QVERIFY(TST_B_ONOFF(Config.VoiesPresentes, 2));
        QCOMPARE(EnteteF.LogiqueAffichee, uint8_t(1));
        QVERIFY(ouvre->TexteMessageEntSimplifie().startsWith(
            QStringLiteral("essai.rec ( 50 Samples/channels ) ")));
        ouvre.reset();
    }

    // A box belongs to the window the user works in, so it is centred on it and stays above it;
    // right after another box closed, when no window is active yet, to the main window.
    void MessageBoxesBelongToTheActiveWindow() {
        VIEW::BoiteMessageQt boites;
        InstallationBoiteMessage installation(boites);
        QMainWindow fenetre;
        fenetre.resize(400, 300);
        fenetre.show();
        fenetre.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fenetre));
        QWidget* parent = nullptr;
        QuandModal([&parent](QWidget* w) { parent = w->parentWidget(); });
        BOITE_MESSAGE().MONTRER(QStringLiteral("Error"), QStringLiteral("?"), tIconeBoite::Avertissement);
        QCOMPARE(parent, &fenetre);
        parent = nullptr;
        QuandModal([&parent](QWidget* w) { parent = w->parentWidget(); });
        BOITE_MESSAGE().DEMANDER(QStringLiteral("Concatenation"), QStringLiteral("?"),
                                 tIconeBoite::Information, false);
        QCOMPARE(parent, &fenetre);
    }

    void MessageBoxesShowTitleTextAndIcon() {
        VIEW::BoiteMessageQt boites;
        InstallationBoiteMessage installation(boites);
        QuandModal([](QWidget* w) {
            auto* b = qobject_cast<QMessageBox*>(w);
            QVERIFY(b != nullptr);
            QCOMPARE(b->windowTitle(), QStringLiteral("Error"));
            QCOMPARE(b->text(), QStringLiteral("File error"));
            QCOMPARE(b->icon(), QMessageBox::Warning);
            b->button(QMessageBox::Ok)->click();
        });
        AFFICHE_ERREUR(POS_MESS(M_ErreurFichier));

        for (const bool oui : {true, false}) {
            QuandModal([oui](QWidget* w) {
                auto* b = qobject_cast<QMessageBox*>(w);
                QVERIFY(b != nullptr);
                QCOMPARE(b->windowTitle(), QStringLiteral("Concatenation"));
                QCOMPARE(b->icon(), QMessageBox::Information);
                QCOMPARE(b->defaultButton(), b->button(QMessageBox::No));
                b->button(oui ? QMessageBox::Yes : QMessageBox::No)->click();
            });
            const bool reponse = BOITE_MESSAGE().DEMANDER(
                QStringLiteral("Concatenation"), QStringLiteral("?"), tIconeBoite::Information, false);
            QCOMPARE(reponse, oui);
        }
    }
};

QTEST_MAIN(TestFiltreFichier)
#include "tst_filtre_fichier.moc"
