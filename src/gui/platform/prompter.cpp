#include "platform/prompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QStringList>

namespace qzx {

namespace {

Prompter::Answer runMessageBox(QWidget* parent, const QString& title, const QString& text,
                               Prompter::Icon icon, Prompter::Buttons buttons,
                               std::optional<QPoint> topLeft) {
    using Icon = Prompter::Icon;
    using Buttons = Prompter::Buttons;
    using Answer = Prompter::Answer;
    QMessageBox box(parent);
    if (topLeft) box.move(*topLeft);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

} // namespace

Prompter::Answer DialogPrompter::message(QWidget* parent, const QString& title, const QString& text,
                                         Icon icon, Buttons buttons) {
    return runMessageBox(parent, title, text, icon, buttons, std::nullopt);
}

Prompter::Answer DialogPrompter::messageAt(QWidget* parent, QPoint topLeft, const QString& title,
                                           const QString& text, Icon icon, Buttons buttons) {
    return runMessageBox(parent, title, text, icon, buttons, topLeft);
}

std::optional<QString> DialogPrompter::inputText(QWidget* parent, const QString& title,
                                                 const QString& prompt, const QString& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

QString DialogPrompter::openFileName(QWidget* parent, const QString& title, const QString& folder,
                                     const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, folder, toQtFilter(filter));
}

QString DialogPrompter::saveFileName(QWidget* parent, const QString& title, const QString& fileName,
                                     const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, fileName, toQtFilter(filter));
}

std::optional<QColor> DialogPrompter::chooseColor(QWidget* parent, const QString& title,
                                                  const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent, title);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

bool DialogPrompter::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool DialogPrompter::setUpPage(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

int DialogPrompter::showModal(QDialog& window) {
    return window.exec();
}

void DialogPrompter::beep() {
    QApplication::beep();
}

void ErrorSignal(Prompter& prompter, int times) {
    for (int i = 0; i < times; ++i)
        prompter.beep();
}

namespace {

/// The patterns of a filter as Linux file names need them: "*.*" (every file on the desktop
/// the filters were written for) is "*", so names without a dot show too; and an extension
/// is matched in capitals and in small letters, since "toluene.msd" is as much a structure
/// file as "TOLUENE.MSD".
QString linuxPatterns(const QString& patterns) {
    QStringList out;
    for (const QString& pattern : patterns.split(u';', Qt::SkipEmptyParts)) {
        const QString p = pattern.trimmed();
        if (p == QStringLiteral("*.*") || p == QStringLiteral("*")) {
            out << QStringLiteral("*");
            continue;
        }
        for (const QString& variant : {p, p.toUpper(), p.toLower()})
            if (!out.contains(variant)) out << variant;
    }
    return out.join(u' ');
}

} // namespace

QString toQtFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i].trimmed();
        const QString patterns = linuxPatterns(parts[i + 1]);
        if (!label.contains(u'('))
            label += QStringLiteral(" (%1)").arg(patterns);
        else
            label = label.section(u'(', 0, 0).trimmed() + QStringLiteral(" (%1)").arg(patterns);
        filters << label;
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace qzx
