// The choices of the code settings as the dialogs that offer them list them:
// the settings dialog and the sheet dialog fill their lists from here, so
// that an item's index is the setting's value in both.
#pragma once

class QComboBox;

namespace nubora {

// Appends 従来形式 and 標準形式 to `list`, in the order of PayloadForm.
void AddFormItems(QComboBox& list);

// Appends the error correction levels L(7%) … H(30%), the item at index i
// being level i + 1.
void AddLevelItems(QComboBox& list);

// Appends the cell sizes 0.25 … 0.6, the item at index i being cell size
// index i.
void AddCellSizeItems(QComboBox& list);

// Appends the versions 1 … 15, the item at index i being version i + 1.
void AddVersionItems(QComboBox& list);

// The highest version the screens and the sheets offer.
inline constexpr int kHighestOfferedVersion = 15;

}  // namespace nubora
