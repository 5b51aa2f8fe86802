#include "app/Options.h"

#include "canvas/Dessin.h"
#include "canvas/Plot.h"
#include "canvas/UtilDessin.h"
#include "datasheet/ImportExport.h"
#include "datasheet/SheetEntry.h"
#include "model/Conversion.h"
#include "model/Trigo.h"
#include "model/UtilGlob.h"
#include "platform/Text1252.h"
#include "stats3d/Contours.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <span>

namespace ploq {

namespace {

// An item index of a list of `count` items, or -1 when the setting lies outside it.
int ItemIn(int value, int count)
{
    return value >= 0 && value < count ? value : -1;
}

// A list's item into its setting; no selection leaves the setting.
void TakeItem(int item, std::int32_t& setting, int offset = 0)
{
    if (item >= 0)
        setting = item + offset;
}

} // namespace

OptionsMemory OpenOptions(VarGlob& s, int contextRadius)
{
    if (s.Couleur > kUserColourCount - 1)
        s.Couleur = 1;
    SetBit(s.StyleCnvs, kStyleIndexedGrid, false);
    return {s, contextRadius};
}

Point OptionsDialogPlace(const ScreenRect& mainFrame, int dialogWidth)
{
    return {mainFrame.left + (mainFrame.width - dialogWidth) / 2,
            mainFrame.top + mainFrame.height + 5};
}

// --- Data ------------------------------------------------------------------------------

const std::array<const char*, 5> kOptionsPlaneNotations = {
    "Az Quadrant Dip (120 S 40)", "Dip, dip direction (40/210)", "Dip direction/ dip (40/210)",
    "Pole of plane (030/60)",     "Right hand rule (40/120)",
};
const std::array<const char*, 3> kOptionsLineNotations = {
    "Trend, Quadrant,  Pl  (30 S 40)",
    "Plunge, plunge direction (40/210)",
    "Plunge direction , plunge (210/40)",
};

DataPage DataPageOf(const VarGlob& s)
{
    DataPage page;
    page.declination = FormatFixed(s.Decl / kDegToRad, 1);
    page.addDeclination = TestBit(s.OptVal, kOptValAddDecl);
    page.editInGrid = TestBit(s.OptVal, kOptValEditInGrid);
    page.printGrid = TestBit(s.OptVal, kOptValPrintGrid);
    page.showDecimals = TestBit(s.OptVal, kOptValShowDeci);
    page.planeNotation = ItemIn(s.FrtS, static_cast<int>(kOptionsPlaneNotations.size()));
    page.lineNotation = ItemIn(s.FrtL, static_cast<int>(kOptionsLineNotations.size()));
    page.headings = s.TNomC;
    return page;
}

std::optional<std::string> TakeDataPage(const DataPage& page, VarGlob& s)
{
    double unused = 0;
    if (!TryReadReal(page.declination, unused))
        return sformat("\"declination\" : \"%s\" is not a number", page.declination.c_str());
    for (int field = 1; field <= kFieldCount; ++field)
        s.TNomC[static_cast<std::size_t>(field)] = page.headings[static_cast<std::size_t>(field)];
    SetBit(s.OptVal, kOptValAddDecl, page.addDeclination);
    SetBit(s.OptVal, kOptValEditInGrid, page.editInGrid);
    SetBit(s.OptVal, kOptValPrintGrid, page.printGrid);
    SetBit(s.OptVal, kOptValShowDeci, page.showDecimals);
    s.ShowDeci = page.showDecimals;
    TakeItem(page.planeNotation, s.FrtS);
    TakeItem(page.lineNotation, s.FrtL);
    // A west declination keeps its sign.
    s.Decl = ReadDeclination(page.declination);
    return std::nullopt;
}

bool DataNotationChanged(const OptionsMemory& memory, const VarGlob& s)
{
    const VarGlob& old = memory.settings;
    return s.FrtS != old.FrtS || s.FrtL != old.FrtL || s.ShowDeci != old.ShowDeci;
}

void AcceptDataPage(OptionsMemory& memory, const VarGlob& s)
{
    memory.settings.FrtS = s.FrtS;
    memory.settings.FrtL = s.FrtL;
    memory.settings.ShowDeci = s.ShowDeci;
}

void CancelDataPage(const OptionsMemory& memory, VarGlob& s)
{
    const VarGlob& old = memory.settings;
    s.TNomC = old.TNomC;
    s.OptVal = old.OptVal;
    s.FrtS = old.FrtS;
    s.FrtL = old.FrtL;
    s.Decl = old.Decl;
    s.ShowDeci = old.ShowDeci;
    // The stored word says the same as the flag the sheets read.
    SetBit(s.OptVal, kOptValShowDeci, s.ShowDeci);
}

// --- Import ----------------------------------------------------------------------------

const std::array<const char*, 3> kSeparatorItems = {"tab (=>)", "slash ( / )", "dash ( - )"};
const std::array<const char*, 7> kFieldItems = {"1", "2", "3", "4", "5", "6", "7"};

const char* const kImportHelp =
    "Ploq text file : one measurement a line, its value and its codes in the fields given "
    "above, split by the separator (a file exported by Ploq is read as it was written).\n"
    "Raw data : values only, every line a plane or every line a line, in the format chosen; "
    "\"add code number\" numbers the rows.";

ImportPage ImportPageOf(const VarGlob& s)
{
    ImportPage page;
    page.separator = ItemIn(s.IpSep, static_cast<int>(kSeparatorItems.size()));
    page.ploqFormat = ItemIn(s.IpFS, kPlaneFormatCount);
    const std::int32_t fields[kImportFieldCount] = {s.IpNat, s.IpNum, s.IpLoc, s.IpCom, s.IpVal};
    for (int i = 0; i < kImportFieldCount; ++i)
        page.fields[static_cast<std::size_t>(i)] = ItemIn(fields[i] - 1, kPloqFieldCount);
    page.rawPlanes = s.IpIsS == 1;
    page.rawFormat = RawFormatShown(page.rawPlanes, s.IpFR);
    page.addNumber = TestBit(s.StyleGene, kGeneImportNumber);
    return page;
}

int RawFormatCount(bool planes)
{
    return planes ? kPlaneFormatCount : kLineFormatCount;
}

const char* RawFormatItem(bool planes, int item)
{
    return planes ? kPlaneFormatLabels[static_cast<std::size_t>(item)]
                  : kLineFormatLabels[static_cast<std::size_t>(item)];
}

int RawFormatShown(bool planes, int format)
{
    if (format < 0)
        return -1;
    return std::min(format, RawFormatCount(planes) - 1);
}

const char* PloqLineFormatItem(int ploqFormat)
{
    return kLineFormatLabels[static_cast<std::size_t>(LineFormatOf(ploqFormat))];
}

void TakeImportPage(const ImportPage& page, VarGlob& s)
{
    TakeItem(page.separator, s.IpSep);
    TakeItem(page.ploqFormat, s.IpFS);
    std::int32_t* fields[kImportFieldCount] = {&s.IpNat, &s.IpNum, &s.IpLoc, &s.IpCom, &s.IpVal};
    for (int i = 0; i < kImportFieldCount; ++i)
        TakeItem(page.fields[static_cast<std::size_t>(i)], *fields[i], 1);
    s.IpIsS = page.rawPlanes ? 1 : 0;
    TakeItem(page.rawFormat, s.IpFR);
    SetBit(s.StyleGene, kGeneImportNumber, page.addNumber);
}

void CancelImportPage(const OptionsMemory& memory, VarGlob& s)
{
    const VarGlob& old = memory.settings;
    s.IpFS = old.IpFS;
    s.IpSep = old.IpSep;
    s.IpFR = old.IpFR;
    s.IpNat = old.IpNat;
    s.IpNum = old.IpNum;
    s.IpLoc = old.IpLoc;
    s.IpCom = old.IpCom;
    // The value's field goes back with the others: left alone, it could share a field with
    // the one the nature returned to.
    s.IpVal = old.IpVal;
    s.IpIsS = old.IpIsS;
    SetBit(s.StyleGene, kGeneImportNumber, TestBit(old.StyleGene, kGeneImportNumber));
}

// --- Stereonet -------------------------------------------------------------------------

const std::array<int, 4> kGridStepItems = {2, 5, 10, 15};
const std::array<const char*, 3> kPlanesAsItems = {"Poles", "Cyclographic trace", "Poles + Cyclo"};

StereonetPage StereonetPageOf(const VarGlob& s, int radius)
{
    StereonetPage page;
    page.wulff = TestBit(s.StyleCnvs, kStyleWulff);
    page.lowerHemisphere = TestBit(s.StyleCnvs, kStyleLowerHemisphere);
    const bool poles = TestBit(s.StylePlot, kPlotPoles);
    const bool traces = TestBit(s.StylePlot, kPlotTraces);
    page.planesAs = poles && traces ? 2 : traces ? 1 : 0;
    page.tailInward = TestBit(s.StyleCnvs, kStyleTailInward);
    page.netCentre = TestBit(s.StyleCnvs, kStyleNetCentre);
    page.graduations = TestBit(s.StyleCnvs, kStyleGraduations);
    page.diameters = TestBit(s.StyleCnvs, kStyleDiameters);
    page.gridStep = ItemOf(s.GridStep, kGridStepItems);
    page.diameterMM = DiameterShown(radius, s.PixMM);
    page.listInfo = TestBit(s.OptVal, kOptValListInfo);
    page.arrowFaultColour = TestBit(s.StyleFlt, kFltArrowFaultColour);
    page.gridColour = s.GridCol;
    page.arrowColour = s.ColMvtF > kUserColourCount - 1 ? kEraseColour : s.ColMvtF;
    return page;
}

int TakeStereonetPage(const StereonetPage& page, VarGlob& s, bool canvasCurrent)
{
    const int mm = std::clamp(page.diameterMM, kMinNetDiameterMM, kMaxNetDiameterMM);
    const int radius = std::max(RadiusForDiameter(mm, s.PixMM), kMinRadius);
    if (!canvasCurrent)
        s.Rc = radius;
    SetBit(s.StyleCnvs, kStyleNetCentre, page.netCentre);
    SetBit(s.StyleCnvs, kStyleGraduations, page.graduations);
    SetBit(s.StyleCnvs, kStyleDiameters, page.diameters);
    SetBit(s.StyleCnvs, kStyleTailInward, page.tailInward);
    SetBit(s.StyleCnvs, kStyleLowerHemisphere, page.lowerHemisphere);
    SetBit(s.StyleCnvs, kStyleWulff, page.wulff);
    SetBit(s.StylePlot, kPlotPoles, page.planesAs != 1);
    SetBit(s.StylePlot, kPlotTraces, page.planesAs != 0);
    SetBit(s.StyleFlt, kFltArrowFaultColour, page.arrowFaultColour);
    SetBit(s.OptVal, kOptValListInfo, page.listInfo);
    if (page.gridStep >= 0)
        s.GridStep = kGridStepItems[static_cast<std::size_t>(page.gridStep)];
    return radius;
}

void CancelStereonetPage(const OptionsMemory& memory, VarGlob& s, bool canvasCurrent)
{
    const VarGlob& old = memory.settings;
    s.StyleCnvs = old.StyleCnvs;
    s.StylePlot = old.StylePlot;
    s.OptVal = old.OptVal;
    s.ShowDeci = TestBit(s.OptVal, kOptValShowDeci);
    s.GridStep = old.GridStep;
    s.GridCol = old.GridCol;
    s.ColMvtF = old.ColMvtF;
    SetBit(s.StyleFlt, kFltArrowFaultColour, TestBit(old.StyleFlt, kFltArrowFaultColour));
    if (!canvasCurrent)
        s.Rc = memory.radius;
}

bool CanvasChangeNeedsQuestion(const OptionsMemory& memory, const VarGlob& s, int radius,
                               int currentRadius)
{
    const VarGlob& old = memory.settings;
    const bool coloursChanged =
        !std::equal(s.Tco.begin(), s.Tco.begin() + kUserColourCount, old.Tco.begin());
    return s.StylePlot != old.StylePlot || s.StyleCnvs != old.StyleCnvs
           || s.GridStep != old.GridStep || s.GridCol != old.GridCol || coloursChanged
           || radius != currentRadius;
}

namespace {

// The cell of a strip of `cells` cells of kColourCell pixels from x = 3, or none.
std::optional<int> cellAt(Point p, int cells, int height)
{
    if (p.x < 3 || p.y < 0 || p.y >= height)
        return std::nullopt;
    const int cell = (p.x - 3) / kColourCell;
    if (cell >= cells)
        return std::nullopt;
    return cell;
}

} // namespace

std::optional<int> GridColourAt(Point p)
{
    const std::optional<int> cell = cellAt(p, kGridColourCells, kColourCell + 6);
    if (!cell)
        return std::nullopt;
    return kGridColourFirst + *cell;
}

std::optional<int> ArrowColourAt(Point p)
{
    return cellAt(p, kUserColourCount, BandeCouleursSize(kColourCell).height);
}

// --- Pictures of the pages -------------------------------------------------------------

namespace {

constexpr int kSampleMargin = 8;
constexpr int kSampleLabelPixels = 9; // 7 points on a 96 dpi screen

// A label centred on the ray of azimuth `azimuthDeg`, just outside the primitive circle.
void azimuthLabel(Surface& surface, const Net& net, double azimuthDeg, std::string_view text)
{
    const Size extent = surface.textExtent(text);
    const double a = azimuthDeg * kDegToRad;
    const double reach = net.radius + 1 + std::max(extent.width, extent.height) / 2.0;
    const int cx = net.xc + static_cast<int>(std::lround(reach * std::sin(a)));
    const int cy = net.yc - static_cast<int>(std::lround(reach * std::cos(a)));
    surface.textOut({cx - extent.width / 2, cy - extent.height / 2}, text);
}

} // namespace

void SampleNet(Surface& surface, int width, const VarGlob& settings)
{
    VarGlob sample = settings;
    sample.GridStep = 10;
    const int half = width / 2;
    // No labels over the grid, no centre, diameters or graduations: the primitive circle and
    // its north tick only.
    std::int32_t style = settings.StyleCnvs;
    for (int bit : {kStyleNetCentre, kStyleGraduations, kStyleDiameters, kStyleIndexedGrid})
        SetBit(style, bit, false);
    const Net net = Net::FromStyle(half, half, half - kSampleMargin, style);
    DrawContext ctx{surface, net, style, settings.StylePlot, sample};
    GrilleStandard(ctx, 0);
    TraceCanevas(ctx);
    surface.setPen({CouleurDe(settings.Tco, 2), 1});
    surface.setBrush({clWhite, BrushStyle::Clear});
    TraceGC(ctx, 50 * kDegToRad, 30 * kDegToRad);
    const Point line = DirToPixel({210 * kDegToRad, 40 * kDegToRad}, net);
    DessinerSymbole(ctx, -9, 2, line.x, line.y);
    surface.setFont({"Arial", kSampleLabelPixels, false, false, clBlack});
    surface.setBrush({clWhite, BrushStyle::Clear});
    for (int azimuth : {120, 30, 210})
        azimuthLabel(surface, net, azimuth, std::to_string(azimuth));
}

Size GridColourCellsSize()
{
    return {3 + kGridColourCells * kColourCell + 3, kColourCell + 6};
}

void GridColourCells(Surface& surface, const VarGlob& s)
{
    for (int i = 0; i < kGridColourCells; ++i) {
        const int left = 3 + i * kColourCell;
        surface.setPen({clBlack, 1});
        surface.setBrush({CouleurDe(s.Tco, kGridColourFirst + i), BrushStyle::Solid});
        surface.rectangle({left + 1, 4, left + kColourCell, 3 + kColourCell});
        if (kGridColourFirst + i == s.GridCol) {
            surface.setPen({clBlue, 2});
            surface.setBrush({clWhite, BrushStyle::Clear});
            surface.rectangle({left, 2, left + kColourCell + 1, 5 + kColourCell});
        }
    }
}

Size ArrowColourSize()
{
    return {kColourCell + 12, kColourCell + 4};
}

void ArrowColourImage(Surface& surface, const VarGlob& s, int colour)
{
    surface.setPen({clBlack, 1});
    surface.setBrush({CouleurDe(s.Tco, colour), BrushStyle::Solid});
    surface.rectangle({2, 2, 2 + kColourCell, 2 + kColourCell});
    surface.setBrush({clBlack, BrushStyle::Solid});
    const int x = kColourCell + 5;
    const int y = 2 + kColourCell / 2;
    const Point triangle[] = {{x, y - 4}, {x + 4, y}, {x, y + 4}};
    surface.polygon(triangle);
}

// --- General ---------------------------------------------------------------------------

namespace {

std::string fileNameOf(const std::string& path)
{
    return Utf8ToCp1252(std::filesystem::path(path).filename().string());
}

} // namespace

std::string CurrentSelectionLabel(const std::string& path)
{
    return "current selection : " + fileNameOf(path);
}

std::vector<std::string> ReadSymbolList(SymbolList& list, const std::string& path)
{
    list.lines.clear();
    list.selected = -1;
    if (!BatchNamed(path)) {
        list.butBatch = 1;
        return {};
    }
    list.label = CurrentSelectionLabel(path);
    const BatchTable table = LireBatchFileAll(path);
    if (table.error)
        return {};
    for (const BatchEntry& entry : table.TabBatch)
        list.lines.push_back(BatchLine(entry));
    return table.skipped;
}

SymbolLineMade MakeSymbolLine(std::string_view code, int colour, bool tadpole, int symbol)
{
    SymbolLineMade made;
    made.line = BatchDialogLine(code, colour, tadpole, std::abs(symbol));
    const BatchTable read = LireBatchLines(std::span(&made.line, 1));
    if (read.TabBatch.empty())
        made.problem =
            read.skipped.empty() ? "\"" + made.line + "\" cannot be read" : read.skipped.front();
    else
        made.entry = read.TabBatch.front();
    return made;
}

int LineOfCode(const SymbolList& list, const St9& code)
{
    for (std::size_t i = 0; i < list.lines.size(); ++i) {
        const BatchLineRead read = ParseBatchLine(list.lines[i]);
        if (read.entry && read.entry->code == code)
            return static_cast<int>(i);
    }
    return -1;
}

void AddSymbolLine(SymbolList& list, std::string line, int replaced)
{
    if (replaced >= 0 && replaced < static_cast<int>(list.lines.size()))
        list.lines.erase(list.lines.begin() + replaced);
    list.lines.push_back(std::move(line));
    list.selected = -1;
    list.batchSaved = false;
}

bool ModifySymbolLine(SymbolList& list, std::string line)
{
    if (list.selected < 0 || list.selected >= static_cast<int>(list.lines.size()))
        return false;
    list.lines[static_cast<std::size_t>(list.selected)] = std::move(line);
    list.batchSaved = false;
    return true;
}

void NewSymbolFile(SymbolList& list)
{
    list.lines.clear();
    list.selected = -1;
    list.butBatch = 1;
    list.label = "new file";
}

BatchTable SymbolListEntries(const SymbolList& list)
{
    return LireBatchLines(list.lines, std::numeric_limits<std::size_t>::max());
}

std::optional<Message> SaveSymbolList(SymbolList& list, const std::string& path, VarGlob& s)
{
    const BatchTable table = SymbolListEntries(list);
    if (!table.skipped.empty()) {
        std::string text;
        for (const std::string& line : table.skipped)
            text += line + "\n";
        return Message{MsgKind::Error, text + "The symbols file is not written", Button::Ok, {}};
    }
    if (std::optional<Message> failed = SaveBatchFile(path, table.TabBatch))
        return failed;
    s.NomFBatch = path;
    list.label = "new : " + fileNameOf(path);
    list.batchSaved = true;
    return std::nullopt;
}

void CancelGeneralPage(const OptionsMemory& memory, VarGlob& s)
{
    const VarGlob& old = memory.settings;
    for (int bit : {kGeneToolBar, kGeneHelpOnTop, kGeneOptionsKeepOn})
        SetBit(s.StyleGene, bit, TestBit(old.StyleGene, bit));
    std::copy(old.Tco.begin(), old.Tco.begin() + kUserColourCount, s.Tco.begin());
    s.Couleur = old.Couleur;
    s.NomFBatch = old.NomFBatch;
}

void AcceptGeneralPage(OptionsMemory& memory, VarGlob& s)
{
    memory.settings.NomFBatch = s.NomFBatch;
    s.Couleur = memory.settings.Couleur;
}

// --- Stats-1 ---------------------------------------------------------------------------

const std::array<const char*, kMaxCrowns - kMinCrowns + 1> kCrownItems = {
    " 5 crowns", " 6 crowns",  " 7 crowns",  " 8 crowns",
    " 9 crowns", " 10 crowns", " 11 crowns", " 12 crowns"};
const std::array<int, 7> kMeshItems = {3, 4, 6, 9, 10, 12, 15};

namespace {

constexpr int kShownWhenZero = 6; // NbCr and PasCont 0 are shown as 6

int shownIfZero(int value)
{
    return value == 0 ? kShownWhenZero : value;
}

} // namespace

Stats1Page Stats1PageOf(const VarGlob& s)
{
    Stats1Page page;
    page.crowns = ItemIn(shownIfZero(s.NbCr) - kMinCrowns, static_cast<int>(kCrownItems.size()));
    page.mesh = ItemOf(shownIfZero(s.PasCont), kMeshItems);
    page.countUniformity = TestBit(s.OptS3Dadd, kS3DaddCountF);
    return page;
}

void TakeStats1Page(const Stats1Page& page, VarGlob& s)
{
    TakeItem(page.crowns, s.NbCr, kMinCrowns);
    if (page.mesh >= 0)
        s.PasCont = kMeshItems[static_cast<std::size_t>(page.mesh)];
    SetBit(s.OptS3Dadd, kS3DaddCountF, page.countUniformity);
    s.StyleCont = (s.StyleCont & 0xFF) | (s.PasCont << kPasContShift);
}

void CancelStats1Page(const OptionsMemory& memory, VarGlob& s)
{
    const VarGlob& old = memory.settings;
    s.NbCr = old.NbCr;
    s.PasCont = old.PasCont;
    s.StyleCont = old.StyleCont;
    s.TcoCont = old.TcoCont;
}

std::string NodeCountLabel(int crowns)
{
    return sformat("%d nods", NodeCount(crowns));
}

namespace {

constexpr TColor kNavy = rgb(0, 0, 128);
constexpr TColor kSilverGrid = rgb(192, 192, 192);

Net statsPictureNet(int width, std::int32_t styleCnvs)
{
    const int w = width / 2;
    return Net::FromStyle(w, w + 2, w - 8, styleCnvs);
}

void clearPicture(Surface& surface, int width)
{
    const Size size = StatsPictureSize(width);
    surface.setPen({clWhite, 1});
    surface.setBrush({clWhite, BrushStyle::Solid});
    surface.fillRect({0, 0, size.width, size.height});
}

void line(Surface& surface, Point from, Point to)
{
    surface.moveTo(from);
    surface.lineTo(to);
}

// The half length of the chord at offset d from the centre of a circle of radius r.
int halfChord(double d, int r)
{
    return static_cast<int>(std::floor(std::sqrt(std::max(0.0, double(r) * r - d * d))));
}

} // namespace

Size StatsPictureSize(int width)
{
    return {width, width + 4};
}

void CountingGridPicture(Surface& surface, int width, int crowns, const VarGlob& s)
{
    clearPicture(surface, width);
    const Net net = statsPictureNet(width, s.StyleCnvs);
    surface.setPen({clBlack, 1});
    surface.setBrush({clWhite, BrushStyle::Clear});
    surface.ellipse({net.xc - net.radius, net.yc - net.radius, net.xc + net.radius + 1,
                     net.yc + net.radius + 1});
    surface.setPen({clBlue, 1});
    surface.setBrush({clBlue, BrushStyle::Solid});
    for (int node = 0; node < NodeCount(crowns); ++node) {
        const Point at = DirToPixel(NodeDirection(node, crowns), net);
        surface.fillRect({at.x - 1, at.y - 1, at.x + 2, at.y + 2});
    }
}

void MeshPicture(Surface& surface, int width, int mesh)
{
    clearPicture(surface, width);
    const Net net = statsPictureNet(width, 0);
    const int r = net.radius;
    // As the contour grid lies: node c at XC - R - s/2 + c s, with s = 2R / (m - 2).
    const int side = ContourGridSide(mesh);
    const double step = 2.0 * r / (side - 2);
    surface.setPen({kSilverGrid, 1});
    for (int i = 0; i < side; ++i) {
        const double offset = -r - step / 2 + i * step;
        if (std::abs(offset) >= r)
            continue;
        const int along = static_cast<int>(std::lround(offset));
        const int half = halfChord(offset, r);
        line(surface, {net.xc + along, net.yc - half}, {net.xc + along, net.yc + half + 1});
        line(surface, {net.xc - half, net.yc + along}, {net.xc + half + 1, net.yc + along});
    }
    surface.setPen({kNavy, 1});
    surface.setBrush({clWhite, BrushStyle::Clear});
    surface.ellipse({net.xc - r, net.yc - r, net.xc + r + 1, net.yc + r + 1});
    // Six pixels above the circle; a line leaves out its end point.
    line(surface, {net.xc, net.yc - r}, {net.xc, net.yc - r - 7});
}

Size ContourColourCellsSize()
{
    return ColourStripSize(kPaletteCell, kContourColourCells);
}

void ContourColourCells(Surface& surface, const VarGlob& s, int current)
{
    ColourStrip(surface, std::span(s.TcoCont).first(kContourColourCells), kPaletteCell, current);
}

int ContourColourAt(int x)
{
    return ColourStripCell(x, kPaletteCell, kContourColourCells);
}

// --- Stats-2 ---------------------------------------------------------------------------

const std::array<int, 9> kAzRangeItems = {10, 20, 30, 40, 60, 90, 120, 180, 360};
const std::array<int, 6> kPeRangeItems = {10, 20, 30, 40, 60, 90};
const std::array<int, 5> kTossingItems = {250, 500, 1000, 2000, 4000};

namespace {

// A whole number as typed, blanks around it allowed.
std::optional<std::int32_t> readInteger(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

Stats2Page Stats2PageOf(const VarGlob& s)
{
    Stats2Page page;
    page.azRange = ItemOf(2 * s.AmBS, kAzRangeItems);
    page.peRange = ItemOf(2 * s.PeBS, kPeRangeItems);
    page.tossings = ItemOf(s.NbTirBS, kTossingItems);
    page.tiltCutOff = FormatFixed(s.TDcutVal / kDegToRad, 1);
    page.axisCutOff = FormatFixed(s.TDdelta / kDegToRad, 1);
    page.polygonMin = std::to_string(s.TDpoly1);
    page.polygonUnderline = std::to_string(s.TDpoly2);
    page.summitMark = std::to_string(s.TDsySum);
    page.listRotationAxes = TestBit(s.OptS3Dadd, kS3DaddListRotAxes);
    return page;
}

std::optional<std::string> TakeStats2Page(const Stats2Page& page, VarGlob& s)
{
    const std::pair<const char*, const std::string*> reals[] = {
        {"tilt angle cut-off", &page.tiltCutOff}, {"axis trend cut-off", &page.axisCutOff}};
    double degrees[2] = {};
    for (std::size_t i = 0; i < 2; ++i)
        if (!TryReadReal(*reals[i].second, degrees[i]))
            return sformat("\"%s\" : \"%s\" is not a number", reals[i].first,
                           reals[i].second->c_str());
    const std::pair<const char*, const std::string*> integers[] = {
        {"polygon min size", &page.polygonMin},
        {"underline rot max for polygones >", &page.polygonUnderline},
        {"polygones summits : symb n\xB0", &page.summitMark}};
    std::int32_t values[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::optional<std::int32_t> value = readInteger(*integers[i].second);
        if (!value)
            return sformat("\"%s\" : \"%s\" is not an integer", integers[i].first,
                           integers[i].second->c_str());
        values[i] = *value;
    }
    if (page.azRange >= 0)
        s.AmBS = kAzRangeItems[static_cast<std::size_t>(page.azRange)] / 2;
    if (page.peRange >= 0)
        s.PeBS = kPeRangeItems[static_cast<std::size_t>(page.peRange)] / 2;
    if (page.tossings >= 0)
        s.NbTirBS = kTossingItems[static_cast<std::size_t>(page.tossings)];
    s.TDcutVal = degrees[0] * kDegToRad;
    s.TDdelta = degrees[1] * kDegToRad;
    s.TDpoly1 = values[0];
    s.TDpoly2 = values[1];
    s.TDsySum = std::clamp(values[2], kMinSummitMark, kMaxSummitMark);
    SetBit(s.OptS3Dadd, kS3DaddListRotAxes, page.listRotationAxes);
    return std::nullopt;
}

void CancelStats2Page(const OptionsMemory& memory, VarGlob& s)
{
    const VarGlob& old = memory.settings;
    s.TDcutVal = old.TDcutVal;
    s.TDdelta = old.TDdelta;
    s.TDpoly1 = old.TDpoly1;
    s.TDpoly2 = old.TDpoly2;
}

// --- Characters ------------------------------------------------------------------------

bool TakeSheetFont(const FontChoice& font, VarGlob& s)
{
    const bool changed = font.name != s.FontName || font.height != s.FontHeight;
    s.FontName = font.name;
    s.FontHeight = font.height;
    return changed;
}

} // namespace ploq
