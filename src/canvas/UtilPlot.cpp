#include "canvas/UtilPlot.h"

#include "canvas/Dessin.h"
#include "canvas/SymbBatch.h"
#include "canvas/UtilDessin.h"
#include "datasheet/Fichier.h"
#include "model/Conversion.h"
#include "model/UtilGlob.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace ploq {

std::string PlotKey(std::string_view typed, bool identity)
{
    std::string key(typed.substr(0, kCodeLength));
    if (key == "*********")
        return {};
    if (identity && !key.empty() && key.back() != '/' && key.size() < kCodeLength)
        key += '/';
    return key;
}

namespace {

Field fieldOf(KeyField f)
{
    switch (f) {
    case KeyField::Nature: return Field::Nature;
    case KeyField::Location: return Field::Location;
    case KeyField::Number: return Field::Number;
    case KeyField::Comment: return Field::Comment;
    }
    return Field::Nature;
}

std::string cut9(const std::string& code)
{
    return code.substr(0, kCodeLength);
}

// A row holds a measurement once its value or its nature has been typed.
bool hasMeasurement(const DataSheet& sheet, int row)
{
    return !sheet.field(row, Field::Value).empty() || !sheet.field(row, Field::Nature).empty();
}

} // namespace

const std::string& KeyFieldHeading(const VarGlob& settings, KeyField field)
{
    static constexpr std::size_t headingOf[] = {2, 4, 3, 5}; // TNomC entry of each key field
    return settings.TNomC[headingOf[static_cast<int>(field)]];
}

bool RowMatches(const DataSheet& sheet, int row, KeyField field, const std::string& key)
{
    if (key.empty())
        return true;
    const std::string code = cut9(sheet.field(row, fieldOf(field)));
    return field == KeyField::Number ? MatchNumber(key, code) : MatchCode(key, code);
}

void DessinVal(const DrawContext& ctx, const InfoVal& record)
{
    const bool plane = TestBit(record.inf, kInfPlane);
    if (!plane || TestBit(record.inf, kInfDrawPole))
        DessinerSymbole(ctx, record.sy, record.nco, record.p, record.q);
    if (plane && TestBit(record.inf, kInfDrawTrace)) {
        ctx.CnvsCourant.setPen({CouleurDe(ctx.settings.Tco, record.nco), 1});
        TraceGC(ctx, record.pen, record.azi);
    }
}

void EtiquetteWP(const DrawContext& ctx, std::string_view text, int x, int y, int c)
{
    Surface& s = ctx.CnvsCourant;
    const Font before = s.font();
    Font font = before;
    font.colour = CouleurDe(ctx.settings.Tco, c);
    s.setFont(font);
    s.setBrush({clWhite, BrushStyle::Solid});
    const int w = s.textExtent(text).width + 5;
    const int imageWidth = 2 * ctx.net.xc;
    int left = 0;
    if (x > ctx.net.xc)
        left = w < imageWidth - x ? x + 5 : x - w;
    else
        left = w < x ? x - w : x + 5;
    s.textOut({left, y < ctx.net.yc ? y - 11 : y}, text);
    s.setFont(before);
    s.setBrush({clWhite, BrushStyle::Clear});
}

InfoVal& AjoutVal(CanvasModel& canvas, InfoVal record, int symbol, int colour)
{
    record.nco = colour;
    record.sy = symbol;
    record.inf = canvas.lStylePlot;
    SetBit(record.inf, kInfPresent, true);
    SetBit(record.inf, kInfPlane, !record.na.empty() && IsPlane(record.na[0]));
    const Point p = DirToPixel({record.azi, record.pen}, canvas.net());
    record.p = p.x;
    record.q = p.y;
    canvas.AddRecord(record);
    ++canvas.lNC;
    return canvas.lVal[static_cast<std::size_t>(canvas.lNT)];
}

InfoVal& AjoutVal(CanvasModel& canvas, InfoVal record, const VarGlob& settings)
{
    return AjoutVal(canvas, std::move(record), settings.Sy, settings.Couleur);
}

void AddLegend(CanvasModel& canvas, int symbol, int colour, const std::string& code)
{
    const std::string entry = sformat("%d.%d.%s", symbol, colour, code.c_str());
    const auto at = std::lower_bound(canvas.lsy.begin(), canvas.lsy.end(), entry);
    if (at == canvas.lsy.end() || *at != entry)
        canvas.lsy.insert(at, entry);
}

