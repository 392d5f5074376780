#include "config/FichierConfig.h"

#include "config/Coherence.h"
#include "config/Config.h"
#include "config/ConfigAncienne.h"
#include "config/Defauts.h"
#include "shell/BoiteMessage.h"
#include "shell/DossiersUtilisateur.h"
#include "shell/Messages.h"
#include "shell/Texte8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr qint64 TailleMaxFichier = std::max({sizeof(tConfig), sizeof(tConfig_V19), sizeof(tConfig_TKOS)});

// Copies the bytes into a record of the older layout when the version and the length are those
// of `Ancien`. The record is filled only from a buffer of exactly its size.
template <class Ancien>
bool CONVERTIR_SI(const QByteArray& octets, uint8_t version, void (*copie)(const Ancien&)) {
    if (octets.size() != static_cast<qsizetype>(sizeof(Ancien)) || static_cast<uint8_t>(octets[0]) != version)
        return false;
    Ancien ancien;
    std::memcpy(&ancien, octets.constData(), sizeof ancien);
    copie(ancien);
    return true;
}

bool CHARGER_OCTETS(const QByteArray& octets) {
    if (octets.isEmpty()) return false;
    if (octets.size() == static_cast<qsizetype>(sizeof(tConfig)) &&
        static_cast<uint8_t>(octets[0]) == VersionConfigCourante) {
        std::memcpy(&Config, octets.constData(), sizeof Config);
        return true;
    }
    return CONVERTIR_SI<tConfig_V19>(octets, VersionConfigV19, COPIE_V19_DANS_CONFIG) ||
           CONVERTIR_SI<tConfig_TKOS>(octets, VersionConfigTKOS, COPIE_VTKOS_DANS_CONFIG);
}

void SIGNALER_ECHEC_ECRITURE(const QString& chemin) {
    std::string texte = POS_MESS(M_ErreurFichier);
    texte += '\n';
    texte += VersCp1252(QDir::toNativeSeparators(chemin));
    AFFICHE_ERREUR(texte.c_str());
}

} // namespace

uint8_t APPEL_CONFIGURATION(const QString& chemin) {
    if (chemin.isEmpty() || !QFileInfo::exists(chemin)) return ResultatConfigOk;

    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) return ResultatConfigErreur;
    // One byte more than the largest layout is enough to tell every length that is not known.
    const QByteArray octets = fichier.read(TailleMaxFichier + 1);
    if (fichier.error() != QFileDevice::NoError) return ResultatConfigErreur;
    fichier.close();

    uint8_t resultat = ResultatConfigOk;
    if (!CHARGER_OCTETS(octets)) {
        resultat = ResultatConfigErreur;
        INIT_CONFIG();
    }
    COHERENCE_CONFIGURATION();
    return resultat;
}

uint8_t ECRIRE_CONFIGURATION(const QString& chemin) {
    QSaveFile fichier(chemin);
    bool ok = fichier.open(QIODevice::WriteOnly);
    if (ok) {
        // The write is buffered: only the flush shows a disk that is full or a size limit, and
        // commit() alone would still put the truncated file in place of the old one.
        ok = fichier.write(reinterpret_cast<const char*>(&Config), sizeof Config) ==
                 static_cast<qint64>(sizeof Config) &&
             fichier.flush() && fichier.error() == QFileDevice::NoError;
        if (ok)
            ok = fichier.commit();
        else
            fichier.cancelWriting();
    }
    if (!ok) {
        SIGNALER_ECHEC_ECRITURE(chemin);
        return ResultatConfigErreur;
    }
    return ResultatConfigOk;
}

QString CHEMIN_SETUP_VIEWER() {
    return QDir(DossierDonneesUtilisateur()).filePath(QString::fromLatin1(NomFichierSetup));
}

uint8_t SAVE_CONFIGURATION() {
    return ECRIRE_CONFIGURATION(CHEMIN_SETUP_VIEWER());
}
