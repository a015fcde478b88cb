// The label sheets of the glabels template database (Debian's glabels-data):
// thousands of makers' products, read as sheet layouts beside the built-in
// ones.
#pragma once

#include <string>
#include <vector>

#include "nubora/logic/sheet_layout.h"

namespace nubora {

// Where glabels-data installs its templates.
inline constexpr const char* kGlabelsTemplatesFolder = "/usr/share/libglabels-3.0/templates";

// What reading a template folder gave.
struct GlabelsTemplates {
    // The sheets offered, sorted by name, every name once.
    std::vector<SheetLayout> layouts;
    // Templates found in the files that could be read.
    int templates = 0;
    // Templates not offered because their labels are not rectangles laid out
    // in one grid (round, elliptic and CD labels, sheets of several grids).
    int skippedShapes = 0;
    // Templates not offered for any other reason: an unknown paper name, a
    // missing or circular equivalent, a length that cannot be read, a sheet
    // that ValidateSheetGeometry refuses, or a name taken by an earlier one.
    int skippedOthers = 0;
    // Template files that are not well-formed glabels template XML.
    int skippedFiles = 0;
};

// Reads every "*-templates.xml" file in `folder`, with the paper sizes of
// its "paper-sizes.xml", through libxml2 (no network, no entity
// substitution). Each template becomes a layout named brand-part, lower
// case, every run of characters other than letters, digits, '.' and '_'
// turned into one '-' ("Hisago" "ELM006" → "hisago-elm006"); its description
// is the template's own, or its equivalent's. A template with an `equiv`
// takes the paper and labels of the template of that part of the same brand.
// The margin is the label's Markup-margin (0 without one); the waste around
// labels is not part of them. Lengths may be given in pt, in, mm, cm or pc;
// a number alone is points. A missing folder gives no layouts; a file that is
// not well-formed is skipped, the others still read. Never fails.
GlabelsTemplates ReadGlabelsTemplates(const std::string& folder = kGlabelsTemplatesFolder);

// The sheets to choose from: the built-in ones (BuiltInSheetLayouts) followed
// by those of `glabels`, less any whose name a built-in sheet already has.
std::vector<SheetLayout> AvailableSheetLayouts(const GlabelsTemplates& glabels);

}  // namespace nubora
