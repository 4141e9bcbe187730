#include "windows/loss_window.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "chem/neutral_losses.h"
#include "state/app_state.h"
#include "windows/command_handlers.h"

namespace qzx {

LossWindow::LossWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_app(context.state) {
    setObjectName(QStringLiteral("TLossForm"));
    setWindowTitle(QStringLiteral("Loss of ..."));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* sum = new QHBoxLayout;
    const auto field = [&](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setFixedWidth(60);
        sum->addWidget(edit);
        return edit;
    };
    m_molecular = field("Edit1");
    sum->addWidget(new QLabel(QStringLiteral("-"), this));
    m_loss = field("Edit2");
    sum->addWidget(new QLabel(QStringLiteral("="), this));
    m_result = field("Edit3");
    m_result->setReadOnly(true);
    layout->addLayout(sum);
    m_stayOnTop = new QCheckBox(QStringLiteral("Stay on Top"), this);
    m_stayOnTop->setObjectName(QStringLiteral("CheckBox1"));
    layout->addWidget(m_stayOnTop);
    auto* buttons = new QHBoxLayout;
    auto* common = new QPushButton(QStringLiteral("Common"), this);
    common->setObjectName(QStringLiteral("Button1"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Button2"));
    for (QPushButton* b : {common, close}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    m_common = new QMenu(this);
    m_common->setObjectName(QStringLiteral("PopupMenu1"));
    for (const CommonLoss& loss : CommonLosses()) {
        const QString name =
            QString::fromUtf8(loss.name.data(), static_cast<int>(loss.name.size()));
        m_common->addAction(name, this, [this, mass = loss.mass] {
            m_loss->setText(QString::number(mass));
            compute();
        });
    }
    m_common->addAction(QStringLiteral("<Cancel>"));

    connect(m_loss, &QLineEdit::textEdited, this, [this] { compute(); });
    m_loss->installEventFilter(this);
    m_molecular->installEventFilter(this);
    connect(common, &QPushButton::clicked, this,
            [this] { m_common->popup(mapToGlobal(QPoint(10, 10))); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_stayOnTop, &QCheckBox::toggled, this, [this](bool on) {
        const bool shown = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, on);
        if (shown) show(); // changing a window's flags hides it
    });
}

void LossWindow::registerCommands(CommandHandlers& handlers) {
    handlers.add("m3Loss", [this] {
        takeStructureMass();
        show();
        raise();
        activateWindow();
    });
}

void LossWindow::takeStructureMass() {
    const StructureMasses& masses = m_app.structureMasses;
    m_molecular->setText(QString::number(
        LossWindowMolecularMass(masses.nominalMass, masses.monoMass, m_app.UseAccurateMass)));
}

void LossWindow::compute() {
    const std::optional<std::string> result =
        ComputeLoss(m_molecular->text().toStdString(), m_loss->text().toStdString());
    if (result) m_result->setText(QString::fromStdString(*result));
}

void LossWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) takeStructureMass();
    QDialog::changeEvent(event);
}

void LossWindow::done(int result) {
    m_loss->clear();
    m_result->clear();
    QDialog::done(result);
}

bool LossWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_loss) {
                compute(); // the focus stays in the loss field
                return true;
            }
            if (watched == m_molecular) {
                m_loss->setFocus();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qzx
