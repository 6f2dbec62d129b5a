#pragma once

#include <QDialog>
#include <string>

#include "settings/settings.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QPushButton;
class QSpinBox;

namespace orvell {

// "Настройки чтения": every setting of the reading and the look. A change is told at once
// through changed(), so that a running reading takes it; the dialog keeps no reading running
// or stopped itself. Its fields are its own window's: the reader's hot keys do not act here.
class SettingsDialog : public QDialog {
    Q_OBJECT

  public:
    explicit SettingsDialog(QWidget* parent);

    // Shows `settings` in the fields without telling a change.
    void setSettings(const Settings& settings);
    // The settings the fields show.
    Settings settings() const;

  signals:
    void changed(const orvell::Settings& settings);

  private:
    QSpinBox* spin(QFormLayout& form, const char* name, const QString& label, SettingRange range,
                   const QString& hint = {});
    QDoubleSpinBox* factor(QFormLayout& form, const char* name, const QString& label,
                           const QString& hint = {});
    QWidget* pausesGroup();
    QWidget* flashGroup();
    QWidget* speedGroup();
    QWidget* lookGroup();
    void tell();
    void chooseFocusColour();
    void showFocusColour();

    QSpinBox* shortBelow_{};
    QDoubleSpinBox* shortFactor_{};
    QDoubleSpinBox* normalFactor_{};
    QSpinBox* longAbove_{};
    QDoubleSpinBox* longFactor_{};
    QSpinBox* veryLongAbove_{};
    QDoubleSpinBox* veryLongFactor_{};
    QDoubleSpinBox* punctuationFactor_{};
    QDoubleSpinBox* newRootFactor_{};
    QDoubleSpinBox* sentenceEndFactor_{};
    QDoubleSpinBox* numberFactor_{};
    QSpinBox* sentencePauses_{};
    QSpinBox* lineBreakPauses_{};
    QSpinBox* flashWords_{};
    QSpinBox* flashWidth_{};
    QCheckBox* wordsPerMinute_{};
    QCheckBox* warmUp_{};
    QSpinBox* warmUpFrom_{};
    QSpinBox* warmUpWords_{};
    QComboBox* theme_{};
    QPushButton* focusColourButton_{};
    QComboBox* fontZoom_{};
    // The focus letter's colour, which no field holds as text; empty: the theme's.
    std::string focusColour_;
    // Fields being filled from code tell no change.
    bool filling_ = false;
};

}  // namespace orvell
