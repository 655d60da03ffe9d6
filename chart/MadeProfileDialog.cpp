#include "MadeProfileDialog.h"

#include "ProfileInstaller.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

MadeProfileDialog::MadeProfileDialog(const ProfileAccuracy& accuracy, QWidget* parent)
    : QDialog(parent), profile(accuracy.profile) {
    setWindowTitle(tr("Profile made"));
    auto* layout = new QVBoxLayout(this);
    auto* report = new QLabel(accuracy.report(10), this);
    report->setObjectName("report_label");
    report->setWordWrap(true);
    report->setTextInteractionFlags(Qt::TextSelectableByMouse);
    report->setMaximumWidth(640);
    layout->addWidget(report);
    status = new QLabel(tr("Written to %1").arg(QFile::decodeName(profile.c_str())), this);
    status->setObjectName("status_label");
    status->setWordWrap(true);
    layout->addWidget(status);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    installButton = buttons->addButton(tr("Install profile"), QDialogButtonBox::ActionRole);
    installButton->setObjectName("install_button");
    installButton->setToolTip(tr("Copies the profile into your profile folder, where colord and the "
                                 "profile dialogs find it, under its own name and never over another file."));
    QPushButton* judgeButton =
        buttons->addButton(tr("Judge this chart against it"), QDialogButtonBox::AcceptRole);
    judgeButton->setObjectName("judge_button");
    connect(installButton, &QPushButton::clicked, this, &MadeProfileDialog::install);
    connect(judgeButton, &QPushButton::clicked, this, [this] {
        judge = true;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void MadeProfileDialog::install() {
    const Result<ProfileInstaller::Installed> done = ProfileInstaller::install(profile);
    if (!done) {
        status->setText(tr("The profile could not be installed: %1")
                            .arg(QString::fromLocal8Bit(done.failure().text().c_str())));
        return;
    }
    where = done->path;
    const QString path = QFile::decodeName(where.c_str());
    status->setText(done->alreadyThere ? tr("Already installed as %1").arg(path)
                                       : tr("Installed as %1").arg(path));
    installButton->setEnabled(false);
}
