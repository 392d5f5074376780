#include "export/AnnotationsExport.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "recording/Annotations.h"

namespace {

// Division rounding toward minus infinity: a record before the window start
// never gets a scan index inside it.
int64_t DivisionPlancher(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

} // namespace

void AnnotationsExport::Preparer(bool masquees, int64_t departTracer, int64_t motsParScan) {
    Liste_.clear();
    Suivante_ = 0;
    if (masquees || motsParScan <= 0) return;
    const int nombre =
        std::clamp<int64_t>(static_cast<int64_t>(NouveauAnnot) + NombreAnnotEnPlus, 0, TailleTabAnnotMemNew);
    for (int i = 0; i < nombre; ++i) {
        const tTabAnnotMemNew& a = TabAnnotMemNew[i];
        const int64_t position = a.PositionMot;
        if (position == 0) break;
        // Titles are not exported; a position before the data is never on a row.
        if (a.GenreAnnot == GenreTitre || position < 0) continue;
        const size_t longueur = strnlen(a.TexteAnnot, sizeof a.TexteAnnot);
        Liste_.push_back(
            {DivisionPlancher(position - departTracer, motsParScan), i, std::string(a.TexteAnnot, longueur)});
    }
    std::sort(Liste_.begin(), Liste_.end(), [](const tAnnot& x, const tAnnot& y) {
        return std::tie(x.Scan, x.Ordre) < std::tie(y.Scan, y.Ordre);
    });
}

const std::string* AnnotationsExport::Pour(int64_t precedent, int64_t s) {
    while (Suivante_ < Liste_.size() && Liste_[Suivante_].Scan <= precedent) ++Suivante_;
    const tAnnot* premiere = nullptr;
    while (Suivante_ < Liste_.size() && Liste_[Suivante_].Scan <= s) {
        if (premiere == nullptr || Liste_[Suivante_].Ordre < premiere->Ordre) premiere = &Liste_[Suivante_];
        ++Suivante_;
    }
    return premiere != nullptr ? &premiere->Texte : nullptr;
}
