#include "camerasettingsdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace capture {

QString CameraSettingsDialog::labelFor(const CameraControl& c)
{
    static const char* const names[]
        = {"亮度", "对比度", "色调", "饱和度", "清晰度", "伽玛", "彩色", "白平衡", "逆光对比", "增益"};
    if (c.procAmp >= 0 && c.procAmp < 10)
        return QString::fromUtf8(names[c.procAmp]);
    return QString::fromStdString(c.name);
}

CameraSettingsDialog::CameraSettingsDialog(CameraControls& controls, const QString& title, QWidget* parent)
    : QDialog(parent)
    , controls_(controls)
{
    setWindowTitle(title);
    auto* form = new QFormLayout;
    // The host's image properties first, in their own order, then whatever
    // else the device offers, in its order.
    std::vector<const CameraControl*> order;
    for (const CameraControl& c : controls_.controls())
        order.push_back(&c);
    std::stable_sort(order.begin(), order.end(), [](const CameraControl* a, const CameraControl* b) {
        const unsigned ka = static_cast<unsigned>(a->procAmp), kb = static_cast<unsigned>(b->procAmp);
        return ka < kb;
    });
    for (const CameraControl* control : order) {
        const CameraControl& c = *control;
        std::int32_t value = c.defaultValue;
        controls_.get(c, value);
        QWidget* editor = nullptr;
        switch (c.kind) {
        case CameraControl::Kind::Integer: {
            auto* row = new QWidget;
            auto* h = new QHBoxLayout(row);
            h->setContentsMargins(0, 0, 0, 0);
            auto* slider = new QSlider(Qt::Horizontal);
            auto* spin = new QSpinBox;
            slider->setRange(c.minimum, c.maximum);
            slider->setSingleStep(c.step);
            slider->setPageStep(std::max(c.step, (c.maximum - c.minimum) / 10));
            slider->setMinimumWidth(200);
            spin->setRange(c.minimum, c.maximum);
            spin->setSingleStep(c.step);
            slider->setValue(value);
            spin->setValue(value);
            connect(slider, &QSlider::valueChanged, spin, &QSpinBox::setValue);
            connect(spin, &QSpinBox::valueChanged, slider, &QSlider::setValue);
            connect(slider, &QSlider::valueChanged, this, [this, c](int v) { controls_.set(c, v); });
            h->addWidget(slider, 1);
            h->addWidget(spin);
            if (c.hasAuto) {
                auto* autoBox = new QCheckBox(QString::fromUtf8("自动"));
                bool on = false;
                controls_.getAuto(c, on);
                autoBox->setChecked(on);
                slider->setEnabled(!on);
                spin->setEnabled(!on);
                connect(autoBox, &QCheckBox::toggled, this, [this, c, slider, spin](bool v) {
                    controls_.setAuto(c, v);
                    slider->setEnabled(!v);
                    spin->setEnabled(!v);
                });
                h->addWidget(autoBox);
            }
            resetters_.push_back([slider, d = c.defaultValue] { slider->setValue(d); });
            editor = row;
            break;
        }
        case CameraControl::Kind::Boolean: {
            auto* box = new QCheckBox;
            box->setChecked(value != 0);
            connect(box, &QCheckBox::toggled, this, [this, c](bool v) { controls_.set(c, v ? 1 : 0); });
            resetters_.push_back([box, d = c.defaultValue] { box->setChecked(d != 0); });
            editor = box;
            break;
        }
        case CameraControl::Kind::Menu: {
            auto* combo = new QComboBox;
            for (const auto& [v, label] : c.menu)
                combo->addItem(QString::fromStdString(label), v);
            combo->setCurrentIndex(std::max(0, combo->findData(value)));
            connect(combo, &QComboBox::currentIndexChanged, this,
                [this, c, combo](int i) { controls_.set(c, combo->itemData(i).toInt()); });
            resetters_.push_back(
                [combo, d = c.defaultValue] { combo->setCurrentIndex(std::max(0, combo->findData(d))); });
            editor = combo;
            break;
        }
        }
        editor->setObjectName(QString::fromStdString(c.name));
        form->addRow(labelFor(c), editor);
    }
    auto* buttons = new QDialogButtonBox;
    QPushButton* defaults = buttons->addButton(QString::fromUtf8("默认值"), QDialogButtonBox::ResetRole);
    QPushButton* close = buttons->addButton(QString::fromUtf8("关闭"), QDialogButtonBox::AcceptRole);
    connect(defaults, &QPushButton::clicked, this, &CameraSettingsDialog::restoreDefaults);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* v = new QVBoxLayout(this);
    v->addLayout(form);
    v->addWidget(buttons);
}

void CameraSettingsDialog::restoreDefaults()
{
    for (auto& r : resetters_)
        r();
}

} // namespace capture
