// The CSV options dialog: automatic detection of the separators, or the decimal mark and the
// field separator chosen in two lists. A view over the options of export/OptionsCSV.h, kept in
// "csv.conf": toggling detection saves at once, "Valid" saves the lists, "Abort" leaves the file
// as it is.
#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QListWidget;
class QPushButton;

namespace VIEW {

class CSVOption : public QDialog {
    Q_OBJECT

public:
    explicit CSVOption(QWidget* parent = nullptr);

    // Reloads "csv.conf" and shows it: with detection on the box is checked and both lists are
    // disabled (showing the detected choices); off, the lists are enabled on the stored choices.
    void UpdateCSV();

    // Controls, named as their objects.
    QCheckBox* checkBoxAuto = nullptr;
    QGroupBox* groupBoxDelimiter = nullptr;
    QListWidget* listBoxDelimiter = nullptr; // "." and ",": the decimal mark
    QGroupBox* groupBoxSeparator = nullptr;
    QListWidget* listBoxSeparator = nullptr; // "," and ";": the field separator
    QPushButton* buttonAbort = nullptr;
    QPushButton* buttonValid = nullptr;

private:
    void CHANGE_DETECTION(bool active);
    void CHANGE_DELIMITEUR(int ligne);
    void CHANGE_SEPARATEUR(int ligne);
};

} // namespace VIEW