namespace {

struct RowRange {
    int first = 1;
    int last = 0;
};

// From the smaller to the larger line number, within the rows of the sheet.
RowRange rangeOf(const PlotRequest& request, const DataSheet& sheet)
{
    return {std::max(1, std::min(request.line1, request.line2)),
            sheet.isEmpty() ? 0
                            : std::min(sheet.rowCount(), std::max(request.line1, request.line2))};
}

// The symbol and colour a row is plotted with, and the code its legend entry names.
struct RowSymbol {
    int sy = 0;
    int co = 0;
    std::string code;
};
using ChooseSymbol = std::function<std::optional<RowSymbol>(int row)>;

struct RowsPlotted {
    bool cancelled = false;
    int oldNT = 0;
    std::vector<RowSymbol> used; // one per record added
    std::vector<int> unreadable; // selected rows without a valid direction
};

// Plots the chosen rows of the range, asking the limit question when the canvas fills up. On
// Cancel the records of this plotting are taken back.
RowsPlotted plotRows(CanvasModel& canvas, const DataSheet& sheet, RowRange range, Prompts& prompts,
                     const ChooseSymbol& choose, const DrawRecord& draw)
{
    RowsPlotted plotted;
    plotted.oldNT = canvas.lNT;
    const int oldNC = canvas.lNC;
    for (int row = range.first; row <= range.last; ++row) {
        if (!hasMeasurement(sheet, row))
            continue;
        const std::optional<RowSymbol> symbol = choose(row);
        if (!symbol)
            continue;
        const std::optional<Direction> dir = RowDirection(sheet, row);
        if (!dir) {
            plotted.unreadable.push_back(row);
            continue;
        }
        if (canvas.lNT >= kMaxValues) {
            if (prompts.warning(std::string(kMsgLimitReached), Button::Yes | Button::Cancel)
                != Button::Yes) {
                canvas.lNT = plotted.oldNT;
                canvas.lNC = oldNC;
                plotted.cancelled = true;
                plotted.used.clear();
                return plotted;
            }
            break;
        }
        InfoVal record;
        record.azi = dir->trend;
        record.pen = dir->plunge;
        record.na = cut9(sheet.field(row, Field::Nature));
        record.nu = cut9(sheet.field(row, Field::Number));
        record.lo = cut9(sheet.field(row, Field::Location));
        record.co = cut9(sheet.field(row, Field::Comment));
        InfoVal& added = AjoutVal(canvas, record, symbol->sy, symbol->co);
        if (draw)
            draw(added);
        plotted.used.push_back(*symbol);
    }
    return plotted;
}

// What follows the lines of a plotting in the panel: the rows left out, and each record added
// when the settings ask for it. The undo record takes the records added.
void finishPlotting(PlotResult& result, const RowsPlotted& plotted, CanvasModel& canvas,
                    const DataSheet& sheet, const VarGlob& settings)
{
    if (!plotted.unreadable.empty())
        result.info.push_back(
            {"Lines without a valid direction, not plotted: " + RowListText(plotted.unreadable)});
    if (TestBit(settings.OptVal, kOptValListInfo)) {
        const Notation notation{sheet.lFrtS, sheet.lFrtL};
        for (int i = plotted.oldNT + 1; i <= canvas.lNT; ++i) {
            const InfoVal& v = canvas.lVal[static_cast<std::size_t>(i)];
            const std::string dir =
                DirToText(sheet.lShowDeci, TestBit(v.inf, kInfPlane), v.pen, v.azi, notation);
            result.info.push_back(
                {sformat("%s / %s  %s ", v.nu.str().c_str(), v.na.str().c_str(), dir.c_str())});
        }
    }
    if (result.added > 0)
        canvas.lUndoPlot = {plotted.oldNT + 1, canvas.lNT, 0, 1, 0, true};
}

} // namespace

PlotResult TraceFichier(CanvasModel& canvas, const DataSheet& sheet, const PlotRequest& request,
                        const VarGlob& settings, Prompts& prompts, double now,
                        const DrawRecord& draw)
{
    PlotResult result;
    if (canvas.lNT >= kMaxValues) {
        prompts.warning(std::string(kMsgCanvasFull));
        result.refused = true;
        return result;
    }
    const std::string key = PlotKey(request.typedKey, request.identity);
    const std::string selection = key.empty()
                                      ? std::string(" (no selection)")
                                      : KeyFieldHeading(settings, request.field) + " : " + key;
    const RowRange range = rangeOf(request, sheet);
    canvas.lUndoPlot.v1 = canvas.lUndoPlot.v2 = 0;
    const RowSymbol symbol{settings.Sy, settings.Couleur, key.empty() ? "no selection" : key};
    const RowsPlotted plotted = plotRows(
        canvas, sheet, range, prompts,
        [&](int row) -> std::optional<RowSymbol> {
            if (!RowMatches(sheet, row, request.field, key))
                return std::nullopt;
            return symbol;
        },
        draw);
    if (plotted.cancelled) {
        result.cancelled = true;
        return result;
    }
    result.added = static_cast<int>(plotted.used.size());
    result.info.push_back({shortTime(now) + " - " + WithoutExtension(request.sheetTitle), true});
    result.info.push_back({sformat("%s - lines %d to %d (%d new val.)", selection.c_str(),
                                   range.first, range.last, result.added)});
    finishPlotting(result, plotted, canvas, sheet, settings);
    AddLegend(canvas, symbol.sy, symbol.co, symbol.code);
    return result;
}

