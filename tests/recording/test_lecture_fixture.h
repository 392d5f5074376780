// Shared set-up of the header-reading tests: recordings built by the recording
// maker, written into a temporary folder and read by a fresh opener, with every
// message box recorded instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "recording/ScriptsREC.h"
#include "shell/BoiteMessageEnregistreuse.h"
#include "shell/Messages.h"

namespace lecture_test {

using recmaker::Enregistrement;
using recmaker::Plan;
using recmaker::Voie;

// A field of a packed record as a plain value: the assertion macros take their
// arguments by reference, which a misaligned packed field cannot give.
template <typename T> constexpr T Val(T v) {
    return v;
}

// Writes value v at byte offset `position` of a built file.
template <typename T> void Poser(std::vector<uint8_t>& octets, int64_t position, T v) {
    ASSERT_LE(position + static_cast<int64_t>(sizeof v), static_cast<int64_t>(octets.size()));
    std::memcpy(octets.data() + position, &v, sizeof v);
}

// Byte sum of octets[debut, fin).
inline uint32_t Somme(const std::vector<uint8_t>& octets, int64_t debut, int64_t fin) {
    uint32_t s = 0;
    for (int64_t i = debut; i < fin; ++i) s += octets[static_cast<size_t>(i)];
    return s;
}

// Small recordings of each family: a few analog channels, a computed channel, logic inputs.
inline Enregistrement PetitTKAR() {
    Enregistrement e;
    e.Famille = FamilleTKAR;
    e.Modele = "TKAR 8";
    e.PeriodeUs = 250.f;
    e.PreTrig = 40;
    e.NombreScans = 100;
    e.Voies = {Voie{.Numero = 0, .Nom = "Pression", .Unite = "bar"}, Voie{.Numero = 2, .Nom = "Debit"},
               Voie{.Numero = 5, .Nom = "Niveau"},
               Voie{.Numero = 36, .Nom = "Somme", .OperateurFonction = 0, .Operande1 = 2, .Operande2 = 5}};
    e.Logique = true;
    e.NomsLogiques = {"Pompe", "Vanne"};
    return e;
}

inline Enregistrement PetitTKOS() {
    Enregistrement e;
    e.Famille = FamilleTKOS;
    e.Modele = "TKOS 16";
    e.RevisionVoies = 4;
    e.PeriodeUs = 12.5f;
    e.PreTrig = 1000;
    e.NombreScans = 64;
    e.Voies = {Voie{.Numero = 0, .Nom = "U1"}, Voie{.Numero = 1, .Nom = "U2"},
               Voie{.Numero = 71, .Nom = "U72"},
               Voie{.Numero = 72, .Nom = "Diff", .OperateurFonction = 1, .Operande1 = 1, .Operande2 = 71}};
    e.Logique = true;
    e.NomsLogiques = {"Start", "Stop"};
    return e;
}

inline Enregistrement PetitVEL() {
    Enregistrement e;
    e.Famille = FamilleVEL;
    e.Modele = "VEL 244";
    e.RevisionVoies = 4;
    e.PeriodeUs = 100.f;
    e.PreTrig = 5;
    e.NombreScans = 30;
    e.Voies = {Voie{.Numero = 0, .Nom = "A"}, Voie{.Numero = 100, .Nom = "B"},
               Voie{.Numero = 203, .Nom = "C"},
               Voie{.Numero = 204, .Nom = "F1", .OperateurFonction = 2, .Operande1 = 100, .Operande2 = 203},
               Voie{.Numero = 243, .Nom = "F2", .OperateurFonction = 3, .Operande1 = 0, .Operande2 = 204}};
    e.Logique = true;
    e.NomsLogiques = {"L1", "L2"};
    return e;
}

inline Enregistrement Petit(FamilleREC famille) {
    switch (famille) {
    case FamilleTKOS:
        return PetitTKOS();
    case FamilleVEL:
        return PetitVEL();
    default:
        return PetitTKAR();
    }
}

class LectureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dossier_.isValid());
        RESET_ENTETE();
        RESET_ANNOTATIONS();
        RESET_VALIDITE_SCRIPTS();
        RESET_LANGUE();
        Langue = 1;
    }
    void TearDown() override {
        Ouvre.FERMER_FICHIER();
        RESET_LANGUE();
    }

    // Path of a file of the test folder holding `octets`.
    std::string EcrireFichier(const std::vector<uint8_t>& octets, const std::string& nom = "essai.rec") {
        const std::string chemin = Dossier_.filePath(QString::fromStdString(nom)).toStdString();
        std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(octets.data()), static_cast<std::streamsize>(octets.size()));
        EXPECT_TRUE(f.good());
        return chemin;
    }

    uint8_t LireChemin(const std::string& chemin) {
        Ouvre.VraiNomFichier = QString::fromStdString(chemin);
        return Ouvre.LECTURE_ENTETE();
    }
    uint8_t LireOctets(const std::vector<uint8_t>& octets) { return LireChemin(EcrireFichier(octets)); }
    uint8_t Lire(const Enregistrement& e, Plan* plan = nullptr) {
        return LireOctets(recmaker::Construire(e, plan));
    }

    QString Dossier() const { return Dossier_.path(); }

    BoiteMessageEnregistreuse Boites;
    InstallationBoiteMessage Installation{Boites};
    OuvreREC Ouvre;
    t_EnteteREC_GlobalTotal& E = EnteteF;

private:
    QTemporaryDir Dossier_;
};

} // namespace lecture_test
