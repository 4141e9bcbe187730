#pragma once

namespace qzx {

/// The fragment mass window as the main window steers it: New, Draw mode, a change of the
/// fragment shape and switching "Show BoxFrag Popup" off hide it.
class FragmentMassDisplay {
public:
    virtual ~FragmentMassDisplay() = default;
    virtual void hideFragmentMasses() = 0;
};

} // namespace qzx
