// The converter's profiles and settings: which profile each role accepts and
// the exact message when it does not, what a refused or vanished profile
// leaves behind, the transform failures, and the settings kept in a real
// store file across a restart.
#include "ConverterTestKit.h"
#include "ProfileFactory.h"
#include "SpectroBuddy.h"
#include "TestMain.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMetaMethod>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>

#include <lcms2.h>

#include <array>
#include <cmath>

namespace {

const QString msgInput =
    "Invalid input ICC profile|The ICC profile you have selected is of the wrong type.\n"
    "Valid input profiles are montitor, scanner or printer profiles\nthat are either RGB or CMYK";
const QString msgOutput =
    "Invalid output ICC profile|The ICC profile you have selected is of the wrong type.\n"
    "Valid output profiles are montitor, or printer profiles\nthat are either RGB or CMYK";
const QString msgMonitor =
    "Invalid monitor ICC profile|The ICC profile you have selected is of the wrong type.\n"
    "Please select an ICC profile of type monitor";
const QString msgMonitorCms = "CMS init failed|The initialisation of the CMS for the monitor failed\n"
                              "Either ran out of memory or some of the profiles have been deleted";
const QString msgCms = "CMS init failed|The initialisation of the CMS failed\n"
                       "Either ran out of memory or some of the profiles have been deleted";

// A printer profile with six inks (a Lab to 6-colour table only), as hi-fi
// printers have: neither RGB nor CMYK, so no role of the converter takes it.
QString writeSixColourPrinter(const QString& path) {
    cmsHPROFILE p = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(p, 2.1);
    cmsSetDeviceClass(p, cmsSigOutputClass);
    cmsSetColorSpace(p, cmsSig6colorData);
    cmsSetPCS(p, cmsSigLabData);
    cmsPipeline* lut = cmsPipelineAlloc(nullptr, 3, 6);
    cmsPipelineInsertStage(lut, cmsAT_END, cmsStageAllocCLut16bit(nullptr, 2, 3, 6, nullptr));
    cmsWriteTag(p, cmsSigBToA0Tag, lut);
    cmsWriteTag(p, cmsSigMediaWhitePointTag, cmsD50_XYZ());
    const bool ok = cmsSaveProfileToFile(p, QFile::encodeName(path).constData());
    cmsPipelineFree(lut);
    cmsCloseProfile(p);
    return ok ? path : QString();
}

// A scanner profile that only goes from RGB to Lab (an A2B0 table and no
// B2A0), as scanner profiles often are: usable as a source, never as a
// destination, so the converter's input-to-input transform cannot be built.
// What LittleCMS makes of an RGB colour between two profiles, in percent.
void expectedInks(const QString& input, const QString& output, int intent, std::array<int, 3> rgb,
                  const double* out) {
    cmsHPROFILE in = cmsOpenProfileFromFile(QFile::encodeName(input).constData(), "r");
    cmsHPROFILE cmyk = cmsOpenProfileFromFile(QFile::encodeName(output).constData(), "r");
    cmsHTRANSFORM x = cmsCreateTransform(in, TYPE_RGB_8, cmyk, TYPE_CMYK_DBL, cmsUInt32Number(intent),
                                         cmsFLAGS_NOCACHE | cmsFLAGS_NOOPTIMIZE);
    const unsigned char bytes[3] = {(unsigned char)rgb[0], (unsigned char)rgb[1], (unsigned char)rgb[2]};
    if (x)
        cmsDoTransform(x, bytes, const_cast<double*>(out), 1);
    cmsDeleteTransform(x);
    cmsCloseProfile(in);
    cmsCloseProfile(cmyk);
}

QString writeOneWayScanner(const QString& path) {
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab = cmsCreateTransform(srgb, TYPE_RGB_16, lab, TYPE_LabV2_16, INTENT_PERCEPTUAL, 0);
    cmsPipeline* pipe = cmsPipelineAlloc(nullptr, 3, 3);
    cmsStage* clut = cmsStageAllocCLut16bit(nullptr, 9, 3, 3, nullptr);
    cmsStageSampleCLut16bit(
        clut,
        [](const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) -> cmsInt32Number {
            cmsDoTransform(static_cast<cmsHTRANSFORM>(cargo), in, out, 1);
            return 1;
        },
        toLab, 0);
    cmsPipelineInsertStage(pipe, cmsAT_END, clut);
    cmsHPROFILE p = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(p, 2.1);
    cmsSetDeviceClass(p, cmsSigInputClass);
    cmsSetColorSpace(p, cmsSigRgbData);
    cmsSetPCS(p, cmsSigLabData);
    cmsWriteTag(p, cmsSigAToB0Tag, pipe);
    cmsWriteTag(p, cmsSigMediaWhitePointTag, cmsD50_XYZ());
    const bool saved = cmsSaveProfileToFile(p, QFile::encodeName(path).constData());
    cmsCloseProfile(p);
    cmsPipelineFree(pipe);
    cmsDeleteTransform(toLab);
    cmsCloseProfile(lab);
    cmsCloseProfile(srgb);
    return saved ? path : QString();
}

bool isWhite(QLabel* l) {
    return l->palette().color(l->backgroundRole()) == QColor(Qt::white);
}

} // namespace

