#include "recording/MorceauxREC.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "shell/Texte8.h"

namespace {

std::filesystem::path CheminSysteme(const QString& nom) {
    return std::filesystem::path(QFile::encodeName(nom).toStdString());
}

bool OuvrirSortie(QFile& sortie) {
    // The file was removed just before: a file that appeared since is not ours to overwrite.
    return sortie.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

int64_t LireMorceau(QFile& morceau, char* donnees, int64_t taille) {
    return morceau.read(donnees, taille);
}

int64_t EcrireSortie(QFile& sortie, const char* donnees, int64_t taille) {
    return sortie.write(donnees, taille);
}

bool ViderSortie(QFile& sortie) {
    return sortie.flush() && ::fsync(sortie.handle()) == 0;
}

bool FermerSortie(QFile& sortie) {
    sortie.close();
    return sortie.error() == QFileDevice::NoError;
}

bool RenommerSortie(const QString& de, const QString& vers) {
    // rename() replaces the target in one step: at no time is the first name missing.
    std::error_code erreur;
    std::filesystem::rename(CheminSysteme(de), CheminSysteme(vers), erreur);
    return !erreur;
}

QString Affiche(const QString& nom) {
    return QDir::toNativeSeparators(nom);
}

// The join of the pieces into the temporary file, which is removed again on
// any failure. The pieces are only ever opened for reading here.
class Jonction {
public:
    Jonction(const QString& nom, const tEcritureMorceaux& e, const tProgresMorceaux& progres)
        : Nom(nom), Temporaire(NOM_TEMPORAIRE_MORCEAUX(nom)), E(e), Progres(progres), Sortie(Temporaire) {}

    // Empty when the temporary file holds every piece, else the file that failed.
    QString COPIER(const QStringList& morceaux) {
        std::vector<int64_t> longueurs;
        int64_t total = 0;
        for (const QString& m : morceaux) {
            longueurs.push_back(QFileInfo(m).size());
            total += longueurs.back();
        }
        // A temporary file left by an earlier attempt is stale.
        if (QFileInfo::exists(Temporaire) || QFileInfo(Temporaire).isSymLink()) {
            if (!QFile::remove(Temporaire)) return Temporaire;
        }
        if (!E.Ouvrir(Sortie)) return Echec(Temporaire);
        Cree = true;
        std::vector<char> bloc(static_cast<size_t>(TailleBlocMorceaux));
        for (qsizetype i = 0; i < morceaux.size(); ++i) {
            const QString fautif = COPIER_MORCEAU(morceaux[i], longueurs[static_cast<size_t>(i)], bloc);
            if (!fautif.isEmpty()) return Echec(fautif);
        }
        if (!E.Vider(Sortie) || !E.Fermer(Sortie) || QFileInfo(Temporaire).size() != total)
            return Echec(Temporaire);
        if (!E.Renommer(Temporaire, Nom)) return Echec(Nom);
        Cree = false; // it is the recording now
        return {};
    }

private:
    // Appends one piece; empty when done, else the file at fault: the piece
    // when it cannot be read, the joined file when it cannot be written.
    QString COPIER_MORCEAU(const QString& morceau, int64_t longueur, std::vector<char>& bloc) {
        QFile entree(morceau);
        if (!entree.open(QIODevice::ReadOnly)) return morceau;
        int64_t position = 0;
        if (Progres) Progres(morceau, 0, longueur);
        for (;;) {
            const int64_t lus = E.Lire(entree, bloc.data(), TailleBlocMorceaux);
            if (lus < 0) return morceau;
            if (lus == 0) break;
            if (E.Ecrire(Sortie, bloc.data(), lus) != lus) return Temporaire;
            position += lus;
            if (Progres) Progres(morceau, position, longueur);
        }
        // A piece that changed size while it was copied is not joined.
        return position == longueur ? QString() : morceau;
    }

    QString Echec(const QString& fautif) {
        Sortie.close();
        if (Cree) QFile::remove(Temporaire);
        Cree = false;
        return fautif;
    }

    const QString Nom, Temporaire;
    const tEcritureMorceaux& E;
    const tProgresMorceaux& Progres;
    QFile Sortie;
    bool Cree = false;
};

std::string EnCp1252(const char* message, const QString& detail) {
    return std::string(message) + '\n' + VersCp1252(detail);
}

} // namespace

tEcritureMorceaux::tEcritureMorceaux()
    : Ouvrir(OuvrirSortie), Lire(LireMorceau), Ecrire(EcrireSortie), Vider(ViderSortie), Fermer(FermerSortie),
      Renommer(RenommerSortie) {}

QString NOM_TEMPORAIRE_MORCEAUX(const QString& nom) {
    return nom + QStringLiteral("Temp000");
}

QStringList MORCEAUX_REC(const QString& nom) {
    QStringList morceaux;
    if (nom.isEmpty()) return morceaux;
    // Names grow by one character each time, so the file system's name limit ends the walk.
    for (QString morceau = nom; QFileInfo(morceau).isFile(); morceau += QLatin1Char('0'))
        morceaux.append(morceau);
    return morceaux;
}

bool Concatener(const QString& nom, const tProgresMorceaux& progres, QString* erreur,
                const tEcritureMorceaux& ecriture) {
    if (erreur) erreur->clear();
    const QStringList morceaux = MORCEAUX_REC(nom);
    if (morceaux.size() < 2) return true;

    Jonction jonction(nom, ecriture, progres);
    const QString fautif = jonction.COPIER(morceaux);
    if (!fautif.isEmpty()) {
        if (erreur) *erreur = Affiche(fautif);
        return false;
    }
    QStringList restants;
    for (qsizetype i = 1; i < morceaux.size(); ++i) {
        if (!QFile::remove(morceaux[i])) restants.append(Affiche(morceaux[i]));
    }
    if (erreur) *erreur = restants.join(QLatin1Char('\n'));
    return true;
}

bool Concat(const QString& nom, const tSuiviConcat& suivi, const tEcritureMorceaux& ecriture) {
    if (MORCEAUX_REC(nom).size() < 2) return false;
    if (!QUESTION_OUI_NON("Concatenation", "Voulez vous concatener les fichiers rec,rec0 etc...",
                          tIconeBoite::Avertissement, false))
        return false;
    if (suivi.Debut) suivi.Debut();
    QString erreur;
    const bool joint = Concatener(nom, suivi.Progres, &erreur, ecriture);
    if (suivi.Fin) suivi.Fin();
    if (!joint) {
        AFFICHE_ERREUR(EnCp1252(POS_MESS(M_ErreurConcatMorceaux), erreur).c_str());
    } else if (!erreur.isEmpty()) {
        // Joined, but a piece is left that a later join would add a second time.
        AFFICHE_ERREUR(EnCp1252(POS_MESS(M_ErreurFichier), erreur).c_str());
    }
    return joint;
}

bool Concat(const QString& nom, const tProgresMorceaux& progres) {
    tSuiviConcat suivi;
    suivi.Progres = progres;
    return Concat(nom, suivi);
}
