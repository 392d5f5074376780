// Shared set-up of the annotation tests: recordings made by the recording
// maker and read by the opener into EnteteF and the annotation tables, clicks
// on a plot of 1000 x 600 pixels at (100, 50), byte readers, and file
// operations that fail at a chosen step.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "config/Config.h"
#include "config/Defauts.h"
#include "export/CreationAnnotation.h"
#include "export/SauveAnnotations.h"
#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"
#include "recording/EnteteREC.h"
#include "recording/EtatFonctions.h"
#include "recording/OuvreREC.h"
#include "recording/ScriptsREC.h"
#include "shell/BoiteMessageEnregistreuse.h"
#include "shell/Messages.h"
#include "shell/Registre.h"

namespace annot_test {

// The plot of the clicks: 1000 pixels wide from x = 100, 600 high from y = 50.
inline tClicAnnotation Clic(int x, int y = 350) {
    return tClicAnnotation{
        .X = x, .Y = y, .DebutScrollX = 100, .DebutScrollY = 50, .ScrollX = 1000, .ScrollY = 600};
}

inline std::vector<uint8_t> Octets(const QString& chemin) {
    std::ifstream f(QFile::encodeName(chemin).toStdString(), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline int64_t Mot16(const std::vector<uint8_t>& o, size_t position) {
    return static_cast<int64_t>(o.at(position) | (o.at(position + 1) << 8));
}
inline int64_t Mot32(const std::vector<uint8_t>& o, size_t position) {
    return static_cast<int32_t>(static_cast<uint32_t>(Mot16(o, position)) |
                                (static_cast<uint32_t>(Mot16(o, position + 2)) << 16));
}

// A small TKOS recording: two channels, `scans` frames, the given records.
inline recmaker::Enregistrement Petit(int64_t scans = 6000, FamilleREC famille = FamilleTKOS) {
    recmaker::Enregistrement e;
    e.Famille = famille;
    e.Modele = famille == FamilleTKAR ? "TKAR 8" : famille == FamilleTKOS ? "TKOS" : "VEL";
    e.NombreScans = scans;
    e.Voies = {recmaker::Voie{.Numero = 0, .Nom = "Tension", .Donnees = recmaker::Rampe(0, 1)},
               recmaker::Voie{.Numero = 1, .Nom = "Courant", .Donnees = recmaker::Constant(7)}};
    recmaker::AnnotationNouvelle a;
    a.PositionMot = 20;
    a.Texte = "Existante";
    e.AnnotationsNouvelles = {a};
    return e;
}

// The records of TabAnnotMemNew the counters describe, as bytes.
inline std::vector<tTabAnnotMemNew> TableNouvelle() {
    const int n = NouveauAnnot + NombreAnnotEnPlus;
    return std::vector<tTabAnnotMemNew>(TabAnnotMemNew, TabAnnotMemNew + n);
}
inline std::vector<tTabAnnotMem> TableAncienne() {
    return std::vector<tTabAnnotMem>(TabAnnotMem, TabAnnotMem + AncienAnnot);
}

inline bool MemesRecords(const std::vector<tTabAnnotMemNew>& a, const std::vector<tTabAnnotMemNew>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
}
inline bool MemesRecords(const std::vector<tTabAnnotMem>& a, const std::vector<tTabAnnotMem>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
}

// File operations failing at the `rang`-th call (from 1) of one step. A
// failing write may first write the first half of its bytes (`Partiel`), or
// claim success having written nothing (`Ment`).
enum class tEtape { Ouvrir, Ecrire, Vider, Tronquer, Renommer, Fermer };
struct tPanne {
    tEtape Etape = tEtape::Ouvrir;
    int Rang = 1;
    bool Partiel = false;
    bool Ment = false;
    const char* Nom = "";
};

inline tEcritureAnnot AvecPanne(const tPanne& p) {
    const tEcritureAnnot reel;
    auto appels = std::make_shared<std::array<int, 6>>();
    auto echoue = [p, appels](tEtape e) {
        return e == p.Etape && ++(*appels)[static_cast<size_t>(e)] == p.Rang;
    };
    tEcritureAnnot t;
    t.Ouvrir = [reel, echoue](const QString& c, bool creer) {
        return echoue(tEtape::Ouvrir) ? -1 : reel.Ouvrir(c, creer);
    };
    t.Ecrire = [reel, echoue, p](int fd, int64_t position, const void* o, int64_t n) {
        if (!echoue(tEtape::Ecrire)) return reel.Ecrire(fd, position, o, n);
        if (p.Ment) return true;
        if (p.Partiel) reel.Ecrire(fd, position, o, n / 2);
        return false;
    };
    t.Vider = [reel, echoue](int fd) { return !echoue(tEtape::Vider) && reel.Vider(fd); };
    t.Tronquer = [reel, echoue](int fd, int64_t l) {
        return !echoue(tEtape::Tronquer) && reel.Tronquer(fd, l);
    };
    t.Fermer = [reel, echoue](int fd) {
        const bool ferme = reel.Fermer(fd); // released all the same
        return !echoue(tEtape::Fermer) && ferme;
    };
    t.Renommer = [reel, echoue](const QString& de, const QString& vers) {
        return !echoue(tEtape::Renommer) && reel.Renommer(de, vers);
    };
    return t;
}

class AnnotTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dossier_.isValid());
        RESET_ENTETE();
        RESET_ANNOTATIONS();
        RESET_VALIDITE_SCRIPTS();
        RESET_VALID_FICHIER();
        RESET_GLOBAL_CONFIG();
        INIT_CONFIG();
        RESET_GLOBAL_SETUP();
        ::Setup.DebutFenetre = 0.0;
        ::Setup.LargeurFenetre = 1.0;
        RESET_GLOBAL_REGISTRE(); // also the language
        RESET_LANGUE();
        Langue = 1;
        Installation_.emplace(Boites);
    }
    void TearDown() override {
        Ouvre.FERMER_FICHIER();
        Installation_.reset();
    }

