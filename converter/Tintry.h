// The colour converter: three profiles, three transforms between them and the
// form that shows one colour as input values, Lab, output values and a preview.
// The slot order is part of the class's interface (the main window and the
// chart launchers reach slots by name), so new slots go at the end.
#pragma once

#include "KvCmsIcc.h"
#include "KvIccTypes.h"
#include "ProfileCheck.h"
#include "Tintry_UI.h"

#include <QString>

#include <cmath>

class KvRegistry;
class SpectroBuddy;

// Every double shown in an integer widget is rounded to the nearest whole
// number, halves upward: 2.5 gives 3 and -2.5 gives -2. (Truncating toward
// zero after adding the half would show -9.4 as -8: negative a* and b* values
// would be off by up to one and a half units.)
inline int roundHalfUp(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

class Tintry : public Tintry_UI {
    Q_OBJECT

public:
    Tintry(KvRegistry* registry, QWidget* parent = nullptr, const char* name = nullptr,
           Qt::WindowFlags f = {});
    ~Tintry() override;

    void setupWidgets();
    void loadSettings(KvRegistry* store);
    void saveSettings(KvRegistry* store);
    void refresh();
    void setupTransforms();
    int showMessage(int code, QWidget* parent, int button0, int button1, int button2);
    // Takes a profile for a role (as the file dialog does) after checking it;
    // on refusal one message says why, and the old choice stays.
    bool useProfile(const QString& path, ProfileRole role, QString& field, int messageCode);
    // How many conversions have run; one edit must cost exactly one.
    int conversions() const { return conversionCount; }

    KvCmsIcc cmsInOut;     // input -> output; its intent and accuracy are the saved ones
    KvCmsIcc cmsInMonitor; // input -> monitor, for the preview
    KvCmsIcc cmsInLab;     // input -> input, for the Lab of the input colour and back
    QString inICC;
    QString outICC;
    QString monitorICC;
    QString lastdir_icc;
    QString lastdir_file;
    icColorSpaceSignature inputSpace; // source space of cmsInOut at the end of the last refresh
    bool updating;                    // set while a conversion writes into the widgets
    bool labInput;                    // the colour on display was last entered as Lab
    SpectroBuddy* spectro;
    KvRegistry* registry; // not owned

protected:
    void closeEvent(QCloseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

public slots:
    void clearallselections();
    void showGamut();
    void colourchartFromICC();
    void colourchartFromFile();

private slots:
    void getICCin();
    void getICCout();
    void getICCmonitor();
    void cmykChanged(int);
    void rgbChanged(int);
    void labChanged(int);
    void intentChanged(int index);
    void accuracyChanged(int index);
    void keepColour();
    void doHistory(int index);
    void processLab(double L, double a, double b);

private:
    void chooseProfile(const QString& caption, ProfileRole role, QString& field, int messageCode);
    bool profileUsable(const QString& path, ProfileRole role, int messageCode);
    void updateLabOutput();
    void updatePreview();
    void setPreviewColour(const QColor& colour);
    void setIntent(icRenderingIntent intent);
    void setAccuracy(ICCACCURACY accuracy);

    void setupShortcuts();

    int conversionCount = 0;
};
