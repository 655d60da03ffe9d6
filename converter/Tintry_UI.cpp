#include "Tintry_UI.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// Sets a size policy while keeping the widget's height-for-width flag, as the
// designer-generated forms always did.
void setPolicy(QWidget* w, QSizePolicy::Policy h, QSizePolicy::Policy v, int hStretch = 0, int vStretch = 0) {
    QSizePolicy p(h, v);
    p.setHorizontalStretch(hStretch);
    p.setVerticalStretch(vStretch);
    p.setHeightForWidth(w->sizePolicy().hasHeightForWidth());
    w->setSizePolicy(p);
}

template <class T> T* named(T* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel* label(QWidget* parent, const char* name) {
    return named(new QLabel(parent), name);
}

QSlider* slider(QWidget* parent, const char* name, int minimum, int maximum) {
    QSlider* s = named(new QSlider(Qt::Horizontal, parent), name);
    s->setRange(minimum, maximum);
    s->setValue(0);
    return s;
}

QSpinBox* spin(QWidget* parent, const char* name, int minimum, int maximum) {
    QSpinBox* s = named(new QSpinBox(parent), name);
    s->setRange(minimum, maximum);
    s->setValue(0);
    return s;
}

// A group box whose contents sit in a top-aligned inner layout inside the
// box's own column layout (margin 11, spacing 6).
QVBoxLayout* columnLayout(QGroupBox* box) {
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(11, 11, 11, 11);
    column->setSpacing(6);
    return column;
}

void setMarginSpacing(QLayout* layout, int margin, int spacing) {
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(spacing);
}

} // namespace

Tintry_UI::Tintry_UI(QWidget* parent, const char* name, Qt::WindowFlags fl) : QWidget(parent, fl) {
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("Form2"));

    Form2Layout = named(new QGridLayout(this), "Form2Layout");
    setMarginSpacing(Form2Layout, 11, 6);

    buildInputGroup();
    buildPreviewGroup();
    buildOutputGroup();

    input_icc_button = named(new QPushButton(this), "input_icc_button");
    Form2Layout->addWidget(input_icc_button, 1, 0);
    monitor_icc_button = named(new QPushButton(this), "monitor_icc_button");
    Form2Layout->addWidget(monitor_icc_button, 1, 1);
    output_icc_button = named(new QPushButton(this), "output_icc_button");
    Form2Layout->addWidget(output_icc_button, 1, 2);

    // Profile names can be long; they wrap rather than widen the window.
    QLabel** nameLabels[] = {&input_icc_label, &monitor_icc_label, &output_icc_label};
    const char* nameLabelNames[] = {"input_icc_label", "monitor_icc_label", "output_icc_label"};
    for (int i = 0; i < 3; ++i) {
        QLabel* l = label(this, nameLabelNames[i]);
        setPolicy(l, QSizePolicy::Preferred, QSizePolicy::Preferred);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignVCenter);
        Form2Layout->addWidget(l, 2, i);
        *nameLabels[i] = l;
    }

    // Left empty: the converter puts the instrument panel in it.
    spectro_group = named(new QGroupBox(this), "spectro_group");
    Form2Layout->addWidget(spectro_group, 3, 0, 1, 3);

    languageChange();
    resize(QSize(748, 524).expandedTo(minimumSizeHint()));
    linkSlidersToSpins();
    setTabOrderChain();
}

Tintry_UI::~Tintry_UI() = default;