    QString Chemin(const char* nom) const { return Dossier_.filePath(QString::fromUtf8(nom)); }

    // Writes `e` as `nom` and reads it as the open recording.
    QString Ouvrir(const recmaker::Enregistrement& e, const char* nom = "essai.rec",
                   recmaker::Plan* plan = nullptr) {
        const QString chemin = Chemin(nom);
        EXPECT_TRUE(recmaker::Ecrire(e, QFile::encodeName(chemin).toStdString(), plan));
        EXPECT_EQ(OUVRIR(chemin), LectureOK) << Ouvre.CauseErreur;
        return chemin;
    }
    uint8_t OUVRIR(const QString& chemin) {
        Ouvre.VraiNomFichier = Ouvre.NomFichier = chemin;
        return Ouvre.LECTURE_ENTETE();
    }

    // Reads `chemin` again as a recording (into the global tables): its tables.
    struct tRelu {
        uint8_t Resultat = LectureErreur;
        int32_t Anciens = 0, Nouveaux = 0;
        int64_t Scans = 0;
        int16_t Version = 0;
        std::vector<tTabAnnotMem> Ancienne;
        std::vector<tTabAnnotMemNew> Nouvelle;
    };
    tRelu Relire(const QString& chemin) {
        OuvreREC o(Relu_.get());
        o.VraiNomFichier = o.NomFichier = chemin;
        tRelu r;
        r.Resultat = o.LECTURE_ENTETE();
        r.Anciens = AncienAnnot;
        r.Nouveaux = NouveauAnnot;
        r.Scans = Relu_->NombreScans;
        r.Version = Relu_->VersionFichier;
        r.Ancienne = TableAncienne();
        r.Nouvelle = TableNouvelle();
        return r;
    }

    // Adds an annotation at x with `texte`.
    void Ajouter(int x, const char* texte, uint8_t verticale = 0) {
        std::strncpy(Config.TexteAnnotation, texte, sizeof Config.TexteAnnotation - 1);
        ASSERT_EQ(CREATION_ANNOTATION(Clic(x), verticale), AnnotCreee);
    }

    BoiteMessageEnregistreuse Boites;
    OuvreREC Ouvre;

private:
    QTemporaryDir Dossier_;
    std::optional<InstallationBoiteMessage> Installation_;
    std::unique_ptr<t_EnteteREC_GlobalTotal> Relu_ = std::make_unique<t_EnteteREC_GlobalTotal>();
};

} // namespace annot_test