class TestConverter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void slotTable();
    void emptyStore();
    void chooseProfile_data();
    void chooseProfile();
    void unreadableChoice_data();
    void unreadableChoice();
    void outputBeforeInputAndMonitorFirst();
    void storedProfilesCheckedAtStartup_data();
    void storedProfilesCheckedAtStartup();
    void monitorTransformFails();
    void conversionTransformFails_data();
    void conversionTransformFails();
    void wrongSpaceRefusedWhenChosen_data();
    void wrongSpaceRefusedWhenChosen();
    void unknownMessageCode();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void comboChoiceIsStored_data();
    void comboChoiceIsStored();
    void nonAsciiPathSurvivesRestart_data();
    void nonAsciiPathSurvivesRestart();
    void clearAll();

private:
    QTemporaryDir dir;
    std::unique_ptr<ProfileFactory> factory;
    QString oneWayScanner;
    QString sixColour;
};

void TestConverter::initTestCase() {
    if (!kit::haveProfiles())
        QSKIP("the system ICC profiles (icc-profiles-free, libgs-common) are not installed");
    QVERIFY(dir.isValid());
    factory = std::make_unique<ProfileFactory>(dir.path());
    oneWayScanner = writeOneWayScanner(dir.filePath("one-way-scanner.icc"));
    QVERIFY(!oneWayScanner.isEmpty());
    sixColour = writeSixColourPrinter(dir.filePath("six-colour.icc"));
    QVERIFY(!sixColour.isEmpty());
}

void TestConverter::init() {
    // Each test starts from an empty store file.
    QFile::remove(QString::fromStdString(KvRegistry::pathForName("converter-test")));
}

void TestConverter::slotTable() {
    const QMetaObject* mo = &Tintry::staticMetaObject;
    QCOMPARE(mo->className(), "Tintry");
    QCOMPARE(mo->superClass(), &Tintry_UI::staticMetaObject);
    const QList<QByteArray> expected = {
        "clearallselections()",  "showGamut()",         "colourchartFromICC()",
        "colourchartFromFile()", "getICCin()",          "getICCout()",
        "getICCmonitor()",       "cmykChanged(int)",    "rgbChanged(int)",
        "labChanged(int)",       "intentChanged(int)",  "accuracyChanged(int)",
        "keepColour()",          "doHistory(int)",      "processLab(double,double,double)",
        "copyValues()",          "useDisplayProfile()", "exportKeptColours()"};
    QCOMPARE(mo->methodCount() - mo->methodOffset(), int(expected.size()));
    for (int i = 0; i < expected.size(); ++i) {
        const QMetaMethod m = mo->method(mo->methodOffset() + i);
        QCOMPARE(m.methodSignature(), expected[i]);
        QCOMPARE(m.methodType(), QMetaMethod::Slot);
        QCOMPARE(m.access(), i < 4 ? QMetaMethod::Public : QMetaMethod::Private);
    }
}

