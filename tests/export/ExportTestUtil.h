// Shared set-up of the export tests: recordings made by the recording maker,
// opened without dialog by the opener, exported into a temporary folder; the
// start-up state of every global an export reads, the C culture, recorded
// message boxes, and readers for the files written.
#pragma once

#include "EtatProgramme.h"
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include "config/Config.h"
#include "config/Defauts.h"
#include "export/EtatExport.h"
#include "export/ExportDossier.h"
#include "export/GlobauxExport.h"
#include "export/OptionsCSV.h"
#include "graph/GlobauxGraphe.h"
#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"
#include "recording/Conversion.h"
#include "recording/EnteteREC.h"
#include "recording/EtatFonctions.h"
#include "recording/OuvreREC.h"
#include "recording/ScriptsREC.h"
#include "recording/SousEchantillonnage.h"
#include "recording/TexteTemps.h"
#include "shell/BoiteMessageEnregistreuse.h"
#include "shell/Messages.h"

namespace export_test {

using recmaker::AnnotationNouvelle;
using recmaker::Enregistrement;
using recmaker::Voie;

// Three channels with plain scalings (value = (word - Decalage) x Gain), three
// logic inputs, 250 us period, trigger 15 June 2024 12:00:00.
//   0 "Tension" [V]: word = scan (wrapping), value scan / 2
//   1 "Courant" [mA]: a sine around 32768, value in mA
//   2 "Temp" [°C]: word 3, value 1.5
// Logic word: bit 0 on odd scans, bit 1 every third scan, bit 2 never.
inline Enregistrement Essai(int64_t scans = 1000) {
    Enregistrement e;
    e.Famille = FamilleTKAR;
    e.Modele = "TKAR 8";
    e.PeriodeUs = 250.f;
    e.NombreScans = scans;
    e.Voies = {
        Voie{.Numero = 0, .Nom = "Tension", .Unite = "V", .Gain = 0.5f, .Donnees = recmaker::Rampe(0, 1)},
        Voie{.Numero = 1,
             .Nom = "Courant",
             .Unite = "mA",
             .Decalage = 32768.f,
             .Gain = 0.001f,
             .Donnees = recmaker::Sinus(32768, 20000, 97)},
        Voie{.Numero = 2,
             .Nom = "Temp",
             .Unite = "\xB0"
                      "C",
             .Gain = 0.5f,
             .Donnees = recmaker::Constant(3)}};
    e.Logique = true;
    e.NomsLogiques = {"Pompe", "Vanne", "Moteur"};
    e.DonneesLogiques = [](int64_t s) -> uint16_t {
        return static_cast<uint16_t>((s & 1) | (s % 3 == 0 ? 2 : 0));
    };
    return e;
}

// Annotation record at a scan of a recording with `motsParScan` words per scan.
inline AnnotationNouvelle Annot(int64_t scan, const std::string& texte, int motsParScan = 4,
                                int32_t genre = 1) {
    AnnotationNouvelle a;
    a.PositionMot = scan * motsParScan;
    a.Genre = genre;
    a.Texte = texte;
    return a;
}

inline std::string LireFichier(const QString& chemin) {
    std::ifstream f(QFile::encodeName(chemin).toStdString(), std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Lines of a file ended by line feeds (no empty last element).
// What a target held before an export that must leave it alone.
inline const std::string Ancien = "previous export\n";

inline void EcrireTexte(const QString& chemin, const std::string& texte) {
    std::ofstream f(QFile::encodeName(chemin).toStdString(), std::ios::binary | std::ios::trunc);
    f << texte;
}

inline std::vector<std::string> Lignes(const std::string& texte) {
    std::vector<std::string> l;
    size_t debut = 0;
    while (debut < texte.size()) {
        const size_t fin = texte.find('\n', debut);
        if (fin == std::string::npos) {
            l.push_back(texte.substr(debut));
            break;
        }
        l.push_back(texte.substr(debut, fin - debut));
        debut = fin + 1;
    }
    return l;
}

inline std::vector<std::string> Champs(const std::string& ligne, char sep) {
    std::vector<std::string> c;
    std::string courant;
    for (const char x : ligne) {
        if (x == sep) {
            c.push_back(courant);
            courant.clear();
        } else {
            courant += x;
        }
    }
    c.push_back(courant);
    return c;
}

// The C library's text of a number, with "." replaced by dec (the reference).
inline std::string Printf(const char* format, double v, char dec = '.') {
    char t[512];
    std::snprintf(t, sizeof t, format, v);
    std::string s = t;
    for (char& c : s)
        if (c == '.') c = dec;
    return s;
}

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dossier_.isValid());
        RESET_ETAT_PROGRAMME();
        Culture_ = QLocale();
        QLocale::setDefault(QLocale::c());
        QFile::remove(CHEMIN_CSV_CONF());
    }
    void TearDown() override {
        Ouvre.FERMER_FICHIER();
        QLocale::setDefault(Culture_);
        QFile::remove(CHEMIN_CSV_CONF());
        RESET_OPTIONS_CSV();
        RESET_FOLDER_EXPORT();
        RESET_LANGUE();
    }

    QString Dossier() const { return Dossier_.path(); }
    QString Chemin(const QString& nom) const { return Dossier_.filePath(nom); }

    // Writes the recording as `nom` in the test folder.
    QString Ecrire(const Enregistrement& e, const QString& nom = QStringLiteral("essai.rec")) {
        const QString chemin = Chemin(nom);
        EXPECT_TRUE(recmaker::Ecrire(e, QFile::encodeName(chemin).toStdString()));
        return chemin;
    }
    // Writes and opens it as the displayed recording, without dialog.
    uint8_t Ouvrir(const Enregistrement& e, const QString& nom = QStringLiteral("essai.rec")) {
        const QString chemin = Ecrire(e, nom);
        Ouvre.VraiNomFichier = Ouvre.NomFichier = chemin;
        return Ouvre.OUVRIR_REC(1);
    }

    // Exports the open recording synchronously; true when written.
    bool Exporter(uint8_t type, const QString& cible, EtatExport& etat) {
        etat.FichierExport = cible;
        etat.TypeFichier = type;
        etat.TypeInterface = 0;
        etat.LANCE_CALCUL(SOURCE_EXPORT(Ouvre));
        EXPECT_EQ(etat.CalCulEnCours.load(), ExportFini);
        return etat.OnAEuUneErreur.load() == 0;
    }
    bool Exporter(uint8_t type, const QString& cible) {
        EtatExport etat;
        return Exporter(type, cible, etat);
    }
    // Exports as text into the test folder and gives the file's lines.
    std::vector<std::string> ExporterTexte(uint8_t type = TypeTexte) {
        const QString cible =
            Chemin(type == TypeCSV ? QStringLiteral("sortie.csv") : QStringLiteral("sortie.txt"));
        EXPECT_TRUE(Exporter(type, cible));
        return Lignes(LireFichier(cible));
    }

    // Names in the test folder (hidden ones included), sorted.
    QStringList Contenu(const QString& sousDossier = QString()) const {
        QDir d(sousDossier.isEmpty() ? Dossier() : Chemin(sousDossier));
        return d.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    BoiteMessageEnregistreuse Boites;
    InstallationBoiteMessage Installation{Boites};
    OuvreREC Ouvre;
    t_EnteteREC_GlobalTotal& E = EnteteF;

private:
    QTemporaryDir Dossier_;
    QLocale Culture_;
};

} // namespace export_test
