// Helpers of the display settings dialog: font records to and from the
// toolkit's fonts, colours to and from Config's ARGB values, and the choosers
// the dialog uses unless a test replaces them.
#pragma once

#include <cstdint>
#include <optional>

#include <QColor>
#include <QFont>
#include <QString>

#include "config/Config.h"

class QLineEdit;
class QWidget;

namespace VIEW {

// The font a record describes: face, size in points (10 when not positive),
// bold, italic, underline, strikeout.
QFont POLICE_DEPUIS_CONFIG(const tPoliceConfig& police);
// Face (cut to the record's 63 bytes), size in points and style bits of a font
// into a record; the reserved word is kept.
void POLICE_VERS_CONFIG(const QFont& police, tPoliceConfig& record);

QColor COULEUR_QT(int32_t argb);
int32_t COULEUR_ARGB(const QColor& couleur);

// Sets a line edit's text only when it differs, so that a refill while the user
// types keeps the caret where it is; a text set shows its start.
void POSER_TEXTE(QLineEdit* champ, const QString& texte);

// The platform's colour chooser; nothing when cancelled.
std::optional<QColor> CHOIX_COULEUR_QT(QWidget* parent, const QColor& depart);
// The platform's font chooser, with a colour button when `couleur` is given.
std::optional<QFont> CHOIX_POLICE_QT(QWidget* parent, const QFont& depart, QColor* couleur);
// The platform's file chooser on a "text|pattern" filter; empty when cancelled.
QString CHOIX_FICHIER_QT(QWidget* parent, const QString& propose, const QString& filtre);

} // namespace VIEW