void TestConverter::emptyStore() {
    DialogScript script;
    KvRegistry store;
    Tintry t(&store);
    QVERIFY(script.requests.isEmpty());
    QVERIFY(t.instrument_tick->isHidden());
    QCOMPARE(t.rendering_combo->currentText(), QString("Perceptual"));
    QCOMPARE(t.accuracy_combo->currentText(), QString("Normal"));
    QCOMPARE(t.rendering_combo->itemText(2), QString("Absolute Colourimetric"));
    for (KvCmsIcc* x : {&t.cmsInOut, &t.cmsInLab, &t.cmsInMonitor}) {
        QVERIFY(!x->transform);
        QCOMPARE(x->renderingIntent, icPerceptual);
        QCOMPARE(x->accuracy, ICC_ACCURACY_NORMAL);
    }
    for (QLabel* l : {t.input_icc_label, t.output_icc_label, t.monitor_icc_label})
        QCOMPARE(l->text(), QString());
    QVERIFY(!t.input_stack->isEnabled());
    QVERIFY(!t.keep_button->isEnabled());
    QVERIFY(!t.history_combo->isEnabled());
    QVERIFY(isWhite(t.pv_label));
    QVERIFY(t.pv_label->text().isEmpty());
    QVERIFY(t.spectro && t.spectro_group->isAncestorOf(t.spectro));
    // The refresh wrote the choices back.
    QCOMPARE(store.getstring(kit::section, "intent"), std::string("0"));
    QCOMPARE(store.getstring(kit::section, "accuracy"), std::string("0"));
    QVERIFY(QString::fromStdString(store.getstring(kit::section, "instrument"))
                .startsWith("addmode=0;source=manual;"));
}

void TestConverter::chooseProfile_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message"); // empty: accepted

    ProfileFactory& mf = *factory;
    QTest::newRow("input display") << "input_icc_button" << kit::adobeRGB << "";
    QTest::newRow("input printer") << "input_icc_button" << kit::cmyk << "";
    QTest::newRow("input scanner") << "input_icc_button" << mf.rgbScanner() << "";
    QTest::newRow("input colour space") << "input_icc_button" << kit::colourSpace << msgInput;
    QTest::newRow("input abstract") << "input_icc_button" << kit::abstractLab << msgInput;
    QTest::newRow("input link") << "input_icc_button" << mf.link() << msgInput;
    QTest::newRow("output printer") << "output_icc_button" << mf.cmykPrinter() << "";
    QTest::newRow("output display") << "output_icc_button" << kit::adobeRGB << "";
    QTest::newRow("output scanner") << "output_icc_button" << mf.rgbScanner() << msgOutput;
    QTest::newRow("output abstract") << "output_icc_button" << mf.labAbstract() << msgOutput;
    QTest::newRow("monitor display") << "monitor_icc_button" << kit::adobeRGB << "";
    QTest::newRow("monitor printer") << "monitor_icc_button" << kit::cmyk << msgMonitor;
    QTest::newRow("monitor scanner") << "monitor_icc_button" << mf.rgbScanner() << msgMonitor;
}

