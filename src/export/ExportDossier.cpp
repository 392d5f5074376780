#include "export/ExportDossier.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "export/EtatExport.h"
#include "export/GlobauxExport.h"
#include "math/InstallationScripts.h"
#include "recording/OuvreREC.h"
#include "shell/BoiteMessage.h"
#include "shell/Texte8.h"

namespace {

// folder_export for the time of a folder export.
class ExportDeDossier {
public:
    ExportDeDossier() { folder_export = 1; }
    ~ExportDeDossier() { folder_export = 0; }
    ExportDeDossier(const ExportDeDossier&) = delete;
    ExportDeDossier& operator=(const ExportDeDossier&) = delete;
};

bool Exporter(OuvreREC& ouvre, const QString& cible, uint8_t type) {
    EtatExport etat;
    etat.FichierExport = cible;
    etat.TypeFichier = type;
    etat.TypeInterface = 0;
    etat.LANCE_CALCUL(SOURCE_EXPORT(ouvre));
    return etat.OnAEuUneErreur.load() == 0;
}

void Parcourir(const QString& dossier, OuvreREC& ouvre, const tOuvertureExport& ouvrir, QSet<QString>& vus,
               tResultatDossier& resultat) {
    // A folder reached again through a link is not walked twice.
    const QString canonique = QFileInfo(dossier).canonicalFilePath();
    if (canonique.isEmpty() || vus.contains(canonique)) return;
    vus.insert(canonique);

    const QDir d(dossier);
    const QFileInfoList fichiers =
        d.entryInfoList({QStringLiteral("*.rec")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QFileInfo& f : fichiers) {
        const QString chemin = f.filePath();
        const QString cible = chemin.left(chemin.size() - 4) + QStringLiteral(".csv");
        if (!ouvrir(ouvre, chemin) || !Auto_EXPORT(ouvre, cible)) {
            resultat.Ignores.append(chemin);
            continue;
        }
        resultat.Exportes.append(cible);
        const std::vector<std::string> bilan = BILAN_SCRIPTS(ouvre);
        if (bilan.empty()) continue;
        QString texte = QDir::toNativeSeparators(cible);
        for (const std::string& t : bilan) texte += QStringLiteral("\n  ") + DepuisCp1252(t.c_str());
        resultat.ScriptsEnDefaut.append(texte);
    }
    const QFileInfoList sousDossiers =
        d.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QFileInfo& s : sousDossiers) Parcourir(s.filePath(), ouvre, ouvrir, vus, resultat);
}

} // namespace

bool Auto_EXPORT(OuvreREC& ouvre, const QString& cible) {
    return Exporter(ouvre, cible, TypeCSV);
}

bool OUVRIR_SANS_DIALOGUE(OuvreREC& ouvre, const QString& chemin) {
    ouvre.VraiNomFichier = ouvre.NomFichier = chemin;
    return ouvre.OUVRIR_REC(1) == LectureOK;
}

tResultatDossier SELECTIONNER_DOSSIER(const QString& dossier, OuvreREC& ouvre,
                                      const tOuvertureExport& ouvrir) {
    tResultatDossier resultat;
    {
        const ExportDeDossier enCours;
        QSet<QString> vus;
        Parcourir(dossier, ouvre, ouvrir ? ouvrir : tOuvertureExport(OUVRIR_SANS_DIALOGUE), vus, resultat);
    }
    QString texte = QStringLiteral("CSV folder export finish");
    for (const QString& f : resultat.Ignores) texte += QLatin1Char('\n') + QDir::toNativeSeparators(f);
    for (const QString& f : resultat.ScriptsEnDefaut) texte += QLatin1Char('\n') + f;
    BOITE_MESSAGE().MONTRER(QStringLiteral("CSV Export"), texte, tIconeBoite::Information);
    return resultat;
}

QString NOM_EXPORT(const QString& enregistrement, uint8_t typeFichier) {
    const QFileInfo f(enregistrement);
    const char* extension = typeFichier == TypeExcel ? ".xlsx" : typeFichier == TypeTexte ? ".txt" : ".csv";
    const QString dossier = f.path();
    return (dossier == QStringLiteral(".") && !enregistrement.startsWith(QStringLiteral("./"))
                ? QString()
                : dossier + QLatin1Char('/')) +
           f.completeBaseName() + QLatin1String(extension);
}

uint8_t LANCER_EXPORT_CONSOLE(int mode, OuvreREC& ouvre) {
    if (mode < TypeExcel || mode > TypeCSV) return 1;
    if (ValidFichier != 1 || ouvre.VraiNomFichier.isEmpty()) return 1;
    const QString nom = ouvre.NomFichier.isEmpty() ? ouvre.VraiNomFichier : ouvre.NomFichier;
    EtatExport etat;
    etat.FichierExport = NOM_EXPORT(nom, static_cast<uint8_t>(mode));
    etat.TypeFichier = static_cast<uint8_t>(mode);
    etat.TypeInterface = 0;
    etat.LANCE_CALCUL(SOURCE_EXPORT(ouvre));
    etat.AFFICHER_FIN();
    return etat.OnAEuUneErreur.load() == 0 ? 0 : 1;
}
