// The glabels template reader: real templates of glabels-data against the
// numbers their XML gives, and a folder of small files for units,
// equivalents, names and what is skipped.
#include "nubora/logic/glabels_templates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_folder.h"

namespace nubora {
namespace {

constexpr double kPt = 25.4 / 72;

// Paper, label, radius, grid and margin of `sheet`, in millimetres.
std::vector<double> Geometry(const SheetLayout& s)
{
    return {s.paperWidthMm, s.paperHeightMm, s.labelWidthMm, s.labelHeightMm, s.cornerRadiusMm, double(s.columns),
            double(s.rows), s.leftMm,        s.topMm,        s.pitchAcrossMm, s.pitchDownMm,    s.marginMm};
}

void ExpectSheet(const std::vector<SheetLayout>& sheets, const std::string& name, const std::string& paper,
                 const std::vector<double>& geometry, const std::string& description)
{
    const auto found = FindSheetLayout(sheets, name);
    ASSERT_TRUE(found.Ok()) << name;
    EXPECT_EQ(found->paperName, paper) << name;
    EXPECT_EQ(found->description, description) << name;
    const std::vector<double> got = Geometry(*found);
    ASSERT_EQ(got.size(), geometry.size());
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], geometry[i], 1e-9) << name << " field " << i;
}

TEST(GlabelsTemplates, RealTemplatesHaveTheGeometryTheirXmlGives)
{
    const GlabelsTemplates read = ReadGlabelsTemplates();
    ASSERT_FALSE(read.layouts.empty()) << "glabels-data is not installed (scripts/install-deps.sh)";
    // hisago-templates.xml: ELG006 is equiv="ELM006", 10 labels of 86.4 × 50.8 mm.
    ExpectSheet(read.layouts, "hisago-elg006", "A4", {210, 297, 86.4, 50.8, 0, 2, 5, 18.6, 21.2, 86.4, 50.8, 0},
                "Rectangular labels");
    // hisago-templates.xml: FSCGB868, round="2mm", 2 mm between the columns.
    ExpectSheet(read.layouts, "hisago-fscgb868", "A4", {210, 297, 89, 48, 2, 2, 5, 10, 25, 91, 48, 0},
                "Rectangular labels");
    // jac-iso-templates.xml: 9642, Markup-margin size="3.2mm".
    ExpectSheet(read.layouts, "jac-9642", "A4", {210, 297, 96.5, 42.3, 0, 2, 6, 8.5, 21.6, 96.5, 42.3, 3.2},
                "Rectangular labels");
    // avery-iso-templates.xml: L7414 is equiv="7414", every length in bare points.
    ExpectSheet(
        read.layouts, "avery-l7414", "A4",
        {210, 297, 255.1 * kPt, 147.4 * kPt, 0, 2, 5, 42.51 * kPt, 52.44 * kPt, 255.1 * kPt, 147.4 * kPt, 5 * kPt},
        "Business Cards");
    // Round labels (Hisago GB3019) and CD labels (Sanwa LB-CDRJP) are not offered.
    EXPECT_FALSE(FindSheetLayout(read.layouts, "hisago-gb3019").Ok());
    EXPECT_FALSE(FindSheetLayout(read.layouts, "sanwa-lb-cdrjp").Ok());
    for (size_t i = 1; i < read.layouts.size(); ++i)
        EXPECT_LT(read.layouts[i - 1].name, read.layouts[i].name);
    EXPECT_EQ(AvailableSheetLayouts(read).size(), BuiltInSheetLayouts().size() + read.layouts.size());
}

TEST(GlabelsTemplates, ReadsUnitsAndEquivalentsAndSkipsWhatItCannotOffer)
{
    testing::TempFolder folder;
    ASSERT_TRUE(folder.Valid());
    const std::string rect = R"(<Label-rectangle id="0" width="50mm" height="100mm">)"
                             R"(<Layout nx="1" ny="1" x0="0" y0="0" dx="0" dy="0"/></Label-rectangle>)";
    ASSERT_TRUE(testing::Spill(folder / "paper-sizes.xml",
                               R"(<Glabels-paper-sizes><Paper-size id="A4" pwg_size="iso_a4" width="210mm" )"
                               R"(height="297mm"/></Glabels-paper-sizes>)"));
    ASSERT_TRUE(testing::Spill(folder / "a-templates.xml",
                               R"x(<?xml version="1.0"?><Glabels-templates>
        <Template brand="Foo Bar" part="M-200 (box)" size="A4" description="Cards">
          <Label-rectangle id="0" width="1in" height="2cm" round="1 pc"><Markup-margin size="9"/>
            <Layout nx="2" ny="3" x0="10mm" y0="20mm" dx="30mm" dy="25mm"/></Label-rectangle></Template>
        <Template brand="Foo Bar" part="Copy" equiv="M-200 (box)"/>
        <Template brand="Foo" part="Roll" size="Other" width="50mm" height="100mm">)x" +
                                   rect + R"x(</Template>
        <Template brand="FOO" part="roll" size="A4">)x" +
                                   rect + R"x(</Template>
        <Template brand="Foo" part="Letter" size="US-Letter">)x" +
                                   rect + R"x(</Template>
        <Template brand="Foo" part="Round" size="A4"><Label-round id="0" radius="10mm">
          <Layout nx="1" ny="1" x0="0" y0="0" dx="0" dy="0"/></Label-round></Template>
        <Template brand="Foo" part="Two" size="A4"><Label-rectangle id="0" width="10mm" height="10mm">
          <Layout nx="1" ny="1" x0="0" y0="0" dx="0" dy="0"/><Layout nx="1" ny="1" x0="50mm" y0="0" dx="0" dy="0"/>
          </Label-rectangle></Template></Glabels-templates>)x"));
    ASSERT_TRUE(testing::Spill(folder / "b-templates.xml", "<Glabels-templates><Template brand="));
    ASSERT_TRUE(testing::Spill(folder / "notes.xml", "not a template file"));

    const GlabelsTemplates read = ReadGlabelsTemplates(folder.Path());
    std::vector<std::string> names;
    for (const SheetLayout& sheet : read.layouts)
        names.push_back(sheet.name);
    EXPECT_EQ(names, std::vector<std::string>({"foo-bar-copy", "foo-bar-m-200-box", "foo-roll"}));
    EXPECT_EQ(std::vector<int>({read.templates, read.skippedShapes, read.skippedOthers, read.skippedFiles}),
              std::vector<int>({7, 2, 2, 1}));  // others: US-Letter unknown here, FOO roll named as Foo Roll
    const std::vector<double> cards = {210, 297, 25.4, 20, 25.4 / 6, 2, 3, 10, 20, 30, 25, 9 * kPt};
    ExpectSheet(read.layouts, "foo-bar-m-200-box", "A4", cards, "Cards");
    ExpectSheet(read.layouts, "foo-bar-copy", "A4", cards, "Cards");
    ExpectSheet(read.layouts, "foo-roll", "", {50, 100, 50, 100, 0, 1, 1, 0, 0, 0, 0, 0}, "");

    EXPECT_TRUE(ReadGlabelsTemplates(folder / "missing").layouts.empty());
}

}  // namespace
}  // namespace nubora
