#include "recording/Concatenation.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include "recording/Annotations.h"
#include "recording/ScriptsREC.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "shell/Registre.h"
#include "shell/Texte8.h"

namespace {

constexpr int64_t TailleBlocConcat = int64_t{1} << 20;
constexpr int TailleTexteMarqueur = 32;
constexpr uint32_t CouleurMarqueur = 0xFF0000;

// Offsets of the annotation-area size in the fixed headers.
constexpr size_t PositionTailleAnnotTKAR = offsetof(tEnteteTKAR, TailleAnnotations);
constexpr size_t PositionTailleAnnotTKOS = offsetof(tEnteteTKOS, TailleAnnotations);
constexpr size_t PositionTailleAnnotVEL = offsetof(tEnteteVEL, TailleAnnotations);

// What the join takes from one listed file.
struct tMorceau {
    QString Chemin;
    int16_t Famille = 0;
    int64_t DebutDonnees = 0;
    int64_t MotsDonnees = 0; // LongueurScan x NombreScans
    int64_t NombreScans = 0;
    uint8_t LongueurScan = 0;
    float Periode = 0.f;
    uint8_t BaseDeTempsInterne = 0;
};

// Reading a header fills the annotation tables and the script flag of the
// recording on display; they are put back once the join is over.
class SauvegardeAnnotations {
public:
    SauvegardeAnnotations()
        : Anciennes(std::begin(TabAnnotMem), std::end(TabAnnotMem)),
          Nouvelles(std::begin(TabAnnotMemNew), std::end(TabAnnotMemNew)), Ancien(AncienAnnot),
          Nouveau(NouveauAnnot), EnPlus(NombreAnnotEnPlus), Scripts(ValiditeAngelScript) {}
    ~SauvegardeAnnotations() {
        std::copy(Anciennes.begin(), Anciennes.end(), TabAnnotMem);
        std::copy(Nouvelles.begin(), Nouvelles.end(), TabAnnotMemNew);
        AncienAnnot = Ancien;
        NouveauAnnot = Nouveau;
        NombreAnnotEnPlus = EnPlus;
        ValiditeAngelScript = Scripts;
    }
    SauvegardeAnnotations(const SauvegardeAnnotations&) = delete;
    SauvegardeAnnotations& operator=(const SauvegardeAnnotations&) = delete;

private:
    const std::vector<tTabAnnotMem> Anciennes;
    const std::vector<tTabAnnotMemNew> Nouvelles;
    const int32_t Ancien, Nouveau, EnPlus;
    const uint8_t Scripts;
};

// The marker text: the 32 text bytes blank, then the file name without
// directory, at most 31 characters (Windows-1252).
void TexteMarqueur(char* texte, const QString& chemin) {
    std::memset(texte, ' ', TailleTexteMarqueur);
    const std::string nom = VersCp1252(QFileInfo(chemin).fileName());
    std::memcpy(texte, nom.data(), std::min<size_t>(nom.size(), TailleTexteMarqueur - 1));
}

void PoserU16(std::vector<char>& octets, size_t position, uint16_t valeur) {
    octets[position] = static_cast<char>(valeur & 0xFF);
    octets[position + 1] = static_cast<char>(valeur >> 8);
}

void PoserU32(std::vector<char>& octets, size_t position, uint32_t valeur) {
    for (int i = 0; i < 4; ++i)
        octets[position + static_cast<size_t>(i)] = static_cast<char>(valeur >> (8 * i));
}

// A name not yet taken in `dossier`.
QString NomLibre(const QDir& dossier, const QString& debut, const QString& fin) {
    for (;;) {
        const QString nom =
            dossier.filePath(debut + QString::number(QRandomGenerator::global()->generate64(), 16) + fin);
        if (!QFileInfo::exists(nom) && !QFileInfo(nom).isSymLink()) return nom;
    }
}

// True when both paths name the same existing file.
bool MemeFichier(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

bool EstListe(const QString& chemin, const QStringList& fichiers) {
    return std::any_of(fichiers.begin(), fichiers.end(),
                       [&](const QString& f) { return MemeFichier(f, chemin); });
}

// The output being written; removed again unless Garder() was called.
class Sortie {
public:
    Sortie(const QString& chemin, const tEcritureMorceaux& e) : Chemin(chemin), E(e), Fichier(chemin) {}
    ~Sortie() {
        Fichier.close();
        if (Cree) QFile::remove(Chemin);
    }
    Sortie(const Sortie&) = delete;
    Sortie& operator=(const Sortie&) = delete;

    bool Ouvrir() {
        Cree = E.Ouvrir(Fichier);
        return Cree;
    }
    bool Ecrire(const char* octets, int64_t n) {
        if (n == 0) return true;
        if (E.Ecrire(Fichier, octets, n) != n) {
            EcritureEchouee_ = true;
            return false;
        }
        Ecrits += n;
        return true;
    }
    // A write failed (rather than a read of a listed file).
    bool EcritureEchouee() const { return EcritureEchouee_; }
    // Copies `n` bytes of `source` from `debut`; false when they cannot all be read or written.
    bool Copier(QFile& source, int64_t debut, int64_t n, std::vector<char>& bloc) {
        if (!source.seek(debut)) return false;
        while (n > 0) {
            const int64_t lus = E.Lire(source, bloc.data(), std::min<int64_t>(n, TailleBlocConcat));
            if (lus <= 0 || lus > n) return false;
            if (!Ecrire(bloc.data(), lus)) return false;
            n -= lus;
        }
        return true;
    }
    // Everything on disk, the file closed and of the size written.
    bool Terminer() { return E.Vider(Fichier) && E.Fermer(Fichier) && QFileInfo(Chemin).size() == Ecrits; }
    void Garder() { Cree = false; }

private:
    const QString Chemin;
    const tEcritureMorceaux& E;
    QFile Fichier;
    bool Cree = false;
    bool EcritureEchouee_ = false;
    int64_t Ecrits = 0;
};

// The join itself, from the checked list to the complete output.
class Jonction {
public:
    Jonction(OuvreREC& ouvre, const tEcritureMorceaux& e, tRapportConcat& rapport)
        : Ouvre(ouvre), E(e), Rapport(rapport) {}

    // Reads and checks every header and collects the annotations; 0 when the
    // list can be joined, else the reader's result or 1.
    uint8_t PREPARER(const QStringList& fichiers) {
        int64_t motsAvant = 0;
        for (const QString& chemin : fichiers) {
            Ouvre.VraiNomFichier = Ouvre.NomFichier = chemin;
            const uint8_t lu = Ouvre.LECTURE_ENTETE();
            Ouvre.FERMER_FICHIER();
            if (lu != LectureOK) {
                return Echec(tEchecConcat::Lecture, chemin,
                             lu == LectureInconnu ? "no known recorder family" : Ouvre.CauseErreur, lu);
            }
            const t_EnteteREC_GlobalTotal& e = *Ouvre.EnteteFichier;
            tMorceau m;
            m.Chemin = chemin;
            m.Famille = e.FamilleEnregistreur;
            m.DebutDonnees = e.DebutDonnees;
            m.LongueurScan = e.LongueurScan;
            m.NombreScans = e.NombreScans;
            m.MotsDonnees = e.NombreScans * e.LongueurScan;
            m.Periode = e.PeriodeEchantillon;
            m.BaseDeTempsInterne = e.BaseDeTempsInterne;
            if (!Morceaux.empty()) {
                if (const char* cause = Incompatibilite(Morceaux.front(), m))
                    return Echec(tEchecConcat::Incompatible, chemin, cause, uint8_t{1});
                AjouterMarqueur(m, motsAvant);
            }
            // The TKAR family's own annotations are not carried.
            if (m.Famille != FamilleTKAR) {
                for (int i = 0; i < NouveauAnnot; ++i) {
                    tTabAnnotMemNew a = TabAnnotMemNew[i];
                    a.PositionMot += motsAvant;
                    if (AjouterNouvelle(a)) ++Rapport.Reportees;
                }
            }
            motsAvant += m.MotsDonnees;
            Rapport.NombreScans += m.NombreScans;
            Morceaux.push_back(m);
        }
        return LectureOK;
    }

    // Writes the joined recording into `sortie`; true when it is complete.
    bool ECRIRE(Sortie& sortie) {
        std::vector<char> bloc(static_cast<size_t>(TailleBlocConcat));
        for (size_t i = 0; i < Morceaux.size(); ++i) {
            const tMorceau& m = Morceaux[i];
            QFile source(m.Chemin);
            if (!source.open(QIODevice::ReadOnly))
                return Echec(tEchecConcat::Ecriture, m.Chemin, "cannot be read");
            if (i == 0 && !EcrireEntete(sortie, source)) return false;
            if (!sortie.Copier(source, m.DebutDonnees, 2 * m.MotsDonnees, bloc)) {
                // A full disk is the output's fault, not the listed file's.
                return sortie.EcritureEchouee()
                           ? Echec(tEchecConcat::Ecriture, {}, "the output could not be written")
                           : Echec(tEchecConcat::Ecriture, m.Chemin, "its samples could not be copied");
            }
        }
        const bool ecrit =
            Anciennes() ? sortie.Ecrire(reinterpret_cast<const char*>(TabAnnotMemConc),
                                        static_cast<int64_t>(sizeof(tTabAnnotMem)) * NombreAnciennes)
                        : sortie.Ecrire(reinterpret_cast<const char*>(Nouvelles.data()),
                                        static_cast<int64_t>(sizeof(tTabAnnotMemNew) * Nouvelles.size()));
        if (!ecrit) return Echec(tEchecConcat::Ecriture, {}, "the annotations could not be written");
        if (!sortie.Terminer()) return Echec(tEchecConcat::Ecriture, {}, "the output could not be completed");
        return true;
    }

private:
    static const char* Incompatibilite(const tMorceau& premier, const tMorceau& m) {
        if (m.Famille != premier.Famille) return "another recorder family";
        if (m.DebutDonnees != premier.DebutDonnees) return "another data offset";
        if (m.Periode != premier.Periode || m.BaseDeTempsInterne != premier.BaseDeTempsInterne)
            return "another sampling period";
        if (m.LongueurScan != premier.LongueurScan) return "another number of words per scan";
        return nullptr;
    }

    // The output's annotation area holds old-layout records when the files are TKAR ones.
    bool Anciennes() const { return !Morceaux.empty() && Morceaux.back().Famille == FamilleTKAR; }

    void AjouterMarqueur(const tMorceau& m, int64_t motsAvant) {
        bool ajoute = false;
        if (m.Famille == FamilleTKAR) {
            if (NombreAnciennes < MaxAnnotConcatAnciennes) {
                tTabAnnotMem& a = TabAnnotMemConc[NombreAnciennes++];
                a = tTabAnnotMem{};
                a.PositionMot = motsAvant;
                a.GenreAnnot = 0;
                TexteMarqueur(a.TexteAnnot, m.Chemin);
                ajoute = true;
            } else {
                ++Rapport.Omises;
            }
        } else {
            tTabAnnotMemNew a{};
            a.PositionMot = motsAvant;
            a.GenreAnnot = 0;
            a.CouleurAnnot = static_cast<int32_t>(CouleurMarqueur);
            a.AnnotVerticale = 1;
            TexteMarqueur(a.TexteAnnot, m.Chemin);
            ajoute = AjouterNouvelle(a);
        }
        if (ajoute) ++Rapport.Marqueurs;
    }

    bool AjouterNouvelle(const tTabAnnotMemNew& a) {
        if (static_cast<int>(Nouvelles.size()) >= MaxAnnotConcatNouvelles) {
            ++Rapport.Omises;
            return false;
        }
        Nouvelles.push_back(a);
        return true;
    }

    // The first file's header with the new annotation-area size; nothing else changes.
    bool EcrireEntete(Sortie& sortie, QFile& source) {
        const tMorceau& m = Morceaux.front();
        std::vector<char> entete(static_cast<size_t>(m.DebutDonnees));
        if (E.Lire(source, entete.data(), m.DebutDonnees) != m.DebutDonnees)
            return Echec(tEchecConcat::Ecriture, m.Chemin, "its header could not be copied");
        switch (m.Famille) {
        case FamilleTKAR:
            PoserU16(entete, PositionTailleAnnotTKAR,
                     static_cast<uint16_t>(NombreAnciennes * static_cast<int>(sizeof(tTabAnnotMem))));
            break;
        case FamilleTKOS:
            PoserU32(entete, PositionTailleAnnotTKOS,
                     static_cast<uint32_t>(Nouvelles.size() * sizeof(tTabAnnotMemNew)));
            break;
        default:
            PoserU32(entete, PositionTailleAnnotVEL,
                     static_cast<uint32_t>(Nouvelles.size() * sizeof(tTabAnnotMemNew)));
            break;
        }
        if (!sortie.Ecrire(entete.data(), m.DebutDonnees))
            return Echec(tEchecConcat::Ecriture, {}, "the header could not be written");
        return true;
    }

    template <typename R> R Echec(tEchecConcat echec, const QString& fichier, const char* cause, R resultat) {
        Rapport.Echec = echec;
        Rapport.Fichier = fichier;
        Rapport.Cause = cause;
        return resultat;
    }
    bool Echec(tEchecConcat echec, const QString& fichier, const char* cause) {
        return Echec(echec, fichier, cause, false);
    }

    OuvreREC& Ouvre;
    const tEcritureMorceaux& E;
    tRapportConcat& Rapport;
    std::vector<tMorceau> Morceaux;
    int NombreAnciennes = 0; // in TabAnnotMemConc
    std::vector<tTabAnnotMemNew> Nouvelles;
};

} // namespace

ConcatenationREC::ConcatenationREC()
    : Entete_(std::make_unique<t_EnteteREC_GlobalTotal>()), OuvrirConcat(Entete_.get()) {}

uint8_t ConcatenationREC::ARRET_OK(uint8_t sauver) {
    Rapport = tRapportConcat{};
    FichierTemp.clear();
    const auto echec = [&](tEchecConcat e, const QString& fichier, const char* cause) {
        Rapport.Echec = e;
        Rapport.Fichier = fichier;
        Rapport.Cause = cause;
        return uint8_t{1};
    };
    if (Fichiers.isEmpty()) return echec(tEchecConcat::ListeVide, {}, "no file to join");
    if (sauver && FileTemporaire.isEmpty()) return echec(tEchecConcat::Ecriture, {}, "no output named");
    // The listed files are only read: none of them may be the output.
    if (sauver && EstListe(FileTemporaire, Fichiers))
        return echec(tEchecConcat::SortieListee, FileTemporaire, "the output is one of the files to join");

    uint8_t resultat = LectureOK;
    {
        const SauvegardeAnnotations sauvegarde;
        std::memset(TabAnnotMemConc, 0, sizeof TabAnnotMemConc);
        Jonction jonction(OuvrirConcat, Ecriture, Rapport);
        resultat = jonction.PREPARER(Fichiers);
        if (resultat != LectureOK) return resultat;

        if (!sauver)
            FileTemporaire = NomLibre(QDir::temp(), QStringLiteral("ombrix-concat-"), QStringLiteral(".rec"));
        // A named output is written beside its final place and replaces it in one step at the end.
        const QFileInfo cible(FileTemporaire);
        const QString ecrit =
            sauver ? NomLibre(cible.absoluteDir(), QLatin1Char('.') + cible.fileName() + QLatin1Char('-'),
                              QStringLiteral(".partiel"))
                   : FileTemporaire;
        Sortie sortie(ecrit, Ecriture);
        if (!sortie.Ouvrir())
            return echec(tEchecConcat::Ecriture, FileTemporaire, "the output cannot be created");
        if (!jonction.ECRIRE(sortie)) {
            if (Rapport.Fichier.isEmpty()) Rapport.Fichier = FileTemporaire;
            return 1;
        }
        if (sauver) {
            if (!Ecriture.Renommer(ecrit, FileTemporaire))
                return echec(tEchecConcat::Ecriture, FileTemporaire, "the output could not take its name");
            sortie.Garder();
            FichierTemp = PremierNomFichier = FileTemporaire;
        } else {
            sortie.Garder();
            FichierTemp = FileTemporaire;
            const QDir dossier(QDir::temp().filePath(QLatin1String(DossierConcatTemporaire)));
            const QString resultatFixe = dossier.filePath(QLatin1String(NomConcatTemporaire));
            // The fixed name when it can be freed; a listed 00.rec is kept as it is.
            if (dossier.mkpath(QStringLiteral(".")) && !EstListe(resultatFixe, Fichiers) &&
                (!(QFileInfo::exists(resultatFixe) || QFileInfo(resultatFixe).isSymLink()) ||
                 QFile::remove(resultatFixe)) &&
                Ecriture.Renommer(FileTemporaire, resultatFixe))
                FichierTemp = resultatFixe;
            PremierNomFichier = Fichiers.front();
        }
    }
    if (MemoriserListe) ECRIRE_LISTE_CONCATENATION(Fichiers);
    return LectureOK;
}

void ConcatenationREC::SIGNALER_ECHEC() const {
    switch (Rapport.Echec) {
    case tEchecConcat::Aucun:
        return;
    case tEchecConcat::SortieListee:
    case tEchecConcat::Ecriture: {
        const std::string texte = std::string(POS_MESS(M_ErreurFichier)) + '\n' +
                                  VersCp1252(QDir::toNativeSeparators(Rapport.Fichier));
        AFFICHE_ERREUR(texte.c_str());
        return;
    }
    default:
        AFFICHE_ERREUR(POS_MESS(M_ErreurConcat));
        return;
    }
}
