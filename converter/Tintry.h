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
class QAction;
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
    // The converter's three profiles (their checks are a ProfileRole each).
    enum ProfileSlot { InputProfile, OutputProfile, MonitorProfile };

    Tintry(KvRegistry* registry, QWidget* parent = nullptr, const char* name = nullptr,
           Qt::WindowFlags f = {});
    ~Tintry() override;

    void setupWidgets();
    void loadSettings(KvRegistry* store);
    void saveSettings(KvRegistry* store);
    void refresh();
    void setupTransforms();
    int showMessage(int code, QWidget* parent, int button0, int button1, int button2);
    // Takes a profile for one of the converter's three roles after the checks
    // a chosen file gets; on refusal one message says why, the old choice
    // stays, and the result is false. Every way of naming a profile (the
    // dialog, a drop, the command line, the display's own profile) ends here.
    bool useProfile(ProfileSlot slot, const QString& path);
    // The colour on display as text: the output values, then the Lab.
    QString valuesText() const;
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

    // The kept colours as one line for the settings, and back.
    QString keptColoursText() const;
    void restoreKeptColours(const QString& text);
    // Writes the kept colours as a CGATS file of names and D50 Lab; 0 or -1.
    int writeKeptColours(const QString& path);
    QAction* copyAction = nullptr;
    QAction* displayProfileAction = nullptr;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
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
    void copyValues();
    void useDisplayProfile();
    void exportKeptColours();

private:
    void chooseProfile(ProfileSlot slot, const QString& caption);
    bool profileUsable(const QString& path, ProfileRole role, int messageCode);
    void updateLabOutput();
    void updatePreview();
    void setPreviewColour(const QColor& colour);
    void setIntent(icRenderingIntent intent);
    void setAccuracy(ICCACCURACY accuracy);

    void setupShortcuts();
    void setupDesktop();
    void updateDisplayProfileAction();
    bool currentLab(double lab[3]);

    QString storedKept; // the kept colours read from the settings, until the first refresh is done

    int conversionCount = 0;
};
