#include "windows/print_choice_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "state/app_state.h"

namespace qzx {

PrintChoiceDialog::PrintChoiceDialog(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_app(context.state) {
    setObjectName(QStringLiteral("TSpecDlgForm"));
    setWindowTitle(QStringLiteral("Print Selection"));
    auto* layout = new QHBoxLayout(this);
    const auto choice = [&](const char* name, const QString& caption, int value) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        connect(button, &QPushButton::clicked, this, [this, value] {
            m_app.spectrumPrintChoice = value;
            accept();
        });
        layout->addWidget(button);
    };
    choice("Button1", QStringLiteral("Print Report"), 1);
    choice("Button2", QStringLiteral("Print Spectrum Only"), 2);
    choice("Button3", QStringLiteral("Cancel"), 3);
}

} // namespace qzx
