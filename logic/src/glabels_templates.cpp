#include "nubora/logic/glabels_templates.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>

namespace nubora {
namespace {

constexpr std::string_view kTemplateFileSuffix = "-templates.xml";
constexpr const char* kPaperSizesFile = "paper-sizes.xml";

// Steps an equivalent may lead through before it counts as circular.
constexpr int kMaxEquivSteps = 8;

struct XmlDocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using XmlDoc = std::unique_ptr<xmlDoc, XmlDocFree>;

// Parses `path` without touching the network, substituting no entities and
// printing nothing; null when the file is missing or not well-formed.
XmlDoc ReadXml(const std::string& path)
{
    return XmlDoc(xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
}

bool Named(const xmlNode* node, const char* name)
{
    return node->type == XML_ELEMENT_NODE && xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

// The value of attribute `name` of `node`; nothing when it has none.
std::optional<std::string> Attribute(xmlNode* node, const char* name)
{
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (value == nullptr)
        return std::nullopt;
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first);
}

// Millimetres per unit of a glabels length; a number alone is points.
std::optional<double> UnitMm(std::string_view unit)
{
    static constexpr std::pair<std::string_view, double> kUnits[] = {
        {"", 25.4 / 72}, {"pt", 25.4 / 72}, {"in", 25.4}, {"mm", 1.0}, {"cm", 10.0}, {"pc", 25.4 / 6},
    };
    for (const auto& [name, mm] : kUnits)
        if (unit == name)
            return mm;
    return std::nullopt;
}

// A glabels length ("86.4mm", "0.5in", "42.51", "0 pt") in millimetres.
std::optional<double> LengthMm(const std::optional<std::string>& text)
{
    if (!text)
        return std::nullopt;
    const std::string_view trimmed = Trimmed(*text);
    double value = 0;
    const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (error != std::errc{})
        return std::nullopt;
    const auto unit = UnitMm(
        Trimmed(std::string_view(end, static_cast<size_t>(trimmed.data() + trimmed.size() - end))));
    if (!unit)
        return std::nullopt;
    return value * *unit;
}

std::optional<int> Count(const std::optional<std::string>& text)
{
    if (!text)
        return std::nullopt;
    const std::string_view trimmed = Trimmed(*text);
    int value = 0;
    const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (error != std::errc{} || end != trimmed.data() + trimmed.size())
        return std::nullopt;
    return value;
}

struct PaperSize {
    double widthMm = 0;
    double heightMm = 0;
};
using PaperSizes = std::map<std::string, PaperSize, std::less<>>;

PaperSizes ReadPaperSizes(const std::string& path)
{
    PaperSizes papers;
    const XmlDoc doc = ReadXml(path);
    const xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (root == nullptr)
        return papers;
    for (xmlNode* node = root->children; node != nullptr; node = node->next) {
        if (!Named(node, "Paper-size"))
            continue;
        const auto id = Attribute(node, "id");
        const auto width = LengthMm(Attribute(node, "width"));
        const auto height = LengthMm(Attribute(node, "height"));
        if (id && width && height)
            papers.emplace(*id, PaperSize{*width, *height});
    }
    return papers;
}

// What the labels of one template are.
enum class Shape {
    None,       // no label element (an equivalent names them)
    Grid,       // one rectangle label in one grid: the kind offered
    Other,      // round, elliptic or CD labels, or several labels or grids
    Unreadable  // one rectangle in one grid, but a length or count that cannot be read
};

// One Template element as read, before its equivalent is looked up.
struct RawTemplate {
    std::string brand;
    std::string part;
    std::optional<std::string> equiv;
    std::string description;
    Shape shape = Shape::None;
    bool paperKnown = false;
    SheetLayout sheet;  // paper and labels, when paperKnown and shape is Grid
};

// Fills the label part of `sheet` from a Label-rectangle element with its one
// Layout; false when a length or count cannot be read.
bool ReadRectangle(xmlNode* label, xmlNode* layout, xmlNode* margin, SheetLayout& sheet)
{
    const auto width = LengthMm(Attribute(label, "width"));
    const auto height = LengthMm(Attribute(label, "height"));
    const auto round = Attribute(label, "round") ? LengthMm(Attribute(label, "round")) : 0.0;
    const auto marginMm = margin != nullptr ? LengthMm(Attribute(margin, "size")) : 0.0;
    const auto columns = Count(Attribute(layout, "nx"));
    const auto rows = Count(Attribute(layout, "ny"));
    const auto left = LengthMm(Attribute(layout, "x0"));
    const auto top = LengthMm(Attribute(layout, "y0"));
    const auto across = LengthMm(Attribute(layout, "dx"));
    const auto down = LengthMm(Attribute(layout, "dy"));
    if (!width || !height || !round || !marginMm || !columns || !rows || !left || !top || !across || !down)
        return false;
    sheet.labelWidthMm = *width;
    sheet.labelHeightMm = *height;
    sheet.cornerRadiusMm = *round;
    sheet.marginMm = *marginMm;
    sheet.columns = *columns;
    sheet.rows = *rows;
    sheet.leftMm = *left;
    sheet.topMm = *top;
    sheet.pitchAcrossMm = *across;
    sheet.pitchDownMm = *down;
    return true;
}

// The shape of the labels of `node` (a Template), and their geometry into
// `sheet` when they are one rectangle in one grid.
Shape ReadLabels(xmlNode* node, SheetLayout& sheet)
{
    int labels = 0;
    xmlNode* rectangle = nullptr;
    for (xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE || xmlStrncmp(child->name, BAD_CAST "Label-", 6) != 0)
            continue;
        ++labels;
        if (Named(child, "Label-rectangle"))
            rectangle = child;
    }
    if (labels == 0)
        return Shape::None;
    if (labels != 1 || rectangle == nullptr)
        return Shape::Other;
    xmlNode* layout = nullptr;
    xmlNode* margin = nullptr;
    int layouts = 0;
    for (xmlNode* child = rectangle->children; child != nullptr; child = child->next) {
        if (Named(child, "Layout")) {
            layout = child;
            ++layouts;
        } else if (Named(child, "Markup-margin") && margin == nullptr) {
            margin = child;
        }
    }
    if (layouts != 1)
        return Shape::Other;
    return ReadRectangle(rectangle, layout, margin, sheet) ? Shape::Grid : Shape::Unreadable;
}

// Fills the paper of `sheet` from the size, width and height of `node` (a
// Template); false for an unknown paper name or an unreadable size.
bool ReadPaper(xmlNode* node, const PaperSizes& papers, SheetLayout& sheet)
{
    const auto size = Attribute(node, "size");
    if (!size)
        return false;
    if (*size == "Other") {
        const auto width = LengthMm(Attribute(node, "width"));
        const auto height = LengthMm(Attribute(node, "height"));
        if (!width || !height)
            return false;
        sheet.paperWidthMm = *width;
        sheet.paperHeightMm = *height;
        return true;
    }
    const auto paper = papers.find(*size);
    if (paper == papers.end())
        return false;
    sheet.paperName = *size;
    sheet.paperWidthMm = paper->second.widthMm;
    sheet.paperHeightMm = paper->second.heightMm;
    return true;
}

RawTemplate ReadTemplate(xmlNode* node, const PaperSizes& papers)
{
    RawTemplate raw;
    raw.brand = Attribute(node, "brand").value_or("");
    raw.part = Attribute(node, "part").value_or("");
    raw.equiv = Attribute(node, "equiv");
    raw.description = Attribute(node, "description").value_or(Attribute(node, "_description").value_or(""));
    if (!raw.equiv) {
        raw.shape = ReadLabels(node, raw.sheet);
        raw.paperKnown = ReadPaper(node, papers, raw.sheet);
    }
    return raw;
}

// Adds the templates of one file to `raws`; false when the file is not
// well-formed glabels template XML.
bool ReadTemplateFile(const std::string& path, const PaperSizes& papers, std::vector<RawTemplate>& raws)
{
    const XmlDoc doc = ReadXml(path);
    xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (root == nullptr || !Named(root, "Glabels-templates"))
        return false;
    for (xmlNode* node = root->children; node != nullptr; node = node->next)
        if (Named(node, "Template"))
            raws.push_back(ReadTemplate(node, papers));
    return true;
}

// brand-part in lower case, every run of other characters than ASCII letters,
// digits, '.' and '_' one '-', none at either end.
std::string SheetName(const std::string& brand, const std::string& part)
{
    std::string name;
    bool pendingDash = false;
    for (const char c : brand + "-" + part) {
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        const bool kept = (lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9') || c == '.' || c == '_';
        if (!kept) {
            pendingDash = !name.empty();
            continue;
        }
        if (pendingDash)
            name += '-';
        pendingDash = false;
        name += lower;
    }
    return name;
}

std::string Key(const std::string& brand, const std::string& part) { return brand + '\n' + part; }

// The template whose paper and labels `raw` has: itself, or the end of its
// chain of equivalents; null when that chain breaks or loops.
const RawTemplate* GeometrySource(const RawTemplate& raw, const std::vector<RawTemplate>& raws,
                                  const std::map<std::string, size_t>& byKey)
{
    const RawTemplate* source = &raw;
    for (int step = 0; source->equiv; ++step) {
        const auto found = byKey.find(Key(source->brand, *source->equiv));
        if (step == kMaxEquivSteps || found == byKey.end())
            return nullptr;
        source = &raws[found->second];
    }
    return source;
}

// The template files of `folder`, sorted; none when it cannot be listed.
std::vector<std::string> TemplateFiles(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > kTemplateFileSuffix.size() && name.ends_with(kTemplateFileSuffix))
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

GlabelsTemplates ReadGlabelsTemplates(const std::string& folder)
{
    GlabelsTemplates result;
    const std::vector<std::string> files = TemplateFiles(folder);
    if (files.empty())
        return result;
    const PaperSizes papers = ReadPaperSizes(folder + "/" + kPaperSizesFile);
    std::vector<RawTemplate> raws;
    for (const std::string& file : files)
        if (!ReadTemplateFile(file, papers, raws))
            ++result.skippedFiles;
    result.templates = static_cast<int>(raws.size());

    std::map<std::string, size_t> byKey;
    for (size_t i = 0; i < raws.size(); ++i)
        byKey.emplace(Key(raws[i].brand, raws[i].part), i);
    for (const RawTemplate& raw : raws) {
        const RawTemplate* source = GeometrySource(raw, raws, byKey);
        if (source != nullptr && source->shape == Shape::Other) {
            ++result.skippedShapes;
            continue;
        }
        if (source == nullptr || source->shape != Shape::Grid || !source->paperKnown ||
            !ValidateSheetGeometry(source->sheet)) {
            ++result.skippedOthers;
            continue;
        }
        SheetLayout sheet = source->sheet;
        sheet.name = SheetName(raw.brand, raw.part);
        sheet.description = raw.description.empty() ? source->description : raw.description;
        result.layouts.push_back(std::move(sheet));
    }

    std::stable_sort(result.layouts.begin(), result.layouts.end(),
                     [](const SheetLayout& a, const SheetLayout& b) { return a.name < b.name; });
    const auto duplicates = std::unique(result.layouts.begin(), result.layouts.end(),
                                        [](const SheetLayout& a, const SheetLayout& b) { return a.name == b.name; });
    result.skippedOthers += static_cast<int>(result.layouts.end() - duplicates);
    result.layouts.erase(duplicates, result.layouts.end());
    return result;
}

std::vector<SheetLayout> AvailableSheetLayouts(const GlabelsTemplates& glabels)
{
    std::vector<SheetLayout> sheets = BuiltInSheetLayouts();
    const size_t builtIn = sheets.size();
    for (const SheetLayout& sheet : glabels.layouts) {
        const auto end = sheets.begin() + static_cast<std::ptrdiff_t>(builtIn);
        if (std::none_of(sheets.begin(), end, [&sheet](const SheetLayout& s) { return s.name == sheet.name; }))
            sheets.push_back(sheet);
    }
    return sheets;
}

}  // namespace nubora
