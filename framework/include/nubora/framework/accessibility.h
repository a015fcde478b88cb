// What a screen reader is told about the controls. Most labels of the screens
// are painted into their background pictures, so the controls carry the
// label texts as accessible names (Dialog::SetAccessibleName). Three kinds of
// control need an accessible interface of the program's own: a drop-down
// list is named after its label, not after the item it shows; the up-down
// control is a spin box with a value; a picture area is an image.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

namespace nubora::fw {

// Makes Qt's accessibility use the interfaces above. Safe to call any number
// of times; Dialog's constructor calls it, before any control exists.
void InstallAccessibleInterfaces();

// The accessible name of a control with the visible label `label`: the label
// without a trailing colon ("誤り訂正レベル：" → "誤り訂正レベル").
QString NameOfLabel(const QString& label);

// The lines of `text` (LF between them), each after its label from `labels`
// in order: "： M(15%)" after "誤り訂正レベル" reads "誤り訂正レベル： M(15%)".
// Lines beyond the labels stay as they are; a final empty line is dropped.
QString LabelledLines(const QStringList& labels, const QString& text);

// An area on which its dialog paints a picture; it paints nothing itself and
// takes no input. A screen reader meets it as an image named by its
// accessible name.
class PictureArea final : public QWidget {
public:
    explicit PictureArea(QWidget* parent = nullptr);
};

}  // namespace nubora::fw
