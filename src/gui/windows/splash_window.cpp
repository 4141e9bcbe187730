#include "windows/splash_window.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace qzx {

namespace {

QLabel* addLine(QWidget* parent, QVBoxLayout* layout, const QString& name, const QString& text,
                const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(font);
    layout->addWidget(label);
    return label;
}

QFont titleFont(int points) {
    QFont font(QStringLiteral("Times New Roman"), points, QFont::Bold);
    font.setItalic(true);
    return font;
}

} // namespace

SplashWindow::SplashWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TSplash"));
    setWindowTitle(QStringLiteral("QZX Pro"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(32, 20, 32, 20);
    panelLayout->setSpacing(4);

    // The product title in two parts, each with its trailing blank as designed.
    QLabel* first = addLine(panel, panelLayout, QStringLiteral("Label1"), QStringLiteral("Quorin "),
                            titleFont(36));
    QLabel* second = addLine(panel, panelLayout, QStringLiteral("Label2"),
                             QStringLiteral("Professional "), titleFont(28));
    QPalette titlePalette = first->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    first->setPalette(titlePalette);
    second->setPalette(titlePalette);
    panelLayout->addSpacing(12);
    addLine(panel, panelLayout, QStringLiteral("Label3"), QStringLiteral("Version 4.0 for Linux"),
            QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    addLine(panel, panelLayout, QStringLiteral("Label4"),
            QStringLiteral("Structures, fragments, isotope patterns and mass spectra"),
            QFont(QStringLiteral("Arial"), 10));

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKBtn"));
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(panel);
    layout->addWidget(m_okButton, 0, Qt::AlignHCenter);
}

void SplashWindow::showWithoutWaiting() {
    show();
    raise();
    repaint();
    // Let the window system map the window and deliver its first expose before start-up
    // goes on, so the start screen is visible at once.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString SplashWindow::buttonCaption() const {
    return m_okButton->text();
}

void SplashWindow::setButtonCaption(const QString& caption) {
    m_okButton->setText(caption);
}

void SplashWindow::mouseReleaseEvent(QMouseEvent* event) {
    // The texts and the panel do not take mouse clicks, so a click on any of them arrives here
    // as well as a click on the window itself.
    if (event->button() == Qt::LeftButton) {
        accept();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

void SplashWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen();
}

void SplashWindow::centreOnScreen() {
    const QScreen* target = screen();
    if (target == nullptr) return;
    const QRect area = target->availableGeometry();
    const QSize size = frameGeometry().size();
    move(area.x() + (area.width() - size.width()) / 2,
         area.y() + (area.height() - size.height()) / 2);
}

} // namespace qzx