void Tintry_UI::buildInputGroup() {
    input_group = named(new QGroupBox(this), "input_group");
    setPolicy(input_group, QSizePolicy::Expanding, QSizePolicy::Expanding, 0, 1);
    input_groupColumn = columnLayout(input_group);
    input_groupLayout = named(new QVBoxLayout(), "input_groupLayout");
    input_groupLayout->setAlignment(Qt::AlignTop);
    input_groupColumn->addLayout(input_groupLayout);
    Form2Layout->addWidget(input_group, 0, 0);

    input_stack = named(new QStackedWidget(input_group), "input_stack");

    // Page 0: RGB.
    WStackPage = named(new QWidget(input_stack), "WStackPage");
    WStackPageLayout = named(new QGridLayout(WStackPage), "WStackPageLayout");
    setMarginSpacing(WStackPageLayout, 11, 4);
    textLabel5_3 = label(WStackPage, "textLabel5_3");
    textLabel5 = label(WStackPage, "textLabel5");
    textLabel5_2 = label(WStackPage, "textLabel5_2");
    r_slider = slider(WStackPage, "r_slider", 0, 255);
    g_slider = slider(WStackPage, "g_slider", 0, 255);
    b_slider = slider(WStackPage, "b_slider", 0, 255);
    r_spin = spin(WStackPage, "r_spin", 0, 255);
    g_spin = spin(WStackPage, "g_spin", 0, 255);
    b_spin = spin(WStackPage, "b_spin", 0, 255);
    setPolicy(r_slider, QSizePolicy::Expanding, QSizePolicy::Fixed, 1, 0);
    setPolicy(r_spin, QSizePolicy::Minimum, QSizePolicy::Fixed);
    QWidget* rgbRows[][3] = {
        {textLabel5_3, r_slider, r_spin}, {textLabel5, g_slider, g_spin}, {textLabel5_2, b_slider, b_spin}};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            WStackPageLayout->addWidget(rgbRows[row][col], row, col);
    spacer1 = new QSpacerItem(206, 16, QSizePolicy::Expanding, QSizePolicy::Minimum);
    WStackPageLayout->addItem(spacer1, 3, 0, 1, 3);
    input_stack->addWidget(WStackPage); // page id 0

    // Page 1: CMYK.
    WStackPage_2 = named(new QWidget(input_stack), "WStackPage_2");
    WStackPageLayout_2 = named(new QGridLayout(WStackPage_2), "WStackPageLayout_2");
    setMarginSpacing(WStackPageLayout_2, 11, 6);
    textLabel5_3_2 = label(WStackPage_2, "textLabel5_3_2");
    textLabel5_4 = label(WStackPage_2, "textLabel5_4");
    textLabel5_2_2 = label(WStackPage_2, "textLabel5_2_2");
    textLabel5_2_2_2 = label(WStackPage_2, "textLabel5_2_2_2");
    c_slider = slider(WStackPage_2, "c_slider", 0, 100);
    m_slider = slider(WStackPage_2, "m_slider", 0, 100);
    y_slider = slider(WStackPage_2, "y_slider", 0, 100);
    k_slider = slider(WStackPage_2, "k_slider", 0, 100);
    c_spin = spin(WStackPage_2, "c_spin", 0, 100);
    m_spin = spin(WStackPage_2, "m_spin", 0, 100);
    y_spin = spin(WStackPage_2, "y_spin", 0, 100);
    k_spin = spin(WStackPage_2, "k_spin", 0, 100);
    setPolicy(c_slider, QSizePolicy::Expanding, QSizePolicy::Fixed, 1, 0);
    setPolicy(c_spin, QSizePolicy::Minimum, QSizePolicy::Fixed);
    QWidget* cmykRows[][3] = {{textLabel5_3_2, c_slider, c_spin},
                              {textLabel5_4, m_slider, m_spin},
                              {textLabel5_2_2, y_slider, y_spin},
                              {textLabel5_2_2_2, k_slider, k_spin}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            WStackPageLayout_2->addWidget(cmykRows[row][col], row, col);
    input_stack->addWidget(WStackPage_2); // page id 1
    input_groupLayout->addWidget(input_stack);

    instrument_tick = named(new QCheckBox(input_group), "instrument_tick");
    input_groupLayout->addWidget(instrument_tick);

    labin_group = named(new QGroupBox(input_group), "labin_group");
    labin_groupColumn = columnLayout(labin_group);
    labin_groupLayout = named(new QGridLayout(), "labin_groupLayout");
    labin_groupLayout->setAlignment(Qt::AlignTop);
    labin_groupColumn->addLayout(labin_groupLayout);
    labin_l_label = label(labin_group, "labin_l_label");
    labin_a_label = label(labin_group, "labin_a_label");
    labin_b_label = label(labin_group, "labin_b_label");
    labin_l_slider = slider(labin_group, "labin_l_slider", 0, 100);
    labin_a_slider = slider(labin_group, "labin_a_slider", -127, 127);
    labin_b_slider = slider(labin_group, "labin_b_slider", -127, 127);
    labin_l_spin = spin(labin_group, "labin_l_spin", 0, 100);
    labin_a_spin = spin(labin_group, "labin_a_spin", -127, 127);
    labin_b_spin = spin(labin_group, "labin_b_spin", -127, 127);
    setPolicy(labin_l_slider, QSizePolicy::Expanding, QSizePolicy::Fixed, 1, 0);
    setPolicy(labin_l_spin, QSizePolicy::Minimum, QSizePolicy::Fixed);
    QWidget* labRows[][3] = {{labin_l_label, labin_l_slider, labin_l_spin},
                             {labin_a_label, labin_a_slider, labin_a_spin},
                             {labin_b_label, labin_b_slider, labin_b_spin}};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            labin_groupLayout->addWidget(labRows[row][col], row, col);
    input_groupLayout->addWidget(labin_group);
}

void Tintry_UI::buildPreviewGroup() {
    preview_group = named(new QGroupBox(this), "preview_group");
    setPolicy(preview_group, QSizePolicy::Expanding, QSizePolicy::Preferred, 0, 1);
    preview_groupColumn = columnLayout(preview_group);
    preview_groupLayout = named(new QVBoxLayout(), "preview_groupLayout");
    preview_groupLayout->setAlignment(Qt::AlignTop);
    preview_groupColumn->addLayout(preview_groupLayout);
    Form2Layout->addWidget(preview_group, 0, 1);

    history_combo = named(new QComboBox(preview_group), "history_combo");
    history_combo->setEditable(false);
    preview_groupLayout->addWidget(history_combo);

    pv_label = label(preview_group, "pv_label");
    setPolicy(pv_label, QSizePolicy::Expanding, QSizePolicy::Expanding);
    pv_label->setAutoFillBackground(true);
    QPalette pal = pv_label->palette();
    pal.setColor(pv_label->backgroundRole(), QColor(15, 170, 28));
    pv_label->setPalette(pal);
    pv_label->setAlignment(Qt::AlignCenter);
    preview_groupLayout->addWidget(pv_label);

    keep_button = named(new QPushButton(preview_group), "keep_button");
    preview_groupLayout->addWidget(keep_button);
}

void Tintry_UI::buildOutputGroup() {
    output_group = named(new QGroupBox(this), "output_group");
    setPolicy(output_group, QSizePolicy::Expanding, QSizePolicy::Preferred, 0, 1);
    output_groupColumn = columnLayout(output_group);
    output_groupLayout = named(new QGridLayout(), "output_groupLayout");
    output_groupLayout->setAlignment(Qt::AlignTop);
    output_groupColumn->addLayout(output_groupLayout);
    Form2Layout->addWidget(output_group, 0, 2);

    output_stack = named(new QStackedWidget(output_group), "output_stack");
    setPolicy(output_stack, QSizePolicy::Preferred, QSizePolicy::Minimum);

    // Page 0: RGB.
    WStackPage_3 = named(new QWidget(output_stack), "WStackPage_3");
    WStackPageLayout_3 = named(new QGridLayout(WStackPage_3), "WStackPageLayout_3");
    setMarginSpacing(WStackPageLayout_3, 11, 2);
    textLabel5_3_2_2_2 = label(WStackPage_3, "textLabel5_3_2_2_2");
    textLabel5_4_2_2 = label(WStackPage_3, "textLabel5_4_2_2");
    textLabel5_2_2_3_2 = label(WStackPage_3, "textLabel5_2_2_3_2");
    r_label = label(WStackPage_3, "r_label");
    g_label = label(WStackPage_3, "g_label");
    b_label = label(WStackPage_3, "b_label");
    setPolicy(r_label, QSizePolicy::Preferred, QSizePolicy::Preferred, 1, 0);
    QLabel* rgbRows[][2] = {
        {textLabel5_3_2_2_2, r_label}, {textLabel5_4_2_2, g_label}, {textLabel5_2_2_3_2, b_label}};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 2; ++col)
            WStackPageLayout_3->addWidget(rgbRows[row][col], row, col);
    spacer2 = new QSpacerItem(20, 10, QSizePolicy::Minimum, QSizePolicy::Minimum);
    WStackPageLayout_3->addItem(spacer2, 3, 0, 1, 2);
    output_stack->addWidget(WStackPage_3); // page id 0

    // Page 1: CMYK.
    WStackPage_4 = named(new QWidget(output_stack), "WStackPage_4");
    WStackPageLayout_4 = named(new QGridLayout(WStackPage_4), "WStackPageLayout_4");
    setMarginSpacing(WStackPageLayout_4, 11, 2);
    textLabel5_3_2_2 = label(WStackPage_4, "textLabel5_3_2_2");
    textLabel5_4_2 = label(WStackPage_4, "textLabel5_4_2");
    textLabel5_2_2_3 = label(WStackPage_4, "textLabel5_2_2_3");
    textLabel5_2_2_2_2 = label(WStackPage_4, "textLabel5_2_2_2_2");
    c_label = label(WStackPage_4, "c_label");
    m_label = label(WStackPage_4, "m_label");
    y_label = label(WStackPage_4, "y_label");
    k_label = label(WStackPage_4, "k_label");
    setPolicy(c_label, QSizePolicy::Preferred, QSizePolicy::Preferred, 1, 0);
    QLabel* cmykRows[][2] = {{textLabel5_3_2_2, c_label},
                             {textLabel5_4_2, m_label},
                             {textLabel5_2_2_3, y_label},
                             {textLabel5_2_2_2_2, k_label}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 2; ++col)
            WStackPageLayout_4->addWidget(cmykRows[row][col], row, col);
    output_stack->addWidget(WStackPage_4); // page id 1
    output_groupLayout->addWidget(output_stack, 0, 0);

    layout5 = named(new QGridLayout(), "layout5");
    setMarginSpacing(layout5, 11, 2);
    textLabel5_3_2_2_3 = label(output_group, "textLabel5_3_2_2_3");
    textLabel5_4_2_3 = label(output_group, "textLabel5_4_2_3");
    textLabel5_2_2_3_3 = label(output_group, "textLabel5_2_2_3_3");
    lab_l_label = label(output_group, "lab_l_label");
    lab_a_label = label(output_group, "lab_a_label");
    lab_b_label = label(output_group, "lab_b_label");
    setPolicy(lab_l_label, QSizePolicy::Preferred, QSizePolicy::Preferred, 1, 0);
    QLabel* labRows[][2] = {{textLabel5_3_2_2_3, lab_l_label},
                            {textLabel5_4_2_3, lab_a_label},
                            {textLabel5_2_2_3_3, lab_b_label}};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 2; ++col)
            layout5->addWidget(labRows[row][col], row, col);
    textLabel1 = label(output_group, "textLabel1");
    textLabel1->setTextFormat(Qt::RichText);
    layout5->addWidget(textLabel1, 3, 0, 1, 2);
    output_groupLayout->addLayout(layout5, 0, 1);

    textLabel7 = label(output_group, "textLabel7");
    output_groupLayout->addWidget(textLabel7, 1, 0, 1, 2);
    rendering_combo = named(new QComboBox(output_group), "rendering_combo");
    rendering_combo->setEditable(false);
    output_groupLayout->addWidget(rendering_combo, 2, 0, 1, 2);
    textLabel7_2 = label(output_group, "textLabel7_2");
    output_groupLayout->addWidget(textLabel7_2, 3, 0, 1, 2);
    accuracy_combo = named(new QComboBox(output_group), "accuracy_combo");
    accuracy_combo->setEditable(false);
    output_groupLayout->addWidget(accuracy_combo, 4, 0, 1, 2);
    spacer3 = new QSpacerItem(20, 1, QSizePolicy::Minimum, QSizePolicy::Expanding);
    output_groupLayout->addItem(spacer3, 5, 1);
}

