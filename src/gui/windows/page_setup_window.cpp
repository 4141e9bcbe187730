#include "windows/page_setup_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/help_browser.h"
#include "platform/prompter.h"
#include "state/app_state.h"
#include "windows/dialog_buttons.h"

namespace qzx {
namespace {

constexpr int kHelpContext = 1065;

} // namespace

/// The sheet in miniature: one pixel per page unit, the image area cross-hatched in grey, the
/// header, date and composition labels where the printout puts them.
class PagePreviewView : public QWidget {
public:
    explicit PagePreviewView(PageSetupWindow& window) : m_window(window) {
        setObjectName(QStringLiteral("Image1"));
        setFixedSize(kPageSetupMax + 2, kPageSetupMax + 2);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        const PageSetup setup = m_window.setup();
        const PageUnits units = pageUnitsFor(setup.orientation);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, units.width, units.height);
        const PagePreview preview = pagePreview(setup);
        const QRect image(preview.image.left, preview.image.top, preview.image.width,
                          preview.image.height);
        painter.fillRect(image, QBrush(QColor(128, 128, 128), Qt::DiagCrossPattern));
        QFont small(QStringLiteral("Arial"));
        small.setPixelSize(8);
        painter.setFont(small);
        painter.setPen(QColor(0, 0, 128));
        if (!preview.headerLabel.empty())
            painter.drawText(QPoint(units.width / 2 - 20, 10),
                             QString::fromStdString(preview.headerLabel));
        if (preview.dateShown)
            painter.drawText(QPoint(units.width / 2 - 14, preview.dateTop + 6),
                             QStringLiteral("<Date>"));
        if (preview.compositionShown) {
            painter.drawText(QPoint(units.width / 10, units.height * 9 / 10),
                             QStringLiteral("<Compo>"));
            painter.drawText(QPoint(units.width * 7 / 10, units.height * 9 / 10),
                             QStringLiteral("<Mass>"));
        }
    }

private:
    PageSetupWindow& m_window;
};

PageSetupWindow::PageSetupWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_app(context.state), m_prompter(context.prompter), m_help(context.help) {
    setObjectName(QStringLiteral("TPageForm"));
    setWindowTitle(QStringLiteral("Print"));
    auto* layout = new QHBoxLayout(this);
    auto* controls = new QVBoxLayout;
    auto* numbers = new QGridLayout;
    const auto spin = [&](const char* name, const QString& caption, int row) {
        auto* box = new QSpinBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(kPageSetupMin, kPageSetupMax);
        box->findChild<QLineEdit*>()->setReadOnly(true); // the arrows only
        numbers->addWidget(new QLabel(caption, this), row, 0);
        numbers->addWidget(box, row, 1);
        connect(box, &QSpinBox::valueChanged, this, [this] { refresh(); });
        return box;
    };
    m_top = spin("SpinEdit1", QStringLiteral("Top:"), 0);
    m_left = spin("SpinEdit2", QStringLiteral("Left:"), 1);
    m_height = spin("SpinEdit3", QStringLiteral("Height:"), 2);
    m_width = spin("SpinEdit4", QStringLiteral("Width:"), 3);
    controls->addLayout(numbers);

    auto* orientation = new QGroupBox(this);
    auto* orientationLayout = new QHBoxLayout(orientation);
    m_portrait = new QRadioButton(QStringLiteral("Portrait"), orientation);
    m_portrait->setObjectName(QStringLiteral("RadioButton4"));
    m_landscape = new QRadioButton(QStringLiteral("Landscape"), orientation);
    m_landscape->setObjectName(QStringLiteral("RadioButton5"));
    orientationLayout->addWidget(m_portrait);
    orientationLayout->addWidget(m_landscape);
    controls->addWidget(orientation);
    connect(m_portrait, &QRadioButton::toggled, this, [this](bool on) {
        if (!m_showing) setOrientation(on ? PageOrientation::Portrait : PageOrientation::Landscape);
    });

    auto* header = new QGroupBox(this);
    auto* headerLayout = new QVBoxLayout(header);
    m_filename = new QRadioButton(QStringLiteral("Filename"), header);
    m_filename->setObjectName(QStringLiteral("RadioButton1"));
    m_none = new QRadioButton(QStringLiteral("None"), header);
    m_none->setObjectName(QStringLiteral("RadioButton2"));
    m_custom = new QRadioButton(QStringLiteral("Custom"), header);
    m_custom->setObjectName(QStringLiteral("RadioButton3"));
    m_header = new QLineEdit(QStringLiteral("Header"), header);
    m_header->setObjectName(QStringLiteral("Edit1"));
    for (QWidget* w : std::initializer_list<QWidget*>{m_filename, m_none, m_custom, m_header})
        headerLayout->addWidget(w);
    controls->addWidget(header);
    for (QRadioButton* b : {m_filename, m_none, m_custom})
        connect(b, &QRadioButton::toggled, this, [this] { refresh(); });
    m_date = new QCheckBox(QStringLiteral("Show Date"), this);
    m_date->setObjectName(QStringLiteral("CheckBox1"));
    m_composition = new QCheckBox(QStringLiteral("Show Composition && Mass"), this);
    m_composition->setObjectName(QStringLiteral("CheckBox2"));
    controls->addWidget(m_date);
    controls->addWidget(m_composition);
    for (QCheckBox* b : {m_date, m_composition})
        connect(b, &QCheckBox::toggled, this, [this] { refresh(); });

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name, const QString& caption, auto slot) {
        addCommandButton(this, buttons, name, caption, slot);
    };
    button("Button1", QStringLiteral("OK"), [this] { accept(); });
    button("Button2", QStringLiteral("Cancel"), [this] { reject(); });
    button("Button3", QStringLiteral("Help"), [this] { m_help.showContext(kHelpContext); });
    button("Button4", QStringLiteral("Defaults"), [this] {
        showSetup(pageSetupDefaults(m_app.settings, m_composition->isEnabled(), setup()));
        setOrientation(setup().orientation);
    });
    controls->addLayout(buttons);
    layout->addLayout(controls);
    m_preview = new PagePreviewView(*this);
    layout->addWidget(m_preview);

    const PageSetup initial = pageSetupOnCreation(m_app.settings);
    showSetup(initial);
}

