#include "nubora/app/code_setting_items.h"

#include "nubora/logic/shell_rules.h"

#include <QComboBox>

namespace nubora {
namespace {

// The payload forms in the order of PayloadForm.
constexpr const char* kFormItems[] = {"従来形式", "標準形式"};
constexpr int kLevelCount = 4;
constexpr int kCellSizeCount = 8;

}  // namespace

void AddFormItems(QComboBox& list)
{
    for (const char* item : kFormItems)
        list.addItem(QString::fromUtf8(item));
}

void AddLevelItems(QComboBox& list)
{
    for (int level = 1; level <= kLevelCount; ++level)
        list.addItem(QString::fromStdString(LevelText(level)));
}

void AddCellSizeItems(QComboBox& list)
{
    for (int index = 0; index < kCellSizeCount; ++index)
        list.addItem(QString::fromStdString(CellSizeText(index)));
}

void AddVersionItems(QComboBox& list)
{
    for (int v = 1; v <= kHighestOfferedVersion; ++v)
        list.addItem(QString::number(v));
}

}  // namespace nubora
