// Which annotation an export row carries. Per row, the annotation table is
// walked from its first record over NouveauAnnot + NombreAnnotEnPlus records,
// stopping at the first record at position 0 and skipping title records; the
// first record (in table order) whose scan index in the window is above the
// previous row's scan index and not above the row's own scan is written, and
// no other one on that row. A second annotation on the same row is therefore
// never written, not even on a later row.
//
// The rows' scan ranges follow each other without overlap, so the walk is
// done once: the eligible records are sorted by scan index and each row takes
// the first in table order among those of its range.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class AnnotationsExport {
public:
    // Takes a copy of the eligible records of the annotation tables (none when
    // `masquees`), with their scan index in a window starting `departTracer`
    // words after the data start, `motsParScan` words per scan.
    void Preparer(bool masquees, int64_t departTracer, int64_t motsParScan);

    // Text of the annotation of the row covering scans (precedent, s], or null.
    // Rows are asked in order: precedent is the scan of the previous row (-1 for
    // the first row).
    const std::string* Pour(int64_t precedent, int64_t s);

    bool Vide() const { return Liste_.empty(); }

private:
    struct tAnnot {
        int64_t Scan;
        int Ordre; // place in the table
        std::string Texte;
    };
    std::vector<tAnnot> Liste_;
    size_t Suivante_ = 0;
};
