// Texts of the trigger date and of the sampling period in the title line of a
// recording. Texts are 8-bit (Windows-1252) NUL-terminated buffers of the caller;
// each routine writes at most taille bytes, NUL included.
#pragma once

#include <cstddef>

class QDateTime;

// The date and time in the interface culture's general format (CULTURE_INTERFACE: short date,
// long time),
// then "." and the milliseconds on three digits unless the recording's
// MillisecondesTrigger is -1. The date is a wall-clock time: no zone is shown.
void TEXTE_DATE_GENERALE(char* texte, size_t taille, const QDateTime& date);
// M_Date followed by TEXTE_DATE_GENERALE of the trigger date.
void TEXTE_DATE_TRIGGER(char* texte, size_t taille, const QDateTime& date);
// Period part of the title line. Internal clock: M_Sample and the period as
// time text, two blanks when blancs is true, then with under-sampling
// M_PeriodUndersampling and the chosen period. External clock: M_Hext. The
// period is copied to samplingPeriod in both cases.
void TEXTE_PERIODE_TITRE(char* texte, size_t taille, bool blancs, bool sousEchantillonnage,
                         float periodeChoisie);

template <size_t N> void TEXTE_DATE_GENERALE(char (&texte)[N], const QDateTime& date) {
    TEXTE_DATE_GENERALE(texte, N, date);
}
template <size_t N> void TEXTE_DATE_TRIGGER(char (&texte)[N], const QDateTime& date) {
    TEXTE_DATE_TRIGGER(texte, N, date);
}
template <size_t N>
void TEXTE_PERIODE_TITRE(char (&texte)[N], bool blancs, bool sousEchantillonnage, float periodeChoisie) {
    TEXTE_PERIODE_TITRE(texte, N, blancs, sousEchantillonnage, periodeChoisie);
}
