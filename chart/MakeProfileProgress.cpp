#include "MakeProfileProgress.h"

#include "MakeProfileJob.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

MakeProfileProgress::MakeProfileProgress(MakeProfileJob& work, QWidget* parent) : QDialog(parent), job(work) {
    setWindowTitle(tr("Making the profile"));
    auto* layout = new QVBoxLayout(this);
    stage = new QLabel(tr("Starting colprof"), this);
    stage->setObjectName("stage_label");
    stage->setMinimumWidth(360);
    layout->addWidget(stage);
    bar = new QProgressBar(this);
    bar->setObjectName("progress_bar");
    bar->setRange(0, 100);
    bar->setValue(0);
    layout->addWidget(bar);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancel_button");
    connect(buttons, &QDialogButtonBox::rejected, this, &MakeProfileProgress::reject);
    layout->addWidget(buttons);
    connect(&job, &MakeProfileJob::progress, this, [this](int percent, const QString& text) {
        bar->setValue(percent);
        stage->setText(text);
    });
    connect(&job, &MakeProfileJob::finished, this, [this](bool ok, const QString& message) {
        done = ok;
        why = message;
        accept();
    });
}

// Cancel, Escape and the window's close button all end the work.
void MakeProfileProgress::reject() {
    job.cancel();
    QDialog::reject();
}
