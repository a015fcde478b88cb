// The first sheet of a run of labels, drawn at its true proportions: the
// paper, the labels with their rounded corners, each label's code module by
// module and its caption. Only shows what it is given.
#pragma once

#include "nubora/logic/sheet_job.h"

#include <QPainterPath>
#include <QWidget>

#include <vector>

namespace nubora {

class SheetPreview final : public QWidget {
public:
    explicit SheetPreview(QWidget* parent = nullptr);

    // Shows `labels` on `layout`'s paper; the labels not given stay empty
    // outlines.
    void SetSheet(const SheetLayout& layout, std::vector<PreviewLabel> labels);
    // Shows nothing but an empty area.
    void Clear();

    // The labels shown, for tests.
    const std::vector<PreviewLabel>& Labels() const { return labels_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool shown_ = false;
    SheetLayout layout_;
    std::vector<PreviewLabel> labels_;
    // The code of each of `labels_` as one path, a module 1 across.
    std::vector<QPainterPath> codes_;
};

}  // namespace nubora
