// The function-channel dialog: one definition A x channel 1 (op) B x channel 2 + C, a name and a
// unit, laid out as the formula reads. It edits slot NumeroFonction of Config.TabFonction; "Valid"
// stores the definition there, "Abort" leaves the slot untouched. Adding the channel to the
// recording, or copying the definition into an existing one, is the caller's job
// (ui/AjoutFonction.h).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QDialog>
#include <QString>

#include "config/Config.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace VIEW {

class FonctionNew : public QDialog {
    Q_OBJECT

public:
    explicit FonctionNew(QWidget* parent = nullptr);

    // Fills the controls from slot NumeroFonction.
    void Init();
    // Fills the controls from the given definition; "Valid" still stores into slot NumeroFonction.
    void Init(const tFonctionConfig& depart);

    // Coefficients as last parsed from the fields.
    float CoeffA = 0.f;
    float CoeffB = 0.f;
    float CoeffC = 0.f;
    uint8_t FaireFonction = 0; // 1 once "Valid" stored the definition
    uint8_t ModifEnCours = 0;  // 1 while the controls are being filled: their edits are ignored

    // Controls, named as their objects, in the order of the formula.
    QLineEdit* textBoxA = nullptr;
    QComboBox* comboBoxVoie1 = nullptr;
    QComboBox* comboBoxOperateur = nullptr; // "+", "-", "*", "/"
    QLineEdit* textBoxB = nullptr;
    QComboBox* comboBoxVoie2 = nullptr; // enabled only while CoeffB is not 0
    QLineEdit* textBoxC = nullptr;
    QLabel* labelNom = nullptr;
    QLineEdit* textBoxNom = nullptr; // at most 26 characters
    QLabel* labelUnite = nullptr;
    QLineEdit* textBoxUnite = nullptr; // at most 6 characters
    QPushButton* buttonAbort = nullptr;
    QPushButton* buttonValid = nullptr;

    // Channel number of each position of the two channel lists.
    const std::vector<uint8_t>& VoiesListe() const { return Voies; }

protected:
    // Enter in a coefficient field takes the coefficient; it never closes the dialog.
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    enum Champ { ChampA, ChampB, ChampC };

    QLineEdit* Champ_(int champ) const;
    float& Coeff(int champ);
    // Parses a field the user edited into its coefficient; a text that is no number keeps it.
    void PRENDRE_COEF(int champ);
    // PRENDRE_COEF, then all three fields reformatted and the channel-2 list re-evaluated.
    void MODIF_COEF(int champ);
    void REFORMATER();
    void CREER_FONCTION();
    int PositionVoie(int voie) const;
    uint8_t VoieDePosition(int position) const;

    std::vector<uint8_t> Voies;
    // Texts last written into the coefficient fields: a field still showing its text has
    // nothing to parse, so leaving it never rounds its coefficient to the shown digits.
    std::array<QString, 3> TexteCoeff;
};

} // namespace VIEW