void TestConverter::chooseProfile() {
    QFETCH(QString, button);
    QFETCH(QString, file);
    QFETCH(QString, message);
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::sRGB, kit::cmyk, kit::sRGB);
    Tintry t(&store);
    QVERIFY(t.cmsInMonitor.transform && t.cmsInOut.transform && t.cmsInLab.transform);
    const QString before[] = {t.inICC, t.outICC, t.monitorICC};
    QString* fields[] = {&t.inICC, &t.outICC, &t.monitorICC};
    const int role = button.startsWith("input") ? 0 : button.startsWith("output") ? 1 : 2;
    const char* captions[] = {"Choose an input ICC profile", "Choose an output ICC profile",
                              "Choose a monitor ICC profile"};
    t.lastdir_icc = dir.path(); // a folder that exists; one that has gone is not used

    kit::choose(script, t.findChild<QPushButton*>(button), file);

    QCOMPARE(script.requests.first().kind, KvDialogRequest::OpenFile);
    QCOMPARE(script.requests.first().caption, QString(captions[role]));
    QCOMPARE(script.requests.first().dir, dir.path());
    // The next dialog opens where this file was, accepted or not.
    QCOMPARE(t.lastdir_icc, QFileInfo(file).absolutePath());
    if (message.isEmpty()) {
        QVERIFY(script.messages().isEmpty());
        QCOMPARE(*fields[role], file);
    } else {
        QCOMPARE(script.messages(), QStringList{message});
        QCOMPARE(script.requests.last().icon, QMessageBox::Critical);
        QCOMPARE(script.requests.last().button0, int(QMessageBox::Ok));
        QCOMPARE(script.requests.last().button1, int(QMessageBox::NoButton));
        QCOMPARE(*fields[role], before[role]);
    }
    for (int other = 0; other < 3; ++other)
        if (other != role)
            QCOMPARE(*fields[other], before[other]);
}

void TestConverter::unreadableChoice_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("text") << factory->text();
    QTest::newRow("empty") << factory->empty();
    QTest::newRow("truncated") << factory->truncated();
    QTest::newRow("bad magic") << factory->badMagic();
    QTest::newRow("directory") << factory->directory();
    QTest::newRow("missing") << factory->missing();
}

void TestConverter::unreadableChoice() {
    QFETCH(QString, file);
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::sRGB, kit::cmyk);
    Tintry t(&store);
    t.r_spin->setValue(200);
    const QString cLabel = t.c_label->text();
    const int conversions = t.conversions();

    kit::choose(script, t.input_icc_button, file);

    // One message that names the file and says what is wrong with it.
    QCOMPARE(script.messages().size(), 1);
    QVERIFY(script.messages()[0].startsWith("Invalid input ICC profile|" + QDir::toNativeSeparators(file) +
                                            "\ncannot be used.\n"));
    QCOMPARE(t.inICC, kit::sRGB);
    QCOMPARE(t.input_icc_label->text(), QString("sRGB.icc"));
    QCOMPARE(t.lastdir_icc, QFileInfo(file).absolutePath());
    // No refresh: nothing converted again and the store was not rewritten.
    QCOMPARE(t.conversions(), conversions);
    QCOMPARE(t.c_label->text(), cLabel);
    QCOMPARE(kit::stored(store, "lastdir_icc"), QString());
}

void TestConverter::outputBeforeInputAndMonitorFirst() {
    DialogScript script;
    KvRegistry store;
    Tintry t(&store);

    kit::choose(script, t.monitor_icc_button, kit::sRGB);
    kit::choose(script, t.output_icc_button, kit::cmyk);
    QCOMPARE(t.outICC, kit::cmyk);
    QCOMPARE(t.output_icc_label->text(), QString("default_cmyk.icc"));
    QCOMPARE(t.monitor_icc_label->text(), QString("sRGB.icc"));
    QVERIFY(!t.cmsInOut.transform && !t.cmsInMonitor.transform && !t.cmsInLab.transform);
    QVERIFY(!t.input_stack->isEnabled());
    QCOMPARE(kit::stored(store, "outICC"), kit::cmyk);

    // The monitor chosen first is used as soon as input and output exist.
    kit::choose(script, t.input_icc_button, kit::sRGB);
    QVERIFY(t.cmsInOut.transform && t.cmsInMonitor.transform && t.cmsInLab.transform);
    QCOMPARE(t.input_stack->currentIndex(), 0);
    QCOMPARE(t.output_stack->currentIndex(), 1);
    QVERIFY(t.input_stack->isEnabled() && t.keep_button->isEnabled());
    QVERIFY(t.pv_label->text().isNull());
    QVERIFY(script.messages().isEmpty());
}

