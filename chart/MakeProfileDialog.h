// The choices behind "Make profile from measurements...": what is made from
// what, the profile's description and, behind the Options button, the
// quality, black generation, ink limit and the check on unseen patches. The
// options are remembered in the settings (section "makeprofile"); the
// description starts as the chart's own every time.
#pragma once

#include "MakeProfileOptions.h"

#include <QDialog>

class KvRegistry;
class MeasuredSet;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class MakeProfileDialog : public QDialog {
    Q_OBJECT

public:
    MakeProfileDialog(const MeasuredSet& set, QWidget* parent = nullptr);

    void setOptions(const MakeProfileOptions& options);
    MakeProfileOptions options() const;

    // The remembered options; anything out of range is the default.
    static MakeProfileOptions load(KvRegistry* registry);
    static void save(KvRegistry* registry, const MakeProfileOptions& options);
    // Shows the remembered options with the chart's description, remembers
    // what the user accepts and hands it back; false when cancelled.
    static bool ask(QWidget* parent, KvRegistry* registry, const MeasuredSet& set,
                    MakeProfileOptions* chosen);

private:
    QLineEdit* description = nullptr;
    QPushButton* more = nullptr;
    QWidget* optionsBox = nullptr;
    QComboBox* quality = nullptr;
    QComboBox* black = nullptr;
    QCheckBox* inkLimitOn = nullptr;
    QSpinBox* inkLimit = nullptr;
    QComboBox* unseen = nullptr;
};
