// The dialog base every window of the program is built on: a QDialog that
// places its controls at template rectangles, finds them by control id,
// connects handlers by id (the message map), lets a subclass see every event
// of itself and its controls before they are delivered (PreTranslateMessage),
// exchanges data between controls and members, and names the controls for
// screen readers.
#pragma once

#include "nubora/framework/data_exchange.h"
#include "nubora/framework/dialog_units.h"
#include "nubora/text/charset.h"

#include <QDialog>
#include <QHash>
#include <QImage>

#include <functional>
#include <span>
#include <string>

class QEventLoop;

namespace nubora::fw {

class Dialog : public QDialog {
public:
    // `templateId` names the dialog's template. The dialog font is set here;
    // the window's contents are made by Create (OnInitDialog).
    explicit Dialog(int templateId, QWidget* parent = nullptr);
    ~Dialog() override;

    int TemplateId() const { return templateId_; }

    // Makes the window's contents once (OnInitDialog) and shows the window
    // when `visible`. Later calls only show or leave it as it is.
    void Create(bool visible);
    bool IsCreated() const { return created_; }

    // Creates the dialog and runs it application-modal; the result of
    // EndDialog. With `over`, the dialog belongs to that window while it runs,
    // so that it opens over it (not at the desktop's centre).
    int DoModal(QWidget* over = nullptr);
    // Creates and shows the dialog and runs an event loop until EndDialog,
    // without making the dialog modal: the main window's loop, under which
    // modeless windows stay usable while the dialog is hidden.
    int RunModalLoop();
    // Ends DoModal or RunModalLoop with `result` and hides the window.
    void EndDialog(int result);
    // True once EndDialog has been called; its result.
    bool HasEnded() const { return ended_; }
    int EndResult() const { return endResult_; }

    // Controls. `id` must be unique within the dialog; the dialog takes
    // ownership of `control`. The template rectangle is in dialog units.
    template <class W>
    W* AddControl(int id, W* control, const QRect& templateRect)
    {
        RegisterControl(id, control, units_.ToPixels(templateRect));
        return control;
    }
    // The same with a rectangle in client pixels.
    template <class W>
    W* AddControlAtPixels(int id, W* control, const QRect& pixelRect)
    {
        RegisterControl(id, control, pixelRect);
        return control;
    }
    // The control with `id`, or null.
    QWidget* Control(int id) const { return controls_.value(id, nullptr); }
    template <class W>
    W* ControlAs(int id) const
    {
        return dynamic_cast<W*>(Control(id));
    }
    // Id of `control` (or of the registered control that contains it); 0 for none.
    int ControlId(const QWidget* control) const;
    // Id of the control that has the keyboard focus; 0 for none. A hidden
    // button given the focus by FocusButtonAt counts as focused until
    // another control takes the focus.
    int FocusedControlId() const;
    // Moves control `id` to a rectangle in client pixels.
    void MoveControl(int id, const QRect& pixelRect);
    void ShowControl(int id, bool visible);
    void EnableControl(int id, bool enabled);

    // What a screen reader says for control `id`: `name`, the text of the
    // control's visible label, whether a widget or the background shows it.
    void SetAccessibleName(int id, const QString& name);
    // For a read-only text control `id` whose lines stand beside labels that
    // the background paints: from now on its accessible description follows
    // its text, each line after its label (UTF-8, in order; LabelledLines).
    void SetLineLabels(int id, std::span<const char* const> labels);

    // Handlers by control id.
    void OnClicked(int id, std::function<void()> handler);
    void OnTextChanged(int id, std::function<void()> handler);
    // Runs when control `id` has lost the keyboard focus (the new focus is set).
    void OnFocusLost(int id, std::function<void()> handler);

    // Runs DoDataExchange in `direction`: members to controls, or controls
    // to members with the checks (FromControlsUnchecked: without them). False
    // when a check failed (already reported). While the controls are being
    // refreshed, a take is refused (false): a change handler that the refresh
    // sets off would otherwise take the fields not yet refreshed back into
    // their members. Whoever refreshes runs such follow-up work (a gauge
    // update) once the refresh is done.
    bool UpdateData(Exchange direction);

    const DialogUnits& Units() const { return units_; }
    // Fixes the client area at width × height pixels.
    void SetClientSize(int width, int height);
    // The picture under the controls, at the client area's corner. It is
    // painted (by `source`, at a device pixel ratio) when the dialog is first
    // painted, and again when the dialog's ratio changes.
    void SetBackground(std::function<QImage(qreal devicePixelRatio)> source);

protected:
    // True when the text of control `id` is the one the data exchange last
    // showed or took in `charset`: a take then gives back its member's bytes.
    bool ShowsExchangedText(int id, text::TextCharset charset) const;

    // Makes the contents: controls, pictures, initial state. Runs once.
    virtual void OnInitDialog() {}
    virtual void DoDataExchange(DataExchange&) {}
    // Sees every event for the dialog and its controls first; true consumes it.
    virtual bool PreTranslateMessage(QObject* target, QEvent* event);

    // Pointer hover over a screen of picture buttons: gives the keyboard
    // focus to the first of `buttonIds`, tested in that order, whose
    // rectangle holds `globalPointer` (screen pixels). Hidden buttons are
    // tested too: one under the pointer takes the focus from the others and
    // is then the focused control for Enter. The id of the button, 0 for none.
    int FocusButtonAt(const QPoint& globalPointer, std::span<const int> buttonIds);
    // Enter and Esc on a screen of picture buttons: Esc is swallowed; Enter
    // runs `runButton` with the id of the focused control (0 for none) and is
    // swallowed. False for any other event.
    bool FilterEnterAndEsc(const QEvent* event, const std::function<void(int)>& runButton);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;
    // Paints the background; a subclass paints over it after calling this.
    void paintEvent(QPaintEvent* event) override;

private:
    friend class DataExchange;

    // A text control's value as DataExchange last showed or took it: the
    // control's text then and the member's bytes behind it. A take that finds
    // the text unchanged gives the bytes back as they were, so that a value
    // the control cannot hold exactly (a lone CR, bytes with no CP932 code)
    // reaches the payload and the next save unchanged. The bytes count only
    // for a take in the same character set.
    struct ShownText {
        QString text;
        std::string bytes;
        text::TextCharset charset = text::TextCharset::Cp932;
    };

    void RegisterControl(int id, QWidget* control, const QRect& pixelRect);
    // False for a window of its own made inside a control (a popup menu).
    bool IsOwnWindow(const QObject* object) const;
    void Watch(QWidget* widget);

    int templateId_;
    DialogUnits units_;
    QHash<int, QWidget*> controls_;
    QHash<int, std::function<void()>> focusLost_;
    QHash<int, ShownText> shownTexts_;
    std::function<QImage(qreal)> backgroundSource_;
    QImage background_;
    // The hidden button that has the focus by hover; 0 for none.
    int hiddenFocusId_ = 0;
    QEventLoop* loop_ = nullptr;
    bool created_ = false;
    bool ended_ = false;
    bool refreshingControls_ = false;
    int endResult_ = 0;
};

}  // namespace nubora::fw
