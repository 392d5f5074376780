#include "config/CommandesConf.h"

#include "config/Coherence.h"
#include "config/Config.h"
#include "config/FichierConfig.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "shell/Registre.h"
#include "shell/Texte8.h"

#include <QDir>

QString DOSSIER_CONF() {
    return DepuisCp1252(RepertoireSetUp, static_cast<int>(TailleRepertoireSetUp));
}

std::string FILTRE_CONF_SPT() {
    return std::string(POS_MESS(M_FilterSPT)) + " *.spt|*.spt";
}

QString CHEMIN_CONF_SPT(const QString& choisi) {
    const QString chemin = QDir::fromNativeSeparators(choisi);
    const qsizetype finDossier = chemin.lastIndexOf(u'/') + 1;
    QString nom = chemin.mid(finDossier);
    const qsizetype point = nom.lastIndexOf(u'.');
    if (point >= 0) nom.truncate(point);
    return chemin.left(finDossier) + nom + QStringLiteral(".spt");
}

uint8_t OUVRIR_CONF_FICHIER(const QString& chemin) {
    const uint8_t resultat = APPEL_CONFIGURATION(chemin);
    if (resultat == ResultatConfigErreur)
        AFFICHE_MESSAGE("Error", POS_MESS(M_FileErreur), tIconeBoite::Avertissement);
    else
        AFFICHE_MESSAGE(M_NomLogiciel, POS_MESS(M_FileOK), tIconeBoite::Information);
    return resultat;
}

uint8_t SAUVE_CONF_FICHIER(const QString& choisi) {
    if (choisi.isEmpty()) return ResultatConfigErreur;
    return ECRIRE_CONFIGURATION(CHEMIN_CONF_SPT(choisi));
}

void RESET_CONF_SPT() {
    Config.VersionConfig = 0;
    COHERENCE_CONFIGURATION();
}
