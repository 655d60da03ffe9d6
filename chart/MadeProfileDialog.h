// What came of "Make profile from measurements...": the check in the
// verification report's form (the fit, the unseen patches, which figure to
// believe), where the profile went, and what to do with it next: install it
// where colord and the profile dialogs find it, or judge the same chart
// against it.
#pragma once

#include "ProfileAccuracy.h"

#include <QDialog>

class QLabel;
class QPushButton;

class MadeProfileDialog : public QDialog {
    Q_OBJECT

public:
    MadeProfileDialog(const ProfileAccuracy& accuracy, QWidget* parent = nullptr);

    // Whether the user asked to judge the chart against the new profile.
    bool judgeWanted() const { return judge; }
    // Where Install put it; empty until then.
    const std::string& installed() const { return where; }

private:
    void install();

    std::string profile;
    std::string where;
    bool judge = false;
    QLabel* status = nullptr;
    QPushButton* installButton = nullptr;
};