void TestConverter::storedProfilesCheckedAtStartup_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("convertsAfterwards");
    const auto gone = [](const char* caption, const QString& path, const char* why) {
        return QStringList{QString(caption) + "|" + path + "\ncannot be used.\n" + why};
    };
    const char* const noFile = "It cannot be read: No such file or directory.";
    QTest::newRow("deleted monitor") << "monitorICC" << factory->missing()
                                     << gone("Invalid monitor ICC profile", factory->missing(), noFile)
                                     << true;
    QTest::newRow("damaged monitor")
        << "monitorICC" << factory->truncated()
        << gone("Invalid monitor ICC profile", factory->truncated(),
                "The profile is truncated: the file is shorter than its header says.")
        << true;
    QTest::newRow("printer as monitor") << "monitorICC" << kit::cmyk << QStringList{msgMonitor} << true;
    QTest::newRow("grey monitor") << "monitorICC" << kit::gray << QStringList{msgMonitor} << true;
    QTest::newRow("deleted input") << "inICC" << factory->missing()
                                   << gone("Invalid input ICC profile", factory->missing(), noFile) << false;
    QTest::newRow("abstract as input") << "inICC" << kit::abstractLab << QStringList{msgInput} << false;
    QTest::newRow("deleted output") << "outICC" << factory->missing()
                                    << gone("Invalid output ICC profile", factory->missing(), noFile)
                                    << false;
    QTest::newRow("scanner as output")
        << "outICC" << factory->rgbScanner() << QStringList{msgOutput} << false;
}

void TestConverter::storedProfilesCheckedAtStartup() {
    QFETCH(QString, key);
    QFETCH(QString, file);
    QFETCH(QStringList, messages);
    QFETCH(bool, convertsAfterwards);
    DialogScript script;
    {
        KvRegistry store;
        kit::store(store, kit::sRGB, kit::cmyk, kit::sRGB);
        store.putstring(kit::section, key.toStdString(), file.toStdString());
        store.save("converter-test");
    }
    KvRegistry store;
    store.open("converter-test");
    Tintry t(&store);

    // Refused once, then forgotten: the second refresh does not ask again.
    QCOMPARE(script.messages(), messages);
    QCOMPARE(kit::stored(store, key.toLatin1().constData()), QString());
    QCOMPARE(bool(t.cmsInOut.transform), convertsAfterwards);
    QCOMPARE(t.input_stack->isEnabled(), convertsAfterwards);
    if (convertsAfterwards) {
        QVERIFY(!t.cmsInMonitor.transform);
        QCOMPARE(t.pv_label->text(),
                 QString("Please pick a monitor profile<br>to see a preview of the colours"));
        QVERIFY(isWhite(t.pv_label));
    }
    store.save("converter-test");
    KvRegistry reread;
    reread.open("converter-test");
    QCOMPARE(kit::stored(reread, key.toLatin1().constData()), QString());
}

void TestConverter::monitorTransformFails() {
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::sRGB, kit::cmyk, kit::gray); // a monitor class, but a grey one
    Tintry t(&store);
    // Refused once at the start, as a monitor of the wrong kind, and dropped;
    // the conversion itself goes on without a preview.
    QCOMPARE(script.messages(), QStringList{msgMonitor});
    QVERIFY(t.cmsInOut.transform && t.cmsInLab.transform && !t.cmsInMonitor.transform);
    QCOMPARE(t.monitorICC, QString());
    QCOMPARE(t.inICC, kit::sRGB);
    QVERIFY(t.input_stack->isEnabled());
    QVERIFY(!msgMonitorCms.isEmpty());

    script.clear();
    emit t.rendering_combo->activated(1);
    QVERIFY(script.messages().isEmpty());

    // A usable monitor profile ends it.
    script.clear();
    kit::choose(script, t.monitor_icc_button, kit::sRGB);
    QVERIFY(script.messages().isEmpty());
    QVERIFY(t.cmsInOut.transform && t.cmsInMonitor.transform);
}

