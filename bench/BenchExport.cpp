// Throughput of the text export: an unlimited export of a 1,000,000-scan,
// 16-channel recording, in the exponent and the fixed format, written
//   - by the export as it runs: its own number writer, rows formatted in blocks
//     on two threads;
//   - by the same writer on the export's thread alone (the row-by-row writing);
//   - by the C library's snprintf on one thread (the plain reference writer);
// same harness, same rows, same file. All three files are checked to be
// byte-identical, and a copy of the file made by `dd conv=fsync` gives what
// the file system alone costs. Then rows per block for the two-thread writing.
// The recording is read once beforehand so that it sits in the page cache.
// Times are the median of the runs (the best one in brackets).
//
// usage: bench_export [FOLDER]   (the recording and the exports go there;
//                                 without it a temporary folder is used)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include "GrosEnregistrement.h"
#include "config/Config.h"
#include "config/Defauts.h"
#include "export/EtatExport.h"
#include "export/FormatNombre.h"
#include "recmaker/RecMaker.h"
#include "recording/OuvreREC.h"

namespace {

using Horloge = std::chrono::steady_clock;

constexpr int NombreVoies = 16;
constexpr int64_t NombreScans = 1'000'000;
constexpr int Essais = 5;

recmaker::Enregistrement Gros() {
    recmaker::Enregistrement e;
    e.Famille = FamilleTKAR;
    e.PeriodeUs = 10.f;
    e.NombreScans = NombreScans;
    for (int n = 0; n < NombreVoies; ++n) {
        recmaker::Voie v = bench::VoieBench(n);
        v.Decalage = 32768.f;
        v.Gain = 1.0f / (3.0f + static_cast<float>(n));
        e.Voies.push_back(v);
    }
    e.Logique = true;
    e.NomsLogiques = {"L1", "L2", "L3", "L4"};
    e.DonneesLogiques = [](int64_t s) { return static_cast<uint16_t>(s / 7); };
    return e;
}

std::string Lire(const QString& chemin) {
    std::ifstream f(QFile::encodeName(chemin).toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

struct Mesure {
    double Secondes = 0; // median
    double Meilleure = 0;
    long long Octets = 0;
};

Mesure Mediane(std::vector<double> temps, long long octets) {
    std::sort(temps.begin(), temps.end());
    return {temps[temps.size() / 2], temps.front(), octets};
}

Mesure Exporter(OuvreREC& ouvre, const QString& cible, tFormateur formateur, tDecoupageTexte decoupage,
                int essais = Essais) {
    std::vector<double> temps;
    for (int essai = 0; essai < essais; ++essai) {
        EtatExport etat;
        etat.FichierExport = cible;
        etat.TypeFichier = TypeTexte;
        etat.TypeInterface = 0;
        etat.Formateur = formateur;
        etat.DecoupageTexte = decoupage;
        const auto debut = Horloge::now();
        etat.LANCE_CALCUL(SOURCE_EXPORT(ouvre));
        temps.push_back(std::chrono::duration<double>(Horloge::now() - debut).count());
        if (etat.OnAEuUneErreur.load() != 0 || etat.LignesEcrites.load() != NombreScans) {
            std::fprintf(stderr, "export failed\n");
            std::exit(1);
        }
    }
    return Mediane(temps, QFileInfo(cible).size());
}

// The bytes of `source` copied by dd and pushed to the disk: the file system's own cost.
Mesure Copier(const QString& source, const QString& copie) {
    const std::string commande = "dd if='" + QFile::encodeName(source).toStdString() + "' of='" +
                                 QFile::encodeName(copie).toStdString() + "' bs=1M conv=fsync status=none";
    std::vector<double> temps;
    for (int essai = 0; essai < Essais; ++essai) {
        QFile::remove(copie);
        const auto debut = Horloge::now();
        if (std::system(commande.c_str()) != 0) {
            std::fprintf(stderr, "dd failed\n");
            std::exit(1);
        }
        temps.push_back(std::chrono::duration<double>(Horloge::now() - debut).count());
    }
    QFile::remove(copie);
    return Mediane(temps, QFileInfo(source).size());
}

void Afficher(const char* nom, const Mesure& m) {
    std::printf("  %-30s %7.3f s (%6.3f)  %8.0f rows/s  %7.1f MB/s  (%lld bytes)\n", nom, m.Secondes,
                m.Meilleure, static_cast<double>(NombreScans) / m.Secondes,
                static_cast<double>(m.Octets) / 1e6 / m.Secondes, m.Octets);
}

// The number writer alone, against snprintf, over the values of a table.
void Formats() {
    constexpr int N = 4'000'000;
    std::unique_ptr<double[]> v(new double[N]);
    for (int i = 0; i < N; ++i) v[i] = (static_cast<double>(i % 65536) - 32768.0) / (3.0 + i % 16);
    char t[TailleMaxNombre + 1];
    const struct {
        const char* C;
        char* (*Rapide)(char*, double);
    } formats[] = {{"%8.4e", &ECRIRE_EXPOSANT}, {"%8.5f", &ECRIRE_FIXE}, {"%f", &ECRIRE_DECIMAL}};
    std::printf("Number writing alone (%d values):\n", N);
    for (const auto& f : formats) {
        size_t somme = 0;
        auto debut = Horloge::now();
        for (int i = 0; i < N; ++i) somme += static_cast<size_t>(f.Rapide(t, v[i]) - t);
        const double rapide = std::chrono::duration<double>(Horloge::now() - debut).count();
        debut = Horloge::now();
        for (int i = 0; i < N; ++i) somme += static_cast<size_t>(std::snprintf(t, sizeof t, f.C, v[i]));
        const double printf = std::chrono::duration<double>(Horloge::now() - debut).count();
        std::printf("  %-6s ours %6.1f ns/value, snprintf %6.1f ns/value (x%.1f)  [%zu]\n", f.C,
                    1e9 * rapide / N, 1e9 * printf / N, printf / rapide, somme % 10);
    }
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir temporaire;
    const QString dossier = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporaire.path();
    QDir().mkpath(dossier);
    const QString rec = dossier + QStringLiteral("/bench_export.rec");
    if (!QFileInfo::exists(rec)) {
        std::printf("writing %s...\n", QFile::encodeName(rec).constData());
        if (!recmaker::EcrireEnFlux(Gros(), QFile::encodeName(rec).toStdString())) return 1;
    }
    QLocale::setDefault(QLocale::c());
    INIT_CONFIG();
    OuvreREC ouvre;
    ouvre.VraiNomFichier = ouvre.NomFichier = rec;
    if (ouvre.OUVRIR_REC(1) != LectureOK) return 1;
    Lire(rec); // into the page cache

    Formats();
    const QString deuxFils = dossier + QStringLiteral("/bench_deux_fils.txt");
    const QString unFil = dossier + QStringLiteral("/bench_un_fil.txt");
    const QString reference = dossier + QStringLiteral("/bench_printf.txt");
    const tDecoupageTexte enBlocs, seul{.Fils = 1};
    bool identiques = true;
    std::string exposant; // the exponent format's file, for the block sizes below
    for (const uint8_t fixe : {0, 1}) {
        Config.FormatExportFixe = fixe;
        std::printf(
            "Unlimited text export, %lld scans x %d channels + 4 logic inputs, %s format (median of %d):\n",
            static_cast<long long>(NombreScans), NombreVoies, fixe ? "fixed %8.5f" : "exponent %8.4e",
            Essais);
        const Mesure a = Exporter(ouvre, deuxFils, tFormateur::Rapide, enBlocs);
        const Mesure b = Exporter(ouvre, unFil, tFormateur::Rapide, seul);
        const Mesure c = Exporter(ouvre, reference, tFormateur::Printf, seul);
        const Mesure d = Copier(deuxFils, dossier + QStringLiteral("/bench_copie.txt"));
        Afficher("own writer, two threads", a);
        Afficher("own writer, one thread", b);
        Afficher("snprintf writer, one thread", c);
        Afficher("dd conv=fsync of the file", d);
        const std::string octets = Lire(deuxFils);
        const bool memes = octets == Lire(unFil) && octets == Lire(reference);
        identiques = identiques && memes;
        if (fixe == 0) exposant = octets;
        std::printf("  x snprintf writer: two threads x%.2f, one thread x%.2f; two threads %.2f x dd; "
                    "files %s\n",
                    c.Secondes / a.Secondes, c.Secondes / b.Secondes, a.Secondes / d.Secondes,
                    memes ? "identical" : "DIFFERENT");
    }
    Config.FormatExportFixe = 0;
    std::printf("Rows per block, two threads, exponent format (median of 3):\n");
    for (const int lignes : {64, 256, 512, 1024, 2048, 8192}) {
        const Mesure m =
            Exporter(ouvre, deuxFils, tFormateur::Rapide, {.Fils = 2, .LignesParBloc = lignes}, 3);
        const bool memes = Lire(deuxFils) == exposant;
        identiques = identiques && memes;
        std::printf("  %5d rows %7.3f s (%6.3f)  %s\n", lignes, m.Secondes, m.Meilleure,
                    memes ? "identical" : "DIFFERENT");
    }
    QFile::remove(deuxFils);
    QFile::remove(unFil);
    QFile::remove(reference);
    return identiques ? 0 : 1;
}
