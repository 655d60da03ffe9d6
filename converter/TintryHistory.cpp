// Kept colours: the list lives in history_combo, as a swatch plus the input
// values in text (and the colour's D50 Lab as item data), followed by the
// "Clear all" entry. It is kept in the settings and can be exported as CGATS.
#include "Tintry.h"

#include "ExportISO12642.h"
#include "KvDialogs.h"
#include "KvFileInfo.h"

#include <QComboBox>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QRegularExpression>
#include <QSpinBox>

#include <cstdio>

namespace {

constexpr int swatchSize = 16;

QIcon swatch(const QColor& colour) {
    QPixmap pixmap(swatchSize, swatchSize);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

constexpr int labRole = Qt::UserRole;
constexpr int colourRole = Qt::UserRole + 1;

const char* spaceName(icColorSpaceSignature space) {
    return space == icSigRgbData ? "rgb" : space == icSigCmykData ? "cmyk" : "";
}

// A kept entry's text is whole numbers and single spaces; anything else in the
// settings was not written by us and is not restored.
bool plausibleValues(const QString& text) {
    static const QRegularExpression values("^-?\\d{1,3}( -?\\d{1,3}){2,3}$");
    return values.match(text).hasMatch();
}

QString labText(const QVariant& lab) {
    const QList<QVariant> v = lab.toList();
    if (v.size() != 3)
        return QString();
    return QString("%1 %2 %3")
        .arg(v[0].toDouble(), 0, 'f', 4)
        .arg(v[1].toDouble(), 0, 'f', 4)
        .arg(v[2].toDouble(), 0, 'f', 4);
}

} // namespace

void Tintry::keepColour() {
    // With no transform there is no colour to keep; the keep button is disabled
    // then, but an instrument reading in add mode still arrives here.
    if (!cmsInOut.transform)
        return;

    if (history_combo->count() == 0) {
        history_combo->setEnabled(true);
        history_combo->addItem(swatch(Qt::white), tr("Clear all"));
    }

    // With an RGB input the RGB values are kept even for a Lab entry: they
    // restore the same colour. With a CMYK input a Lab entry is kept as Lab,
    // because many inks give the same Lab and the Lab is what was asked for.
    QString text;
    if (cmsInOut.sourceSpace == icSigRgbData)
        text = QString("%1 %2 %3").arg(r_spin->value()).arg(g_spin->value()).arg(b_spin->value());
    else if (cmsInOut.sourceSpace == icSigCmykData && labInput)
        text = QString("%1 %2 %3")
                   .arg(labin_l_spin->value())
                   .arg(labin_a_spin->value())
                   .arg(labin_b_spin->value());
    else if (cmsInOut.sourceSpace == icSigCmykData)
        text = QString("%1 %2 %3 %4")
                   .arg(c_spin->value())
                   .arg(m_spin->value())
                   .arg(y_spin->value())
                   .arg(k_spin->value());

    const QColor preview = pv_label->palette().color(pv_label->backgroundRole());
    history_combo->insertItem(history_combo->count() - 1, swatch(preview), tr(text.toLatin1().constData()));
    history_combo->setCurrentIndex(history_combo->count() - 2);
    history_combo->setItemData(history_combo->count() - 2, preview, colourRole);
    double lab[3];
    if (currentLab(lab))
        history_combo->setItemData(history_combo->count() - 2, QVariantList{lab[0], lab[1], lab[2]}, labRole);
    saveSettings(registry);
}

// The D50 Lab of the colour on display: the typed Lab for a CMYK colour
// entered as Lab (that is what was asked for), else the input values' own.
bool Tintry::currentLab(double lab[3]) {
    if (!cmsInOut.transform)
        return false;
    if (cmsInOut.sourceSpace == icSigCmykData && labInput) {
        lab[0] = labin_l_spin->value();
        lab[1] = labin_a_spin->value();
        lab[2] = labin_b_spin->value();
        return true;
    }
    if (cmsInOut.sourceSpace == icSigCmykData)
        return cmsInOut.cmyk2lab(c_spin->value(), m_spin->value(), y_spin->value(), k_spin->value(), &lab[0],
                                 &lab[1], &lab[2]);
    if (cmsInOut.sourceSpace == icSigRgbData)
        return cmsInOut.rgb2lab(r_spin->value(), g_spin->value(), b_spin->value(), &lab[0], &lab[1], &lab[2]);
    return false;
}

// One entry per kept colour, "space|values|#rrggbb|L a b", joined by ';'.
QString Tintry::keptColoursText() const {
    QStringList entries;
    for (int i = 0; i + 1 < history_combo->count(); ++i) {
        const QColor colour = history_combo->itemData(i, colourRole).value<QColor>();
        entries << QString("%1|%2|%3|%4")
                       .arg(spaceName(inputSpace), history_combo->itemText(i), colour.name(),
                            labText(history_combo->itemData(i, labRole)));
    }
    return entries.join(';');
}

void Tintry::restoreKeptColours(const QString& text) {
    for (const QString& entry : text.split(';', Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split('|');
        if (parts.size() != 4 || parts[0] != spaceName(cmsInOut.sourceSpace) || !plausibleValues(parts[1]))
            continue;
        const QColor colour(parts[2]);
        if (history_combo->count() == 0) {
            history_combo->setEnabled(true);
            history_combo->addItem(swatch(Qt::white), tr("Clear all"));
        }
        const int at = history_combo->count() - 1;
        const QColor shown = colour.isValid() ? colour : QColor(Qt::white);
        history_combo->insertItem(at, swatch(shown), parts[1]);
        history_combo->setItemData(at, shown, colourRole);
        const QStringList lab = parts[3].split(' ');
        bool ok[3] = {false, false, false};
        if (lab.size() == 3) {
            const QVariantList values{lab[0].toDouble(&ok[0]), lab[1].toDouble(&ok[1]),
                                      lab[2].toDouble(&ok[2])};
            if (ok[0] && ok[1] && ok[2])
                history_combo->setItemData(at, values, labRole);
        }
        history_combo->setCurrentIndex(at);
    }
}

int Tintry::writeKeptColours(const QString& path) {
    KVCOMBOCOLOUR_CC colours;
    for (int i = 0; i + 1 < history_combo->count(); ++i) {
        const QList<QVariant> lab = history_combo->itemData(i, labRole).toList();
        if (lab.size() != 3)
            continue;
        auto* record = static_cast<KVCOMBOCOLOUR*>(Kv_calloc(1, sizeof(KVCOMBOCOLOUR)));
        if (record == nullptr)
            return -1;
        record->name = AllocateAndCopyString(history_combo->itemText(i).toUtf8().constData());
        record->flags = KVCOMBO_LAB_VALID;
        record->L = lab[0].toDouble();
        record->a = lab[1].toDouble();
        record->b = lab[2].toDouble();
        if (record->name == nullptr || !colours.insertCombo(record)) {
            KvPacketFreeItem(record, KV_PACKET_COMBOCOLOUR);
            return -1;
        }
    }
    return ExportISO12642::exportColours(QFile::encodeName(path).toStdString(), nullptr, colours,
                                         icSigLabData);
}

void Tintry::exportKeptColours() {
    if (history_combo->count() < 2)
        return;
    const QString path =
        KvDialogs::getSaveFileName(this, tr("Export kept colours"), lastdir_file,
                                   tr("CGATS files (*.txt *.cgats)") + ";;" + tr("All files (*)"));
    if (path.isEmpty())
        return;
    lastdir_file = QString::fromStdString(KvFileInfo::dirnameFromPath(path.toStdString()));
    if (writeKeptColours(path) != 0)
        KvDialogs::message(QMessageBox::Warning, this, tr("Export failed"),
                           tr("The kept colours could not be written to\n%1").arg(path));
}

// Values are put back one spin box at a time, each through its normal
// conversion, so the display ends exactly as if the user had typed them.
void Tintry::doHistory(int index) {
    if (index == history_combo->count() - 1) {
        history_combo->clear();
        history_combo->setDisabled(true);
        saveSettings(registry);
        return;
    }
    const QString text = history_combo->itemText(index);
    if (text.isNull())
        return;
    const QByteArray bytes = text.toLatin1();
    int v[4];
    if (cmsInOut.sourceSpace == icSigCmykData) {
        if (std::sscanf(bytes.constData(), "%d %d %d %d", &v[0], &v[1], &v[2], &v[3]) == 4) {
            c_spin->setValue(v[0]);
            m_spin->setValue(v[1]);
            y_spin->setValue(v[2]);
            k_spin->setValue(v[3]);
        } else if (std::sscanf(bytes.constData(), "%d %d %d", &v[0], &v[1], &v[2]) == 3) {
            labin_l_spin->setValue(v[0]);
            labin_a_spin->setValue(v[1]);
            labin_b_spin->setValue(v[2]);
        }
    } else if (cmsInOut.sourceSpace == icSigRgbData) {
        if (std::sscanf(bytes.constData(), "%d %d %d", &v[0], &v[1], &v[2]) == 3) {
            r_spin->setValue(v[0]);
            g_spin->setValue(v[1]);
            b_spin->setValue(v[2]);
        }
    }
}
