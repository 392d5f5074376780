// The main window's commands on files: opening a recording, the recent list,
// the exports, the set-up files.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProgressBar>
#include <QTimer>

#include "config/CommandesConf.h"
#include "config/Config.h"
#include "export/EtatExport.h"
#include "export/ExportDossier.h"
#include "export/SauveAnnotations.h"
#include "graph/TravailleurDessin.h"
#include "graph/TravailleurGraphe.h"
#include "graph/grapheft.h"
#include "math/InstallationScripts.h"
#include "recording/Annotations.h"
#include "recording/EtatFonctions.h"
#include "recording/OuvreREC.h"
#include "shell/Messages.h"
#include "shell/Registre.h"
#include "shell/Texte8.h"
#include "ui/Ajout_Annotation.h"
#include "ui/CSVOption.h"
#include "ui/ConcatMorceaux.h"
#include "ui/Export.h"
#include "ui/FormCurseurY.h"
#include "ui/Form_Calcul.h"
#include "ui/Form_main.h"
#include "ui/SauvegardeAffichage.h"
#include "ui/TexteMessage.h"
#include "ui/concatene.h"

namespace VIEW {

void Form_main::ARRETER_PASSE() {
    // The pass reads the header, Config and Setup, the drawing runs the
    // recording's scripts: nothing changes them while either runs.
    PasseEcran->ARRET_CALCUL();
    Dessinateur->ARRETER();
}

void Form_main::OUVRIR_FICHIER() {
    const QString chemin = DemanderOuverture(QString(), DepuisCp1252(RepertoireSetUp),
                                             QStringLiteral("*.rec"), TexteMessage(M_FilterRec));
    if (chemin.isEmpty()) return;
    NomFichier = chemin;
    OUVRIR(chemin, chemin, 0);
}

void Form_main::APPEL_FICHIER(const QString& nom, const QString& fichierDonnees, uint8_t mode) {
    NomFichier = nom;
    ARRETER_PASSE();
    FichierOuvert = 0;
    OuvrirRecord->Reset();
    OuvrirRecord->FicCompar = 0;
    Modification();
    SAUVE_NOM_FICHIER(nom);
    OUVRIR(nom, fichierDonnees, mode);
}

void Form_main::OUVRIR(const QString& nom, const QString& fichierDonnees, uint8_t mode) {
    ARRETER_PASSE();
    PasseEcran->FermerFichier();
    OuvreREC& o = *OuvrirRecord;
    o.Reset();
    o.FicCompar = 0;
    o.NomFichier = nom;
    o.VraiNomFichier = fichierDonnees;
    o.EnteteFichier = &EnteteF;
    // The recording on screen goes away with its header: nothing of it is
    // drawn again, and no read-out shows its values with the next one's units.
    FichierOuvert = 0;
    OUBLIER_IMAGE();
    JOINDRE_MORCEAUX(fichierDonnees);
    const uint8_t resultat = o.OUVRIR_REC(mode);
    grapheFT->Scripts = o.Scripts.get();
    if (resultat == LectureOK) {
        SAUVE_NOM_FICHIER(nom);
        FICHIER_OUVERT_OK();
    } else {
        // Its header is already the new file's: the previous recording is
        // closed, and the window says so.
        FERMER_ENREGISTREMENT();
    }
}

void Form_main::OUBLIER_IMAGE() {
    ImageDeLEnregistrement_ = false;
    grapheft vide(&EnteteF, &Setup);
    grapheFT->ECHANGER_DESSIN(vide);
    grapheFT->Initialisation(); // its fonts, for a read-out before the next picture
}

void Form_main::FERMER_ENREGISTREMENT() {
    ARRETER_PASSE();
    PasseEcran->FermerFichier();
    PasseEcran->CalculTerminer.store(CalculAucun);
    DemandeEnCours_ = false;
    FichierOuvert = 0;
    ValidFichier = 0;
    OUBLIER_IMAGE();
    CLEAR_GRAPHE();
    progressBar1->hide();
    setWindowTitle(QStringLiteral("OmbrixViewer"));
    Modification();
}

void Form_main::FICHIER_OUVERT_OK() {
    FichierOuvert = 1;
    NumeroFonction = 0;
    PasseEcran->CalculTerminer.store(CalculAucun);
    grapheFT->DateTrigger = OuvrirRecord->DateTrigger;
    PasseEcran->CheminDonnees = OuvrirRecord->VraiNomFichier;
    MessageEntete = OuvrirRecord->TexteMessageEntete();
    MessageTitreEntete = OuvrirRecord->TexteMessageTitreEntete();
    MessageEntSimplifie = OuvrirRecord->TexteMessageEntSimplifie();
    OnAAjouterUneAnnotation = 0;
    NombreAnnotEnPlus = 0;
    actionSauveAnnot->setVisible(false);
    setWindowTitle(QDir::toNativeSeparators(NomFichier));
    if (auto* calcul = qobject_cast<Form_Calcul*>(FenetreCalcul.data())) calcul->Init();
    if (auto* curseurY = qobject_cast<FormCurseurY*>(FenetreCurseurY.data())) curseurY->Init_CurseurY();
    if (auto* annot = qobject_cast<Ajout_Annotation*>(FenetreAnnot.data())) annot->Init_Annot();
    CONVERT_STRING_CHAR(QDir::toNativeSeparators(QFileInfo(NomFichier).absolutePath()), RepertoireSetUp);
    Modification();
    RECALCUL_FORM();
}

void Form_main::REFAIRE_TITRES() {
    if (FichierOuvert != 1) return;
    const QString avant = OuvrirRecord->TexteMessageEntete();
    OuvrirRecord->REFAIRE_TITRES();
    if (MessageEntete == avant) MessageEntete = OuvrirRecord->TexteMessageEntete();
    MessageEntSimplifie = OuvrirRecord->TexteMessageEntSimplifie();
}

// ---- Exports ---------------------------------------------------------------------

QString Form_main::CALCUL_NOM_EXPORT(uint8_t type) const {
    return NOM_EXPORT(OuvrirRecord->NomFichier.isEmpty() ? NomFichier : OuvrirRecord->NomFichier, type);
}

void Form_main::EXPORT(uint8_t type) {
    if (FichierOuvert != 1) return;
    const QString titre = TexteMessage(M_FiltreExport);
    const char* motif = type == TypeExcel   ? " *.xlsx|*.xlsx"
                        : type == TypeTexte ? " *.txt|*.txt"
                                            : " *.csv|*.csv";
    const QFileInfo propose(CALCUL_NOM_EXPORT(type));
    const QString cible = DemanderEnregistrement(titre, propose.absolutePath(), propose.fileName(),
                                                 titre + QLatin1String(motif));
    if (cible.isEmpty()) return;
    const bool passeFinie = PASSE_COMPLETE();
    {
        Export dialogue(cible, type, 1, SOURCE_EXPORT(*OuvrirRecord), this);
        ExecuterDialogue(dialogue);
    }
    if (MoteurScripts) MoteurScripts->SIGNALER_ARRETS(); // scripts stopped on the exported rows
    // The export held the display pass while it read the recording.
    if (!passeFinie || !PASSE_COMPLETE()) RECALCUL_FORM();
}

void Form_main::EXPORT_DOSSIER_CSV() {
    const QString dossier = DemanderDossier(DepuisCp1252(RepertoireSetUp));
    if (dossier.isEmpty()) return;
    ARRETER_PASSE();
    const bool affiche = FichierOuvert == 1;
    timer1->stop();
    {
        // Every recording of the folder is opened by its own opener; what the
        // recording on screen set up is put back afterwards.
        // The row hook runs the scripts of one opener at a time: those of the
        // exported recordings meanwhile, those on screen again afterwards.
        MoteurScripts.reset();
        const SauvegardeAffichage sauvegarde;
        OuvreREC ouvre(&EnteteF);
        const auto scripts = INSTALLER_SCRIPTS(ouvre);
        SELECTIONNER_DOSSIER(dossier, ouvre, OUVERTURE_AVEC_MORCEAUX(this));
    }
    MoteurScripts = INSTALLER_SCRIPTS(*OuvrirRecord);
    timer1->start();
    if (affiche) RECALCUL_FORM();
}

// ---- Set-up files ------------------------------------------------------------------

void Form_main::OUVRIR_CONF() {
    const QString chemin =
        DemanderOuverture(QString(), DOSSIER_CONF(), QLatin1String(NomInitialOuvertureConf),
                          DepuisCp1252(FILTRE_CONF_SPT().c_str()));
    if (chemin.isEmpty()) return;
    ARRETER_PASSE();
    OUVRIR_CONF_FICHIER(chemin);
    Modification();
    if (FichierOuvert == 1) RECALCUL_FORM();
}

void Form_main::SAUVE_CONF() {
    const QString chemin =
        DemanderEnregistrement(QString(), DOSSIER_CONF(), QString(), DepuisCp1252(FILTRE_CONF_SPT().c_str()));
    if (chemin.isEmpty()) return;
    SAUVE_CONF_FICHIER(chemin);
}

void Form_main::RESET_CONF() {
    ARRETER_PASSE();
    RESET_CONF_SPT();
    Modification();
}

void Form_main::CSV_OPTION() {
    CSVOption dialogue(this);
    ExecuterDialogue(dialogue);
}

// ---- Annotations ---------------------------------------------------------------------

void Form_main::SAVE_ANNOT() {
    if (FichierOuvert != 1) return;
    // The first full pass sums the file to its end for the data checksum: it
    // does not run while the file grows.
    ARRETER_PASSE();
    const bool complet = PASSE_COMPLETE();
    ::SAVE_ANNOT(DemanderEnregistrement, OuvrirRecord->VraiNomFichier, NomFichier);
    if (auto* annot = qobject_cast<Ajout_Annotation*>(FenetreAnnot.data())) annot->AFFICHE_BOUTONS();
    actionSauveAnnot->setVisible(NombreAnnotEnPlus > 0);
    if (!complet) RECALCUL_FORM();
}

// ---- Concatenation ---------------------------------------------------------------------

void Form_main::CONCATENATION() {
    ARRETER_PASSE();
    if (FichierOuvert == 1) {
        PasseEcran->FermerFichier();
        OuvrirRecord->FERMER_FICHIER();
    }
    concatene dialogue(this);
    dialogue.init_texte();
    ExecuterDialogue(dialogue);
    if (dialogue.ValiditeFic == 1) {
        APPEL_FICHIER(dialogue.PremierNomFichier(), dialogue.FichierTemp(), 0);
    } else if (FichierOuvert == 1) {
        // Nothing joined: the recording on screen is read again from its file.
        PasseEcran->FermerFichier();
        RECALCUL_FORM();
    }
}

} // namespace VIEW