PlotResult TraceFichierBatch(CanvasModel& canvas, const DataSheet& sheet,
                             const PlotRequest& request, VarGlob& settings, Prompts& prompts,
                             double now, const DrawRecord& draw)
{
    PlotResult result;
    result.refused = true;
    if (settings.NomFBatch.empty() || settings.NomFBatch == kBatchUndefined)
        return result;
    const BatchTable table = LireBatchFile(settings.NomFBatch);
    if (table.error) {
        prompts.warning(std::string(kMsgNoBatchFile));
        return result;
    }
    if (canvas.lNT >= kMaxValues) {
        prompts.warning(std::string(kMsgCanvasFull));
        return result;
    }
    result.refused = false;
    const RowRange range = rangeOf(request, sheet);
    canvas.lUndoPlot.v2 = 0;
    // Codes match the nature only, whatever key field the dialog last showed.
    const RowsPlotted plotted = plotRows(
        canvas, sheet, range, prompts,
        [&](int row) -> std::optional<RowSymbol> {
            const std::string nature = cut9(sheet.field(row, Field::Nature));
            for (const BatchEntry& entry : table.TabBatch) {
                const bool matches =
                    request.identity ? entry.code.view() == nature : MatchCode(entry.code, nature);
                if (matches)
                    return RowSymbol{entry.sy, entry.co, entry.code.str()};
            }
            return std::nullopt;
        },
        draw);
    if (plotted.cancelled) {
        result.cancelled = true;
        return result;
    }
    result.added = static_cast<int>(plotted.used.size());
    result.info.push_back(
        {shortTime(now) + " - " + WithoutExtension(request.sheetTitle) + ", ", true});
    result.info.push_back({sformat("lines %d to %d, symbols \"%s\" (%d new val.)", range.first,
                                   range.last, table.title.c_str(), result.added)});
    finishPlotting(result, plotted, canvas, sheet, settings);
    for (const RowSymbol& used : plotted.used)
        AddLegend(canvas, used.sy, used.co, used.code);
    if (!plotted.used.empty()) {
        settings.Sy = plotted.used.back().sy;
        settings.Couleur = plotted.used.back().co;
    }
    return result;
}

DataSheet SheetFromCanvas(const CanvasModel& canvas, int first, DataSheet sheet, bool decimals)
{
    const Notation notation{sheet.lFrtS, sheet.lFrtL};
    int row = 0;
    for (int i = std::max(1, first); i <= canvas.lNT; ++i) {
        const InfoVal& v = canvas.lVal[static_cast<std::size_t>(i)];
        if (!TestBit(v.inf, kInfPresent))
            continue;
        if (++row > 1 && !sheet.appendRow())
            break;
        sheet.setField(row, Field::Nature, v.na.str());
        sheet.setField(row, Field::Value,
                       DirToText(decimals, TestBit(v.inf, kInfPlane), v.pen, v.azi, notation));
        sheet.setField(row, Field::Number, v.nu.str());
        sheet.setField(row, Field::Location, v.lo.str());
        sheet.setField(row, Field::Comment, v.co.str());
        const auto slot = static_cast<std::size_t>(row);
        sheet.ltAz[slot] = v.azi;
        sheet.ltPe[slot] = v.pen;
        sheet.lMod[slot] = kRowChanged;
    }
    sheet.lShowDeci = decimals;
    sheet.Numeroter();
    sheet.lDirty = row > 0;
    return sheet;
}

bool HasDisplayedRecords(const CanvasModel& canvas, int first)
{
    for (int i = std::max(1, first); i <= canvas.lNT; ++i)
        if (TestBit(canvas.lVal[static_cast<std::size_t>(i)].inf, kInfPresent))
            return true;
    return false;
}

std::vector<std::string> DistinctCodes(const DataSheet& sheet, KeyField field)
{
    std::vector<std::string> codes;
    for (int row = 1; row <= sheet.rowCount() && !sheet.isEmpty(); ++row)
        if (const std::string& code = sheet.field(row, fieldOf(field)); !code.empty())
            codes.push_back(code);
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
}

bool PlotsOnNewCanvas(bool newCanvasChecked, const CanvasModel* active)
{
    return newCanvasChecked || active == nullptr || active->natWP != kWPOrdinary;
}

std::string PlotButtonCaption(bool newCanvasChecked, const CanvasModel* active,
                              const std::string& activeTitle)
{
    if (active == nullptr && !newCanvasChecked)
        return "Plot on Canvas 1";
    if (PlotsOnNewCanvas(newCanvasChecked, active))
        return "Plot on a new canvas";
    return "Plot on " + activeTitle;
}

std::string ProjectionCaption(std::int32_t styleCnvs)
{
    return std::string(TestBit(styleCnvs, kStyleWulff) ? "Wulff/" : "Schmidt/")
           + (TestBit(styleCnvs, kStyleLowerHemisphere) ? "inf" : "sup");
}

} // namespace ploq
