#include "shell/AvertissementsPlateforme.h"

#include <QtGlobal>

namespace {

QtMessageHandler Precedent = nullptr;
bool Installe = false;

void Filtrer(QtMsgType type, const QMessageLogContext& contexte, const QString& message) {
    if (type == QtWarningMsg && AVERTISSEMENT_SANS_INTERET(message)) return;
    if (Precedent) Precedent(type, contexte, message);
}

} // namespace

bool AVERTISSEMENT_SANS_INTERET(const QString& message) {
    return message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

void TAIRE_AVERTISSEMENTS_PLATEFORME() {
    if (Installe) return; // once: the filter must never hand messages to itself
    Installe = true;
    Precedent = qInstallMessageHandler(Filtrer);
}
