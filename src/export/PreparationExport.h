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

struct EtatExport::tPreparation {
    SourceExport Source;
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
