#pragma once

#include <QString>

namespace qzx {

/// The fragment mass window as the main window steers it: a box or region cut fills and shows
/// it; New, Draw mode, a change of the fragment shape and switching "Show BoxFrag Popup" off
/// hide it.
class FragmentMassDisplay {
public:
    virtual ~FragmentMassDisplay() = default;
    /// Shows the two values, the second under `secondCaption`, without blocking the caller.
    virtual void showFragmentMasses(const QString& firstValue, const QString& secondCaption,
                                    const QString& secondValue) = 0;
    virtual void hideFragmentMasses() = 0;
};

/// The notice window as other windows use it: the isotope calculations' notices, each shown
/// modally after one system beep.
class NoticeDisplay {
public:
    virtual ~NoticeDisplay() = default;
    virtual void showNotice(const QString& text) = 0;
};

} // namespace qzx
