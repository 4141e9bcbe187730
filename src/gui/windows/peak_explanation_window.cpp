#include "windows/peak_explanation_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "windows/window_steering.h"

namespace qzx {
namespace {

constexpr int kFragmentRole = Qt::UserRole + 1; ///< index into the explanation's fragments

QString text(const std::string& s) {
    return QString::fromStdString(s).trimmed();
}

QString transferText(int shift) {
    if (shift == 0) return QStringLiteral("no hydrogen transfer");
    return (shift > 0 ? QStringLiteral("+") : QStringLiteral("-")) +
           QString::number(std::abs(shift)) + QStringLiteral(" H");
}

} // namespace

PeakExplanationWindow::PeakExplanationWindow(StructureDisplay* structure, QWidget* parent)
    : QDialog(parent), m_structure(structure) {
    setObjectName(QStringLiteral("PeakExplanation"));
    setWindowTitle(QStringLiteral("Explain Peak"));
    resize(520, 460);
    auto* layout = new QVBoxLayout(this);
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("Heading"));
    layout->addWidget(m_heading);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("Explanation"));
    m_tree->setColumnCount(3);
    m_tree->setHeaderLabels(
        {QStringLiteral("Mass"), QStringLiteral("Explanation"), QStringLiteral("Detail")});
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_tree, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // A picked fragment is marked on the structure.
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!item || !m_structure) return;
        const QVariant index = item->data(0, kFragmentRole);
        if (!index.isValid()) return;
        const auto i = static_cast<std::size_t>(index.toInt());
        if (i < m_explanation.fragments.size())
            m_structure->showFragmentAtoms(m_explanation.fragments[i].atoms);
    });
}

void PeakExplanationWindow::showExplanation(const PeakExplanation& explanation) {
    m_explanation = explanation;
    m_tree->clear();
    m_heading->setText(QStringLiteral("m/z %1, abundance %2, molecular ion %3")
                           .arg(static_cast<double>(explanation.peakMass))
                           .arg(static_cast<double>(explanation.abundance))
                           .arg(explanation.moleculeMass));
    const auto section = [this](const QString& title, std::size_t count) {
        auto* item = new QTreeWidgetItem(m_tree, {title, QStringLiteral("%1").arg(count)});
        item->setExpanded(true);
        QFont bold = item->font(0);
        bold.setBold(true);
        item->setFont(0, bold);
        return item;
    };
    QTreeWidgetItem* fragments = section(QStringLiteral("Fragments"), explanation.fragments.size());
    for (std::size_t i = 0; i < explanation.fragments.size(); ++i) {
        const ExplainedFragment& f = explanation.fragments[i];
        auto* row = new QTreeWidgetItem(
            fragments, {QString::number(f.mass), text(f.formula), transferText(f.hydrogenShift)});
        row->setData(0, kFragmentRole, static_cast<int>(i));
    }
    QTreeWidgetItem* compositions =
        section(QStringLiteral("Compositions"), explanation.compositions.size());
    for (const ExplainedComposition& c : explanation.compositions)
        new QTreeWidgetItem(compositions, {QString::number(c.exactMass, 'f', 4), text(c.formula),
                                           QStringLiteral("error %1").arg(c.error, 0, 'f', 4)});
    if (explanation.compositionsLeftOut > 0)
        new QTreeWidgetItem(
            compositions,
            {QString(), QStringLiteral("%1 more not listed").arg(explanation.compositionsLeftOut)});
    QTreeWidgetItem* losses = section(QStringLiteral("Losses from M"), explanation.losses.size());
    for (const ExplainedLoss& l : explanation.losses)
        new QTreeWidgetItem(losses, {QStringLiteral("M - %1").arg(l.mass),
                                     QString::fromStdString(l.name), text(l.source)});
    QTreeWidgetItem* clusters =
        section(QStringLiteral("Isotope clusters"), explanation.clusters.size());
    for (const ExplainedCluster& c : explanation.clusters) {
        auto* cluster = new QTreeWidgetItem(
            clusters, {QString(), text(c.formula), transferText(c.hydrogenShift)});
        cluster->setExpanded(true);
        for (const ClusterLine& line : c.lines)
            new QTreeWidgetItem(
                cluster,
                {QString::number(line.mass),
                 QStringLiteral("predicted %1").arg(static_cast<double>(line.predicted), 0, 'f', 1),
                 QStringLiteral("observed %1").arg(static_cast<double>(line.observed), 0, 'f', 1)});
    }
}

} // namespace qzx