PageSetup PageSetupWindow::setup() const {
    PageSetup s;
    s.top = m_top->value();
    s.left = m_left->value();
    s.height = m_height->value();
    s.width = m_width->value();
    s.orientation =
        m_portrait->isChecked() ? PageOrientation::Portrait : PageOrientation::Landscape;
    s.header = m_none->isChecked()     ? PageHeader::None
               : m_custom->isChecked() ? PageHeader::Custom
                                       : PageHeader::Filename;
    s.customHeader = m_header->text().toStdString();
    s.showDate = m_date->isChecked();
    s.showCompositionAndMass = m_composition->isEnabled() && m_composition->isChecked();
    return s;
}

PagePreview PageSetupWindow::preview() const {
    return pagePreview(setup());
}

void PageSetupWindow::showSetup(const PageSetup& s) {
    m_showing = true;
    m_top->setValue(s.top);
    m_left->setValue(s.left);
    m_height->setValue(s.height);
    m_width->setValue(s.width);
    m_portrait->setChecked(s.orientation == PageOrientation::Portrait);
    m_landscape->setChecked(s.orientation == PageOrientation::Landscape);
    m_filename->setChecked(s.header == PageHeader::Filename);
    m_none->setChecked(s.header == PageHeader::None);
    m_custom->setChecked(s.header == PageHeader::Custom);
    m_header->setText(QString::fromStdString(s.customHeader));
    m_date->setChecked(s.showDate);
    m_composition->setChecked(s.showCompositionAndMass);
    m_showing = false;
    refresh();
}

void PageSetupWindow::setOrientation(PageOrientation orientation) {
    m_app.print.printer().setPageOrientation(
        orientation == PageOrientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    const PageUnits units = pageUnitsFor(orientation);
    m_app.print.pageWidthUnits = units.width;
    m_app.print.pageHeightUnits = units.height;
    refresh();
}

void PageSetupWindow::refresh() {
    if (m_showing) return;
    m_header->setEnabled(m_custom->isChecked());
    m_preview->update();
}

std::optional<PageSetup> PageSetupWindow::ask(bool structurePage, const QString& customHeader) {
    m_composition->setEnabled(structurePage);
    if (structurePage) m_header->setText(customHeader);
    // The orientation follows the printer's.
    m_showing = true;
    const bool portrait = m_app.print.printer().pageLayout().orientation() == QPageLayout::Portrait;
    m_portrait->setChecked(portrait);
    m_landscape->setChecked(!portrait);
    m_showing = false;
    refresh();
    const int result = m_prompter.showModal(*this);
    const PageSetup chosen = setup();
    if (structurePage) m_header->setText(QStringLiteral("Header"));
    if (result != QDialog::Accepted) return std::nullopt;
    return chosen;
}

} // namespace qzx
