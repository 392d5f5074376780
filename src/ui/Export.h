// The export dialog: the number of rows, the number format, whether annotations go with the
// rows, then the progress of the writing. A thin view over EtatExport, which holds the rules, the
// file and the worker thread; the dialog shows what the state decided and polls its progress.
//
// The caller restarts the display computation after the dialog closes when it had not finished
// (the export held it meanwhile).
#pragma once

#include <QDialog>

#include "export/EtatExport.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace VIEW {

class Export : public QDialog {
    Q_OBJECT

public:
    // `fichier`: the target chosen in the save dialog; `typeFichier`: TypeExcel, TypeTexte or
    // TypeCSV; `typeInterface`: 1 writes on the worker thread while the progress is shown, 0
    // writes at once. `source` comes from the opener of the displayed recording.
    Export(const QString& fichier, uint8_t typeFichier, uint8_t typeInterface, const SourceExport& source,
           QWidget* parent = nullptr);
    ~Export() override;

    EtatExport& Etat() { return Etat_; }
    // True once "Valid" started an export (or tried to): the closing box is shown then only.
    bool ExportLance() const { return Lance_; }

    // The set-up, rerun after every change: texts, the format group (hidden for Excel), the row
    // rules of the state, the check boxes and the row count.
    void INIT();
    // "Valid": the choices into Config, the option controls hidden, the progress shown, the
    // writing started; the dialog closes when it has ended.
    void LANCE_CALCUL();

    // Poll of the progress (the timer's tick): the bar follows LongProgress; closes the dialog
    // once the writing has finished.
    void SUIVRE_PROGRESSION();

    // Closing, whatever the way: a running writing is stopped after its current row, then the
    // closing box (M_ExportEnd or M_ExportErreur) is shown when an export was started.
    void done(int resultat) override;

    // Controls, named as their objects.
    QLabel* label1 = nullptr;           // the row-count text
    QSpinBox* numericUpDown1 = nullptr; // 1..1048000 rows
    QCheckBox* checkBoxLimitation = nullptr;
    QCheckBox* checkBoxAnnot = nullptr;
    QGroupBox* groupBoxFormat = nullptr;
    QRadioButton* radioButtonExpo = nullptr;
    QRadioButton* radioButtonFixe = nullptr;
    QProgressBar* progressBar1 = nullptr; // 0..1000
    QPushButton* buttonValid = nullptr;
    QPushButton* buttonAbort = nullptr;
    QTimer* timer1 = nullptr;

private:
    void CONSTRUIRE();
    void CHANGE_LIMITATION();

    EtatExport Etat_;
    SourceExport Source_;
    bool Lance_ = false;
    bool Ferme_ = false;
    bool CurseurAttente_ = false;
};

} // namespace VIEW
