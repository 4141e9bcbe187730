#include "windows/capture_setup_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "capture/bar_detection.h"
#include "platform/help_browser.h"
#include "platform/prompter.h"
#include "windows/dialog_buttons.h"

namespace qzx {
namespace {

constexpr int kHelpContext = 1087;

QString caption(AxisPoint which) {
    const std::string_view text = axisPointLook(which).buttonCaption;
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

} // namespace

CaptureSetupDialog::CaptureSetupDialog(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_prompter(context.prompter), m_help(context.help) {
    setObjectName(QStringLiteral("TSetForm"));
    setWindowTitle(QStringLiteral("Setup"));
    auto* layout = new QVBoxLayout(this);

    auto* mode = new QGroupBox(QStringLiteral("Mode"), this);
    auto* modeLayout = new QHBoxLayout(mode);
    m_automatic = new QRadioButton(QStringLiteral("Automatic"), mode);
    m_automatic->setObjectName(QStringLiteral("RadioButton1"));
    m_automatic->setChecked(true);
    m_manual = new QRadioButton(QStringLiteral("Manual"), mode);
    m_manual->setObjectName(QStringLiteral("RadioButton2"));
    modeLayout->addWidget(m_automatic);
    modeLayout->addWidget(m_manual);
    layout->addWidget(mode);
    connect(m_manual, &QRadioButton::toggled, this, [this](bool manual) {
        if (m_host) m_host->modeChosen(manual);
    });

    auto* axes = new QGridLayout;
    for (std::size_t i = 0; i < kAxisPoints.size(); ++i) {
        const AxisPoint which = kAxisPoints[i];
        auto* button = new QPushButton(caption(which), this);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
        button->setCheckable(true);
        button->setAutoDefault(false);
        auto* value = new QLineEdit(this);
        value->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        axes->addWidget(button, static_cast<int>(i), 0);
        axes->addWidget(value, static_cast<int>(i), 1);
        m_axisButtons[i] = button;
        m_values[i] = value;
        connect(button, &QPushButton::clicked, this, [this, which] { pressAxis(which); });
    }
    layout->addLayout(axes);

    auto* offsets = new QGroupBox(QStringLiteral("MS Auto Offsets"), this);
    auto* offsetLayout = new QGridLayout(offsets);
    m_search = new QSpinBox(offsets);
    m_search->setObjectName(QStringLiteral("SpinEdit1"));
    m_search->setRange(DetectionOffsets::kSearchMin, DetectionOffsets::kSearchMax);
    m_baseline = new QSpinBox(offsets);
    m_baseline->setObjectName(QStringLiteral("SpinEdit2"));
    m_baseline->setRange(DetectionOffsets::kBaselineMin, DetectionOffsets::kBaselineMax);
    offsetLayout->addWidget(new QLabel(QStringLiteral("Search"), offsets), 0, 0);
    offsetLayout->addWidget(m_search, 0, 1);
    offsetLayout->addWidget(new QLabel(QStringLiteral("Baseline"), offsets), 1, 0);
    offsetLayout->addWidget(m_baseline, 1, 1);
    layout->addWidget(offsets);
    connect(m_search, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_host) m_host->offsets().setSearch(v);
    });
    connect(m_baseline, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_host) m_host->offsets().setBaseline(v);
    });

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name, const QString& caption, auto slot) {
        addCommandButton(this, buttons, name, caption, slot);
    };
    button("BitBtn4", QStringLiteral("Reset"), [this] {
        resetControls();
        if (m_host) m_host->setupReset();
    });
    button("BitBtn1", QStringLiteral("OK"), [this] {
        takeValues();
        if (m_host && m_host->calibration().complete()) m_host->setupAccepted();
        accept();
    });
    button("BitBtn3", QStringLiteral("Help"), [this] { m_help.showContext(kHelpContext); });
    button("BitBtn2", QStringLiteral("Cancel"), [this] { reject(); });
    layout->addLayout(buttons);
    resetControls();
}

void CaptureSetupDialog::showFor(CaptureSetupHost& host) {
    m_host = &host;
    {
        const QSignalBlocker quietSearch(m_search);
        const QSignalBlocker quietBaseline(m_baseline);
        m_search->setValue(host.offsets().search);
        m_baseline->setValue(host.offsets().baseline);
    }
    // Shown without waiting, so that the picture behind it takes the axis clicks.
    show();
    raise();
    activateWindow();
}

std::optional<AxisPoint> CaptureSetupDialog::currentAxis() const {
    for (std::size_t i = 0; i < kAxisPoints.size(); ++i)
        if (m_axisButtons[i]->isChecked()) return kAxisPoints[i];
    return std::nullopt;
}

void CaptureSetupDialog::markAxis(AxisPoint which, bool set) {
    QPushButton* button = m_axisButtons[static_cast<std::size_t>(which)];
    QFont font = button->font();
    font.setBold(set);
    button->setFont(font);
}

bool CaptureSetupDialog::manualMode() const {
    return m_manual->isChecked();
}

void CaptureSetupDialog::resetControls() {
    for (std::size_t i = 0; i < kAxisPoints.size(); ++i) {
        m_axisButtons[i]->setChecked(false);
        markAxis(kAxisPoints[i], false);
        m_values[i]->setText(QString::number(axisPointLook(kAxisPoints[i]).defaultValue));
        m_values[i]->setStyleSheet(QString());
    }
    m_search->setValue(1);
    m_baseline->setValue(2);
}

void CaptureSetupDialog::pressAxis(AxisPoint which) {
    // One axis button is current at a time; its value box turns lime and takes the focus.
    for (std::size_t i = 0; i < kAxisPoints.size(); ++i) {
        const bool current = kAxisPoints[i] == which;
        m_axisButtons[i]->setChecked(current);
        m_values[i]->setStyleSheet(current ? QStringLiteral("background: rgb(0, 255, 0)")
                                           : QString());
        if (current) m_values[i]->setFocus();
    }
}

void CaptureSetupDialog::takeValues() {
    if (!m_host) return;
    for (std::size_t i = 0; i < kAxisPoints.size(); ++i) {
        bool ok = false;
        const int value = m_values[i]->text().trimmed().toInt(&ok);
        if (ok) m_host->calibration().setValue(kAxisPoints[i], value);
    }
}

} // namespace qzx
