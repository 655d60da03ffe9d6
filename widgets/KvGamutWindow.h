// The window a gamut opens in: the gamut in three dimensions and, in a tab
// beside it, on the a*b* plane with its L* slices; buttons to compare it with
// a second profile, to show measured colours in it and to export the picture
// shown as PNG; the rendering intent the colours are read through, and solid
// or wireframe. It deletes itself when closed. Files are chosen and failures
// told through the dialog seam.
#pragma once

#include <QWidget>

class KvGamut3DView;
class KvGamutView;
class QCheckBox;
class QComboBox;
class QPushButton;
class QTabWidget;

class KvGamutWindow : public QWidget {
    Q_OBJECT
public:
    // `dir` is where the file dialogs start.
    KvGamutWindow(const QString& profilePath, const QString& monitorPath, const QString& dir,
                  QWidget* parent = nullptr);

    KvGamut3DView* view() const { return solid; }
    KvGamutView* plane() const { return flat; }
    QTabWidget* tabs() const { return pages; }

public slots:
    void compareWith();
    void showReadings();
    void exportPicture();

private:
    void load();
    void complain(const QString& caption, const QString& text);

    QString profile, monitor, lastDir, comparedWith;
    KvGamut3DView* solid;
    KvGamutView* flat;
    QTabWidget* pages;
    QComboBox* intent;
    QCheckBox* wireframe;
};