void TestConverter::conversionTransformFails_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("monitor");
    QTest::addColumn<int>("messages5");
    QTest::addColumn<bool>("inOut");
    QTest::addColumn<bool>("inLab");
    QTest::newRow("input one way") << oneWayScanner << kit::cmyk << kit::sRGB << 1 << true << false;
}

void TestConverter::conversionTransformFails() {
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(QString, monitor);
    QFETCH(int, messages5);
    QFETCH(bool, inOut);
    QFETCH(bool, inLab);
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::sRGB, kit::cmyk, monitor);
    Tintry t(&store);
    kit::choose(script, t.output_icc_button, output);
    script.clear();
    kit::choose(script, t.input_icc_button, input);

    // One refresh: message 5 once per transform that failed.
    QStringList expected;
    for (int i = 0; i < messages5; ++i)
        expected << msgCms;
    QCOMPARE(script.messages(), expected);
    QCOMPARE(bool(t.cmsInOut.transform), inOut);
    QCOMPARE(bool(t.cmsInLab.transform), inLab);
    // The preview goes with either failure.
    QVERIFY(!t.cmsInMonitor.transform);
    QCOMPARE(t.inICC, input);
    QCOMPARE(t.outICC, output);
    QCOMPARE(t.monitorICC, monitor);
    QCOMPARE(t.input_stack->isEnabled(), inOut);

    // An input whose Lab side failed still converts RGB to CMYK; its Lab spins stay put.
    if (inOut) {
        const int L = t.labin_l_spin->value();
        t.r_spin->setValue(128);
        // The inks shown are LittleCMS's own conversion of the colour, to
        // within the rounding of whole percent and the precalculated table.
        const double shown[4] = {t.c_label->text().toDouble(), t.m_label->text().toDouble(),
                                 t.y_label->text().toDouble(), t.k_label->text().toDouble()};
        const double expected[4] = {0, 0, 0, 0};
        expectedInks(input, output, t.cmsInOut.renderingIntent,
                     {t.r_spin->value(), t.g_spin->value(), t.b_spin->value()}, expected);
        for (int i = 0; i < 4; ++i)
            QVERIFY2(
                std::abs(shown[i] - expected[i]) <= 2.0,
                qPrintable(QString("ink %1: shown %2, LittleCMS %3").arg(i).arg(shown[i]).arg(expected[i])));
        QCOMPARE(t.labin_l_spin->value(), L);
    }
}

// A grey or six-colour profile used to be taken and then fail at every
// refresh; it is refused when chosen, with the table's message, and the old
// choice stays.
void TestConverter::wrongSpaceRefusedWhenChosen_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("grey output") << "output_icc_button" << kit::gray << msgOutput;
    QTest::newRow("grey input") << "input_icc_button" << kit::gray << msgInput;
    QTest::newRow("grey monitor") << "monitor_icc_button" << kit::gray << msgMonitor;
    QTest::newRow("six-colour output") << "output_icc_button" << sixColour << msgOutput;
}

void TestConverter::wrongSpaceRefusedWhenChosen() {
    QFETCH(QString, button);
    QFETCH(QString, file);
    QFETCH(QString, message);
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::sRGB, kit::cmyk, kit::sRGB);
    Tintry t(&store);
    kit::choose(script, t.findChild<QPushButton*>(button), file);
    QCOMPARE(script.messages(), QStringList{message});
    QCOMPARE(t.inICC, kit::sRGB);
    QCOMPARE(t.outICC, kit::cmyk);
    QCOMPARE(t.monitorICC, kit::sRGB);
    QVERIFY(t.cmsInOut.transform && t.cmsInLab.transform && t.cmsInMonitor.transform);

    // Nor does a refresh complain afterwards.
    script.clear();
    t.refresh();
    QVERIFY(script.messages().isEmpty());
}

