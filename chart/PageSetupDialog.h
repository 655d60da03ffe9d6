// How a chart goes on paper, asked before it is exported: the sheet (or the
// single page cut to the chart), orientation, margins, patch size and gap.
// It shows at once how many pages the chart will take, or why it cannot be
// printed so, and OK is offered only for a layout that works. The choices are
// remembered in the settings store.
#pragma once

#include "PageLayout.h"

#include <QDialog>

class KvRegistry;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;

class PageSetupDialog : public QDialog {
    Q_OBJECT

public:
    PageSetupDialog(unsigned long patchCount, QWidget* parent = nullptr);

    // Asks through the dialog seam; true with `layout` set when accepted.
    static bool ask(QWidget* parent, KvRegistry* store, unsigned long patchCount, PageLayout& layout);

    void load(KvRegistry* store);
    void save(KvRegistry* store) const;
    PageLayout layout() const;
    // Empty when the layout works, else why not.
    QString problem() const;

    QComboBox* paperCombo = nullptr;
    QDoubleSpinBox* widthSpin = nullptr;
    QDoubleSpinBox* heightSpin = nullptr;
    QCheckBox* landscapeCheck = nullptr;
    QDoubleSpinBox* marginSpin = nullptr;
    QDoubleSpinBox* patchSpin = nullptr;
    QDoubleSpinBox* gapSpin = nullptr;
    QLabel* summaryLabel = nullptr;
    QDialogButtonBox* buttons = nullptr;

private slots:
    void refresh();

private:
    QDoubleSpinBox* millimetres(const char* name, double minimum, double maximum, double value);
    unsigned long patchCount;
};