// Each pair is linked both ways; setting an equal value emits nothing, so one
// exchange settles it. The order is the one the converter's own connections
// rely on: a spin box first updates its slider, then reaches the converter.
void Tintry_UI::linkSlidersToSpins() {
    const std::pair<QSlider*, QSpinBox*> pairs[] = {{b_slider, b_spin},
                                                    {c_slider, c_spin},
                                                    {g_slider, g_spin},
                                                    {k_slider, k_spin},
                                                    {m_slider, m_spin},
                                                    {r_slider, r_spin},
                                                    {y_slider, y_spin},
                                                    {labin_l_slider, labin_l_spin},
                                                    {labin_a_slider, labin_a_spin},
                                                    {labin_b_slider, labin_b_spin}};
    for (const auto& [sl, sp] : pairs) {
        connect(sl, &QSlider::valueChanged, sp, &QSpinBox::setValue);
        connect(sp, &QSpinBox::valueChanged, sl, &QSlider::setValue);
    }
}

void Tintry_UI::setTabOrderChain() {
    QWidget* chain[] = {r_slider,         g_slider,    b_slider,        r_spin,           g_spin,
                        b_spin,           c_slider,    m_slider,        y_slider,         k_slider,
                        c_spin,           m_spin,      y_spin,          k_spin,           instrument_tick,
                        history_combo,    keep_button, rendering_combo, input_icc_button, monitor_icc_button,
                        output_icc_button};
    for (size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void Tintry_UI::languageChange() {
    setWindowTitle(tr("Tintry"));

    input_group->setTitle(tr("Input"));
    preview_group->setTitle(tr("Preview"));
    output_group->setTitle(tr("Output"));
    spectro_group->setTitle(tr("NO-TR Spectrophotometer"));
    labin_group->setTitle(tr("Lab Input"));

    input_icc_button->setText(tr("Select Input ICC ..."));
    input_icc_button->setWhatsThis(tr(
        "Allows selection of an input profile. Supported profiles are Display(monitor), Input (scanner) and "
        "Ouput (printer) which are either RGB or CMYK.\nThe input profile determines whether the input box "
        "will "
        "display either RGB or CMYK values."));
    monitor_icc_button->setText(tr("Select Monitor ICC ..."));
    monitor_icc_button->setWhatsThis(
        tr("Allows selection of a monitor profile. Selecting the correct profile for "
           "your display allows accurate previewing of the input colour"));
    output_icc_button->setText(tr("Select Output ICC ..."));
    output_icc_button->setWhatsThis(tr(
        "Allows selection of an output profile. Supported profiles are Display(monitor) and Ouput (printer) "
        "which are either RGB or CMYK.\nThe ouput profile determines whether the output box will display "
        "either "
        "RGB or CMYK values."));
    input_icc_label->setText(tr("Long_long_long_long_long_name.icc"));
    monitor_icc_label->setText(tr("Long_long_long_long_long_name.icc"));
    output_icc_label->setText(tr("Long_long_long_long_long_name.icc"));

    history_combo->setWhatsThis(
        tr("Shows a list of colours you have selected to keep. To preview a colour just "
           "select it from the pulldown list"));
    pv_label->setText(QString());
    pv_label->setWhatsThis(
        tr("This is the colour preview area. Select a monitor icc profile and then you can see "
           "how the colour looks. The printed result should look just like the monitor preview"));
    keep_button->setText(tr("Keep"));
    keep_button->setWhatsThis(
        tr("Allows you to keep the colour currently being previewed so that it can be reviewed again later"));

    textLabel5_3->setText(tr("<b>R:</b>"));
    textLabel5->setText(tr("<b>G:</b>"));
    textLabel5_2->setText(tr("<b>B:</b>"));

    const QString cyan = tr("The cyan value to convert");
    const QString magenta = tr("The magenta value to convert");
    const QString yellow = tr("The yellow value to convert");
    const QString black = tr("The black value to convert");
    textLabel5_3_2->setText(tr("<b>C:</b>"));
    textLabel5_4->setText(tr("<b>M:</b>"));
    textLabel5_2_2->setText(tr("<b>Y:</b>"));
    textLabel5_2_2_2->setText(tr("<b>K:</b>"));
    for (QWidget* w : {static_cast<QWidget*>(textLabel5_3_2), static_cast<QWidget*>(c_slider),
                       static_cast<QWidget*>(c_spin)})
        w->setWhatsThis(cyan);
    for (QWidget* w : {static_cast<QWidget*>(textLabel5_4), static_cast<QWidget*>(m_slider),
                       static_cast<QWidget*>(m_spin)})
        w->setWhatsThis(magenta);
    for (QWidget* w : {static_cast<QWidget*>(textLabel5_2_2), static_cast<QWidget*>(y_slider),
                       static_cast<QWidget*>(y_spin)})
        w->setWhatsThis(yellow);
    for (QWidget* w : {static_cast<QWidget*>(textLabel5_2_2_2), static_cast<QWidget*>(k_slider),
                       static_cast<QWidget*>(k_spin)})
        w->setWhatsThis(black);

    instrument_tick->setText(tr("Enable instrument"));
    labin_l_label->setText(tr("<b>L:</b>"));
    labin_a_label->setText(tr("<b>a:</b>"));
    labin_b_label->setText(tr("<b>b:</b>"));

    textLabel5_3_2_2_2->setText(tr("<b>R:</b>"));
    textLabel5_3_2_2_2->setWhatsThis(tr("The converted red value"));
    textLabel5_4_2_2->setText(tr("<b>G:</b>"));
    textLabel5_4_2_2->setWhatsThis(tr("The converted green value"));
    textLabel5_2_2_3_2->setText(tr("<b>B:</b>"));
    textLabel5_2_2_3_2->setWhatsThis(tr("The converted blue value"));
    textLabel5_3_2_2->setText(tr("<b>C:</b>"));
    textLabel5_3_2_2->setWhatsThis(tr("The converted cyan value"));
    textLabel5_4_2->setText(tr("<b>M:</b>"));
    textLabel5_4_2->setWhatsThis(tr("The converted magenta value"));
    textLabel5_2_2_3->setText(tr("<b>Y:</b>"));
    textLabel5_2_2_3->setWhatsThis(tr("The converted yellow value"));
    textLabel5_2_2_2_2->setText(tr("<b>K:</b>"));
    textLabel5_2_2_2_2->setWhatsThis(tr("The converted black value"));
    for (QLabel* l : {r_label, g_label, b_label, c_label, m_label, y_label, k_label, lab_l_label, lab_a_label,
                      lab_b_label})
        l->setText(tr("value"));

    textLabel5_3_2_2_3->setText(tr("<b>L:</b>"));
    textLabel5_3_2_2_3->setWhatsThis(
        tr("The L value of the input colour as measured under a  D50 illuminant"));
    textLabel5_4_2_3->setText(tr("<b>a:</b>"));
    textLabel5_4_2_3->setWhatsThis(tr("The a value of the input colour as measured under a  D50 illuminant"));
    textLabel5_2_2_3_3->setText(tr("<b>b:</b>"));
    textLabel5_2_2_3_3->setWhatsThis(
        tr("The b value of the input colour as measured under a  D50 illuminant"));
    textLabel1->setText(tr("D50 (2&#176;)"));

    textLabel7->setText(tr("Rendering Intent:"));
    rendering_combo->clear();
    rendering_combo->addItem(tr("Perceptual"));
    rendering_combo->addItem(tr("Colorimetric"));
    rendering_combo->addItem(tr("Saturation"));
    rendering_combo->addItem(tr("Absolute Colorimetric"));
    rendering_combo->setWhatsThis(
        tr("Selects the rendering intent to use when converting from input to output"));
    textLabel7_2->setText(tr("Interpolation Accuracy:"));
    accuracy_combo->clear();
    accuracy_combo->addItem(tr("Faster"));
    accuracy_combo->addItem(tr("Better"));
    accuracy_combo->setWhatsThis(
        tr("Selects the rendering intent to use when converting from input to output"));
}