void TestConverter::unknownMessageCode() {
    DialogScript script;
    KvRegistry store;
    Tintry t(&store);
    QCOMPARE(t.showMessage(9, &t, QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::NoButton), 0);
    QCOMPARE(script.messages(), QStringList{"|"});
    QCOMPARE(script.requests.last().icon, QMessageBox::Critical);
}

void TestConverter::settingsRoundTrip_data() {
    QTest::addColumn<QString>("intent");
    QTest::addColumn<QString>("accuracy");
    QTest::addColumn<int>("intentIndex");
    QTest::addColumn<int>("heldIntent");
    QTest::addColumn<int>("accuracyIndex");
    QTest::newRow("perceptual normal") << "0"
                                       << "0" << 0 << 0 << 0;
    QTest::newRow("relative best") << "1"
                                   << "1" << 1 << 1 << 1;
    QTest::newRow("saturation is index 3") << "2"
                                           << "0" << 3 << 2 << 0;
    QTest::newRow("absolute is index 2") << "3"
                                         << "1" << 2 << 3 << 1;
    // Values the combos cannot show fall back to the first item, and the
    // transforms then use what the combo shows.
    QTest::newRow("intent 7") << "7"
                              << "1" << 0 << 0 << 1;
    QTest::newRow("intent -1") << "-1"
                               << "0" << 0 << 0 << 0;
    QTest::newRow("intent garbage") << "abc"
                                    << "0" << 0 << 0 << 0;
    QTest::newRow("accuracy 5") << "1"
                                << "5" << 1 << 1 << 0;
    QTest::newRow("accuracy -3") << "3"
                                 << "-3" << 2 << 3 << 0;
}

void TestConverter::settingsRoundTrip() {
    QFETCH(QString, intent);
    QFETCH(QString, accuracy);
    QFETCH(int, intentIndex);
    QFETCH(int, heldIntent);
    QFETCH(int, accuracyIndex);
    DialogScript script;
    {
        KvRegistry store;
        kit::store(store, kit::sRGB, kit::cmyk, kit::sRGB);
        store.putstring(kit::section, "intent", intent.toStdString());
        store.putstring(kit::section, "accuracy", accuracy.toStdString());
        store.putstring(kit::section, "lastdir_file", "/swatches");
        store.save("converter-test");
    }
    KvRegistry store;
    store.open("converter-test");
    Tintry t(&store);
    QVERIFY(script.messages().isEmpty());
    QVERIFY(t.cmsInOut.transform && t.cmsInLab.transform && t.cmsInMonitor.transform);
    QCOMPARE(t.rendering_combo->currentIndex(), intentIndex);
    QCOMPARE(t.accuracy_combo->currentIndex(), accuracyIndex);
    for (KvCmsIcc* x : {&t.cmsInOut, &t.cmsInLab, &t.cmsInMonitor}) {
        QCOMPARE(int(x->renderingIntent), heldIntent);
        QCOMPARE(int(x->accuracy), accuracyIndex);
    }
    QCOMPARE(t.lastdir_file, QString("/swatches"));

    store.save("converter-test");
    KvRegistry reread;
    reread.open("converter-test");
    QCOMPARE(reread.getlong(kit::section, "intent"), long(heldIntent));
    QCOMPARE(reread.getlong(kit::section, "accuracy"), long(accuracyIndex));
    QCOMPARE(kit::stored(reread, "lastdir_file"), QString("/swatches"));
    QCOMPARE(kit::stored(reread, "outICC"), kit::cmyk);
}

