// A child form's window place in the settings. The main window wraps each form into an MDI
// sub-window after creating it, and the MDI area moves and sizes a new sub-window until it is
// shown; so the place goes on the frame when that is first shown, and only resizes of that frame
// are taken back into the settings.
#pragma once

#include "SettingsFormats.h"

#include <QObject>

class QWidget;

namespace kyr {

/// The frame whose place is kept: the MDI sub-window holding the form, else the form itself.
QWidget *FormFrame(QWidget *form);
/// The frame's bounds and state as the settings keep them.
TWindowFrame FrameOf(const QWidget *frame);
/// Gives the frame the state and, in the normal state, the bounds.
void ApplyFrame(QWidget *frame, const TWindowFrame &place);

/// Keeps the place of one form: put on its frame when that is first shown, taken back once each
/// resize is over and when the form closes. It watches the form and the frame itself.
class TFramePlace : public QObject {
public:
    /// place must outlive the keeper; the keeper is a child of form.
    TFramePlace(QWidget *form, TWindowPlace &place);

    QWidget *Frame() const { return FormFrame(FForm); }
    /// Puts the frame where the place says.
    void Restore();
    /// Takes the frame's place into the settings.
    void Store();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void StoreAfterResize();

    QWidget *FForm;
    TWindowPlace &FPlace;
    // The frame the place was last put on; resizes of another frame (a sub-window fitting
    // itself around the form before the place is restored) must not overwrite the place.
    QWidget *FRestoredFrame = nullptr;
    bool FRestoring = false;
    bool FStorePending = false;
};

} // namespace kyr
