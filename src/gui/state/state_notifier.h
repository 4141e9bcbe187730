#pragma once

#include <QObject>

namespace qzx {

/// Tells the windows that one of the program's shared records changed, so that each window
/// follows the records it shows without holding pointers to the windows that change them.
/// Whoever changes a record emits its signal once the change is complete.
class StateNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    /// The drawn structure, its composition text or its mass changed.
    void structureChanged();
    /// A preference changed (the preferences window, a loaded R group name).
    void settingsChanged();
    /// The element table changed (the element editor).
    void elementsChanged();
    /// An autofragment run filled the fragment table afresh.
    void fragmentsChanged();
    /// The spectrum or its comparison results changed.
    void spectrumChanged();
};

} // namespace qzx
