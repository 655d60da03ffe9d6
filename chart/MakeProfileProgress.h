// The window shown while a profile is made: what colprof is doing, a
// progress bar and Cancel, which ends colprof and everything it started and
// leaves the target as it was. It closes by itself when the work ends.
#pragma once

#include <QDialog>
#include <QString>

class MakeProfileJob;
class QLabel;
class QProgressBar;

class MakeProfileProgress : public QDialog {
    Q_OBJECT

public:
    MakeProfileProgress(MakeProfileJob& job, QWidget* parent = nullptr);

    // How the work ended: done, or why not (empty after Cancel).
    bool succeeded() const { return done; }
    QString failure() const { return why; }

protected:
    void reject() override;

private:
    MakeProfileJob& job;
    QLabel* stage = nullptr;
    QProgressBar* bar = nullptr;
    bool done = false;
    QString why;
};
