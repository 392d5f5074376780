// What an export takes before writing its rows (internal to the export).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QLocale>

#include "export/AnnotationsExport.h"
#include "export/EtatExport.h"
#include "export/LecteurScans.h"
#include "export/SortieExport.h"
#include "math/ValeursPhysiques.h"
#include "recording/EnteteREC.h"

struct EtatExport::tPreparation {
    SourceExport Source;
    // The header and the conversion as they were when the export started: the
    // rows may be written on a worker thread.
    std::unique_ptr<t_EnteteREC_GlobalTotal> Entete;
    tContexteValeurs Valeurs;
    tFenetreExport Fenetre;
    int64_t Lignes = 0;   // N
    bool Limite = false;  // times from the displayed duration rather than the period
    double Periode = 0.0; // microseconds
    bool TempsAbsolu = false;
    QLocale Culture;
    std::vector<std::string> LignesEntete;
    std::vector<std::string> ColonnesEntete;
    AnnotationsExport Annotations;
    std::unique_ptr<SortieExport> Sortie;
};
