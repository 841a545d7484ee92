// TKeyWordWindow: the small yellow note that shows the beginning of a help text beside the
// keyword list. It never takes the focus or the mouse.
#pragma once

#include <QWidget>

#include <sstream>
#include <string>

namespace kyr {

class TKeyWordWindow : public QWidget {
public:
    /// The most text the note shows, in bytes of UTF-8.
    static constexpr int MaxTextLength = 1024;

    /// A top-level note owned by owner: it is destroyed with it.
    explicit TKeyWordWindow(QWidget *owner);
    ~TKeyWordWindow() override;

    /// Width in pixels at which the text is wrapped.
    int PopupWidth = 250;
    /// Screen position of the top left corner.
    int PopupX = 10;
    int PopupY = 20;

    /// The text shown.
    const std::string &Text() const { return FText; }
    /// Shows the first MaxTextLength bytes of the stream's whole content (wherever its
    /// position is) at PopupX, PopupY; none: nothing.
    void ShowStream(const std::stringstream *stream);
    /// Sizes the note to its wrapped text, keeps it on the screen and shows it without
    /// activating it.
    void PlacePopup();
    void HidePopup();
    /// While on, the note hides when the program stops being the active application (its
    /// owner is active then).
    void HideWhenApplicationInactive(bool on);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString DisplayText() const;
    std::string FText;
    QMetaObject::Connection FDeactivation;
};

} // namespace kyr
