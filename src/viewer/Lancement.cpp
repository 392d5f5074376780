#include "viewer/Lancement.h"

#include <array>
#include <optional>

#include <QDir>
#include <QFileInfo>

#include "config/Coherence.h"
#include "config/Config.h"
#include "recording/OuvreREC.h"
#include "shell/BoiteMessage.h"
#include "shell/Registre.h"
#include "shell/Texte8.h"

void SIGNALER_ERREUR_LIGNE(const tLigneCommande& ligne) {
    BOITE_MESSAGE().MONTRER(QStringLiteral("Error"), ligne.TexteErreur, tIconeBoite::Avertissement);
}

void APPLIQUER_LIGNE_COMMANDE(const tLigneCommande& ligne) {
    Config.LimitationExport = ligne.LimitationExport;
    if (ligne.LongueurExport) Config.LongueurExport = *ligne.LongueurExport;
    if (ligne.TempsAbsolu) Config.TempsAbsolu = *ligne.TempsAbsolu;
}

bool APPEL_FICHIER_DEMARRAGE(OuvreREC& ouvre, const QString& chemin, uint8_t modeExport) {
    ouvre.Reset();
    ouvre.FicCompar = 0;
    SAUVE_NOM_FICHIER(chemin);
    ouvre.NomFichier = chemin;
    ouvre.VraiNomFichier = chemin;
    // Split recordings (name, name0, name00...) are joined only after the user agrees; without
    // a window nobody can agree, so the console export reads the first piece as it stands.
    if (ouvre.OUVRIR_REC(modeExport != ModeSansExport ? 1 : 0) != LectureOK) return false;
    CONVERT_STRING_CHAR(QDir::toNativeSeparators(QFileInfo(chemin).absolutePath()), RepertoireSetUp);
    return true;
}

void FENETRE_EXPORT(const tLigneCommande& ligne) {
    const auto [debut, fin] = ORDONNER_FRACTIONS(ligne.Debut, ligne.Fin);
    Setup.DebutFenetre = debut;
    Setup.LargeurFenetre = fin - debut;
    COHER_SETUP();
}
