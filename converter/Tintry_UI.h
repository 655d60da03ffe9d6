// The converter's form: the whole widget tree, its texts and help, the
// slider/spin-box links and the tab order. No conversion logic lives here;
// Tintry derives from it and drives the widgets.
#pragma once

#include <QWidget>

class QComboBox;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpacerItem;
class QSpinBox;
class QStackedWidget;
class QVBoxLayout;

class Tintry_UI : public QWidget {
    Q_OBJECT

public:
    explicit Tintry_UI(QWidget* parent = nullptr, const char* name = nullptr, Qt::WindowFlags fl = {});
    ~Tintry_UI() override;

    // Widgets, named as their object names.
    QGroupBox* input_group;
    QStackedWidget* input_stack;
    QWidget* WStackPage;
    QLabel* textLabel5_3;
    QLabel* textLabel5;
    QLabel* textLabel5_2;
    QSlider* r_slider;
    QSlider* g_slider;
    QSlider* b_slider;
    QSpinBox* r_spin;
    QSpinBox* g_spin;
    QSpinBox* b_spin;
    QWidget* WStackPage_2;
    QLabel* textLabel5_3_2;
    QLabel* textLabel5_4;
    QLabel* textLabel5_2_2;
    QLabel* textLabel5_2_2_2;
    QSlider* c_slider;
    QSlider* m_slider;
    QSlider* y_slider;
    QSlider* k_slider;
    QSpinBox* c_spin;
    QSpinBox* m_spin;
    QSpinBox* y_spin;
    QSpinBox* k_spin;
    QCheckBox* instrument_tick;
    QGroupBox* labin_group;
    QLabel* labin_l_label;
    QLabel* labin_a_label;
    QLabel* labin_b_label;
    QSlider* labin_l_slider;
    QSlider* labin_a_slider;
    QSlider* labin_b_slider;
    QSpinBox* labin_l_spin;
    QSpinBox* labin_a_spin;
    QSpinBox* labin_b_spin;

    QGroupBox* preview_group;
    QComboBox* history_combo;
    QLabel* pv_label;
    QPushButton* keep_button;

    QGroupBox* output_group;
    QStackedWidget* output_stack;
    QWidget* WStackPage_3;
    QLabel* textLabel5_3_2_2_2;
    QLabel* textLabel5_4_2_2;
    QLabel* textLabel5_2_2_3_2;
    QLabel* r_label;
    QLabel* g_label;
    QLabel* b_label;
    QWidget* WStackPage_4;
    QLabel* textLabel5_3_2_2;
    QLabel* textLabel5_4_2;
    QLabel* textLabel5_2_2_3;
    QLabel* textLabel5_2_2_2_2;
    QLabel* c_label;
    QLabel* m_label;
    QLabel* y_label;
    QLabel* k_label;
    QLabel* textLabel5_3_2_2_3;
    QLabel* textLabel5_4_2_3;
    QLabel* textLabel5_2_2_3_3;
    QLabel* lab_l_label;
    QLabel* lab_a_label;
    QLabel* lab_b_label;
    QLabel* textLabel1;
    QLabel* textLabel7;
    QComboBox* rendering_combo;
    QLabel* textLabel7_2;
    QComboBox* accuracy_combo;

    QPushButton* input_icc_button;
    QPushButton* monitor_icc_button;
    QPushButton* output_icc_button;
    QLabel* input_icc_label;
    QLabel* monitor_icc_label;
    QLabel* output_icc_label;
    QGroupBox* spectro_group;

protected:
    QGridLayout* Form2Layout;
    QVBoxLayout* input_groupColumn;
    QVBoxLayout* input_groupLayout;
    QGridLayout* WStackPageLayout;
    QSpacerItem* spacer1;
    QGridLayout* WStackPageLayout_2;
    QVBoxLayout* labin_groupColumn;
    QGridLayout* labin_groupLayout;
    QVBoxLayout* preview_groupColumn;
    QVBoxLayout* preview_groupLayout;
    QVBoxLayout* output_groupColumn;
    QGridLayout* output_groupLayout;
    QGridLayout* WStackPageLayout_3;
    QSpacerItem* spacer2;
    QGridLayout* WStackPageLayout_4;
    QGridLayout* layout5;
    QSpacerItem* spacer3;

protected slots:
    virtual void languageChange();

private:
    void buildInputGroup();
    void buildPreviewGroup();
    void buildOutputGroup();
    void linkSlidersToSpins();
    void setTabOrderChain();
};
