#include "app/tool_panel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

#include "app/element_pages.h"
#include "app/screen_fit.h"
#include "chem/element_table.h"
#include "render/tool_icons.h"

namespace qzx {
namespace {

/// Sizes of the layout designed for an 800 x 600 screen, in pixels before fitting.
constexpr int kToolButtonSize = 26;
constexpr int kElementButtonHeight = 20;

struct ToolButtonDesign {
    int tag;
    const char* hint;
    const char* caption; ///< empty for tools that show a picture
};

// Rings, bonds and the chain show pictures; groups and atoms show captions.
constexpr ToolButtonDesign kToolButtons[] = {
    {1, "Cyclohexane", ""},
    {2, "Benzene", ""},
    {3, "Cyclopentane", ""},
    {4, "Cyclohexane", ""},
    {5, "Benzene", ""},
    {6, "Cyclopentane", ""},
    {7, "Single Bond", ""},
    {8, "Double Bond", ""},
    {9, "Triple Bond", ""},
    {10, "Add Alkyl Chain", ""},
    {11, "Add R Group", "--R"},
    {12, "Add Hydroxyl Group", "-OH"},
    {13, "Add Amino Group", "-NH2"},
    {14, "Add Keto Function", "=O"},
    {15, "Add Nitro Group", "-NO2"},
    {16, "Add Chlorine Atom", "--Cl"},
    {17, "Add Fluorine Atom", "--F"},
    {18, "Add Bromine Atom", "-Br"},
    {19, "Add Iodine Atom", "--I"},
    {20, "Add Sulfhydryl Group", "-SH"},
    {21, "Add A Deuterium Atom", "-D"},
};

/// Names for assistive tools that tell the two templates of a ring apart.
QString accessibleToolName(int tag, const QString& hint) {
    switch (tag) {
    case 1:
        return QStringLiteral("Cyclohexane (upright)");
    case 2:
        return QStringLiteral("Benzene (upright)");
    case 3:
        return QStringLiteral("Cyclopentane (apex up)");
    case 4:
        return QStringLiteral("Cyclohexane (lying)");
    case 5:
        return QStringLiteral("Benzene (lying)");
    case 6:
        return QStringLiteral("Cyclopentane (apex down)");
    default:
        return hint;
    }
}

int scaled(int pixels, double factor) {
    return static_cast<int>(pixels * factor + 0.5);
}

} // namespace

ToolPanel::ToolPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel1"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(1);
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);

    int row = 0, column = 0;
    for (const ToolButtonDesign& design : kToolButtons) {
        auto* b = new QToolButton(this);
        const QString hint = QString::fromLatin1(design.hint);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(design.tag));
        b->setProperty("tag", design.tag);
        b->setCheckable(true);
        b->setToolTip(hint);
        b->setAccessibleName(accessibleToolName(design.tag, hint));
        if (design.tag <= 10)
            b->setIcon(toolIcon(design.tag, 40));
        else
            b->setText(QString::fromLatin1(design.caption));
        if (design.tag == 11) m_rGroupButton = b;
        m_group->addButton(b);
        connect(b, &QToolButton::clicked, this, [this, tag = design.tag] { emit toolChosen(tag); });
        // Rings and bonds three to a row, groups and atoms two to a row.
        const bool picture = design.tag <= 10;
        if (design.tag == 11 && column) ++row, column = 0;
        grid->addWidget(b, row, column * (picture ? 2 : 3), 1, picture ? 2 : 3);
        if (++column == (picture ? 3 : 2)) column = 0, ++row;
    }
    if (column) ++row;
    m_group->buttons().first()->setChecked(true);

    for (int t = 1; t <= kElementButtons; ++t) {
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(21 + t));
        b->setProperty("tag", t);
        b->setProperty("element", true);
        b->setCheckable(true);
        m_group->addButton(b);
        m_elementButtons << b;
        connect(b, &QToolButton::clicked, this,
                [this, t] { emit elementChosen(elementOnButton(m_elementPage, t)); });
        grid->addWidget(b, row + (t - 1) / 3, ((t - 1) % 3) * 2, 1, 2);
    }
    row += kElementButtons / 3;

    auto* down = new QToolButton(this);
    down->setObjectName(QStringLiteral("SpinButton1Down"));
    down->setArrowType(Qt::DownArrow);
    down->setAccessibleName(QStringLiteral("Previous Element Page"));
    auto* up = new QToolButton(this);
    up->setObjectName(QStringLiteral("SpinButton1Up"));
    up->setArrowType(Qt::UpArrow);
    up->setAccessibleName(QStringLiteral("Next Element Page"));
    connect(up, &QToolButton::clicked, this, [this] { turnPage(true); });
    connect(down, &QToolButton::clicked, this, [this] { turnPage(false); });
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("Label1"));
    m_pageLabel->setAccessibleDescription(QStringLiteral("Element Page"));
    grid->addWidget(down, row, 0, 1, 2);
    grid->addWidget(m_pageLabel, row, 2, 1, 2, Qt::AlignCenter);
    grid->addWidget(up, row, 4, 1, 2);
    grid->setRowStretch(row + 1, 1);
    showElementPage();
}

void ToolPanel::setRGroupName(const QString& name) {
    m_rGroupButton->setToolTip(QStringLiteral("Add R Group = ") + name);
}

void ToolPanel::applyFit(const ScreenFit& fit) {
    const double s = fit.contentScale;
    for (QAbstractButton* button : m_group->buttons()) {
        const int tag = button->property("tag").toInt();
        if (button->property("element").toBool()) {
            button->setFixedSize(scaled(kToolButtonSize, s), scaled(kElementButtonHeight, s));
            continue;
        }
        button->setFixedSize(scaled(kToolButtonSize, s) * (tag >= 11 ? 3 : 2) / 2,
                             scaled(kToolButtonSize, s));
        if (tag <= 10) button->setIconSize(QSize(scaled(20, s), scaled(20, s)));
        if (fit.smallGroupCaptions && tag >= 12) {
            QFont f = button->font();
            f.setPointSize(7);
            button->setFont(f);
        }
    }
}

void ToolPanel::turnPage(bool up) {
    m_elementPage = nextElementPage(m_elementPage, up);
    showElementPage();
}

void ToolPanel::showElementPage() {
    m_pageLabel->setText(QStringLiteral("  %1").arg(m_elementPage));
    m_pageLabel->setAccessibleName(m_pageLabel->text());
    for (int t = 1; t <= kElementButtons; ++t) {
        const int element = elementOnButton(m_elementPage, t);
        QToolButton* b = m_elementButtons[t - 1];
        b->setText(QString::fromLatin1(elementButtonCaption(element, elementSymbol(element))));
        b->setToolTip(QString::fromLatin1(elementName(element)));
        b->setAccessibleName(QString::fromLatin1(elementName(element)));
    }
}

} // namespace qzx