void TestConverter::comboChoiceIsStored_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<long>("intent");
    QTest::newRow("perceptual") << 0 << 0L;
    QTest::newRow("relative") << 1 << 1L;
    QTest::newRow("absolute") << 2 << 3L;
    QTest::newRow("saturation") << 3 << 2L;
}

void TestConverter::comboChoiceIsStored() {
    QFETCH(int, index);
    QFETCH(long, intent);
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::sRGB, kit::cmyk);
    Tintry t(&store);
    t.rendering_combo->setCurrentIndex(index);
    emit t.rendering_combo->activated(index);
    t.accuracy_combo->setCurrentIndex(1);
    emit t.accuracy_combo->activated(1);
    QCOMPARE(store.getlong(kit::section, "intent"), intent);
    QCOMPARE(store.getlong(kit::section, "accuracy"), 1L);
    for (KvCmsIcc* x : {&t.cmsInOut, &t.cmsInLab, &t.cmsInMonitor})
        QCOMPARE(long(x->renderingIntent), intent);
    QVERIFY(t.cmsInOut.transform);
}

void TestConverter::nonAsciiPathSurvivesRestart_data() {
    QTest::addColumn<QString>("folder");
    QTest::newRow("latin") << QString::fromUtf8("Profile Überprüfung");
    // Beyond Latin-1: a conversion through Latin-1 anywhere would lose it.
    QTest::newRow("cyrillic") << QString::fromUtf8("Профили ЦМИК");
}

void TestConverter::nonAsciiPathSurvivesRestart() {
    QFETCH(QString, folder);
    const QString where = dir.filePath(folder);
    QVERIFY(QDir().mkpath(where));
    const QString in = where + "/sRGB.icc";
    const QString out = where + QString::fromUtf8("/Druck ß.icc");
    QFile::remove(in);
    QFile::remove(out);
    QVERIFY(QFile::copy(kit::sRGB, in));
    QVERIFY(QFile::copy(kit::cmyk, out));

    DialogScript script;
    {
        KvRegistry store;
        store.open("converter-test");
        Tintry t(&store);
        kit::choose(script, t.input_icc_button, in);
        kit::choose(script, t.output_icc_button, out);
        QVERIFY(t.cmsInOut.transform);
        store.save("converter-test");
    }
    KvRegistry store;
    store.open("converter-test");
    Tintry t(&store);
    QVERIFY(script.messages().isEmpty());
    QCOMPARE(t.inICC, in);
    QCOMPARE(t.outICC, out);
    QCOMPARE(t.lastdir_icc, where);
    QCOMPARE(t.output_icc_label->text(), QString::fromUtf8("Druck ß.icc"));
    QVERIFY(t.cmsInOut.transform && t.cmsInLab.transform);

    kit::choose(script, t.monitor_icc_button, kit::sRGB);
    script.cancel();
    t.input_icc_button->click();
    QCOMPARE(script.requests.last().dir, QString("/usr/share/color/icc"));
}

void TestConverter::clearAll() {
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::sRGB, kit::cmyk, kit::sRGB);
    Tintry t(&store);
    t.r_spin->setValue(200);
    t.keep_button->click();
    QVERIFY(t.cmsInOut.transform);

    t.clearallselections();

    for (QLabel* l : {t.input_icc_label, t.output_icc_label, t.monitor_icc_label})
        QCOMPARE(l->text(), QString());
    QVERIFY(!t.cmsInOut.transform && !t.cmsInMonitor.transform && !t.cmsInLab.transform);
    QVERIFY(!t.input_stack->isEnabled());
    QVERIFY(!t.keep_button->isEnabled());
    QVERIFY(isWhite(t.pv_label));
    QVERIFY(t.pv_label->text().isEmpty());
    for (const char* key : {"inICC", "outICC", "monitorICC"})
        QCOMPARE(kit::stored(store, key), QString());
    QVERIFY(script.messages().isEmpty());
}

TINTRY_TEST_MAIN(TestConverter)
#include "test_converter.moc"
